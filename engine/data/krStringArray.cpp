// krStringArray: an ordered list of owned krString lines, loaded from UTF-8 text that is
// split at CR LF. Every load appends.
#include "data/krStringArray.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>

#include "data/krUTF8.h"

const wchar_t krStringArray::EOL[3] = {L'\r', L'\n', 0};

krStringArray::krStringArray() : lines(nullptr), lineCount(0) {}

krStringArray::~krStringArray()
{
    Clear();
}

void krStringArray::Clear()
{
    for (uint64_t i = 0; i < lineCount; i++)
        delete lines[i];
    free(lines);
    lines = nullptr;
    lineCount = 0;
}

void krStringArray::AppendLine(const wchar_t* text)
{
    krString** grown = (krString**)realloc(lines, (size_t)(lineCount + 1) * sizeof(krString*));
    if (!grown)
        return;
    lines = grown;
    krString* line = new (std::nothrow) krString(text);
    if (!line)
        return;
    lines[lineCount] = line;
    lineCount++;
}

krString* krStringArray::GetLine(uint64_t index) const
{
    return index < lineCount ? lines[index] : nullptr;
}

uint64_t krStringArray::GetLinesCounf() const
{
    return lineCount;
}

// Appends `len` characters from `from` as one line (through a zero-terminated copy).
static void AppendPiece(krStringArray* array, const wchar_t* from, uint64_t len)
{
    wchar_t* piece = (wchar_t*)malloc((size_t)(len + 1) * sizeof(wchar_t));
    if (!piece)
        return;
    if (len)
        memcpy(piece, from, (size_t)len * sizeof(wchar_t));
    piece[len] = 0;
    array->AppendLine(piece);
    free(piece);
}

void krStringArray::ParseBuffer(const wchar_t* buffer, uint64_t count, const wchar_t* separator,
                                uint64_t separatorLength)
{
    if (!buffer || count == 0)
        return;
    uint64_t start = 0;
    if (separator && separatorLength > 0)
    {
        uint64_t i = 0;
        while (i < count && separatorLength <= count - i)
        {
            if (wmemcmp(buffer + i, separator, (size_t)separatorLength) == 0)
            {
                AppendPiece(this, buffer + start, i - start);
                start = i + separatorLength;
                i = start;
            }
            else
            {
                i++;
            }
        }
    }
    if (start < count)
        AppendPiece(this, buffer + start, count - start);
}

bool krStringArray::LoadFromMemoryBlock(const krMemoryBlock* block)
{
    if (!block || (block->size && !block->data))
        return false;
    if (block->size == 0)
        return true;
    // One character per byte is enough for any decoding.
    wchar_t* chars = (wchar_t*)malloc((size_t)block->size * sizeof(wchar_t));
    if (!chars)
        return false;
    uint64_t n = krUTF8Decode((const char*)block->data, block->size, chars, block->size);
    ParseBuffer(chars, n, EOL, 2);
    free(chars);
    return true;
}

bool krStringArray::LoadFromCrunchedMemoryBlock(const krMemoryBlock* block)
{
    krMemoryBlock* plain = krDecrunchMemoryBlock(block);
    if (!plain)
        return false;
    bool ok = LoadFromMemoryBlock(plain);
    krFreeMemoryBlock(plain);
    return ok;
}

bool krStringArray::LoadFromFile(const char* path)
{
    if (!path)
        return false;
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    // Only a regular file has a whole-file size: a folder opens here too, and its end
    // position is a meaningless huge number.
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
    {
        fclose(file);
        return false;
    }
    bool ok = false;
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size >= 0 && fseek(file, 0, SEEK_SET) == 0)
    {
        uint8_t* bytes = (uint8_t*)malloc(size ? (size_t)size : 1);
        if (bytes && fread(bytes, 1, (size_t)size, file) == (size_t)size)
        {
            krMemoryBlock view = {bytes, (uint64_t)size};
            ok = LoadFromMemoryBlock(&view);
        }
        free(bytes);
    }
    fclose(file);
    return ok;
}
