#include "projects/ProjOb.h"

#include "projects/ProjManager.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "imaging/Dib.h"

void CProjOb::AttachToTree(CProjManager* manager, CTreeCtrl* tree, BOOL showFolders, HTREEITEM parent)
{
    m_pManager = manager;
    m_pTree = tree;
    if (tree)
        m_hItem = tree->InsertItem(LoadProjectString(ProjectCaption), m_nImage, m_nImage, parent ? parent : TVI_ROOT);
    m_hMemberParent = m_hItem;
    ShowIconInTree();
    RefreshTree(showFolders);
}

void CProjOb::RefreshTree(BOOL withFolder)
{
    if (!m_pTree || !m_hItem)
        return;
    const BOOL wasExpanded = (m_pTree->GetItemState(m_hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    m_pTree->SetRedraw(FALSE);
    m_pTree->SetItemText(m_hItem, m_name);
    const int image = m_bHasPassword ? LockedImage : m_nImage;
    m_pTree->SetItemImage(m_hItem, image, image);
    while (HTREEITEM child = m_pTree->GetChildItem(m_hItem))
        m_pTree->DeleteItem(child);
    m_memberItems.clear();
    for (const auto& sub : m_subprojects)
        sub->ForgetItems();
    m_hMemberParent = withFolder ? m_pTree->InsertItem(ProjectText("Worksheet"), FolderClosedImage, FolderClosedImage, m_hItem)
                                 : m_hItem;
    if (m_pManager) {
        m_bSortByName = m_pManager->m_bSortByName;
        m_bSortByDate = m_pManager->m_bSortByDate;
        m_bSortNone = m_pManager->m_bSortNone;
    }
    if (m_bSortByName)
        SortByName();
    else if (m_bSortByDate)
        SortByDate();
    InsertSubprojectItems();
    RemoveDuplicateMembers();
    if (m_nActiveSub != -1)
        SetActiveSubproject(m_nActiveSub);
    InsertMemberItems();
    if (withFolder)
        m_pTree->Expand(m_hMemberParent, TVE_EXPAND);
    m_pTree->Expand(m_hMemberParent, wasExpanded ? TVE_EXPAND : TVE_COLLAPSE);
    m_pTree->Expand(m_hItem, m_bExpanded ? TVE_EXPAND : TVE_COLLAPSE);
    m_pTree->SetRedraw(TRUE);
    m_pTree->Invalidate();
}

void CProjOb::ForgetItems()
{
    m_hItem = m_hMemberParent = nullptr;
    m_memberItems.clear();
    for (const auto& entry : m_entries)
        entry->m_hItem = nullptr;
    for (const auto& sub : m_subprojects)
        sub->ForgetItems();
}

void CProjOb::InsertSubprojectItems()
{
    for (const auto& sub : m_subprojects) {
        if (m_pManager && !m_pManager->PassesFilter(*sub))
            continue;
        const int image = sub->m_bHasPassword ? LockedImage : sub->m_nImage;
        sub->m_hItem = m_pTree->InsertItem(sub->m_itemCaption, image, image, m_hItem);
        sub->m_hMemberParent = sub->m_hItem;
        sub->RefreshTree(FALSE);
        m_pTree->Expand(sub->m_hItem, sub->m_bExpanded ? TVE_EXPAND : TVE_COLLAPSE);
    }
}

void CProjOb::RemoveDuplicateMembers()
{
    for (int i = 0; i < MemberCount(); ++i)
        for (int j = MemberCount() - 1; j > i; --j)
            if (m_paths[j] == m_paths[i])
                EraseMember(j);
}

void CProjOb::InsertMemberItems()
{
    for (int i = 0; i < MemberCount(); ++i) {
        CProjMemberEntry& entry = *m_entries[static_cast<size_t>(i)];
        // A file that went or came back since the last look shows as it is now.
        entry.m_bMissing = IsMemberMissing(i);
        const int image = entry.m_bOwnIcon ? entry.m_nImage : CProjMemberEntry::DefaultImage;
        const CString text = entry.m_bMissing ? m_titles[i] + " " + ProjectText("(missing)") : m_titles[i];
        HTREEITEM item = m_pTree->InsertItem(text, image, image, m_hMemberParent);
        m_memberItems.push_back(item);
        entry.m_hItem = item;
    }
}

void CProjOb::SetActiveSubproject(int n)
{
    m_nActiveSub = n;
    if (n == -1) {
        for (const auto& sub : m_subprojects) {
            if (m_pTree && sub->m_hItem)
                m_pTree->SetItemState(sub->m_hItem, 0, TVIS_BOLD);
            sub->SetActiveSubproject(-1);
        }
        return;
    }
    if (n < 0 || static_cast<size_t>(n) >= m_subprojects.size() || !m_pTree)
        return;
    for (const auto& sub : m_subprojects)
        if (sub->m_hItem)
            m_pTree->SetItemState(sub->m_hItem, 0, TVIS_BOLD);
    if (HTREEITEM item = m_subprojects[static_cast<size_t>(n)]->m_hItem)
        m_pTree->SetItemState(item, TVIS_BOLD, TVIS_BOLD);
}

BOOL CProjOb::ActivateByItem(HTREEITEM item)
{
    for (size_t i = 0; i < m_subprojects.size(); ++i) {
        CProjOb& sub = *m_subprojects[i];
        if (sub.m_hItem == item || sub.ActivateByItem(item)) {
            for (size_t j = 0; j < m_subprojects.size(); ++j)
                if (j != i)
                    m_subprojects[j]->SetActiveSubproject(-1);
            if (sub.m_hItem == item)
                sub.SetActiveSubproject(-1);
            SetActiveSubproject(static_cast<int>(i));
            return TRUE;
        }
    }
    return FALSE;
}

void CProjOb::Close()
{
    if (m_bModified)
        Save();
    if (m_pTree && m_hItem)
        m_pTree->DeleteItem(m_hItem);
    m_hItem = m_hMemberParent = nullptr;
    m_paths.RemoveAll();
    m_titles.RemoveAll();
    m_labels.RemoveAll();
    m_memberItems.clear();
    m_entries.clear();
}

void CProjOb::Clear()
{
    for (const auto& sub : m_subprojects)
        sub->Clear();
    m_subprojects.clear();
    if (m_pTree && m_hItem)
        m_pTree->DeleteItem(m_hItem);
    m_hItem = m_hMemberParent = nullptr;
    m_pManager = nullptr;
    m_pTree = nullptr;
    m_paths.RemoveAll();
    m_titles.RemoveAll();
    m_labels.RemoveAll();
    m_memberItems.clear();
    m_entries.clear();
    m_filePath.Empty();
    m_name.Empty();
    m_itemCaption.Empty();
    m_iconImage.reset();
    m_iconMask.reset();
}
