#include "controls/SnapPointsExDlg.h"

#include "controls/FlexConstraint.h"
#include "objects/AnchorFmt.h"
#include "platform/ui/DataExchange.h"

CSnapPointsExDlg::CSnapPointsExDlg(CAnchorFmtEx* edited, CWnd* parent)
    : CSnapPointsDlg(edited, TemplateWithLabelId, parent)
{
    AddFlexControl(LabelId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
    AddFlexControl(LabelCaptionId, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move);
}

void CSnapPointsExDlg::DoDataExchange(CDataExchange* dx)
{
    CSnapPointsDlg::DoDataExchange(dx);
    DDX_Text(dx, LabelId, m_label);
}

// The text travels with the other fields of the selected point; without one the field is off.
BOOL CSnapPointsExDlg::SyncCurrent(BOOL save)
{
    if (save) {
        if (!CSnapPointsDlg::SyncCurrent(TRUE))
            return FALSE;
        if (auto* point = dynamic_cast<CAnchorItemEx*>(CurrentPoint()))
            point->m_text = m_label;
        return TRUE;
    }
    CListEditDlg::SyncCurrent(FALSE);
    const auto* point = dynamic_cast<const CAnchorItemEx*>(CurrentPoint());
    m_label = point ? point->m_text : CString();
    CSnapPointsDlg::SyncCurrent(FALSE);
    if (CWnd* label = GetDlgItem(LabelId))
        label->EnableWindow(point != nullptr);
    return TRUE;
}
