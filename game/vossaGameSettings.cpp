// vossaGame, settings: reads the settings file at construction into the game's switches and
// the backdrop colours, and writes it back at the end of the main loop.
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
    settingsRecord.musicVolume = kDefaultVolume;
    settingsRecord.soundVolume = kDefaultVolume;
    TSettings read;
    if (!ReadSettingsFile(SettingsFilePath().c_str(), &read))
    {
        // A first start: the texts in the language of the player's system.
        language = PreferredLanguage();
        return;
    }
    settingsRecord = read;
    cameraFlight.SetEased(Motion().easedCamera);
    r1 = read.red1;
    g1 = read.green1;
    b1 = read.blue1;
    r2 = read.red2;
    g2 = read.green2;
    b2 = read.blue2;
    // A damaged file must never make the texts index past the language table.
    language = ValidLanguage(read.language);
    highQuality = read.highQuality != 0;
    musicOn = read.musicOn != 0;
    showGameHowTo = read.showInstructions != 0;
    // The players keep their volumes within the mixer's range.
    settingsRecord.musicVolume = ClampVolume(read.musicVolume);
    settingsRecord.soundVolume = ClampVolume(read.soundVolume);
}

void vossaGame::WriteConfig()
{
    TSettings s = DefaultSettings();
    s.red1 = r1;
    s.green1 = g1;
    s.blue1 = b1;
    s.red2 = r2;
    s.green2 = g2;
    s.blue2 = b2;
    s.language = ValidLanguage(language);
    s.highQuality = highQuality ? 1 : 0;
    s.musicOn = musicOn ? 1 : 0;
    s.showInstructions = showGameHowTo ? 1 : 0;
    s.options = settingsRecord.options;
    s.musicVolume = music != nullptr ? music->GetVolume() : settingsRecord.musicVolume;
    s.soundVolume = sampler != nullptr ? sampler->GetVolume() : settingsRecord.soundVolume;
    settingsRecord = s;
    WriteSettingsFile(SettingsFilePath().c_str(), settingsRecord);
}

void vossaGame::SetOption(uint8_t option, bool on)
{
    const uint8_t others = settingsRecord.options & static_cast<uint8_t>(~option);
    settingsRecord.options = static_cast<uint8_t>(others | (on ? option : 0)) & kKnownOptions;
    cameraFlight.SetEased(Motion().easedCamera);
}
