// Tool bars rearranged by dragging while the customisation sheet is open.
#include "platform/toolkit/XTPCommandBars.h"

#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kContentEntry[] = "Content";
constexpr UINT kFirstMouse = 0x0200, kLastMouse = 0x020E, kFirstKey = 0x0100, kLastKey = 0x0109;

} // namespace

void CXTPCommandBars::SetCustomizeMode(BOOL on)
{
    m_bCustomizing = on;
    m_pDragBar = nullptr;
    m_nDragControl = -1;
    if (on)
        CancelTracking();
}

CXTPToolBar* CXTPCommandBars::ToolBarAt(CPoint screenPt) const
{
    auto it = std::find_if(m_toolBars.begin(), m_toolBars.end(), [&](CXTPToolBar* bar) {
        CRect rect;
        bar->GetWindowRect(&rect);
        return bar != m_pMenuBar && bar->GetSafeHwnd() && bar->IsWindowVisible() && rect.PtInRect(screenPt);
    });
    return it == m_toolBars.end() ? nullptr : *it;
}

CXTPToolBar* CXTPCommandBars::ToolBarOf(HWND hwnd) const
{
    auto it = std::find_if(m_toolBars.begin(), m_toolBars.end(),
                           [&](CXTPToolBar* bar) { return bar != m_pMenuBar && bar->GetSafeHwnd() == hwnd; });
    return it == m_toolBars.end() ? nullptr : *it;
}

// A command without artwork shows its name.
void CXTPCommandBars::ShowNamesWithoutIcons(CXTPCommandBar* bar) const
{
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        CXTPControl* control = bar->GetControl(i);
        if (control->GetType() == ControlTypeButton && control->GetCaption().IsEmpty() &&
            !m_pIcons->HasIcon(control->GetID())) {
            control->SetCaption(CommandCaption(control->GetID()));
            control->SetStyle(ButtonCaption);
        }
    }
}

void CXTPCommandBars::SaveContent(LPCTSTR key) const
{
    std::vector<XTPBarContentEntry> entries;
    for (UINT barId : m_rearranged) {
        CXTPToolBar* bar = GetToolBar(barId);
        if (!bar)
            continue;
        XTPBarContentEntry entry{barId, {}};
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            if (bar->GetControl(i)->GetBeginGroup())
                entry.items.push_back(0);
            entry.items.push_back(bar->GetControl(i)->GetID());
        }
        entries.push_back(std::move(entry));
    }
    std::vector<BYTE> record = EncodeBarContent(entries);
    AfxGetApp()->WriteProfileBinary(key, kContentEntry, record.data(), static_cast<UINT>(record.size()));
}

// A damaged or foreign record leaves the bars as their resources make them, and says so.
void CXTPCommandBars::LoadContent(LPCTSTR key)
{
    BYTE* data = nullptr;
    UINT size = 0;
    if (!AfxGetApp()->GetProfileBinary(key, kContentEntry, &data, &size)) {
        delete[] data;
        return;
    }
    std::vector<XTPBarContentEntry> entries;
    const BOOL read = DecodeBarContent(data, size, entries);
    delete[] data;
    if (!read) {
        std::fprintf(stderr, "The stored tool bar commands in [%s] cannot be read; the default commands are used.\n", key);
        return;
    }
    for (const XTPBarContentEntry& entry : entries) {
        CXTPToolBar* bar = GetToolBar(entry.barId);
        if (!bar || bar == m_pMenuBar)
            continue;
        bar->LoadCommands(entry.items);
        ShowNamesWithoutIcons(bar);
        m_rearranged.insert(entry.barId);
    }
}

BOOL CXTPCommandBars::DropCommand(UINT id, CPoint screenPt)
{
    CXTPToolBar* bar = ToolBarAt(screenPt);
    if (!bar || !id)
        return FALSE;
    CPoint client = screenPt;
    bar->ScreenToClient(&client);
    bar->GetControls()->Add(ControlTypeButton, id, nullptr, bar->HitTestControl(client));
    ShowNamesWithoutIcons(bar);
    m_rearranged.insert(bar->GetBarID());
    bar->DelayRecalc();
    RecalcLayout();
    return TRUE;
}

// The control itself moves (a drop-down keeps its drop-down); dropped off the bars it is gone.
void CXTPCommandBars::EndControlDrag(CPoint screenPt)
{
    CXTPToolBar* from = m_pDragBar;
    int index = m_nDragControl;
    m_pDragBar = nullptr;
    m_nDragControl = -1;
    ::ReleaseCapture();
    CXTPControl* control = from->GetControl(index);
    CXTPToolBar* to = ToolBarAt(screenPt);
    CPoint onTarget = screenPt;
    if (to)
        to->ScreenToClient(&onTarget);
    const int before = to ? to->HitTestControl(onTarget) : -1;
    if (!control || (to == from && before == index))
        return;
    if (to) {
        to->GetControls()->Add(CloneControl(control), control->GetID(), nullptr, before);
        if (to == from && before >= 0 && before <= index)
            ++index;
        to->DelayRecalc();
        m_rearranged.insert(to->GetBarID());
    }
    from->GetControls()->Remove(index);
    from->DelayRecalc();
    m_rearranged.insert(from->GetBarID());
    RecalcLayout();
}

BOOL CXTPCommandBars::FilterCustomizeMessage(const MSG* msg)
{
    if (!m_bCustomizing || !m_pSite || !msg->hwnd)
        return FALSE;
    const BOOL mouse = msg->message >= kFirstMouse && msg->message <= kLastMouse;
    CPoint screen(static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)));
    if (mouse)
        ::ClientToScreen(msg->hwnd, &screen);
    if (m_pDragBar) {
        if (msg->message == WM_LBUTTONUP)
            EndControlDrag(screen);
        return mouse;
    }
    if (CXTPToolBar* bar = ToolBarOf(msg->hwnd); bar && msg->message == WM_LBUTTONDOWN) {
        CPoint client = screen;
        bar->ScreenToClient(&client);
        const int index = bar->HitTestControl(client);
        if (index < 0)
            return FALSE; // the gripper still moves the bar
        m_pDragBar = bar;
        m_nDragControl = index;
        bar->SetCapture();
        return TRUE;
    }
    if (ToolBarOf(msg->hwnd) && msg->message == WM_MOUSEMOVE)
        return FALSE;
    // Everything else in the frame waits until customising ends.
    const BOOL input = mouse || (msg->message >= kFirstKey && msg->message <= kLastKey);
    return input && ::GetAncestorTopLevel(msg->hwnd) == m_pSite->m_hWnd;
}
