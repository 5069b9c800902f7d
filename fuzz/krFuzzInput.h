// krFuzzInput: the fuzzer's bytes in a private heap copy of exactly their size, so that
// AddressSanitizer catches any read past the end (the fuzzer's own buffer may be larger).
// Freed when it goes out of scope.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/krMemoryBlock.h"

class krFuzzInput
{
public:
    krFuzzInput(const uint8_t* data, size_t count)
        : bytes(static_cast<uint8_t*>(malloc(count ? count : 1))), size(count)
    {
        if (count)
        {
            memcpy(bytes, data, count);
        }
    }
    ~krFuzzInput() { free(bytes); }
    krFuzzInput(const krFuzzInput&) = delete;
    krFuzzInput& operator=(const krFuzzInput&) = delete;

    krMemoryBlock Block() const { return krMemoryBlock{bytes, size}; }
    char* Text() const { return reinterpret_cast<char*>(bytes); }

    uint8_t* const bytes;
    const size_t size;
};
