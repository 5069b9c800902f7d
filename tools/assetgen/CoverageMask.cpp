// CoverageMask: signed-area accumulation rasteriser and mask filters.
#include "CoverageMask.h"

#include <algorithm>
#include <cmath>

namespace
{
// Adds the signed area of one line segment to the accumulation buffer (stride `w`), in
// buffer-local coordinates, clipped to rows 0..h.
void AccumulateLine(std::vector<float>& acc, int w, int h, TPoint_s p0, TPoint_s p1)
{
    if (p0.y == p1.y)
    {
        return;
    }
    float dir = 1.0f;
    if (p0.y > p1.y)
    {
        std::swap(p0, p1);
        dir = -1.0f;
    }
    float dxdy = (p1.x - p0.x) / (p1.y - p0.y);
    float yTop = std::max(p0.y, 0.0f), yBottom = std::min(p1.y, (float)h);
    if (yTop >= yBottom)
    {
        return;
    }
    float x = p0.x + (yTop - p0.y) * dxdy;
    int yStart = (int)std::floor(yTop), yEnd = (int)std::ceil(yBottom);
    for (int y = yStart; y < yEnd; ++y)
    {
        float dy = std::min((float)(y + 1), yBottom) - std::max((float)y, yTop);
        float xNext = x + dxdy * dy;
        float d = dy * dir;
        float xa = std::min(x, xNext), xb = std::max(x, xNext);
        xa = std::clamp(xa, 0.0f, (float)w - 1.001f);
        xb = std::clamp(xb, 0.0f, (float)w - 1.001f);
        float* row = &acc[(size_t)y * (w + 2)];
        float xaFloor = std::floor(xa);
        int xai = (int)xaFloor;
        float xbCeil = std::ceil(xb);
        int xbi = (int)xbCeil;
        if (xbi <= xai + 1)
        {
            float xmf = 0.5f * (xa + xb) - xaFloor;
            row[xai] += d - d * xmf;
            row[xai + 1] += d * xmf;
        }
        else
        {
            float s = 1.0f / (xb - xa);
            float xaf = xa - xaFloor;
            float a0 = 0.5f * s * (1 - xaf) * (1 - xaf);
            float xbf = xb - xbCeil + 1.0f;
            float am = 0.5f * s * xbf * xbf;
            row[xai] += d * a0;
            if (xbi == xai + 2)
            {
                row[xai + 1] += d * (1.0f - a0 - am);
            }
            else
            {
                float a1 = s * (1.5f - xaf);
                row[xai + 1] += d * (a1 - a0);
                for (int xi = xai + 2; xi < xbi - 1; ++xi)
                {
                    row[xi] += d * s;
                }
                float a2 = a1 + (xbi - xai - 3) * s;
                row[xbi - 1] += d * (1.0f - a2 - am);
            }
            row[xbi] += d * am;
        }
        x = xNext;
    }
}
} // namespace

CoverageMask::CoverageMask(int x0_, int y0_, int width, int height)
    : x0(x0_), y0(y0_), w(std::max(width, 0)), h(std::max(height, 0)), a((size_t)w * h, 0.0f)
{
}

CoverageMask CoverageMask::Fill(const Path& path, int clipWidth, int clipHeight)
{
    float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
    for (const auto& contour : path.Contours())
    {
        for (const TPoint_s& p : contour)
        {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    }
    if (minX > maxX)
    {
        return CoverageMask();
    }
    // The buffer spans the whole rows' width of the shape (clipped only vertically), so the
    // coverage of parts left of the canvas still accumulates correctly.
    int bx0 = (int)std::floor(minX) - 1, by0 = std::max((int)std::floor(minY), 0);
    int bx1 = (int)std::ceil(maxX) + 1, by1 = std::min((int)std::ceil(maxY), clipHeight);
    if (by1 <= by0)
    {
        return CoverageMask();
    }
    int bw = bx1 - bx0 + 1, bh = by1 - by0;
    std::vector<float> acc((size_t)(bw + 2) * bh, 0.0f);
    for (const auto& contour : path.Contours())
    {
        size_t n = contour.size();
        for (size_t i = 0; i < n; ++i)
        {
            TPoint_s p = contour[i], q = contour[(i + 1) % n];
            AccumulateLine(acc, bw, bh, {p.x - bx0, p.y - by0}, {q.x - bx0, q.y - by0});
        }
    }
    int cx0 = std::max(bx0, 0), cx1 = std::min(bx1 + 1, clipWidth);
    CoverageMask mask(cx0, by0, cx1 - cx0, bh);
    if (mask.Empty())
    {
        return mask;
    }
    for (int y = 0; y < bh; ++y)
    {
        const float* row = &acc[(size_t)y * (bw + 2)];
        float sum = 0;
        for (int x = 0; x < bw && bx0 + x < cx1; ++x)
        {
            sum += row[x];
            int px = bx0 + x;
            if (px >= cx0)
            {
                mask.a[(size_t)y * mask.w + (px - cx0)] = std::min(1.0f, std::fabs(sum));
            }
        }
    }
    return mask;
}

float CoverageMask::At(int x, int y) const
{
    if (x < x0 || y < y0 || x >= x0 + w || y >= y0 + h)
    {
        return 0.0f;
    }
    return a[(size_t)(y - y0) * w + (x - x0)];
}

CoverageMask CoverageMask::Padded(int margin) const
{
    CoverageMask out(x0 - margin, y0 - margin, w + 2 * margin, h + 2 * margin);
    for (int y = 0; y < h; ++y)
    {
        std::copy(&a[(size_t)y * w], &a[(size_t)y * w] + w,
                  &out.a[(size_t)(y + margin) * out.w + margin]);
    }
    return out;
}

void CoverageMask::Blur(int radius)
{
    if (radius <= 0 || Empty())
    {
        return;
    }
    std::vector<float> tmp(std::max(w, h));
    auto boxLine = [&](float* base, int count, int stride)
    {
        float norm = 1.0f / (2 * radius + 1);
        for (int i = 0; i < count; ++i)
        {
            tmp[i] = base[(size_t)i * stride];
        }
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
        {
            sum += (i >= 0 && i < count) ? tmp[i] : 0.0f;
        }
        for (int i = 0; i < count; ++i)
        {
            base[(size_t)i * stride] = sum * norm;
            int out = i - radius, in = i + radius + 1;
            sum -= (out >= 0 && out < count) ? tmp[out] : 0.0f;
            sum += (in >= 0 && in < count) ? tmp[in] : 0.0f;
        }
    };
    for (int pass = 0; pass < 3; ++pass)
    {
        for (int y = 0; y < h; ++y)
        {
            boxLine(&a[(size_t)y * w], w, 1);
        }
        for (int x = 0; x < w; ++x)
        {
            boxLine(&a[x], h, w);
        }
    }
}

void CoverageMask::Grow(int radius)
{
    if (radius <= 0 || Empty())
    {
        return;
    }
    std::vector<float> src = a;
    std::vector<std::pair<int, int>> disc;
    for (int dy = -radius; dy <= radius; ++dy)
    {
        for (int dx = -radius; dx <= radius; ++dx)
        {
            if (dx * dx + dy * dy <= radius * radius)
            {
                disc.push_back({dx, dy});
            }
        }
    }
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            float m = 0;
            for (const auto& o : disc)
            {
                int sx = x + o.first, sy = y + o.second;
                if (sx >= 0 && sy >= 0 && sx < w && sy < h)
                {
                    m = std::max(m, src[(size_t)sy * w + sx]);
                }
            }
            a[(size_t)y * w + x] = m;
        }
    }
}

void CoverageMask::Scale(float factor)
{
    for (float& v : a)
    {
        v = std::clamp(v * factor, 0.0f, 1.0f);
    }
}

void CoverageMask::Subtract(const CoverageMask& other)
{
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            a[(size_t)y * w + x] *= 1.0f - other.At(x0 + x, y0 + y);
        }
    }
}

void CoverageMask::Intersect(const CoverageMask& other)
{
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            a[(size_t)y * w + x] *= other.At(x0 + x, y0 + y);
        }
    }
}
