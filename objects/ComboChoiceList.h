// The (text, value) choices behind a drop-down property, in the order of the combo box.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CComboChoice : public CObject {
public:
    CComboChoice(const CString& choiceText, DWORD choiceValue) : text(choiceText), value(choiceValue) { }

    CString text;
    DWORD value;
};

class CComboChoiceList : public CObArray {
public:
    CComboChoiceList() = default;
    ~CComboChoiceList() override;

    // Adds the text of a string resource; a missing string adds nothing.
    virtual void AddById(UINT textId, DWORD value);
    virtual void Add(const CString& text, DWORD value);

    const CComboChoice* GetChoice(INT_PTR index) const;
};
