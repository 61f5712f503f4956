#include "spell/TextSpellWalker.h"

#include "spell/CharacterServices.h"
#include "spell/CheckerState.h"
#include "spell/SpellSession.h"

#include <algorithm>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isWordCharacter(char c)
{
    return isDigit(c) || CharacterServices::IsAlpha(static_cast<BYTE>(c));
}

} // namespace

CTextSpellWalker::CTextSpellWalker(CSpellSession& session, std::string text)
    : m_session(session)
    , m_text(std::move(text))
{
}

// A word runs over letters, digits and inner apostrophes. A word right after a backslash is
// a control word of formatted text and is never looked up.
bool CTextSpellWalker::findWord(size_t from, size_t& start, size_t& end) const
{
    while (from > 0 && from < m_text.size() && isWordCharacter(m_text[from])
        && isWordCharacter(m_text[from - 1]))
        --from;
    for (size_t i = from; i < m_text.size();) {
        if (!isWordCharacter(m_text[i])) {
            ++i;
            continue;
        }
        if (i > 0 && m_text[i - 1] == '\\') {
            while (i < m_text.size() && isWordCharacter(m_text[i]))
                ++i;
            continue;
        }
        start = i;
        while (i < m_text.size() && (isWordCharacter(m_text[i]) || m_text[i] == '\''))
            ++i;
        while (m_text[i - 1] == '\'')
            --i;
        end = i;
        return true;
    }
    return false;
}

bool CTextSpellWalker::passedOver(const std::string& word) const
{
    const CheckerOptions& options = GetCheckerOptions();
    bool hasDigit = std::any_of(word.begin(), word.end(), isDigit);
    return word[0] == '_' || word.size() > kMaxWordLength || std::all_of(word.begin(), word.end(), isDigit)
        || (options.ignoreWordsInUppercase
            && std::all_of(word.begin(), word.end(),
                [](char c) { return CharacterServices::IsUpper(static_cast<BYTE>(c)); }))
        || (options.ignoreWordsWithNumbers && hasDigit);
}

bool CTextSpellWalker::FindNextUnrecognised()
{
    size_t start = 0;
    size_t end = 0;
    while (findWord(m_scan, start, end)) {
        std::string word = m_text.substr(start, end - start);
        m_scan = end;
        if (passedOver(word) || m_session.IsWordExist(word.c_str()))
            continue;
        char replacement[kMaxWordLength + 1];
        if (m_session.FindChangeAll(word.c_str(), replacement, sizeof replacement)) {
            m_text.replace(start, end - start, replacement);
            m_scan = start + std::char_traits<char>::length(replacement);
            continue;
        }
        m_wordStart = start;
        m_word = word;
        return true;
    }
    m_word.clear();
    return false;
}

void CTextSpellWalker::ReplaceCurrentWord(const std::string& replacement)
{
    m_text.replace(m_wordStart, m_word.size(), replacement);
    m_scan = m_wordStart + replacement.size();
    m_word = replacement;
}
