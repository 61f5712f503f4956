#include "platform/toolkit/XTPPopupBar.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPPopupToolBar, CXTPPopupBar)

namespace {

constexpr int kRowHeight = 22;
constexpr int kExpandHeight = 12;
constexpr int kMenuSeparator = 7;


// A menu's recent-file item stands for the whole list, as in a desktop menu: one numbered item
// per file, or the item's own text, greyed, while the list is empty. An open menu is only
// changed when the list did.
std::vector<CString> RecentFileCaptions(CRecentFileList& list, const CString& original)
{
    std::vector<CString> captions;
    const int count = std::min(list.GetSize(), static_cast<int>(ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST) + 1);
    for (int i = 0; i < count; ++i) {
        CString caption;
        caption.Format("&%d %s", i + 1, static_cast<LPCTSTR>(list[i]));
        captions.push_back(caption);
    }
    if (captions.empty())
        captions.push_back(original);
    return captions;
}

void ExpandRecentFiles(CXTPControlList& controls)
{
    CXTPControl* first = controls.FindControl(ID_FILE_MRU_FILE1);
    CWinApp* app = AfxGetApp();
    if (!first || !app || !app->m_pRecentFileList)
        return;
    CRecentFileList& list = *app->m_pRecentFileList;
    if (list.m_strOriginal.IsEmpty())
        list.m_strOriginal = first->GetCaption();
    const std::vector<CString> captions = RecentFileCaptions(list, list.m_strOriginal);
    const int at = controls.IndexOf(first);
    bool same = true;
    for (size_t i = 0; i < captions.size() && same; ++i) {
        const CXTPControl* item = controls.GetAt(at + static_cast<int>(i));
        same = item && item->GetID() == ID_FILE_MRU_FIRST + i && item->GetCaption() == captions[i];
    }
    const CXTPControl* next = controls.GetAt(at + static_cast<int>(captions.size()));
    if (same && !(next && next->GetID() > ID_FILE_MRU_FIRST && next->GetID() <= ID_FILE_MRU_LAST))
        return;
    for (int i = controls.GetCount() - 1; i >= 0; --i)
        if (const UINT id = controls.GetAt(i)->GetID(); id > ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST)
            controls.Remove(i);
    first->SetCaption(captions[0]);
    for (size_t i = 1; i < captions.size(); ++i)
        controls.Add(ControlTypeButton, ID_FILE_MRU_FIRST + static_cast<UINT>(i), nullptr, at + static_cast<int>(i))
            ->SetCaption(captions[i]);
}

} // namespace

CXTPPopupBar::CXTPPopupBar() { m_barPosition = BarPopup; }

CXTPPopupBar* CXTPPopupBar::CreatePopupBar(CXTPCommandBars* commandBars)
{
    auto* bar = new CXTPPopupBar;
    bar->SetCommandBars(commandBars);
    return bar;
}

CXTPPopupToolBar* CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* commandBars)
{
    auto* bar = new CXTPPopupToolBar;
    bar->SetCommandBars(commandBars);
    return bar;
}

BOOL CXTPPopupBar::HasHiddenCommands() const
{
    for (int i = 0; i < GetControlCount(); ++i)
        if (GetControl(i)->IsHiddenCommand())
            return TRUE;
    return FALSE;
}

BOOL CXTPPopupBar::ShowsHiddenCommands() const
{
    return m_bExpanded || (m_pCommandBars && m_pCommandBars->GetOptions().alwaysFullMenus);
}

CRect CXTPPopupBar::ExpandRect() const
{
    if (ShowsHiddenCommands() || !HasHiddenCommands() || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    return CRect(client.left + 2, client.bottom - 2 - kExpandHeight, client.right - 2, client.bottom - 2);
}

CSize CXTPPopupBar::CalcDockingLayout(int, DWORD)
{
    CClientDC screen(nullptr);
    int width = m_nWidth;
    for (int i = 0; i < GetControlCount(); ++i)
        if (GetControl(i)->IsVisible())
            width = std::max(width, static_cast<int>(GetControl(i)->GetSize(&screen).cx) + 4);
    width = std::max(width, 60);
    int y = TopMargin();
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (!control->IsVisible()) {
            control->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        if (control->GetBeginGroup() && y > TopMargin())
            y += kMenuSeparator;
        control->SetRect(CRect(2, y, width - 2, y + kRowHeight));
        y += kRowHeight;
    }
    if (!ShowsHiddenCommands() && HasHiddenCommands())
        y += kExpandHeight;
    return CSize(width, y + 2);
}

CSize CXTPPopupToolBar::CalcDockingLayout(int length, DWORD)
{
    CClientDC screen(nullptr);
    CSize total;
    LayoutLine(&screen, m_nWidth > 0 ? m_nWidth : length, TRUE, total);
    return total;
}

BOOL CXTPPopupBar::Popup(CXTPControlPopup* owner, CPoint screenPt, const CRect& exclude)
{
    m_pOwnerControl = owner;
    CWnd* site = GetSite();
    if (!m_hWnd && !CreateBarWindow(nullptr, WS_POPUP | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0)))
        return FALSE;
    if (site)
        SetOwner(site);
    OnUpdateCmdUI();
    CSize size = CalcDockingLayout(0, 0);
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    CPoint at = screenPt;
    if (at.x + size.cx > screenW)
        at.x = std::max(0, exclude.left - static_cast<int>(size.cx));
    if (at.y + size.cy > screenH)
        at.y = std::max(0, exclude.top - static_cast<int>(size.cy));
    SetWindowPos(&CWnd::wndTop, at.x, at.y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_bLayoutPending = FALSE;
    UiTestScript::NoteEvent("popup: " + std::to_string(GetControlCount()) + " controls at " + std::to_string(at.x) +
                            " " + std::to_string(at.y) + " size " + std::to_string(size.cx) + " " +
                            std::to_string(size.cy));
    if (owner)
        if (auto* parent = DYNAMIC_DOWNCAST(CXTPPopupBar, owner->GetParent()))
            parent->SetOpenChild(this);
    if (m_pCommandBars)
        m_pCommandBars->OnPopupOpened(this);
    return TRUE;
}

void CXTPPopupBar::ClosePopup()
{
    if (m_pOpenChild)
        m_pOpenChild->ClosePopup();
    if (m_pCommandBars)
        m_pCommandBars->OnPopupClosed(this);
    if (!IsOpen())
        return;
    ShowWindow(SW_HIDE);
    KillTimer(kRestTimer);
    m_nResting = -1;
    SetSelected(-1);
    m_bExpanded = FALSE;
    if (m_pOwnerControl) {
        m_pOwnerControl->SetPressed(FALSE);
        if (auto* parent = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pOwnerControl->GetParent()))
            parent->SetOpenChild(nullptr);
    }
}

void CXTPPopupBar::SetExpanded(BOOL expanded)
{
    m_bExpanded = expanded;
    if (!IsOpen())
        return;
    CSize size = CalcDockingLayout(0, 0);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
}

void CXTPPopupBar::OnUpdateCmdUI()
{
    ExpandRecentFiles(*GetControls());
    UpdateControls();
}

CRect CXTPPopupBar::TearOffRect() const
{
    if (!m_bTearOff || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    return CRect(client.left + 2, client.top + 2, client.right - 2, client.top + 2 + kTearOffHeight);
}

void CXTPPopupBar::OnLButtonDown(UINT flags, CPoint point)
{
    if (TearOffRect().PtInRect(point) && m_pCommandBars) {
        m_pCommandBars->TearOffPopup(this);
        return;
    }
    CXTPCommandBar::OnLButtonDown(flags, point);
}

void CXTPPopupBar::DrawBar(CDC* dc)
{
    CXTPCommandBar::DrawBar(dc);
    CRect tear = TearOffRect();
    if (!tear.IsRectEmpty())
        XTPPaintManager()->DrawGripper(dc, CRect(tear.left + tear.Width() / 2 - 20, tear.top, tear.left + tear.Width() / 2 + 20,
                                                 tear.bottom),
                                       FALSE);
    CRect expand = ExpandRect();
    if (!expand.IsRectEmpty())
        XTPPaintManager()->DrawDropArrow(dc, expand, TRUE, FALSE);
}

void CXTPPopupBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (ExpandRect().PtInRect(point)) {
        SetExpanded(TRUE);
        return;
    }
    CXTPCommandBar::OnLButtonUp(flags, point);
}

BOOL CXTPPopupBar::OnKeyboardKey(UINT vk)
{
    CXTPControl* selected = GetControl(m_nSelected);
    switch (vk) {
    case VK_UP:
    case VK_DOWN: SetSelected(FindNextVisible(m_nSelected, vk == VK_DOWN ? 1 : -1)); return TRUE;
    case VK_RIGHT:
        if (auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, selected); popup && popup->OpensOnWholeFace()) {
            ActivateControl(m_nSelected, TRUE);
            return TRUE;
        }
        return FALSE;
    case VK_LEFT:
        if (m_pOwnerControl && DYNAMIC_DOWNCAST(CXTPPopupBar, m_pOwnerControl->GetParent())) {
            CXTPCommandBar* parent = m_pOwnerControl->GetParent();
            ClosePopup();
            if (m_pCommandBars)
                m_pCommandBars->SetKeyboardBar(parent);
            return TRUE;
        }
        return FALSE;
    case VK_RETURN:
    case VK_SPACE: ActivateControl(m_nSelected, TRUE); return TRUE;
    default: return FALSE;
    }
}

void CXTPPopupBar::ActivateControl(int index, BOOL byKeyboard)
{
    CXTPControl* control = GetControl(index);
    if (!control || !control->GetEnabled())
        return;
    SetSelected(index);
    CXTPCommandBar::ActivateControl(index, byKeyboard);
}

BOOL CXTPPopupToolBar::OnKeyboardKey(UINT vk)
{
    switch (vk) {
    case VK_LEFT:
    case VK_UP: SetSelected(FindNextVisible(m_nSelected, -1)); return TRUE;
    case VK_RIGHT:
    case VK_DOWN: SetSelected(FindNextVisible(m_nSelected, 1)); return TRUE;
    default: return CXTPPopupBar::OnKeyboardKey(vk);
    }
}

void CXTPPopupBar::OnMouseMove(UINT flags, CPoint point)
{
    CXTPCommandBar::OnMouseMove(flags, point);
    int index = HitTestControl(point);
    if (index == m_nResting)
        return;
    m_nResting = index;
    if (index >= 0)
        SetTimer(kRestTimer, kRestDelay);
}

void CXTPPopupBar::OnTimer(UINT_PTR id)
{
    if (id != kRestTimer) {
        CXTPCommandBar::OnTimer(id);
        return;
    }
    KillTimer(kRestTimer);
    if (IsOpen() && m_nResting >= 0 && m_nResting == m_nSelected)
        OpenRestingSubMenu();
}

void CXTPPopupBar::OpenRestingSubMenu()
{
    CXTPControl* control = GetControl(m_nResting);
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    BOOL subMenu = popup && popup->OpensOnWholeFace() && popup->GetCommandBar() && control->GetEnabled();
    if (m_pOpenChild && (!subMenu || m_pOpenChild != popup->GetCommandBar()))
        m_pOpenChild->ClosePopup();
    if (subMenu)
        popup->OpenPopup(FALSE);
}

BEGIN_MESSAGE_MAP(CXTPPopupBar, CXTPCommandBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
END_MESSAGE_MAP()
