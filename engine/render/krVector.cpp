// krVector: vector, point-list, random and direction helpers over plain float arrays.
// Rotations follow glRotatef's sense; sine and cosine are taken in double precision and the
// results stored as floats.
#include "render/krVector.h"

#include <cmath>
#include <cstdlib>

namespace
{
const float kPi = 3.1415927f;
const float kTwoPi = 6.2831855f;
// rand() scaled by 2^-31: a value in [0, 1] whatever the generator's maximum is up to 2^31 - 1.
const float kRandScale = 4.656613e-10f;
} // namespace

float ToRadf(float degrees)
{
    return degrees * kPi / 180.0f;
}

float ToDegf(float radians)
{
    return radians * 180.0f / kPi;
}

void InitVect(float* v, float x, float y, float z)
{
    v[0] = x;
    v[1] = y;
    v[2] = z;
}

void InitVect4(float* v, float x, float y, float z, float w)
{
    v[0] = x;
    v[1] = y;
    v[2] = z;
    v[3] = w;
}

void CopyVect(float* dst, const float* src)
{
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
}

void CopyVect4(float* dst, const float* src)
{
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    dst[3] = src[3];
}

void ChangeVect(float* a, float* b)
{
    for (int i = 0; i < 3; i++)
    {
        float t = a[i];
        a[i] = b[i];
        b[i] = t;
    }
}

void TranslateVect3f(float* v, float dx, float dy, float dz)
{
    v[0] += dx;
    v[1] += dy;
    v[2] += dz;
}

void RotateVectX(const float* src, float* dst, float radians)
{
    double c = std::cos((double)radians);
    double s = std::sin((double)radians);
    dst[0] = src[0];
    dst[1] = (float)(src[1] * c - src[2] * s);
    dst[2] = (float)(src[1] * s + src[2] * c);
}

void RotateVectY(const float* src, float* dst, float radians)
{
    double c = std::cos((double)radians);
    double s = std::sin((double)radians);
    dst[0] = (float)(src[0] * c + src[2] * s);
    dst[1] = src[1];
    dst[2] = (float)(src[2] * c - src[0] * s);
}

void RotateVectZ(const float* src, float* dst, float radians)
{
    double c = std::cos((double)radians);
    double s = std::sin((double)radians);
    dst[0] = (float)(src[0] * c - src[1] * s);
    dst[1] = (float)(src[0] * s + src[1] * c);
    dst[2] = src[2];
}

void RotateVect4X(const float* src, float* dst, float radians)
{
    RotateVectX(src, dst, radians);
    dst[3] = src[3];
}

void ScaleMatrix(float* points, float s, uint64_t n)
{
    for (uint64_t i = 0; i < n * 3; i++)
        points[i] *= s;
}

void ScaleMatrix3f(float* points, float sx, float sy, float sz, uint64_t n)
{
    for (uint64_t i = 0; i < n; i++)
    {
        float* p = points + i * 3;
        p[0] *= sx;
        p[1] *= sy;
        p[2] *= sz;
    }
}

void TranslateMatrix3f(float* points, float dx, float dy, float dz, uint64_t n)
{
    for (uint64_t i = 0; i < n; i++)
        TranslateVect3f(points + i * 3, dx, dy, dz);
}

void MoveMatrix(float* points, float dx, float dy, float dz, uint64_t n)
{
    TranslateMatrix3f(points, dx, dy, dz, n);
}

// Rotates the (a, b) components of a point by the angle whose cosine and sine are c and s:
// a' = a c - b s, b' = a s + b c. Both are read before either is written.
static void RotatePair(float* a, float* b, double c, double s)
{
    double x = *a;
    double y = *b;
    *a = (float)(x * c - y * s);
    *b = (float)(x * s + y * c);
}

void RotateMatrixX(float* points, float degrees, uint64_t n)
{
    if (n == 0)
        return;
    double r = ToRadf(degrees);
    double c = std::cos(r);
    double s = std::sin(r);
    for (uint64_t i = 0; i < n; i++)
        RotatePair(points + i * 3 + 1, points + i * 3 + 2, c, s);
}

void RotateMatrixY(float* points, float degrees, uint64_t n)
{
    if (n == 0)
        return;
    double r = ToRadf(degrees);
    double c = std::cos(r);
    double s = std::sin(r);
    // About y the pair is (z, x): z' = z c - x s, x' = z s + x c.
    for (uint64_t i = 0; i < n; i++)
        RotatePair(points + i * 3 + 2, points + i * 3, c, s);
}

void RotateMatrixZ(float* points, float degrees, uint64_t n)
{
    if (n == 0)
        return;
    double r = ToRadf(degrees);
    double c = std::cos(r);
    double s = std::sin(r);
    for (uint64_t i = 0; i < n; i++)
        RotatePair(points + i * 3, points + i * 3 + 1, c, s);
}

void RotateMatrixZ(float* points, const float* angles, uint64_t n)
{
    for (uint64_t i = 0; i < n; i++)
    {
        double r = ToRadf(angles[i]);
        RotatePair(points + i * 3, points + i * 3 + 1, std::cos(r), std::sin(r));
    }
}

void CopyMatrix(float* dst, const float* src, uint64_t n)
{
    for (uint64_t i = 0; i < n * 3; i++)
        dst[i] = src[i];
}

float randfloat()
{
    return (float)rand() * kRandScale;
}

float Randf(float a, float b)
{
    float r = randfloat();
    float lo = a < b ? a : b;
    float hi = a < b ? b : a;
    float v = (a > b) ? b + r * (a - b) : a + r * (b - a);
    // Keep rounding from stepping outside the range.
    if (v < lo)
        v = lo;
    if (v > hi)
        v = hi;
    return v;
}

void RandomMatrix(float* values, float lo, float hi, uint64_t n)
{
    for (uint64_t i = 0; i < n; i++)
        values[i] = Randf(lo, hi);
}

float GetAngle(float x1, float y1, float x2, float y2)
{
    float dx = x2 - x1;
    float dy = y2 - y1;
    float a = (float)std::atan((double)(dy / dx));
    if (dx < 0 && dy != 0)
        a += kPi;
    else if (dx > 0 && dy < 0)
        a += kTwoPi;
    return a * 180.0f / kPi;
}
