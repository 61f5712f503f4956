// Bar state and options in the profile, and keyboard access to the menu bar.
#include "platform/toolkit/XTPCommandBars.h"

#include "platform/gdi/SysColors.h"
#include "platform/toolkit/XTPDockRows.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr char kBarStateEntry[] = "BarState";

struct OptionKey {
    const char* entry;
    BOOL CommandBarOptions::*field;
};
constexpr OptionKey kOptionKeys[] = {
    {"FullMenus", &CommandBarOptions::alwaysFullMenus},
    {"ScreenTips", &CommandBarOptions::screenTips},
    {"LargeIcons", &CommandBarOptions::largeIcons},
};

// A floating place that keeps at least the title strip on the screen.
CPoint onScreen(const LONG (&r)[4])
{
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    return CPoint(std::clamp(static_cast<int>(r[0]), 0, std::max(0, screenW - 40)),
                  std::clamp(static_cast<int>(r[1]), 0, std::max(0, screenH - 20)));
}

} // namespace

std::vector<BYTE> CXTPCommandBars::GetBarState() const
{
    std::vector<XTPBarStateEntry> entries;
    for (CXTPToolBar* bar : m_toolBars) {
        XTPBarStateEntry e;
        e.barId = bar->GetBarID();
        e.position = static_cast<BYTE>(bar->GetPosition() == BarFloating ? BarFloating : bar->GetPosition());
        e.visible = bar->IsVisible() ? 1 : 0;
        e.row = static_cast<WORD>(std::clamp(bar->m_nRow, 0, static_cast<int>(kMaxStateEntries) - 1));
        e.offset = std::max(0, bar->m_nOffset);
        const CRect& f = bar->m_rcFloating;
        e.floating[0] = f.left;
        e.floating[1] = f.top;
        e.floating[2] = f.right;
        e.floating[3] = f.bottom;
        entries.push_back(e);
    }
    return EncodeBarState(entries);
}

BOOL CXTPCommandBars::SetBarState(const std::vector<BYTE>& record)
{
    std::vector<XTPBarStateEntry> entries;
    if (!DecodeBarState(record.data(), record.size(), entries))
        return FALSE;
    for (const XTPBarStateEntry& e : entries) {
        CXTPToolBar* bar = GetToolBar(e.barId);
        if (!bar)
            bar = RestoreTornOff(e.barId);
        if (!bar)
            continue;
        if (e.position == BarFloating) {
            bar->m_rcFloating = CRect(e.floating[0], e.floating[1], e.floating[2], e.floating[3]);
            FloatToolBar(bar, onScreen(e.floating));
        } else {
            DockToolBar(bar, static_cast<BarDockPosition>(e.position), e.row, e.offset);
        }
        // The menu bar never hides: a frame without it could not be used.
        bar->SetVisible(e.visible || bar == m_pMenuBar);
    }
    return TRUE;
}

CXTPToolBar* CXTPCommandBars::RestoreTornOff(UINT barId)
{
    for (size_t b = 0; b < m_toolBars.size(); ++b) {
        CXTPToolBar* owner = m_toolBars[b];
        for (int i = 0; i < owner->GetControlCount(); ++i) {
            auto* popup = DYNAMIC_DOWNCAST(CXTPPopupBar, owner->GetControl(i)->GetCommandBar());
            CString caption;
            UINT id = 0;
            int width = 0;
            if (popup && popup->IsTearOffPopup(caption, id, width) && id == barId)
                return TearOffPopup(popup);
        }
    }
    return nullptr;
}

void CXTPCommandBars::SaveBarState(LPCTSTR key) const
{
    CWinApp* app = AfxGetApp();
    if (!app || !key)
        return;
    std::vector<BYTE> record = GetBarState();
    app->WriteProfileBinary(key, kBarStateEntry, record.data(), static_cast<UINT>(record.size()));
    SaveKeys(key);
    SaveContent(key);
}

BOOL CXTPCommandBars::LoadBarState(LPCTSTR key, BOOL)
{
    CWinApp* app = AfxGetApp();
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app || !key)
        return FALSE;
    LoadKeys(key);
    LoadContent(key);
    if (!app->GetProfileBinary(key, kBarStateEntry, &data, &size))
        return FALSE;
    std::vector<BYTE> record(data, data + size);
    delete[] data;
    if (SetBarState(record))
        return TRUE;
    std::fprintf(stderr, "The stored command-bar state in [%s] cannot be read; the default layout is used.\n", key);
    return FALSE;
}

void CXTPCommandBars::SaveOptions(LPCTSTR key) const
{
    CWinApp* app = AfxGetApp();
    if (!app || !key)
        return;
    for (const OptionKey& k : kOptionKeys)
        app->WriteProfileInt(key, k.entry, m_options.*k.field ? 1 : 0);
}

void CXTPCommandBars::LoadOptions(LPCTSTR key)
{
    CWinApp* app = AfxGetApp();
    if (!app || !key)
        return;
    for (const OptionKey& k : kOptionKeys)
        m_options.*k.field = app->GetProfileInt(key, k.entry, m_options.*k.field ? 1 : 0) != 0;
}

void CXTPCommandBars::SetKeyboardBar(CXTPCommandBar* bar)
{
    if (m_pKeyboardBar && m_pKeyboardBar != bar && !m_pKeyboardBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) && !bar)
        m_pKeyboardBar->SetSelected(-1);
    m_pKeyboardBar = bar;
}

void CXTPCommandBars::CancelTracking()
{
    ClosePopups();
    if (m_pKeyboardBar)
        m_pKeyboardBar->SetSelected(-1);
    if (m_pMenuBar)
        m_pMenuBar->SetSelected(-1);
    m_pKeyboardBar = nullptr;
    m_bAltPending = FALSE;
}

BOOL CXTPCommandBars::EnterMenuByMnemonic(char letter)
{
    if (!m_pMenuBar)
        return FALSE;
    int index = m_pMenuBar->FindMnemonic(letter);
    if (index < 0)
        return FALSE;
    CancelTracking();
    m_pKeyboardBar = m_pMenuBar;
    m_pMenuBar->SetSelected(index);
    m_pMenuBar->ActivateControl(index, TRUE);
    return TRUE;
}

BOOL CXTPCommandBars::HandleKeyboardModeKey(MSG* msg)
{
    UINT vk = static_cast<UINT>(msg->wParam);
    if (vk == VK_ESCAPE) {
        CXTPPopupBar* top = GetTopPopup();
        if (!top) {
            CancelTracking();
            return TRUE;
        }
        CXTPCommandBar* parent = top->GetOwnerControl() ? top->GetOwnerControl()->GetParent() : nullptr;
        top->ClosePopup();
        // Back to the menu that opened it; a tool bar's drop-down gives the keys back.
        if (parent && parent != m_pMenuBar && !parent->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
            CancelTracking();
        else
            m_pKeyboardBar = parent;
        return TRUE;
    }
    if (vk == VK_MENU || vk == VK_F10) {
        CancelTracking();
        return TRUE;
    }
    if (m_pKeyboardBar->OnKeyboardKey(vk))
        return TRUE;
    // A drop-down passes Left and Right that it does not use to the menu bar.
    if ((vk == VK_LEFT || vk == VK_RIGHT) && m_pMenuBar && m_pKeyboardBar != m_pMenuBar) {
        m_pKeyboardBar = m_pMenuBar;
        return m_pMenuBar->OnKeyboardKey(vk);
    }
    if (std::isalnum(static_cast<int>(vk))) {
        // A letter shared by several items only moves between them; Enter runs the one chosen.
        int index = m_pKeyboardBar->FindMnemonic(static_cast<char>(vk), m_pKeyboardBar->GetSelectedIndex());
        if (index >= 0) {
            m_pKeyboardBar->SetSelected(index);
            if (m_pKeyboardBar->FindMnemonic(static_cast<char>(vk), index) == index)
                m_pKeyboardBar->ActivateControl(index, TRUE);
        }
    }
    return TRUE;
}

// F10 alone; Shift+F10 asks for the context menu instead.
BOOL CXTPCommandBars::IsMenuBarKey(WPARAM vk)
{
    return vk == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0;
}

BOOL CXTPCommandBars::FilterFrameMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        BOOL onPopup = std::any_of(m_openPopups.begin(), m_openPopups.end(),
                                   [msg](CXTPPopupBar* p) { return p->GetSafeHwnd() == msg->hwnd; });
        BOOL onMenuBar = m_pMenuBar && m_pMenuBar->GetSafeHwnd() == msg->hwnd;
        if (!onPopup && !onMenuBar && (m_pKeyboardBar || !m_openPopups.empty()))
            CancelTracking();
        // Alt held for a click (a drag modifier) does not open the menu bar when let go.
        m_bAltPending = FALSE;
        return FALSE;
    }
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU || IsMenuBarKey(msg->wParam)) {
            m_bAltPending = TRUE;
            return TRUE;
        }
        m_bAltPending = FALSE;
        return std::isalnum(static_cast<int>(msg->wParam)) && EnterMenuByMnemonic(static_cast<char>(msg->wParam));
    case WM_SYSKEYUP:
    case WM_KEYUP:
        if ((msg->wParam == VK_MENU || msg->wParam == VK_F10) && m_bAltPending) {
            m_bAltPending = FALSE;
            if (m_pKeyboardBar || !m_pMenuBar) {
                CancelTracking();
                return TRUE;
            }
            m_pKeyboardBar = m_pMenuBar;
            m_pMenuBar->SetSelected(m_pMenuBar->FindNextVisible(-1, 1));
            return TRUE;
        }
        return m_pKeyboardBar != nullptr;
    case WM_KEYDOWN:
        if (IsMenuBarKey(msg->wParam) && !m_pKeyboardBar) {
            m_bAltPending = TRUE;
            return TRUE;
        }
        m_bAltPending = FALSE;
        // A drop-down the mouse opened takes the keys as one the keyboard opened.
        if (!m_pKeyboardBar && GetTopPopup())
            m_pKeyboardBar = GetTopPopup();
        return m_pKeyboardBar ? HandleKeyboardModeKey(msg) : FALSE;
    case WM_CHAR:
    case WM_SYSCHAR: return m_pKeyboardBar != nullptr;
    default: return FALSE;
    }
}
