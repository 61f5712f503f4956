// The base of the paint dialogs: a resizable dialog that reopens where the user left it,
// kept per template in the profile section "PaintDlg:<template id>".
#pragma once

#include "controls/NSFlexDialog.h"

class CPntDlg : public CNSFlexDialog {
    DECLARE_DYNAMIC(CPntDlg)
public:
    CPntDlg(UINT templateId, CWnd* parent);

    BOOL OnInitDialog() override;
    virtual void SavePlacement();
    virtual void RestorePlacement();
    CString GetProfileSection() const;
    // Whether a stored window rectangle lies inside the work area.
    static BOOL PlacementFits(const CRect& stored, const CRect& workArea);

protected:
    void OnWindowPosChanged(WINDOWPOS* pos);

    DECLARE_MESSAGE_MAP()

    UINT m_nTemplateId;
    // Moves before the stored placement was read are the framework's, not the user's.
    BOOL m_bPlaced = FALSE;
};
