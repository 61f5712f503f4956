#include "platform/ui/DragListBox.h"

#include "platform/gdi/Dc.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDragListBox, CListBox)

BEGIN_MESSAGE_MAP(CDragListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

int CDragListBox::ItemFromPt(CPoint pt, BOOL autoScroll) const
{
    CPoint client = pt;
    ScreenToClient(&client);
    CRect area;
    GetClientRect(&area);
    if (autoScroll && client.y < 0 && GetTopIndex() > 0)
        const_cast<CDragListBox*>(this)->SetTopIndex(GetTopIndex() - 1);
    if (!area.PtInRect(client))
        return -1;
    BOOL outside = FALSE;
    UINT index = ItemFromPoint(client, outside);
    return outside ? -1 : static_cast<int>(index);
}

BOOL CDragListBox::BeginDrag(CPoint) { return TRUE; }

void CDragListBox::CancelDrag(CPoint) { DrawInsert(-1); }

UINT CDragListBox::Dragging(CPoint pt)
{
    int index = ItemFromPt(pt);
    DrawInsert(index);
    return index >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
}

void CDragListBox::Dropped(int srcIndex, CPoint pt)
{
    DrawInsert(-1);
    int dest = ItemFromPt(pt, FALSE);
    if (srcIndex < 0 || srcIndex >= GetCount() || dest < 0 || dest == srcIndex || dest == srcIndex + 1)
        return;
    int length = GetTextLen(srcIndex);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + sizeof(ULONG_PTR) + 1);
    GetText(srcIndex, text.data());
    DWORD_PTR data = GetItemData(srcIndex);
    bool strings = !(GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (GetStyle() & LBS_HASSTRINGS);
    DeleteString(static_cast<UINT>(srcIndex));
    if (srcIndex < dest)
        --dest;
    dest = InsertString(dest, strings ? text.data() : reinterpret_cast<LPCTSTR>(data));
    SetItemData(dest, data);
    SetCurSel(dest);
}

void CDragListBox::DrawInsert(int index)
{
    if (index == m_nLast)
        return;
    if (m_nLast >= 0)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    m_nLast = index;
    if (index >= 0)
        drawMark(index);
}

// A line over the top edge of the row the dragged row would go before.
void CDragListBox::drawMark(int index)
{
    CRect row;
    if (GetItemRect(index, &row) == LB_ERR)
        return;
    CDC* dc = GetDC();
    if (!dc)
        return;
    dc->FillSolidRect(row.left, row.top, row.Width(), 2, ::GetSysColor(COLOR_WINDOWTEXT));
    dc->FillSolidRect(row.left, row.top - 2, 2, 6, ::GetSysColor(COLOR_WINDOWTEXT));
    ReleaseDC(dc);
}

void CDragListBox::OnLButtonDown(UINT, CPoint point)
{
    Default();
    CPoint screen = point;
    ClientToScreen(&screen);
    int row = ItemFromPt(screen, FALSE);
    if (row < 0 || !BeginDrag(screen))
        return;
    m_dragFrom = row;
    SetCapture();
}

void CDragListBox::OnMouseMove(UINT, CPoint point)
{
    if (m_dragFrom < 0) {
        Default();
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    UINT cursor = Dragging(screen);
    ::SetCursor(::LoadCursor(nullptr, cursor == DL_STOPCURSOR ? IDC_NO : IDC_ARROW));
}

void CDragListBox::OnLButtonUp(UINT, CPoint point)
{
    if (m_dragFrom < 0) {
        Default();
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    endDrag(screen, true);
}

void CDragListBox::OnCaptureChanged(CWnd*)
{
    if (m_dragFrom >= 0) {
        CPoint screen;
        ::GetCursorPos(&screen);
        endDrag(screen, false);
    }
}

void CDragListBox::endDrag(CPoint screenPt, bool drop)
{
    int from = m_dragFrom;
    m_dragFrom = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (drop)
        Dropped(from, screenPt);
    else
        CancelDrag(screenPt);
}

BOOL CDragListBox::PreTranslateMessage(MSG* msg)
{
    if (m_dragFrom >= 0 && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        CPoint screen;
        ::GetCursorPos(&screen);
        endDrag(screen, false);
        return TRUE;
    }
    return CListBox::PreTranslateMessage(msg);
}
