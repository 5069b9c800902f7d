// krPackCheck: inspects a resource archive image byte by byte and says what is wrong with it,
// in one line, without trusting any of its fields.
#pragma once

#include <cstdint>
#include <string>

#include "data/krMemoryBlock.h"

enum TPackCheck
{
    pcSound,   // the engine loads it and nothing is odd
    pcOdd,     // the engine loads it, but the writer never produces it (reason says why)
    pcRefused, // the engine refuses it (reason says why)
};

struct TPackCheckResult_s
{
    TPackCheck verdict;
    std::string reason; // empty for pcSound
    uint64_t entries;   // directory records (valid unless pcRefused)
    uint64_t dataSize;  // bytes of entry data named by the directory
};

// Checks an archive image. The image is only read; it is not changed.
TPackCheckResult_s krPackCheckImage(const krMemoryBlock* image);
