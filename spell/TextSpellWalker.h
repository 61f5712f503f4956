// Walks a text word by word for the text check: skips what the options say to skip,
// applies change-all replacements silently and stops at each word the session refuses.
#pragma once

#include <cstddef>
#include <string>

class CSpellSession;

class CTextSpellWalker {
public:
    static constexpr size_t kMaxWordLength = 63;

    CTextSpellWalker(CSpellSession& session, std::string text);

    // Moves to the next refused word after the current one; false at the end of the text.
    bool FindNextUnrecognised();
    const std::string& GetCurrentWord() const { return m_word; }
    const std::string& GetText() const { return m_text; }

private:
    bool findWord(size_t from, size_t& start, size_t& end) const;
    bool passedOver(const std::string& word) const;

    CSpellSession& m_session;
    std::string m_text;
    size_t m_scan = 0;
    std::string m_word;
};

// The spelling dialog, installed by the window layer: runs over the walker positioned at the
// first refused word and returns true when the user finished the check (OK).
using SpellDialogRunner = bool (*)(CTextSpellWalker& walker);
void SetSpellDialogRunner(SpellDialogRunner runner);
SpellDialogRunner GetSpellDialogRunner();
