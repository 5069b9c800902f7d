// krGUIPicture: a crunched TGA image stretched over the control's rectangle.
#include "gui/krGUIPicture.h"

#include "render/krTexturedBox.h"

krGUIPicture::krGUIPicture(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height,
                           const krMemoryBlock* image)
    : krGUIObject(id, left, top, width, height), box(nullptr)
{
    box =
        new krTexturedBox(static_cast<float>(width), static_cast<float>(height), false, tbpFlipped);
    if (image)
    {
        box->TextureFromCrunchedMemoryBlock(image);
        // The GUI draws blended by source alpha without depth writes: the picture's fully
        // transparent margins need no drawing.
        box->TrimToTexture(image);
    }
    box->SetPosition(static_cast<float>(left), static_cast<float>(top), 0.0f);
}

krGUIPicture* krGUIPicture::Create(uint32_t id, int32_t left, int32_t top, int32_t width,
                                   int32_t height, const krMemoryBlock* image)
{
    return new krGUIPicture(id, left, top, width, height, image);
}

krGUIPicture::~krGUIPicture()
{
    delete box;
    box = nullptr;
}

void krGUIPicture::Draw()
{
    box->Draw();
}
