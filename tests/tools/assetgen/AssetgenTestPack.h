// Test helpers: the pack the build generated, loaded once per process, and decrunched copies
// of its entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/krResource.h"

// The archive read from the build's run folder; null when it cannot be read.
const krResource* krTestPack();
// Decrunched bytes of entry `name`; empty when it is missing or does not decrunch.
std::vector<uint8_t> krTestPackEntry(const std::string& name);
