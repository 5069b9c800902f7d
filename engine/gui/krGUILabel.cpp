// krGIULabel: a single line of text in a bitmap font.
#include "gui/krGUILabel.h"

#include <GL/gl.h>

#include "render/krFont.h"

krGIULabel::krGIULabel(uint32_t id, krFont* font, int32_t left, int32_t top, const krString& text)
    : krGUIObject(id, left, top, font ? static_cast<int32_t>(font->GetWidth(text.GetString())) : 0,
                  font ? static_cast<int32_t>(font->GetHeight()) : 0),
      font(font), color{1.0f, 1.0f, 1.0f, 1.0f}
{
    this->text = text;
}

krGIULabel* krGIULabel::Create(uint32_t id, krFont* font, int32_t left, int32_t top,
                               const krString& text)
{
    return new krGIULabel(id, font, left, top, text);
}

krGIULabel::~krGIULabel() {}

void krGIULabel::Draw()
{
    glColor4f(color[0], color[1], color[2], color[3]);
    if (font && text.GetString())
    {
        font->Print(static_cast<float>(left), top + font->GetHeight(), 0.0f, text.GetString());
    }
}

void krGIULabel::SetValue(const krString& value)
{
    text = value;
}

void krGIULabel::SetColor(float r, float g, float b, float a)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
}
