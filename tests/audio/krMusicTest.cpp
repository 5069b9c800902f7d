// krMusic tests: volume stepping and clamping, loaders, playback state in the mixer.
#include <gtest/gtest.h>

#include "audio/krMusic.h"
#include "krAudioTestData.h"

using krMusicTest = krAudioTest;

TEST_F(krMusicTest, NewPlayerSetsVolume64InTheMixer)
{
    Mix_VolumeMusic(10);
    krMusic music;
    EXPECT_EQ(music.GetVolume(), 64);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    EXPECT_FALSE(music.IsLoaded());
}

TEST_F(krMusicTest, VolumeStepsAndClampsWithin0To128)
{
    krMusic music;
    krExpectVolumeSteps(music, []() { return Mix_VolumeMusic(-1); });
}

// Plain data and no data are refused; crunched data that does not decode loads as silence. Either
// way nothing is loaded and Play plays nothing.
TEST_F(krMusicTest, LoaderRefusesPlainDataAndLoadsUndecodableDataAsSilence)
{
    krMusic music;
    krMemoryBlock* plain = krTestPlain(krTestSquareWav(4410, 8000));
    krMemoryBlock* junk = krTestCrunch(std::vector<uint8_t>(500, 0x5A));
    for (krMemoryBlock* block : {plain, static_cast<krMemoryBlock*>(nullptr), junk})
    {
        EXPECT_EQ(block == junk, music.LoadFromCrunchedMemoryBlock(block));
        EXPECT_FALSE(music.IsLoaded());
        music.Play();
        EXPECT_EQ(Mix_PlayingMusic(), 0);
    }
    krFreeMemoryBlock(plain);
    krFreeMemoryBlock(junk);
}

TEST_F(krMusicTest, PlaysPausesStopsAndReloads)
{
    krMusic music;
    krMemoryBlock* wav = krTestCrunch(krTestSquareWav(44100, 8000));
    ASSERT_TRUE(music.LoadFromCrunchedMemoryBlock(wav));
    // The caller's block stays the caller's: the player keeps its own bytes.
    krFreeMemoryBlock(wav);
    ASSERT_TRUE(music.IsLoaded());

    music.Play();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    music.Pause();
    EXPECT_EQ(Mix_PausedMusic(), 1);
    music.Play(); // no resume: Play starts again from the beginning
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    music.Stop();
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    // A second load replaces the first music.
    krMemoryBlock* other = krTestCrunch(krTestSquareWav(2000, 4000));
    EXPECT_TRUE(music.LoadFromCrunchedMemoryBlock(other));
    krFreeMemoryBlock(other);
    EXPECT_TRUE(music.IsLoaded());
    music.Play();
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    music.Clear();
    EXPECT_FALSE(music.IsLoaded());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}
