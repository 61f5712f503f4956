#include "platform/sys/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::mutex g_hookLock;
std::function<bool(const std::string&)> g_hook;

bool RunHook(const std::string& tempPath)
{
    std::function<bool(const std::string&)> hook;
    {
        std::lock_guard guard(g_hookLock);
        hook = g_hook;
    }
    return !hook || hook(tempPath);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// New files get the usual permissions; a replaced file keeps its own.
mode_t ModeFor(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void SyncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Without replacing, a hard link puts the file in place only if the name is free.
bool Publish(const std::string& temp, const std::string& path, bool replace)
{
    if (replace)
        return rename(temp.c_str(), path.c_str()) == 0;
    bool linked = link(temp.c_str(), path.c_str()) == 0;
    unlink(temp.c_str());
    return linked;
}

} // namespace

void SetAtomicWriteHook(std::function<bool(const std::string& tempPath)> hook)
{
    std::lock_guard guard(g_hookLock);
    g_hook = std::move(hook);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace)
{
    std::string temp = path + ".XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && RunHook(temp) && Publish(temp, path, replace);
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}
