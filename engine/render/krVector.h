// krVector: free functions over plain float arrays. A vector is three floats (x, y, z), a
// Vector4 four; a "matrix" here is a point list of n float triples transformed in place.
// Per-vector rotations take radians, point-list rotations degrees.
#pragma once

#include <cstdint>

float ToRadf(float degrees);
float ToDegf(float radians);

void InitVect(float* v, float x, float y, float z);
void InitVect4(float* v, float x, float y, float z, float w);
void CopyVect(float* dst, const float* src);
void CopyVect4(float* dst, const float* src);
void ChangeVect(float* a, float* b);
void TranslateVect3f(float* v, float dx, float dy, float dz);
// dst = src rotated by `radians`; src and dst must be different arrays.
void RotateVectX(const float* src, float* dst, float radians);
void RotateVectY(const float* src, float* dst, float radians);
void RotateVectZ(const float* src, float* dst, float radians);
void RotateVect4X(const float* src, float* dst, float radians);

void ScaleMatrix(float* points, float s, uint64_t n);
void ScaleMatrix3f(float* points, float sx, float sy, float sz, uint64_t n);
void TranslateMatrix3f(float* points, float dx, float dy, float dz, uint64_t n);
void MoveMatrix(float* points, float dx, float dy, float dz, uint64_t n);
void RotateMatrixX(float* points, float degrees, uint64_t n);
void RotateMatrixY(float* points, float degrees, uint64_t n);
void RotateMatrixZ(float* points, float degrees, uint64_t n);
// Point i rotated about z by angles[i] degrees.
void RotateMatrixZ(float* points, const float* angles, uint64_t n);
void CopyMatrix(float* dst, const float* src, uint64_t n);

// Uniform float between the smaller and the larger of a and b (rand() based).
float Randf(float a, float b);
// Uniform float in [0, 1].
float randfloat();
// Fills n consecutive floats with Randf(lo, hi).
void RandomMatrix(float* values, float lo, float hi, uint64_t n);

// Direction from (x1, y1) to (x2, y2) in degrees.
float GetAngle(float x1, float y1, float x2, float y2);
