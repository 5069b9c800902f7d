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
    if (!scrolling)
    {
        const int32_t room = width - (parts.empty() ? textWidth : partWidths[part]);
        return static_cast<float>(left + (room > 0 ? room / 2 : 0));
    }
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
    glColor4f(color[0], color[1], color[2], alpha * PartFade());
    if (font)
    {
        // Horizontally the control's span; vertically from 5 pixels below its bottom edge up.
        glEnable(GL_SCISSOR_TEST);
        krGUIScissor(left, top + height + 5 - 1000, width, 1000, DrawableHeight(), DrawableScale());
        const float y = static_cast<float>(top) + font->GetHeight();
        // Glyphs beyond the control's span would be clipped away: they are not drawn at all.
        font->PrintSpan(x, y, 0.0f, GetShownText(), static_cast<float>(left),
                        static_cast<float>(left + width));
        glDisable(GL_SCISSOR_TEST);
    }
}

void krGUITextScroll::Animate(float x)
{
    if (frameCounter >= framesPerStep)
    {
        vx += scrolling ? 1 : 0;
        frameCounter = 0;
    }
    if (parts.size() > 1 && ++partStep >= kPartSteps)
    {
        partStep = 0;
        part = (part + 1) % parts.size();
    }
    // Once the text has left on the left it starts again from the right edge.
    if (scrolling && x + static_cast<float>(textWidth) < static_cast<float>(left))
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
                SplitIntoParts();
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

void krGUITextScroll::SetScrolling(bool on)
{
    scrolling = on;
    SplitIntoParts();
}

const wchar_t* krGUITextScroll::GetShownText() const
{
    return parts.empty() ? text.GetString() : parts[part].c_str();
}

void krGUITextScroll::SplitIntoParts()
{
    parts.clear();
    partWidths.clear();
    part = 0;
    partStep = 0;
    if (scrolling || font == nullptr || text.GetString() == nullptr)
    {
        return;
    }
    std::wstring current;
    auto close = [&]()
    {
        if (!current.empty())
        {
            parts.push_back(current);
            partWidths.push_back(static_cast<int32_t>(font->GetWidth(current.c_str())));
            current.clear();
        }
    };
    for (const wchar_t* c = text.GetString(); *c != 0;)
    {
        const wchar_t* end = c;
        while (*end != 0 && *end != L' ')
        {
            ++end;
        }
        if (end != c)
        {
            const std::wstring word(c, end);
            const std::wstring joined = current.empty() ? word : current + L' ' + word;
            if (!current.empty() && font->GetWidth(joined.c_str()) > static_cast<float>(width))
            {
                close();
                current = word;
            }
            else
            {
                current = joined;
            }
        }
        c = *end != 0 ? end + 1 : end;
    }
    close();
}

float krGUITextScroll::PartFade() const
{
    if (parts.size() <= 1)
    {
        return 1.0f;
    }
    const float in = static_cast<float>(partStep + 1) / kPartFadeSteps;
    const float out = static_cast<float>(kPartSteps - partStep) / kPartFadeSteps;
    const float fade = in < out ? in : out;
    return fade < 1.0f ? fade : 1.0f;
}
