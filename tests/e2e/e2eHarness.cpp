// Harness of the end-to-end suite: displays, program runs, input, screen captures and the test
// archive with coloured cards.
#include "e2eHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Last: Xlib's macros (None, Status, ...) would clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e
{
double Slowness()
{
#ifdef VOSSA_E2E_SANITIZED
    return 4.0;
#else
    return 1.0;
#endif
}

namespace
{
thread_local std::string threadDisplay;

std::string OnDisplay(const std::string& command)
{
    return threadDisplay.empty() ? command : "DISPLAY=" + threadDisplay + " " + command;
}
} // namespace

void UseDisplay(const std::string& name)
{
    threadDisplay = name;
}

bool Shell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

std::string Capture(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
    {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

void Pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& out)
{
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
    {
        return false;
    }
    unsigned char chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
    {
        out.insert(out.end(), chunk, chunk + n);
    }
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
    {
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool FileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

std::string TempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != 0 ? base : "/tmp") + "/vossa-e2e-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    return made != nullptr ? std::string(made) : std::string();
}

void RemoveFolder(const std::string& path)
{
    if (path.size() > 5 && path.find("vossa-e2e-") != std::string::npos)
    {
        Shell("chmod -R u+rwx '" + path + "' 2>/dev/null; rm -rf '" + path + "'");
    }
}

int Distance(const TRgb_s& a, const TRgb_s& b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

TRgb_s TShot_s::At(int x, int y) const
{
    TRgb_s c;
    if (!Valid() || x < 0 || y < 0 || x >= width || y >= height)
    {
        return c;
    }
    const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    c.r = p[0];
    c.g = p[1];
    c.b = p[2];
    return c;
}

TRgb_s TShot_s::Mean(int x, int y, int r) const
{
    long sr = 0, sg = 0, sb = 0, n = 0;
    for (int dy = -r; dy <= r; ++dy)
    {
        for (int dx = -r; dx <= r; ++dx)
        {
            const TRgb_s c = At(x + dx, y + dy);
            sr += c.r;
            sg += c.g;
            sb += c.b;
            ++n;
        }
    }
    TRgb_s m;
    m.r = int(sr / n);
    m.g = int(sg / n);
    m.b = int(sb / n);
    return m;
}

bool PrivateDisplay::Start()
{
    // Threads of one test start their servers one at a time: each then sees the others' lock
    // files and never takes a number that another thread's server holds.
    static std::mutex starting;
    std::lock_guard<std::mutex> guard(starting);
    if (!Shell("command -v Xvfb >/dev/null && command -v xdpyinfo >/dev/null"))
    {
        return false;
    }
    // Numbers from a range of the suite's own, starting at a point that depends on the process
    // so that parallel tests rarely race for the same one.
    const int first = 300 + int(getpid() % 200);
    for (int k = 0; k < 200; ++k)
    {
        const int n = 300 + (first - 300 + k) % 200;
        const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0)
        {
            continue;
        }
        name = ":" + std::to_string(n);
        // Made before fork: the child only calls what is safe after it.
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        pid = fork();
        if (pid == 0)
        {
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 1);
            dup2(devnull, 2);
            execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", screen.c_str(), "+extension",
                   "GLX", "+render", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100; ++i)
        {
            int status = 0;
            // Answered, and by our own server (not one that holds the number already).
            if (Shell("DISPLAY=" + name + " xdpyinfo >/dev/null 2>&1") &&
                waitpid(pid, &status, WNOHANG) == 0)
            {
                return true;
            }
            if (waitpid(pid, &status, WNOHANG) == pid)
            {
                pid = -1;
                break;
            }
            Pause(0.1);
        }
        Stop();
    }
    return false;
}

void PrivateDisplay::Stop()
{
    if (pid > 0)
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

std::string GameBinary()
{
    // Another build may stand in for the Linux one: VOSSA_E2E_GAME names a program that starts
    // it (the Windows build under Wine, tests/windows/wine-game.sh).
    const char* other = std::getenv("VOSSA_E2E_GAME");
    return other != nullptr && other[0] != '\0' ? other : VOSSA_GAME_BINARY;
}

std::string PackTool()
{
    return VOSSA_PACK_TOOL;
}

std::string BuiltArchive()
{
    const char* runDir = std::getenv("VOSSA_RUN_DIR");
    return std::string(runDir != nullptr ? runDir : ".") + "/vossadata.bin";
}

bool Game::Start(const std::string& folder, const std::vector<std::string>& env,
                 const std::string& outFile, const std::string& preload)
{
    finished = false;
    status = -1;
    pid = fork();
    if (pid == 0)
    {
        if (chdir(folder.c_str()) != 0)
        {
            _exit(127);
        }
        const int out = outFile.empty() ? open("/dev/null", O_WRONLY)
                                        : open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0)
        {
            dup2(out, 1);
            dup2(out, 2);
        }
        // The game speaks the language of the system at its first start: every run starts
        // from a system without a preferred language (English) unless `env` names one.
        setenv("LANG", "C.UTF-8", 1);
        unsetenv("LANGUAGE");
        for (const std::string& e : env)
        {
            putenv(strdup(e.c_str()));
        }
        if (!threadDisplay.empty())
        {
            setenv("DISPLAY", threadDisplay.c_str(), 1);
        }
        // The user's own groups only: root's supplementary groups would stay otherwise.
        if (dropRoot && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        {
            _exit(126);
        }
        if (!preload.empty())
        {
            setenv("LD_PRELOAD", preload.c_str(), 1);
        }
#if defined(VOSSA_E2E_SANITIZED)
        else
        {
            setenv("LD_PRELOAD", VOSSA_E2E_KEEP_LOADED, 1);
        }
#endif
        const std::string binary = GameBinary();
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid > 0;
}

bool Game::WaitForExit(double seconds, int* exitStatus)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    do
    {
        if (finished)
        {
            *exitStatus = status;
            return true;
        }
        int raw = 0;
        if (pid > 0 && waitpid(pid, &raw, WNOHANG) == pid)
        {
            finished = true;
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            *exitStatus = status;
            return true;
        }
        if (seconds > 0)
        {
            Pause(0.05);
        }
    } while (Clock::now() < deadline);
    return false;
}

bool Game::Running()
{
    int s = 0;
    return pid > 0 && !WaitForExit(0.0, &s);
}

void Game::Kill()
{
    if (pid > 0 && !finished)
    {
        kill(pid, SIGKILL);
        int raw = 0;
        waitpid(pid, &raw, 0);
        finished = true;
        status = 128 + SIGKILL;
    }
}

std::vector<std::string> ArchiveEntries(const std::string& archive)
{
    std::vector<std::string> names;
    std::istringstream lines(Capture("'" + PackTool() + "' list '" + archive + "'"));
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream words(line);
        std::string name;
        if (words >> name)
        {
            names.push_back(name);
        }
    }
    return names;
}

namespace
{
bool IsCardFace(const std::string& name)
{
    for (int i = 0; i < 27; ++i)
    {
        if (name == "texture_" + std::to_string(i) ||
            name == "texture_" + std::to_string(i) + "_low")
        {
            return true;
        }
    }
    return false;
}

int CardIndex(const std::string& name)
{
    return std::atoi(name.c_str() + std::strlen("texture_"));
}

// A TGA image of the same size as `original` (uncompressed, 24 bits) in one colour.
std::vector<unsigned char> SolidTGA(const std::vector<unsigned char>& original, const TRgb_s& c)
{
    const int w = original.size() >= 18 ? original[12] | original[13] << 8 : 64;
    const int h = original.size() >= 18 ? original[14] | original[15] << 8 : 32;
    std::vector<unsigned char> tga(18, 0);
    tga[2] = 2;
    tga[12] = uint8_t(w & 255);
    tga[13] = uint8_t(w >> 8);
    tga[14] = uint8_t(h & 255);
    tga[15] = uint8_t(h >> 8);
    tga[16] = 24;
    for (int i = 0; i < w * h; ++i)
    {
        tga.push_back(uint8_t(c.b));
        tga.push_back(uint8_t(c.g));
        tga.push_back(uint8_t(c.r));
    }
    return tga;
}

// Hue in degrees (0..360), saturation and value (0..1).
void ToHsv(const TRgb_s& c, double* h, double* s, double* v)
{
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    *v = mx;
    *s = mx > 0 ? (mx - mn) / mx : 0;
    double hue = 0;
    if (mx > mn)
    {
        if (mx == r)
        {
            hue = 60 * std::fmod((g - b) / (mx - mn) + 6.0, 6.0);
        }
        else if (mx == g)
        {
            hue = 60 * ((b - r) / (mx - mn) + 2);
        }
        else
        {
            hue = 60 * ((r - g) / (mx - mn) + 4);
        }
    }
    *h = hue;
}

// Every entry of `archive` (names in order) unpacked as the files "0", "1", ... of a folder,
// once for the whole suite: <build>/e2e-unpacked/<the archive's path, size and time> (without
// a build folder, under /tmp), made under a name of its own and renamed into place, so that
// tests and threads side by side share it. Empty when an entry cannot be unpacked.
std::string UnpackedArchive(const std::string& archive, const std::vector<std::string>& names)
{
    struct stat info;
    if (stat(archive.c_str(), &info) != 0)
    {
        return "";
    }
    const char* binary = std::getenv("VOSSA_BINARY_DIR");
    const std::string cache =
        binary != nullptr ? std::string(binary) + "/e2e-unpacked" : "/tmp/vossa-e2e-unpacked";
    const std::string folder = cache + "/" + std::to_string(std::hash<std::string>()(archive)) +
                               "-" + std::to_string(info.st_size) + "-" +
                               std::to_string(info.st_mtim.tv_sec) + "-" +
                               std::to_string(info.st_mtim.tv_nsec);
    if (FileExists(folder))
    {
        return folder;
    }
    mkdir(cache.c_str(), 0755);
    std::string work = cache + "/vossa-e2e-XXXXXX";
    if (mkdtemp(&work[0]) == nullptr)
    {
        return "";
    }
    for (size_t i = 0; i < names.size(); ++i)
    {
        if (!Shell("'" + PackTool() + "' extract '" + archive + "' '" + names[i] + "' '" + work +
                   "/" + std::to_string(i) + "' --decrunch"))
        {
            RemoveFolder(work);
            return "";
        }
    }
    if (rename(work.c_str(), folder.c_str()) != 0)
    {
        RemoveFolder(work); // another test was quicker
    }
    return FileExists(folder) ? folder : "";
}
} // namespace

bool BuildArchive(const std::string& source, const std::string& out, bool colourCards,
                  const std::vector<std::string>& skip,
                  const std::vector<std::pair<std::string, std::vector<unsigned char>>>& replace)
{
    const std::vector<std::string> names = ArchiveEntries(source);
    if (names.empty())
    {
        return false;
    }
    const std::string unpacked = UnpackedArchive(source, names);
    if (unpacked.empty())
    {
        return false;
    }
    const std::string work = TempFolder();
    std::string command = "'" + PackTool() + "' create '" + out + "' --crunch";
    bool ok = true;
    for (size_t i = 0; i < names.size() && ok; ++i)
    {
        const std::string& name = names[i];
        if (std::find(skip.begin(), skip.end(), name) != skip.end())
        {
            continue;
        }
        std::string file = unpacked + "/" + std::to_string(i);
        auto replaced = std::find_if(replace.begin(), replace.end(),
                                     [&](const auto& r) { return r.first == name; });
        if (replaced != replace.end())
        {
            file = work + "/" + std::to_string(i);
            ok = WriteFile(file, replaced->second);
        }
        else if (colourCards && IsCardFace(name))
        {
            std::vector<unsigned char> original;
            ok = ReadFile(file, original);
            file = work + "/" + std::to_string(i);
            ok = ok && WriteFile(file, SolidTGA(original, CardColour(CardIndex(name))));
        }
        command += " '" + name + "=" + file + "'";
    }
    ok = ok && Shell(command + " >/dev/null");
    RemoveFolder(work);
    return ok;
}

TRgb_s CardColour(int n)
{
    // The six faces only the 27-card trick deals: greys, a card but no face CardOf names.
    if (n >= 21)
    {
        const int grey = 130 + 20 * (n - 21);
        return {grey, grey, grey};
    }
    // 21 hues 360/21 degrees apart at full saturation and value.
    const double hue = n * 360.0 / 21.0;
    const double x = 1 - std::fabs(std::fmod(hue / 60.0, 2.0) - 1);
    double r = 0, g = 0, b = 0;
    switch (int(hue / 60.0))
    {
        case 0:
            r = 1, g = x;
            break;
        case 1:
            r = x, g = 1;
            break;
        case 2:
            g = 1, b = x;
            break;
        case 3:
            g = x, b = 1;
            break;
        case 4:
            r = x, b = 1;
            break;
        default:
            r = 1, b = x;
            break;
    }
    TRgb_s c;
    c.r = int(std::lround(r * 255));
    c.g = int(std::lround(g * 255));
    c.b = int(std::lround(b * 255));
    return c;
}

int CardOf(const TRgb_s& seen)
{
    double h = 0, s = 0, v = 0;
    ToHsv(seen, &h, &s, &v);
    if (s < 0.55 || v < 0.25)
    {
        return -1;
    }
    const double step = 360.0 / 21.0;
    const int n = int(std::lround(h / step)) % 21;
    double off = std::fabs(h - n * step);
    off = std::min(off, 360 - off);
    return off <= step * 0.3 ? n : -1;
}

void Click(int x, int y)
{
    Shell(OnDisplay("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                    " sleep 0.15 click 1 sleep 0.15"));
}

void DoubleClick(int x, int y)
{
    Shell(OnDisplay("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                    " sleep 0.15 click --repeat 2 --delay 60 1 sleep 0.15"));
}

void Key(const std::string& name)
{
    Shell(OnDisplay("xdotool key " + name));
}

void MoveAway()
{
    Shell(OnDisplay("xdotool mousemove 1270 715"));
}

namespace
{
// Xlib's default error handler ends the process; a capture that fails only returns false.
std::atomic<bool> captureFailed{false};
int OnCaptureError(Display*, XErrorEvent*)
{
    captureFailed = true;
    return 0;
}
} // namespace

bool Grab(TShot_s& shot)
{
    // Read straight from the server: a new connection each time (cheap on a local socket), so
    // that no connection outlives its display, whose number a later server may take.
    shot.rgb.clear();
    const char* name = threadDisplay.empty() ? std::getenv("DISPLAY") : threadDisplay.c_str();
    Display* x = XOpenDisplay(name);
    if (x == nullptr)
    {
        return false;
    }
    static std::once_flag handler;
    std::call_once(handler, [] { XSetErrorHandler(OnCaptureError); });
    captureFailed = false;
    XImage* image = XGetImage(x, DefaultRootWindow(x), 0, 0, unsigned(shot.width),
                              unsigned(shot.height), AllPlanes, ZPixmap);
    XSync(x, False);
    if (image != nullptr && !captureFailed && image->bits_per_pixel == 32 &&
        image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff)
    {
        shot.rgb.resize(size_t(shot.width) * size_t(shot.height) * 3);
        uint8_t* out = shot.rgb.data();
        for (int y = 0; y < shot.height; ++y)
        {
            const auto* row =
                reinterpret_cast<const uint32_t*>(image->data + size_t(y) * image->bytes_per_line);
            for (int x0 = 0; x0 < shot.width; ++x0)
            {
                const uint32_t pixel = row[x0];
                *out++ = uint8_t(pixel >> 16);
                *out++ = uint8_t(pixel >> 8);
                *out++ = uint8_t(pixel);
            }
        }
    }
    if (image != nullptr)
    {
        XDestroyImage(image);
    }
    XCloseDisplay(x);
    return shot.Valid();
}

void Keep(const TShot_s& shot, const std::string& step)
{
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    static std::map<std::string, int> counters;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info != nullptr
                                 ? std::string(info->test_suite_name()) + "." + info->name()
                                 : std::string("outside");
    const char* binary = std::getenv("VOSSA_BINARY_DIR");
    const std::string folder =
        std::string(binary != nullptr ? binary : "/tmp") + "/e2e-artifacts/" + test;
    int& n = counters[test];
    if (n == 0)
    {
        Shell("rm -rf '" + folder + "' && mkdir -p '" + folder + "'");
    }
    ++n;
    if (!shot.Valid())
    {
        return;
    }
    char number[16];
    std::snprintf(number, sizeof(number), "%02d", n);
    const std::string size = std::to_string(shot.width) + "x" + std::to_string(shot.height);
    FILE* pipe = popen(("convert -size " + size + " -depth 8 rgb:- -quality 10 '" + folder + "/" +
                        number + "-" + step + ".png' 2>/dev/null")
                           .c_str(),
                       "w");
    if (pipe != nullptr)
    {
        fwrite(shot.rgb.data(), 1, shot.rgb.size(), pipe);
        pclose(pipe);
    }
}

bool WaitForScreen(Game& game, const std::function<bool(const TShot_s&)>& ready, double seconds,
                   TShot_s& shot)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds * Slowness());
    while (Clock::now() < deadline && game.Running())
    {
        if (Grab(shot) && ready(shot))
        {
            return true;
        }
        Pause(0.25);
    }
    return false;
}

bool IsIntro(const TShot_s& shot)
{
    // The green start button (502, 286, 128 x 32) and the red quit button (650, 286): the
    // left ends of both, beside their captions.
    const TRgb_s start = shot.Mean(508, 302, 2);
    const TRgb_s quit = shot.Mean(656, 302, 2);
    return start.g > start.r + 40 && start.g > start.b + 20 && quit.r > quit.g + 60 &&
           quit.r > quit.b + 60;
}

bool IsLogoOrBlack(const TShot_s& shot)
{
    // The logo screen is black at its corners; every other screen shows the backdrop there.
    const TRgb_s a = shot.Mean(4, 700, 1), b = shot.Mean(1275, 4, 1);
    return a.r + a.g + a.b < 12 && b.r + b.g + b.b < 12;
}

int SlotX(int slot, int rowLength)
{
    return 640 + int(std::lround((slot % rowLength - rowLength / 2) * 138.6));
}

int SlotY(int slot, int rowLength)
{
    return 360 - int(std::lround((slot / rowLength - 1) * 138.6));
}

int CardsInSlots(const TShot_s& shot)
{
    int n = 0;
    for (int slot = 0; slot < 21; ++slot)
    {
        if (CardOf(shot.Mean(SlotX(slot), SlotY(slot), 3)) >= 0)
        {
            ++n;
        }
    }
    return n;
}

namespace
{
// A grey face of the 27-card trick, lit.
bool GreyCard(const TRgb_s& c)
{
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 30 && c.r > 60;
}
} // namespace

bool RowsShown(const TShot_s& shot, std::vector<int>* faces, int rowLength)
{
    const int slots = 3 * rowLength;
    std::vector<int> found(size_t(slots), -1);
    std::vector<bool> seen(21, false);
    for (int slot = 0; slot < slots; ++slot)
    {
        const TRgb_s c = shot.Mean(SlotX(slot, rowLength), SlotY(slot, rowLength), 3);
        const int face = CardOf(c);
        if (face < 0 && slots > 21 && GreyCard(c))
        {
            continue;
        }
        if (face < 0 || seen[size_t(face)])
        {
            return false;
        }
        seen[size_t(face)] = true;
        found[size_t(slot)] = face;
    }
    if (faces != nullptr)
    {
        *faces = found;
    }
    return true;
}

namespace
{
// Twice the middle (left edge plus right edge) of card `face` along the middle line of `slot`;
// a grey face (-1) by its grey.
int CardMiddle2(const TShot_s& shot, int slot, int face, int rowLength)
{
    const int x = SlotX(slot, rowLength), y = SlotY(slot, rowLength);
    auto same = [&](int at)
    { return face >= 0 ? CardOf(shot.At(at, y)) == face : GreyCard(shot.At(at, y)); };
    int left = x, right = x;
    while (left > x - 200 && same(left - 1))
    {
        --left;
    }
    while (right < x + 200 && same(right + 1))
    {
        ++right;
    }
    return left + right;
}
} // namespace

std::function<bool(const TShot_s&)> RowsReady(std::vector<int>* faces, int rowLength)
{
    // The furthest out the outer cards of the middle row have been since the rows showed
    // (-1: the rows are not shown). Frames, not seconds, move them: any number of frames may
    // pass between two captures.
    auto outmost = std::make_shared<std::pair<int, int>>(-1, -1);
    return [outmost, faces, rowLength](const TShot_s& s)
    {
        std::vector<int> now;
        if (!RowsShown(s, &now, rowLength))
        {
            *outmost = {-1, -1};
            return false;
        }
        const int first = rowLength, last = 2 * rowLength - 1;
        const int left = CardMiddle2(s, first, now[size_t(first)], rowLength);
        const int right = CardMiddle2(s, last, now[size_t(last)], rowLength);
        if (outmost->first < 0)
        {
            *outmost = {left, right};
        }
        outmost->first = std::min(outmost->first, left);
        outmost->second = std::max(outmost->second, right);
        // Both outer cards two pixels or more back towards the middle: the rows shrink.
        const bool breathing = left >= outmost->first + 4 && right <= outmost->second - 4;
        if (breathing && faces != nullptr)
        {
            *faces = now;
        }
        return breathing;
    };
}

bool ParseSettings(const std::vector<unsigned char>& bytes, TSettingsFile_s* out)
{
    if (bytes.size() != 48)
    {
        return false;
    }
    std::memcpy(out->colours, bytes.data(), 32);
    std::memcpy(&out->language, bytes.data() + 32, 4);
    out->quality = bytes[36];
    out->music = bytes[37];
    out->strip = bytes[38];
    out->options = bytes[39];
    std::memcpy(&out->musicVolume, bytes.data() + 40, 4);
    std::memcpy(&out->soundVolume, bytes.data() + 44, 4);
    return true;
}

std::vector<unsigned char> SettingsBytes(const TSettingsFile_s& settings)
{
    std::vector<unsigned char> bytes(48, 0);
    std::memcpy(bytes.data(), settings.colours, 32);
    std::memcpy(bytes.data() + 32, &settings.language, 4);
    bytes[36] = settings.quality;
    bytes[37] = settings.music;
    bytes[38] = settings.strip;
    bytes[39] = settings.options;
    std::memcpy(bytes.data() + 40, &settings.musicVolume, 4);
    std::memcpy(bytes.data() + 44, &settings.soundVolume, 4);
    return bytes;
}

// Pixels of a rectangle that are text-dark in one capture and not in the other: black labels
// on a translucent white panel, whatever moves behind it.
int TextChanged(const TShot_s& a, const TShot_s& b, int x0, int y0, int w, int h)
{
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
    {
        for (int x = x0; x < x0 + w; ++x)
        {
            const TRgb_s p = a.At(x, y), q = b.At(x, y);
            if ((p.r + p.g + p.b < 240) != (q.r + q.g + q.b < 240))
            {
                ++n;
            }
        }
    }
    return n;
}

// A translucent white dialog panel covers the point.
bool PanelAt(const TShot_s& s, int x, int y)
{
    const TRgb_s c = s.Mean(x, y, 2);
    return c.r > 170 && c.g > 170 && c.b > 170;
}

bool StripShown(const TShot_s& s)
{
    // Both ends of the strip (330, 10, 620 x 30) light, and at one end at least the panel's
    // crisp edge against what lies beside it: a drifting cloud is as light, but soft.
    const auto edge = [&](int inside, int outside)
    { return Distance(s.Mean(inside, 25, 1), s.Mean(outside, 25, 1)) > 30; };
    return PanelAt(s, 336, 13) && PanelAt(s, 944, 13) && (edge(336, 323) || edge(944, 957));
}

// The face that covers a large part of the middle of the screen (13 x 13 points 25 pixels
// apart) with hardly any other card there, or -1: the revealed card, large and alone,
// whatever small card of the ring passes by.
int LargeCardInMiddle(const TShot_s& s)
{
    std::map<int, int> votes;
    int all = 0;
    for (int gy = -6; gy <= 6; ++gy)
    {
        for (int gx = -6; gx <= 6; ++gx)
        {
            const int face = CardOf(s.Mean(640 + gx * 25, 340 + gy * 25, 1));
            if (face >= 0)
            {
                ++votes[face];
                ++all;
            }
        }
    }
    for (const auto& v : votes)
    {
        if (v.second >= 30 && all - v.second <= 8)
        {
            return v.first;
        }
    }
    return -1;
}

bool CardSeen(const TShot_s& shot, int face)
{
    for (int y = 200; y < 720; y += 12)
    {
        for (int x = 0; x < 1280; x += 12)
        {
            if (CardOf(shot.Mean(x, y, 1)) == face)
            {
                return true;
            }
        }
    }
    return false;
}

void SessionTest::SetUp()
{
    if (!display.Start())
    {
        GTEST_SKIP() << "needs Xvfb";
    }
    if (!Shell("command -v xdotool >/dev/null && command -v convert >/dev/null"))
    {
        GTEST_SKIP() << "needs xdotool and imagemagick";
    }
    setenv("DISPLAY", display.name.c_str(), 1);
    UseDisplay(display.name);
    folder = TempFolder();
    ASSERT_FALSE(folder.empty());
    const std::string archive = folder + "/vossadata.bin";
    if (colourCards)
    {
        ASSERT_TRUE(BuildArchive(BuiltArchive(), archive, true));
    }
    else
    {
        ASSERT_TRUE(Shell("cp '" + BuiltArchive() + "' '" + archive + "'"));
    }
    shot.width = display.width;
    shot.height = display.height;
}

void SessionTest::TearDown()
{
    game.Kill();
    display.Stop();
    RemoveFolder(folder);
}

namespace
{
// Per dialog: the menu button that opens it, a point its panel covers, its button back.
struct TDialogPlaces_s
{
    int openX, openY, panelX, panelY, closeX, closeY;
};
const TDialogPlaces_s kDialogs[] = {
    {640, 342, 900, 150, 640, 429}, // about
    {566, 382, 900, 180, 640, 349}, // how to play
    {714, 382, 810, 160, 640, 546}, // settings
};
} // namespace

bool SessionTest::OpenDialog(TDialog dialog, const std::string& step)
{
    const TDialogPlaces_s& d = kDialogs[dialog];
    Click(d.openX, d.openY);
    MoveAway();
    if (!WaitForScreen(
            game, [&](const TShot_s& s) { return PanelAt(s, d.panelX, d.panelY) && !IsIntro(s); },
            20, shot))
    {
        Keep(shot, step + "-no-dialog");
        return false;
    }
    // Its texts fade in.
    Pause(0.5 * Slowness());
    Grab(shot);
    Keep(shot, step);
    return true;
}

bool SessionTest::CloseDialog(TDialog dialog)
{
    Click(kDialogs[dialog].closeX, kDialogs[dialog].closeY);
    MoveAway();
    return WaitForScreen(game, IsIntro, 20, shot);
}

bool SessionTest::StartToIntro(const std::vector<std::string>& env, const std::string& preload)
{
    return game.Start(folder, env, folder + "/output.txt", preload) &&
           WaitForScreen(game, IsIntro, 90, shot);
}

int SessionTest::ExitStatus(double seconds)
{
    int status = -1;
    return game.WaitForExit(seconds * Slowness(), &status) ? status : -1;
}

TSettingsFile_s SessionTest::SavedSettings()
{
    std::vector<unsigned char> bytes;
    TSettingsFile_s saved;
    EXPECT_TRUE(ReadFile(folder + "/vossaconfig.bin", bytes) && ParseSettings(bytes, &saved))
        << "no settings file";
    return saved;
}

int SessionTest::WaitForRows(int face, const std::string& step, double seconds, int rowLength)
{
    std::vector<int> faces;
    if (!WaitForScreen(game, RowsReady(&faces, rowLength), seconds, shot))
    {
        Keep(shot, step + "-no-rows");
        return -2;
    }
    Keep(shot, step);
    for (int slot = 0; slot < 3 * rowLength; ++slot)
    {
        if (faces[size_t(slot)] == face)
        {
            return slot;
        }
    }
    return -1;
}

bool SessionTest::Answer(const std::function<void()>& answer)
{
    answer();
    // The star line sweeps the row first; after the last answer the camera flies to the
    // reveal, which a loaded machine stretches to many seconds.
    const bool taken = WaitForScreen(
        game, [](const TShot_s& s) { return CardsInSlots(s) < 7; }, 60, shot);
    if (!taken)
    {
        Keep(shot, "answer-not-taken");
    }
    return taken;
}

void SessionTest::FollowThroughTheAnswers(int face, const std::string& tag,
                                          const std::function<void()>& deal,
                                          const std::function<void(int, int)>& answer,
                                          int rowLength)
{
    ASSERT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return CardSeen(s, face); }, 30, shot))
        << tag << "card " << face << " not seen on the circle";
    Keep(shot, tag + "circle");
    deal();
    for (int choice = 1; choice <= 3; ++choice)
    {
        const int slot = WaitForRows(face, tag + "layout" + std::to_string(choice), 120, rowLength);
        ASSERT_GE(slot, 0) << tag << "choice " << choice << ": rows or card not found";
        ASSERT_TRUE(Answer([&] { answer(choice, slot); }))
            << tag << "choice " << choice << " not taken";
    }
}

namespace
{
// Where the circle of cards shows: the middle of the faces' centres, their mean distance from
// it and the angle of each face about it. False unless every face shows.
struct TCircle_s
{
    double x = 0, y = 0, radius = 0;
    double angle[21] = {};
};

bool FindCircle(const TShot_s& s, TCircle_s* circle)
{
    double sx[21] = {}, sy[21] = {};
    int n[21] = {};
    for (int y = 0; y < s.height; y += 4)
    {
        for (int x = 0; x < s.width; x += 4)
        {
            const int face = CardOf(s.At(x, y));
            if (face >= 0)
            {
                sx[face] += x, sy[face] += y, ++n[face];
            }
        }
    }
    *circle = TCircle_s();
    for (int f = 0; f < 21; ++f)
    {
        if (n[f] < 10)
        {
            return false;
        }
        sx[f] /= n[f], sy[f] /= n[f];
        circle->x += sx[f] / 21, circle->y += sy[f] / 21;
    }
    for (int f = 0; f < 21; ++f)
    {
        circle->radius += std::hypot(sx[f] - circle->x, sy[f] - circle->y) / 21;
        circle->angle[f] = std::atan2(sy[f] - circle->y, sx[f] - circle->x) * 180 / M_PI;
    }
    return true;
}
} // namespace

bool SessionTest::WaitForCircleAtRest(double seconds)
{
    // Frames, not seconds, move the circle, and a flight moves the camera as many frames as
    // the circle turns: once the circle has turned some degrees since a capture, a camera in
    // flight has moved it on the screen, and one at rest has not.
    bool haveReference = false;
    TCircle_s reference;
    int inARow = 0;
    return WaitForScreen(
        game,
        [&](const TShot_s& s)
        {
            TCircle_s now;
            if (!FindCircle(s, &now))
            {
                haveReference = false;
                inARow = 0;
                return false;
            }
            if (!haveReference)
            {
                reference = now;
                haveReference = true;
                return false;
            }
            std::vector<double> turns;
            for (int f = 0; f < 21; ++f)
            {
                const double d = std::fabs(now.angle[f] - reference.angle[f]);
                turns.push_back(std::min(d, 360 - d));
            }
            std::nth_element(turns.begin(), turns.begin() + 10, turns.end());
            if (turns[10] < 8)
            {
                return false; // not turned far enough to tell
            }
            const bool still =
                std::fabs(now.x - reference.x) + std::fabs(now.y - reference.y) < 6 &&
                std::fabs(now.radius - reference.radius) < 4;
            inARow = still ? inARow + 1 : 0;
            reference = now;
            return inARow >= 2;
        },
        seconds, shot);
}
} // namespace e2e
