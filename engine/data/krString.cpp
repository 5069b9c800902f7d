// krString: an owned, zero-terminated wide string (null when it holds no text), plus krwcsdup
// and krExplode. All buffers are malloc'ed and released with free.
#include "data/krString.h"

#include <cstdlib>
#include <cstring>

#include "data/krUTF8.h"

wchar_t* krwcsdup(const wchar_t* text)
{
    if (!text)
        return nullptr;
    size_t n = wcslen(text) + 1;
    wchar_t* copy = (wchar_t*)malloc(n * sizeof(wchar_t));
    if (copy)
        memcpy(copy, text, n * sizeof(wchar_t));
    return copy;
}

krString::krString() : text(nullptr) {}

krString::krString(const wchar_t* other) : text(other ? krwcsdup(other) : nullptr) {}

krString::krString(const char* utf8) : text(utf8 ? krMBStrToWchar(utf8) : nullptr) {}

krString::~krString()
{
    free(text);
}

uint64_t krString::Length() const
{
    return text ? wcslen(text) : 0;
}

void krString::Assign(const krString& other)
{
    *this = other.text;
}

krString& krString::operator=(const wchar_t* other)
{
    // Copy before releasing: `other` may point into our own text.
    wchar_t* copy = other ? krwcsdup(other) : nullptr;
    free(text);
    text = copy;
    return *this;
}

krString& krString::operator=(const krString& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

void krString::Append(const wchar_t* tail)
{
    if (!tail)
        return;
    size_t n = text ? wcslen(text) : 0;
    size_t m = wcslen(tail);
    // The tail may lie inside our own text, which the reallocation can move.
    bool inside = text && tail >= text && tail <= text + n;
    size_t offset = inside ? (size_t)(tail - text) : 0;
    wchar_t* grown = (wchar_t*)realloc(text, (n + m + 1) * sizeof(wchar_t));
    if (!grown)
        return;
    text = grown;
    if (inside)
        tail = text + offset;
    memmove(text + n, tail, m * sizeof(wchar_t));
    text[n + m] = 0;
}

krString& krString::operator+=(const wchar_t* tail)
{
    Append(tail);
    return *this;
}

krString& krString::operator+=(const krString& tail)
{
    Append(tail.text);
    return *this;
}

// Appends a new piece holding `len` characters from `from`; false when memory runs out.
static bool AddPiece(wchar_t*** pieces, int32_t* count, const wchar_t* from, size_t len)
{
    wchar_t* piece = (wchar_t*)malloc((len + 1) * sizeof(wchar_t));
    if (!piece)
        return false;
    memcpy(piece, from, len * sizeof(wchar_t));
    piece[len] = 0;
    wchar_t** grown = (wchar_t**)realloc(*pieces, (size_t)(*count + 1) * sizeof(wchar_t*));
    if (!grown)
    {
        free(piece);
        return false;
    }
    grown[*count] = piece;
    *pieces = grown;
    (*count)++;
    return true;
}

wchar_t** krExplode(const wchar_t* text, const wchar_t* delimiter, int32_t* count)
{
    int32_t pieceCount = 0;
    if (count)
        *count = 0;
    if (!text || !text[0])
        return nullptr;
    size_t n = wcslen(text);
    size_t k = delimiter ? wcslen(delimiter) : 0;
    wchar_t** pieces = nullptr;
    size_t start = 0;
    bool ok = true;
    if (k > 0)
    {
        // A match is skipped as a whole, so a delimiter that can overlap itself ("--" in
        // "---") never yields a piece that ends before it starts.
        size_t j = 0;
        while (ok && j + k <= n)
        {
            if (wmemcmp(text + j, delimiter, k) == 0)
            {
                ok = AddPiece(&pieces, &pieceCount, text + start, j - start);
                start = j + k;
                j += k;
            }
            else
            {
                j++;
            }
        }
    }
    if (ok)
        ok = AddPiece(&pieces, &pieceCount, text + start, n - start);
    if (!ok)
    {
        for (int32_t i = 0; i < pieceCount; i++)
            free(pieces[i]);
        free(pieces);
        return nullptr;
    }
    if (count)
        *count = pieceCount;
    return pieces;
}
