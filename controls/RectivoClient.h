// The editor's binding to the auto-correction library: one library object opened on a
// replacement-list file, the four correction switches, and the text logic that finds the word
// the user just finished in an edit control, replaces or capitalises it and puts the caret back.
#pragma once

#include "View/TextServices.h"
#include "platform/core/String.h"
#include "platform/core/Types.h"
#include "platform/sys/rectivo/Rectivo.h"

class CRectivoClient : public CAutoCorrector {
public:
    static constexpr int ReplacementBufferSize = 1048;

    // A word of an edit control's text: [start, end), and the delimiter after it ('\0' for none).
    struct Word {
        CString text;
        int start = 0;
        int end = 0;
        char delimiter = '\0';
    };

    CRectivoClient() = default;
    ~CRectivoClient() override;
    CRectivoClient(const CRectivoClient&) = delete;
    CRectivoClient& operator=(const CRectivoClient&) = delete;

    void Open(LPCTSTR listFile);
    int SetCorrectTwoInitCaps(BYTE flag);
    void SetCapitalizeSentence(BYTE flag);
    void SetCorrectCapsLock(BYTE flag);
    void SetReplaceText(BYTE flag) { m_replaceText = flag; }
    BYTE GetCapitalizeSentence() const { return m_capitalizeSentence; }
    BYTE GetReplaceText() const { return m_replaceText; }

    int GetReplacement(LPCTSTR word, CString& replacement) const;
    BOOL IsFirstLetterException(LPCTSTR text) const;

    void CorrectTypedWord(CWnd* edit) override;
    void CorrectLastWord(CWnd* edit) override;

    // Text helpers.
    static BOOL IsDelimiter(char ch);
    // The word that the delimiter before the caret ended; empty when there is none.
    static Word GetFinishedWord(const CString& text, int caret);
    // As GetFinishedWord, and also a word that runs up to the caret without a delimiter.
    static Word GetWordAtCaret(const CString& text, int caret);
    // The run after the last delimiter before `length`.
    static CString GetLastWord(const CString& text, int length);
    // Whether only blanks stand between a full stop (or the start) and `position`.
    static BOOL IsAtSentenceStart(const CString& text, int position, int* stopIndex);

private:
    void Correct(CWnd* edit, const Word& found, int caret);
    static Word WordEndingAt(const CString& text, int end, char delimiter);

    RECTIVO_HANDLE m_handle = nullptr;
    BYTE m_correctTwoInitCaps = 0;
    BYTE m_capitalizeSentence = 0;
    BYTE m_correctCapsLock = 0;
    BYTE m_replaceText = 0;
};
