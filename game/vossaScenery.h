// vossaScenery: the numbers of the game's scenery, free of OpenGL: the backdrop colours and
// rectangle, the light and the card material, the star line (a helix of stars spun along the
// chosen row, which fades over 62 frames and then sounds the choice), the star sphere of the
// reveal and the drift of the clouds.
#pragma once

#include <cstdint>

// The two backdrop colours: bottom edge (r1, g1, b1) and top edge (r2, g2, b2), the fields of
// the player's settings record (PlayerSettings). Saved in the settings file and changed by a
// double click in the top-right corner.
extern float &r1, &g1, &b1, &r2, &g2, &b2;
// Position of light 0 (a directional light along +z) and the emission of the card material.
extern float light_pos[4];
extern float mat_emission[4];

const int32_t kStarCount = 50;

// The backdrop: a 24 x 14 rectangle of two triangles in the plane z = 0, drawn at
// (-12, -6, -10); bottom vertices take (r1, g1, b1), top ones (r2, g2, b2).
const int32_t kBackdropVertexCount = 6;
void BackdropVertices(float (*vertices)[3]);
void BackdropColors(float (*colors)[4]);
extern const float kBackdropPosition[3];

// The star line: the stars on a helix of radius 1.5 around the line y = lineY, z = 0, from
// x = -8.5 in steps of 0.35, turning 50 degrees from one star to the next.
void StarLinePositions(float (*positions)[3], float lineY);

// One star line, frame by frame. Start() lays the helix out, opaque; each Step() turns it 10
// degrees about its axis and fades it by 0.016. The step that finds the frame count above 60
// (the 62nd) hides the line and asks for the choice sound, exactly once.
class vossaStarLine
{
public:
    vossaStarLine();
    void Start(float lineY);
    // One frame, the line turning `turn` degrees about its axis; true when the choice sound is
    // to play now.
    bool Step(float turn = -10.0f);

    bool IsVisible() const { return visible; }
    float GetAlpha() const { return alpha; }
    int32_t GetFrame() const { return frame; }
    const float (*GetPositions() const)[3] { return positions; }

private:
    float positions[kStarCount][3];
    float lineY;
    float alpha;
    int32_t frame;
    bool visible;
};

// The star sphere: every star at a random distance between 3*sqrt(3) and 4.5*sqrt(3) from
// (0, 0, -5), each with a random spin in [-3, -1] degrees per frame.
void StarSpherePositions(float (*positions)[3], float* spins);

// One frame of a cloud's drift: left by 0.02 while its right edge (x + width * scale) lies
// beyond its own z (true). Otherwise the cloud is left where it is and false tells the caller
// to bring it back in at x = kCloudReentryX and a new random height.
const float kCloudReentryX = 9.0f;
bool CloudDrift(float* position, float width, float scale);
