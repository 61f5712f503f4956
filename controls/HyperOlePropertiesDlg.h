// The Properties dialog of the views that hold embedded objects: the entry of an embedded
// object opens the object properties dialog, where the object is scaled, and the rows of the
// object's edges then show where it went.
#pragma once

#include "controls/PropertiesDlg.h"

class CHyperOlePropertiesDlg : public CPropertiesDlg {
public:
    static constexpr UINT OleKind = 15;
    static constexpr UINT LeftId = 27136, RightId = 27137, TopId = 27138, BottomId = 27139;

    CHyperOlePropertiesDlg(UINT templateId, CWnd* parent) : CPropertiesDlg(templateId, parent) { }

    void ExchangePropValue(BOOL save) override;
    void EditPropValue() override;
    virtual void EditOleProperties();

protected:
    // The embedded object's entry last loaded into the editor.
    CPropOb* m_oleProperty = nullptr;
};
