#include "platform/sys/PrivateProfile.h"

#include "platform/core/FilePath.h"
#include "platform/sys/IniFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::mutex g_fileLock;

bool LoadIni(LPCTSTR fileName, CIniFile& file)
{
    return fileName != nullptr && file.Load(SystemPathFromName(fileName)) != CIniFile::LoadResult::failed;
}

DWORD CopyList(const std::vector<std::string>& names, LPTSTR buffer, DWORD size)
{
    if (size < 2)
        return 0;
    DWORD used = 0;
    for (const std::string& name : names) {
        if (used + name.size() + 2 > size) {
            size_t fits = used <= size - 2 ? size - 2 - used : 0;
            std::memcpy(buffer + used, name.data(), fits);
            buffer[size - 2] = buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + used, name.c_str(), name.size() + 1);
        used += static_cast<DWORD>(name.size() + 1);
    }
    buffer[used] = '\0';
    return used;
}

DWORD CopyValue(std::string value, LPTSTR buffer, DWORD size)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    size_t count = std::min<size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

} // namespace

DWORD GetPrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, LPTSTR buffer, DWORD size,
                              LPCTSTR fileName)
{
    if (buffer == nullptr || size == 0)
        return 0;
    std::lock_guard guard(g_fileLock);
    CIniFile file;
    bool loaded = LoadIni(fileName, file);
    if (section == nullptr)
        return CopyList(loaded ? file.Sections() : std::vector<std::string>(), buffer, size);
    if (key == nullptr)
        return CopyList(loaded ? file.Keys(section) : std::vector<std::string>(), buffer, size);
    const std::string* value = loaded ? file.Find(section, key) : nullptr;
    return CopyValue(value ? *value : std::string(defaultValue ? defaultValue : ""), buffer, size);
}

UINT GetPrivateProfileInt(LPCTSTR section, LPCTSTR key, int defaultValue, LPCTSTR fileName)
{
    if (section == nullptr || key == nullptr)
        return static_cast<UINT>(defaultValue);
    std::lock_guard guard(g_fileLock);
    CIniFile file;
    const std::string* value = LoadIni(fileName, file) ? file.Find(section, key) : nullptr;
    if (value == nullptr)
        return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(std::strtol(value->c_str(), nullptr, 10));
}

BOOL WritePrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR value, LPCTSTR fileName)
{
    if (section == nullptr)
        return FALSE;
    std::lock_guard guard(g_fileLock);
    CIniFile file;
    if (!LoadIni(fileName, file))
        return FALSE;
    if (key == nullptr) {
        file.RemoveSection(section);
    } else if (value == nullptr) {
        file.RemoveKey(section, key);
    } else {
        std::string text = value;
        std::replace_if(text.begin(), text.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
        file.Set(section, key, text);
    }
    return file.Save(SystemPathFromName(fileName));
}
