// krMusic: background music streamed by SDL2_mixer from decrunched bytes kept alive here.
#include "audio/krMusic.h"

#include <climits>

namespace
{
const int32_t kStartVolume = 64;
const int32_t kMaxVolume = MIX_MAX_VOLUME;
} // namespace

krMusic::krMusic() : block(nullptr), stream(nullptr), music(nullptr), volume(kStartVolume)
{
    Mix_VolumeMusic(volume);
}

krMusic::~krMusic()
{
    Clear();
}

bool krMusic::LoadFromCrunchedMemoryBlock(const krMemoryBlock* crunched)
{
    if (!crunched)
    {
        return false;
    }
    krMemoryBlock* bytes = krDecrunchMemoryBlock(crunched);
    if (!bytes)
    {
        return false;
    }
    // The stream's size is a signed 32-bit value; larger data cannot be handed over whole.
    if (bytes->size > static_cast<uint64_t>(INT_MAX))
    {
        krFreeMemoryBlock(bytes);
        return false;
    }
    Clear();
    block = bytes;
    stream = SDL_RWFromMem(block->data, static_cast<int>(block->size));
    if (stream)
    {
        // The stream stays ours: the mixer reads from it while the music plays.
        music = Mix_LoadMUS_RW(stream, 0);
    }
    return true;
}

void krMusic::Play()
{
    Mix_PlayMusic(music, -1);
}

void krMusic::Stop()
{
    Mix_HaltMusic();
}

void krMusic::Pause()
{
    Mix_PauseMusic();
}

void krMusic::Clear()
{
    if (music)
    {
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        music = nullptr;
    }
    if (stream)
    {
        SDL_FreeRW(stream);
        stream = nullptr;
    }
    krFreeMemoryBlock(block);
    block = nullptr;
}

void krMusic::SetVolume(int32_t v)
{
    volume = v;
    Mix_VolumeMusic(volume);
}

void krMusic::VolumeUp()
{
    volume = volume + 1 > kMaxVolume ? kMaxVolume : volume + 1;
    Mix_VolumeMusic(volume);
}

void krMusic::VolumeDown()
{
    volume = volume - 1 < 0 ? 0 : volume - 1;
    Mix_VolumeMusic(volume);
}
