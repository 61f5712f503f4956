#include "controls/HyperColorDlg.h"

#include "View/ColourChooser.h"
#include "controls/ChooserTexts.h"
#include "controls/ColourComboBox.h"

IMPLEMENT_DYNAMIC(CHyperColorDlg, CColorDialog)

BEGIN_MESSAGE_MAP(CHyperColorDlg, CColorDialog)
    ON_COMMAND(ID_CHOOSER_DEFAULT, OnDefault)
END_MESSAGE_MAP()

CHyperColorDlg::CHyperColorDlg(COLORREF initial, CWnd*) : CColorDialog(initial, 0, nullptr)
{
    CString text;
    text.LoadString(IDS_CHOOSER_DEFAULT);
    AddExtraButton(ID_CHOOSER_DEFAULT, text);
}

void CHyperColorDlg::OnDefault()
{
    m_bReset = TRUE;
    EndDialog(IDCANCEL);
}

BOOL RunColourChooser(COLORREF& colour, CWnd* parent)
{
    CHyperColorDlg dialog(colour, parent);
    if (dialog.DoModal() == IDOK)
        colour = dialog.GetColor();
    else if (dialog.m_bReset)
        colour = AutomaticColour;
    else
        return FALSE;
    return TRUE;
}

void RegisterColourChooser()
{
    SetColourChooser(RunColourChooser);
}
