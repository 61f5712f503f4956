#include "shell/ListBoxEx.h"

#include "controls/InsertDragListBox.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowDC.h"

#include <vector>

IMPLEMENT_DYNCREATE(CListBoxEx, CDragListBox)

namespace {
// Registered when the program starts, as the edit's owners expect it.
const UINT g_editMessage = InPlaceCtrl::NotifyMessage();
} // namespace

BEGIN_MESSAGE_MAP(CListBoxEx, CDragListBox)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_REGISTERED_MESSAGE(g_editMessage, OnEditMessage)
END_MESSAGE_MAP()

namespace {

constexpr UINT kEditId = 1;
constexpr DWORD kEditFrameStyle = 0x4000;

CString RowText(const CListBox& box, int row)
{
    CString text;
    box.GetText(row, text);
    return text;
}

} // namespace

CListBoxEx::CListBoxEx() = default;
CListBoxEx::~CListBoxEx() = default;

BOOL CListBoxEx::CanEditRow(int) { return TRUE; }
BOOL CListBoxEx::OnEndEditRow(int, BOOL) { return TRUE; }
LRESULT CListBoxEx::OnEditNotify(int) { return 0; }

BOOL CListBoxEx::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= kListStyles;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CDragListBox::PreCreateWindow(cs);
}

void CListBoxEx::PreSubclassWindow()
{
    CDragListBox::PreSubclassWindow();
    ModifyStyle(0, kListStyles);
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    CreateEdit();
}

int CListBoxEx::OnCreate(LPCREATESTRUCT cs)
{
    if (CDragListBox::OnCreate(cs) == -1)
        return -1;
    CreateEdit();
    return 0;
}

void CListBoxEx::CreateEdit()
{
    if (m_pEdit)
        return;
    m_pEdit = std::make_unique<CInPlaceEdit>();
    m_pEdit->Create(m_dwEditStyle | WS_CHILD | WS_BORDER, CRect(), this, kEditId);
    m_pEdit->SendMessage(WM_SETFONT, SendMessage(WM_GETFONT));
}

void CListBoxEx::MeasureItem(LPMEASUREITEMSTRUCT measure)
{
    CClientDC dc(this);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    measure->itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading);
}

void CListBoxEx::SelectRow(int row)
{
    SetSel(-1, FALSE);
    SetSel(row, TRUE);
    SetCaretIndex(row);
}

int CListBoxEx::RowAt(CPoint client) const
{
    CPoint screen = client;
    ClientToScreen(&screen);
    return ItemFromPt(screen, FALSE);
}

void CListBoxEx::BeginEdit(int row)
{
    if (!m_bEditAllowed || m_nEditedRow >= 0 || !m_pEdit || !m_pEdit->m_hWnd)
        return;
    if (row == -1)
        row = m_nCurrentRow;
    if (row < 0)
        return;
    if (row >= GetCount())
        row = AddString("");
    ShowEdit(row, 0, RowText(*this, row));
}

void CListBoxEx::ShowEdit(int row, int indent, const CString& text)
{
    SelectRow(row);
    m_nCurrentRow = m_nEditedRow = row;
    GetItemRect(row, &m_itemRect);
    m_editRect = m_itemRect;
    m_itemRect.left += indent;
    m_itemRect.DeflateRect(5, -2);
    if (m_dwEditStyle & kEditFrameStyle)
        m_editRect.DeflateRect(5, -2);
    m_pEdit->SetWindowText(text);
    m_pEdit->ShowAt(m_itemRect);
}

// An empty text removes the row, also when the edit was cancelled.
void CListBoxEx::EndEdit(BOOL cancel)
{
    if (m_nEditedRow < 0)
        return;
    const int row = m_nEditedRow;
    m_nEditedRow = -1;
    m_pEdit->ShowWindow(SW_HIDE);
    CString text;
    m_pEdit->GetWindowText(text);
    if (text.IsEmpty())
        DeleteString(static_cast<UINT>(row));
    else if (!cancel) {
        SetRowText(row, text);
        SelectRow(row);
    }
    Invalidate();
}

void CListBoxEx::SetRowText(int row, LPCTSTR text)
{
    if (row < 0 || row >= GetCount())
        return;
    const DWORD_PTR data = GetItemData(row);
    SetRedraw(FALSE);
    DeleteString(static_cast<UINT>(row));
    InsertString(row, text);
    SetItemData(row, data);
    SetRedraw(TRUE);
}

void CListBoxEx::SwapRows(int a, int b)
{
    if (a < 0 || b < 0 || a >= GetCount() || b >= GetCount() || a == b)
        return;
    const CString textA = RowText(*this, a), textB = RowText(*this, b);
    const DWORD_PTR dataA = GetItemData(a), dataB = GetItemData(b);
    SetRowText(a, textB);
    SetItemData(a, dataB);
    SetRowText(b, textA);
    SetItemData(b, dataA);
}

void CListBoxEx::MoveUp(int row)
{
    if (row <= 0 || row >= GetCount())
        return;
    SwapRows(row, row - 1);
    SelectRow(row - 1);
}

void CListBoxEx::MoveDown(int row)
{
    if (row < 0 || row >= GetCount() - 1)
        return;
    SwapRows(row, row + 1);
    SelectRow(row + 1);
}

BOOL CListBoxEx::BeginDrag(CPoint) { return m_nEditedRow < 0 && m_bDragAllowed; }

void CListBoxEx::DrawInsert(int row)
{
    if (row == m_nLast)
        return;
    DrawInsertMark(m_nLast);
    m_nLast = row;
    DrawInsertMark(row);
}

// Inverted, so that drawing the same mark again takes it away.
void CListBoxEx::DrawInsertMark(int row)
{
    CRect rect;
    if (row < 0 || GetItemRect(row, &rect) == LB_ERR)
        return;
    InvertInsertionBar(*this, rect, 5, 3);
}

void CListBoxEx::DrawItem(LPDRAWITEMSTRUCT draw)
{
    if (static_cast<int>(draw->itemID) < 0 || static_cast<int>(draw->itemID) >= GetCount() ||
        !(draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    const int row = static_cast<int>(draw->itemID);
    const BOOL selected = (draw->itemState & ODS_SELECTED) != 0;
    CRect rect = draw->rcItem;
    dc->FillSolidRect(&rect, ::GetSysColor(selected ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    dc->SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc->SetBkMode(TRANSPARENT);
    const CString text = GetItemData(row) == kLastItemData ? CString("--- Last Item") : RowText(*this, row);
    CRect textRect = rect;
    textRect.left += 8;
    dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
    if (selected)
        dc->DrawFocusRect(&rect);
}

void CListBoxEx::OnLButtonDown(UINT flags, CPoint point)
{
    m_nCurrentRow = RowAt(point);
    CDragListBox::OnLButtonDown(flags, point);
}

void CListBoxEx::OnLButtonDblClk(UINT, CPoint point)
{
    Default();
    const int row = RowAt(point);
    if (m_bEditAllowed && row >= 0 && CanEditRow(row))
        BeginEdit(row);
}

void CListBoxEx::OnKeyDown(UINT key, UINT, UINT)
{
    Default();
    if (key == VK_F2 && m_bEditAllowed && m_nCurrentRow >= 0 && CanEditRow(m_nCurrentRow))
        BeginEdit(m_nCurrentRow);
    else if (key == VK_DELETE && m_nCurrentRow >= 0 && m_nCurrentRow < GetCount())
        DeleteString(static_cast<UINT>(m_nCurrentRow));
}

void CListBoxEx::OnSysKeyDown(UINT key, UINT, UINT)
{
    if (m_bDragAllowed && (key == VK_UP || key == VK_LEFT))
        MoveUp(GetSelectedRow());
    else if (m_bDragAllowed && (key == VK_DOWN || key == VK_RIGHT))
        MoveDown(GetSelectedRow());
    Default();
}

LRESULT CListBoxEx::OnEditMessage(WPARAM, LPARAM lParam)
{
    const auto* record = reinterpret_cast<const InPlaceCtrlNotify*>(lParam);
    if (!record)
        return 1;
    switch (record->code) {
    case InPlaceCtrl::CodeKey:
        if (record->value == VK_ESCAPE) {
            OnEndEditRow(m_nEditedRow, TRUE);
            EndEdit(TRUE);
            return 1;
        }
        EndEdit(OnEndEditRow(m_nEditedRow, FALSE) <= 0);
        return 1;
    case InPlaceCtrl::CodeFocusLost:
        if (m_pEdit && reinterpret_cast<HWND>(record->value) == m_pEdit->m_hWnd)
            return 0;
        EndEdit(OnEndEditRow(m_nEditedRow, FALSE) <= 0);
        return 1;
    case InPlaceCtrl::CodeClicked: OnEditNotify(m_nEditedRow); return 0;
    default: return 1;
    }
}
