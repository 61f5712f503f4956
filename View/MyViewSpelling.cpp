// The spelling check of a page through the in-place editor, the check after an in-place edit,
// and the dictionary and auto-correction commands.
#include "View/MyView.h"

#include "View/HyperTextEdit.h"
#include "View/MainViewHost.h"
#include "objects/HyperOb.h"
#include "objects/ShellServices.h"
#include "objects/kinds/StickyOb.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

namespace {

struct SpellOption {
    LPCTSTR key;
    BOOL (CHyperTextEdit::*get)() const;
    void (CHyperTextEdit::*set)(BOOL);
};

constexpr SpellOption kSpellOptions[] = {
    {"Dictionary.AllwaysSuggest", &CHyperTextEdit::GetAlwaysSuggest, &CHyperTextEdit::SetAlwaysSuggest},
    {"Dictionary.IgnorUppercase", &CHyperTextEdit::GetIgnoreWordsInUppercase,
     &CHyperTextEdit::SetIgnoreWordsInUppercase},
    {"Dictionary.IgnorNumbers", &CHyperTextEdit::GetIgnoreWordsWithNumbers, &CHyperTextEdit::SetIgnoreWordsWithNumbers},
};

CPoint CentreOf(const CHyperOb* object)
{
    CRect rect;
    object->GetRect(&rect, nullptr);
    rect.NormalizeRect();
    return rect.CenterPoint();
}

} // namespace

void CMyView::PassSpellOptions()
{
    for (const SpellOption& option : kSpellOptions)
        (GetTextEdit().*option.set)(GetShellServices().GetSettingInt(option.key, 1) > 0);
}

// Only changed options are written: an untouched settings file stays as it is.
void CMyView::StoreSpellOptions()
{
    for (const SpellOption& option : kSpellOptions) {
        const BOOL on = (GetTextEdit().*option.get)() ? TRUE : FALSE;
        if (on != (GetShellServices().GetSettingInt(option.key, 1) > 0))
            GetMainViewHost().SetSetting(option.key, on);
    }
}

BOOL CMyView::OpenDictionaries()
{
    const CTextServices& services = GetTextServices();
    const CString main = services.GetMainDictionary(), custom = services.GetCustomDictionary();
    if (GetTextEdit().OpenDictionary(main, custom))
        return TRUE;
    ReportDictionaryFailure(main, custom);
    return FALSE;
}

BOOL CMyView::CheckObjectSpelling(CHyperOb* object)
{
    CString text;
    object->GetText(text);
    if (!text.IsEmpty()) {
        const CPoint centre = CentreOf(object);
        CHyperTextEdit& edit = GetTextEdit();
        if (edit.BeginEdit(centre.x, centre.y, object, 0)) {
            if (!edit.SpellCheck(FALSE))
                return FALSE;
            edit.EndEdit(TRUE, 0, TRUE);
        }
    }
    auto* note = dynamic_cast<CStickyOb*>(object);
    if (note && note->CheckSpelling() && GetDocument())
        GetDocument()->SetModifiedFlag(TRUE);
    return TRUE;
}

void CMyView::OnSpellCheck()
{
    if (!m_editMode || GetObjects().GetSize() == 0)
        return;
    SetRedraw(FALSE);
    if (!OpenDictionaries()) {
        SetRedraw(TRUE);
        return;
    }
    CObArray targets;
    CollectTargets(targets);
    PassSpellOptions();
    SetRedraw(TRUE);
    m_spellChecking = TRUE;
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        // A check may change the page; objects that left it are passed over.
        auto* object = static_cast<CHyperOb*>(targets.GetAt(i));
        if (FindObjectIndex(object) >= 0 && !CheckObjectSpelling(object))
            break;
    }
    m_spellChecking = FALSE;
    AfxMessageBox(SpellCompleteText, MB_ICONEXCLAMATION);
    StoreSpellOptions();
    Invalidate();
}

void CMyView::OnUpdateSpellCheck(CCmdUI* cmdUI) { cmdUI->Enable(m_editMode); }

void CMyView::SpellCheckWholePage()
{
    m_wholePage = TRUE;
    OnSpellCheck();
    m_wholePage = FALSE;
}

BOOL CMyView::OnEndTextEdit()
{
    CHyperOb* object = GetTextEdit().m_object;
    const CTextServices& services = GetTextServices();
    if (!object || m_spellChecking || !GetShellServices().GetSettingInt("Dictionary.CheckAfterUpdate", 1))
        return TRUE;
    // Without a dictionary every word would count as unknown.
    if (services.GetMainDictionary().IsEmpty() ||
        !GetTextEdit().OpenDictionary(services.GetMainDictionary(), services.GetCustomDictionary()))
        return TRUE;
    m_spellChecking = TRUE;
    CString text;
    object->GetText(text);
    const CPoint centre = CentreOf(object);
    CHyperTextEdit& edit = GetTextEdit();
    if (!text.IsEmpty() && edit.BeginEdit(centre.x, centre.y, object, 0)) {
        edit.SpellCheck(FALSE);
        edit.EndEdit(TRUE, 0, TRUE);
    }
    m_spellChecking = FALSE;
    return TRUE;
}

void CMyView::ReopenCorrector()
{
    GetTextEdit().SetAutoCorrector(GetTextServices().CreateAutoCorrector());
}

void CMyView::OnLanguage()
{
    GetMainViewHost().RunLanguageDialog();
    ReopenCorrector();
}

void CMyView::OnOptions()
{
    GetMainViewHost().RunOptions();
    ReopenCorrector();
}

void CMyView::DownloadDictionaries(BOOL themes)
{
    const CMainViewHost& host = GetMainViewHost();
    LXHANDLE checker = LX_Init();
    LX_DownloadDictionaries(checker, host.GetDictionaryList(themes), host.GetDictionaryFolder());
    LX_Destroy(checker);
}

void CMyView::OnLanguageDictionaries() { DownloadDictionaries(FALSE); }

void CMyView::OnOtherDictionaries() { DownloadDictionaries(TRUE); }
