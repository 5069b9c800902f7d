// krGUIScale: the GUI scale choice and the conversions between GUI units and pixels.
#include "gui/krGUIScale.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

namespace
{
// Above this the steps are half units; below it quarter units, fine enough that the common
// laptop and desktop heights (900, 1080, 1200, 1440) get close to their share.
const float kFineStepLimit = 2.0f;

float SafeScale(float scale)
{
    return scale > 0.0f && std::isfinite(scale) ? scale : 1.0f;
}
} // namespace

float krChooseGUIScale(int32_t pixelWidth, int32_t pixelHeight)
{
    if (pixelWidth <= 0 || pixelHeight <= 0)
    {
        return 1.0f;
    }
    const float fitW = static_cast<float>(pixelWidth) / static_cast<float>(kGUIDesignWidth);
    const float fitH = static_cast<float>(pixelHeight) / static_cast<float>(kGUIDesignHeight);
    const float fit = fitW < fitH ? fitW : fitH;
    if (fit <= 1.0f)
    {
        return 1.0f;
    }
    const float step = fit < kFineStepLimit ? 0.25f : 0.5f;
    // The small allowance keeps an exact multiple (1080 / 720 = 1.5) from falling a step short.
    return std::floor(fit / step + 1e-4f) * step;
}

int32_t krPixelsToUnits(int32_t pixels, float scale)
{
    return static_cast<int32_t>(std::floor(static_cast<double>(pixels) / SafeScale(scale)));
}

int32_t krUnitsToPixels(int32_t units, float scale)
{
    return static_cast<int32_t>(std::lround(static_cast<double>(units) * SafeScale(scale)));
}

void krGUIProjection(int32_t pixelWidth, int32_t pixelHeight, float scale)
{
    const double s = SafeScale(scale);
    glLoadIdentity();
    glOrtho(0, pixelWidth / s, pixelHeight / s, 0, 0, 1);
}

TPixelRect_s krGUIScissorRect(int32_t left, int32_t top, int32_t width, int32_t height,
                              int32_t pixelHeight, float scale)
{
    const double s = SafeScale(scale);
    const double x0 = std::floor(left * s);
    const double y0 = std::floor(top * s);
    const double x1 = std::ceil((static_cast<double>(left) + (width > 0 ? width : 0)) * s);
    const double y1 = std::ceil((static_cast<double>(top) + (height > 0 ? height : 0)) * s);
    TPixelRect_s r;
    r.x = static_cast<int32_t>(x0);
    r.y = pixelHeight - static_cast<int32_t>(y1);
    r.w = static_cast<int32_t>(x1 - x0);
    r.h = static_cast<int32_t>(y1 - y0);
    return r;
}

void krGUIScissor(int32_t left, int32_t top, int32_t width, int32_t height, int32_t pixelHeight,
                  float scale)
{
    const TPixelRect_s r = krGUIScissorRect(left, top, width, height, pixelHeight, scale);
    glScissor(r.x, r.y, r.w, r.h);
}

bool krScaledEntryName(char* out, size_t size, const char* name, float scale)
{
    if (out == nullptr || size == 0 || name == nullptr)
    {
        return false;
    }
    const long percent = std::lround(static_cast<double>(SafeScale(scale)) * 100.0);
    const int n = std::snprintf(out, size, "%s@%ld", name, percent);
    return n > 0 && static_cast<size_t>(n) < size;
}
