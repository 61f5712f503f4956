// Small dictionaries written into a private temporary folder for each test.
#pragma once

#include "spell/tools/LexWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lexigard-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }

    std::string Write(const std::string& name, const std::vector<BYTE>& bytes) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return Path(name);
    }

    std::string WriteText(const std::string& name, const std::string& text) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        out << text;
        return Path(name);
    }

    std::string Dictionary(const std::vector<std::string>& words, const LexLayout& layout = LexLayout {},
        const std::string& name = "test.lex") const
    {
        return Write(name, WriteLexDictionary(words, layout));
    }

private:
    std::filesystem::path m_path;
};

inline std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline LexLayout LayoutOf(WORD version)
{
    LexLayout layout;
    layout.version = version;
    if (version == LexFormat::kVersion35)
        layout.indexCount = LexFormat::kMinIndexCount;
    return layout;
}

// Reads every word from the first index entry on (or from the word area for 2.1).
std::vector<std::string> ReadAllWords(const std::string& path);
