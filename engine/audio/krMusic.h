// krMusic: one piece of background music over SDL2_mixer, loaded from a crunched memory
// block and played looped. The mixer streams the music from memory on its audio thread, so
// the player keeps the decrunched bytes and the stream alive until Clear.
//
// The audio device must be open (Mix_OpenAudio) before a player is created.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>

#include "data/krMemoryBlock.h"

class krMusic
{
public:
    // No music; volume 64, also passed to the mixer.
    krMusic();
    ~krMusic();

    krMusic(const krMusic&) = delete;
    krMusic& operator=(const krMusic&) = delete;

    // Decrunches `block` (not taken over) and hands the bytes to the mixer. False only when
    // the block does not decrunch; data the mixer cannot decode still loads, as silence.
    // Music held before is released first.
    bool LoadFromCrunchedMemoryBlock(const krMemoryBlock* block);
    // Plays from the start, looping forever.
    void Play();
    void Stop();
    void Pause();
    // Halts and releases the music, the stream and the bytes.
    void Clear();

    // True while the mixer accepted the loaded data.
    bool IsLoaded() const { return music != nullptr; }

    int32_t GetVolume() const { return volume; }
    // Stored unchanged (the mixer itself caps at 128).
    void SetVolume(int32_t v);
    // One step up or down, kept within 0..128.
    void VolumeUp();
    void VolumeDown();

private:
    krMemoryBlock* block; // owned: the decrunched file bytes
    SDL_RWops* stream;    // owned: read stream over `block`
    Mix_Music* music;     // owned
    int32_t volume;
};
