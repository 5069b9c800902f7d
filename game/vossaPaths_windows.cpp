// vossaPaths, Windows: the player's folder from SDL (%APPDATA%\Vossa\, made when missing) and
// the program's own folder, whatever folder the game was started from.
#include "vossaPaths.h"

#include <SDL.h>
#include <windows.h>

#include "vossaGame.h"
#include "vossaSettings.h"

namespace
{
// SDL's answer, owned by SDL's allocator, as a string; empty when there is none.
std::string Take(char* path)
{
    std::string result = path != nullptr ? path : "";
    SDL_free(path);
    return result;
}

std::string PlayerFolder()
{
    return Take(SDL_GetPrefPath("", "Vossa"));
}

bool IsRegularFile(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 1)
    {
        return false;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], length);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
} // namespace

std::string DataFilePath()
{
    const std::string own = PlayerFolder() + kDataFileName;
    if (own != kDataFileName && IsRegularFile(own))
    {
        return own;
    }
    return Take(SDL_GetBasePath()) + kDataFileName;
}

std::string SettingsFilePath()
{
    return PlayerFolder() + kSettingsFileName;
}
