#include "projects/ProjTreeCtrl.h"

#include "projects/ProjManager.h"
#include "projects/ProjectHelpers.h"

#include "platform/ui/UiApi.h"

void CProjTreeCtrl::DropItem(HTREEITEM dragged, HTREEITEM target)
{
    if (m_pManager->IsProjectItemOfAny(dragged) && !m_pManager->IsMemberItemOfAny(dragged))
        DropProject(dragged, target);
    else if (m_pManager->IsMemberItemOfAny(dragged))
        DropMember(dragged, target);
    m_hDragItem = nullptr;
}

void CProjTreeCtrl::DropProject(HTREEITEM dragged, HTREEITEM target)
{
    CProjOb* moved = m_pManager->FindProjectByItem(dragged);
    CProjOb* into = m_pManager->FindProjectByItem(target);
    CProjOb* oldParent = moved ? m_pManager->FindParentOf(moved) : nullptr;
    if (!moved || !into || !oldParent)
        return;
    moved->RebuildLabels();
    if (into == moved || moved->IsSubprojectOf(into)) {
        ::MessageBox(nullptr, "Parentproject can't be moved into his Childprojects!", nullptr, MB_OK);
        return;
    }
    for (const auto& sub : into->m_subprojects)
        if (sub->m_name == moved->m_name) {
            ::MessageBox(nullptr, "A Project with this name already exists", nullptr, MB_OK);
            return;
        }
    const CString folder = into->GetFolder() + "/" + moved->m_name;
    if (!CopyFolderTree(moved->GetFolder(), folder))
        return;
    auto copy = std::make_unique<CProjOb>();
    copy->TakeOver(*moved);
    copy->m_pParent = into;
    copy->m_pManager = m_pManager;
    copy->m_pTree = this;
    copy->m_filePath = folder + "/" + copy->m_name + ".prj";
    copy->UpdateSubprojectPaths();
    copy->Relocate(moved->GetFolder());
    const bool wasActive = oldParent->m_nActiveSub >= 0 &&
                           oldParent->m_subprojects[static_cast<size_t>(oldParent->m_nActiveSub)].get() == moved;
    into->m_subprojects.push_back(std::move(copy));
    for (size_t i = 0; i < oldParent->m_subprojects.size(); ++i)
        if (oldParent->m_subprojects[i].get() == moved) {
            if (wasActive)
                oldParent->SetActiveSubproject(-1);
            moved->Clear();
            oldParent->m_subprojects.erase(oldParent->m_subprojects.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    if (wasActive)
        into->m_nActiveSub = static_cast<int>(into->m_subprojects.size()) - 1;
    oldParent->RefreshTree(FALSE);
    into->RefreshTree(FALSE);
    into->RebuildLabels();
    oldParent->Save();
    into->Save();
}

void CProjTreeCtrl::DropMember(HTREEITEM dragged, HTREEITEM target)
{
    CProjOb* source = m_pManager->FindProjectOfMember(dragged);
    CProjOb* into = m_pManager->FindProjectByItem(target);
    if (!source || !into)
        return;
    const int index = source->IndexOfMemberItem(dragged);
    const CString title = source->m_titles[index];
    const CString path = ParseUrlIdent(source->m_paths[index], nullptr) ? source->m_paths[index]
                                                                          : source->GetMemberPath(index);
    source->RemoveMemberItem(dragged);
    into->InsertMemberAt(title, path, target);
    source->RefreshTree(FALSE);
    into->RefreshTree(FALSE);
    source->Save();
    into->Save();
}

CProjOb* CProjTreeCtrl::DropTargetAt(CPoint client)
{
    if (HTREEITEM hit = HitTest(client)) {
        SelectDropTarget(hit);
        return m_pManager->FindProjectByItem(hit);
    }
    CProjOb* first = m_pManager->GetProject(0);
    if (first && first->m_hItem)
        SelectDropTarget(first->m_hItem);
    return first;
}

void CProjTreeCtrl::DropFiles(const std::vector<CString>& files, CPoint client)
{
    CProjOb* target = files.empty() ? nullptr : DropTargetAt(client);
    SelectDropTarget(nullptr);
    if (!target)
        return;
    for (const CString& file : files)
        target->AddEntry(MakeRelativePath(file, target->m_filePath), 0);
}

void CProjTreeCtrl::DropText(const CString& text, CPoint client)
{
    CProjOb* target = DropTargetAt(client);
    SelectDropTarget(nullptr);
    if (target)
        target->AddEntry(text, 1);
}
