#include "spell/DictionaryCatalogue.h"

#include "spell/LexFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <strings.h>

namespace {

constexpr size_t kMaxFileNameAsLanguage = 31;

bool isDictionaryName(const std::string& name)
{
    return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".lex") == 0;
}

} // namespace

bool ReadLanguageName(const std::string& path, std::string& name)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char header[LexFormat::kLanguageOffset + LexFormat::kLanguageSize] {};
    bool complete = std::fread(header, 1, sizeof header, file) == sizeof header;
    std::fclose(file);
    if (!complete
        || std::memcmp(header + LexFormat::kLabelOffset, LexFormat::kLabel, LexFormat::kLabelSize) != 0)
        return false;
    const char* language = header + LexFormat::kLanguageOffset;
    name.assign(language, strnlen(language, LexFormat::kLanguageSize));
    return true;
}

std::vector<DictionaryFile> ListDictionaries(const std::string& folder)
{
    std::vector<DictionaryFile> found;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        std::string fileName = item.path().filename().string();
        if (!isDictionaryName(fileName) || item.is_directory(error))
            continue;
        DictionaryFile file { fileName, std::string() };
        if (!ReadLanguageName(item.path().string(), file.languageName) || file.languageName.empty())
            file.languageName = fileName.substr(0, kMaxFileNameAsLanguage);
        found.push_back(std::move(file));
    }
    std::sort(found.begin(), found.end(),
        [](const DictionaryFile& a, const DictionaryFile& b) { return a.fileName < b.fileName; });
    return found;
}
