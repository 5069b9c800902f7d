// Fuzz target: the settings file parser. Whatever the bytes, only a 48-byte file is accepted;
// an accepted record has switches of 0 or 1, a language the game can use once guarded, and
// survives being written and read back unchanged apart from the fields rewritten on writing.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "krFuzzInput.h"
#include "vossaLanguage.h"
#include "vossaSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput input(data, size);
    const uint8_t* copy = input.bytes;
    TSettings settings = DefaultSettings();
    const bool accepted = DecodeSettings(copy, size, &settings);
    if (accepted != (size == kSettingsFileSize))
    {
        abort();
    }
    if (accepted)
    {
        if (settings.highQuality > 1 || settings.musicOn > 1 || settings.showInstructions > 1)
        {
            abort();
        }
        const int32_t language = ValidLanguage(settings.language);
        if (language < 0 || language >= LanguageCount() || LanguageSuffix(language) == nullptr)
        {
            abort();
        }
        uint8_t bytes[kSettingsFileSize];
        EncodeSettings(settings, bytes);
        TSettings again;
        if (!DecodeSettings(bytes, sizeof(bytes), &again))
        {
            abort();
        }
        // Colours, language, switches and volumes travel unchanged (compared bit for bit).
        if (memcmp(copy, bytes, 12) != 0 || memcmp(copy + 16, bytes + 16, 12) != 0 ||
            memcmp(copy + 32, bytes + 32, 4) != 0 || memcmp(copy + 40, bytes + 40, 8) != 0)
        {
            abort();
        }
        for (int i = 36; i < 39; ++i)
        {
            if (bytes[i] != (copy[i] & 1))
            {
                abort();
            }
        }
    }
    return 0;
}
