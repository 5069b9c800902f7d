// vossaSettings, Linux and other POSIX systems: the atomic replacement of the settings file.
#include "vossaSettings.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// Follows `path` through symbolic links to the file they name (which need not exist yet), so
// that a settings file kept as a link elsewhere is replaced at its target and the link stays.
std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth)
    {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        {
            return current;
        }
        std::vector<char> target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = readlink(current.c_str(), target.data(), target.size() - 1);
        if (length <= 0)
        {
            return current;
        }
        const std::string next(target.data(), static_cast<size_t>(length));
        const size_t slash = current.rfind('/');
        if (next[0] == '/' || slash == std::string::npos)
        {
            current = next;
        }
        else
        {
            current = current.substr(0, slash + 1) + next;
        }
    }
    return current; // a loop of links: the open below fails on it
}

// Writes all bytes to an open descriptor from offset 0; false on any short or failed write.
bool WriteAll(int fd, const uint8_t* bytes, size_t size)
{
    size_t done = 0;
    while (done < size)
    {
        const ssize_t put = pwrite(fd, bytes + done, size - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
        {
            continue;
        }
        if (put <= 0)
        {
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

// Makes the temporary file beside `target`, with the permissions of the file it replaces.
// -1 with errno set when it cannot be made; a temporary left by an interrupted run is removed.
int CreateTemporary(const std::string& temp, const std::string& target)
{
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST && unlink(temp.c_str()) == 0)
    {
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    struct stat old;
    if (fd >= 0 && stat(target.c_str(), &old) == 0)
    {
        fchmod(fd, old.st_mode & 07777);
    }
    return fd;
}

// The last resort when the folder takes no new file: overwrite the file's own bytes. It is
// never truncated before the new bytes are in, so a failure cannot leave it shorter than
// the settings record.
bool WriteInPlace(const std::string& target, const uint8_t* bytes, size_t size)
{
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
    {
        return false;
    }
    bool ok = WriteAll(fd, bytes, size);
    ok = ok && ftruncate(fd, static_cast<off_t>(size)) == 0;
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    return ok;
}

// Makes a completed rename durable; a folder that cannot be synced is no failure of the write.
void SyncFolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        fsync(fd);
        close(fd);
    }
}
} // namespace

bool WriteSettingsFile(const char* path, const TSettings& settings)
{
    if (path == nullptr || path[0] == '\0')
    {
        return false;
    }
    uint8_t bytes[kSettingsFileSize];
    EncodeSettings(settings, bytes);
    const std::string target = ResolveLinks(path);
    const std::string temp = target + ".tmp";
    const int fd = CreateTemporary(temp, target);
    if (fd < 0)
    {
        // A folder the player may not add files to can still hold a settings file they may
        // write (a shared folder): write it in place rather than lose this run's changes.
        const bool folderRefused = errno == EACCES || errno == EPERM;
        return folderRefused && WriteInPlace(target, bytes, sizeof(bytes));
    }
    bool ok = WriteAll(fd, bytes, sizeof(bytes));
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    // Only a complete, synced file takes the old one's place.
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
    {
        unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}
