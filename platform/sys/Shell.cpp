#include "platform/sys/Shell.h"

#include "platform/core/FilePath.h"
#include "platform/sys/ShellLauncher.h"

#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

HINSTANCE AsInstance(int code)
{
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(code));
}

bool EqualsNoCase(LPCTSTR text, const char* word)
{
    return text != nullptr && strcasecmp(text, word) == 0;
}

bool IsProgram(const fs::path& path)
{
    struct stat info { };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A program named with the platform's extension is found under its bare name too.
fs::path FindFile(const fs::path& path)
{
    std::error_code error;
    if (fs::exists(path, error) || strcasecmp(path.extension().c_str(), ".exe") != 0)
        return path;
    fs::path bare = path;
    bare.replace_extension();
    return IsProgram(bare) ? bare : path;
}

int MissingCode(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path.parent_path(), error) ? SE_ERR_FNF : SE_ERR_PNF;
}

int HandlerResult(int exitCode)
{
    switch (exitCode) {
    case 0:
    case kLaunchRunning:
        return kShellSuccess;
    case 2:
        return SE_ERR_FNF;
    default:
        return SE_ERR_NOASSOC;
    }
}

int OpenWithHandler(const std::string& target)
{
    return HandlerResult(LaunchProgram({ { "xdg-open", target }, "", kDesktopToolWait }));
}

int StartProgram(const fs::path& program, LPCTSTR parameters, const std::string& folder)
{
    ShellLaunch launch { { program.string() }, folder, 0 };
    for (const CString& argument : SplitCommandLine(parameters))
        launch.argv.push_back(ToUtf8(argument));
    int result = LaunchProgram(launch);
    if (result == kLaunchNotFound)
        return SE_ERR_FNF;
    return result == kLaunchFailed ? SE_ERR_ACCESSDENIED : kShellSuccess;
}

int Execute(LPCTSTR operation, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory)
{
    bool open = operation == nullptr || *operation == '\0' || EqualsNoCase(operation, "open");
    if (!open && !EqualsNoCase(operation, "explore"))
        return SE_ERR_NOASSOC;
    if (file == nullptr || *file == '\0')
        return SE_ERR_FNF;
    if (!AddressScheme(file).empty())
        return OpenWithHandler(ToUtf8(CString(file)));
    std::error_code error;
    std::string folder = directory != nullptr && *directory != '\0' ? SystemPathFromName(directory) : "";
    if (!folder.empty() && !fs::is_directory(folder, error))
        return SE_ERR_PNF;
    fs::path path = SystemPathFromName(file);
    if (path.is_relative())
        path = (folder.empty() ? fs::current_path(error) : fs::path(folder)) / path;
    path = FindFile(path);
    if (!fs::exists(path, error))
        return MissingCode(path);
    if (IsProgram(path))
        return open ? StartProgram(path, parameters, folder) : SE_ERR_NOASSOC;
    if (!open && !fs::is_directory(path, error))
        return SE_ERR_NOASSOC;
    return OpenWithHandler(path.string());
}

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// One argument from `at` on: 2n backslashes and a quote give n backslashes and open or close
// a quoted run, 2n + 1 give n and a quote; other backslashes are themselves.
std::string ReadArgument(std::string_view text, size_t& at)
{
    std::string part;
    bool quoted = false;
    while (at < text.size() && (quoted || !IsBlank(text[at]))) {
        size_t slashes = 0;
        for (; at < text.size() && text[at] == '\\'; ++at)
            ++slashes;
        if (at < text.size() && text[at] == '"') {
            part.append(slashes / 2, '\\');
            if (slashes % 2 == 1)
                part += '"';
            else
                quoted = !quoted;
            ++at;
            continue;
        }
        part.append(slashes, '\\');
        if (at < text.size() && (quoted || !IsBlank(text[at])))
            part += text[at++];
    }
    return part;
}

} // namespace

HINSTANCE ShellExecute(HWND, LPCTSTR operation, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory, INT)
{
    return AsInstance(Execute(operation, file, parameters, directory));
}

UINT WinExec(LPCSTR commandLine, UINT)
{
    std::vector<CString> parts = SplitCommandLine(commandLine);
    if (parts.empty())
        return SE_ERR_FNF;
    fs::path program = FindFile(SystemPathFromName(parts.front()));
    std::error_code error;
    if (!fs::exists(program, error))
        return static_cast<UINT>(MissingCode(program));
    if (!IsProgram(program))
        return ERROR_BAD_FORMAT;
    ShellLaunch launch { { program.string() }, "", 0 };
    for (size_t i = 1; i < parts.size(); ++i)
        launch.argv.push_back(ToUtf8(parts[i]));
    int result = LaunchProgram(launch);
    return result == kLaunchNotFound || result == kLaunchFailed ? ERROR_BAD_FORMAT : kShellSuccess;
}

std::vector<CString> SplitCommandLine(LPCTSTR commandLine)
{
    std::vector<CString> parts;
    std::string_view text = commandLine != nullptr ? commandLine : "";
    size_t at = 0;
    while (true) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        if (at == text.size())
            return parts;
        std::string part = ReadArgument(text, at);
        parts.emplace_back(part.data(), static_cast<int>(part.size()));
    }
}
