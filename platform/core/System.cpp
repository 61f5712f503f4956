#include "platform/core/System.h"

#include "platform/core/FilePath.h"
#include "platform/core/String.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Copies `text` and a NUL when it fits in `size` bytes.
bool CopyOut(const CString& text, LPTSTR buffer, size_t size)
{
    if (buffer == nullptr || static_cast<size_t>(text.GetLength()) >= size)
        return false;
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    return true;
}

CString NativeName(const std::string& utf8) { return CStringFromUtf8(utf8); }

} // namespace

ULONGLONG GetTickCount64()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<ULONGLONG>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

DWORD GetModuleFileName(HMODULE, LPTSTR buffer, DWORD size)
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (buffer == nullptr || size == 0 || length <= 0)
        return 0;
    path[length] = '\0';
    CString name = NativeName(path);
    if (CopyOut(name, buffer, size))
        return static_cast<DWORD>(name.GetLength());
    std::memcpy(buffer, name.GetString(), size - 1);
    buffer[size - 1] = '\0';
    return size;
}

DWORD GetTempPath(DWORD size, LPTSTR buffer)
{
    const char* tmp = std::getenv("TMPDIR");
    CString folder = NativeName(tmp && *tmp ? tmp : "/tmp");
    if (folder.Right(1) != "/")
        folder += '/';
    if (!CopyOut(folder, buffer, size))
        return static_cast<DWORD>(folder.GetLength() + 1);
    return static_cast<DWORD>(folder.GetLength());
}

UINT GetTempFileName(LPCTSTR folder, LPCTSTR prefix, UINT unique, LPTSTR name)
{
    if (folder == nullptr || name == nullptr)
        return 0;
    CString base(folder);
    if (!base.IsEmpty() && base.Right(1) != "/" && base.Right(1) != "\\")
        base += '/';
    base += CString(prefix).Left(3);
    bool create = (unique & 0xFFFF) == 0;
    UINT number = create ? std::random_device {}() & 0xFFFF : unique & 0xFFFF;
    for (int attempt = 0; attempt < 0x10000; ++attempt, number = (number + 1) & 0xFFFF) {
        if (number == 0)
            continue;
        CString candidate;
        candidate.Format("%s%04X.tmp", base.GetString(), number);
        if (candidate.GetLength() >= MAX_PATH)
            return 0;
        if (!create)
            return CopyOut(candidate, name, MAX_PATH) ? number : 0;
        int fd = open(SystemPathFromName(candidate).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return CopyOut(candidate, name, MAX_PATH) ? number : 0;
        }
        if (errno != EEXIST)
            return 0;
    }
    return 0;
}

DWORD GetFileAttributes(LPCTSTR name)
{
    struct stat info {};
    std::string path = SystemPathFromName(name);
    if (name == nullptr || stat(path.c_str(), &info) != 0)
        return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (access(path.c_str(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    std::string base = path.substr(path.rfind('/') + 1);
    if (base.size() > 1 && base[0] == '.' && base != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetFileAttributes(LPCTSTR name, DWORD attributes)
{
    struct stat info {};
    const std::string path = name ? SystemPathFromName(name) : std::string();
    if (!name || stat(path.c_str(), &info) != 0)
        return FALSE;
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : mode | S_IWUSR;
    return chmod(path.c_str(), mode) == 0;
}

int _mkdir(LPCTSTR name) { return name ? mkdir(SystemPathFromName(name).c_str(), 0777) : -1; }
int _rmdir(LPCTSTR name) { return name ? rmdir(SystemPathFromName(name).c_str()) : -1; }
int _chdir(LPCTSTR name) { return name ? chdir(SystemPathFromName(name).c_str()) : -1; }

LPTSTR _getcwd(LPTSTR buffer, int size)
{
    char path[PATH_MAX];
    if (getcwd(path, sizeof path) == nullptr)
        return nullptr;
    if (!CopyOut(NativeName(path), buffer, size > 0 ? static_cast<size_t>(size) : 0)) {
        errno = ERANGE;
        return nullptr;
    }
    return buffer;
}

int _access(LPCTSTR name, int mode)
{
    if (name == nullptr)
        return -1;
    int how = (mode & 2 ? W_OK : 0) | (mode & 4 ? R_OK : 0);
    return access(SystemPathFromName(name).c_str(), how == 0 ? F_OK : how);
}
