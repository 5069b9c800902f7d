// The settings writer and the game's folders on Windows (run under Wine): the file is replaced
// whole through a flushed temporary file, a read-only file or a folder in the way is left
// alone, non-ASCII folder names work, and the pack and settings are found where the player's
// installation puts them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

#include "vossaPaths.h"
#include "vossaSettings.h"

namespace
{
std::wstring Wide(const std::string& utf8)
{
    std::wstring out(utf8.size() + 1, L'\0');
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return out;
}

std::string Narrow(const std::wstring& wide)
{
    char out[MAX_PATH * 3];
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out, sizeof(out), nullptr, nullptr);
    return n > 0 ? out : "";
}

std::vector<uint8_t> Read(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (FILE* file = _wfopen(Wide(path).c_str(), L"rb"))
    {
        for (int c; (c = fgetc(file)) != EOF;)
        {
            bytes.push_back(static_cast<uint8_t>(c));
        }
        fclose(file);
    }
    return bytes;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = _wfopen(Wide(path).c_str(), L"wb");
    const bool ok = file != nullptr && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file != nullptr && fclose(file) == 0 && ok;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> Encoded(const TSettings& s)
{
    std::vector<uint8_t> bytes(kSettingsFileSize);
    EncodeSettings(s, bytes.data());
    return bytes;
}

// A fresh folder under the temporary folder, named with letters beyond ASCII.
class WindowsSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        char narrow[MAX_PATH * 3];
        ASSERT_GT(
            WideCharToMultiByte(CP_UTF8, 0, temp, -1, narrow, sizeof(narrow), nullptr, nullptr), 0);
        folder = std::string(narrow) +
                 "vossa-\xC5\x81ucja-Ren\xC3\xA9"
                 "e-" +
                 std::to_string(GetCurrentProcessId());
        CreateDirectoryW(Wide(folder).c_str(), nullptr);
        ASSERT_TRUE(Exists(folder));
        path = folder + "\\vossaconfig.bin";
        changed = DefaultSettings();
        changed.language = 7;
        changed.musicVolume = 100;
        changed.soundVolume = 12;
    }
    void TearDown() override
    {
        SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Wide(path).c_str());
        DeleteFileW(Wide(path + ".tmp").c_str());
        RemoveDirectoryW(Wide(path + ".tmp").c_str());
        RemoveDirectoryW(Wide(path).c_str());
        RemoveDirectoryW(Wide(folder).c_str());
    }
    std::string folder, path;
    TSettings changed;
};
} // namespace

TEST_F(WindowsSettings, ReplacesTheFileWholeInANonAsciiFolder)
{
    ASSERT_TRUE(Write(path, std::vector<uint8_t>(100, 0x55)));
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), changed));
    EXPECT_EQ(Read(path), Encoded(changed));
    EXPECT_FALSE(Exists(path + ".tmp"));
    TSettings back;
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), &back));
    EXPECT_EQ(back.language, 7);
    EXPECT_EQ(back.musicVolume, 100);
    // And a first write, with no file yet.
    ASSERT_TRUE(DeleteFileW(Wide(path).c_str()));
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), changed));
    EXPECT_EQ(Read(path), Encoded(changed));
}

TEST_F(WindowsSettings, ReadOnlyFileAndFolderInTheWayAreLeftAlone)
{
    const std::vector<uint8_t> old = Encoded(DefaultSettings());
    ASSERT_TRUE(Write(path, old));
    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteSettingsFile(path.c_str(), changed));
    EXPECT_EQ(Read(path), old);
    EXPECT_FALSE(Exists(path + ".tmp"));

    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(DeleteFileW(Wide(path).c_str()));
    ASSERT_TRUE(CreateDirectoryW(Wide(path).c_str(), nullptr));
    EXPECT_FALSE(WriteSettingsFile(path.c_str(), changed));
    EXPECT_TRUE(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST_F(WindowsSettings, AFailedWriteKeepsTheOldFileWhole)
{
    const std::vector<uint8_t> old = Encoded(DefaultSettings());
    ASSERT_TRUE(Write(path, old));
    // The temporary cannot be made: a folder holds its name.
    ASSERT_TRUE(CreateDirectoryW(Wide(path + ".tmp").c_str(), nullptr));
    EXPECT_FALSE(WriteSettingsFile(path.c_str(), changed));
    EXPECT_EQ(Read(path), old);
    EXPECT_FALSE(WriteSettingsFile((folder + "\\missing\\vossaconfig.bin").c_str(), changed));
    EXPECT_FALSE(WriteSettingsFile("", changed));
}

// The settings in %APPDATA%\Vossa whatever the working folder; the pack beside the program
// unless the player's folder holds a regular file of that name.
TEST_F(WindowsSettings, PackAndSettingsAreFoundInTheirFolders)
{
    wchar_t appdata[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH), 0u);
    SetCurrentDirectoryW(Wide(folder).c_str());
    const std::wstring settings = Wide(SettingsFilePath());
    EXPECT_EQ(settings, std::wstring(appdata) + L"\\Vossa\\vossaconfig.bin");

    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring beside(self, length);
    beside = beside.substr(0, beside.rfind(L'\\') + 1) + L"vossadata.bin";
    const std::wstring own = std::wstring(appdata) + L"\\Vossa\\vossadata.bin";
    DeleteFileW(own.c_str());
    RemoveDirectoryW(own.c_str());
    EXPECT_EQ(Wide(DataFilePath()), beside);
    // A folder of that name is no pack.
    ASSERT_TRUE(CreateDirectoryW(own.c_str(), nullptr));
    EXPECT_EQ(Wide(DataFilePath()), beside);
    ASSERT_TRUE(RemoveDirectoryW(own.c_str()));
    ASSERT_TRUE(Write(Narrow(own), {1}));
    EXPECT_EQ(Wide(DataFilePath()), own);
    DeleteFileW(own.c_str());
}
