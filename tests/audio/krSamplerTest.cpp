// krSampler tests: volumes, loaders, slots that keep their indices, and (on SDL's disk
// driver) that a played sample really reaches the audio output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "audio/krSampler.h"
#include "krAudioTestData.h"
#include "krScopedEnv.h"
#include "krTestFiles.h"

using krSamplerTest = krAudioTest;

namespace
{
bool AppendWav(krSampler& bank, uint32_t frames, int16_t amplitude)
{
    krMemoryBlock* block = krTestCrunch(krTestSquareWav(frames, amplitude));
    const bool ok = bank.AppendSampleFromCrunchedMemoryBlock(block);
    krFreeMemoryBlock(block);
    return ok;
}
} // namespace

TEST_F(krSamplerTest, NewBankSetsVolume64OnAllChannels)
{
    Mix_Volume(-1, 3);
    krSampler bank;
    EXPECT_EQ(bank.GetVolume(), 64);
    EXPECT_EQ(bank.GetSampleCount(), 0u);
    for (int channel = 0; channel < Mix_AllocateChannels(-1); channel++)
    {
        EXPECT_EQ(Mix_Volume(channel, -1), 64) << "channel " << channel;
    }
}

// Every channel at the bank's volume: their average.
TEST_F(krSamplerTest, VolumeStepsAndClampsWithin0To128)
{
    krSampler bank;
    krExpectVolumeSteps(bank, []() { return Mix_Volume(-1, -1); });
}

TEST_F(krSamplerTest, LoaderRefusesPlainAndUndecodableData)
{
    krSampler bank;
    krMemoryBlock* plain = krTestPlain(krTestSquareWav(441, 8000));
    EXPECT_FALSE(bank.AppendSampleFromCrunchedMemoryBlock(plain));
    krFreeMemoryBlock(plain);

    krMemoryBlock* junk = krTestCrunch(std::vector<uint8_t>(300, 0x33));
    EXPECT_FALSE(bank.AppendSampleFromCrunchedMemoryBlock(junk));
    krFreeMemoryBlock(junk);

    krMemoryBlock* empty = krTestCrunch(std::vector<uint8_t>());
    EXPECT_FALSE(bank.AppendSampleFromCrunchedMemoryBlock(empty));
    krFreeMemoryBlock(empty);

    EXPECT_FALSE(bank.AppendSampleFromCrunchedMemoryBlock(nullptr));
    EXPECT_EQ(bank.GetSampleCount(), 0u);

    // A good sample after the failures still gets index 0.
    ASSERT_TRUE(AppendWav(bank, 441, 8000));
    EXPECT_EQ(bank.GetSampleCount(), 1u);
    EXPECT_NE(bank.GetSample(0), nullptr);
}

TEST_F(krSamplerTest, ClearSampleKeepsTheOtherIndices)
{
    krSampler bank;
    ASSERT_TRUE(AppendWav(bank, 44100, 8000));
    ASSERT_TRUE(AppendWav(bank, 44100, 4000));
    Mix_Chunk* second = bank.GetSample(1);

    bank.ClearSample(0);
    EXPECT_EQ(bank.GetSampleCount(), 2u);
    EXPECT_EQ(bank.GetSample(0), nullptr);
    EXPECT_EQ(bank.GetSample(1), second);

    bank.PlaySample(0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    bank.PlaySample(7); // no such slot
    EXPECT_EQ(Mix_Playing(-1), 0);

    bank.PlaySample(1);
    ASSERT_EQ(Mix_Playing(-1), 1);
    int playing = -1;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); channel++)
    {
        if (Mix_Playing(channel))
        {
            playing = channel;
        }
    }
    ASSERT_GE(playing, 0);
    EXPECT_EQ(Mix_GetChunk(playing), second);

    bank.ClearSample(0); // clearing twice is harmless
    bank.ClearAllSamples();
    EXPECT_EQ(bank.GetSampleCount(), 0u);
    EXPECT_EQ(bank.GetSample(1), nullptr);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

// Reopens the device on SDL's disk driver, plays a sample and looks at what reached the
// output file: the square wave at the bank's volume, after a stretch of silence.
TEST(krSamplerDiskTest, PlayedSampleReachesTheOutput)
{
    const std::string path = krTestTempDir() + "/out.raw";
    const krScopedEnv driver("SDL_AUDIODRIVER", "disk");
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
    {
        krSampler bank;
        bank.SetVolume(MIX_MAX_VOLUME);
        ASSERT_TRUE(AppendWav(bank, 4410, 8000));
        bank.PlaySample(0);
        for (int i = 0; i < 500 && Mix_Playing(-1); i++)
        {
            SDL_Delay(10);
        }
        EXPECT_EQ(Mix_Playing(-1), 0);
    }
    Mix_CloseAudio();
    SDL_Quit();
    std::vector<unsigned char> raw;
    ASSERT_TRUE(krTestReadFile(path, raw));
    int peak = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2)
    {
        const int s = static_cast<int16_t>(raw[i] | (raw[i + 1] << 8));
        peak = std::max(peak, std::abs(s));
    }
    // Full volume passes the samples through unchanged.
    EXPECT_EQ(peak, 8000);
}
