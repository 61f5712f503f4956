#include "controls/PropExchangeAdapters.h"

#include "controls/ColourComboBox.h"
#include "platform/ui/WinApp.h"

void CDataExchangeAdapter::ShowMessage(const CString& text, UINT iconFlags)
{
    AfxMessageBox(text, iconFlags);
}

int CComboChoiceBox::SelectStringExact(LPCTSTR text)
{
    const int index = m_combo->FindStringExact(-1, text);
    if (index >= 0)
        m_combo->SetCurSel(index);
    return index;
}

void ExchangeColourCombo(CDataExchange* dx, CColourComboBox* combo, COLORREF& colour)
{
    if (!combo || !combo->m_hWnd)
        return;
    if (!dx->m_bSaveAndValidate) {
        for (int i = 0; i < combo->GetCount(); ++i)
            if (static_cast<COLORREF>(combo->GetItemData(i)) == colour)
                combo->SetCurSel(i);
        return;
    }
    const int selected = combo->GetCurSel();
    if (selected >= 0)
        colour = static_cast<COLORREF>(combo->GetItemData(selected));
}
