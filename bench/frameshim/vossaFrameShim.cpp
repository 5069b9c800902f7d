// vossaFrameShim: an LD_PRELOAD library for the frame benchmark. It wraps SDL_initFramerate,
// SDL_framerateDelay, SDL_Delay, SDL_GL_SetSwapInterval, SDL_GL_SwapWindow and SDL_RWFromFile,
// stamps each call with the wall clock and appends one line per event to the file named by
// VOSSA_FRAMESHIM_LOG (a variable of this library, read by nothing in the game). Without that
// variable it only forwards the calls. At exit it logs the process's peak resident memory.
// With VOSSA_FRAMESHIM_PROBE set to "X1 Y1 X2 Y2" (window pixels, origin top left) it also
// reads those two pixels of every frame just before it is swapped, so that a script can see
// when the screen reacts to input. With VOSSA_FRAMESHIM_SLOW_MS it makes every swap that many
// milliseconds slower, as on a driver that manages few frames a second.
//
// Log lines, times in nanoseconds of CLOCK_REALTIME:
//   start T          library loaded (close to process start)
//   pacer T C        a frame-rate manager was initialised (the logo's, then, in a loop paced
//                    by one, the main loop's); C is the process's CPU time then
//   loop T C         the first swap interval was chosen: the start of a main loop that runs
//                    fixed update steps apart from drawing
//   open T NAME      a file was opened for reading
//   swap T0 T1       SDL_GL_SwapWindow entered at T0, returned at T1 (the slowing included)
//   delay T0 T1 C    the frame's wait (SDL_framerateDelay, or SDL_Delay outside it) entered at
//                    T0, returned at T1; C is the process's CPU time (all threads,
//                    nanoseconds) at entry
//   probe T R1 G1 B1 R2 G2 B2
//                    the two probed pixels of the frame about to be swapped at T
//   hwm KB           VmHWM at exit
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

extern "C"
{
    struct FPSmanager;
}

namespace
{
int logFd = -1;
bool probing = false;
long slowMs = 0;
bool loopLogged = false;
thread_local bool inPacer = false;
pthread_t mainThread; // the thread that loaded the library: the game's own
int probeX[2] = {0, 0};
int probeY[2] = {0, 0};

// GL names as the game's own GL library defines them; the library needs no GL headers.
typedef void (*ReadPixelsFn)(int, int, int, int, unsigned, unsigned, void*);
const unsigned kGLRGBA = 0x1908;
const unsigned kGLUnsignedByte = 0x1401;

uint64_t Now()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

uint64_t CpuNow()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

void Line(const char* text)
{
    if (logFd >= 0)
    {
        // One write per line: the benchmark script counts lines while the game runs.
        const ssize_t written = write(logFd, text, strlen(text));
        (void)written;
    }
}

template <typename F> F Next(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void LogPeakMemory()
{
    FILE* status = fopen("/proc/self/status", "r");
    if (status == nullptr)
    {
        return;
    }
    char row[256];
    while (fgets(row, sizeof(row), status) != nullptr)
    {
        long kb = 0;
        if (sscanf(row, "VmHWM: %ld kB", &kb) == 1)
        {
            char text[64];
            snprintf(text, sizeof(text), "hwm %ld\n", kb);
            Line(text);
        }
    }
    fclose(status);
}

__attribute__((constructor)) void OpenLog()
{
    mainThread = pthread_self();
    const char* path = getenv("VOSSA_FRAMESHIM_LOG");
    if (path == nullptr || *path == '\0')
    {
        return;
    }
    logFd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const char* slow = getenv("VOSSA_FRAMESHIM_SLOW_MS");
    slowMs = slow != nullptr ? strtol(slow, nullptr, 10) : 0;
    slowMs = slowMs > 0 && slowMs < 10000 ? slowMs : 0;
    const char* probe = getenv("VOSSA_FRAMESHIM_PROBE");
    probing = probe != nullptr &&
              sscanf(probe, "%d %d %d %d", &probeX[0], &probeY[0], &probeX[1], &probeY[1]) == 4;
    char text[64];
    snprintf(text, sizeof(text), "start %llu\n", (unsigned long long)Now());
    Line(text);
}

__attribute__((destructor)) void CloseLog()
{
    LogPeakMemory();
    if (logFd >= 0)
    {
        close(logFd);
        logFd = -1;
    }
}
} // namespace

extern "C"
{
    void SDL_initFramerate(FPSmanager* manager)
    {
        static auto real = Next<void (*)(FPSmanager*)>("SDL_initFramerate");
        char text[80];
        snprintf(text, sizeof(text), "pacer %llu %llu\n", (unsigned long long)Now(),
                 (unsigned long long)CpuNow());
        Line(text);
        real(manager);
    }

    Uint32 SDL_framerateDelay(FPSmanager* manager)
    {
        static auto real = Next<Uint32 (*)(FPSmanager*)>("SDL_framerateDelay");
        const uint64_t cpu = CpuNow();
        const uint64_t t0 = Now();
        inPacer = true;
        const Uint32 result = real(manager);
        inPacer = false;
        const uint64_t t1 = Now();
        char text[96];
        snprintf(text, sizeof(text), "delay %llu %llu %llu\n", (unsigned long long)t0,
                 (unsigned long long)t1, (unsigned long long)cpu);
        Line(text);
        return result;
    }

    void SDL_Delay(Uint32 ms)
    {
        static auto real = Next<void (*)(Uint32)>("SDL_Delay");
        // Other threads (the audio device's) wait too; only the game's own waits are frames'.
        if (inPacer || logFd < 0 || !pthread_equal(pthread_self(), mainThread))
        {
            real(ms);
            return;
        }
        const uint64_t cpu = CpuNow();
        const uint64_t t0 = Now();
        real(ms);
        const uint64_t t1 = Now();
        char text[96];
        snprintf(text, sizeof(text), "delay %llu %llu %llu\n", (unsigned long long)t0,
                 (unsigned long long)t1, (unsigned long long)cpu);
        Line(text);
    }

    int SDL_GL_SetSwapInterval(int interval)
    {
        static auto real = Next<int (*)(int)>("SDL_GL_SetSwapInterval");
        if (!loopLogged)
        {
            loopLogged = true;
            char text[80];
            snprintf(text, sizeof(text), "loop %llu %llu\n", (unsigned long long)Now(),
                     (unsigned long long)CpuNow());
            Line(text);
        }
        return real(interval);
    }

    void SDL_GL_SwapWindow(SDL_Window* window)
    {
        static auto real = Next<void (*)(SDL_Window*)>("SDL_GL_SwapWindow");
        const uint64_t t0 = Now();
        static auto readPixels =
            reinterpret_cast<ReadPixelsFn>(dlsym(RTLD_DEFAULT, "glReadPixels"));
        if (probing && readPixels != nullptr && logFd >= 0)
        {
            int w = 0, h = 0;
            SDL_GL_GetDrawableSize(window, &w, &h);
            unsigned char p[2][4] = {};
            for (int i = 0; i < 2; i++)
            {
                readPixels(probeX[i], h - 1 - probeY[i], 1, 1, kGLRGBA, kGLUnsignedByte, p[i]);
            }
            char text[128];
            snprintf(text, sizeof(text), "probe %llu %d %d %d %d %d %d\n", (unsigned long long)t0,
                     p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2]);
            Line(text);
        }
        real(window);
        if (slowMs > 0)
        {
            const timespec pause = {slowMs / 1000, (slowMs % 1000) * 1000000L};
            nanosleep(&pause, nullptr);
        }
        const uint64_t t1 = Now();
        char text[80];
        snprintf(text, sizeof(text), "swap %llu %llu\n", (unsigned long long)t0,
                 (unsigned long long)t1);
        Line(text);
    }

    SDL_RWops* SDL_RWFromFile(const char* file, const char* mode)
    {
        static auto real = Next<SDL_RWops* (*)(const char*, const char*)>("SDL_RWFromFile");
        if (file != nullptr && mode != nullptr && mode[0] == 'r')
        {
            char text[512];
            snprintf(text, sizeof(text), "open %llu %s\n", (unsigned long long)Now(), file);
            Line(text);
        }
        return real(file, mode);
    }
}
