// krGUITextViewer: a box of many lines on a white translucent panel, clipped to the box. The
// user drags the text with the left button held; after the drag the text coasts on at the last
// drag speed until it reaches its first or last line. A viewer whose text fits (or which has
// no lines at all) cannot be dragged; without lines it draws just its panel.
#pragma once

#include <cstdint>

#include "gui/krGUIObject.h"

class krFont;
class krGUIPanel;
class krStringArray;

class krGUITextViewer : public krGUIObject
{
public:
    // `lines` and `font` are borrowed and must outlive the viewer; `lines` may be null.
    krGUITextViewer(uint32_t id, krStringArray* lines, krFont* font, int32_t left, int32_t top,
                    int32_t width, int32_t height);
    static krGUITextViewer* Create(uint32_t id, krStringArray* lines, krFont* font, int32_t left,
                                   int32_t top, int32_t width, int32_t height);
    // Deletes the panel, then the children.
    ~krGUITextViewer() override;

    // (Re)builds the background panel over the viewer's rectangle.
    void CreateTextViewerGeometry();

    // Draws the panel and the visible lines; changes nothing.
    void Draw() override;
    // One update step: Coast.
    void Update() override;
    void OnMouseLeave() override;
    void OnLMBDown() override;
    void OnLMBUp() override;
    void OnMouseMove(int dx, int dy) override;
    void OnAfterSetParent(krGUIObject* parent) override;
    // Page Up and Page Down move the text by the lines that fit the box, Home and End to its
    // first and last lines; a text that fits takes no keys.
    bool OnKey(krGUIKey key) override;

    void SetColor(float r, float g, float b, float a);

    // The coasting step of Update: moves the text by the last drag step unless a drag is under
    // way, stopping at the first and the last line.
    void Coast();

    int32_t GetFirstLine() const { return firstLine; }
    int32_t GetScrollOffset() const { return scrollOffset; }
    int32_t GetLastDy() const { return lastDy; }
    bool IsDragging() const { return dragging; }
    float GetLineHeight() const { return lineHeight; }
    // Borrowed.
    krGUIPanel* GetBackground() const { return background; }

protected:
    uint64_t LineCount() const;

    krStringArray* lines; // borrowed, may be null
    krFont* font;         // borrowed
    float color[4];
    int32_t firstLine;
    int32_t scrollOffset;
    int32_t lastDy;
    bool dragging;
    float lineHeight;
    krGUIPanel* background; // owned; not a child control
};
