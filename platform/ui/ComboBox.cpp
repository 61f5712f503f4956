#include "platform/ui/ComboBox.h"

#include "platform/ui/ListBox.h"
#include "platform/ui/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_COMBOBOX, "", style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    AfxItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (AfxOwnerDrawChildNotify(*this, message, lParam, result))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}
