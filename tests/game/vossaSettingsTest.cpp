// Tests of the settings file: defaults, size checks, switch bits, rewritten fields and the
// replacement that never loses a good file (failed writes, a full disk, a link, a folder that
// takes no new file).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "krTestFiles.h"
#include "vossaSettings.h"

namespace
{
std::vector<unsigned char> Encoded(const TSettings& s)
{
    std::vector<unsigned char> bytes(kSettingsFileSize);
    EncodeSettings(s, bytes.data());
    return bytes;
}

float FloatAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    float v;
    std::memcpy(&v, bytes.data() + offset, sizeof(v));
    return v;
}
} // namespace

TEST(Settings, DefaultsWithoutAFile)
{
    const std::string dir = krTestTempDir();
    TSettings s = DefaultSettings();
    s.language = 77;
    EXPECT_FALSE(ReadSettingsFile((dir + "/vossaconfig.bin").c_str(), &s));
    EXPECT_EQ(s.language, 77); // untouched on failure

    const TSettings d = DefaultSettings();
    EXPECT_EQ(d.red1, 0.889129638671875f);
    EXPECT_EQ(d.green1, 0.629486083984375f);
    EXPECT_EQ(d.blue1, 0.13458251953125f);
    EXPECT_EQ(d.red2, 0.084930419921875f);
    EXPECT_EQ(d.green2, 0.404876708984375f);
    EXPECT_EQ(d.blue2, 0.7286376953125f);
    EXPECT_EQ(d.language, 0);
    EXPECT_EQ(d.highQuality, 1);
    EXPECT_EQ(d.musicOn, 1);
    EXPECT_EQ(d.showInstructions, 1);
    EXPECT_EQ(d.musicVolume, 64);
    EXPECT_EQ(d.soundVolume, 64);
}

TEST(Settings, LayoutIsLittleEndianAtTheFixedOffsets)
{
    TSettings s = DefaultSettings();
    s.language = 1;
    s.highQuality = 0;
    s.musicVolume = 0x01020304;
    s.soundVolume = 100;
    const std::vector<unsigned char> bytes = Encoded(s);
    EXPECT_EQ(FloatAt(bytes, 0), s.red1);
    EXPECT_EQ(FloatAt(bytes, 24), s.blue2);
    EXPECT_EQ(bytes[32], 1);
    EXPECT_EQ(bytes[33], 0);
    EXPECT_EQ(bytes[36], 0);
    EXPECT_EQ(bytes[37], 1);
    EXPECT_EQ(bytes[38], 1);
    EXPECT_EQ(bytes[40], 0x04);
    EXPECT_EQ(bytes[43], 0x01);
    EXPECT_EQ(bytes[44], 100);

    TSettings back;
    ASSERT_TRUE(DecodeSettings(bytes.data(), bytes.size(), &back));
    EXPECT_EQ(back.language, 1);
    EXPECT_EQ(back.highQuality, 0);
    EXPECT_EQ(back.musicVolume, 0x01020304);
    EXPECT_EQ(back.soundVolume, 100);
}

TEST(Settings, FilesOfAnyOtherSizeAreIgnoredWhole)
{
    const std::string dir = krTestTempDir();
    const std::string path = dir + "/vossaconfig.bin";
    TSettings changed = DefaultSettings();
    changed.language = 1;
    changed.musicVolume = 5;
    std::vector<unsigned char> bytes = Encoded(changed);
    for (size_t size : {size_t(0), size_t(47), size_t(49)})
    {
        std::vector<unsigned char> wrong = bytes;
        wrong.resize(size, 0);
        ASSERT_TRUE(krTestWriteFile(path, wrong));
        TSettings s = DefaultSettings();
        EXPECT_FALSE(ReadSettingsFile(path.c_str(), &s)) << size;
        EXPECT_EQ(s.language, 0) << size;
        EXPECT_EQ(s.musicVolume, 64) << size;
    }
    ASSERT_TRUE(krTestWriteFile(path, bytes));
    TSettings s = DefaultSettings();
    EXPECT_TRUE(ReadSettingsFile(path.c_str(), &s));
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.musicVolume, 5);
}

TEST(Settings, OnlyBitZeroOfTheSwitchesCounts)
{
    std::vector<unsigned char> bytes = Encoded(DefaultSettings());
    bytes[36] = 2;
    bytes[37] = 3;
    bytes[38] = 0xFE;
    TSettings s;
    ASSERT_TRUE(DecodeSettings(bytes.data(), bytes.size(), &s));
    EXPECT_EQ(s.highQuality, 0);
    EXPECT_EQ(s.musicOn, 1);
    EXPECT_EQ(s.showInstructions, 0);
}

TEST(Settings, AlphasAreRewrittenAndOnlyKnownOptionBitsKept)
{
    std::vector<unsigned char> bytes = Encoded(DefaultSettings());
    const float junk = -123.5f;
    std::memcpy(bytes.data() + 12, &junk, 4);
    std::memcpy(bytes.data() + 28, &junk, 4);
    bytes[39] = 0xAD; // trick and motion bits set, four colours clear, unknown bits set
    bytes[36] = 7;
    TSettings s;
    ASSERT_TRUE(DecodeSettings(bytes.data(), bytes.size(), &s));
    EXPECT_EQ(s.options, kOptionTrick27 | kOptionReducedMotion);
    const std::vector<unsigned char> again = Encoded(s);
    EXPECT_EQ(FloatAt(again, 12), 1.0f);
    EXPECT_EQ(FloatAt(again, 28), 1.0f);
    EXPECT_EQ(again[39], kOptionTrick27 | kOptionReducedMotion);
    EXPECT_EQ(again[36], 1);
    s.options = 0xFF;
    EXPECT_EQ(Encoded(s)[39], kKnownOptions);
}

TEST(Settings, WriteReplacesTheFileAndLeavesNoTemporary)
{
    const std::string dir = krTestTempDir();
    const std::string path = dir + "/vossaconfig.bin";
    ASSERT_TRUE(krTestWriteFile(path, std::vector<unsigned char>(100, 0x55)));
    TSettings s = DefaultSettings();
    s.soundVolume = 9;
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), s));
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(krTestReadFile(path, bytes));
    EXPECT_EQ(bytes.size(), kSettingsFileSize);
    EXPECT_EQ(bytes, Encoded(s));
    struct stat info;
    EXPECT_NE(stat((path + ".tmp").c_str(), &info), 0);
}

TEST(Settings, FailedWriteLeavesTheOldFileWhole)
{
    const std::string dir = krTestTempDir();
    const std::string path = dir + "/vossaconfig.bin";
    TSettings old = DefaultSettings();
    old.language = 1;
    const std::vector<unsigned char> oldBytes = Encoded(old);
    ASSERT_TRUE(krTestWriteFile(path, oldBytes));
    // A folder in the way of the temporary file makes the write fail (also for root).
    ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0755), 0);
    ASSERT_TRUE(krTestWriteFile(path + ".tmp/blocker", {1}));
    TSettings s = DefaultSettings();
    s.musicVolume = 1;
    EXPECT_FALSE(WriteSettingsFile(path.c_str(), s));
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(krTestReadFile(path, bytes));
    EXPECT_EQ(bytes, oldBytes);

    // A folder that does not exist: nothing is written, nothing reported as written.
    EXPECT_FALSE(WriteSettingsFile((dir + "/missing/vossaconfig.bin").c_str(), s));
}

namespace
{
// Runs `body` in a child process (which may change its limits, user or mounts) and returns
// its exit status: 0 passed, 77 skipped, anything else failed.
int InChild(const std::function<int()>& body)
{
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0)
    {
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
    {
        return -1;
    }
    return WEXITSTATUS(status);
}

// 0 when the file holds exactly `expected`.
int Holds(const std::string& path, const std::vector<unsigned char>& expected)
{
    std::vector<unsigned char> bytes;
    return krTestReadFile(path, bytes) && bytes == expected ? 0 : 1;
}
} // namespace

TEST(Settings, FullDiskKeepsTheOldFile)
{
    const std::string dir = krTestTempDir();
    TSettings old = DefaultSettings();
    old.language = 1;
    TSettings next = DefaultSettings();
    next.musicVolume = 3;
    const int result = InChild(
        [&]()
        {
            // As root, a tiny file system of its own filled to the last byte; otherwise a file
            // size limit below the record's size, which fails the same writes.
            const std::string mountPoint = dir + "/small";
            bool tiny = false;
            if (geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
                mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                mkdir(mountPoint.c_str(), 0755) == 0 &&
                mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") == 0)
            {
                tiny = true;
            }
            const std::string path = (tiny ? mountPoint : dir) + "/vossaconfig.bin";
            if (!WriteSettingsFile(path.c_str(), old))
            {
                return 2;
            }
            if (tiny)
            {
                FILE* filler = fopen((mountPoint + "/filler").c_str(), "wb");
                const std::vector<char> page(4096, 1);
                while (filler != nullptr &&
                       fwrite(page.data(), 1, page.size(), filler) == page.size())
                {
                }
                if (filler == nullptr)
                {
                    return 3;
                }
                fclose(filler);
            }
            else
            {
                signal(SIGXFSZ, SIG_IGN);
                const struct rlimit limit = {20, 20};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            if (WriteSettingsFile(path.c_str(), next))
            {
                return 4;
            }
            struct stat info;
            if (stat((path + ".tmp").c_str(), &info) == 0)
            {
                return 5;
            }
            return Holds(path, Encoded(old)) == 0 ? 0 : 6;
        });
    EXPECT_EQ(result, 0);
}

TEST(Settings, ALinkIsFollowedAndKept)
{
    const std::string dir = krTestTempDir();
    ASSERT_EQ(mkdir((dir + "/synced").c_str(), 0755), 0);
    ASSERT_TRUE(krTestWriteFile(dir + "/synced/settings", Encoded(DefaultSettings())));
    const std::string link = dir + "/vossaconfig.bin";
    ASSERT_EQ(symlink("synced/settings", link.c_str()), 0);
    TSettings s = DefaultSettings();
    s.soundVolume = 12;
    ASSERT_TRUE(WriteSettingsFile(link.c_str(), s));
    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(Holds(dir + "/synced/settings", Encoded(s)), 0);
    EXPECT_NE(stat((dir + "/synced/settings.tmp").c_str(), &info), 0);
}

TEST(Settings, AFolderThatTakesNoNewFileIsWrittenInPlace)
{
    const std::string dir = krTestTempDir();
    const std::string path = dir + "/vossaconfig.bin";
    ASSERT_TRUE(krTestWriteFile(path, std::vector<unsigned char>(60, 0x55)));
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    TSettings s = DefaultSettings();
    s.language = 1;
    // Root writes into any folder: the player is played by an ordinary user then.
    const struct passwd* player = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    const int result = InChild(
        [&]()
        {
            if (geteuid() == 0 &&
                (player == nullptr || setgid(player->pw_gid) != 0 || setuid(player->pw_uid) != 0))
            {
                return 77;
            }
            return WriteSettingsFile(path.c_str(), s) ? Holds(path, Encoded(s)) : 8;
        });
    chmod(dir.c_str(), 0755);
    if (result == 77)
    {
        GTEST_SKIP() << "no ordinary user to run as";
    }
    EXPECT_EQ(result, 0);
}
