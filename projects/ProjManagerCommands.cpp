#include "projects/ProjManager.h"

#include "projects/ConfirmRemoveDlg.h"
#include "projects/ProjTreeCtrl.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectRecord.h"

#include "platform/core/File.h"
#include "platform/core/System.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/UiApi.h"

BEGIN_MESSAGE_MAP(CProjManager, CCmdTarget)
    ON_COMMAND(CProjManager::CmdNewProject, OnNewProject)
    ON_COMMAND(CProjManager::CmdOpenProject, OnOpenProject)
    ON_COMMAND(CProjManager::CmdInsertProject, OnInsertProject)
    ON_COMMAND(CProjManager::CmdCloseProject, OnCloseProject)
    ON_COMMAND(CProjManager::CmdSaveProject, OnSaveProject)
    ON_COMMAND(CProjManager::CmdActivate, OnActivate)
    ON_COMMAND(CProjManager::CmdInsertFromFile, OnInsertFromFile)
    ON_COMMAND(CProjManager::CmdRemove, OnRemove)
    ON_COMMAND(CProjManager::CmdViewObject, OnViewObject)
    ON_COMMAND(CProjManager::CmdRunObject, OnRunObject)
    ON_COMMAND(CProjManager::CmdToggleFolders, OnToggleFolders)
    ON_COMMAND(CProjManager::CmdNewWorksheet, OnNewWorksheet)
    ON_COMMAND(CProjManager::CmdRename, OnRenameItem)
    ON_COMMAND(CProjManager::CmdNewSubproject, OnNewSubproject)
    ON_COMMAND(CProjManager::CmdDeleteProject, OnDeleteProject)
    ON_COMMAND_RANGE(CProjManager::CmdSortNone, CProjManager::CmdSortByDate, OnSort)
    ON_COMMAND(CProjManager::CmdCut, OnCut)
    ON_COMMAND(CProjManager::CmdCopy, OnCopy)
    ON_COMMAND(CProjManager::CmdInsert, OnInsert)
    ON_COMMAND(CProjManager::CmdCreateDesktopLink, OnCreateDesktopLink)
    ON_COMMAND(CProjManager::CmdLoadIcon, OnLoadIcon)
    ON_COMMAND(CProjManager::CmdEditIcon, OnEditIcon)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdNewProject, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdOpenProject, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdInsertProject, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdCloseProject, OnUpdateHasProject)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdSaveProject, OnUpdateHasProject)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdActivate, OnUpdateActivate)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdInsertFromFile, OnUpdateHasProject)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdNewWorksheet, OnUpdateHasProject)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdRemove, OnUpdateHasMember)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdViewObject, OnUpdateHasMember)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdRunObject, OnUpdateHasMember)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdEditObject, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(CProjManager::CmdToggleFolders, OnUpdateToggleFolders)
    ON_UPDATE_COMMAND_UI_RANGE(CProjManager::CmdSortNone, CProjManager::CmdSortByDate, OnUpdateSort)
END_MESSAGE_MAP()

void CProjManager::OnUpdateAlways(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }

void CProjManager::OnUpdateDisabled(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }

void CProjManager::OnUpdateHasProject(CCmdUI* cmdUI) { cmdUI->Enable(IndexOfItem(GetCaretItem()) >= 0); }

void CProjManager::OnUpdateActivate(CCmdUI* cmdUI)
{
    const int index = IndexOfItem(GetCaretItem());
    cmdUI->Enable(index >= 0);
    cmdUI->SetCheck(index >= 0 && index == m_nActive);
}

void CProjManager::OnUpdateHasMember(CCmdUI* cmdUI) { cmdUI->Enable(IsMemberItemOfAny(GetCaretItem())); }

void CProjManager::OnUpdateToggleFolders(CCmdUI* cmdUI) { cmdUI->SetCheck(m_bShowFolders); }

void CProjManager::OnUpdateSort(CCmdUI* cmdUI)
{
    const BOOL flags[] = {m_bSortNone, m_bSortByName, m_bSortByDate};
    cmdUI->SetCheck(flags[cmdUI->m_nID - CmdSortNone]);
}

void CProjManager::OnNewProject()
{
    if (NewProject())
        GetProjectHost().ShowProjectPane();
}

void CProjManager::OnOpenProject()
{
    // The selected project is closed only once another one was chosen and opened.
    const int selected = IndexOfItem(GetCaretItem());
    CProjOb* before = GetProject(selected);
    const BOOL single = m_bSingleProject;
    m_bSingleProject = FALSE;
    const BOOL opened = OpenProject(nullptr);
    m_bSingleProject = single;
    if (!opened)
        return;
    for (int i = 0; i < ProjectCount(); ++i)
        if (GetProject(i) == before)
            CloseProject(i);
    if (m_bSingleProject)
        while (ProjectCount() > 1 && CloseProject(0)) {
        }
    SetActive(ProjectCount() - 1);
    GetProjectHost().ShowProjectPane();
}

void CProjManager::OnInsertProject()
{
    CProjOb* project = GetCaretProject();
    if (!project) {
        ::MessageBox(nullptr, "No Project selected!", nullptr, MB_OK);
        return;
    }
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "ProjectFiles|*.prj||");
    if (dialog.DoModal() != IDOK)
        return;
    const CString chosen = dialog.GetPathName();
    if (!FileExists(chosen)) {
        ::MessageBox(nullptr, "File not found!", nullptr, MB_OK);
        return;
    }
    const CString title = FileTitleOf(chosen);
    const CString target = project->GetFolder() + "/" + title;
    if (FileExists(target + "/" + title + ".prj")) {
        ::MessageBox(nullptr, "Project already exists!", "Error", MB_OK);
        return;
    }
    CopyFolderTree(FolderOf(chosen), target);
    KeepOutsideMembersOfCopy(FolderOf(chosen), target);
    project->m_subprojects.clear();
    project->ScanSubprojects(project->GetFolder(), project->m_hItem);
    project->RefreshTree(FALSE);
}

void CProjManager::OnCloseProject() { CloseProject(IndexOfItem(GetCaretItem())); }

void CProjManager::OnSaveProject()
{
    if (CProjOb* project = GetCaretProject())
        project->Save();
}

void CProjManager::OnActivate() { SetActive(IndexOfItem(GetCaretItem())); }

void CProjManager::OnInsertFromFile()
{
    CProjOb* project = GetCaretProject();
    if (!project)
        return;
    char current[260] = {};
    const CString folder = _getcwd(current, sizeof current) ? current : "";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                       "Worksheets (*.trn)|*.trn|All Files (*.*)|*.*||");
    const INT_PTR result = dialog.DoModal();
    _chdir(folder);
    if (result != IDOK)
        return;
    for (POSITION pos = dialog.GetStartPosition(); pos;) {
        const CString file = dialog.GetNextPathName(pos);
        const CString relative = MakeRelativePath(file, project->m_filePath);
        if (FileNameOf(file).Right(4) == ".trn")
            project->AddDocument(relative);
        else
            project->AddEntry(relative, 0);
    }
}

BOOL CProjManager::ConfirmOutsideFile(const CProjOb& project, const CString& path, LPCTSTR question) const
{
    if (IsReallyInsideFolder(path, project.GetFolder()))
        return TRUE;
    const CString text = ProjectText("This file lies outside the project folder:") + "\n" + path + "\n\n" +
                         ProjectText(question);
    return ::MessageBox(nullptr, text, nullptr, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL CProjManager::AskRemoveMember(HTREEITEM item)
{
    CProjOb* project = FindProjectOfMember(item);
    CString path;
    if (!project || !project->GetMemberPathByItem(item, path))
        return FALSE;
    CConfirmRemoveDlg dialog;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    // No to a file outside the project folder keeps the file; the member goes as asked.
    if (dialog.m_bDeleteFile && !project->IsMemberMissing(project->IndexOfMemberItem(item)) &&
        ConfirmOutsideFile(*project, path, "Delete this file?"))
        RemoveFile(path);
    return TRUE;
}

void CProjManager::OnRemove()
{
    const HTREEITEM item = GetCaretItem();
    CProjOb* project = FindProjectOfMember(item);
    if (!project)
        return;
    const int index = project->IndexOfMemberItem(item);
    if (ParseUrlIdent(project->m_paths[index], nullptr)) {
        project->RemoveMemberByItem(item);
        return;
    }
    const CString path = project->GetMemberPath(index);
    if (!AskRemoveMember(item))
        return;
    GetProjectHost().CloseDocument(path);
    project->RemoveMemberByItem(item);
    if (project->MemberCount() == 0 && project->m_subprojects.empty())
        project->NextFormNumber(1);
    project->RefreshTree(FALSE);
    project->Save();
}

CString CProjManager::CaretMemberFile() const
{
    const HTREEITEM item = GetCaretItem();
    CProjOb* project = FindProjectOfMember(item);
    const int index = project ? project->IndexOfMemberItem(item) : -1;
    if (!project || ParseUrlIdent(project->m_paths[index], nullptr))
        return CString();
    // A missing file is never made anew by opening it.
    if (project->IsMemberMissing(index)) {
        ::MessageBox(nullptr, ProjectText("File not found!"), nullptr, MB_OK);
        return CString();
    }
    return project->GetMemberPath(index);
}

void CProjManager::OnViewObject()
{
    if (const CString path = CaretMemberFile(); !path.IsEmpty())
        GetProjectHost().OpenDocument(path);
}

void CProjManager::OnRunObject()
{
    if (const CString path = CaretMemberFile(); !path.IsEmpty())
        GetProjectHost().RunDocument(path);
}

void CProjManager::OnToggleFolders() { SetShowFolders(!m_bShowFolders); }

void CProjManager::OnNewWorksheet()
{
    CProjOb* project = GetCaretProject();
    if (!project || project->m_filePath.IsEmpty())
        return;
    CString path;
    do
        path.Format("%s/Form%d.trn", static_cast<LPCTSTR>(project->GetFolder()), project->NextFormNumber());
    while (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES);
    if (GetProjectHost().CreateDocument(path) && project->AddDocument(MakeRelativePath(path, project->m_filePath)))
        project->UpdateOpenDocuments();
}

void CProjManager::OnRenameItem()
{
    if (m_pTree)
        m_pTree->BeginRename();
}

void CProjManager::OnNewSubproject()
{
    const HTREEITEM item = GetCaretItem();
    if (CProjOb* project = item ? FindProjectByItem(item) : nullptr; project && project->m_hItem == item) {
        CreateSubproject(*project, item, nullptr, CString());
        return;
    }
    HTREEITEM above = m_pTree ? m_pTree->GetParentItem(item) : nullptr;
    while (above && !IsProjectItemOfAny(above))
        above = m_pTree->GetParentItem(above);
    if (CProjOb* project = FindProjectByItem(above))
        CreateSubproject(*project, project->m_hItem, nullptr, CString());
}

void CProjManager::OnDeleteProject() { DeleteProjectOf(GetCaretItem()); }

BOOL CProjManager::DeleteProjectOf(HTREEITEM item)
{
    CProjOb* project = FindProjectByItem(item);
    if (!project || project->m_hItem != item)
        return FALSE;
    CString question;
    question.Format("Delete the project file \"%s\"?", static_cast<LPCTSTR>(project->m_filePath));
    if (::MessageBox(nullptr, question, nullptr, MB_YESNO) != IDYES)
        return FALSE;
    ClearClipboard();
    const CString file = project->m_filePath;
    if (CProjOb* parent = FindParentOf(project)) {
        for (size_t i = 0; i < parent->m_subprojects.size(); ++i) {
            if (parent->m_subprojects[i].get() != project)
                continue;
            if (parent->m_nActiveSub == static_cast<int>(i))
                parent->m_nActiveSub = -1;
            project->Clear();
            parent->m_subprojects.erase(parent->m_subprojects.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
        RemoveFile(file);
        parent->RefreshTree(FALSE);
        return TRUE;
    }
    for (int i = 0; i < ProjectCount(); ++i) {
        if (GetProject(i) != project)
            continue;
        if (i == m_nActive)
            m_nActive = -1;
        else if (i < m_nActive)
            --m_nActive;
        project->Clear();
        m_projects.erase(m_projects.begin() + i);
        break;
    }
    RemoveFile(file);
    if (m_pTree)
        m_pTree->DeleteAllItems();
    for (const auto& other : m_projects) {
        other->ForgetItems();
        other->AttachToTree(this, m_pTree, m_bShowFolders, TVI_ROOT);
    }
    SetActive(m_nActive);
    return TRUE;
}

void CProjManager::SetSort(UINT command)
{
    m_bSortNone = command == CmdSortNone;
    m_bSortByName = command == CmdSortByName;
    m_bSortByDate = command == CmdSortByDate;
    UpdateSortMenus();
    for (const auto& project : m_projects)
        project->RefreshTree(FALSE);
    if (command != CmdSortNone)
        SaveAll();
}

void CProjManager::OnSort(UINT id) { SetSort(id); }

void CProjManager::UpdateSortMenus()
{
    const BOOL flags[] = {m_bSortNone, m_bSortByName, m_bSortByDate};
    for (CMenu* menu : {&m_memberMenu, &m_projectMenu})
        for (UINT id = CmdSortNone; id <= CmdSortByDate; ++id)
            menu->CheckMenuItem(id, MF_BYCOMMAND | (flags[id - CmdSortNone] ? MF_CHECKED : MF_UNCHECKED));
}

void CProjManager::SaveAll()
{
    for (const auto& project : m_projects)
        project->Save();
}
