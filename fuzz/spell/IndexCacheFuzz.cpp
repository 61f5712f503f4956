// Any bytes as the index cache of a small dictionary of the oldest layout (whose index is
// otherwise rebuilt by reading every word): words are then read from every entry, looked up
// and suggested, wherever the cache points. The dictionary opens once; each input only
// replaces its index.
#include "spell/CharacterServices.h"
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"

#include <cstdint>

namespace {

// The file time the caches in the corpus were written for.
constexpr DWORD kDictionaryTime = 0x5A5A5A5A;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSpellSession session(VANTREL_FUZZ_DICTIONARY, nullptr, nullptr);
    CMainDictionary& dictionary = session.GetMainDictionary();
    if (!dictionary.LoadIndexCache(data, size, kDictionaryTime))
        return 0;
    char word[CMainDictionary::kMaxWordLength + 1];
    for (int k = 0; k < dictionary.GetIndexCount(); k += 7) {
        dictionary.SeekToIndexEntry(k);
        dictionary.ReadNextWord(word, sizeof word);
    }
    for (const char* known : { "house", "zzzzzz" })
        session.SearchMainDictionary(known, CharacterServices::CompareNoCase, word, sizeof word);
    char block[512];
    CSuggestionGenerator(session).Suggest("Teh", block, sizeof block);
    return 0;
}
