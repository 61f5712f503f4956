#include "platform/sys/XdgFolders.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Join(std::string folder, const char* sub)
{
    if (sub != nullptr && *sub != '\0') {
        folder += '/';
        folder += sub;
    }
    return folder;
}

// A line XDG_DESKTOP_DIR="$HOME/Desktop" gives home + "/Desktop"; only "$HOME/" or an
// absolute path may start the value.
std::string UserDirValue(const std::string& line, const std::string& key, const std::string& home)
{
    if (line.rfind(key + "=\"", 0) != 0 || line.size() < key.size() + 3 || line.back() != '"')
        return {};
    std::string value = line.substr(key.size() + 2, line.size() - key.size() - 3);
    if (value.rfind("$HOME", 0) == 0)
        return home.empty() ? std::string() : home + value.substr(5);
    return value.rfind('/', 0) == 0 ? value : std::string();
}

} // namespace

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string XdgBaseFolder(const char* variable, const char* fallback, const char* sub)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && *value == '/')
        return Join(value, sub);
    std::string home = HomeFolder();
    return home.empty() ? std::string() : Join(Join(home, fallback), sub);
}

std::string XdgUserFolder(const char* key, const char* fallback)
{
    std::string home = HomeFolder();
    std::ifstream file(XdgBaseFolder("XDG_CONFIG_HOME", ".config", "user-dirs.dirs"));
    std::string line;
    while (std::getline(file, line)) {
        std::string value = UserDirValue(line, key, home);
        if (!value.empty())
            return value;
    }
    return home.empty() ? std::string() : Join(home, fallback);
}

bool IsPrivateFolder(const std::string& folder)
{
    struct stat info { };
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()
        && (info.st_mode & 077) == 0;
}

std::string RuntimeFolder()
{
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (value != nullptr && *value == '/')
        return value;
    const passwd* entry = getpwuid(getuid());
    const std::string user = entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : std::to_string(getuid());
    const std::string folder = "/tmp/runtime-" + user;
    mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}
