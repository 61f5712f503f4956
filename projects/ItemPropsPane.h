// The docked marker pane: hosts the marker dialog, filling the pane.
#pragma once

#include "projects/MarkerDlg.h"

#include "platform/ui/Wnd.h"

class CProjManager;

class CItemPropsPane : public CWnd {
public:
    // Creates the dialog inside `host` when it is not there yet; the manager may be null.
    BOOL AttachToPane(CWnd* host, CProjManager* manager);
    CMarkerDlg& GetDialog() { return m_dialog; }

    void OnSize(UINT type, int cx, int cy);

private:
    CMarkerDlg m_dialog;

    DECLARE_MESSAGE_MAP()
};
