// krGUIPicture: an image from a crunched TGA block, stretched over the control's rectangle.
// The picture draws where it was constructed; it does not follow a parent it is appended to.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"
#include "gui/krGUIObject.h"

class krTexturedBox;

class krGUIPicture : public krGUIObject
{
public:
    // `image` is only read (null or undecodable: the quad is drawn without a usable texture).
    krGUIPicture(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height,
                 const krMemoryBlock* image);
    static krGUIPicture* Create(uint32_t id, int32_t left, int32_t top, int32_t width,
                                int32_t height, const krMemoryBlock* image);
    // Deletes the box with its texture, then the children.
    ~krGUIPicture() override;

    void Draw() override;

    // Borrowed.
    krTexturedBox* GetBox() const { return box; }

protected:
    krTexturedBox* box; // owned
};
