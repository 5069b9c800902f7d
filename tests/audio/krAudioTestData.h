// Audio test helpers: an open mixer per test suite, synthesised WAV files and crunched
// blocks built straight with zlib (u32 LE size + zlib stream).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <functional>
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

// The volume steps of a music player or sample bank: up by one from 64, never past 128 nor below
// 0; SetVolume stores what it is given (the mixer, read by `mixer`, clamps it), and a step from
// outside the range lands inside it.
template <class Player> void krExpectVolumeSteps(Player& player, const std::function<int()>& mixer)
{
    const struct
    {
        int set, step, volume, inMixer; // set -1: none; step +1 up, -1 down, 0 none
    } cases[] = {
        {-1, +1, 65, 65},   {128, +1, 128, 128}, {0, -1, 0, 0},  {200, 0, 200, 128},
        {-1, -1, 199, 128}, {200, +1, 128, 128}, {-5, -1, 0, 0},
    };
    for (const auto& c : cases)
    {
        if (c.set != -1)
        {
            player.SetVolume(c.set);
        }
        if (c.step > 0)
        {
            player.VolumeUp();
        }
        else if (c.step < 0)
        {
            player.VolumeDown();
        }
        EXPECT_EQ(player.GetVolume(), c.volume) << "set " << c.set << ", step " << c.step;
        EXPECT_EQ(mixer(), c.inMixer) << "set " << c.set << ", step " << c.step;
    }
}
