// SkyPainter: clouds from gaussian puffs and fractal value noise; the star glow.
#include "SkyPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// Small deterministic generator (no global state).
struct TRandom_s
{
    uint32_t state;
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) * (1.0f / 16777216.0f);
    }
    float Range(float a, float b) { return a + (b - a) * Next(); }
};

float Hash(int x, int y, uint32_t seed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0f;
}

float ValueNoise(float x, float y, uint32_t seed)
{
    int xi = (int)std::floor(x), yi = (int)std::floor(y);
    float fx = x - xi, fy = y - yi;
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
    float c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

float Fractal(float x, float y, uint32_t seed)
{
    float sum = 0, amp = 0.5f, freq = 1;
    for (int i = 0; i < 5; ++i)
    {
        sum += amp * ValueNoise(x * freq, y * freq, seed + i * 101);
        amp *= 0.5f;
        freq *= 2.03f;
    }
    return sum;
}

float Smooth(float e0, float e1, float x)
{
    float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

struct TPuff_s
{
    float x, y, r;
};
} // namespace

TImage_s PaintCloud(int width, int height, uint32_t seed)
{
    // Shape in units of the picture's height: x across 0..aspect, y down 0..1. Big puffs along
    // a flat base, taller in the middle, each crowned with a few smaller ones.
    const float aspect = (float)width / height;
    TRandom_s rnd{seed * 7919u + 17u};
    std::vector<TPuff_s> puffs;
    const float base = 0.74f;
    const int count = 7;
    for (int i = 0; i < count; ++i)
    {
        float t = (i + 0.5f) / count;
        float hump = std::sin(t * 3.14159f);
        float r = (0.115f + 0.15f * hump) * rnd.Range(0.85f, 1.15f);
        float x = aspect * (0.2f + 0.6f * t) + rnd.Range(-0.03f, 0.03f);
        float y = base - r * rnd.Range(0.55f, 0.8f);
        puffs.push_back({x, y, r});
        for (int k = 0; k < 2; ++k)
        {
            float a = -3.14159f * rnd.Range(0.3f, 0.7f);
            float rs = r * rnd.Range(0.38f, 0.55f);
            puffs.push_back({x + std::cos(a) * r * 0.8f, y + std::sin(a) * r * 0.8f, rs});
        }
    }

    TImage_s img;
    img.width = width;
    img.height = height;
    img.rgba.resize((size_t)width * height * 4);
    for (int py = 0; py < height; ++py)
    {
        for (int px = 0; px < width; ++px)
        {
            const float x = (px + 0.5f) / height, y = (py + 0.5f) / height;
            float field = 0;
            for (const TPuff_s& p : puffs)
            {
                float dx = x - p.x, dy = y - p.y;
                field += std::exp(-2.4f * (dx * dx + dy * dy) / (p.r * p.r));
            }
            const float n = Fractal(x * 7.0f, y * 7.0f, seed);
            field *= 0.72f + 0.56f * n;
            // A flat, slightly soft base.
            const float bottom = Smooth(base + 0.05f, base - 0.03f, y);
            float alpha = Smooth(0.22f, 0.8f, field) * bottom;
            const float u = x / aspect;
            const float edge = Smooth(0.0f, 0.06f, u) * Smooth(1.0f, 0.94f, u) *
                               Smooth(0.0f, 0.08f, y) * Smooth(1.0f, 0.92f, y);
            alpha *= edge * 0.94f;
            // Lit from above: white tops, a cool grey-blue towards the base; denser parts a
            // little brighter.
            const float shade =
                Smooth(base - 0.42f, base, y) * (1.0f - 0.35f * Smooth(0.8f, 2.0f, field));
            const float r = 1.0f - 0.20f * shade, g = 1.0f - 0.17f * shade,
                        b = 1.0f - 0.08f * shade;
            uint8_t* o = &img.rgba[((size_t)py * width + px) * 4];
            o[0] = (uint8_t)std::lround(r * 255);
            o[1] = (uint8_t)std::lround(g * 255);
            o[2] = (uint8_t)std::lround(b * 255);
            o[3] = (uint8_t)std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255);
        }
    }
    return img;
}

TImage_s PaintStar(int size)
{
    TImage_s img;
    img.width = size;
    img.height = size;
    img.rgba.resize((size_t)size * size * 4);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            float dx = (x + 0.5f) / size * 2 - 1, dy = (y + 0.5f) / size * 2 - 1;
            float r2 = dx * dx + dy * dy, r = std::sqrt(r2);
            float core = std::exp(-r2 / (2 * 0.05f * 0.05f));
            float halo = 0.45f * std::exp(-r2 / (2 * 0.22f * 0.22f));
            float rays = std::exp(-std::fabs(dy) / 0.025f) * std::exp(-std::fabs(dx) / 0.45f) +
                         std::exp(-std::fabs(dx) / 0.025f) * std::exp(-std::fabs(dy) / 0.45f);
            float du = (dx + dy) * 0.7071f, dv = (dx - dy) * 0.7071f;
            float diag =
                0.4f * (std::exp(-std::fabs(du) / 0.02f) * std::exp(-std::fabs(dv) / 0.2f) +
                        std::exp(-std::fabs(dv) / 0.02f) * std::exp(-std::fabs(du) / 0.2f));
            float a = std::min(1.0f, core + halo + 0.8f * rays + diag);
            a *= Smooth(1.0f, 0.8f, r); // clear edges
            float warm = std::exp(-r2 / (2 * 0.15f * 0.15f));
            uint8_t* o = &img.rgba[((size_t)y * size + x) * 4];
            o[0] = 255;
            o[1] = (uint8_t)std::lround(240 + 15 * warm);
            o[2] = (uint8_t)std::lround(215 + 40 * (1 - warm) * 0.5f + 20 * warm);
            o[3] = (uint8_t)std::lround(std::clamp(a, 0.0f, 1.0f) * 255);
        }
    }
    return img;
}
