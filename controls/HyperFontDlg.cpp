#include "controls/HyperFontDlg.h"

#include "controls/ChooserTexts.h"

IMPLEMENT_DYNAMIC(CHyperFontDlg, CFontDialog)

BEGIN_MESSAGE_MAP(CHyperFontDlg, CFontDialog)
    ON_COMMAND(ID_CHOOSER_DEFAULT, OnDefault)
    ON_COMMAND(ID_FONT_APPLY, OnApply)
END_MESSAGE_MAP()

CHyperFontDlg::CHyperFontDlg(const LOGFONT* initial, DWORD flags, CWnd* owner)
    : CFontDialog(initial, flags | CF_INITTOLOGFONTSTRUCT | CF_APPLY | CF_FORCEFONTEXIST, nullptr, nullptr), m_pOwner(owner)
{
    CString text;
    text.LoadString(IDS_CHOOSER_DEFAULT);
    AddExtraButton(ID_CHOOSER_DEFAULT, text);
}

void CHyperFontDlg::OnDefault()
{
    m_bReset = TRUE;
    EndDialog(IDCANCEL);
}

void CHyperFontDlg::OnApply()
{
    if (m_pApplyTarget)
        GetCurrentFont(m_pApplyTarget);
    if (m_pOwner)
        m_pOwner->SendMessage(WM_PROP_STORE_AND_APPLY, 0, 0);
}

BOOL RunFontDialog(LOGFONT* font, CWnd* owner, BOOL, DWORD flags)
{
    CHyperFontDlg dialog(font, flags, owner);
    dialog.m_pApplyTarget = font;
    if (dialog.DoModal() != IDCANCEL) {
        dialog.GetCurrentFont(font);
        return TRUE;
    }
    if (!dialog.m_bReset)
        return FALSE;
    *font = LOGFONT{};
    return TRUE;
}
