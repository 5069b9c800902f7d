// krPackFiles: atomic whole-file writes (temporary file + rename) for vossa-pack.
#include "krPackFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static bool WriteAll(int fd, const uint8_t* data, uint64_t size)
{
    while (size > 0)
    {
        ssize_t n = write(fd, data, size > (1u << 30) ? (1u << 30) : (size_t)size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= (uint64_t)n;
    }
    return true;
}

bool krPackWriteFile(const std::string& path, const uint8_t* data, uint64_t size,
                     std::string& reason)
{
    if (path == "-")
    {
        if (!WriteAll(STDOUT_FILENO, data, size))
        {
            reason = std::string("cannot write to standard output: ") + strerror(errno);
            return false;
        }
        return true;
    }
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0)
    {
        reason = "cannot create " + path + ": " + strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the usual permissions of a new file.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    bool ok = WriteAll(fd, data, size);
    int err = errno;
    if (close(fd) != 0 && ok)
    {
        ok = false;
        err = errno;
    }
    if (ok && rename(temp.c_str(), path.c_str()) != 0)
    {
        ok = false;
        err = errno;
    }
    if (!ok)
    {
        unlink(temp.c_str());
        reason = "cannot write " + path + ": " + strerror(err);
    }
    return ok;
}
