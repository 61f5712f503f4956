// What the spelling tests share: the dictionary's own suggestion for a word and the place of
// the Change button in the suggestions dialog.
#pragma once

#include "spell/Lexigard.h"

#include <string>

#ifdef LEXIGARD_ENGLISH

namespace e2e {

// The client point of the suggestions dialog's Change button.
constexpr const char* kSpellingChange = "click dialog 303 87\n";

// The dictionary's first suggestion for a word, which the dialog offers ready to apply.
inline std::string FirstSuggestion(const char* word)
{
    LXHANDLE checker = LX_Init();
    char suggestion[256] = "";
    if (LX_OpenDictionary(checker, LEXIGARD_ENGLISH, nullptr))
        LX_GetSuggestion(checker, word, 0, suggestion, 255);
    LX_Destroy(checker);
    return suggestion;
}

} // namespace e2e

#endif
