// vossaSettings: the player's settings file, exactly 48 little-endian bytes: the two backdrop
// colours (with alpha fields written as 1 and ignored when read), the language index, the
// quality, music and instruction-strip switches (bit 0 counts), the options byte (three
// switches in its low bits; a file written before they existed holds 0 there) and the music
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
    uint8_t options; // kOption* bits; the other bits are ignored when read and written as 0
    int32_t musicVolume;
    int32_t soundVolume;
};
static_assert(sizeof(TSettings) == 48, "the settings record mirrors the 48-byte file");

// The switches of the options byte (offset 39). Clear, each means what the game did before
// it existed: the 21-card trick, two-colour suits, full motion.
const uint8_t kOptionTrick27 = 1u << 0;       // the 27-card trick instead of the 21-card one
const uint8_t kOptionFourColours = 1u << 1;   // hearts red, diamonds blue, clubs green
const uint8_t kOptionReducedMotion = 1u << 2; // no tumbling, swooping, spinning or scrolling
const uint8_t kKnownOptions = kOptionTrick27 | kOptionFourColours | kOptionReducedMotion;

// The settings before any file is read: orange below, blue above, English, everything on,
// both volumes 64.
TSettings DefaultSettings();

// The player's settings, one record for the process: the game's switches, language and
// volumes and the scenery's backdrop colours (r1 .. b2) are names for its fields.
extern TSettings PlayerSettings;

// Decodes `size` bytes; false (out unchanged) unless exactly 48. The switches are reduced to
// bit 0 and the options byte to its known bits; the alpha fields are kept as read.
bool DecodeSettings(const uint8_t* bytes, uint64_t size, TSettings* out);
// Encodes into 48 bytes: alphas 1.0, switches 0 or 1, only the known option bits.
void EncodeSettings(const TSettings& settings, uint8_t* out);

// Reads the file; false (out unchanged) when it cannot be read or is not 48 bytes long.
bool ReadSettingsFile(const char* path, TSettings* out);
// Writes the file as described above; false when the new settings did not reach the disk
// whole. A failure leaves the previous file as it was (or, in place, at its full size).
bool WriteSettingsFile(const char* path, const TSettings& settings);
