#include "platform/sys/IniFile.h"

#include "platform/core/CodePage.h"
#include "platform/sys/AtomicFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return LowerCase1252(static_cast<BYTE>(x)) == LowerCase1252(static_cast<BYTE>(y));
    });
}

std::string_view Trimmed(std::string_view text)
{
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

CIniFile::LoadResult CIniFile::Load(const std::string& path)
{
    m_sections.clear();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? LoadResult::missing : LoadResult::failed;
    if (!S_ISREG(info.st_mode) || static_cast<unsigned long long>(info.st_size) > kMaxFileSize)
        return LoadResult::failed;
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open())
        return LoadResult::failed;
    Parse(text);
    return LoadResult::loaded;
}

void CIniFile::Parse(std::string_view text)
{
    std::string current;
    bool inSection = false;
    m_skippedLines = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            current = Trimmed(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            inSection = true;
            if (FindSection(current) == nullptr)
                m_sections.push_back(Section { current, {} });
            continue;
        }
        size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos)
            Set(current, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
        else
            ++m_skippedLines;
    }
}

std::string CIniFile::Serialize() const
{
    std::string text;
    for (const Section& section : m_sections) {
        text.append("[").append(section.name).append("]\n");
        for (const auto& [key, value] : section.entries)
            text.append(key).append("=").append(value).append("\n");
        text.append("\n");
    }
    return text;
}

bool CIniFile::Save(const std::string& path) const { return WriteFileAtomically(path, Serialize()); }

CIniFile::Section* CIniFile::FindSection(std::string_view name)
{
    auto found = std::find_if(m_sections.begin(), m_sections.end(),
                              [name](const Section& s) { return SameName(s.name, name); });
    return found == m_sections.end() ? nullptr : &*found;
}

const CIniFile::Section* CIniFile::FindSection(std::string_view name) const
{
    return const_cast<CIniFile*>(this)->FindSection(name);
}

const std::string* CIniFile::Find(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(section);
    if (s == nullptr)
        return nullptr;
    for (const auto& [name, value] : s->entries)
        if (SameName(name, key))
            return &value;
    return nullptr;
}

void CIniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = FindSection(section);
    if (s == nullptr) {
        m_sections.push_back(Section { std::string(section), {} });
        s = &m_sections.back();
    }
    for (auto& [name, old] : s->entries) {
        if (SameName(name, key)) {
            old = value;
            return;
        }
    }
    s->entries.emplace_back(key, value);
}

void CIniFile::RemoveKey(std::string_view section, std::string_view key)
{
    if (Section* s = FindSection(section))
        std::erase_if(s->entries, [key](const auto& entry) { return SameName(entry.first, key); });
}

void CIniFile::RemoveSection(std::string_view section)
{
    std::erase_if(m_sections, [section](const Section& s) { return SameName(s.name, section); });
}

std::vector<std::string> CIniFile::Sections() const
{
    std::vector<std::string> names;
    for (const Section& s : m_sections)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> CIniFile::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const auto& entry : s->entries)
            keys.push_back(entry.first);
    return keys;
}
