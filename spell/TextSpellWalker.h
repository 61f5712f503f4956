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
    // Puts the replacement in the current word's place; the scan goes on after it.
    void ReplaceCurrentWord(const std::string& replacement);
    const std::string& GetCurrentWord() const { return m_word; }
    const std::string& GetText() const { return m_text; }
    CSpellSession& GetSession() { return m_session; }

private:
    bool findWord(size_t from, size_t& start, size_t& end) const;
    bool passedOver(const std::string& word) const;

    CSpellSession& m_session;
    std::string m_text;
    size_t m_scan = 0;
    size_t m_wordStart = 0;
    std::string m_word;
};
