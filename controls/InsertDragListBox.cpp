#include "controls/InsertDragListBox.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/UiApi.h"

// A 50 % grey bar inverted: drawing the same bar again takes it away.
void InvertInsertionBar(CWnd& list, const CRect& row, int inset, int arm)
{
    CClientDC dc(&list);
    CRect client;
    list.GetClientRect(&client);
    dc.IntersectClipRect(&client);
    static constexpr WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, kPattern);
    CBrush halftone;
    halftone.CreatePatternBrush(&pattern);
    CBrush* old = dc.SelectObject(&halftone);
    const int left = row.left + inset, right = row.right - inset, y = row.top;
    dc.PatBlt(left, y - 2, right - left, 4, PATINVERT);
    dc.PatBlt(left, y - 6, arm, 4, PATINVERT);
    dc.PatBlt(left, y + 2, arm, 4, PATINVERT);
    dc.PatBlt(right - arm, y - 6, arm, 4, PATINVERT);
    dc.PatBlt(right - arm, y + 2, arm, 4, PATINVERT);
    dc.SelectObject(old);
}

void CInsertDragListBox::SetListFont(const LOGFONT& font)
{
    m_font.DeleteObject();
    m_extraFont.DeleteObject();
    m_font.CreateFontIndirect(&font);
    m_extraFont.CreateFontIndirect(&font);
    if (m_hWnd)
        SetItemHeight(0, static_cast<UINT>(RowHeight()));
}

int CInsertDragListBox::RowHeight()
{
    CClientDC dc(this);
    CFont* old = m_font.m_hObject ? dc.SelectObject(&m_font) : nullptr;
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    if (old)
        dc.SelectObject(old);
    return static_cast<int>(metrics.tmHeight) + 2;
}

CObject* CInsertDragListBox::GetRecord(int row) const
{
    if (row < 0 || row >= GetCount())
        return nullptr;
    return reinterpret_cast<CObject*>(GetItemData(row));
}

int CInsertDragListBox::FindRecord(const CObject* record) const
{
    for (int row = 0; row < GetCount(); ++row)
        if (GetRecord(row) == record)
            return row;
    return -1;
}

int CInsertDragListBox::AddRecord(CObject* record)
{
    return AddString(reinterpret_cast<LPCTSTR>(record));
}

int CInsertDragListBox::InsertRecord(int row, CObject* record)
{
    return InsertString(row, reinterpret_cast<LPCTSTR>(record));
}

BOOL CInsertDragListBox::BeginDrag(CPoint)
{
    if (!m_dragEnabled)
        return FALSE;
    AddRecord(nullptr);
    m_insertMark = -1;
    return TRUE;
}

void CInsertDragListBox::CancelDrag(CPoint pt)
{
    DrawInsert(-1);
    RemovePlaceholder();
    CDragListBox::CancelDrag(pt);
}

void CInsertDragListBox::RemovePlaceholder()
{
    const int last = GetCount() - 1;
    if (last >= 0 && GetItemData(last) == 0)
        DeleteString(static_cast<UINT>(last));
}

// A row dropped below itself lands one place higher, since it leaves its own place first.
UINT CInsertDragListBox::Dragging(CPoint pt)
{
    const int target = ItemFromPt(pt, FALSE);
    DrawInsert(target);
    if (target < 0)
        return DL_STOPCURSOR;
    const int selected = GetCurSel();
    return CanMove(selected, target > selected ? target - 1 : target) ? DL_MOVECURSOR : DL_STOPCURSOR;
}

void CInsertDragListBox::Dropped(int srcIndex, CPoint pt)
{
    DrawInsert(-1);
    const int target = ItemFromPt(pt, TRUE);
    RemovePlaceholder();
    if (srcIndex < 0 || target < 0 || target == srcIndex || target == srcIndex + 1)
        return;
    const int newIndex = target > srcIndex ? target - 1 : target;
    if (newIndex >= GetCount())
        return;
    if (CanMove(GetCurSel(), newIndex))
        Move(srcIndex, newIndex);
}

void CInsertDragListBox::DrawInsert(int index)
{
    if (index == m_insertMark)
        return;
    if (m_insertMark != -1)
        InvertMark(m_insertMark);
    m_insertMark = index;
    if (index != -1)
        InvertMark(index);
}

// A bar 4 pixels high over the row's top edge, 4 pixels in from both ends, with end marks.
void CInsertDragListBox::InvertMark(int index)
{
    CRect row;
    if (GetItemRect(index, &row) == LB_ERR)
        return;
    InvertInsertionBar(*this, row, 4, 2);
}

void CInsertDragListBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    mis->itemHeight = static_cast<UINT>(RowHeight());
}

void CInsertDragListBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    const int row = static_cast<int>(dis->itemID);
    if (row < 0 || row >= GetCount())
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect rect = dis->rcItem;
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    if ((dis->itemAction & ODA_SELECT) && !selected) {
        CBrush window(::GetSysColor(COLOR_WINDOW));
        dc->FrameRect(&rect, &window);
    }
    if (dis->itemAction & ODA_DRAWENTIRE) {
        dc->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        CFont* oldFont = m_font.m_hObject ? dc->SelectObject(&m_font) : nullptr;
        const COLORREF oldColour = dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        if (CObject* record = GetRecord(row)) {
            CRect content = rect;
            content.DeflateRect(1, 1);
            DrawItemContent(dc, content, record);
        }
        dc->SetBkMode(oldMode);
        dc->SetTextColor(oldColour);
        if (oldFont)
            dc->SelectObject(oldFont);
    }
    if (selected && (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        dc->DrawFocusRect(&rect);
}

void CInsertDragListBox::DrawItemContent(CDC*, const CRect&, CObject*) { }

BOOL CInsertDragListBox::CanMove(int, int)
{
    return TRUE;
}

void CInsertDragListBox::Move(int from, int to)
{
    CObject* record = GetRecord(from);
    DeleteString(static_cast<UINT>(from));
    SetCurSel(InsertRecord(to, record));
}
