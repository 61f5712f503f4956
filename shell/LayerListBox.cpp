#include "shell/LayerListBox.h"

#include "shell/LayersDlg.h"
#include "shell/VantrelApp.h"
#include "objects/LayerFmt.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

BEGIN_MESSAGE_MAP(CLayerListBox, CListBoxEx)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

constexpr UINT kVisibleBitmap = 27963, kLockedBitmap = 27962, kNoticeBitmap = 288;
constexpr int kIconLeft = 4, kIconGap = 4;

void LoadIcon(CBitmap& bitmap, CSize& size, UINT id)
{
    if (HBITMAP handle = LoadBitmapResource(id)) {
        bitmap.Attach(handle);
        BITMAP info{};
        bitmap.GetBitmap(&info);
        size = CSize(info.bmWidth, info.bmHeight);
    }
}

} // namespace

CLayerListBox::CLayerListBox()
{
    LoadIcon(m_visible.bitmap, m_visible.size, kVisibleBitmap);
    LoadIcon(m_locked.bitmap, m_locked.size, kLockedBitmap);
    LoadIcon(m_notice.bitmap, m_notice.size, kNoticeBitmap);
}

CString CLayerListBox::GetRowName(int row) const
{
    CString text;
    GetText(row, text);
    const CString blanks(' ', kNamePrefix);
    return text.Left(kNamePrefix) == blanks ? text.Mid(kNamePrefix) : CString(text.TrimLeft());
}

void CLayerListBox::AddLayerRow(const CString& name) { AddString(CString(' ', kNamePrefix) + name); }

void CLayerListBox::SetRowName(int row, const CString& name) { SetRowText(row, CString(' ', kNamePrefix) + name); }

CLayerItem* CLayerListBox::ItemOfRow(int row) const
{
    CLayerFmt* layers = m_pDialog ? m_pDialog->GetLayerList() : nullptr;
    if (!layers || row < 0 || row >= GetCount())
        return nullptr;
    const CString name = GetRowName(row);
    for (INT_PTR i = 0; i < layers->GetSize(); ++i)
        if (layers->GetLayerItem(i)->m_name == name)
            return layers->GetLayerItem(i);
    return nullptr;
}

CRect CLayerListBox::VisibleIconRect(int row) const
{
    CRect rect;
    GetItemRect(row, &rect);
    const int top = rect.top + (rect.Height() - m_visible.size.cy) / 2;
    return CRect(CPoint(rect.left + kIconLeft, top), m_visible.size);
}

CRect CLayerListBox::LockIconRect(int row) const
{
    CRect rect;
    GetItemRect(row, &rect);
    const int top = rect.top + (rect.Height() - m_locked.size.cy) / 2;
    return CRect(CPoint(rect.left + kIconLeft + m_visible.size.cx + kIconGap, top), m_locked.size);
}

int CLayerListBox::IconsRight() const { return m_visible.size.cx + m_locked.size.cx + m_notice.size.cx + 12; }

void CLayerListBox::DrawIcon(CDC* dc, const Icon& icon, int left, const CRect& row, BOOL shown) const
{
    if (!shown || !icon.bitmap.m_hObject)
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(const_cast<CBitmap*>(&icon.bitmap));
    dc->BitBlt(left, row.top + (row.Height() - icon.size.cy) / 2, icon.size.cx, icon.size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CLayerListBox::DrawItem(LPDRAWITEMSTRUCT draw)
{
    const int row = static_cast<int>(draw->itemID);
    if (row < 0 || row >= GetCount())
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    const CRect rect = draw->rcItem;
    const BOOL selected = (draw->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&rect, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : dc->GetBkColor());
    dc->SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    if (draw->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&rect);
    const CLayerItem* item = ItemOfRow(row);
    int left = rect.left + kIconLeft;
    DrawIcon(dc, m_visible, left, rect, item && item->m_visible);
    left += m_visible.size.cx + kIconGap;
    DrawIcon(dc, m_locked, left, rect, item && item->m_locked);
    left += m_locked.size.cx + kIconGap;
    DrawIcon(dc, m_notice, left, rect, item && item->IsNoticeLayer());
    left += m_notice.size.cx + kIconGap;
    CRect text(left, rect.top, rect.right, rect.bottom);
    dc->SetBkMode(TRANSPARENT);
    // The standard layers' names are language keys, kept as such in the document.
    const CString name = GetRowName(row);
    dc->DrawText(name.Left(1) == "<" ? GetLanguageText(name) : name, &text, DT_SINGLELINE | DT_VCENTER);
}

void CLayerListBox::OnLButtonDown(UINT flags, CPoint point)
{
    BOOL changed = FALSE;
    for (int row = 0; row < GetCount() && m_pDialog; ++row) {
        CLayerItem* item = ItemOfRow(row);
        if (!item)
            continue;
        if (VisibleIconRect(row).PtInRect(point)) {
            item->m_visible = !item->m_visible;
            m_pDialog->SetModified();
            changed = TRUE;
        } else if (LockIconRect(row).PtInRect(point)) {
            item->m_locked = !item->m_locked;
            m_pDialog->SetModified();
        }
    }
    CListBoxEx::OnLButtonDown(flags, point);
    if (m_pDialog) {
        m_pDialog->RememberSelection();
        m_pDialog->ApplyLayerChange(changed);
    }
}

void CLayerListBox::OnLButtonDblClk(UINT, CPoint point)
{
    if (!m_pDialog || !m_pDialog->GetLayerList() || point.x < IconsRight() + 4)
        return;
    const int row = RowAt(point);
    if (row < 0)
        return;
    if (CLayersDlg::IsStandardName(GetRowName(row))) {
        AfxMessageBox(GetLanguageText("Layer must not be edited!"), MB_OK);
        return;
    }
    if (m_bEditAllowed && m_nEditedRow < 0)
        ShowEdit(row, kEditIndent, GetRowName(row));
}

BOOL CLayerListBox::CanEditRow(int row) { return !CLayersDlg::IsStandardName(GetRowName(row)); }

// The rename is taken here; the base then only hides the edit, whose text is set back to the
// row's so that nothing else changes.
BOOL CLayerListBox::OnEndEditRow(int row, BOOL cancelled)
{
    if (!m_pDialog || row < 0)
        return FALSE;
    CString name;
    GetEditCtrl()->GetWindowText(name);
    const CString old = GetRowName(row);
    if (!cancelled && !name.IsEmpty() && name != old) {
        if (m_pDialog->IsNameUsed(name)) {
            CString text;
            text.Format("%s already created!", static_cast<LPCTSTR>(name));
            AfxMessageBox(text, MB_OK);
        } else
            m_pDialog->RenameLayer(row, name);
    }
    CString rowText;
    GetText(row, rowText);
    GetEditCtrl()->SetWindowText(rowText);
    SelectRow(row);
    m_pDialog->RememberSelection();
    m_pDialog->ApplyLayerChange(FALSE);
    return FALSE;
}

void CLayerListBox::Dropped(int srcIndex, CPoint pt)
{
    CListBoxEx::Dropped(srcIndex, pt);
    if (m_pDialog)
        m_pDialog->ReorderToRows();
}

void CLayerListBox::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const int row = GetSelectedRow();
    if (key == VK_DOWN || key == VK_UP) {
        const int other = key == VK_DOWN ? row + 1 : row - 1;
        if (row < 0 || other < 0 || other >= GetCount() || !m_pDialog)
            return;
        const CString name = GetRowName(row);
        SetRowName(row, GetRowName(other));
        SetRowName(other, name);
        SelectRow(other);
        m_pDialog->RememberSelection();
        m_pDialog->ReorderToRows();
        return;
    }
    if (key == VK_DELETE) {
        if (m_pDialog && row >= 0 && !CLayersDlg::IsStandardName(GetRowName(row)))
            m_pDialog->SendMessage(WM_COMMAND, CLayersDlg::CmdDeleteLayer);
        return;
    }
    CListBoxEx::OnKeyDown(key, repeat, flags);
}
