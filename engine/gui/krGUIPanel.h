// krGUIPanel: a translucent rectangle with rounded corners, built as coloured triangles (a
// middle band, a top and a bottom band and four corner fans). Dialogs are panels with their
// controls as children; the text viewer draws one behind its text.
#pragma once

#include <cstdint>

#include "gui/krGUIObject.h"

class krGeometry;
class krVertexArray;

class krGUIPanel : public krGUIObject
{
public:
    static constexpr int32_t kDefaultRadius = 10;

    // Builds the box in the default colour, black at alpha 0.8.
    krGUIPanel(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height);
    static krGUIPanel* Create(uint32_t id, int32_t left, int32_t top, int32_t width,
                              int32_t height);
    // Deletes the box, then the children.
    ~krGUIPanel() override;

    // (Re)builds the box at the current position in backgroundColor.
    void CreatePanelGeometry();
    // Appends the box's triangles and one colour per vertex to `array`, then uploads it.
    static void CreateRoundedBox(krVertexArray* array, int32_t left, int32_t top, int32_t width,
                                 int32_t height, int32_t radius, const float (*color)[4]);
    // The CPU half of CreateRoundedBox: appends positions and colours, uploads nothing.
    static void BuildRoundedBox(krVertexArray* array, int32_t left, int32_t top, int32_t width,
                                int32_t height, int32_t radius, const float (*color)[4]);
    // Appends a fan of triangles from fromAngle to toAngle (radians) about (cx, cy), in steps of
    // the span's whole radians divided by `segments` (less than one segment counts as one). A
    // span shorter than one radian appends nothing.
    static void CreateCorner(krVertexArray* array, float cx, float cy, float radius,
                             float fromAngle, float toAngle, int32_t segments);

    void Draw() override;
    // Recolours every vertex of the box; later rebuilds keep the colour.
    void SetBackgroundColor(float r, float g, float b, float a);
    const float* GetBackgroundColor() const { return backgroundColor; }
    int32_t GetRound() const { return cornerRadius; }
    // Borrowed.
    krGeometry* GetGeometry() const { return geometry; }
    void OnAfterSetParent(krGUIObject* parent) override;

protected:
    krGeometry* geometry; // owned
    int32_t cornerRadius;
    float backgroundColor[4];
};
