// The Properties dialog layer of snap points with texts, as generated groups have them: the
// list is edited in the snap points dialog that also edits each point's text.
#pragma once

#include "controls/BlobPropertiesDlg.h"
#include "objects/AnchorFmt.h"

class CPropAnchorEx;

class CAnchorSnapsPropDlg : public CBlobPropertiesDlg {
public:
    CAnchorSnapsPropDlg(UINT idTemplate, CWnd* parent) : CBlobPropertiesDlg(idTemplate, parent) { }

    void ExchangePropValue(BOOL save) override;
    void EditPropValue() override;
    virtual void EditAnchorSnaps();

    // The dialog's copy of the list, with its next point number and limit.
    CAnchorFmtEx m_anchorSnaps;

protected:
    CPropAnchorEx* m_anchorSnapsProperty = nullptr;
};
