// Feeds arbitrary bytes to the dictionary reader as a .lex file, then reads every word,
// looks words up and asks for suggestions.
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"

#include <cstdint>
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
    char block[512];
    for (const char* word : { "house", "Teh", "zzzzzz", "a", "qu\xE6lity" }) {
        session.IsWordExist(word);
        CSuggestionGenerator(session).Suggest(word, block, sizeof block);
    }
    return 0;
}
