// krTexturedBox: a vertex array holding a textured w x h rectangle in the plane z = 0 with its
// corner (not its centre) at the local origin, uploaded on construction. Draw2 draws it as a
// camera-facing billboard.
#pragma once

#include <cstdint>

#include "render/krVertexArray.h"

// Layout of the box's texture coordinates.
enum TTextureBoxProjection : int32_t
{
    tbpNormal = 0,  // texture row v = 0 along the edge y = 0 (y up: the 3D scene)
    tbpFlipped = 1, // texture row v = 0 along the edge y = height (y down: the GUI)
};
// Any other value builds a box without texture coordinates; it is drawn untextured.

class krTexturedBox : public krVertexArray
{
public:
    // `flag` is stored and has no effect on the box.
    krTexturedBox(float width, float height, bool flag, TTextureBoxProjection projection);
    // New heap box, owned by the caller.
    static krTexturedBox* Create(float width, float height, bool flag,
                                 TTextureBoxProjection projection);
    ~krTexturedBox() override;

    float GetWidth() const;
    float GetHeight() const;
    // Billboard draw: translate to position, scale, turn to face `cameraPosition` (three
    // floats), then turn by `angle` degrees about the facing axis. The box's own angles are
    // not used.
    void Draw2(const float* cameraPosition, float angle);

    float width;
    float height;
    bool flag;
    TTextureBoxProjection projection;
};
