// krGUIPanel: translucent rounded rectangle built from coloured triangles.
#include "gui/krGUIPanel.h"

#include <GL/gl.h>
#include <cmath>

#include "render/krGeometry.h"
#include "render/krVertexArray.h"

namespace
{
const float kPi = 3.1415927f;
const float kThreeHalfPi = 4.712389f;
const float kTwoPi = 6.2831855f;
const float kHalfPi = 1.5707964f;
} // namespace

krGUIPanel::krGUIPanel(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height)
    : krGUIObject(id, left, top, width, height), geometry(nullptr),
      cornerRadius(kDefaultRadius), backgroundColor{0.0f, 0.0f, 0.0f, 0.8f}
{
    CreatePanelGeometry();
}

krGUIPanel* krGUIPanel::Create(uint32_t id, int32_t left, int32_t top, int32_t width,
                               int32_t height)
{
    return new krGUIPanel(id, left, top, width, height);
}

krGUIPanel::~krGUIPanel()
{
    delete geometry;
    geometry = nullptr;
}

void krGUIPanel::CreatePanelGeometry()
{
    delete geometry;
    geometry = new krGeometry();
    krVertexArray* array = krVertexArray::Create(GL_TRIANGLES);
    float color[4] = {backgroundColor[0], backgroundColor[1], backgroundColor[2],
                      backgroundColor[3]};
    CreateRoundedBox(array, left, top, width, height, cornerRadius, &color);
    geometry->AppendVertexArray(array);
}

void krGUIPanel::CreateRoundedBox(krVertexArray* array, int32_t left, int32_t top, int32_t width,
                                  int32_t height, int32_t radius, const float (*color)[4])
{
    BuildRoundedBox(array, left, top, width, height, radius, color);
    array->CreateVBO();
}

void krGUIPanel::BuildRoundedBox(krVertexArray* array, int32_t left, int32_t top, int32_t width,
                                 int32_t height, int32_t radius, const float (*color)[4])
{
    const float l = static_cast<float>(left);
    const float t = static_cast<float>(top);
    const float r = static_cast<float>(radius);
    const float x = static_cast<float>(left + width);
    const float b = static_cast<float>(top + height);

    // Middle band, full width.
    array->AppendVertex(l, t + r, 0);
    array->AppendVertex(x, b - r, 0);
    array->AppendVertex(l, b - r, 0);
    array->AppendVertex(l, t + r, 0);
    array->AppendVertex(x, t + r, 0);
    array->AppendVertex(x, b - r, 0);
    // Top band between the corners.
    array->AppendVertex(l + r, t, 0);
    array->AppendVertex(x - r, t + r, 0);
    array->AppendVertex(l + r, t + r, 0);
    array->AppendVertex(l + r, t, 0);
    array->AppendVertex(x - r, t, 0);
    array->AppendVertex(x - r, t + r, 0);
    // Bottom band between the corners.
    array->AppendVertex(l + r, b - r, 0);
    array->AppendVertex(x - r, b, 0);
    array->AppendVertex(l + r, b, 0);
    array->AppendVertex(l + r, b - r, 0);
    array->AppendVertex(x - r, b - r, 0);
    array->AppendVertex(x - r, b, 0);

    // With y pointing down the screen, 3/2 pi points up.
    const int32_t segments = static_cast<int32_t>(0.5f * r);
    CreateCorner(array, l + r, t + r, r, kPi, kThreeHalfPi, segments);
    CreateCorner(array, x - r, t + r, r, kThreeHalfPi, kTwoPi, segments);
    CreateCorner(array, x - r, b - r, r, 0.0f, kHalfPi, segments);
    CreateCorner(array, l + r, b - r, r, kHalfPi, kPi, segments);

    const uint64_t count = array->GetVertexArraySize();
    for (uint64_t i = 0; i < count; i++)
    {
        array->AppendColor(*color);
    }
}

void krGUIPanel::CreateCorner(krVertexArray* array, float cx, float cy, float radius,
                              float fromAngle, float toAngle, int32_t segments)
{
    if (!(toAngle > fromAngle))
    {
        return;
    }
    // Radii below 2 give no segments; one-radian steps keep such a corner finite.
    if (segments < 1)
    {
        segments = 1;
    }
    // The span counts in whole radians: a quarter turn is 1.
    const float step = std::fabs(std::trunc(fromAngle - toAngle)) / static_cast<float>(segments);
    if (!(step > 0.0f))
    {
        return;
    }
    float a = fromAngle;
    do
    {
        array->AppendVertex(cx, cy, 0);
        array->AppendVertex(static_cast<float>(cx + radius * std::cos(static_cast<double>(a))),
                            static_cast<float>(cy + radius * std::sin(static_cast<double>(a))), 0);
        a = a + step;
        array->AppendVertex(static_cast<float>(cx + radius * std::cos(static_cast<double>(a))),
                            static_cast<float>(cy + radius * std::sin(static_cast<double>(a))), 0);
    } while (toAngle > a);
}

void krGUIPanel::Draw()
{
    if (!geometry)
    {
        return;
    }
    for (uint64_t i = 0; i < geometry->Length(); i++)
    {
        krVertexArray* array = geometry->GetVertexArray(i);
        if (array)
        {
            array->DrawColor();
        }
    }
}

void krGUIPanel::SetBackgroundColor(float r, float g, float b, float a)
{
    if (geometry)
    {
        for (uint64_t i = 0; i < geometry->Length(); i++)
        {
            krVertexArray* array = geometry->GetVertexArray(i);
            if (array)
            {
                array->SetColor(r, g, b, a);
            }
        }
    }
    backgroundColor[0] = r;
    backgroundColor[1] = g;
    backgroundColor[2] = b;
    backgroundColor[3] = a;
}

void krGUIPanel::OnAfterSetParent(krGUIObject*)
{
    CreatePanelGeometry();
}
