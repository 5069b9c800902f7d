// vossaGame, settings: reads the settings file at construction into the player's settings
// record (the game's switches, language and volumes and the backdrop colours are its fields),
// keeps the volumes there and in the players, and writes the record back at the end of the
// main loop.
#include "audio/krMusic.h"
#include "audio/krSampler.h"
#include "vossaGame.h"
#include "vossaLanguage.h"
#include "vossaLocale.h"
#include "vossaPaths.h"

namespace
{
const int32_t kMaxVolume = 128;

int32_t ClampVolume(int32_t volume)
{
    return volume < 0 ? 0 : (volume > kMaxVolume ? kMaxVolume : volume);
}
} // namespace

void vossaGame::ReadConfig()
{
    TSettings read;
    if (!ReadSettingsFile(SettingsFilePath().c_str(), &read))
    {
        // A first start: the texts in the language of the player's system.
        language = PreferredLanguage();
        return;
    }
    // The colours, switches and options as read (the switches reduced to bit 0).
    settingsRecord = read;
    cameraFlight.SetEased(Motion().easedCamera);
    // A damaged file must never make the texts index past the language table.
    language = ValidLanguage(read.language);
    // The players keep their volumes within the mixer's range.
    settingsRecord.musicVolume = ClampVolume(read.musicVolume);
    settingsRecord.soundVolume = ClampVolume(read.soundVolume);
}

void vossaGame::WriteConfig()
{
    language = ValidLanguage(language);
    WriteSettingsFile(SettingsFilePath().c_str(), settingsRecord);
}

void vossaGame::ChangeVolumes(int32_t steps)
{
    settingsRecord.musicVolume = ClampVolume(settingsRecord.musicVolume + steps);
    settingsRecord.soundVolume = ClampVolume(settingsRecord.soundVolume + steps);
    if (music != nullptr)
    {
        music->SetVolume(settingsRecord.musicVolume);
    }
    if (sampler != nullptr)
    {
        sampler->SetVolume(settingsRecord.soundVolume);
    }
}

void vossaGame::SetOption(uint8_t option, bool on)
{
    const uint8_t others = settingsRecord.options & static_cast<uint8_t>(~option);
    settingsRecord.options = static_cast<uint8_t>(others | (on ? option : 0)) & kKnownOptions;
    cameraFlight.SetEased(Motion().easedCamera);
}
