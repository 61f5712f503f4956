#include "platform/sys/ShellFileTypes.h"

#include "platform/sys/AtomicFile.h"
#include "platform/sys/IniFile.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/sys/XdgFolders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaults = "Default Applications";
constexpr int kMimeUpdateWait = 60000;

constexpr std::pair<char, const char*> kXmlEntities[] = {
    { '&', "&amp;" },
    { '<', "&lt;" },
    { '>', "&gt;" },
    { '"', "&quot;" },
};

std::string XmlEscaped(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        auto entity = std::find_if(std::begin(kXmlEntities), std::end(kXmlEntities),
            [ch](const auto& entry) { return entry.first == ch; });
        out += entity != std::end(kXmlEntities) ? std::string(entity->second) : std::string(1, ch);
    }
    return out;
}

// An argument of a desktop entry's Exec line, quoted as the desktop entry rules ask.
std::string ExecArgument(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '`' || ch == '$' || ch == '\\')
            out += '\\';
        out += ch == '%' ? "%%" : std::string(1, ch);
    }
    return out + "\"";
}

// Desktop entry values hold no line breaks.
std::string EntryValue(std::string text)
{
    for (char& ch : text)
        if (ch == '\n' || ch == '\r')
            ch = ' ';
    return text;
}

std::string MimePackage(const std::vector<ShellFileType>& types)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const ShellFileType& type : types) {
        xml += "  <mime-type type=\"" + XmlEscaped(MimeTypeOf(type.typeId)) + "\">\n";
        xml += "    <comment>" + XmlEscaped(type.typeName) + "</comment>\n";
        xml += "    <glob pattern=\"*" + XmlEscaped(type.extension) + "\"/>\n";
        xml += "  </mime-type>\n";
    }
    return xml + "</mime-info>\n";
}

std::string DesktopEntry(const ShellProgram& program, const std::vector<ShellFileType>& types)
{
    std::string mimeTypes;
    for (const ShellFileType& type : types)
        mimeTypes += MimeTypeOf(type.typeId) + ";";
    return "[Desktop Entry]\nType=Application\nName=" + EntryValue(program.name) + "\nExec="
        + EntryValue(ExecArgument(program.program)) + " %f\nMimeType=" + mimeTypes + "\nTerminal=false\n";
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteWithFolder(const std::string& path, const std::string& content)
{
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    return WriteFileAtomically(path, content);
}

// Writes the file when its content differs. `changed` tells whether it did.
bool WriteIfDifferent(const std::string& path, const std::string& content, bool& changed)
{
    changed = ReadAll(path) != content;
    return !changed || WriteWithFolder(path, content);
}

bool SetDefaults(const ShellProgram& program, const std::vector<ShellFileType>& types)
{
    std::string path = XdgBaseFolder("XDG_CONFIG_HOME", ".config", "mimeapps.list");
    CIniFile list;
    if (list.Load(path) == CIniFile::LoadResult::failed)
        return false;
    std::string entry = program.id + ".desktop";
    bool changed = false;
    for (const ShellFileType& type : types) {
        const std::string* current = list.Find(kDefaults, MimeTypeOf(type.typeId));
        if (current == nullptr || *current != entry) {
            list.Set(kDefaults, MimeTypeOf(type.typeId), entry);
            changed = true;
        }
    }
    return !changed || WriteWithFolder(path, list.Serialize());
}

} // namespace

std::string MimeTypeOf(const std::string& typeId)
{
    std::string name;
    for (char ch : typeId)
        name += std::isalnum(static_cast<unsigned char>(ch))
            ? static_cast<char>(std::tolower(static_cast<unsigned char>(ch)))
            : '-';
    return "application/x-" + name;
}

bool RegisterShellFileTypes(const ShellProgram& program, const std::vector<ShellFileType>& types)
{
    std::string dataHome = XdgBaseFolder("XDG_DATA_HOME", ".local/share", "");
    if (dataHome.empty() || program.id.empty() || types.empty())
        return false;
    bool mimeChanged = false;
    bool entryChanged = false;
    if (!WriteIfDifferent(dataHome + "/mime/packages/" + program.id + ".xml", MimePackage(types), mimeChanged)
        || !WriteIfDifferent(dataHome + "/applications/" + program.id + ".desktop",
            DesktopEntry(program, types), entryChanged))
        return false;
    if (mimeChanged
        && LaunchProgram({ { "update-mime-database", dataHome + "/mime" }, "", kMimeUpdateWait }) != 0)
        return false;
    return SetDefaults(program, types);
}
