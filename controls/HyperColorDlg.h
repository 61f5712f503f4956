// The colour dialog with a "<Default>" button: it cancels with the reset flag set, which
// the caller turns into the automatic colour.
#pragma once

#include "platform/ui/CommonDialogs.h"

class CHyperColorDlg : public CColorDialog {
    DECLARE_DYNAMIC(CHyperColorDlg)
public:
    explicit CHyperColorDlg(COLORREF initial = 0, CWnd* parent = nullptr);

    BOOL m_bReset = FALSE;

protected:
    void OnDefault();

    DECLARE_MESSAGE_MAP()
};

// Runs the dialog starting at colour: OK gives the chosen colour, "<Default>" the automatic
// colour (-1); both return TRUE. A plain cancel returns FALSE and leaves colour as it was.
BOOL RunColourChooser(COLORREF& colour, CWnd* parent);
// Lets the formatting commands of the views run this dialog.
void RegisterColourChooser();
