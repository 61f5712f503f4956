// One checker handle: the current spelling session, the names it was opened with and the
// suggestions last computed.
#pragma once

#include "spell/SpellSession.h"

#include <memory>
#include <string>

struct CCheckerState {
    static constexpr int kSuggestionBlockSize = 512;

    // True with a session; without one the user is told to open a dictionary first.
    bool RequireSession() const;
    // Builds a session from the stored names; without memory for it both names are cleared.
    bool OpenSession();
    void CloseSession();
    void ClearSuggestions();
    // The index-th suggestion for the word, computed once per word.
    const char* GetSuggestion(const char* word, int index);

    std::unique_ptr<CSpellSession> session;
    std::string mainFileName;
    std::string customFileName;
    bool haveSuggestions = false;
    std::string suggestedWord;
    char suggestions[kSuggestionBlockSize] {};
    int suggestionCount = 0;
};

// The process-wide options, shared by every handle and never stored.
struct CheckerOptions {
    BOOL alwaysSuggest = TRUE;
    BOOL ignoreWordsInUppercase = TRUE;
    BOOL ignoreWordsWithNumbers = TRUE;
};
CheckerOptions& GetCheckerOptions();
