#include "platform/sys/Shell.h"

#include "platform/core/System.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SplitName {
    std::string root; // "C:", "\\server\share", "\" or empty for a relative name
    std::vector<std::string> parts;
};

bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

std::vector<std::string> Parts(std::string_view text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        std::string part(text.substr(start, end - start));
        if (part == ".." && !parts.empty() && parts.back() != "..")
            parts.pop_back();
        else if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

SplitName Split(std::string_view name)
{
    SplitName split;
    size_t rest = 0;
    if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) {
        size_t server = name.find_first_of("\\/", 2);
        size_t share = server == std::string_view::npos ? server : name.find_first_of("\\/", server + 1);
        rest = share == std::string_view::npos ? name.size() : share;
        split.root = std::string(name.substr(0, rest));
    } else if (name.size() >= 2 && name[1] == ':') {
        split.root = std::string(name.substr(0, 2));
        rest = 2;
    }
    if (rest < name.size() && IsSeparator(name[rest]))
        split.root += '\\';
    for (char& ch : split.root)
        ch = ch == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    split.parts = Parts(name.substr(rest));
    return split;
}

} // namespace

BOOL PathRelativePathTo(LPTSTR path, LPCTSTR from, DWORD fromAttributes, LPCTSTR to, DWORD)
{
    if (path == nullptr || from == nullptr || to == nullptr)
        return FALSE;
    SplitName source = Split(from);
    SplitName target = Split(to);
    if (source.root != target.root)
        return FALSE;
    if (!(fromAttributes & FILE_ATTRIBUTE_DIRECTORY) && !source.parts.empty())
        source.parts.pop_back();
    size_t common = 0;
    while (common < source.parts.size() && common < target.parts.size()
        && source.parts[common] == target.parts[common])
        ++common;
    std::string result = common == source.parts.size() ? "." : "..";
    for (size_t i = common + 1; i < source.parts.size(); ++i)
        result += "\\..";
    for (size_t i = common; i < target.parts.size(); ++i)
        result += "\\" + target.parts[i];
    if (result.size() >= MAX_PATH)
        return FALSE;
    std::memcpy(path, result.c_str(), result.size() + 1);
    return TRUE;
}
