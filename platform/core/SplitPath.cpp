#include "platform/core/SplitPath.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void CopyCut(std::string_view text, LPTSTR out, size_t size)
{
    if (out == nullptr)
        return;
    size_t count = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
}

bool IsSeparator(char ch) { return ch == '/' || ch == '\\'; }

} // namespace

void _splitpath(LPCTSTR path, LPTSTR drive, LPTSTR dir, LPTSTR fname, LPTSTR ext)
{
    std::string_view rest = path ? path : "";
    bool hasDrive = rest.size() >= 2 && rest[1] == ':'
        && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'));
    CopyCut(rest.substr(0, hasDrive ? 2 : 0), drive, _MAX_DRIVE);
    rest.remove_prefix(hasDrive ? 2 : 0);
    size_t folderEnd = rest.find_last_of("/\\");
    folderEnd = folderEnd == std::string_view::npos ? 0 : folderEnd + 1;
    CopyCut(rest.substr(0, folderEnd), dir, _MAX_DIR);
    rest.remove_prefix(folderEnd);
    size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos)
        dot = rest.size();
    CopyCut(rest.substr(0, dot), fname, _MAX_FNAME);
    CopyCut(rest.substr(dot), ext, _MAX_EXT);
}

void _makepath(LPTSTR path, LPCTSTR drive, LPCTSTR dir, LPCTSTR fname, LPCTSTR ext)
{
    if (path == nullptr)
        return;
    std::string result = drive ? std::string(drive).substr(0, 2) : std::string();
    if (dir && *dir) {
        result += dir;
        if (!IsSeparator(result.back()))
            result += std::strchr(dir, '\\') && !std::strchr(dir, '/') ? '\\' : '/';
    }
    if (fname)
        result += fname;
    if (ext && *ext) {
        if (*ext != '.')
            result += '.';
        result += ext;
    }
    CopyCut(result, path, _MAX_PATH);
}
