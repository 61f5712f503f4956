#include "piclib/common/PLFileAccess.h"

#include "piclib/common/PLTextException.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PLFileAccess {

namespace {
int systemOpen(const char* path, int flags, unsigned mode)
{
    return ::open(path, flags | O_CLOEXEC, static_cast<mode_t>(mode));
}
OpenFunction currentOpen = systemOpen;
} // namespace

void SetOpenFunction(OpenFunction function)
{
    currentOpen = function ? function : systemOpen;
}

int OpenFile(const char* path, int flags, unsigned mode)
{
    return currentOpen(path, flags, mode);
}

int ResultCodeFor(int error, const char* path)
{
    switch (error) {
    case ENOTDIR:
        return PL_ERRPATH_NOT_FOUND;
    case ENOENT: {
        std::error_code ec;
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
            return PL_ERRPATH_NOT_FOUND;
        return PL_ERRFILE_NOT_FOUND;
    }
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
        return PL_ERRACCESS_DENIED;
    default:
        return PL_ERRFILE_NOT_FOUND;
    }
}

std::string Utf8FromWide(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        auto c = static_cast<uint32_t>(*text);
        if (c > 0x10FFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void Mapping::Release()
{
    if (view)
        munmap(view, size);
    if (file >= 0)
        ::close(file);
    view = nullptr;
    size = 0;
    file = -1;
}

} // namespace PLFileAccess
