#include "platform/ui/PropertySheet.h"

#include "platform/ui/Resources.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
    ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
    ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, OnTabChanged)
END_MESSAGE_MAP()

namespace {

// Dialog units the tab row and the buttons take.
constexpr short tabRow = 16, margin = 4, buttonHeight = 14, buttonWidth = 50;

DialogTemplate pageTemplate(UINT id)
{
    const DialogTemplate* found = FindDialogResource(id);
    DialogTemplate page = found ? *found : DialogTemplate{};
    if (!found) {
        page.cx = 200;
        page.cy = 120;
    }
    page.style = (page.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE)) |
                 WS_CHILD;
    page.x = page.y = 0;
    return page;
}

} // namespace

CPropertyPage::CPropertyPage(UINT idTemplate, UINT idCaption) : CDialog(idTemplate)
{
    if (idCaption)
        m_strCaption.LoadString(idCaption);
    else if (const DialogTemplate* found = FindDialogResource(idTemplate))
        m_strCaption = found->caption.c_str();
}

BOOL CPropertyPage::createIn(CPropertySheet* sheet, const RECT& area)
{
    m_sheet = sheet;
    if (!CreateIndirect(pageTemplate(m_nIDTemplate), sheet))
        return FALSE;
    MoveWindow(&area);
    return TRUE;
}

BOOL CPropertyPage::OnSetActive() { return UpdateData(FALSE); }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    m_modified = FALSE;
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

void CPropertyPage::OnReset() {}
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() { OnReset(); }

void CPropertyPage::SetModified(BOOL changed)
{
    m_modified = changed;
    if (changed && m_sheet)
        m_sheet->PageChanged();
}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_caption(caption ? caption : ""), m_start(selectPage)
{
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page)
        return;
    m_pages.push_back(page);
    if (m_tab.m_hWnd)
        m_tab.InsertItem(GetPageCount() - 1, page->m_strCaption);
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    int index = GetPageIndex(page);
    if (index < 0)
        return;
    if (page->m_hWnd)
        page->DestroyWindow();
    m_pages.erase(m_pages.begin() + index);
    if (m_tab.m_hWnd)
        m_tab.DeleteItem(index);
    if (m_active == index) {
        m_active = -1;
        if (!m_pages.empty() && m_hWnd)
            SetActivePage(std::min(index, GetPageCount() - 1));
    } else if (m_active > index) {
        --m_active;
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_hWnd ? m_active : static_cast<int>(m_start)); }

int CPropertySheet::GetPageIndex(CPropertyPage* page) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

RECT CPropertySheet::pageArea()
{
    CRect area;
    m_tab.GetWindowRect(&area);
    ScreenToClient(&area);
    m_tab.AdjustRect(FALSE, &area);
    return area;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    CPropertyPage* next = GetPage(index);
    if (!next)
        return FALSE;
    if (!m_hWnd) {
        m_start = static_cast<UINT>(index);
        return TRUE;
    }
    if (index == m_active)
        return TRUE;
    CPropertyPage* current = GetPage(m_active);
    if (current && current->m_hWnd && !current->OnKillActive())
        return FALSE;
    if (!next->m_hWnd && !next->createIn(this, pageArea()))
        return FALSE;
    if (!next->OnSetActive())
        return FALSE;
    if (current && current->m_hWnd)
        current->ShowWindow(SW_HIDE);
    next->ShowWindow(SW_SHOW);
    m_active = index;
    m_tab.SetCurSel(index);
    return TRUE;
}

void CPropertySheet::SetTitle(LPCTSTR title)
{
    m_caption = title ? title : "";
    if (m_hWnd)
        SetWindowText(m_caption);
}

void CPropertySheet::PageChanged()
{
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(TRUE);
}

bool CPropertySheet::applyAll()
{
    CPropertyPage* current = GetPage(m_active);
    if (current && current->m_hWnd && !current->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = GetPage(i);
        if (page->m_hWnd && !page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(FALSE);
    return true;
}

void CPropertySheet::OnOK()
{
    if (applyAll())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnCancel();
    EndDialog(IDCANCEL);
}

void CPropertySheet::OnApplyNow() { applyAll(); }

BOOL CPropertySheet::PressButton(int button)
{
    switch (button) {
    case PSBTN_OK: OnOK(); return TRUE;
    case PSBTN_CANCEL: OnCancel(); return TRUE;
    case PSBTN_APPLYNOW: OnApplyNow(); return TRUE;
    default: return FALSE;
    }
}

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result)
{
    CPropertyPage* current = GetPage(m_active);
    *result = current && current->m_hWnd && !current->OnKillActive();
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT* result)
{
    // The page left has already agreed in OnTabChanging.
    int index = m_tab.GetCurSel();
    CPropertyPage* next = GetPage(index);
    CPropertyPage* current = GetPage(m_active);
    *result = 0;
    if (!next || index == m_active || (!next->m_hWnd && !next->createIn(this, pageArea())))
        return;
    next->OnSetActive();
    if (current && current->m_hWnd)
        current->ShowWindow(SW_HIDE);
    next->ShowWindow(SW_SHOW);
    m_active = index;
}

BOOL CPropertySheet::OnInitDialog()
{
    m_tab.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
    for (int i = 0; i < GetPageCount(); ++i)
        m_tab.InsertItem(i, GetPage(i)->m_strCaption);
    fitTabs();
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(FALSE);
    m_active = -1;
    SetActivePage(std::min(static_cast<int>(m_start), GetPageCount() - 1));
    return TRUE;
}

// A row of tabs wider than the pages widens the sheet, so that every tab shows; the buttons
// keep to its right edge.
void CPropertySheet::fitTabs()
{
    CRect last, tab;
    const int count = m_tab.GetItemCount();
    if (count == 0 || !m_tab.GetItemRect(count - 1, &last))
        return;
    m_tab.GetClientRect(&tab);
    const int extra = last.right + 4 - tab.Width();
    if (extra <= 0)
        return;
    auto widen = [extra](CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        wnd.SetWindowPos(nullptr, 0, 0, rect.Width() + extra, rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    };
    widen(*this);
    widen(m_tab);
    for (int id : {int(IDOK), int(IDCANCEL), int(ID_APPLY_NOW)})
        if (CWnd* button = GetDlgItem(id)) {
            CRect rect;
            button->GetWindowRect(&rect);
            ScreenToClient(&rect);
            button->SetWindowPos(nullptr, rect.left + extra, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
}

DialogTemplate CPropertySheet::buildTemplate(DWORD style) const
{
    short width = 120, height = 60;
    for (CPropertyPage* page : m_pages) {
        DialogTemplate t = pageTemplate(page->m_nIDTemplate);
        width = std::max(width, t.cx);
        height = std::max(height, t.cy);
    }
    DialogTemplate sheet;
    sheet.style = style;
    sheet.caption = m_caption.GetString();
    sheet.cx = static_cast<short>(width + 4 * margin);
    sheet.cy = static_cast<short>(height + tabRow + 4 * margin + buttonHeight + margin);
    short buttonsY = static_cast<short>(sheet.cy - margin - buttonHeight);
    auto button = [&](const char* text, UINT id, DWORD kind, int slot) {
        return DialogItemTemplate{"button", text, id, kind | WS_TABSTOP, 0,
                                  static_cast<short>(sheet.cx - (slot + 1) * (buttonWidth + margin)), buttonsY,
                                  buttonWidth, buttonHeight};
    };
    sheet.items = {
        DialogItemTemplate{WC_TABCONTROL, "", AFX_IDC_TAB_CONTROL, WS_TABSTOP, 0, margin, margin,
                           static_cast<short>(width + 2 * margin), static_cast<short>(height + tabRow + margin)},
        button("OK", IDOK, BS_DEFPUSHBUTTON, 2), button("Cancel", IDCANCEL, BS_PUSHBUTTON, 1),
        button("&Apply", ID_APPLY_NOW, BS_PUSHBUTTON, 0)};
    return sheet;
}

INT_PTR CPropertySheet::DoModal()
{
    InitModalIndirect(buildTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    return CDialog::DoModal();
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style) { return CreateIndirect(buildTemplate(style), parent); }
