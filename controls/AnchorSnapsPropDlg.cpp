#include "controls/AnchorSnapsPropDlg.h"

#include "View/HyperRunView.h"
#include "controls/SnapPointsExDlg.h"
#include "objects/HyperBaseOb.h"
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
// A point's text reaches beyond the group, where redrawing the group's area would not, so the
// whole page is drawn again.
void CAnchorSnapsPropDlg::EditAnchorSnaps()
{
    CSnapPointsExDlg dialog(&m_anchorSnaps, this);
    m_listEdited = dialog.DoModal() == IDOK;
    ExchangeProperty(TRUE);
    CHyperBaseOb* owner = GetOwnerObject();
    CWnd* page = owner ? owner->GetView() : GetOwnerView();
    if (m_listEdited && page && page->m_hWnd)
        page->Invalidate();
}
