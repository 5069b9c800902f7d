// VorbisWriter: Ogg Vorbis files from float samples with libvorbisenc (variable bit rate by
// quality). The Ogg stream serial number is fixed, so equal input gives equal bytes.
#pragma once

#include <cstdint>
#include <vector>

// `samples` interleaved, `channels` per frame, values in −1..1. Empty on failure.
std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                  float quality);
