// The shell link object, saved as a desktop entry.
#include "platform/ole/ShellLink.h"

#include "platform/core/String.h"
#include "platform/sys/AtomicFile.h"

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Characters that make an argument of an Exec line need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// One argument of an Exec line: quoted when needed, '%' doubled.
std::string ExecArgument(const std::string& argument)
{
    std::string quoted;
    bool needsQuotes = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
    for (char ch : argument) {
        if (needsQuotes && (ch == '"' || ch == '`' || ch == '$' || ch == '\\'))
            quoted += '\\';
        quoted += ch;
        if (ch == '%')
            quoted += '%';
    }
    return needsQuotes ? '"' + quoted + '"' : quoted;
}

// Splits a command line at blanks outside double quotes; the quotes go.
std::vector<std::string> SplitArguments(const std::string& line)
{
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false, started = false;
    for (char ch : line) {
        if (ch == '"') {
            quoted = !quoted;
            started = true;
        } else if ((ch == ' ' || ch == '\t') && !quoted) {
            if (started)
                arguments.push_back(current);
            current.clear();
            started = false;
        } else {
            current += ch;
            started = true;
        }
    }
    if (started)
        arguments.push_back(current);
    return arguments;
}

// A value of a desktop entry: backslashes and line breaks escaped.
std::string EntryValue(const std::string& text)
{
    std::string value;
    for (char ch : text) {
        switch (ch) {
        case '\\': value += "\\\\"; break;
        case '\n': value += "\\n"; break;
        case '\r': value += "\\r"; break;
        case '\t': value += "\\t"; break;
        default: value += ch;
        }
    }
    return value;
}

// A local path as a file URL: bytes other than letters, digits, "-._~/" percent-encoded.
std::string FileUrl(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char ch : path) {
        if (std::isalnum(ch) || std::string_view("-._~/").find(static_cast<char>(ch)) != std::string_view::npos) {
            url += static_cast<char>(ch);
        } else {
            url += '%';
            url += kHex[ch >> 4];
            url += kHex[ch & 0xF];
        }
    }
    return url;
}

class ShellLink final : public IShellLinkA, public IPersistFile {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IShellLinkA)
            *ppv = static_cast<IShellLinkA*>(this);
        else if (riid == IID_IPersistFile)
            *ppv = static_cast<IPersistFile*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        if (--m_refs)
            return m_refs;
        delete this;
        return 0;
    }

    HRESULT SetPath(LPCSTR text) override { return Keep(m_target, text); }
    HRESULT SetArguments(LPCSTR text) override { return Keep(m_arguments, text); }
    HRESULT SetWorkingDirectory(LPCSTR text) override { return Keep(m_folder, text); }
    HRESULT SetIconLocation(LPCSTR text, int) override { return Keep(m_icon, text); }
    HRESULT SetShowCmd(int) override { return S_OK; }
    HRESULT SetDescription(LPCSTR text) override { return Keep(m_description, text); }

    HRESULT Save(LPCOLESTR fileName, BOOL) override
    {
        if (!fileName || m_target.empty())
            return E_INVALIDARG;
        std::string path = ToUtf8(std::string_view(fileName));
        return WriteFileAtomically(path, Entry(std::filesystem::path(path).stem().string())) ? S_OK : STG_E_CANTSAVE;
    }
    HRESULT SaveCompleted(LPCOLESTR) override { return S_OK; }

private:
    static HRESULT Keep(std::string& field, LPCSTR text)
    {
        if (!text)
            return E_INVALIDARG;
        field = ToUtf8(std::string_view(text));
        return S_OK;
    }

    // A program with its arguments, or a document opened with its handler.
    std::string Entry(const std::string& name) const
    {
        std::error_code error;
        auto status = std::filesystem::status(m_target, error);
        bool program = !m_arguments.empty() || (std::filesystem::is_regular_file(status) &&
                                                (status.permissions() & std::filesystem::perms::owner_exec) !=
                                                    std::filesystem::perms::none);
        std::string entry = "[Desktop Entry]\nType=" + std::string(program ? "Application" : "Link") + "\n";
        entry += "Name=" + EntryValue(name) + "\n";
        if (program) {
            std::string exec = ExecArgument(m_target);
            for (const std::string& argument : SplitArguments(m_arguments)) {
                exec += ' ';
                exec += ExecArgument(argument);
            }
            entry += "Exec=" + EntryValue(exec) + "\n";
        } else {
            entry += "URL=" + FileUrl(m_target) + "\n";
        }
        if (!m_folder.empty())
            entry += "Path=" + EntryValue(m_folder) + "\n";
        if (!m_icon.empty())
            entry += "Icon=" + EntryValue(m_icon) + "\n";
        if (!m_description.empty())
            entry += "Comment=" + EntryValue(m_description) + "\n";
        return entry;
    }

    ULONG m_refs = 1;
    std::string m_target, m_arguments, m_folder, m_icon, m_description;
};

int comStarts = 0;

} // namespace

HRESULT CoInitialize(LPVOID) { return comStarts++ ? S_FALSE : S_OK; }

void CoUninitialize()
{
    if (comStarts > 0)
        --comStarts;
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (rclsid != CLSID_ShellLink)
        return REGDB_E_CLASSNOTREG;
    auto* link = new ShellLink;
    HRESULT hr = link->QueryInterface(riid, ppv);
    link->Release();
    return hr;
}
