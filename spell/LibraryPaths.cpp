#include "spell/LibraryPaths.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>

namespace {

constexpr size_t kMaxPath = 259;

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

} // namespace

std::string GetLibraryFolder()
{
    Dl_info info {};
    if (::dladdr(reinterpret_cast<void*>(&GetLibraryFolder), &info) == 0 || info.dli_fname == nullptr)
        return std::string();
    std::string path = info.dli_fname;
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string MakeDictionaryPath(const char* name, const std::string& folder)
{
    if (name == nullptr)
        return std::string();
    if (name[0] == '/' || std::strchr(name, ':') != nullptr || std::strstr(name, "\\\\") != nullptr)
        return name;
    while (isSeparator(*name))
        ++name;
    if (folder.empty()) {
        std::error_code error;
        std::filesystem::path full = std::filesystem::absolute(name, error);
        return error ? std::string() : full.string();
    }
    std::string joined = folder;
    if (!isSeparator(joined.back()))
        joined += '/';
    joined += name;
    return joined.size() > kMaxPath ? std::string() : joined;
}
