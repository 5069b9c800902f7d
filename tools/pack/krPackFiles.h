// krPackFiles: whole-file output for vossa-pack that never leaves a partial file behind: the
// bytes go to a temporary file beside the target, which is renamed over it once complete.
#pragma once

#include <cstdint>
#include <string>

// Writes `size` bytes to `path` ("-" is standard output). On failure returns false, sets
// `reason` and leaves any existing file at `path` as it was.
bool krPackWriteFile(const std::string& path, const uint8_t* data, uint64_t size,
                     std::string& reason);
