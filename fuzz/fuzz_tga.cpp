// Fuzz target: the TGA decoders. Whatever the bytes, decoding must stay inside the block and
// inside the pixel buffer; an accepted image must have exactly the pixel bytes it reports.
#include <cstdlib>
#include <cstring>

#include "krFuzzInput.h"
#include "render/krTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput copy(data, size);
    krMemoryBlock block = copy.Block();

    TTGATexture* image = LoadFromMemoryBlockTGA(&block);
    if (image)
    {
        if (image->width == 0 || image->height == 0 ||
            (image->bitsPerPixel != 24 && image->bitsPerPixel != 32) || !image->pixels)
        {
            abort();
        }
        const uint64_t bytes = uint64_t(image->width) * image->height * (image->bitsPerPixel / 8);
        volatile uint8_t sum = 0;
        for (uint64_t i = 0; i < bytes; i++)
        {
            sum = uint8_t(sum + image->pixels[i]);
        }
        FreeTGATexture(image);
    }
    // Both decoders directly, whatever the header claims.
    TTGATexture t = {};
    if (ReadUncompressedTGA(&block, &t))
    {
        free(t.pixels);
    }
    t = TTGATexture{};
    if (ReadCompressedTGA(&block, &t))
    {
        free(t.pixels);
    }
    return 0;
}
