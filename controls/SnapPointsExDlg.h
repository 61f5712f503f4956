// The snap points dialog of lists whose points carry a text: the same dialog with a Label
// field for the selected point's text.
#pragma once

#include "controls/SnapPointsDlg.h"

class CAnchorFmtEx;

class CSnapPointsExDlg : public CSnapPointsDlg {
public:
    static constexpr UINT LabelId = 27753, LabelCaptionId = 27752;

    CSnapPointsExDlg(CAnchorFmtEx* edited, CWnd* parent);

    BOOL SyncCurrent(BOOL save) override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    CString m_label;
};
