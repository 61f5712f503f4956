#include "platform/sys/Library.h"

#include "platform/core/FilePath.h"
#include "platform/core/String.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Split(std::string_view list, char separator)
{
    std::vector<std::string> parts;
    while (!list.empty()) {
        size_t end = list.find(separator);
        std::string_view part = list.substr(0, end);
        if (!part.empty())
            parts.emplace_back(part);
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
    }
    return parts;
}

std::vector<std::string> SearchFolders(LPCSTR path)
{
    if (path != nullptr && *path != '\0') {
        std::vector<std::string> folders;
        for (const std::string& folder : Split(path, ';'))
            folders.push_back(SystemPathFromName(folder.c_str()));
        return folders;
    }
    std::vector<std::string> folders = ProgramLibraryFolders();
    const char* variable = std::getenv("PATH");
    for (const std::string& folder : Split(variable != nullptr ? variable : "", ':'))
        folders.push_back(folder);
    return folders;
}

std::string WantedName(LPCSTR fileName, LPCSTR extension)
{
    std::string name = fileName;
    if (extension != nullptr && fs::path(SystemPathFromName(fileName)).extension().empty())
        name += extension;
    return SharedLibraryFileName(name.c_str());
}

} // namespace

DWORD SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buffer, LPSTR* filePart)
{
    if (fileName == nullptr || *fileName == '\0')
        return 0;
    std::string name = WantedName(fileName, extension);
    for (const std::string& folder : SearchFolders(path)) {
        std::error_code error;
        fs::path candidate = fs::path(folder) / name;
        if (!fs::is_regular_file(candidate, error))
            continue;
        CString found = CStringFromUtf8(candidate.string());
        DWORD length = static_cast<DWORD>(found.GetLength());
        if (buffer == nullptr || length >= size)
            return length + 1;
        std::memcpy(buffer, found.GetString(), length + 1);
        if (filePart != nullptr)
            *filePart = buffer + found.ReverseFind('/') + 1;
        return length;
    }
    return 0;
}
