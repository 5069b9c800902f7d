// krViewCover: the polygon in normalised device coordinates, and the viewport's corners
// tested against each of its edges.
#include "render/krViewCover.h"

#include <cmath>

namespace
{
const int32_t kMaxCorners = 16;
const double kMargin = 0.001;

// Column-major 4 x 4 matrix times (x, y, z, 1).
void Transform(const float* m, const double* in, double* out)
{
    for (int row = 0; row < 4; row++)
    {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
    }
}
} // namespace

bool CoversViewport(const float* projection, const float* modelView, const float (*corners)[3],
                    int32_t count)
{
    if (projection == nullptr || modelView == nullptr || corners == nullptr || count < 3 ||
        count > kMaxCorners)
    {
        return false;
    }
    double x[kMaxCorners], y[kMaxCorners];
    for (int32_t i = 0; i < count; i++)
    {
        const double object[4] = {corners[i][0], corners[i][1], corners[i][2], 1.0};
        double eye[4], clip[4];
        Transform(modelView, object, eye);
        Transform(projection, eye, clip);
        // A corner behind the eye (or on its plane) could fold the polygon round the view.
        if (!(clip[3] > 1e-6) || !std::isfinite(clip[0]) || !std::isfinite(clip[1]))
        {
            return false;
        }
        x[i] = clip[0] / clip[3];
        y[i] = clip[1] / clip[3];
    }
    // The polygon's turning sense, from its signed area.
    double area = 0.0;
    for (int32_t i = 0; i < count; i++)
    {
        const int32_t j = (i + 1) % count;
        area += x[i] * y[j] - x[j] * y[i];
    }
    if (!(std::fabs(area) > 0.0))
    {
        return false;
    }
    const double sense = area > 0.0 ? 1.0 : -1.0;
    // Each corner of the viewport, widened by the margin, on the inner side of every edge.
    const double reach = 1.0 + kMargin;
    const double viewX[4] = {-reach, reach, reach, -reach};
    const double viewY[4] = {-reach, -reach, reach, reach};
    for (int32_t i = 0; i < count; i++)
    {
        const int32_t j = (i + 1) % count;
        const double ex = x[j] - x[i], ey = y[j] - y[i];
        const double length = std::sqrt(ex * ex + ey * ey);
        if (!(length > 0.0))
        {
            return false;
        }
        for (int k = 0; k < 4; k++)
        {
            const double side = (ex * (viewY[k] - y[i]) - ey * (viewX[k] - x[i])) * sense;
            if (!(side > 0.0))
            {
                return false;
            }
        }
    }
    return true;
}
