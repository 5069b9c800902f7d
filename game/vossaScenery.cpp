// vossaScenery: backdrop, light, star and cloud numbers.
#include "vossaScenery.h"

#include <cmath>
#include <cstring>

#include "render/krVector.h"
#include "vossaSettings.h"

float& r1 = PlayerSettings.red1;
float& g1 = PlayerSettings.green1;
float& b1 = PlayerSettings.blue1;
float& r2 = PlayerSettings.red2;
float& g2 = PlayerSettings.green2;
float& b2 = PlayerSettings.blue2;
float light_pos[4] = {0.0f, 0.0f, 20.0f, 0.0f};
float mat_emission[4] = {0.4f, 0.4f, 0.4f, 0.0f};

const float kBackdropPosition[3] = {-12.0f, -6.0f, -10.0f};

void BackdropVertices(float (*vertices)[3])
{
    static const float corners[kBackdropVertexCount][3] = {
        {24, 0, 0}, {0, 0, 0}, {0, 14, 0}, {0, 14, 0}, {24, 14, 0}, {24, 0, 0},
    };
    std::memcpy(vertices, corners, sizeof(corners));
}

void BackdropColors(float (*colors)[4])
{
    const float bottom[4] = {r1, g1, b1, 1.0f};
    const float top[4] = {r2, g2, b2, 1.0f};
    const bool isTop[kBackdropVertexCount] = {false, false, true, true, true, false};
    for (int32_t i = 0; i < kBackdropVertexCount; ++i)
    {
        std::memcpy(colors[i], isTop[i] ? top : bottom, sizeof(bottom));
    }
}

void StarLinePositions(float (*positions)[3], float lineY)
{
    float x = -8.5f;
    for (int32_t i = 0; i < kStarCount; ++i)
    {
        const double a = (50.0f * i) * -3.1415927 / 180.0;
        positions[i][0] = x;
        positions[i][1] = static_cast<float>(lineY + 1.5 * std::sin(a));
        positions[i][2] = static_cast<float>(1.5 * std::cos(a));
        x += 0.35f;
    }
}

vossaStarLine::vossaStarLine() : lineY(0.0f), alpha(0.0f), frame(0), visible(false)
{
    std::memset(positions, 0, sizeof(positions));
}

void vossaStarLine::Start(float y)
{
    lineY = y;
    StarLinePositions(positions, lineY);
    alpha = 1.0f;
    frame = 0;
    visible = true;
}

bool vossaStarLine::Step(float turn)
{
    if (!visible)
    {
        return false;
    }
    MoveMatrix(&positions[0][0], 0.0f, -lineY, 0.0f, kStarCount);
    RotateMatrixX(&positions[0][0], turn, kStarCount);
    MoveMatrix(&positions[0][0], 0.0f, lineY, 0.0f, kStarCount);
    bool sound = false;
    if (frame > 60)
    {
        visible = false;
        sound = true;
    }
    alpha -= 0.016f;
    ++frame;
    return sound;
}

void StarSpherePositions(float (*positions)[3], float* spins)
{
    for (int32_t i = 0; i < kStarCount; ++i)
    {
        float v[3] = {Randf(3.0f, 4.5f), Randf(3.0f, 4.5f), Randf(3.0f, 4.5f)};
        float w[3];
        RotateVectY(v, w, Randf(0.0f, 6.28f));
        RotateVectX(w, v, Randf(0.0f, 6.28f));
        RotateVectZ(v, positions[i], Randf(0.0f, 6.28f));
        spins[i] = Randf(-1.0f, -3.0f);
    }
    TranslateMatrix3f(&positions[0][0], 0.0f, 0.0f, -5.0f, kStarCount);
}

bool CloudDrift(float* position, float width, float scale)
{
    if (position[0] + width * scale > position[2])
    {
        position[0] -= 0.02f;
        return true;
    }
    return false;
}
