#include "platform/sys/Shell.h"

#include "platform/core/FilePath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <strings.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Kinds the desktop or a command interpreter would run rather than show.
constexpr const char* kProgramExtensions[] = {
    ".exe",
    ".com",
    ".bat",
    ".cmd",
    ".pif",
    ".scr",
    ".msi",
    ".vbs",
    ".vbe",
    ".js",
    ".jse",
    ".wsf",
    ".wsh",
    ".ps1",
    ".lnk",
    ".sh",
    ".bash",
    ".csh",
    ".ksh",
    ".zsh",
    ".py",
    ".pl",
    ".rb",
    ".php",
    ".jar",
    ".run",
    ".bin",
    ".appimage",
    ".desktop",
    ".deb",
    ".rpm",
    ".so",
};

} // namespace

std::string AddressScheme(LPCTSTR text)
{
    std::string target = text != nullptr ? text : "";
    size_t colon = target.find(':');
    if (colon < 2 || colon == std::string::npos || !std::isalpha(static_cast<unsigned char>(target[0])))
        return {};
    std::string scheme = target.substr(0, colon);
    bool valid = std::all_of(scheme.begin(), scheme.end(), [](char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) || ch == '+' || ch == '-' || ch == '.';
    });
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](char ch) { return std::tolower(ch); });
    return valid ? scheme : std::string();
}

namespace {

bool HasProgramExtension(const fs::path& path)
{
    std::string extension = path.extension().string();
    return std::any_of(std::begin(kProgramExtensions), std::end(kProgramExtensions),
        [&extension](const char* known) { return strcasecmp(extension.c_str(), known) == 0; });
}

bool IsRunnable(const fs::path& path)
{
    struct stat info { };
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH))
        return true;
    char start[2] = {};
    std::ifstream(path, std::ios::binary).read(start, sizeof start);
    return start[0] == '#' && start[1] == '!';
}

} // namespace

ShellTarget ClassifyShellTarget(LPCTSTR target)
{
    if (target == nullptr || *target == '\0')
        return ShellTarget::missing;
    std::string scheme = AddressScheme(target);
    if (scheme == "http" || scheme == "https")
        return ShellTarget::webAddress;
    if (scheme == "mailto")
        return ShellTarget::mailAddress;
    if (!scheme.empty())
        return ShellTarget::otherAddress;
    fs::path path = SystemPathFromName(target);
    if (HasProgramExtension(path))
        return ShellTarget::programOrScript;
    std::error_code error;
    if (!fs::exists(path, error))
        return ShellTarget::missing;
    return IsRunnable(path) ? ShellTarget::programOrScript : ShellTarget::document;
}
