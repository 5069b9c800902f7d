// Fuzz target: UTF-8 decoding. No read past the byte count, the count and the decode passes
// agree, a capacity is honoured, and decode(encode(decode(x))) equals decode(x).
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "data/krString.h"
#include "data/krUTF8.h"
#include "krFuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput input(data, size);
    const char* bytes = input.Text();

    uint64_t count = krUTF8Decode(bytes, size, nullptr, 0);
    if (count > size)
        abort();
    wchar_t* chars = (wchar_t*)malloc((count ? count : 1) * sizeof(wchar_t));
    if (krUTF8Decode(bytes, size, chars, count) != count)
        abort();
    if (count > 1 && krUTF8Decode(bytes, size, chars, count / 2) != count / 2)
        abort();
    krUTF8Decode(bytes, size, chars, count); // restore the full decode

    uint64_t encodedSize = krUTF8Encode(chars, count, nullptr, 0);
    char* encoded = (char*)malloc(encodedSize ? encodedSize : 1);
    if (krUTF8Encode(chars, count, encoded, encodedSize) != encodedSize)
        abort();
    wchar_t* again = (wchar_t*)malloc((encodedSize ? encodedSize : 1) * sizeof(wchar_t));
    uint64_t againCount = krUTF8Decode(encoded, encodedSize, again, 0);
    if (againCount != count || (count && memcmp(again, chars, count * sizeof(wchar_t)) != 0))
        abort();

    // The zero-terminated wrappers and the string class over the same bytes.
    char* terminated = (char*)malloc(size + 1);
    if (size)
        memcpy(terminated, data, size);
    terminated[size] = 0;
    wchar_t* wide = krMBStrToWchar(terminated);
    char* narrow = krWcharToMBStr(wide);
    krString text(terminated);
    if (text.Length() != wcslen(wide))
        abort();
    text += wide;
    free(narrow);
    free(wide);
    free(terminated);
    free(again);
    free(encoded);
    free(chars);
    return 0;
}
