// Audio test helpers: an open mixer per test suite, synthesised WAV files and crunched
// blocks built straight with zlib (u32 LE size + zlib stream).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "data/krMemoryBlock.h"

// A 16-bit stereo PCM WAV file at 44100 Hz holding a square wave of `frames` frames with
// peak `amplitude`.
std::vector<uint8_t> krTestSquareWav(uint32_t frames, int16_t amplitude);
// Crunched block of `bytes`; released with krFreeMemoryBlock.
krMemoryBlock* krTestCrunch(const std::vector<uint8_t>& bytes);
// Plain (not crunched) block holding a copy of `bytes`.
krMemoryBlock* krTestPlain(const std::vector<uint8_t>& bytes);

// Opens SDL audio and the mixer as the shell does (44100 Hz, S16LSB, stereo, 1024) for
// every test of the suite, on whatever driver SDL_AUDIODRIVER names (dummy under ctest).
class krAudioTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static bool audioOpen;
};
