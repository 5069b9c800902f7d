// End-to-end smoke test of the real program on a virtual display of its own: it is started in
// a run folder, driven with injected input (xdotool) through the engine logo, the intro menu
// and the start of a game, sent back to the intro and ended with Escape; screen pixels
// (imagemagick) tell which screen is up. Also: without its data file the program ends at
// once and writes no settings.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "krTestFiles.h"
#include "vossaTestArchive.h"

namespace
{
using Clock = std::chrono::steady_clock;

// Output of a shell command (empty when it fails).
std::string Capture(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return out;
    }
    char buffer[512];
    while (fgets(buffer, sizeof(buffer), pipe) != nullptr)
    {
        out += buffer;
    }
    pclose(pipe);
    return out;
}

bool Shell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

class ProgramRun
{
public:
    // Starts the program in `folder`.
    explicit ProgramRun(const std::string& folder)
    {
        pid = fork();
        if (pid == 0)
        {
            if (chdir(folder.c_str()) != 0)
            {
                _exit(127);
            }
            // Under AddressSanitizer the program keeps its memory-error checks, but not the
            // exit-time leak check: the Mesa driver, unloaded by SDL_Quit, leaves allocations
            // no suppression can name. The game's own code is leak-checked in-process by the
            // game object tests, where the driver stays loaded.
            const char* asan = std::getenv("ASAN_OPTIONS");
            const std::string options = std::string(asan != nullptr ? asan : "") +
                                        (asan != nullptr ? ":" : "") + "detect_leaks=0";
            setenv("ASAN_OPTIONS", options.c_str(), 1);
            execl(VOSSA_GAME_BINARY, VOSSA_GAME_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~ProgramRun()
    {
        if (pid > 0 && !finished)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // True once the program has ended within `seconds`; its exit status in *status.
    bool WaitForExit(double seconds, int* status)
    {
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < deadline)
        {
            int raw = 0;
            const pid_t r = waitpid(pid, &raw, WNOHANG);
            if (r == pid)
            {
                finished = true;
                *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    bool Running()
    {
        int status = 0;
        return !WaitForExit(0.0, &status);
    }

    pid_t pid = -1;
    bool finished = false;
};

// The colour of one screen pixel as "r,g,b" from the root window.
std::string PixelAt(int x, int y)
{
    return Capture("import -silent -window root -crop 1x1+" + std::to_string(x) + "+" +
                   std::to_string(y) + " -depth 8 txt:- 2>/dev/null | tail -n 1");
}

bool IsBlack(const std::string& pixelLine)
{
    return pixelLine.empty() || pixelLine.find("#000000") != std::string::npos;
}

struct TColor_s
{
    int r = -1, g = -1, b = -1;
};

// The "#RRGGBB" of a pixel line of `import ... txt:-`.
TColor_s ColorOf(const std::string& pixelLine)
{
    TColor_s c;
    const size_t hash = pixelLine.find('#');
    if (hash != std::string::npos && hash + 7 <= pixelLine.size())
    {
        const std::string hex = pixelLine.substr(hash + 1, 6);
        char* end = nullptr;
        const long v = std::strtol(hex.c_str(), &end, 16);
        if (end == hex.c_str() + 6)
        {
            c.r = static_cast<int>(v >> 16 & 0xFF);
            c.g = static_cast<int>(v >> 8 & 0xFF);
            c.b = static_cast<int>(v & 0xFF);
        }
    }
    return c;
}

bool Near(const TColor_s& a, const TColor_s& b)
{
    return a.r >= 0 && b.r >= 0 && std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 &&
           std::abs(a.b - b.b) <= 12;
}

// Waits until the pixel at (x, y) is (or is no longer) near `color`.
bool WaitForPixel(int x, int y, const TColor_s& color, bool near, double seconds)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline)
    {
        if (Near(ColorOf(PixelAt(x, y)), color) == near)
        {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

// A virtual X server of the test's own (1280 x 720, GLX), so that windows of tests running in
// parallel on the shared display can neither cover the program nor take its injected input.
class PrivateDisplay
{
public:
    // Starts the server; false when there is no Xvfb or no free display number.
    bool Start()
    {
        if (!Shell("command -v Xvfb >/dev/null && command -v xdpyinfo >/dev/null"))
        {
            return false;
        }
        for (int n = 150; n < 200; ++n)
        {
            const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            if (access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0)
            {
                continue;
            }
            name = ":" + std::to_string(n);
            pid = fork();
            if (pid == 0)
            {
                const int devnull = open("/dev/null", O_WRONLY);
                dup2(devnull, 1);
                dup2(devnull, 2);
                execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x720x24", "+extension",
                       "GLX", "+render", "-noreset", static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int i = 0; i < 100; ++i)
            {
                const bool answers = Shell("DISPLAY=" + name + " xdpyinfo >/dev/null 2>&1");
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid)
                {
                    // Another test took the number at the same moment and the server that
                    // answers is theirs: try the next number.
                    pid = -1;
                    break;
                }
                if (answers)
                {
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            Stop();
        }
        return false;
    }

    void Stop()
    {
        if (pid > 0)
        {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }

    ~PrivateDisplay() { Stop(); }

    std::string name;
    pid_t pid = -1;
};

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* shared = std::getenv("DISPLAY");
        if (shared != nullptr)
        {
            sharedDisplay = shared;
        }
        if (display.Start())
        {
            setenv("DISPLAY", display.name.c_str(), 1);
        }
        else if (shared == nullptr)
        {
            GTEST_SKIP() << "needs an X display";
        }
        if (!Shell("command -v xdotool >/dev/null && command -v import >/dev/null"))
        {
            GTEST_SKIP() << "needs xdotool and imagemagick";
        }
        folder = krTestTempDir();
    }

    void TearDown() override
    {
        if (!sharedDisplay.empty())
        {
            setenv("DISPLAY", sharedDisplay.c_str(), 1);
        }
        else
        {
            unsetenv("DISPLAY");
        }
        display.Stop();
    }

    // The archive the build generated, or the tests' own one when there is none.
    void ProvideArchive()
    {
        const char* runDir = std::getenv("VOSSA_RUN_DIR");
        const std::string built = runDir != nullptr ? std::string(runDir) + "/vossadata.bin" : "";
        std::vector<unsigned char> bytes;
        if (!built.empty() && krTestReadFile(built, bytes))
        {
            ASSERT_TRUE(krTestWriteFile(folder + "/vossadata.bin", bytes));
        }
        else
        {
            ASSERT_TRUE(WriteTestArchive(folder + "/vossadata.bin"));
        }
    }

    std::string folder;
    std::string sharedDisplay;
    PrivateDisplay display;
};

TEST_F(EndToEndTest, LogoIntroStartEscapeBackAndQuit)
{
    ProvideArchive();
    ASSERT_FALSE(HasFatalFailure());
    ProgramRun program(folder);
    ASSERT_GT(program.pid, 0);

    // The logo is black around its picture; the intro's backdrop is not. Wait for it.
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    bool intro = false;
    while (Clock::now() < deadline && program.Running())
    {
        if (!IsBlack(PixelAt(4, 700)))
        {
            intro = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_TRUE(intro) << "the intro menu never appeared";
    // A few frames for the menu to settle. A pixel of the start button (502, 286, 128 x 32)
    // left of its caption tells the intro menu from the game.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const int bx = 510, by = 300;
    const TColor_s button = ColorOf(PixelAt(bx, by));
    ASSERT_GE(button.r, 0);

    // Start, then move the pointer out of the way: the menu makes room for the game.
    ASSERT_TRUE(Shell("xdotool mousemove 566 302 sleep 0.2 click 1 sleep 0.2 mousemove 20 700"));
    EXPECT_TRUE(WaitForPixel(bx, by, button, false, 30.0)) << "the game did not start";
    ASSERT_TRUE(program.Running());

    // Escape on the circle goes back to the intro menu; the program keeps running.
    ASSERT_TRUE(Shell("xdotool key Escape"));
    EXPECT_TRUE(WaitForPixel(bx, by, button, true, 30.0)) << "the intro menu did not return";
    ASSERT_TRUE(program.Running()) << "Escape on the circle ended the program";

    // Escape on the intro ends it.
    ASSERT_TRUE(Shell("xdotool key Escape"));
    int status = -1;
    ASSERT_TRUE(program.WaitForExit(20.0, &status));
    EXPECT_EQ(status, 0);
    std::vector<unsigned char> settings;
    ASSERT_TRUE(krTestReadFile(folder + "/vossaconfig.bin", settings));
    EXPECT_EQ(settings.size(), 48u);
}

TEST_F(EndToEndTest, MissingDataFileEndsAtOnceWithoutSettings)
{
    ProgramRun program(folder);
    ASSERT_GT(program.pid, 0);
    int status = -1;
    // Only the engine logo's three seconds stand between start and end.
    ASSERT_TRUE(program.WaitForExit(30.0, &status));
    EXPECT_EQ(status, 0);
    std::vector<unsigned char> settings;
    EXPECT_FALSE(krTestReadFile(folder + "/vossaconfig.bin", settings));
}
} // namespace
