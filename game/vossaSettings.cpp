// vossaSettings: decoding, encoding and reading the settings file.
#include "vossaSettings.h"

#include <cstring>

#include "data/krByteOrder.h"
#include "data/krMemoryBlock.h"

const char* const kSettingsFileName = "vossaconfig.bin";

TSettings DefaultSettings()
{
    TSettings s;
    s.red1 = 0.889129638671875f;
    s.green1 = 0.629486083984375f;
    s.blue1 = 0.13458251953125f;
    s.alpha1 = 1.0f;
    s.red2 = 0.084930419921875f;
    s.green2 = 0.404876708984375f;
    s.blue2 = 0.7286376953125f;
    s.alpha2 = 1.0f;
    s.language = 0;
    s.highQuality = 1;
    s.musicOn = 1;
    s.showInstructions = 1;
    s.options = 0;
    s.musicVolume = kDefaultVolume;
    s.soundVolume = kDefaultVolume;
    return s;
}

TSettings PlayerSettings = DefaultSettings();

static float ReadF32(const uint8_t* p)
{
    const uint32_t bits = krLoadU32LE(p);
    float v;
    std::memcpy(&v, &bits, sizeof(v));
    return v;
}

static void WriteF32(uint8_t* p, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof(bits));
    krStoreU32LE(p, bits);
}

bool DecodeSettings(const uint8_t* bytes, uint64_t size, TSettings* out)
{
    if (bytes == nullptr || out == nullptr || size != kSettingsFileSize)
    {
        return false;
    }
    TSettings s;
    s.red1 = ReadF32(bytes + 0);
    s.green1 = ReadF32(bytes + 4);
    s.blue1 = ReadF32(bytes + 8);
    s.alpha1 = ReadF32(bytes + 12);
    s.red2 = ReadF32(bytes + 16);
    s.green2 = ReadF32(bytes + 20);
    s.blue2 = ReadF32(bytes + 24);
    s.alpha2 = ReadF32(bytes + 28);
    s.language = static_cast<int32_t>(krLoadU32LE(bytes + 32));
    s.highQuality = bytes[36] & 1;
    s.musicOn = bytes[37] & 1;
    s.showInstructions = bytes[38] & 1;
    s.options = bytes[39] & kKnownOptions;
    s.musicVolume = static_cast<int32_t>(krLoadU32LE(bytes + 40));
    s.soundVolume = static_cast<int32_t>(krLoadU32LE(bytes + 44));
    *out = s;
    return true;
}

void EncodeSettings(const TSettings& s, uint8_t* out)
{
    std::memset(out, 0, kSettingsFileSize);
    WriteF32(out + 0, s.red1);
    WriteF32(out + 4, s.green1);
    WriteF32(out + 8, s.blue1);
    WriteF32(out + 12, 1.0f);
    WriteF32(out + 16, s.red2);
    WriteF32(out + 20, s.green2);
    WriteF32(out + 24, s.blue2);
    WriteF32(out + 28, 1.0f);
    krStoreU32LE(out + 32, static_cast<uint32_t>(s.language));
    out[36] = s.highQuality ? 1 : 0;
    out[37] = s.musicOn ? 1 : 0;
    out[38] = s.showInstructions ? 1 : 0;
    out[39] = s.options & kKnownOptions;
    krStoreU32LE(out + 40, static_cast<uint32_t>(s.musicVolume));
    krStoreU32LE(out + 44, static_cast<uint32_t>(s.soundVolume));
}

bool ReadSettingsFile(const char* path, TSettings* out)
{
    if (path == nullptr || out == nullptr)
    {
        return false;
    }
    krMemoryBlock* block = krReadMemoryBlock(path);
    if (block == nullptr)
    {
        return false;
    }
    const bool ok = DecodeSettings(block->data, block->size, out);
    krFreeMemoryBlock(block);
    return ok;
}
