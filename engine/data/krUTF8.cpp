// krUTF8: UTF-8 <-> wide string conversion for code points up to U+FFFF. Invalid input never
// stops decoding: every lead byte yields exactly one character, and a stray byte decodes to a
// negative character that encodes back to the same byte.
#include "data/krUTF8.h"

#include <cstdlib>
#include <cstring>

uint64_t krUTF8Decode(const char* bytes, uint64_t byteCount, wchar_t* out, uint64_t capacity)
{
    if (!bytes)
        return 0;
    const uint8_t* b = (const uint8_t*)bytes;
    uint64_t pos = 0;
    uint64_t count = 0;
    while (pos < byteCount)
    {
        uint8_t lead = b[pos];
        uint64_t left = byteCount - pos;
        wchar_t c;
        if (lead >= 0xE0 && left >= 3)
        {
            c = (wchar_t)(((lead & 0x0F) << 12) | ((b[pos + 1] & 0x3F) << 6) | (b[pos + 2] & 0x3F));
            pos += 3;
        }
        else if (lead >= 0xC0 && lead <= 0xDF && left >= 2)
        {
            c = (wchar_t)(((lead & 0x1F) << 6) | (b[pos + 1] & 0x3F));
            pos += 2;
        }
        else
        {
            // A plain byte, a stray continuation byte, or a lead byte whose sequence is cut
            // off by the end of the input: one character, the byte read as signed 8-bit.
            c = (wchar_t)(int8_t)lead;
            pos += 1;
        }
        if (out)
            out[count] = c;
        count++;
        if (capacity && count >= capacity)
            break;
    }
    return count;
}

uint64_t krUTF8Encode(const wchar_t* chars, uint64_t count, char* out, uint64_t capacity)
{
    if (!chars)
        return 0;
    uint64_t size = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        int32_t v = (int32_t)chars[i];
        uint8_t seq[3];
        uint64_t n;
        if (v <= 0x7F)
        {
            seq[0] = (uint8_t)(v & 0xFF);
            n = 1;
        }
        else if (v <= 0x7FF)
        {
            seq[0] = (uint8_t)(0xC0 | (v >> 6));
            seq[1] = (uint8_t)(0x80 | (v & 0x3F));
            n = 2;
        }
        else if (v <= 0xFFFF)
        {
            seq[0] = (uint8_t)(0xE0 | (v >> 12));
            seq[1] = (uint8_t)(0x80 | ((v >> 6) & 0x3F));
            seq[2] = (uint8_t)(0x80 | (v & 0x3F));
            n = 3;
        }
        else
        {
            continue; // above U+FFFF: dropped
        }
        if (capacity && size + n > capacity)
            break;
        if (out)
            memcpy(out + size, seq, (size_t)n);
        size += n;
    }
    return size;
}

wchar_t* krMBStrToWchar(const char* utf8)
{
    if (!utf8)
        return nullptr;
    uint64_t bytes = strlen(utf8);
    uint64_t count = krUTF8Decode(utf8, bytes, nullptr, 0);
    wchar_t* text = (wchar_t*)malloc((size_t)(count + 1) * sizeof(wchar_t));
    if (!text)
        return nullptr;
    uint64_t done = count ? krUTF8Decode(utf8, bytes, text, count) : 0;
    text[done] = 0;
    return text;
}

char* krWcharToMBStr(const wchar_t* text)
{
    if (!text)
        return nullptr;
    uint64_t chars = wcslen(text);
    uint64_t size = krUTF8Encode(text, chars, nullptr, 0);
    char* out = (char*)malloc((size_t)size + 1);
    if (!out)
        return nullptr;
    uint64_t done = size ? krUTF8Encode(text, chars, out, size) : 0;
    out[done] = 0;
    return out;
}
