#include "platform/ui/Edit.h"

#include <algorithm>
#include <climits>
#include <vector>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_EDIT, "", style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD from = 0, to = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    send(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll)
        send(EM_SCROLLCARET, 0, 0);
}

int CEdit::GetLine(int line, LPTSTR buffer, int maxLength) const
{
    if (!buffer || maxLength <= 0)
        return 0;
    std::vector<char> scratch(static_cast<size_t>(std::max(maxLength, 2)));
    *reinterpret_cast<WORD*>(scratch.data()) = static_cast<WORD>(std::min(maxLength, 0xFFFF));
    auto n = static_cast<int>(send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(scratch.data())));
    std::copy_n(scratch.begin(), n, buffer);
    return n;
}

int CEdit::GetLine(int line, LPTSTR buffer) const
{
    if (!buffer)
        return 0;
    return static_cast<int>(send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}
