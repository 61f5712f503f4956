// An INI-style file held in memory: "[section]" lines and "key=value" lines, in file order.
// Section and key names compare without regard to case (Windows-1252 letters included) and
// keep the case they were first written with. Bytes are kept as they are.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CIniFile {
public:
    enum class LoadResult { loaded, missing, failed };

    // Files above this size are refused rather than read.
    static constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

    // `path` is native (UTF-8). A missing file loads as empty.
    LoadResult Load(const std::string& path);
    void Parse(std::string_view text);
    std::string Serialize() const;
    bool Save(const std::string& path) const;

    const std::string* Find(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;
    // Lines of the last Parse that were neither a section, a key, a comment nor blank.
    int SkippedLines() const { return m_skippedLines; }

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> m_sections;
    int m_skippedLines = 0;
};
