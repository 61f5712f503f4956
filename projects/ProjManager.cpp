#include "projects/ProjManager.h"

#include "projects/MarkerDlg.h"
#include "projects/OpenProjectDlg.h"
#include "projects/ProjTreeCtrl.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "platform/core/System.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

struct SubprojectRow {
    const char* name;
    UINT icon;
};

constexpr SubprojectRow kDefaultSubprojects[] = {
    {"General", 360}, {"Notices", 363}, {"Team", 362}, {"Technics", 364}};

constexpr UINT kSubprojectIcon = 360;

CProjOb* DeepestActive(const CProjOb& project)
{
    if (project.m_nActiveSub < 0)
        return nullptr;
    CProjOb* last = nullptr;
    for (const auto& sub : project.m_subprojects)
        if (CProjOb* found = DeepestActive(*sub))
            last = found;
    if (last)
        return last;
    const auto index = static_cast<size_t>(project.m_nActiveSub);
    return index < project.m_subprojects.size() ? project.m_subprojects[index].get() : nullptr;
}

CProjOb* ParentIn(CProjOb& project, const CProjOb* child)
{
    for (const auto& sub : project.m_subprojects) {
        if (sub.get() == child)
            return &project;
        if (CProjOb* found = ParentIn(*sub, child))
            return found;
    }
    return nullptr;
}

} // namespace

CProjManager::CProjManager()
{
    for (const MarkerGroupRow& row : kMarkerGroups) {
        HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        ImageList_SetBkColor(list, RGB(255, 255, 255));
        if (HBITMAP bitmap = LoadBitmapResource(row.bitmap)) {
            ImageList_AddMasked(list, bitmap, row.mask);
            DeleteObject(bitmap);
        }
        m_markerImages[static_cast<size_t>(row.group)] = list;
    }
    m_memberMenu.LoadMenu(MemberMenu);
    m_projectMenu.LoadMenu(ProjectMenu);
}

CProjManager::~CProjManager()
{
    m_projects.clear();
    for (HIMAGELIST list : m_markerImages)
        if (list)
            ImageList_Destroy(list);
}

std::unique_ptr<CProjOb> CProjManager::CreateProject()
{
    return std::make_unique<CProjOb>(LoadProjectIcon(ProjectIcon));
}

void CProjManager::GetMemberTitle(CString& out, LPCTSTR path)
{
    out = MemberFileTitle(path, m_bKeepExtensions);
}

CProjOb* CProjManager::GetProject(int index) const
{
    return index >= 0 && index < ProjectCount() ? m_projects[static_cast<size_t>(index)].get() : nullptr;
}

CProjOb* CProjManager::GetActiveProject() const
{
    for (const auto& project : m_projects)
        if (CProjOb* found = DeepestActive(*project))
            return found;
    return GetProject(m_nActive);
}

void CProjManager::SetActive(int index)
{
    CTreeCtrl* tree = m_pTree;
    if (CProjOb* old = GetProject(m_nActive); old && tree && old->m_hItem) {
        tree->SetItemState(old->m_hItem, 0, TVIS_BOLD);
        tree->Expand(old->m_hItem, TVE_COLLAPSE);
    }
    m_nActive = index;
    if (CProjOb* now = GetProject(index); now && tree && now->m_hItem) {
        tree->SetItemState(now->m_hItem, TVIS_BOLD, TVIS_BOLD);
        tree->Expand(now->m_hItem, TVE_EXPAND);
        tree->SelectItem(now->m_hItem);
    }
}

int CProjManager::IndexOfItem(HTREEITEM item) const
{
    if (!item || !m_pTree)
        return -1;
    while (HTREEITEM parent = m_pTree->GetParentItem(item))
        item = parent;
    for (int i = 0; i < ProjectCount(); ++i)
        if (m_projects[static_cast<size_t>(i)]->m_hItem == item)
            return i;
    return -1;
}

CProjOb* CProjManager::FindProjectOfMember(HTREEITEM item) const
{
    for (const auto& project : m_projects)
        if (CProjOb* found = project->FindByMemberItem(item))
            return found;
    return nullptr;
}

CProjOb* CProjManager::FindProjectByItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (CProjOb* owner = FindProjectOfMember(item))
        return owner;
    for (const auto& project : m_projects)
        if (CProjOb* found = project->FindByItem(item))
            return found;
    // The folder item of a project stands for its project.
    if (m_pTree)
        if (HTREEITEM parent = m_pTree->GetParentItem(item))
            for (const auto& project : m_projects)
                if (CProjOb* found = project->FindByItem(parent); found && found->m_hMemberParent == item)
                    return found;
    return nullptr;
}

CProjOb* CProjManager::FindParentOf(const CProjOb* project) const
{
    for (const auto& top : m_projects)
        if (CProjOb* found = ParentIn(*top, project))
            return found;
    return nullptr;
}

BOOL CProjManager::IsProjectItemOfAny(HTREEITEM item) const
{
    for (const auto& project : m_projects)
        if (project->IsProjectItem(item))
            return TRUE;
    return FALSE;
}

BOOL CProjManager::IsMemberItemOfAny(HTREEITEM item) const
{
    return FindProjectOfMember(item) != nullptr;
}

HTREEITEM CProjManager::GetCaretItem() const
{
    return m_pTree && m_pTree->m_hWnd ? m_pTree->GetSelectedItem() : nullptr;
}

CProjOb* CProjManager::GetCaretProject() const
{
    return FindProjectByItem(GetCaretItem());
}

BOOL CProjManager::OpenProject(LPCTSTR path)
{
    std::unique_ptr<CProjOb> project = CreateProject();
    CString chosen(path ? path : "");
    if (!path) {
        COpenProjectDlg dialog(GetActiveProject());
        if (dialog.DoModal() != IDOK || dialog.m_resultPath.IsEmpty())
            return FALSE;
        chosen = dialog.m_resultPath;
    }
    project->AttachToTree(this, m_pTree, m_bShowFolders, TVI_ROOT);
    CProjOb& opened = *project;
    m_projects.push_back(std::move(project));
    if (!opened.LoadProject(chosen)) {
        opened.Close();
        m_projects.pop_back();
        return FALSE;
    }
    if (m_pTree && opened.m_hItem) {
        const int image = opened.m_bHasPassword ? CProjOb::LockedImage : opened.m_nImage;
        m_pTree->SetItemImage(opened.m_hItem, image, image);
        m_pTree->SetItemState(opened.m_hItem, TVIS_BOLD, TVIS_BOLD);
    }
    if (m_bSingleProject && GetProject(m_nActive))
        CloseProject(m_nActive);
    for (int i = 0; i < ProjectCount(); ++i)
        if (m_projects[static_cast<size_t>(i)].get() == &opened)
            SetActive(i);
    return TRUE;
}

BOOL CProjManager::CloseProject(int index)
{
    if (index == -1)
        index = m_nActive;
    if (!GetProject(index))
        return FALSE;
    const bool active = index == m_nActive;
    if (active && !GetProjectHost().CloseAllDocuments())
        return FALSE;
    ClearClipboard();
    RemoveProjectAt(index);
    if (active) {
        m_nActive = -1;
        SetActive(std::min(index, ProjectCount() - 1));
    } else if (index < m_nActive) {
        --m_nActive;
    }
    return TRUE;
}

void CProjManager::RemoveProjectAt(int index)
{
    std::unique_ptr<CProjOb> project = std::move(m_projects[static_cast<size_t>(index)]);
    m_projects.erase(m_projects.begin() + index);
    if (m_pCutProject && (m_pCutProject == project.get() || project->IsSubprojectOf(m_pCutProject)))
        ClearClipboard();
    project->Close();
}

void CProjManager::CloseAll()
{
    while (ProjectCount() > 0)
        if (!CloseProject(0))
            RemoveProjectAt(0);
    m_nActive = -1;
}

BOOL CProjManager::NewProject()
{
    if (m_bSingleProject && GetProject(m_nActive) && !CloseProject(m_nActive))
        return FALSE;
    std::unique_ptr<CProjOb> project = CreateProject();
    project->AttachToTree(this, m_pTree, m_bShowFolders, TVI_ROOT);
    if (!project->Save()) {
        project->Close();
        return FALSE;
    }
    _mkdir(project->GetFolder());
    for (const SubprojectRow& row : kDefaultSubprojects)
        CreateSubproject(*project, project->m_hItem, LoadProjectIcon(row.icon), ProjectText(row.name));
    project->m_bExpanded = TRUE;
    project->Save();
    m_projects.push_back(std::move(project));
    SetActive(ProjectCount() - 1);
    return TRUE;
}

CProjOb* CProjManager::CreateSubproject(CProjOb& project, HTREEITEM parent, HICON icon, CString name)
{
    const CString folder = project.GetFolder();
    auto fileOf = [&folder](const CString& n) { return folder + "/" + n + "/" + n + ".prj"; };
    if (name.IsEmpty() || FileExists(fileOf(name)) || GetFileAttributes(folder + "/" + name) != INVALID_FILE_ATTRIBUTES) {
        for (int number = static_cast<int>(project.m_subprojects.size()) + 1;; ++number) {
            name.Format("%s%d", static_cast<LPCTSTR>(ProjectText("Untitled")), number);
            if (!FileExists(fileOf(name)) && GetFileAttributes(folder + "/" + name) == INVALID_FILE_ATTRIBUTES)
                break;
        }
    }
    project.m_subprojects.push_back(std::make_unique<CProjOb>());
    CProjOb& sub = *project.m_subprojects.back();
    sub.m_pParent = &project;
    sub.m_name = name;
    sub.m_itemCaption = LoadProjectString(CProjOb::ProjectCaption) + "(" + name + ")";
    sub.m_filePath = fileOf(name);
    sub.AttachToTree(this, m_pTree, FALSE, parent);
    _mkdir(folder + "/" + name);
    sub.SetIcon(icon ? icon : LoadProjectIcon(kSubprojectIcon));
    if (icon)
        DestroyIcon(icon);
    if (project.m_bHasPassword) {
        sub.m_digest = project.m_digest;
        sub.m_bHasPassword = TRUE;
    }
    sub.SaveToFile(sub.m_filePath);
    project.RefreshTree(FALSE);
    return &sub;
}

void CProjManager::SetShowFolders(BOOL show)
{
    m_bShowFolders = show;
    for (const auto& project : m_projects)
        project->RefreshTree(show);
}

BOOL CProjManager::RenameMemberFile(const CString& memberPath, const CString& newName)
{
    const CString newPath = FolderOf(memberPath) + "/" + newName + ".trn";
    if (FileExists(newPath)) {
        if (newPath != memberPath)
            ::MessageBox(nullptr, "File already exists", nullptr, MB_OK);
        return FALSE;
    }
    if (!RenameFile(memberPath, newPath))
        return FALSE;
    for (const auto& top : m_projects) {
        std::vector<CProjOb*> pending {top.get()};
        while (!pending.empty()) {
            CProjOb* project = pending.back();
            pending.pop_back();
            for (const auto& sub : project->m_subprojects)
                pending.push_back(sub.get());
            for (int i = 0; i < project->MemberCount(); ++i)
                if (project->GetMemberPath(i) == memberPath) {
                    project->m_paths[i] = MakeRelativePath(newPath, project->m_filePath);
                    project->m_titles[i] = newName;
                    project->m_entries[static_cast<size_t>(i)]->m_path = newPath;
                    project->RefreshTree(FALSE);
                    project->Save();
                }
        }
    }
    GetProjectHost().MoveDocuments(memberPath, newPath, newName);
    return TRUE;
}

BOOL CProjManager::PassesFilter(const CProjOb& project) const
{
    return PassesMarkerFilter(project.m_markers, m_filter);
}

CString CProjManager::RecentKey(LPCTSTR name) const
{
    CString key;
    if (name && *name)
        key.Format("Project.%s.MRU", name);
    else
        key = "Project.MRU";
    key.Replace("..", ".");
    return key;
}

void CProjManager::LoadRecent(LPCTSTR name)
{
    CWinApp* app = AfxGetApp();
    if (!app || !m_pTree)
        return;
    const CString path = app->GetProfileString("Settings", RecentKey(name), "");
    if (!path.IsEmpty())
        OpenProject(path);
}

void CProjManager::SaveRecent(LPCTSTR name)
{
    if (CWinApp* app = AfxGetApp()) {
        const CProjOb* active = GetProject(m_nActive);
        app->WriteProfileString("Settings", RecentKey(name), active ? static_cast<LPCTSTR>(active->m_filePath) : "");
    }
}

BOOL CProjManager::RenameProject(CProjOb& project, const CString& newName)
{
    const CString oldFolder = project.GetFolder();
    const CString newFolder = FolderOf(oldFolder) + "/" + newName;
    const CString newFile = newFolder + "/" + newName + ".prj";
    if (FileExists(newFile) || GetFileAttributes(newFolder) != INVALID_FILE_ATTRIBUTES) {
        project.RefreshTree(FALSE);
        if (newName != project.m_name)
            ::MessageBox(nullptr, "Project already exists", nullptr, MB_OK);
        return FALSE;
    }
    if (!RenameFile(oldFolder, newFolder))
        return FALSE;
    RenameFile(newFolder + "/" + FileNameOf(project.m_filePath), newFile);
    project.m_filePath = newFile;
    project.RebuildLabels();
    project.m_name = newName;
    if (!project.m_itemCaption.IsEmpty())
        project.m_itemCaption = LoadProjectString(CProjOb::ProjectCaption) + "(" + newName + ")";
    project.UpdateSubprojectPaths();
    project.UpdateOpenDocuments();
    if (CProjOb* parent = FindParentOf(&project)) {
        parent->Save();
        parent->RefreshTree(FALSE);
    } else {
        project.Save();
    }
    return TRUE;
}

void CProjManager::OnCaretChanged(HTREEITEM item)
{
    CProjOb* project = FindProjectByItem(item);
    if (m_pMarkerView && project)
        m_pMarkerView->ShowProject(*project);
    if (!project || project->m_hItem != item)
        return;
    const int top = IndexOfItem(item);
    CProjOb* owner = GetProject(top);
    if (!owner)
        return;
    if (owner == project) {
        owner->SetActiveSubproject(-1);
        if (top != m_nActive)
            SetActive(top);
    } else {
        owner->ActivateByItem(item);
    }
}
