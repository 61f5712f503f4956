// The Properties dialog of a catalogue page: the page's Properties dialog, in which a picture
// is edited with the editable picture dialog that also offers the paint editor.
#pragma once

#include "controls/HyperOlePropertiesDlg.h"

class CCatPropertiesDlg : public CHyperOlePropertiesDlg {
public:
    CCatPropertiesDlg(UINT idTemplate, CWnd* parent) : CHyperOlePropertiesDlg(idTemplate, parent) { }

    BOOL EditBitmapProperty(CExtDib* bitmap, CHyperRunView* view) override;
};
