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
    // Shape in unit coordinates: u across 0..1, v down 0..1 (the picture is 2:1).
    TRandom_s rnd{seed * 7919u + 17u};
    std::vector<TPuff_s> puffs;
    const int count = 14;
    for (int i = 0; i < count; ++i)
    {
        float t = (i + 0.5f) / count;
        float u = 0.16f + 0.68f * t + rnd.Range(-0.03f, 0.03f);
        float hump = std::sin(t * 3.14159f); // taller in the middle
        float r = (0.07f + 0.09f * hump) * rnd.Range(0.8f, 1.2f);
        float v = 0.66f - r * 0.9f * rnd.Range(0.7f, 1.1f);
        puffs.push_back({u, v, r});
    }
    // A flat base.
    for (int i = 0; i < 6; ++i)
    {
        puffs.push_back({0.22f + 0.56f * (i + 0.5f) / 6, 0.68f, 0.07f});
    }

    TImage_s img;
    img.width = width;
    img.height = height;
    img.rgba.resize((size_t)width * height * 4);
    const float aspect = (float)width / height;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            float u = (x + 0.5f) / width, v = (y + 0.5f) / height;
            float density = 0;
            for (const TPuff_s& p : puffs)
            {
                float du = (u - p.x) * aspect * 0.5f, dv = (v - p.y) * 0.5f;
                float d2 = (du * du + dv * dv) / (p.r * p.r * 0.25f);
                density += std::exp(-d2 * 1.4f);
            }
            float n = Fractal(u * 9.0f, v * 4.5f, seed);
            density = density * (0.75f + 0.5f * n);
            // The bottom is flatter and greyer.
            float base = Smooth(0.74f, 0.66f, v);
            float alpha = Smooth(0.35f, 1.1f, density) * base;
            // Edges of the picture always clear.
            float edge = Smooth(0.0f, 0.08f, u) * Smooth(1.0f, 0.92f, u) * Smooth(0.0f, 0.1f, v) *
                         Smooth(1.0f, 0.9f, v);
            alpha *= edge * 0.88f;
            float shade =
                Smooth(0.25f, 0.7f, v) * 0.28f + (1.0f - std::min(density, 1.5f) / 1.5f) * 0.08f;
            float r = 1.0f - shade * 0.9f, g = 1.0f - shade * 0.8f, b = 1.0f - shade * 0.55f;
            uint8_t* o = &img.rgba[((size_t)y * width + x) * 4];
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
