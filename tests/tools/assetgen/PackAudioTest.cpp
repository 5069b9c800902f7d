// The music and the chime: decoded by SDL2_mixer (dummy audio driver) through the engine's
// players, long enough, and the music loops without a jump at the seam.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "AssetgenTestPack.h"
#include "MusicComposer.h"
#include "audio/krMusic.h"
#include "audio/krSampler.h"

namespace
{
class PackAudio : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        open = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0;
    }
    static void TearDownTestSuite()
    {
        if (open)
        {
            Mix_CloseAudio();
        }
        SDL_Quit();
    }
    void SetUp() override
    {
        if (!open)
        {
            GTEST_SKIP() << "no audio device: " << SDL_GetError();
        }
    }

    // The whole entry decoded by the mixer to 16-bit stereo at 44100 Hz.
    static std::vector<int16_t> DecodeAll(const std::string& name)
    {
        std::vector<uint8_t> bytes = krTestPackEntry(name);
        std::vector<int16_t> pcm;
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), (int)bytes.size()), 1);
        if (chunk)
        {
            const int16_t* s = reinterpret_cast<const int16_t*>(chunk->abuf);
            pcm.assign(s, s + chunk->alen / 2);
            Mix_FreeChunk(chunk);
        }
        return pcm;
    }

    static bool open;
};
bool PackAudio::open = false;

// Expects, in each channel of stereo frames, the step across the loop's seam (last frame to
// first) to be at most `factor` x the largest other step within `span` frames of it, + `slack`.
void ExpectSeamless(const std::vector<float>& frames, size_t span, float factor, float slack)
{
    const size_t n = frames.size() / 2;
    for (int channel = 0; channel < 2; ++channel)
    {
        auto at = [&](size_t i) { return frames[(i % n) * 2 + channel]; };
        float local = 0;
        for (size_t i = n - span; i < n + span; ++i)
        {
            if (i != n - 1)
            {
                local = std::max(local, std::fabs(at(i + 1) - at(i)));
            }
        }
        EXPECT_LE(std::fabs(at(n) - at(n - 1)), local * factor + slack) << "channel " << channel;
    }
}

// The largest magnitude among samples [from, to) of `pcm`.
int Peak(const std::vector<int16_t>& pcm, size_t from, size_t to)
{
    int peak = 0;
    for (size_t i = from; i < std::min(to, pcm.size()); ++i)
    {
        peak = std::max(peak, std::abs((int)pcm[i]));
    }
    return peak;
}
} // namespace

TEST_F(PackAudio, MusicAndChimeLoadThroughTheEnginePlayers)
{
    const krResource* pack = krTestPack();
    ASSERT_NE(pack, nullptr);
    krMusic music;
    ASSERT_TRUE(music.LoadFromCrunchedMemoryBlock(pack->Get("bkgsnd03")));
    EXPECT_TRUE(music.IsLoaded()) << Mix_GetError();
    krSampler sampler;
    EXPECT_TRUE(sampler.AppendSampleFromCrunchedMemoryBlock(pack->Get("choicesnd02")))
        << Mix_GetError();
    EXPECT_EQ(sampler.GetSampleCount(), 1u);
}

TEST_F(PackAudio, MusicLastsHalfAMinuteAndLoopsWithoutAClick)
{
    std::vector<int16_t> pcm = DecodeAll("bkgsnd03");
    ASSERT_FALSE(pcm.empty()) << Mix_GetError();
    const double seconds = pcm.size() / 2.0 / 44100.0;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    // Exactly the score's length: the stream is cut where the loop ends, not padded.
    std::ifstream in(std::string(VOSSA_ASSETS_DIR) + "/music/score.txt");
    std::stringstream text;
    text << in.rdbuf();
    TScore_s score;
    std::string error;
    ASSERT_TRUE(ParseScore(text.str(), score, error)) << error;
    int beats = 0;
    for (const TChord_s& chord : score.chords)
    {
        beats += chord.beats;
    }
    EXPECT_EQ(pcm.size() / 2, (size_t)std::llround(beats * 44100.0 * 60.0 / score.tempo));
    ExpectSeamless(std::vector<float>(pcm.begin(), pcm.end()), 2048, 1.5f, 64.0f);
    // Never silent for long, never clipping.
    EXPECT_GT(Peak(pcm, 0, pcm.size()), 8000);
    EXPECT_LT(Peak(pcm, 0, pcm.size()), 32767);
}

TEST_F(PackAudio, ChimeIsShortAndAudible)
{
    std::vector<int16_t> pcm = DecodeAll("choicesnd02");
    ASSERT_FALSE(pcm.empty()) << Mix_GetError();
    const double seconds = pcm.size() / 2.0 / 44100.0;
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 3.0);
    // It starts at once (the star line ends with it) and fades out to silence.
    EXPECT_GT(Peak(pcm, 0, 2 * 4410), 6000);
    EXPECT_LT(Peak(pcm, pcm.size() - 64, pcm.size()), 300);
}

TEST(MusicComposer, RenderedLoopIsSeamlessBeforeEncoding)
{
    TScore_s score;
    std::string error;
    ASSERT_TRUE(ParseScore("tempo 120\nchord 4 45 57 60 64\nchord 4 41 57 60 65\n"
                           "bell 7.5 81 1.0\n",
                           score, error))
        << error;
    std::vector<float> music = RenderMusic(score, 22050);
    ASSERT_EQ(music.size(), (size_t)(8 * 22050 / 2) * 2); // 8 beats at 120 bpm, stereo
    ExpectSeamless(music, 512, 1.2f, 1e-4f);
}

TEST(MusicComposer, ScoreErrorsNameTheLine)
{
    TScore_s score;
    std::string error;
    EXPECT_FALSE(ParseScore("tempo 60\nchord 4 40\nbell one 60 1\n", score, error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    TScore_s empty;
    EXPECT_FALSE(ParseScore("# nothing\ntempo 90\n", empty, error));
}
