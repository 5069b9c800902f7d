// End-to-end: the real program met with broken data files, broken settings files, a read-only
// folder, kills at random moments (also in the middle of writing its settings) and a sound
// device that cannot open. Each time: a refused start-up with its reason, or a run without the
// missing piece, never a crash, and the settings file always whole.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <random>
#include <set>
#include <signal.h>
#include <thread>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
// A valid settings file that differs from the defaults everywhere it can.
std::vector<unsigned char> KnownSettings(int volume = 50)
{
    TSettingsFile_s s;
    const float colours[8] = {0.25f, 0.5f, 0.75f, 1.0f, 0.125f, 0.375f, 0.625f, 1.0f};
    std::memcpy(s.colours, colours, sizeof(colours));
    s.music = 0;
    s.musicVolume = volume;
    s.soundVolume = volume - 10;
    return SettingsBytes(s);
}

struct TRunResult_s
{
    bool started = false; // the intro menu (or, without its buttons, some screen) came up
    bool menu = false;    // the intro menu's buttons showed
    bool played = false;  // Start started a game, a click dealt, Escape flew back to the menu
    bool exited = false;
    int status = -1;
    std::string output;
};

// One run of the program in `folder` on this thread's display (see RunBlind).
TRunResult_s RunOnce(const std::string& folder, const std::vector<std::string>& env, bool play,
                     bool asNobody, double endSeconds)
{
    TRunResult_s result;
    Game game;
    game.dropRoot = asNobody;
    const std::string out =
        folder + "/../output-" + std::to_string(getpid()) + "-" +
        std::to_string(std::hash<std::thread::id>()(std::this_thread::get_id()));
    if (!game.Start(folder, env, out))
    {
        return result;
    }
    TShot_s shot;
    const auto started = Clock::now();
    result.menu = WaitForScreen(game, IsIntro, 20, shot);
    bool up = result.menu;
    if (!up && game.Running())
    {
        // Without a button skin the menu cannot be told by its colours; a program that has not
        // ended by then runs all the same.
        const double waited = std::chrono::duration<double>(Clock::now() - started).count();
        int status = -1;
        game.WaitForExit(endSeconds * Slowness() - waited, &status);
        up = game.Running() && waited > 19 * Slowness();
    }
    if (up && game.Running())
    {
        result.started = true;
        if (play && result.menu)
        {
            // Each input once, and each must act: Start leaves the menu, a click deals the
            // cards into the rows (the choice sound plays), Escape flies back to the menu.
            Click(566, 302);
            MoveAway();
            result.played = WaitForScreen(
                game, [](const TShot_s& s) { return !IsIntro(s); }, 20, shot);
            Click(640, 600);
            MoveAway();
            result.played =
                result.played &&
                WaitForScreen(
                    game, [](const TShot_s& s) { return CardsInSlots(s) > 14; }, 40, shot);
            Key("Escape");
            result.played = result.played && WaitForScreen(game, IsIntro, 20, shot);
        }
        // On the menu (or during the flight to it) Escape quits.
        Key("Escape");
    }
    result.exited = game.WaitForExit(30 * Slowness(), &result.status);
    game.Kill();
    std::vector<unsigned char> text;
    ReadFile(out, text);
    result.output.assign(text.begin(), text.end());
    unlink(out.c_str());
    return result;
}

// The one line a refused start-up prints: "vossa: cannot start: <reason>".
bool IsReasonLine(const std::string& output)
{
    const std::string head = "vossa: cannot start: ";
    return output.rfind(head, 0) == 0 && output.size() > head.size() + 1 &&
           output.find('\n') == output.size() - 1;
}

// The leak checker's tracer crashed in the exit-time check ("Tracer caught signal", then its
// fatal error) and nothing else went wrong: a fault of the sanitizer runtime, not the program.
bool OnlyTracerCrashed(const TRunResult_s& run)
{
    const size_t tracer = run.output.find("Tracer caught signal");
    return tracer != std::string::npos && run.exited && run.status == 1 &&
           run.output.find("LeakSanitizer has encountered a fatal error", tracer) !=
               std::string::npos &&
           run.output.find("ERROR: AddressSanitizer") == std::string::npos &&
           run.output.find("ERROR: LeakSanitizer: detected") == std::string::npos &&
           run.output.find("runtime error") == std::string::npos;
}

// Runs the program in `folder` on this thread's display: when its menu comes up, a game is
// started and a deal begun (`play`), then Escape quits. A program that ends at start-up is
// only waited for: `endSeconds` (times the slowness) when it is expected to end there, as
// reading a damaged pack can take that long on a loaded machine. A run whose only fault is the
// tracer's crash is run again (up to three times), its output kept in the log.
TRunResult_s RunBlind(const std::string& folder, const std::vector<std::string>& env = {},
                      bool play = true, bool asNobody = false, double endSeconds = 0)
{
    TRunResult_s run = RunOnce(folder, env, play, asNobody, endSeconds);
    for (int attempt = 1; attempt < 3 && OnlyTracerCrashed(run); ++attempt)
    {
        std::printf("only the leak checker's tracer crashed; again. Its output:\n%s\n",
                    run.output.c_str());
        run = RunOnce(folder, env, play, asNobody, endSeconds);
    }
    return run;
}

class Faults : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!display.Start())
        {
            GTEST_SKIP() << "needs Xvfb";
        }
        if (!Shell("command -v xdotool >/dev/null && command -v convert >/dev/null"))
        {
            GTEST_SKIP() << "needs xdotool and imagemagick";
        }
        UseDisplay(display.name);
        base = TempFolder();
        folder = base + "/run";
        ASSERT_EQ(chmod(base.c_str(), 0755), 0);
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    }

    void TearDown() override
    {
        UseDisplay("");
        display.Stop();
        RemoveFolder(base);
    }

    std::vector<unsigned char> BuiltBytes()
    {
        std::vector<unsigned char> bytes;
        EXPECT_TRUE(ReadFile(BuiltArchive(), bytes));
        return bytes;
    }

    // A data file fault: the program ends at once without showing anything, exits with 1
    // after one line that says why, and leaves the settings file as it was.
    void ExpectRefused(const std::vector<unsigned char>* data)
    {
        if (data != nullptr)
        {
            ASSERT_TRUE(WriteFile(folder + "/vossadata.bin", *data));
        }
        const std::vector<unsigned char> settings = KnownSettings();
        ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", settings));
        const TRunResult_s run = RunBlind(folder, {}, true, false, 120);
        ASSERT_TRUE(run.exited) << "the program did not end";
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(IsReasonLine(run.output)) << run.output;
        EXPECT_FALSE(run.started) << "the program ran without its data";
        std::vector<unsigned char> after;
        ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", after));
        EXPECT_EQ(after, settings) << "the settings file changed";
    }

    PrivateDisplay display;
    std::string base, folder;
};

TEST_F(Faults, DataFileMissing)
{
    ExpectRefused(nullptr);
}

TEST_F(Faults, DataFileEmpty)
{
    const std::vector<unsigned char> empty;
    ExpectRefused(&empty);
}

TEST_F(Faults, DataFileTruncated)
{
    std::vector<unsigned char> bytes = BuiltBytes();
    ASSERT_GT(bytes.size(), 1000u);
    for (size_t size : {size_t(7), bytes.size() / 2, bytes.size() - 1})
    {
        SCOPED_TRACE("truncated to " + std::to_string(size));
        std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + long(size));
        ExpectRefused(&cut);
    }
}

TEST_F(Faults, DataFileWithOneByteFlipped)
{
    std::vector<unsigned char> bytes = BuiltBytes();
    ASSERT_GT(bytes.size(), 1000u);
    for (size_t at : {size_t(40), bytes.size() / 3, bytes.size() - 2})
    {
        SCOPED_TRACE("byte " + std::to_string(at));
        std::vector<unsigned char> flipped = bytes;
        flipped[at] ^= 0x10;
        ExpectRefused(&flipped);
    }
}

TEST_F(Faults, FontMissingOrDamaged)
{
    const std::string archive = base + "/fonts.bin";
    for (const char* font : {"arial", "ss10"})
    {
        SCOPED_TRACE(font);
        ASSERT_TRUE(BuildArchive(BuiltArchive(), archive, false, {font}));
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(ReadFile(archive, bytes));
        ExpectRefused(&bytes);
        // The entry there, but its glyph block cut short or full of noise: refused, as a
        // missing font is.
        const std::string extracted = base + "/font";
        ASSERT_TRUE(Shell("'" + PackTool() + "' extract '" + BuiltArchive() + "' " + font + " '" +
                          extracted + "' --decrunch"));
        std::vector<unsigned char> glyphs;
        ASSERT_TRUE(ReadFile(extracted, glyphs));
        // Short by a byte: the last glyph's record is cut (a cut between records would leave
        // a smaller font, whole).
        std::vector<unsigned char> shortBlock(glyphs.begin(), glyphs.end() - 1);
        std::vector<unsigned char> noise = glyphs;
        std::mt19937 random(7);
        for (size_t i = 0; i < noise.size(); i += 3)
        {
            noise[i] = uint8_t(random());
        }
        for (const auto& damaged : {shortBlock, noise})
        {
            ASSERT_TRUE(BuildArchive(BuiltArchive(), archive, false, {}, {{font, damaged}}));
            ASSERT_TRUE(ReadFile(archive, bytes));
            ExpectRefused(&bytes);
        }
    }
}

#ifndef VOSSA_E2E_SANITIZED
// One entry of every kind but the fonts (the meshes, a card face and its low variant, the star,
// a cloud of each quality, a button face, the logos, every text, the music and the sample)
// left out, two runs at a time on displays of their own. Entries of one kind differ only in
// their number or colour, and each run costs a whole start and quit, so each run leaves out
// three entries of kinds far apart in the archive's order (a mesh, a cloud and a text; a face,
// a logo and a text; ...), which the game loads and uses independently of one another.
TEST(FaultMatrix, EveryOtherEntryMissingRunsAndQuits)
{
    if (!Shell("command -v Xvfb >/dev/null && command -v xdotool >/dev/null"))
    {
        GTEST_SKIP() << "needs Xvfb and xdotool";
    }
    const std::vector<std::string> all = ArchiveEntries(BuiltArchive());
    ASSERT_GE(all.size(), 60u);
    std::vector<std::string> entries;
    std::set<std::string> kinds;
    for (const std::string& name : all)
    {
        std::string kind;
        for (char c : name)
        {
            if (c < '0' || c > '9')
            {
                kind += c;
            }
        }
        if (kind.rfind("button_", 0) == 0)
        {
            kind = "button";
        }
        if (name != "arial" && name != "ss10" && name != "box" && kinds.insert(kind).second)
        {
            entries.push_back(name);
        }
    }
    ASSERT_GE(entries.size(), 15u);
    const size_t runCount = (entries.size() + 2) / 3;
    std::vector<std::vector<std::string>> runs(runCount);
    for (size_t i = 0; i < entries.size(); ++i)
    {
        runs[i % runCount].push_back(entries[i]);
    }
    std::atomic<size_t> next(0);
    std::mutex lock;
    std::vector<std::string> failures;
    int survived = 0;
    auto worker = [&]()
    {
        PrivateDisplay display;
        if (!display.Start())
        {
            std::lock_guard<std::mutex> guard(lock);
            failures.push_back("no display");
            return;
        }
        UseDisplay(display.name);
        for (size_t i = next++; i < runs.size(); i = next++)
        {
            std::string names;
            for (const std::string& name : runs[i])
            {
                names += (names.empty() ? "" : ", ") + name;
            }
            const std::string base = TempFolder();
            const std::string folder = base + "/run";
            mkdir(folder.c_str(), 0755);
            std::string problem;
            if (!BuildArchive(BuiltArchive(), folder + "/vossadata.bin", true, runs[i]))
            {
                problem = "archive not built";
            }
            else
            {
                const std::vector<unsigned char> settings = KnownSettings();
                WriteFile(folder + "/vossaconfig.bin", settings);
                const TRunResult_s run = RunBlind(folder);
                std::vector<unsigned char> after;
                ReadFile(folder + "/vossaconfig.bin", after);
                if (!run.exited)
                {
                    problem = "did not end; output: " + run.output;
                }
                else if (run.status != 0)
                {
                    problem =
                        "exit status " + std::to_string(run.status) + "; output: " + run.output;
                }
                else if (!run.output.empty())
                {
                    problem = "output: " + run.output;
                }
                else if (run.menu && !run.played)
                {
                    problem = "an input on the menu or in the game did not act";
                }
                else if (after != settings)
                {
                    problem = "settings file changed";
                }
            }
            RemoveFolder(base);
            std::lock_guard<std::mutex> guard(lock);
            if (problem.empty())
            {
                survived += int(runs[i].size());
            }
            else
            {
                failures.push_back(names + ": " + problem);
            }
        }
        UseDisplay("");
    };
    std::vector<std::thread> workers;
    for (int w = 0; w < 2; ++w)
    {
        workers.emplace_back(worker);
    }
    for (std::thread& t : workers)
    {
        t.join();
    }
    for (const std::string& f : failures)
    {
        ADD_FAILURE() << f;
    }
    EXPECT_EQ(survived, int(entries.size()));
    RecordProperty("entries", int(entries.size()));
    std::printf("missing entries survived: %d of %zu\n", survived, entries.size());
}
#endif

TEST_F(Faults, BadSettingsFilesGiveDefaultsAndAreRewritten)
{
    std::vector<unsigned char> data = BuiltBytes();
    ASSERT_TRUE(WriteFile(folder + "/vossadata.bin", data));
    std::vector<unsigned char> garbage(48);
    std::mt19937 random(3);
    for (auto& b : garbage)
    {
        b = uint8_t(random());
    }
    // A random 48-byte file is read as it is (a language beyond the table included); the other
    // cases are of the wrong size and read as no file at all.
    const std::vector<unsigned char> known = KnownSettings();
    std::vector<unsigned char> longer = known;
    longer.push_back(0);
    const std::vector<std::pair<std::string, std::vector<unsigned char>>> cases = {
        {"empty", {}},
        {"short", {known.begin(), known.end() - 1}},
        {"long", longer},
        {"huge", std::vector<unsigned char>(100000, 0xAB)},
        {"garbage of 48 bytes", garbage},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.first);
        ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", c.second));
        const TRunResult_s run = RunBlind(folder, {}, false);
        ASSERT_TRUE(run.started) << "the program did not come up";
        ASSERT_TRUE(run.exited);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.output, "");
        std::vector<unsigned char> after;
        ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", after));
        if (c.second.size() != 48)
        {
            EXPECT_EQ(after, SettingsBytes(TSettingsFile_s())) << "not the defaults";
        }
        else
        {
            EXPECT_EQ(after.size(), 48u);
        }
    }
    // A settings file that cannot be read: defaults; it cannot be replaced either, so the
    // program quits without a word and the file stays as it was.
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", KnownSettings()));
    chmod((folder + "/vossaconfig.bin").c_str(), 0);
    {
        const TRunResult_s run = RunBlind(folder, {}, false, true);
        EXPECT_TRUE(run.started);
        ASSERT_TRUE(run.exited);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.output, "");
        chmod((folder + "/vossaconfig.bin").c_str(), 0644);
        std::vector<unsigned char> after;
        ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", after));
        EXPECT_EQ(after, KnownSettings()) << "a file the program cannot read was replaced";
    }
    // A settings file in the way as a folder: defaults, and nothing written, neither in that
    // folder nor beside it.
    unlink((folder + "/vossaconfig.bin").c_str());
    ASSERT_EQ(mkdir((folder + "/vossaconfig.bin").c_str(), 0755), 0);
    const std::string listing = "cd '" + folder + "' && find . | sort";
    const std::string before = Capture(listing);
    const TRunResult_s run = RunBlind(folder, {}, false);
    EXPECT_TRUE(run.started);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Capture(listing), before) << "files were written";
}

TEST_F(Faults, ReadOnlyFolderRunsAndQuits)
{
    ASSERT_TRUE(BuildArchive(BuiltArchive(), folder + "/vossadata.bin", true));
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", KnownSettings()));
    chmod((folder + "/vossaconfig.bin").c_str(), 0444);
    chmod(base.c_str(), 0755);
    chmod(folder.c_str(), 0555);
    const TRunResult_s run = RunBlind(folder, {}, true, true);
    chmod(folder.c_str(), 0755);
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.played) << "an input on the menu or in the game did not act";
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "");
    std::vector<unsigned char> after;
    ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", after));
    EXPECT_EQ(after, KnownSettings());
    // Without any settings file in a read-only folder the program runs on its defaults.
    chmod((folder + "/vossaconfig.bin").c_str(), 0644);
    unlink((folder + "/vossaconfig.bin").c_str());
    chmod(folder.c_str(), 0555);
    const TRunResult_s bare = RunBlind(folder, {}, false, true);
    chmod(folder.c_str(), 0755);
    EXPECT_TRUE(bare.started);
    ASSERT_TRUE(bare.exited);
    EXPECT_EQ(bare.status, 0);
    EXPECT_FALSE(FileExists(folder + "/vossaconfig.bin"));
}

TEST_F(Faults, NoSoundDeviceEndsWithItsReason)
{
    std::vector<unsigned char> data = BuiltBytes();
    ASSERT_TRUE(WriteFile(folder + "/vossadata.bin", data));
    // A sound driver that starts but cannot open its device (a file it cannot create).
    const TRunResult_s run = RunBlind(
        folder, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/nonexistent/folder/sound.raw"}, false);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1);
    const std::string sound = "Error: Unable to init sound.\n";
    ASSERT_EQ(run.output.rfind(sound, 0), 0u) << run.output;
    EXPECT_TRUE(IsReasonLine(run.output.substr(sound.size()))) << run.output;
    EXPECT_FALSE(run.started) << "the program ran without sound";
    EXPECT_FALSE(FileExists(folder + "/vossaconfig.bin"));
    // A driver that does not exist stops SDL itself from starting: the reason, and status 1.
    const TRunResult_s none = RunBlind(folder, {"SDL_AUDIODRIVER=nonexistent"}, false);
    ASSERT_TRUE(none.exited);
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(IsReasonLine(none.output)) << none.output;
    EXPECT_FALSE(none.started);
    EXPECT_FALSE(FileExists(folder + "/vossaconfig.bin"));
}

#ifndef VOSSA_E2E_SANITIZED
// Settings bytes that a run may leave: the old file, or the old one with both volumes two
// steps down (the one change each run makes).
bool OldOrNew(const std::vector<unsigned char>& old, const std::vector<unsigned char>& now)
{
    if (now == old)
    {
        return true;
    }
    TSettingsFile_s lowered;
    if (!ParseSettings(old, &lowered))
    {
        return false;
    }
    lowered.musicVolume = std::max(0, lowered.musicVolume - 2);
    lowered.soundVolume = std::max(0, lowered.soundVolume - 2);
    return now == SettingsBytes(lowered);
}

// Presses Escape once (on the intro menu: the program ends and writes its settings) and kills
// the program at once when its settings file (or any file named like it) is created, written
// or moved into place in `folder`; false when that did not happen within `seconds`.
bool KillAtSettingsWrite(Game& game, const std::string& folder, double seconds, int delayMicros)
{
    const int fd = inotify_init1(IN_NONBLOCK);
    if (fd < 0)
    {
        return false;
    }
    inotify_add_watch(fd, folder.c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_TO);
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    bool hit = false;
    Key("Escape");
    while (!hit && Clock::now() < deadline && game.Running())
    {
        pollfd p = {fd, POLLIN, 0};
        const int ready = poll(&p, 1, 2000);
        if (ready > 0)
        {
            alignas(inotify_event) char buffer[4096];
            const ssize_t n = read(fd, buffer, sizeof(buffer));
            for (ssize_t at = 0; at < n;)
            {
                const inotify_event* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if (e->len > 0 && std::strncmp(e->name, "vossaconfig", 11) == 0)
                {
                    hit = true;
                }
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
    }
    if (hit)
    {
        if (delayMicros > 0)
        {
            usleep(useconds_t(delayMicros));
        }
        game.Kill();
    }
    close(fd);
    return hit;
}

TEST(KillTest, FiftyKillsLeaveTheOldOrTheNewSettings)
{
    if (!Shell("command -v Xvfb >/dev/null && command -v xdotool >/dev/null"))
    {
        GTEST_SKIP() << "needs Xvfb and xdotool";
    }
    std::atomic<int> next(0);
    std::mutex lock;
    std::vector<std::string> failures;
    int survived = 0, atWrite = 0;
    auto worker = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        PrivateDisplay display;
        if (!display.Start())
        {
            std::lock_guard<std::mutex> guard(lock);
            failures.push_back("no display");
            return;
        }
        UseDisplay(display.name);
        const std::string base = TempFolder();
        const std::string folder = base + "/run";
        mkdir(folder.c_str(), 0755);
        std::vector<unsigned char> data;
        ReadFile(BuiltArchive(), data);
        WriteFile(folder + "/vossadata.bin", data);
        WriteFile(folder + "/vossaconfig.bin", KnownSettings(64));
        for (int k = next++; k < 50; k = next++)
        {
            std::vector<unsigned char> old;
            ReadFile(folder + "/vossaconfig.bin", old);
            Game game;
            game.Start(folder);
            // Kinds of moment: anywhere in the first seconds (start-up, logo, loading, the
            // menu), or right at the settings write after a volume change and Escape, at once
            // or a few microseconds later.
            const int kind = k % 3;
            bool hit = false;
            if (kind == 0)
            {
                Pause(std::uniform_real_distribution<double>(0.0, 7.0)(random));
                game.Kill();
            }
            else
            {
                TShot_s shot;
                if (WaitForScreen(game, IsIntro, 40, shot))
                {
                    Key("Down");
                    Pause(0.3);
                    hit = KillAtSettingsWrite(
                        game, folder, 20,
                        kind == 1 ? 0 : std::uniform_int_distribution<int>(1, 3000)(random));
                }
                game.Kill();
            }
            std::vector<unsigned char> now;
            const bool present = ReadFile(folder + "/vossaconfig.bin", now);
            std::lock_guard<std::mutex> guard(lock);
            if (present && OldOrNew(old, now))
            {
                ++survived;
                atWrite += hit ? 1 : 0;
            }
            else
            {
                failures.push_back("kill " + std::to_string(k) + ": settings file " +
                                   (present ? std::to_string(now.size()) + " bytes, neither old "
                                                                           "nor new"
                                            : "gone"));
                // Carry on from a whole file.
                WriteFile(folder + "/vossaconfig.bin", old);
            }
        }
        RemoveFolder(base);
        UseDisplay("");
    };
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < 3; ++w)
    {
        workers.emplace_back(worker, 1000u + w);
    }
    for (std::thread& t : workers)
    {
        t.join();
    }
    for (const std::string& f : failures)
    {
        ADD_FAILURE() << f;
    }
    EXPECT_EQ(survived, 50);
    EXPECT_GT(atWrite, 10) << "too few kills landed at the settings write";
    std::printf("kills survived: %d of 50, %d of them at the settings write\n", survived, atWrite);
}
#endif
} // namespace
