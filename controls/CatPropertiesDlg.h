// The Properties dialog of a catalogue page: the page's Properties dialog, in which a picture
// will be edited with the editable picture dialog that also offers the paint editor.
#pragma once

#include "controls/PropertiesDlg.h"

class CCatPropertiesDlg : public CPropertiesDlg {
public:
    CCatPropertiesDlg(UINT idTemplate, CWnd* parent) : CPropertiesDlg(idTemplate, parent) { }
};
