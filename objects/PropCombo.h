// Drop-down list editors: a value chosen from (text, value) choices.
#pragma once

#include "objects/ComboChoiceList.h"
#include "objects/PropValue.h"

class CLinePropWidth;

class CPropCombo : public CPropValue<DWORD> {
public:
    CPropCombo(UINT nameId, DWORD* field, UINT arg = 0);

    BOOL GetValueText(CString& text) const override;
    BOOL GetLongValue(long* value) const override;
    BOOL SetLongValue(long value) override;

    // Lists the choices and selects the edited value's one; none when no choice matches.
    virtual void FillCombo(CPropChoiceBox* combo) const;
    virtual void AddChoiceById(UINT textId, DWORD value) { m_choices.AddById(textId, value); }
    virtual void AddChoice(LPCTSTR text, DWORD value) { m_choices.Add(text, value); }

    CComboChoiceList m_choices;
};

class CPropAlarmActive : public CPropCombo {
public:
    CPropAlarmActive(UINT nameId, DWORD* field);
};

// The pen style, solid to dash-dot-dot; a style other than solid keeps the linked width at 1.
class CLinePropStyle : public CPropCombo {
public:
    CLinePropStyle(UINT nameId, DWORD* field);

    void OnValueChanged() override;
    void DropLinkTo(const CPropOb* gone) override;

    CLinePropWidth* m_linkedWidth = nullptr;
};

class CPropShadowCombo : public CPropCombo {
public:
    CPropShadowCombo(UINT nameId, DWORD* field);
};

// Links the two editors of a pen both ways.
void LinkLineEditors(CLinePropWidth* width, CLinePropStyle* style);
