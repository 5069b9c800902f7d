// vossaPaths: where the game finds its asset pack and keeps the player's settings.
//   Linux: both by bare name in the working folder (the launcher starts the game in the
//   player's own folder, with the installed pack linked into it).
//   Windows: the settings in the player's folder %APPDATA%\Vossa; the pack beside vossa.exe,
//   unless the player's folder holds a vossadata.bin of their own.
// Paths are UTF-8.
#pragma once

#include <string>

std::string DataFilePath();
std::string SettingsFilePath();
