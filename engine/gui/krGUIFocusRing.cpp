// krGUIFocusRing: an amber outline around the focused control.
#include "gui/krGUIFocusRing.h"

#include <GL/gl.h>

#include "gui/krGUIObject.h"

void krDrawFocusRing(const krGUIObject& control)
{
    const float margin = 3.0f;
    const float left = static_cast<float>(control.GetLeft()) - margin;
    const float top = static_cast<float>(control.GetTop()) - margin;
    const float right = static_cast<float>(control.GetLeft() + control.GetWidth()) + margin;
    const float bottom = static_cast<float>(control.GetTop() + control.GetHeight()) + margin;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glLineWidth(3.0f);
    glColor4f(1.0f, 0.75f, 0.1f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    glPopAttrib();
}
