// The dialog's own controls and data exchange in the shape the property editors expect.
#pragma once

#include "objects/PropControls.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"

class CColourComboBox;

class CDataExchangeAdapter : public CPropExchange {
public:
    explicit CDataExchangeAdapter(CDataExchange* dx) : m_dx(dx) { }

    BOOL IsSaving() const override { return m_dx->m_bSaveAndValidate; }
    void ShowMessage(const CString& text, UINT iconFlags) override;
    [[noreturn]] void Fail() override { m_dx->Fail(); }

private:
    CDataExchange* m_dx;
};

class CComboChoiceBox : public CPropChoiceBox {
public:
    explicit CComboChoiceBox(CComboBox* combo) : m_combo(combo) { }

    void ResetContent() override { m_combo->ResetContent(); }
    int AddString(LPCTSTR text) override { return m_combo->AddString(text); }
    void SetItemData(int index, DWORD_PTR data) override { m_combo->SetItemData(index, data); }
    DWORD_PTR GetItemData(int index) const override { return m_combo->GetItemData(index); }
    int GetCount() const override { return m_combo->GetCount(); }
    void SetCurSel(int index) override { m_combo->SetCurSel(index); }
    int SelectStringExact(LPCTSTR text) override;
    void SetEditText(LPCTSTR text) override { m_combo->SetWindowText(text); }

private:
    CComboBox* m_combo;
};

// The colour combo selects the item holding the colour on loading and reads its selection
// on saving.
void ExchangeColourCombo(CDataExchange* dx, CColourComboBox* combo, COLORREF& colour);
