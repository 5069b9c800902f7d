// Fuzz target: the glyph block parser (the CPU half of font loading). Hostile blocks must be
// refused or parsed without reading past the block; an accepted block must save back to the
// very same bytes, and measuring any text must stay inside the glyph array.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "krFuzzInput.h"
#include "render/krFont.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput copy(data, size);
    krMemoryBlock block = copy.Block();

    krFont font(ftYDown);
    if (font.ParseGlyphBlock(&block))
    {
        uint64_t savedSize = 0;
        uint8_t* saved = font.SaveToMemory(&savedSize);
        if (savedSize != size || (size && memcmp(saved, copy.bytes, size) != 0))
        {
            abort();
        }
        free(saved);
    }
    // The input bytes read as character codes, negative ones included.
    const size_t count = size / sizeof(wchar_t);
    wchar_t* text = static_cast<wchar_t*>(calloc(count + 1, sizeof(wchar_t)));
    if (count)
    {
        memcpy(text, copy.bytes, count * sizeof(wchar_t));
    }
    volatile float width = font.GetWidth(text);
    (void)width;
    free(text);
    return 0;
}
