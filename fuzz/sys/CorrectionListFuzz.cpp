// Any bytes as an auto-correction list (".acr"): each listed word and exception, and each word
// of the file itself, is corrected as it would be typed. A listed replacement must come back
// for its word, with the word's capitals.
#include "fuzz/FuzzFolder.h"
#include "platform/sys/IniFile.h"
#include "platform/sys/rectivo/CorrectionList.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Correct(const CCorrectionList& list, const std::string& word)
{
    list.Replacement(word);
    list.IsFirstLetterException(word);
    list.IsFirstLetterException(word + ".");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    static const std::string path = folder.File("list.acr");
    if (!FuzzFolder::Write(path, data, size))
        return 0;
    CCorrectionList list;
    list.Load(path);
    CIniFile raw;
    raw.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const char* section : {"ReplaceWith", "FirstLetterExceptions"})
        for (const std::string& key : raw.Keys(section))
            Correct(list, key);
    std::string word;
    for (size_t i = 0; i <= size; ++i) {
        if (i < size && !std::isspace(data[i]) && data[i] != '=') {
            word += static_cast<char>(data[i]);
            continue;
        }
        if (!word.empty())
            Correct(list, word);
        word.clear();
    }
    return 0;
}
