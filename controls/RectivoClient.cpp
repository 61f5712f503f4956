#include "controls/RectivoClient.h"

#include "platform/sys/Library.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr char kDelimiters[] = " \t\n.,;-_";
constexpr const char* kLibrary = "Rectivo.dll";

// The library's functions, bound by ordinal once for the whole program; all null when the
// library is missing, and then nothing is corrected.
struct RectivoProcs {
    RECTIVO_OPEN open = nullptr;
    RECTIVO_CLOSE close = nullptr;
    RECTIVO_SETFLAG setCorrectTwoInitCaps = nullptr;
    RECTIVO_SETFLAG setCapitalizeSentence = nullptr;
    RECTIVO_SETFLAG setCorrectCapsLock = nullptr;
    RECTIVO_GETREPLACEMENT getReplacement = nullptr;
    RECTIVO_ISFIRSTLETTEREXCEPTION isFirstLetterException = nullptr;
};

template <typename Proc>
void Bind(HMODULE library, int ordinal, Proc& proc)
{
    proc = reinterpret_cast<Proc>(::GetProcAddress(library, MAKEINTRESOURCE(ordinal)));
}

const RectivoProcs& Procs()
{
    static const RectivoProcs procs = [] {
        RectivoProcs bound;
        HMODULE library = ::LoadLibrary(kLibrary);
        if (!library)
            return bound;
        Bind(library, RECTIVO_ORD_Open, bound.open);
        Bind(library, RECTIVO_ORD_Close, bound.close);
        Bind(library, RECTIVO_ORD_SetCorrectTwoInitCaps, bound.setCorrectTwoInitCaps);
        Bind(library, RECTIVO_ORD_SetCapitalizeSentence, bound.setCapitalizeSentence);
        Bind(library, RECTIVO_ORD_SetCorrectCapsLock, bound.setCorrectCapsLock);
        Bind(library, RECTIVO_ORD_GetReplacement, bound.getReplacement);
        Bind(library, RECTIVO_ORD_IsFirstLetterException, bound.isFirstLetterException);
        return bound;
    }();
    return procs;
}

int CaretOf(CWnd* edit)
{
    return HIWORD(static_cast<DWORD>(edit->SendMessage(EM_GETSEL, 0, 0)));
}

CString TextOf(CWnd* edit)
{
    CString text;
    edit->GetWindowText(text);
    return text;
}

void PutText(CWnd* edit, const CString& text, int caret)
{
    edit->SetWindowText(text);
    edit->SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
    edit->SendMessage(EM_SCROLLCARET, 0, 0);
}

CString Rebuilt(const CString& text, const CRectivoClient::Word& word, const CString& newWord, int caret)
{
    CString rebuilt = text.Left(word.start) + newWord;
    if (word.delimiter != '\0')
        rebuilt += word.delimiter;
    return rebuilt + text.Mid(caret);
}

} // namespace

CRectivoClient::~CRectivoClient()
{
    if (m_handle && Procs().close)
        Procs().close(m_handle);
}

// Owners open their client again whenever the user has changed the list; the object on the
// old list goes with it.
void CRectivoClient::Open(LPCTSTR listFile)
{
    if (m_handle && Procs().close)
        Procs().close(m_handle);
    m_handle = Procs().open ? Procs().open(listFile, 0) : nullptr;
}

int CRectivoClient::SetCorrectTwoInitCaps(BYTE flag)
{
    m_correctTwoInitCaps = flag;
    return Procs().setCorrectTwoInitCaps ? Procs().setCorrectTwoInitCaps(m_handle, flag) : 0;
}

void CRectivoClient::SetCapitalizeSentence(BYTE flag)
{
    m_capitalizeSentence = flag;
    if (Procs().setCapitalizeSentence)
        Procs().setCapitalizeSentence(m_handle, flag);
}

void CRectivoClient::SetCorrectCapsLock(BYTE flag)
{
    m_correctCapsLock = flag;
    if (Procs().setCorrectCapsLock)
        Procs().setCorrectCapsLock(m_handle, flag);
}

int CRectivoClient::GetReplacement(LPCTSTR word, CString& replacement) const
{
    std::vector<char> buffer(ReplacementBufferSize, '\0');
    const int result =
        Procs().getReplacement ? Procs().getReplacement(m_handle, word, buffer.data(), ReplacementBufferSize) : 0;
    replacement = buffer.data();
    return result;
}

BOOL CRectivoClient::IsFirstLetterException(LPCTSTR text) const
{
    return Procs().isFirstLetterException ? Procs().isFirstLetterException(m_handle, text) : FALSE;
}

BOOL CRectivoClient::IsDelimiter(char ch)
{
    return ch != '\0' && std::strchr(kDelimiters, ch) != nullptr;
}

CRectivoClient::Word CRectivoClient::WordEndingAt(const CString& text, int end, char delimiter)
{
    int start = end;
    while (start > 0 && !IsDelimiter(text[start - 1]))
        --start;
    Word word;
    word.text = text.Mid(start, end - start);
    word.start = start;
    word.end = end;
    word.delimiter = delimiter;
    return word;
}

CRectivoClient::Word CRectivoClient::GetFinishedWord(const CString& text, int caret)
{
    if (caret <= 0 || caret > text.GetLength() || !IsDelimiter(text[caret - 1]))
        return {};
    return WordEndingAt(text, caret - 1, text[caret - 1]);
}

CRectivoClient::Word CRectivoClient::GetWordAtCaret(const CString& text, int caret)
{
    if (caret <= 0 || caret > text.GetLength())
        return {};
    if (IsDelimiter(text[caret - 1]))
        return GetFinishedWord(text, caret);
    return WordEndingAt(text, caret, '\0');
}

CString CRectivoClient::GetLastWord(const CString& text, int length)
{
    length = std::min(std::max(length, 0), text.GetLength());
    int start = length;
    while (start > 0 && !IsDelimiter(text[start - 1]))
        --start;
    return text.Mid(start, length - start);
}

BOOL CRectivoClient::IsAtSentenceStart(const CString& text, int position, int* stopIndex)
{
    int i = std::min(position, text.GetLength()) - 1;
    while (i >= 0 && text[i] == ' ')
        --i;
    *stopIndex = i >= 0 ? i : 0;
    return i < 0 || text[i] == '.';
}

void CRectivoClient::CorrectTypedWord(CWnd* edit)
{
    const int caret = CaretOf(edit);
    Correct(edit, GetFinishedWord(TextOf(edit), caret), caret);
}

void CRectivoClient::CorrectLastWord(CWnd* edit)
{
    const int caret = CaretOf(edit);
    Correct(edit, GetWordAtCaret(TextOf(edit), caret), caret);
}

void CRectivoClient::Correct(CWnd* edit, const Word& found, int caret)
{
    if (found.text.IsEmpty() || !m_replaceText)
        return;
    const CString typed = TextOf(edit);
    CString word = found.text;
    CString replacement;
    GetReplacement(word, replacement);
    if (!replacement.IsEmpty() && replacement != word) {
        const CString rebuilt = Rebuilt(typed, found, replacement, caret);
        caret += replacement.GetLength() - word.GetLength();
        PutText(edit, rebuilt, caret);
        word = replacement;
    }
    int stop = 0;
    if (!m_capitalizeSentence || !IsAtSentenceStart(typed, found.start, &stop))
        return;
    const CString text = TextOf(edit);
    if (IsFirstLetterException(GetLastWord(text, stop) + "."))
        return;
    CString first = word.Left(1);
    first.MakeUpper();
    if (first == word.Left(1))
        return;
    PutText(edit, Rebuilt(text, found, first + word.Mid(1), caret), caret);
}
