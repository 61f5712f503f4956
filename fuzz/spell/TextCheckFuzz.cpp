// Any bytes as a text handed to the text check: it is walked word by word against a small
// dictionary, and each refused word is replaced by its first suggestion, as the spelling
// dialog's Change does.
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"
#include "spell/TextSpellWalker.h"

#include <cstdint>
#include <string>

namespace {

// Each refused word costs a suggestion search; more only repeat the work.
constexpr int kMaxWords = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSpellSession session(VANTREL_FUZZ_DICTIONARY, nullptr, nullptr);
    if (size > 4096)
        return 0;
    CTextSpellWalker walker(session, std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < kMaxWords && walker.FindNextUnrecognised(); ++i) {
        char block[512] = {};
        CSuggestionGenerator(session).Suggest(walker.GetCurrentWord().c_str(), block, sizeof block);
        walker.ReplaceCurrentWord(block);
    }
    volatile size_t length = walker.GetText().size();
    (void)length;
    return 0;
}
