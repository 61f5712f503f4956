#include "platform/ui/ListBox.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_LISTBOX, "", style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const
{
    int length = GetTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + sizeof(ULONG_PTR) + 1);
    GetText(index, buffer.data());
    text = buffer.data();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const
{
    auto hit = static_cast<DWORD>(::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
    outside = HIWORD(hit) != 0;
    return LOWORD(hit);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (AfxOwnerDrawChildNotify(*this, message, lParam, result))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}
