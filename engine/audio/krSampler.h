// krSampler: a bank of short sound samples over SDL2_mixer, each played once on the first
// free mixer channel. A sample's index is its position in the order of appending; clearing a
// sample leaves an empty slot, so the other indices stay valid. The mixer decodes a sample
// completely when it loads it, so the bank keeps only the decoded chunks.
//
// The audio device must be open (Mix_OpenAudio) before a bank is created.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>

#include "data/krMemoryBlock.h"

class krSampler
{
public:
    // Empty bank; volume 64 on every mixer channel.
    krSampler();
    ~krSampler();

    krSampler(const krSampler&) = delete;
    krSampler& operator=(const krSampler&) = delete;

    // Decrunches `block` (not taken over) and decodes it as a sample (WAV, AIFF, VOC, Ogg
    // Vorbis). True when the sample was appended; false (bank unchanged) otherwise.
    bool AppendSampleFromCrunchedMemoryBlock(const krMemoryBlock* block);
    // Plays sample `index` once on a free channel; an empty or unknown slot plays nothing.
    void PlaySample(uint64_t index);
    // Frees sample `index` and leaves its slot empty; the count is unchanged.
    void ClearSample(uint64_t index);
    void ClearAllSamples();

    // Number of slots, including emptied ones.
    uint64_t GetSampleCount() const { return sampleCount; }
    // Borrowed; null for an emptied or unknown slot.
    Mix_Chunk* GetSample(uint64_t index) const;

    int32_t GetVolume() const { return volume; }
    // Stored unchanged (the mixer itself caps at 128); applies to all channels.
    void SetVolume(int32_t v);
    // One step up or down, kept within 0..128.
    void VolumeUp();
    void VolumeDown();

private:
    Mix_Chunk** samples; // owned, with every chunk in it
    uint64_t sampleCount;
    int32_t volume;
};
