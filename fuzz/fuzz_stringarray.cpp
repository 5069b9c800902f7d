// Fuzz target: string-array loading from UTF-8 bytes (plain and crunched) and wide-string
// splitting. Lines never outnumber what the bytes can hold.
#include <cstdlib>
#include <cstring>

#include "data/krString.h"
#include "data/krStringArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    krMemoryBlock* block = krAllocMemoryBlock(size);
    if (size)
        memcpy(block->data, data, size);

    krStringArray lines;
    if (!lines.LoadFromMemoryBlock(block))
        abort();
    uint64_t count = lines.GetLinesCounf();
    if (count > size / 2 + 1)
        abort();
    for (uint64_t i = 0; i < count; i++)
    {
        const krString* line = lines.GetLine(i);
        if (!line)
            abort();
        line->Length();
    }
    if (lines.LoadFromCrunchedMemoryBlock(block) && lines.GetLinesCounf() < count)
        abort();

    // Split the first line at a delimiter taken from its own first characters.
    if (count && lines.GetLine(0)->GetString())
    {
        const wchar_t* text = lines.GetLine(0)->GetString();
        wchar_t delimiter[3] = {0, 0, 0};
        wcsncpy(delimiter, text, size % 3);
        int32_t pieces = 0;
        wchar_t** parts = krExplode(text, delimiter, &pieces);
        for (int32_t i = 0; i < pieces; i++)
            free(parts[i]);
        free(parts);
    }
    lines.Clear();
    if (lines.GetLinesCounf() != 0)
        abort();
    krFreeMemoryBlock(block);
    return 0;
}
