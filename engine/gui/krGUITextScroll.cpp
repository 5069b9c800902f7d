// krGUITextScroll: one-line ticker scrolling right to left, with a fading text change.
#include "gui/krGUITextScroll.h"

#include <GL/gl.h>

#include "gui/krGUIManager.h"
#include "gui/krGUIScale.h"
#include "render/krFont.h"

krGUITextScroll::krGUITextScroll(uint32_t id, krFont* font, int32_t left, int32_t top,
                                 int32_t width, const krString& text)
    : krGUIObject(id, left, top, width, font ? static_cast<int32_t>(font->GetHeight()) : 0),
      color{1.0f, 1.0f, 1.0f, 1.0f}, font(font), vx(0), prevVx(0), frameCounter(0),
      framesPerStep(0), textWidth(0), changing(false), alpha(1.0f), fadeStep(0.01f),
      fadingOut(false)
{
    this->text = text;
    if (font)
    {
        textWidth = static_cast<int32_t>(font->GetWidth(this->text.GetString()));
    }
}

krGUITextScroll* krGUITextScroll::Create(uint32_t id, krFont* font, int32_t left, int32_t top,
                                         int32_t width, const krString& text)
{
    return new krGUITextScroll(id, font, left, top, width, text);
}

krGUITextScroll::~krGUITextScroll() {}

float krGUITextScroll::GetTextX() const
{
    return static_cast<float>(left + width - vx);
}

float krGUITextScroll::GetDrawnX(float fraction) const
{
    // A text that starts again from the right is drawn there at once, not swept across.
    if (vx < prevVx)
    {
        return GetTextX();
    }
    const float drawnVx = static_cast<float>(prevVx) + static_cast<float>(vx - prevVx) * fraction;
    return static_cast<float>(left + width) - drawnVx;
}

void krGUITextScroll::Update()
{
    prevVx = vx;
    Animate(GetTextX());
}

void krGUITextScroll::Draw()
{
    const float x = GetDrawnX(guiManager ? guiManager->GetStepFraction() : 1.0f);
    glColor4f(color[0], color[1], color[2], alpha);
    if (font)
    {
        // Horizontally the control's span; vertically from 5 pixels below its bottom edge up.
        glEnable(GL_SCISSOR_TEST);
        krGUIScissor(left, top + height + 5 - 1000, width, 1000, DrawableHeight(), DrawableScale());
        const float y = static_cast<float>(top) + font->GetHeight();
        // Glyphs beyond the control's span would be clipped away: they are not drawn at all.
        font->PrintSpan(x, y, 0.0f, text.GetString(), static_cast<float>(left),
                        static_cast<float>(left + width));
        glDisable(GL_SCISSOR_TEST);
    }
}

void krGUITextScroll::Animate(float x)
{
    if (frameCounter >= framesPerStep)
    {
        vx++;
        frameCounter = 0;
    }
    // Once the text has left on the left it starts again from the right edge.
    if (x + static_cast<float>(textWidth) < static_cast<float>(left))
    {
        vx = 0;
    }
    if (changing)
    {
        if (fadingOut)
        {
            alpha -= fadeStep;
            if (alpha < 0.0f)
            {
                alpha = 0.0f;
                fadingOut = false;
                text = nextText;
                vx = 0;
            }
        }
        else
        {
            alpha += fadeStep;
            if (alpha > color[3])
            {
                alpha = color[3];
                changing = false;
            }
        }
    }
    frameCounter++;
}

void krGUITextScroll::SetValue(const krString& value)
{
    nextText = value;
    changing = true;
    fadingOut = true;
}

void krGUITextScroll::SetColor(float r, float g, float b, float a)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
    alpha = a;
}
