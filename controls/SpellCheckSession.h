// One interactive spelling check of a character range of a text control: walks the range word
// by word, applies the checker's change-all replacements silently, and shows the suggestions
// dialog at the first unknown word; every choice there moves on to the next unknown word.
// The edit session and the in-place session differ only in how they reach the control's text.
#pragma once

#include "platform/core/String.h"
#include "spell/Lexigard.h"

class CWnd;

class CSpellCheckSession {
public:
    static constexpr int MaxWordLength = 63;

    virtual ~CSpellCheckSession() = default;
    CSpellCheckSession(const CSpellCheckSession&) = delete;
    CSpellCheckSession& operator=(const CSpellCheckSession&) = delete;

    // Checks [start, end) (swapped when start > end). TRUE when the check completed: an empty
    // range, no unknown word, or none left when the dialog ended; FALSE when the user closed
    // the dialog or it could not be opened.
    BOOL Run(int start, int end);

    // Scans from the current word start to the range end; TRUE with the unknown word found.
    BOOL FindNextMisspelled();
    // Scans on after the current word; FALSE when nothing is left.
    BOOL ContinueCheck();
    // ContinueCheck under the wait cursor.
    BOOL MoveToNextWord();
    void SelectCurrentWord();
    // Puts the text in place of the current word; the range end follows the length change.
    virtual void ReplaceCurrentWord(LPCTSTR text);
    // The word at or after `position` in the control's text: letters, inner apostrophes and,
    // where the scan stands on a word's first letter, digits. Words right after a backslash
    // (format codes) are passed over.
    BOOL GetWordBounds(int position, int& start, int& end);

    LXHANDLE GetChecker() const { return *m_checker; }
    LPCTSTR GetWord() const { return m_word; }
    int GetWordStart() const { return m_wordStart; }
    int GetWordEnd() const { return m_wordEnd; }
    int GetRangeEnd() const { return m_rangeEnd; }

protected:
    CSpellCheckSession(CWnd* control, LXHANDLE* checker);

    // The control's whole text for word scanning; FALSE ends the search as if no word were left.
    virtual BOOL TakeText(CString& text) = 0;
    // The window that owns the suggestions dialog (NULL: the main window).
    virtual CWnd* DialogParent() const = 0;
    // Around the first search of a run.
    virtual void BeginSearch() {}
    virtual void EndSearch() {}

    CWnd* m_control;

private:
    BOOL WordBoundsIn(const CString& text, int position, int& start, int& end) const;
    BOOL IsLetter(const CString& text, int index) const;
    int SkipLetters(const CString& text, int index) const;
    int RunOver(const CString& text, int index, BOOL digits) const;
    BOOL IsSkipped(const CString& word) const;
    int WordEnd(const CString& text, int start, BOOL digits) const;
    enum class Step { Found, Passed, Done };
    Step CheckNextWord();

    LXHANDLE* m_checker;
    int m_rangeStart = 0;
    int m_rangeEnd = 0;
    int m_wordStart = 0;
    int m_wordEnd = 0;
    char m_word[MaxWordLength + 1] = "";
};
