// vossaSettings: the player's settings file, exactly 48 little-endian bytes: the two backdrop
// colours (with alpha fields written as 1 and ignored when read), the language index, the
// quality, music and instruction-strip switches (bit 0 counts), a padding byte and the music
// and sound volumes. The bytes are treated as hostile input; a file of any other size is
// ignored as a whole. Writing never loses a good file: the new bytes go to a temporary file
// beside the file they replace (beside a link's target, so the link stays a link), are synced
// and then renamed over it; only when the folder takes no new file is the file overwritten in
// place, without truncating it first.
#pragma once

#include <cstdint>

// The name the game reads and writes, in the working directory.
extern const char* const kSettingsFileName;
const uint64_t kSettingsFileSize = 48;
const int32_t kDefaultVolume = 64;

// The settings as the game holds them, in the order of the file.
struct TSettings
{
    float red1, green1, blue1, alpha1; // backdrop colour at the bottom edge
    float red2, green2, blue2, alpha2; // backdrop colour at the top edge
    int32_t language;
    uint8_t highQuality;
    uint8_t musicOn;
    uint8_t showInstructions;
    uint8_t padding;
    int32_t musicVolume;
    int32_t soundVolume;
};
static_assert(sizeof(TSettings) == 48, "the settings record mirrors the 48-byte file");

// The settings before any file is read: orange below, blue above, English, everything on,
// both volumes 64.
TSettings DefaultSettings();

// Decodes `size` bytes; false (out unchanged) unless exactly 48. The switches are reduced to
// bit 0; the alpha fields and the padding are kept as read.
bool DecodeSettings(const uint8_t* bytes, uint64_t size, TSettings* out);
// Encodes into 48 bytes: alphas 1.0, padding 0, switches 0 or 1.
void EncodeSettings(const TSettings& settings, uint8_t* out);

// Reads the file; false (out unchanged) when it cannot be read or is not 48 bytes long.
bool ReadSettingsFile(const char* path, TSettings* out);
// Writes the file as described above; false when the new settings did not reach the disk
// whole. A failure leaves the previous file as it was (or, in place, at its full size).
bool WriteSettingsFile(const char* path, const TSettings& settings);
