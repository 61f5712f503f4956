#include "platform/toolkit/XTPControlComboBox.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/Edit.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CXTPControlComboBox, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlEdit, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlFontComboBox, CXTPControlComboBox)
IMPLEMENT_DYNCREATE(CXTPControlSizeComboBox, CXTPControlComboBox)

namespace {

constexpr int kArrowWidth = 13;
constexpr int kPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// One entry of a combo box's drop-down list.
class CComboListEntry : public CXTPControlButton {
public:
    CComboListEntry(CXTPControlComboBox* combo, int index) : m_combo(combo), m_index(index) { SetStyle(ButtonCaption); }
    void OnClick(CPoint) override
    {
        CXTPControlComboBox* combo = m_combo;
        int index = m_index;
        if (CXTPCommandBars* bars = GetCommandBars())
            bars->CancelTracking();
        combo->OnSelChanged(index);
    }

private:
    CXTPControlComboBox* m_combo;
    int m_index;
};

void emptyFormat(CHARFORMAT& format)
{
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
}

} // namespace

CXTPControlComboBox::~CXTPControlComboBox()
{
    if (m_pList)
        m_pList->InternalRelease();
}

int CXTPControlComboBox::AddString(LPCTSTR text)
{
    m_items.emplace_back(text);
    return GetCount() - 1;
}

void CXTPControlComboBox::ResetContent()
{
    m_items.clear();
    m_nCurSel = -1;
}

CString CXTPControlComboBox::GetLBText(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)] : CString();
}

int CXTPControlComboBox::FindStringExact(LPCTSTR text) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[static_cast<size_t>(i)].CompareNoCase(text) == 0)
            return i;
    return -1;
}

void CXTPControlComboBox::SetCurSel(int index)
{
    m_nCurSel = index >= 0 && index < GetCount() ? index : -1;
    m_strText = GetLBText(m_nCurSel);
    RedrawParent();
}

void CXTPControlComboBox::SetEditText(LPCTSTR text)
{
    // Idle updates set the same text again and again; only a change is worth a redraw.
    const int sel = FindStringExact(text);
    if (m_strText == text && m_nCurSel == sel)
        return;
    m_strText = text;
    m_nCurSel = sel;
    RedrawParent();
}

void CXTPControlComboBox::OnUpdated()
{
    if (!IsDroppedDown())
        OnDropDown();
}

BOOL CXTPControlComboBox::IsDroppedDown() const { return m_pList && m_pList->IsOpen(); }

CSize CXTPControlComboBox::GetSize(CDC*) { return CSize(m_nWidth, 22); }

void CXTPControlComboBox::Draw(CDC* dc)
{
    const XTPThemeColors& colors = XTPPaintManager()->Colors();
    CRect box(m_rect.left + 1, m_rect.top + 1, m_rect.right - 1, m_rect.bottom - 1);
    dc->FillSolidRect(&box, m_enabled ? RGB(255, 255, 255) : colors.barFace);
    dc->Draw3dRect(&box, m_selected ? colors.hotBorder : colors.separator, m_selected ? colors.hotBorder : colors.separator);
    CRect arrow(box.right - kArrowWidth, box.top + 1, box.right - 1, box.bottom - 1);
    dc->FillSolidRect(&arrow, m_selected ? colors.hotFace : colors.barFace);
    XTPPaintManager()->DrawDropArrow(dc, arrow, m_enabled, FALSE);
    CRect text(box.left + 3, box.top, arrow.left - 2, box.bottom);
    CFont* old = dc->SelectObject(XTPPaintManager()->GetFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_enabled ? colors.text : colors.disabledText);
    dc->DrawText(m_strText, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc->SelectObject(old);
}

void CXTPControlComboBox::OnClick(CPoint)
{
    if (!m_enabled || !m_parent)
        return;
    if (IsDroppedDown()) {
        m_pList->ClosePopup();
        return;
    }
    OnDropDown();
    if (!m_pList)
        m_pList = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    m_pList->GetControls()->RemoveAll();
    for (int i = 0; i < GetCount(); ++i)
        m_pList->GetControls()->Add(new CComboListEntry(this, i), 0, m_items[static_cast<size_t>(i)]);
    m_pList->SetWidth(m_nWidth);
    CRect screen = m_rect;
    m_parent->ClientToScreen(&screen);
    m_pList->Popup(nullptr, CPoint(screen.left, screen.bottom), screen);
    if (m_nCurSel >= 0)
        m_pList->SetSelected(m_nCurSel);
}

void CXTPControlComboBox::OnSelChanged(int index)
{
    SetCurSel(index);
    NotifySite(static_cast<WORD>(XTPN_COMBOEXECUTE));
}

void CXTPControlComboBox::Copy(const CXTPControl* source)
{
    CXTPControl::Copy(source);
    if (!source->IsKindOf(RUNTIME_CLASS(CXTPControlComboBox)))
        return;
    const auto* combo = static_cast<const CXTPControlComboBox*>(source);
    m_items = combo->m_items;
    m_nCurSel = combo->m_nCurSel;
    m_strText = combo->m_strText;
    m_bDropDownList = combo->m_bDropDownList;
    m_nWidth = combo->m_nWidth;
}

CXTPControlEdit::~CXTPControlEdit()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->DestroyWindow();
    delete m_pEdit;
}

CString CXTPControlEdit::GetEditText() const
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return m_strText;
    CString text;
    m_pEdit->GetWindowText(text);
    return text;
}

void CXTPControlEdit::SetEditText(LPCTSTR text)
{
    m_strText = text;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowText(text);
    RedrawParent();
}

void CXTPControlEdit::PlaceWindow()
{
    if (!m_parent || !m_parent->GetSafeHwnd())
        return;
    if (!m_pEdit) {
        m_pEdit = new CEdit;
        if (!m_pEdit->Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), m_parent, m_nId)) {
            delete m_pEdit;
            m_pEdit = nullptr;
            return;
        }
        m_pEdit->SetWindowText(m_strText);
    }
    if (m_rect.IsRectEmpty()) {
        m_pEdit->ShowWindow(SW_HIDE);
        return;
    }
    m_pEdit->SetWindowPos(nullptr, m_rect.left + 3, m_rect.top + 3, m_rect.Width() - 6, m_rect.Height() - 6,
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_pEdit->EnableWindow(m_enabled);
}

BOOL CXTPControlEdit::OnEditKey(UINT vk)
{
    if (vk != VK_RETURN)
        return FALSE;
    m_strText = GetEditText();
    NotifySite(static_cast<WORD>(XTPN_COMBOEXECUTE));
    return TRUE;
}

void CXTPControlEdit::Copy(const CXTPControl* source)
{
    CXTPControl::Copy(source);
    if (!source->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)))
        return;
    m_strText = static_cast<const CXTPControlEdit*>(source)->GetEditText();
    m_nWidth = static_cast<const CXTPControlEdit*>(source)->m_nWidth;
}

CSize CXTPControlEdit::GetSize(CDC*) { return CSize(m_nWidth, 22); }

void CXTPControlEdit::Draw(CDC* dc)
{
    const XTPThemeColors& colors = XTPPaintManager()->Colors();
    CRect box(m_rect.left + 1, m_rect.top + 1, m_rect.right - 1, m_rect.bottom - 1);
    dc->FillSolidRect(&box, m_enabled ? RGB(255, 255, 255) : colors.barFace);
    dc->Draw3dRect(&box, colors.separator, colors.separator);
    box.DeflateRect(3, 0);
    CFont* old = dc->SelectObject(XTPPaintManager()->GetFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_enabled ? colors.text : colors.disabledText);
    dc->DrawText(m_strText, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->SelectObject(old);
}

CXTPControlFontComboBox::CXTPControlFontComboBox(DWORD)
{
    m_nWidth = 150;
    emptyFormat(m_format);
    for (const QString& family : QFontDatabase::families())
        if (family.size() < LF_FACESIZE_CF)
            AddString(family.toLatin1().constData());
}

void CXTPControlFontComboBox::SetCharFormat(const CHARFORMAT& format)
{
    m_format = format;
    m_format.szFaceName[LF_FACESIZE_CF - 1] = 0;
    SetEditText((format.dwMask & CFM_FACE) ? m_format.szFaceName : "");
}

void CXTPControlFontComboBox::OnDropDown()
{
    CHARFORMAT current;
    emptyFormat(current);
    NotifySite(static_cast<WORD>(XTPN_COMBOQUERY), &current);
    SetCharFormat(current);
}

void CXTPControlFontComboBox::OnSelChanged(int index)
{
    SetCurSel(index);
    emptyFormat(m_format);
    m_format.dwMask = CFM_FACE;
    std::snprintf(m_format.szFaceName, sizeof m_format.szFaceName, "%s", static_cast<LPCTSTR>(GetLBText(index)));
    NotifySite(static_cast<WORD>(XTPN_COMBOEXECUTE));
}

CXTPControlSizeComboBox::CXTPControlSizeComboBox()
{
    m_nWidth = 50;
    emptyFormat(m_format);
    for (int size : kPointSizes) {
        char text[8];
        std::snprintf(text, sizeof text, "%d", size);
        AddString(text);
    }
}

void CXTPControlSizeComboBox::SetTwipSize(int twips)
{
    if (twips <= 0) {
        SetEditText("");
        return;
    }
    char text[16];
    int tenths = (twips * 10 + 10) / 20;
    if (tenths % 10 == 0)
        std::snprintf(text, sizeof text, "%d", tenths / 10);
    else
        std::snprintf(text, sizeof text, "%d.%d", tenths / 10, tenths % 10);
    SetEditText(text);
}

int CXTPControlSizeComboBox::GetTwipSize() const
{
    if (m_strText.IsEmpty())
        return -1;
    double points = std::strtod(m_strText, nullptr);
    return points > 0 && points < 1639 ? static_cast<int>(points * 20 + 0.5) : -1;
}

void CXTPControlSizeComboBox::OnDropDown()
{
    CHARFORMAT current;
    emptyFormat(current);
    NotifySite(static_cast<WORD>(XTPN_COMBOQUERY), &current);
    SetTwipSize((current.dwMask & CFM_SIZE) ? current.yHeight : -1);
}

void CXTPControlSizeComboBox::OnSelChanged(int index)
{
    SetCurSel(index);
    emptyFormat(m_format);
    m_format.dwMask = CFM_SIZE;
    m_format.yHeight = GetTwipSize();
    NotifySite(static_cast<WORD>(XTPN_COMBOEXECUTE));
}
