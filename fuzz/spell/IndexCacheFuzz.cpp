// Any bytes as the index cache of a small dictionary of the oldest layout (whose index is
// otherwise rebuilt by reading every word): words are then read from every entry, looked up
// and suggested, wherever the cache points.
#include "fuzz/FuzzFolder.h"
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utime.h>

namespace {

// The time the dictionary is given, so that caches in the corpus match it.
constexpr time_t kDictionaryTime = 0x5A5A5A5A;

struct Files {
    FuzzFolder folder;
    std::string dictionary = folder.File("words.lex");
    std::string cache = folder.File("words.idx");
    bool ready = [this] {
        std::error_code error;
        std::filesystem::copy_file(VANTREL_FUZZ_DICTIONARY, dictionary, error);
        utimbuf times { kDictionaryTime, kDictionaryTime };
        return !error && utime(dictionary.c_str(), &times) == 0;
    }();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Files files;
    if (!files.ready || !FuzzFolder::Write(files.cache, data, size))
        return 0;
    CSpellSession session(files.dictionary.c_str(), files.cache.c_str(), nullptr);
    if (!session.IsOpen())
        return 0;
    CMainDictionary& dictionary = session.GetMainDictionary();
    char word[CMainDictionary::kMaxWordLength + 1];
    for (int k = 0; k < dictionary.GetIndexCount(); k += 7) {
        dictionary.SeekToIndexEntry(k);
        dictionary.ReadNextWord(word, sizeof word);
    }
    for (const char* known : { "house", "zzzzzz" })
        session.IsWordExist(known);
    char block[512];
    CSuggestionGenerator(session).Suggest("Teh", block, sizeof block);
    return 0;
}
