// krGUITextViewer: many lines on a white panel, scrolled by dragging, coasting after the drag.
#include "gui/krGUITextViewer.h"

#include <GL/gl.h>

#include "data/krStringArray.h"
#include "gui/krGUIPanel.h"
#include "gui/krGUIScale.h"
#include "render/krFont.h"

krGUITextViewer::krGUITextViewer(uint32_t id, krStringArray* lines, krFont* font, int32_t left,
                                 int32_t top, int32_t width, int32_t height)
    : krGUIObject(id, left, top, width, height), lines(lines),
      font(font), color{0.0f, 0.0f, 0.0f, 1.0f}, firstLine(0), scrollOffset(0), lastDy(0),
      dragging(false), lineHeight(font ? static_cast<float>(font->GetHeight() * 1.4) : 0.0f),
      background(nullptr)
{
    CreateTextViewerGeometry();
}

krGUITextViewer* krGUITextViewer::Create(uint32_t id, krStringArray* lines, krFont* font,
                                         int32_t left, int32_t top, int32_t width, int32_t height)
{
    return new krGUITextViewer(id, lines, font, left, top, width, height);
}

krGUITextViewer::~krGUITextViewer()
{
    delete background;
    background = nullptr;
}

void krGUITextViewer::CreateTextViewerGeometry()
{
    background = new krGUIPanel(0, left, top, width, height);
    background->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.8f);
}

void krGUITextViewer::OnAfterSetParent(krGUIObject*)
{
    delete background;
    background = nullptr;
    CreateTextViewerGeometry();
}

uint64_t krGUITextViewer::LineCount() const
{
    return lines ? lines->GetLinesCounf() : 0;
}

// The truncated line height; at least 1 so that a font without height cannot divide by 0.
static int32_t IntLineHeight(float lineHeight)
{
    int32_t lhi = static_cast<int32_t>(lineHeight);
    return lhi > 0 ? lhi : 1;
}

// Lines that fit the box for dragging: trunc(height / lh) in floating point.
static int64_t DragVisibleLines(int32_t height, float lineHeight)
{
    if (!(lineHeight > 0.0f))
    {
        return height;
    }
    return static_cast<int64_t>(static_cast<float>(height) / lineHeight);
}

// True when `first` lies beyond the last start line n - visible, compared as unsigned 64-bit
// numbers: when fewer lines than `visible` exist no limit applies.
static bool PastLastLine(int32_t first, uint64_t n, int64_t visible)
{
    return static_cast<uint64_t>(static_cast<int64_t>(first)) > n - static_cast<uint64_t>(visible);
}

void krGUITextViewer::Coast()
{
    if (dragging || lastDy == 0)
    {
        return;
    }
    const int32_t lhi = IntLineHeight(lineHeight);
    const uint64_t n = LineCount();
    scrollOffset += lastDy;
    if (scrollOffset > 0)
    {
        scrollOffset = 0;
        firstLine = 0;
        lastDy = 0;
        return;
    }
    firstLine = -scrollOffset / lhi;
    const int64_t visible = height / lhi;
    if (PastLastLine(firstLine, n, visible))
    {
        firstLine = static_cast<int32_t>(static_cast<int64_t>(n) - visible);
        scrollOffset -= lastDy;
        lastDy = 0;
    }
}

void krGUITextViewer::Update()
{
    Coast();
}

void krGUITextViewer::Draw()
{
    if (background)
    {
        background->Draw();
    }
    glColor4f(color[0], color[1], color[2], color[3]);
    const uint64_t n = LineCount();
    if (n == 0 || !font)
    {
        // Nothing to show: the panel alone.
        return;
    }
    const float lh = lineHeight;
    const int32_t lhi = IntLineHeight(lh);
    const int32_t round = background ? background->GetRound() : 0;

    glEnable(GL_SCISSOR_TEST);
    const int32_t clipWidth = width - static_cast<int32_t>(0.5 * round);
    krGUIScissor(left, top, clipWidth, height, DrawableHeight(), DrawableScale());
    const float x = left + 0.5f * round;
    float y = static_cast<float>(scrollOffset + lhi * firstLine -
                                 static_cast<int32_t>(font->GetHeight() * 0.4)) +
              (static_cast<float>(top) + lh);
    const float bottom = static_cast<float>(top + height) + lh;
    for (uint64_t i = firstLine > 0 ? static_cast<uint64_t>(firstLine) : 0; i < n; i++)
    {
        krString* line = lines->GetLine(i);
        if (line)
        {
            font->Print(x, y, 0.0f, line->GetString());
        }
        y += lh;
        if (y > bottom)
        {
            break;
        }
    }
    glDisable(GL_SCISSOR_TEST);
}

void krGUITextViewer::OnLMBDown()
{
    const int64_t visible = DragVisibleLines(height, lineHeight);
    dragging = LineCount() > static_cast<uint64_t>(visible > 0 ? visible : 0);
    lastDy = 0;
}

void krGUITextViewer::OnMouseMove(int, int dy)
{
    if (!dragging)
    {
        return;
    }
    scrollOffset += dy;
    if (scrollOffset > 0)
    {
        scrollOffset = 0;
        firstLine = 0;
    }
    else
    {
        firstLine = -scrollOffset / IntLineHeight(lineHeight);
        const int64_t visible = DragVisibleLines(height, lineHeight);
        const uint64_t n = LineCount();
        if (PastLastLine(firstLine, n, visible))
        {
            firstLine = static_cast<int32_t>(static_cast<int64_t>(n) - visible);
            scrollOffset -= dy;
        }
    }
    lastDy = dy;
}

bool krGUITextViewer::OnKey(krGUIKey key)
{
    const int64_t visible = DragVisibleLines(height, lineHeight);
    const int64_t n = static_cast<int64_t>(LineCount());
    if (visible < 0 || n <= visible)
    {
        return false;
    }
    const int64_t last = n - visible;
    int64_t target = firstLine;
    switch (key)
    {
        case gkPageUp:
            target -= visible > 0 ? visible : 1;
            break;
        case gkPageDown:
            target += visible > 0 ? visible : 1;
            break;
        case gkHome:
            target = 0;
            break;
        case gkEnd:
            target = last;
            break;
        default:
            return false;
    }
    target = target < 0 ? 0 : (target > last ? last : target);
    firstLine = static_cast<int32_t>(target);
    scrollOffset = -firstLine * IntLineHeight(lineHeight);
    lastDy = 0;
    dragging = false;
    return true;
}

void krGUITextViewer::OnLMBUp()
{
    dragging = false;
}

void krGUITextViewer::OnMouseLeave()
{
    dragging = false;
}

void krGUITextViewer::SetColor(float r, float g, float b, float a)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
}
