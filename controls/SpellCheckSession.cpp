#include "controls/SpellCheckSession.h"

#include "controls/SpellCheckDlg.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReplacementSize = 256;

BOOL IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The checker takes a character as the sign-extended 16-bit value of the 8-bit char.
WORD CharacterOf(char ch) { return static_cast<WORD>(static_cast<SHORT>(static_cast<signed char>(ch))); }

class WaitCursor {
public:
    WaitCursor() : m_old(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_old); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_old;
};

} // namespace

CSpellCheckSession::CSpellCheckSession(CWnd* control, LXHANDLE* checker) : m_control(control), m_checker(checker) {}

BOOL CSpellCheckSession::Run(int start, int end)
{
    if (start > end)
        std::swap(start, end);
    BeginSearch();
    BOOL found = FALSE;
    if (start != end) {
        m_rangeStart = start;
        m_rangeEnd = end;
        m_wordStart = start;
        m_wordEnd = end;
        WaitCursor wait;
        found = FindNextMisspelled();
    }
    EndSearch();
    if (!found)
        return TRUE;
    return CSpellCheckDlg(*this, DialogParent()).DoModal() == IDOK;
}

BOOL CSpellCheckSession::FindNextMisspelled()
{
    for (;;) {
        const Step step = CheckNextWord();
        if (step != Step::Passed)
            return step == Step::Found;
        m_wordStart = m_wordEnd;
        m_wordEnd = m_rangeEnd;
        if (m_wordStart >= m_rangeEnd)
            return FALSE;
    }
}

// The next word from the current word start; its bounds become the current word's.
CSpellCheckSession::Step CSpellCheckSession::CheckNextWord()
{
    CString text;
    int start = 0, end = 0;
    if (!TakeText(text) || !WordBoundsIn(text, m_wordStart, start, end) || start >= m_rangeEnd)
        return Step::Done;
    m_wordStart = start;
    m_wordEnd = end;
    const CString word = text.Mid(start, end - start);
    if (word.GetLength() > MaxWordLength || word[0] == '_')
        return Step::Passed;
    std::memcpy(m_word, static_cast<LPCTSTR>(word), static_cast<size_t>(word.GetLength()) + 1);
    if (IsSkipped(word) || LX_IsWordExist(GetChecker(), m_word))
        return Step::Passed;
    char replacement[kReplacementSize] = "";
    LX_GetReplacement(GetChecker(), m_word, replacement, kReplacementSize - 1);
    if (replacement[0] == '\0')
        return Step::Found;
    ReplaceCurrentWord(replacement);
    return Step::Passed;
}

BOOL CSpellCheckSession::IsSkipped(const CString& word) const
{
    const LXHANDLE checker = GetChecker();
    BOOL allDigits = TRUE, allUpper = TRUE, anyDigit = FALSE;
    for (int i = 0; i < word.GetLength(); ++i) {
        allDigits = allDigits && IsDigit(word[i]);
        anyDigit = anyDigit || IsDigit(word[i]);
        allUpper = allUpper && LX_IsCharUpper(checker, CharacterOf(word[i]));
    }
    return allDigits || (allUpper && LX_GetIgnoreWordsInUppercase(checker)) ||
           (anyDigit && LX_GetIgnoreWordsWithNumbers(checker));
}

BOOL CSpellCheckSession::ContinueCheck()
{
    m_wordStart = m_wordEnd;
    m_wordEnd = m_rangeEnd;
    if (m_wordStart >= m_rangeEnd)
        return FALSE;
    return FindNextMisspelled();
}

BOOL CSpellCheckSession::MoveToNextWord()
{
    WaitCursor wait;
    return ContinueCheck();
}

void CSpellCheckSession::SelectCurrentWord()
{
    m_control->SendMessage(EM_SETSEL, static_cast<WPARAM>(m_wordStart), m_wordEnd);
    m_control->SendMessage(EM_SCROLLCARET, 0, 0);
}

void CSpellCheckSession::ReplaceCurrentWord(LPCTSTR text)
{
    if (!text)
        return;
    const int length = static_cast<int>(std::strlen(text));
    m_control->SendMessage(EM_SETSEL, static_cast<WPARAM>(m_wordEnd), m_wordStart);
    m_control->SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    m_rangeEnd += length - (m_wordEnd - m_wordStart);
    m_wordEnd = m_wordStart + length;
}

BOOL CSpellCheckSession::GetWordBounds(int position, int& start, int& end)
{
    CString text;
    m_control->GetWindowText(text);
    return WordBoundsIn(text, position, start, end);
}

BOOL CSpellCheckSession::IsLetter(const CString& text, int index) const
{
    return index >= 0 && index < text.GetLength() && LX_IsCharAlpha(GetChecker(), CharacterOf(text[index]));
}

int CSpellCheckSession::SkipLetters(const CString& text, int index) const
{
    while (IsLetter(text, index))
        ++index;
    return index;
}

int CSpellCheckSession::RunOver(const CString& text, int index, BOOL digits) const
{
    while (index < text.GetLength() &&
           (IsLetter(text, index) || text[index] == '\'' || (digits && IsDigit(text[index]))))
        ++index;
    return index;
}

int CSpellCheckSession::WordEnd(const CString& text, int start, BOOL digits) const
{
    int end = RunOver(text, start, digits);
    return text[end - 1] == '\'' ? end - 1 : end;
}

BOOL CSpellCheckSession::WordBoundsIn(const CString& text, int position, int& start, int& end) const
{
    int p = std::clamp(position, 0, text.GetLength());
    if (IsLetter(text, p)) {
        int first = p;
        while (IsLetter(text, first - 1))
            --first;
        if (first == 0 || text[first - 1] != '\\') {
            start = first;
            // Digits belong to the word only where the scan stands on its first letter.
            end = WordEnd(text, first, first == p);
            return TRUE;
        }
        p = SkipLetters(text, p);
    }
    for (;;) {
        while (p < text.GetLength() && !IsLetter(text, p))
            ++p;
        if (p >= text.GetLength())
            return FALSE;
        if (p == 0 || text[p - 1] != '\\')
            break;
        p = SkipLetters(text, p);
    }
    start = p;
    end = WordEnd(text, p, FALSE);
    return TRUE;
}
