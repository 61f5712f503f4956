// Feeds arbitrary bytes to the dictionary reader as a .lex file, then reads every word,
// looks words up and asks for suggestions; a search over the decoded words must answer as
// reading the file from the word's index entry does.
#include "spell/CharacterServices.h"
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// One in-memory file, rewritten for each input.
const std::string& inputFile()
{
    static const std::string path = [] {
        int fd = memfd_create("lexigard-fuzz", 0);
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

void readEverything(CMainDictionary& dictionary)
{
    char word[CMainDictionary::kMaxWordLength + 1];
    for (int k = 0; k < dictionary.GetIndexCount(); k += 97) {
        dictionary.SeekToIndexEntry(k);
        for (int i = 0; i < 64 && dictionary.ReadNextWord(word, sizeof word); ++i) { }
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
    const std::string& path = inputFile();
    int fd = std::stoi(path.substr(path.rfind('/') + 1));
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    CSpellSession session(path.c_str(), nullptr, nullptr);
    if (!session.IsOpen())
        return 0;
    readEverything(session.GetMainDictionary());
    CMainDictionary& dictionary = session.GetMainDictionary();
    for (int k = 0; k < dictionary.GetIndexCount(); k += 499) {
        char word[CMainDictionary::kMaxWordLength + 1];
        if (!dictionary.SeekToIndexEntry(k) || !dictionary.ReadNextWord(word, sizeof word))
            continue;
        std::string upper = word;
        CharacterServices::MakeUpper(upper.data());
        compareSearches(session, word);
        compareSearches(session, upper.c_str());
    }
    char block[512];
    for (const char* word : { "house", "Teh", "zzzzzz", "a", "qu\xE6lity" }) {
        compareSearches(session, word);
        session.IsWordExist(word);
        CSuggestionGenerator(session).Suggest(word, block, sizeof block);
    }
    return 0;
}
