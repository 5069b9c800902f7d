// krSlowSwap: an LD_PRELOAD library that makes every buffer swap of a program slower, as on a
// machine whose driver manages few frames a second. It wraps SDL_GL_SwapWindow: the real swap,
// then a sleep of KR_SLOW_SWAP_MS milliseconds (none when unset), then one line with the swap's
// CLOCK_MONOTONIC time in nanoseconds appended to the file named by KR_SWAP_LOG (when set).
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace
{
typedef void (*TSwapFn)(void*);

int LogFile()
{
    static int fd = -2;
    if (fd == -2)
    {
        const char* path = std::getenv("KR_SWAP_LOG");
        fd = path != nullptr ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    return fd;
}

long SlowMilliseconds()
{
    const char* text = std::getenv("KR_SLOW_SWAP_MS");
    const long ms = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return ms > 0 && ms < 10000 ? ms : 0;
}
} // namespace

extern "C" void SDL_GL_SwapWindow(void* window)
{
    static TSwapFn real = reinterpret_cast<TSwapFn>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static const long slow = SlowMilliseconds();
    if (real != nullptr)
    {
        real(window);
    }
    if (slow > 0)
    {
        timespec pause = {slow / 1000, (slow % 1000) * 1000000L};
        nanosleep(&pause, nullptr);
    }
    const int fd = LogFile();
    if (fd >= 0)
    {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        char line[32];
        const int n =
            std::snprintf(line, sizeof(line), "%lld\n",
                          static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        if (n > 0 && write(fd, line, static_cast<size_t>(n)) < 0)
        {
            close(fd);
        }
    }
}
