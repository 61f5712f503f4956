// The Properties dialog layer of note texts: a note's text is edited in the Notes dialog,
// which cannot change it while the note's page is not being edited.
#pragma once

#include "controls/CatPropertiesDlg.h"

class CPropStr;

class CBlobPropertiesDlg : public CCatPropertiesDlg {
public:
    static constexpr int TextBlobKind = 21;

    CBlobPropertiesDlg(UINT idTemplate, CWnd* parent) : CCatPropertiesDlg(idTemplate, parent) { }

    void ExchangePropValue(BOOL save) override;
    void EditPropValue() override;
    virtual void EditTextBlob();

    // The text can only be read while the edited object's view is not in edit mode.
    BOOL IsTextReadOnly() const;

protected:
    // The note text last loaded into the dialog's text buffer.
    CPropStr* m_textBlobProperty = nullptr;
};
