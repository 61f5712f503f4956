// The properties dialog as its editors see it: the controls an editor fills or reads and
// the data exchange that validates typed text. The dialog adapts its own controls to these,
// so the editors do not depend on the window layer.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CPropOb;

// The dialog that shows a property; told when an editor changed a linked editor's value.
class CPropDialog {
public:
    virtual ~CPropDialog() = default;
    virtual void OnPropertyListChanged(CPropOb* editor) = 0;
};

// A combo box of the dialog: a drop-down list or an editable combo.
class CPropChoiceBox {
public:
    virtual ~CPropChoiceBox() = default;
    virtual void ResetContent() = 0;
    virtual int AddString(LPCTSTR text) = 0;
    virtual void SetItemData(int index, DWORD_PTR data) = 0;
    virtual DWORD_PTR GetItemData(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual void SetCurSel(int index) = 0;
    // Selects the item whose text equals the text; -1 when there is none.
    virtual int SelectStringExact(LPCTSTR text) = 0;
    virtual void SetEditText(LPCTSTR text) = 0;
};

// A list box whose item data are items that a list takes over.
class CPropItemSource {
public:
    virtual ~CPropItemSource() = default;
    virtual int GetCount() const = 0;
    virtual DWORD_PTR GetItemData(int index) const = 0;
    virtual void ResetContent() = 0;
};

// The dialog's data exchange; Fail ends it by throwing, leaving the dialog open on the field.
class CPropExchange {
public:
    virtual ~CPropExchange() = default;
    virtual BOOL IsSaving() const = 0;
    virtual void ShowMessage(const CString& text, UINT iconFlags) = 0;
    [[noreturn]] virtual void Fail() = 0;
};
