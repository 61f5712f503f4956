#include "controls/AnchorSnapsPropDlg.h"

#include "controls/SnapPointsExDlg.h"
#include "objects/PropListValue.h"

void CAnchorSnapsPropDlg::ExchangePropValue(BOOL save)
{
    CBlobPropertiesDlg::ExchangePropValue(save);
    if (EditKindOf(m_current) != static_cast<int>(CPropAnchorEx::Kind))
        return;
    if (!save) {
        m_anchorSnapsProperty = dynamic_cast<CPropAnchorEx*>(m_current);
        if (m_anchorSnapsProperty)
            m_anchorSnaps.CopyFrom(&m_anchorSnapsProperty->m_edited);
    } else if (m_anchorSnapsProperty) {
        m_anchorSnapsProperty->m_edited.CopyFrom(&m_anchorSnaps);
    }
}

void CAnchorSnapsPropDlg::EditPropValue()
{
    CBlobPropertiesDlg::EditPropValue();
    if (EditKindOf(m_current) == static_cast<int>(CPropAnchorEx::Kind))
        EditAnchorSnaps();
}

// The row shows the same text before and after, so the dialog's OK alone marks the change.
void CAnchorSnapsPropDlg::EditAnchorSnaps()
{
    CSnapPointsExDlg dialog(&m_anchorSnaps, this);
    m_listEdited = dialog.DoModal() == IDOK;
    ExchangeProperty(TRUE);
}
