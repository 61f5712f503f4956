// Feeds arbitrary bytes to the dictionary reader as a .lex file, then reads words from
// spread-out index entries, looks words up and asks for suggestions; a search over the
// decoded words must answer as reading the file from the word's index entry does. The
// options dialog's reader of the language name takes the same file.
#include "spell/CharacterServices.h"
#include "spell/DictionaryCatalogue.h"
#include "spell/LexFormat.h"
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Opening reads every word: past this size an input only makes more of the same work, unless
// it is of the layout whose fixed index alone takes 62 KB.
constexpr size_t kOpenedSize = 16 << 10;
// Past this size an input is opened and sampled but not searched: in a file whose words
// are out of order every lookup reads on to its end, and a suggestion makes hundreds.
constexpr size_t kSearchedSize = 6 << 10;

// One in-memory file, rewritten for each input.
struct InputFile {
    int fd = memfd_create("lexigard-fuzz", 0);
    std::string path = "/proc/self/fd/" + std::to_string(fd);

    bool Write(const uint8_t* data, size_t size) const
    {
        return ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
    }
};

void sampleWords(CMainDictionary& dictionary)
{
    char word[CMainDictionary::kMaxWordLength + 1];
    for (int k = 0; k < dictionary.GetIndexCount(); k += 331) {
        dictionary.SeekToIndexEntry(k);
        for (int i = 0; i < 16 && dictionary.ReadNextWord(word, sizeof word); ++i) { }
    }
}

std::string readFromIndex(CMainDictionary& dictionary, const char* word, WordComparator compare)
{
    if (!dictionary.SeekToIndexEntry(dictionary.FindIndexEntry(word, false)))
        return "<none>";
    char candidate[CMainDictionary::kMaxWordLength + 1];
    while (dictionary.ReadNextWord(candidate, sizeof candidate)) {
        if (compare(candidate, word) == 0)
            return candidate;
        if (CharacterServices::CompareNoCase(candidate, word) > 0)
            return "<none>";
    }
    return "<none>";
}

void compareSearches(CSpellSession& session, const char* word)
{
    for (WordComparator compare : { CharacterServices::CompareNoCase, CharacterServices::CompareExact }) {
        char found[CMainDictionary::kMaxWordLength + 1];
        std::string table
            = session.SearchMainDictionary(word, compare, found, sizeof found) ? found : "<none>";
        if (table != readFromIndex(session.GetMainDictionary(), word, compare))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const InputFile input;
    bool fixedIndex = size >= LexFormat::kMagicSize
        && std::memcmp(data, LexFormat::kMagic30, LexFormat::kMagicSize) == 0;
    if ((size > kOpenedSize && !fixedIndex) || !input.Write(data, size))
        return 0;
    std::string language;
    if (ReadLanguageName(input.path, language) && language.size() > LexFormat::kLanguageSize)
        std::abort();
    CSpellSession session(input.path.c_str(), nullptr, nullptr);
    if (!session.IsOpen())
        return 0;
    CMainDictionary& dictionary = session.GetMainDictionary();
    sampleWords(dictionary);
    if (size > kSearchedSize)
        return 0;
    for (int k = 0; k < dictionary.GetIndexCount(); k += 499) {
        char word[CMainDictionary::kMaxWordLength + 1];
        if (!dictionary.SeekToIndexEntry(k) || !dictionary.ReadNextWord(word, sizeof word))
            continue;
        std::string upper = word;
        CharacterServices::MakeUpper(upper.data());
        compareSearches(session, word);
        compareSearches(session, upper.c_str());
    }
    for (const char* word : { "house", "Teh", "zzzzzz", "a", "qu\xE6lity" }) {
        compareSearches(session, word);
        session.IsWordExist(word);
    }
    char block[512];
    CSuggestionGenerator(session).Suggest("Teh", block, sizeof block);
    return 0;
}
