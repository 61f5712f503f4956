#include "shell/SpellEdit.h"

#include "controls/EditSpellSession.h"
#include "shell/VantrelApp.h"
#include "platform/ui/WinApp.h"


BEGIN_MESSAGE_MAP(CSpellEdit, CEdit)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

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
    const BOOL completed = CEditSpellSession(this, &m_hChecker).Run(start, end);
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
