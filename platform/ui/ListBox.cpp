#include "platform/ui/ListBox.h"

#include "platform/ui/OwnerDraw.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_LISTBOX, "", style, rect, parent, id);
}

void AfxItemText(HWND hwnd, UINT lengthMessage, UINT textMessage, int index, CString& text)
{
    auto length = static_cast<int>(::SendMessage(hwnd, lengthMessage, static_cast<WPARAM>(index), 0));
    if (length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + sizeof(ULONG_PTR) + 1);
    ::SendMessage(hwnd, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    text = buffer.data();
}

void CListBox::GetText(int index, CString& text) const
{
    AfxItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index, text);
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
