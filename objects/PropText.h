// Editors of texts: plain strings, object codes, file paths and texts with suggestions.
#pragma once

#include "objects/PropValue.h"
#include "platform/core/Arrays.h"

class CHyperBaseOb;
class CHyperRunView;

class CPropStr : public CPropValue<CString> {
public:
    CPropStr(UINT nameId, CString* field, UINT arg = 0);

    BOOL GetValueText(CString& text) const override;
    BOOL GetStringValue(CString& value) const override;
    BOOL SetStringValue(LPCTSTR value) override;
};

// An object's or a group's Code: an identifier no other object of the page uses.
class CPropCodeStr : public CPropStr {
public:
    static constexpr int MaxLength = 40;
    static constexpr UINT InUseMessageId = 27032;

    // A group's Code has no owning object; its view is given instead.
    CPropCodeStr(UINT nameId, CString* field, const CHyperBaseOb* owner, CHyperRunView* view = nullptr)
        : CPropStr(nameId, field), m_owner(owner), m_view(view)
    {
    }

    // Strips what cannot stand in an identifier, writes the result back into the text and
    // refuses an empty, overlong or taken Code.
    void Validate(CPropExchange* exchange, CString& text) override;

private:
    const CHyperBaseOb* m_owner;
    CHyperRunView* m_view;
};

// The text of a note.
class CPropSticky : public CPropStr {
public:
    using CPropStr::CPropStr;
};

class CPropFile : public CPropStr {
public:
    static constexpr UINT Kind = 7;

    CPropFile(UINT nameId, CString* field);

    BOOL GetValueText(CString& text) const override;

    // The file chooser's filter string, 0 for all files.
    UINT m_filterId = 0;
};

// A text with suggestions in an editable combo box.
class CPropEditCombo : public CPropStr {
public:
    CPropEditCombo(UINT nameId, CString* field);

    virtual void FillCombo(CPropChoiceBox* combo) const;
    // Appends the string only when it exists.
    virtual void AddChoiceById(UINT textId, DWORD value);
    virtual void AddChoice(LPCTSTR text, DWORD value);

    CStringArray m_suggestions;
};

class CPropUrlEditCombo : public CPropEditCombo {
public:
    using CPropEditCombo::CPropEditCombo;
};
