// VorbisWriter: Ogg Vorbis files from float samples with libvorbisenc (variable bit rate by
// quality). The Ogg stream serial number is fixed, so equal input gives equal bytes.
#pragma once

#include <cstdint>
#include <vector>

// `samples` interleaved, `channels` per frame, values in −1..1. Empty on failure.
//
// With `loop` set the samples are a seamless loop: the encoder is fed the start of the loop
// again after its end, so the last block is coded with the music that really follows it
// rather than with silence, and the stream is then cut back to the exact length (the last
// page's granule position tells decoders where to stop).
std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                  float quality, bool loop = false);
