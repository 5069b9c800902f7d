// krString: an owned, zero-terminated wide string; null when it holds no text. Copied by
// assignment only. Also the free helpers krwcsdup and krExplode.
#pragma once

#include <cstdint>
#include <cwchar>

class krString
{
public:
    krString();
    krString(const wchar_t* text);
    explicit krString(const char* utf8);
    ~krString();

    krString(const krString&) = delete;

    const wchar_t* GetString() const { return text; }
    uint64_t Length() const;

    void Assign(const krString& other);
    krString& operator=(const wchar_t* other);
    krString& operator=(const krString& other);
    void Append(const wchar_t* tail);
    krString& operator+=(const wchar_t* tail);
    krString& operator+=(const krString& tail);

private:
    wchar_t* text;
};

// New malloc'ed copy of `text` including the terminator; null if it cannot be allocated.
wchar_t* krwcsdup(const wchar_t* text);

// Splits `text` at every occurrence of `delimiter`. Returns a new malloc'ed array of new
// malloc'ed pieces and stores their number in *count; null and 0 for the empty text.
wchar_t** krExplode(const wchar_t* text, const wchar_t* delimiter, int32_t* count);
