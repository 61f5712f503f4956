#include "shell/SpellEdit.h"

#include "shell/VantrelApp.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSpellEdit, CEdit)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

constexpr SHORT kCheckDone = 0;

CString TakeBlock(HGLOBAL block)
{
    if (!block)
        return CString();
    CString text(static_cast<LPCTSTR>(GlobalLock(block)));
    GlobalUnlock(block);
    GlobalFree(block);
    return text;
}

} // namespace

CSpellEdit::CSpellEdit() : m_hChecker(LX_Init()) {}

CSpellEdit::~CSpellEdit() { LX_Destroy(m_hChecker); }

// The word in question stays marked while the spelling dialog has the focus.
BOOL CSpellEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= ES_NOHIDESEL;
    return CEdit::PreCreateWindow(cs);
}

void CSpellEdit::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_F7)
        CheckSpelling(TRUE);
    Default();
}

BOOL CSpellEdit::OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile)
{
    return LX_OpenDictionary(m_hChecker, mainFile, customFile) != 0;
}

BOOL CSpellEdit::CheckSpelling(BOOL showComplete)
{
    LX_SetAlwaysSuggest(m_hChecker, m_bAlwaysSuggest);
    LX_SetIgnoreWordsInUppercase(m_hChecker, m_bIgnoreUppercase);
    LX_SetIgnoreWordsWithNumbers(m_hChecker, m_bIgnoreNumbers);
    int start = 0, end = 0;
    GetSel(start, end);
    if (start == end) {
        start = 0;
        end = GetWindowTextLength();
    }
    const BOOL completed = CheckRange(start, end);
    if (showComplete) {
        CString text;
        text.LoadString(kCompleteText);
        AfxMessageBox(GetLanguageText(text), MB_ICONEXCLAMATION);
    }
    m_bAlwaysSuggest = LX_GetAlwaysSuggest(m_hChecker);
    m_bIgnoreUppercase = LX_GetIgnoreWordsInUppercase(m_hChecker);
    m_bIgnoreNumbers = LX_GetIgnoreWordsWithNumbers(m_hChecker);
    return completed;
}

// The library's text check walks the range and asks the user about each unknown word in its
// spelling dialog; what it hands back replaces the range, corrections made before a
// cancellation included.
BOOL CSpellEdit::CheckRange(int start, int end)
{
    if (start > end)
        std::swap(start, end);
    CString text;
    GetWindowText(text);
    end = std::min(end, text.GetLength());
    if (start >= end)
        return TRUE;
    const CString range = text.Mid(start, end - start);
    SHORT result = kCheckDone;
    const CString checked = TakeBlock(LX_CheckText(m_hChecker, range, &result));
    if (!checked.IsEmpty() && checked != range) {
        SetSel(start, end);
        ReplaceSel(checked);
    }
    return result == kCheckDone;
}
