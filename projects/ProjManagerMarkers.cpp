#include "projects/ProjManager.h"

#include "projects/ProjTreeCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"

namespace {

constexpr int kCell = 16;
constexpr int kCellStep = 20;

// The drawing order of the cells right of a project's label.
constexpr MarkerGroup kCellOrder[] = {MarkerGroup::Priority, MarkerGroup::Workload, MarkerGroup::Finished,
                                      MarkerGroup::Flags, MarkerGroup::Arrows};

template <class Visit>
void ForEachProject(CProjOb& project, Visit visit)
{
    visit(project);
    for (const auto& sub : project.m_subprojects)
        ForEachProject(*sub, visit);
}

} // namespace

BOOL CProjManager::SetMarker(MarkerGroup group, UINT value)
{
    CProjOb* project = GetCaretProject();
    if (!project)
        return FALSE;
    project->m_markers.Of(group) = value;
    return TRUE;
}

BOOL CProjManager::CommitMarkers()
{
    CProjOb* project = GetCaretProject();
    if (!project)
        return FALSE;
    if (m_pTree && m_pTree->m_hWnd)
        m_pTree->Invalidate(FALSE);
    return project->Save();
}

void CProjManager::SetFilter(const MarkerFilter& filter)
{
    m_filter = filter;
    ApplyFilter();
}

void CProjManager::ApplyFilter()
{
    const HTREEITEM caret = GetCaretItem();
    CProjOb* remembered = FindProjectByItem(caret);
    for (const auto& project : m_projects) {
        if (m_pTree && project->m_hItem)
            m_pTree->DeleteItem(project->m_hItem);
        project->ForgetItems();
        if (PassesFilter(*project))
            project->AttachToTree(this, m_pTree, m_bShowFolders, TVI_ROOT);
    }
    if (CProjOb* active = GetProject(m_nActive); active && active->m_hItem && m_pTree)
        m_pTree->SetItemState(active->m_hItem, TVIS_BOLD, TVIS_BOLD);
    if (remembered && remembered->m_hItem && m_pTree)
        m_pTree->SelectItem(remembered->m_hItem);
}

void CProjManager::DrawMarkers(const CProjOb& project, CDC* dc)
{
    CRect label;
    if (!m_pTree || !project.m_hItem || !m_pTree->GetItemRect(project.m_hItem, &label, TRUE))
        return;
    CRect client;
    m_pTree->GetClientRect(&client);
    CDC cell;
    cell.CreateCompatibleDC(dc);
    CBitmap square;
    square.CreateCompatibleBitmap(dc, kCell, kCell);
    CBitmap* old = cell.SelectObject(&square);
    int x = label.right + 1;
    const int y = label.top + (label.Height() - kCell) / 2;
    for (MarkerGroup group : kCellOrder) {
        const UINT value = project.m_markers.Of(group);
        if (value <= MarkerRow(group).count) {
            cell.PatBlt(0, 0, kCell, kCell, WHITENESS);
            if (value)
                ImageList_Draw(GetMarkerImages(group), static_cast<int>(value) - 1, cell, 0, 0, ILD_NORMAL);
            const int top = std::max(y, static_cast<int>(client.top));
            const int bottom = std::min(y + kCell, static_cast<int>(client.bottom));
            if (bottom > top)
                dc->BitBlt(x, top, kCell, bottom - top, &cell, 0, top - y, SRCCOPY);
        }
        x += kCellStep;
    }
    cell.SelectObject(old);
}

void CProjManager::DrawAllMarkers(CDC* dc)
{
    if (!m_pTree || !dc)
        return;
    CRect client;
    m_pTree->GetClientRect(&client);
    for (const auto& top : m_projects)
        ForEachProject(*top, [&](CProjOb& project) {
            CRect label;
            if (PassesFilter(project) && project.m_hItem && m_pTree->GetItemRect(project.m_hItem, &label, TRUE) &&
                label.bottom > client.top && label.top < client.bottom)
                DrawMarkers(project, dc);
        });
}
