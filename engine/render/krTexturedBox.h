// krTexturedBox: a vertex array holding a textured w x h rectangle in the plane z = 0 with its
// corner (not its centre) at the local origin, uploaded on construction. Draw2 draws it as a
// camera-facing billboard.
//
// A box whose texture is mostly transparent may be trimmed (TrimToTexture): Draw then draws
// only the rectangle of it that can show, which spares the software renderer the fragments
// of the transparent rest.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"
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

    // From now on Draw draws only the part of the box over the texels of `block` (a crunched
    // TGA: the box's texture) whose alpha is above 0, widened by a texel each way for linear
    // filtering; an axis on which that part reaches the image's edge stays whole (the repeat
    // wrap filters across it). Only for a box drawn so that a texel of alpha 0 leaves no mark:
    // blended by source alpha or alpha-tested, without depth writes. False, and the box drawn
    // whole, for an image that does not decode, has no alpha or no texel above 0.
    bool TrimToTexture(const krMemoryBlock* block);
    // Whole box again.
    void Untrim();
    // Draws the trimmed part when there is one, else the whole box.
    void Draw() override;

    float width;
    float height;
    bool flag;
    TTextureBoxProjection projection;
    // The drawn part in texture coordinates (u0, v0, u1, v1); 0, 0, 1, 1 when whole.
    float part[4];
    uint32_t partVertexBuffer;   // owned; 0 when whole
    uint32_t partTexCoordBuffer; // owned; 0 when whole
};
