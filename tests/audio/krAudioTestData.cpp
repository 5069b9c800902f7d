// Audio test helpers: synthesised WAV data, crunched blocks and the mixer fixture.
#include "krAudioTestData.h"

#include <cstring>
#include <zlib.h>

namespace
{
void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

krMemoryBlock* NewBlock(const uint8_t* bytes, uint64_t size)
{
    krMemoryBlock* block = krAllocMemoryBlock(size);
    if (block && size)
    {
        memcpy(block->data, bytes, size);
    }
    return block;
}
} // namespace

std::vector<uint8_t> krTestSquareWav(uint32_t frames, int16_t amplitude)
{
    const uint32_t dataSize = frames * 4;
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 2);
    PutU32(out, 44100);
    PutU32(out, 44100 * 4);
    PutU16(out, 4);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (uint32_t i = 0; i < frames; i++)
    {
        const int16_t s = (i / 50) % 2 ? amplitude : static_cast<int16_t>(-amplitude);
        PutU16(out, static_cast<uint16_t>(s));
        PutU16(out, static_cast<uint16_t>(s));
    }
    return out;
}

krMemoryBlock* krTestCrunch(const std::vector<uint8_t>& bytes)
{
    uLongf packedSize = compressBound(bytes.size());
    std::vector<uint8_t> packed(4 + packedSize);
    if (compress2(packed.data() + 4, &packedSize, bytes.data(), bytes.size(), 9) != Z_OK)
    {
        return nullptr;
    }
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; i++)
    {
        packed[i] = static_cast<uint8_t>(size >> (8 * i));
    }
    return NewBlock(packed.data(), 4 + packedSize);
}

krMemoryBlock* krTestPlain(const std::vector<uint8_t>& bytes)
{
    return NewBlock(bytes.data(), bytes.size());
}

bool krAudioTest::audioOpen = false;

void krAudioTest::SetUpTestSuite()
{
    audioOpen = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0;
}

void krAudioTest::TearDownTestSuite()
{
    if (audioOpen)
    {
        Mix_CloseAudio();
    }
    SDL_Quit();
    audioOpen = false;
}

void krAudioTest::SetUp()
{
    // The dummy driver is always there, so a closed device is a real failure.
    ASSERT_TRUE(audioOpen) << SDL_GetError();
}
