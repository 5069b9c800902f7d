// vossaRowHighlight: the row band from the layout, and the band drawn over the row.
#include "vossaRowHighlight.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// Heights (or x positions) closer than this are one.
const float kSame = 1e-3f;
// Half the space given to a card when the layout has no neighbour to measure it by.
const float kLoneMargin = 1.0f;

// The distinct values of `values`, in ascending order.
std::vector<float> Distinct(std::vector<float> values)
{
    std::sort(values.begin(), values.end());
    std::vector<float> distinct;
    for (float v : values)
    {
        if (distinct.empty() || v - distinct.back() > kSame)
        {
            distinct.push_back(v);
        }
    }
    return distinct;
}

// Half the smallest gap between neighbouring values, or `fallback` when there is none.
float HalfGap(const std::vector<float>& distinct, float fallback)
{
    float gap = 0.0f;
    for (size_t i = 1; i < distinct.size(); ++i)
    {
        const float d = distinct[i] - distinct[i - 1];
        gap = gap == 0.0f ? d : std::min(gap, d);
    }
    return gap > 0.0f ? gap / 2.0f : fallback;
}
} // namespace

TRowBand_s RowBand(const float (*layout)[3], int32_t count, int32_t row)
{
    TRowBand_s band = {false, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    if (layout == nullptr || count <= 0)
    {
        return band;
    }
    std::vector<float> heights;
    for (int32_t i = 0; i < count; ++i)
    {
        heights.push_back(layout[i][1]);
    }
    const std::vector<float> rows = Distinct(heights);
    const int32_t rowCount = static_cast<int32_t>(rows.size());
    if (row < 1 || row > rowCount)
    {
        return band;
    }
    const float height = rows[rowCount - row];
    std::vector<float> xs;
    float z = 0.0f;
    for (int32_t i = 0; i < count; ++i)
    {
        if (std::fabs(layout[i][1] - height) <= kSame)
        {
            z = xs.empty() ? layout[i][2] : std::max(z, layout[i][2]);
            xs.push_back(layout[i][0]);
        }
    }
    const std::vector<float> columns = Distinct(xs);
    const float halfRow = HalfGap(rows, HalfGap(columns, kLoneMargin));
    const float halfColumn = HalfGap(columns, halfRow);
    band.found = true;
    band.left = columns.front() - halfColumn;
    band.right = columns.back() + halfColumn;
    band.bottom = height - halfRow;
    band.top = height + halfRow;
    band.z = z;
    return band;
}

void DrawRowBand(const TRowBand_s& band)
{
    if (!band.found)
    {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float corners[4][2] = {{band.left, band.bottom},
                                 {band.right, band.bottom},
                                 {band.right, band.top},
                                 {band.left, band.top}};
    glColor4f(1.0f, 0.75f, 0.1f, 0.25f);
    glBegin(GL_QUADS);
    for (const auto& c : corners)
    {
        glVertex3f(c[0], c[1], band.z);
    }
    glEnd();
    glLineWidth(4.0f);
    glColor4f(1.0f, 0.75f, 0.1f, 1.0f);
    glBegin(GL_LINE_LOOP);
    for (const auto& c : corners)
    {
        glVertex3f(c[0], c[1], band.z);
    }
    glEnd();
    glPopAttrib();
}
