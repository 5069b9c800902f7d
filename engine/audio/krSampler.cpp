// krSampler: a bank of decoded SDL2_mixer chunks, each played once on a free channel.
#include "audio/krSampler.h"

#include <climits>
#include <cstdlib>

namespace
{
const int32_t kStartVolume = 64;
const int32_t kMaxVolume = MIX_MAX_VOLUME;
} // namespace

krSampler::krSampler() : samples(nullptr), sampleCount(0), volume(kStartVolume)
{
    Mix_Volume(-1, volume);
}

krSampler::~krSampler()
{
    ClearAllSamples();
}

bool krSampler::AppendSampleFromCrunchedMemoryBlock(const krMemoryBlock* crunched)
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
    if (bytes->size > static_cast<uint64_t>(INT_MAX))
    {
        krFreeMemoryBlock(bytes);
        return false;
    }
    Mix_Chunk** grown =
        static_cast<Mix_Chunk**>(realloc(samples, (sampleCount + 1) * sizeof(Mix_Chunk*)));
    if (!grown)
    {
        krFreeMemoryBlock(bytes);
        return false;
    }
    samples = grown;
    samples[sampleCount] = nullptr;

    Mix_Chunk* chunk = nullptr;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes->data, static_cast<int>(bytes->size));
    if (stream)
    {
        // The mixer decodes the whole sample and closes the stream itself.
        chunk = Mix_LoadWAV_RW(stream, 1);
    }
    // The decoded chunk no longer needs the file bytes, whatever the outcome.
    krFreeMemoryBlock(bytes);
    if (!chunk)
    {
        return false;
    }
    samples[sampleCount] = chunk;
    sampleCount++;
    return true;
}

Mix_Chunk* krSampler::GetSample(uint64_t index) const
{
    return index < sampleCount ? samples[index] : nullptr;
}

void krSampler::PlaySample(uint64_t index)
{
    Mix_Chunk* chunk = GetSample(index);
    if (chunk)
    {
        Mix_PlayChannelTimed(-1, chunk, 0, -1);
    }
}

void krSampler::ClearSample(uint64_t index)
{
    if (index < sampleCount && samples[index])
    {
        Mix_FreeChunk(samples[index]);
        samples[index] = nullptr;
    }
}

void krSampler::ClearAllSamples()
{
    for (uint64_t i = 0; i < sampleCount; i++)
    {
        if (samples[i])
        {
            Mix_FreeChunk(samples[i]);
        }
    }
    free(samples);
    samples = nullptr;
    sampleCount = 0;
}

void krSampler::SetVolume(int32_t v)
{
    volume = v;
    Mix_Volume(-1, volume);
}

void krSampler::VolumeUp()
{
    volume = volume + 1 > kMaxVolume ? kMaxVolume : volume + 1;
    Mix_Volume(-1, volume);
}

void krSampler::VolumeDown()
{
    volume = volume - 1 < 0 ? 0 : volume - 1;
    Mix_Volume(-1, volume);
}
