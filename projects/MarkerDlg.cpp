#include "projects/MarkerDlg.h"

#include "projects/ProjManager.h"

#include "platform/ui/UiApi.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CMarkerDlg, CDialog)
    ON_NOTIFY(NM_CLICK, CMarkerDlg::IdcTree, OnMarkerClick)
    ON_COMMAND(CMarkerDlg::IdcUseAsFilter, OnUseAsFilter)
END_MESSAGE_MAP()

BOOL CMarkerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tree.BuildGroups();
    if (CProjOb* project = m_pManager ? m_pManager->GetCaretProject() : nullptr)
        m_tree.CheckValues(project->m_markers);
    return TRUE;
}

void CMarkerDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IdcTree, m_tree);
    DDX_Check(dx, IdcUseAsFilter, m_bUseAsFilter);
}

void CMarkerDlg::ShowProject(const CProjOb& project)
{
    if (!m_bUseAsFilter && m_tree.m_hWnd)
        m_tree.CheckValues(project.m_markers);
}

void CMarkerDlg::OnMarkerClick(NMHDR*, LRESULT* result)
{
    CPoint point;
    GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    UINT flags = 0;
    const HTREEITEM item = m_tree.HitTest(point, &flags);
    *result = 0;
    if (!item || !(flags & TVHT_ONITEM))
        return;
    // The tree has already turned a clicked check box over.
    ClickItem(item, (flags & TVHT_ONITEMSTATEICON) != 0);
    *result = 1;
}

void CMarkerDlg::ClickItem(HTREEITEM item, BOOL onCheckBox)
{
    UpdateData(TRUE);
    const BOOL heading = m_tree.ItemHasChildren(item) && !m_tree.GetParentItem(item);
    const BOOL before = onCheckBox ? !m_tree.GetCheck(item) : m_tree.GetCheck(item);
    const BOOL checked = !before;
    if (!onCheckBox && m_tree.ItemHasChildren(item))
        m_tree.Expand(item, TVE_TOGGLE);
    else if (onCheckBox && heading && !m_bUseAsFilter)
        m_tree.Expand(item, TVE_TOGGLE);
    m_tree.SelectItem(item);
    if (!m_bUseAsFilter) {
        if (heading) {
            m_tree.SetCheck(item, before);
            return;
        }
        for (HTREEITEM sibling = m_tree.GetChildItem(m_tree.GetParentItem(item)); sibling;
             sibling = m_tree.GetNextSiblingItem(sibling))
            m_tree.SetCheck(sibling, checked && sibling == item);
        StoreValue(item, checked);
        return;
    }
    if (heading) {
        m_tree.SetCheck(item, onCheckBox ? checked : before);
        if (onCheckBox)
            for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child)) {
                if (m_tree.GetCheck(child) != checked)
                    UpdateFilterValue(checked, child);
                m_tree.SetCheck(child, checked);
            }
    } else {
        m_tree.SetCheck(item, checked);
        UpdateFilterValue(checked, item);
    }
    ApplyFilter();
}

void CMarkerDlg::StoreValue(HTREEITEM item, BOOL checked)
{
    const int group = m_tree.GetGroupOf(item);
    if (!m_pManager || group == 0)
        return;
    const UINT value = checked ? static_cast<UINT>(m_tree.GetItemData(item)) : 0;
    if (m_pManager->SetMarker(kMarkerGroups[group - 1].group, value))
        m_pManager->CommitMarkers();
}

void CMarkerDlg::UpdateFilterValue(BOOL checked, HTREEITEM item)
{
    const int group = m_tree.GetGroupOf(item);
    if (group == 0)
        return;
    std::vector<UINT>& list = m_filter[static_cast<size_t>(group - 1)];
    const auto value = static_cast<UINT>(m_tree.GetItemData(item));
    if (checked) {
        list.push_back(value);
    } else if (auto found = std::find(list.begin(), list.end(), value); found != list.end()) {
        list.erase(found);
    }
}

void CMarkerDlg::ApplyFilter()
{
    UpdateData(TRUE);
    if (m_pManager)
        m_pManager->SetFilter(m_bUseAsFilter ? m_filter : MarkerFilter());
}

void CMarkerDlg::OnUseAsFilter()
{
    ApplyFilter();
    if (m_bUseAsFilter) {
        m_tree.CheckFilterLists(m_filter);
    } else if (CProjOb* project = m_pManager ? m_pManager->GetCaretProject() : nullptr) {
        m_tree.CheckValues(project->m_markers);
    } else {
        m_tree.CheckValues(ProjectMarkers());
    }
}
