#include "platform/toolkit/XTPDockingPaneManager.h"

#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <map>

IMPLEMENT_DYNAMIC(CXTPDockingPane, CObject)
IMPLEMENT_DYNAMIC(CXTPDockingPaneManager, CCmdTarget)

namespace {

constexpr char kLayoutSection[] = "DockingPaneLayouts";
constexpr int kFloatingSide = 4;

} // namespace

void CXTPDockingPane::SetTitle(LPCTSTR title)
{
    m_strTitle = title;
    if (m_pGroup && m_pGroup->GetSafeHwnd())
        m_pGroup->Invalidate(FALSE);
}

CString CXTPDockingPane::GetTitle() const
{
    CString part;
    AfxExtractSubString(part, m_strTitle, 0);
    return part;
}

CString CXTPDockingPane::GetShortTitle() const
{
    CString part;
    return AfxExtractSubString(part, m_strTitle, 1) && !part.IsEmpty() ? part : GetTitle();
}

void CXTPDockingPane::Attach(CWnd* wnd)
{
    m_pChild = wnd;
    if (m_pGroup)
        m_pGroup->Arrange();
}

BOOL CXTPDockingPane::IsSelected() const { return !m_bClosed && m_pGroup && m_pGroup->GetSelected() == this; }

void CXTPDockingPane::Close() { m_pManager->ClosePane(this); }

void CXTPDockingPane::Select() { m_pManager->ShowPane(this); }

BOOL CXTPPaneLayout::Load(LPCTSTR name)
{
    CWinApp* app = AfxGetApp();
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app || !name || !app->GetProfileBinary(kLayoutSection, name, &data, &size))
        return FALSE;
    std::vector<BYTE> record(data, data + size);
    delete[] data;
    std::vector<XTPPaneGroupEntry> groups;
    if (!DecodePaneLayout(record.data(), record.size(), groups))
        return FALSE;
    m_record = std::move(record);
    return TRUE;
}

void CXTPPaneLayout::Save(LPCTSTR name) const
{
    CWinApp* app = AfxGetApp();
    if (app && name && IsValid())
        app->WriteProfileBinary(kLayoutSection, name, const_cast<BYTE*>(m_record.data()), static_cast<UINT>(m_record.size()));
}

BOOL CXTPPaneLayout::IsValid() const
{
    std::vector<XTPPaneGroupEntry> groups;
    return DecodePaneLayout(m_record.data(), m_record.size(), groups);
}

CXTPDockingPaneManager::CXTPDockingPaneManager() : m_pImages(std::make_unique<CXTPIconStore>()) {}

CXTPDockingPaneManager::~CXTPDockingPaneManager()
{
    if (auto* frame = DYNAMIC_DOWNCAST(CXTPMDIFrameWnd, m_pSite); frame && frame->GetDockingPaneManager() == this)
        frame->SetDockingPaneManager(nullptr);
    for (CXTPPaneGroup* group : m_groups)
        delete group;
}

BOOL CXTPDockingPaneManager::InstallDockingPanes(CFrameWnd* site)
{
    m_pSite = site;
    if (auto* frame = DYNAMIC_DOWNCAST(CXTPMDIFrameWnd, site))
        frame->SetDockingPaneManager(this);
    return site != nullptr;
}

void CXTPDockingPaneManager::SetTheme(int theme)
{
    m_nTheme = theme;
    for (CXTPPaneGroup* group : m_groups)
        if (group->GetSafeHwnd())
            group->Invalidate(FALSE);
}

CXTPPaneGroup* CXTPDockingPaneManager::NewGroup(int side, int size)
{
    auto* group = new CXTPPaneGroup(this, side, size);
    if (m_pSite && m_pSite->GetSafeHwnd())
        group->CreateGroup(m_pSite);
    m_groups.push_back(group);
    return group;
}

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(UINT id, const CRect& rect, PaneDockDirection direction,
                                                    CXTPDockingPane* neighbour)
{
    if (FindPane(id))
        return nullptr;
    m_panes.push_back(std::make_unique<CXTPDockingPane>(this, id));
    CXTPDockingPane* pane = m_panes.back().get();
    int size = direction == PaneDockLeft || direction == PaneDockRight ? rect.Width() : rect.Height();
    CXTPPaneGroup* group = NewGroup(direction, std::max(size, 40));
    pane->m_pGroup = group;
    group->Panes().push_back(pane);
    group->SetSelected(pane);
    if (neighbour)
        AttachAsTab(pane, neighbour);
    RecalcLayout();
    return pane;
}

void CXTPDockingPaneManager::AttachAsTab(CXTPDockingPane* pane, CXTPDockingPane* neighbour)
{
    if (!pane || !neighbour || pane == neighbour || !neighbour->m_pGroup)
        return;
    if (pane->m_pGroup)
        pane->m_pGroup->RemovePane(pane);
    pane->m_pGroup = neighbour->m_pGroup;
    pane->m_pGroup->Panes().push_back(pane);
    if (!pane->m_bClosed)
        pane->m_pGroup->SetSelected(pane);
    RemoveEmptyGroups();
    RecalcLayout();
}

void CXTPDockingPaneManager::DockToEdge(CXTPDockingPane* pane, PaneDockDirection direction, CXTPDockingPane* neighbour)
{
    if (!pane)
        return;
    if (neighbour) {
        AttachAsTab(pane, neighbour);
        if (pane->m_pGroup->GetFloatingFrame() == nullptr)
            pane->m_pGroup->SetSide(direction);
        RecalcLayout();
        return;
    }
    int size = pane->m_pGroup ? pane->m_pGroup->GetSize() : 200;
    CXTPPaneGroup* group = NewGroup(direction, size);
    if (pane->m_pGroup)
        pane->m_pGroup->RemovePane(pane);
    pane->m_pGroup = group;
    group->Panes().push_back(pane);
    group->SetSelected(pane);
    RemoveEmptyGroups();
    RecalcLayout();
}

void CXTPDockingPaneManager::FloatInFrame(CXTPDockingPane* pane, const CRect& screenRect)
{
    if (!pane || !m_pSite)
        return;
    if (!pane->m_pGroup || pane->m_pGroup->Panes().size() > 1)
        DockToEdge(pane, PaneDockRight);
    FloatGroup(pane->m_pGroup, screenRect);
}

void CXTPDockingPaneManager::FloatGroup(CXTPPaneGroup* group, const CRect& screenRect)
{
    if (group->GetSide() != kFloatingSide)
        group->m_nLastSide = group->GetSide();
    group->m_rcFloating = screenRect;
    if (!group->GetFloatingFrame()) {
        auto* mini = new CXTPFloatingFrame(group);
        if (!mini->CreateMini(m_pSite, screenRect)) {
            delete mini;
            return;
        }
        group->SetFloatingFrame(mini);
        group->SetParent(mini);
    }
    group->SetSide(kFloatingSide);
    CXTPFloatingFrame* mini = group->GetFloatingFrame();
    mini->SetWindowPos(nullptr, screenRect.left, screenRect.top, screenRect.Width(), screenRect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    CRect content = mini->GetContentRect();
    group->SetWindowPos(nullptr, content.left, content.top, content.Width(), content.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RecalcLayout();
}

CXTPDockingPane* CXTPDockingPaneManager::FindPane(UINT id) const
{
    for (const auto& pane : m_panes)
        if (pane->GetID() == id)
            return pane.get();
    return nullptr;
}

CXTPDockingPane* CXTPDockingPaneManager::GetPaneAt(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[static_cast<size_t>(index)].get() : nullptr;
}

void CXTPDockingPaneManager::ShowPane(UINT id) { ShowPane(FindPane(id)); }

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pane)
{
    if (!pane || !pane->m_pGroup)
        return;
    pane->m_bClosed = FALSE;
    pane->m_pGroup->SetSelected(pane);
    RecalcLayout();
}

void CXTPDockingPaneManager::ClosePane(UINT id) { ClosePane(FindPane(id)); }

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pane)
{
    if (!pane || pane->m_bClosed || Notify(PaneActionClosing, pane))
        return;
    pane->m_bClosed = TRUE;
    CXTPPaneGroup* group = pane->m_pGroup;
    if (group && group->GetSelected() == pane) {
        std::vector<CXTPDockingPane*> open = group->OpenPanes();
        group->SetSelected(open.empty() ? nullptr : open.front());
    }
    if (pane->m_pChild && pane->m_pChild->GetSafeHwnd())
        pane->m_pChild->ShowWindow(SW_HIDE);
    RecalcLayout();
}

void CXTPDockingPaneManager::EnsureChild(CXTPDockingPane* pane)
{
    if (pane && !pane->m_bClosed && !pane->m_pChild)
        Notify(PaneActionShowWindow, pane);
}

LRESULT CXTPDockingPaneManager::Notify(WPARAM action, CXTPDockingPane* pane) const
{
    if (!m_pSite || !m_pSite->GetSafeHwnd())
        return 0;
    return m_pSite->SendMessage(WM_XTP_DOCKINGPANENOTIFY, action, reinterpret_cast<LPARAM>(pane));
}

void CXTPDockingPaneManager::SetIcons(UINT bitmapId, const UINT* ids, int count, COLORREF mask)
{
    m_pImages->SetIcons(bitmapId, ids, count, CSize(16, 16), mask);
}

void CXTPDockingPaneManager::RemoveEmptyGroups()
{
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        if (!(*it)->Panes().empty()) {
            ++it;
            continue;
        }
        delete *it;
        it = m_groups.erase(it);
    }
}

CRect CXTPDockingPaneManager::LayoutInFrame(const CRect& client)
{
    CRect rest = client;
    for (int side : {PaneDockLeft, PaneDockRight, PaneDockTop, PaneDockBottom}) {
        std::vector<CXTPPaneGroup*> shown;
        for (CXTPPaneGroup* group : m_groups) {
            if (group->GetSide() != side)
                continue;
            if (group->HasOpenPanes())
                shown.push_back(group);
            else if (group->GetSafeHwnd())
                group->ShowWindow(SW_HIDE);
        }
        if (shown.empty())
            continue;
        BOOL vertical = side == PaneDockLeft || side == PaneDockRight;
        int thickness = 0;
        for (CXTPPaneGroup* group : shown)
            thickness = std::max(thickness, group->GetSize());
        thickness = std::min(thickness, std::max(0, (vertical ? rest.Width() : rest.Height()) - 40));
        int extent = vertical ? rest.Height() : rest.Width();
        int count = static_cast<int>(shown.size());
        for (int i = 0; i < count; ++i) {
            int from = extent * i / count, to = extent * (i + 1) / count;
            CRect r;
            switch (side) {
            case PaneDockLeft: r = CRect(rest.left, rest.top + from, rest.left + thickness, rest.top + to); break;
            case PaneDockRight: r = CRect(rest.right - thickness, rest.top + from, rest.right, rest.top + to); break;
            case PaneDockTop: r = CRect(rest.left + from, rest.top, rest.left + to, rest.top + thickness); break;
            default: r = CRect(rest.left + from, rest.bottom - thickness, rest.left + to, rest.bottom); break;
            }
            shown[static_cast<size_t>(i)]->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            EnsureChild(shown[static_cast<size_t>(i)]->GetSelected());
            shown[static_cast<size_t>(i)]->Arrange();
        }
        switch (side) {
        case PaneDockLeft: rest.left += thickness; break;
        case PaneDockRight: rest.right -= thickness; break;
        case PaneDockTop: rest.top += thickness; break;
        default: rest.bottom -= thickness; break;
        }
    }
    for (CXTPPaneGroup* group : m_groups)
        if (CXTPFloatingFrame* mini = group->GetFloatingFrame()) {
            mini->ShowWindow(group->HasOpenPanes() ? SW_SHOWNA : SW_HIDE);
            EnsureChild(group->GetSelected());
            group->Arrange();
        }
    return rest;
}

void CXTPDockingPaneManager::RecalcLayout()
{
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->RecalcLayout();
}

std::vector<BYTE> CXTPDockingPaneManager::GetLayoutRecord() const
{
    std::vector<XTPPaneGroupEntry> entries;
    for (CXTPPaneGroup* group : m_groups) {
        XTPPaneGroupEntry e;
        e.side = static_cast<BYTE>(group->GetSide());
        e.size = group->GetSize();
        const CRect& f = group->m_rcFloating;
        e.floating[0] = f.left;
        e.floating[1] = f.top;
        e.floating[2] = f.right;
        e.floating[3] = f.bottom;
        e.selectedId = group->GetSelected() ? group->GetSelected()->GetID() : 0;
        for (CXTPDockingPane* pane : group->Panes())
            e.panes.emplace_back(pane->GetID(), pane->IsClosed() ? 1 : 0);
        entries.push_back(std::move(e));
    }
    return EncodePaneLayout(entries);
}

BOOL CXTPDockingPaneManager::SetLayoutRecord(const std::vector<BYTE>& record)
{
    std::vector<XTPPaneGroupEntry> entries;
    if (!DecodePaneLayout(record.data(), record.size(), entries))
        return FALSE;
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    for (const XTPPaneGroupEntry& e : entries) {
        std::vector<CXTPDockingPane*> panes;
        for (const auto& [id, closed] : e.panes)
            if (CXTPDockingPane* pane = FindPane(id); pane && std::find(panes.begin(), panes.end(), pane) == panes.end()) {
                pane->m_bClosed = closed;
                panes.push_back(pane);
            }
        if (panes.empty())
            continue;
        CXTPPaneGroup* group = NewGroup(e.side == kFloatingSide ? static_cast<int>(PaneDockRight) : e.side, std::max(40, static_cast<int>(e.size)));
        for (CXTPDockingPane* pane : panes) {
            if (pane->m_pGroup)
                pane->m_pGroup->RemovePane(pane);
            pane->m_pGroup = group;
            group->Panes().push_back(pane);
        }
        CXTPDockingPane* selected = FindPane(e.selectedId);
        std::vector<CXTPDockingPane*> open = group->OpenPanes();
        if (!selected || selected->m_pGroup != group || selected->IsClosed())
            selected = open.empty() ? nullptr : open.front();
        group->SetSelected(selected);
        RemoveEmptyGroups();
        if (e.side == kFloatingSide) {
            // A floating place off the screen comes back onto it.
            int width = std::clamp(e.floating[2] - e.floating[0], 80, std::max(80, screenW));
            int height = std::clamp(e.floating[3] - e.floating[1], 60, std::max(60, screenH));
            int left = std::clamp(static_cast<int>(e.floating[0]), 0, std::max(0, screenW - width));
            int top = std::clamp(static_cast<int>(e.floating[1]), 0, std::max(0, screenH - height));
            FloatGroup(group, CRect(left, top, left + width, top + height));
        }
    }
    RemoveEmptyGroups();
    RecalcLayout();
    return TRUE;
}

void CXTPDockingPaneManager::ReadLayout(CXTPPaneLayout* layout) const
{
    if (layout)
        layout->SetRecord(GetLayoutRecord());
}

BOOL CXTPDockingPaneManager::ApplyLayout(const CXTPPaneLayout* layout)
{
    return layout && SetLayoutRecord(layout->GetRecord());
}

void CXTPDockingPaneManager::OnGroupDropped(CXTPPaneGroup* group, CPoint screenPt)
{
    if (!m_pSite)
        return;
    CRect area;
    m_pSite->GetClientRect(&area);
    m_pSite->ClientToScreen(&area);
    BarDockPosition side = DockSideAtPoint(area, screenPt, 40);
    constexpr int kSideOf[] = {PaneDockTop, PaneDockBottom, PaneDockLeft, PaneDockRight};
    if (side == BarFloating) {
        CRect r = group->m_rcFloating.IsRectEmpty() ? CRect(0, 0, 200, 300) : group->m_rcFloating;
        r.OffsetRect(screenPt.x - r.left, screenPt.y - r.top);
        FloatGroup(group, r);
        return;
    }
    DockGroup(group, kSideOf[side]);
}

void CXTPDockingPaneManager::OnTabDropped(CXTPDockingPane* pane, CPoint screenPt)
{
    if (!m_pSite || !pane->m_pGroup || pane->m_pGroup->Panes().size() < 2)
        return;
    CRect area;
    m_pSite->GetClientRect(&area);
    m_pSite->ClientToScreen(&area);
    BarDockPosition side = DockSideAtPoint(area, screenPt, 40);
    constexpr PaneDockDirection kSideOf[] = {PaneDockTop, PaneDockBottom, PaneDockLeft, PaneDockRight};
    if (side == BarFloating)
        FloatInFrame(pane, CRect(screenPt, CSize(200, 300)));
    else
        DockToEdge(pane, kSideOf[side]);
}

void CXTPDockingPaneManager::DockGroup(CXTPPaneGroup* group, int side)
{
    if (!m_pSite)
        return;
    if (CXTPFloatingFrame* mini = group->GetFloatingFrame()) {
        group->SetFloatingFrame(nullptr);
        group->SetParent(m_pSite);
        mini->DestroyWindow();
    }
    group->SetSide(side);
    RecalcLayout();
}
