// vossaCardFaces: face entry names and the choice of the suits' colours.
#include "vossaCardFaces.h"

#include <cstdio>

#include "data/krResource.h"

bool CardFaceName(char* out, size_t size, int32_t face, bool fourColours, bool highQuality)
{
    const int written = std::snprintf(out, size, "texture_%d%s%s", static_cast<int>(face),
                                      fourColours ? "_fourcolour" : "", highQuality ? "" : "_low");
    return written > 0 && static_cast<size_t>(written) < size;
}

bool UseFourColourFaces(const krResource* archive, int32_t count, bool wanted, bool highQuality)
{
    if (!wanted || archive == nullptr)
    {
        return false;
    }
    char name[64];
    for (int32_t face = 0; face < count; ++face)
    {
        if (!CardFaceName(name, sizeof(name), face, true, highQuality) ||
            !archive->ResourceExists(name))
        {
            return false;
        }
    }
    return true;
}
