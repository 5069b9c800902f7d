// vossaSettings, Windows: the atomic replacement of the settings file through the wide-character
// file functions, so that folders with any letters in their names (a user name such as
// "Łucja" or "Renée") work.
#include "vossaSettings.h"

#include <string>
#include <windows.h>

namespace
{
// UTF-8 to UTF-16; empty when `text` is not valid UTF-8.
std::wstring Widen(const char* text)
{
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 1)
    {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}
} // namespace

bool WriteSettingsFile(const char* path, const TSettings& settings)
{
    if (path == nullptr || path[0] == '\0')
    {
        return false;
    }
    const std::wstring target = Widen(path);
    if (target.empty())
    {
        return false;
    }
    // A read-only settings file is the player's choice and stays as it is; a folder in the way
    // is not replaced either.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    {
        return false;
    }
    uint8_t bytes[kSettingsFileSize];
    EncodeSettings(settings, bytes);

    const std::wstring temp = target + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    DWORD written = 0;
    bool ok =
        WriteFile(file, bytes, sizeof(bytes), &written, nullptr) != 0 && written == sizeof(bytes);
    ok = FlushFileBuffers(file) != 0 && ok;
    ok = CloseHandle(file) != 0 && ok;
    // Only a complete, flushed file takes the old one's place.
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
    {
        DeleteFileW(temp.c_str());
    }
    return ok;
}
