#include "projects/ProjManager.h"

#include "projects/ProjTreeCtrl.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectRecord.h"

#include "imaging/Dib.h"
#include "imaging/paint/PaintEditors.h"
#include "platform/core/File.h"
#include "platform/core/System.h"
#include "platform/ole/ShellLink.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/Shell.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/UiApi.h"

namespace {

BOOL CreateShortcut(LPCTSTR target, LPCTSTR arguments, LPCTSTR linkPath, LPCTSTR folder, LPCTSTR iconPath, int show)
{
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    IShellLinkA* link = nullptr;
    BOOL done = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<LPVOID*>(&link)));
    if (done) {
        IPersistFile* file = nullptr;
        done = SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetArguments(arguments)) &&
               SUCCEEDED(link->SetWorkingDirectory(folder)) && SUCCEEDED(link->SetIconLocation(iconPath, 0)) &&
               SUCCEEDED(link->SetShowCmd(show)) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<LPVOID*>(&file)));
        if (done) {
            done = SUCCEEDED(file->Save(linkPath, TRUE)) && SUCCEEDED(file->SaveCompleted(linkPath));
            file->Release();
        }
        link->Release();
    }
    if (initialised)
        CoUninitialize();
    return done;
}

// A free name "Copy of <title>.trn", "Copy 1 of <title>.trn" ... in the folder.
CString CopyName(const CString& folder, const CString& title)
{
    CString path = folder + "/Copy of " + title + ".trn";
    for (int number = 1; GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; ++number)
        path.Format("%s/Copy %i of %s.trn", static_cast<LPCTSTR>(folder), number, static_cast<LPCTSTR>(title));
    return path;
}

// The open-file dialog starts in the program's icon folder; the current folder survives it.
CString ChooseIconFile()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                       "Icon Files (*.ico, *.exe, *.dll, *.bmp)|*.ico;*.exe;*.dll;*.bmp|All Files (*.*)|*.*||");
    const CString icons = GetProjectHost().GetProgramFolder() + "/Icons";
    dialog.m_ofn.lpstrInitialDir = icons;
    char current[MAX_PATH] = {};
    const bool saved = _getcwd(current, MAX_PATH) != nullptr;
    const INT_PTR answer = dialog.DoModal();
    if (saved)
        _chdir(current);
    return answer == IDOK ? dialog.GetPathName() : CString();
}

} // namespace

void CProjManager::ClearClipboard()
{
    m_bProjectOnClipboard = m_bCut = m_bEntryOnClipboard = FALSE;
    m_pCutProject = nullptr;
    m_copiedProjectPath.Empty();
}

void CProjManager::OnCut()
{
    const HTREEITEM item = GetCaretItem();
    const BOOL member = IsMemberItemOfAny(item);
    OnCopy();
    if (member) {
        if (CProjOb* project = FindProjectOfMember(item))
            project->RemoveMemberByItem(item);
    } else if (m_bProjectOnClipboard) {
        m_bCut = TRUE;
        m_pCutProject = FindProjectByItem(item);
    }
}

void CProjManager::OnCopy()
{
    const HTREEITEM item = GetCaretItem();
    if (CProjOb* owner = FindProjectOfMember(item)) {
        const int index = owner->IndexOfMemberItem(item);
        m_entryPath = ParseUrlIdent(owner->m_paths[index], nullptr) ? owner->m_paths[index] : owner->GetMemberPath(index);
        m_entryTitle = owner->m_titles[index];
        m_bEntryOnClipboard = TRUE;
        m_bProjectOnClipboard = m_bCut = FALSE;
        m_pCutProject = nullptr;
        return;
    }
    if (CProjOb* project = FindProjectByItem(item)) {
        m_copiedProjectPath = project->m_filePath;
        m_bProjectOnClipboard = TRUE;
        m_bEntryOnClipboard = m_bCut = FALSE;
        m_pCutProject = nullptr;
    }
}

void CProjManager::OnInsert()
{
    const HTREEITEM caret = GetCaretItem();
    CProjOb* target = FindProjectByItem(caret);
    if (m_bProjectOnClipboard && m_bCut && m_pCutProject && m_pTree && m_pCutProject->m_hItem) {
        m_pTree->DropItem(m_pCutProject->m_hItem, caret);
    } else if (m_bProjectOnClipboard && !m_copiedProjectPath.IsEmpty() && target) {
        const CString name = FileTitleOf(m_copiedProjectPath);
        const CString file = target->GetFolder() + "/" + name + "/" + name + ".prj";
        if (FileExists(file)) {
            ::MessageBox(nullptr, "Project already exists!", "Error", MB_OK);
            return;
        }
        CopyFolderTree(FolderOf(m_copiedProjectPath), target->GetFolder() + "/" + name);
        KeepOutsideMembersOfCopy(FolderOf(m_copiedProjectPath), target->GetFolder() + "/" + name);
        target->m_subprojects.clear();
        target->ScanSubprojects(target->GetFolder(), target->m_hItem);
        target->RefreshTree(FALSE);
    } else if (m_bEntryOnClipboard && target) {
        if (ParseUrlIdent(m_entryPath, nullptr) || m_entryTitle.Find('.') >= 0) {
            target->InsertMemberAt(m_entryTitle, m_entryPath, caret);
        } else {
            const CString copy = CopyName(target->GetFolder(), m_entryTitle);
            if (CopyFile(m_entryPath, copy, FALSE))
                target->InsertMemberAt(m_entryTitle, copy, caret);
        }
    } else {
        return;
    }
    ClearClipboard();
    SaveAll();
}

void CProjManager::OnCreateDesktopLink()
{
    CProjOb* project = FindProjectByItem(GetCaretItem());
    if (!project || project->m_hItem != GetCaretItem())
        return;
    char desktop[MAX_PATH] = {};
    if (!SHGetSpecialFolderPath(nullptr, desktop, CSIDL_DESKTOP, FALSE))
        return;
    const CString link = CString(desktop) + "/" + ProjectText("Project") + " " + project->m_name + ".lnk";
    const CString icon = GetProjectHost().GetProgramFolder() + "/Icons/project.ico";
    CreateShortcut(project->m_filePath, "", link, project->GetFolder(), icon, SW_SHOW);
}

void CProjManager::OnLoadIcon()
{
    CProjOb* project = GetCaretProject();
    if (!project)
        return;
    const CString path = ChooseIconFile();
    if (path.IsEmpty() || !project->LoadIconFile(path))
        return;
    project->SaveToFile(project->m_filePath);
}

void CProjManager::OnEditIcon()
{
    CProjOb* project = GetCaretProject();
    if (!project || !project->m_iconImage)
        return;
    CDib image, mask;
    image.CopyFrom(project->m_iconImage.get());
    if (project->m_iconMask)
        mask.CopyFrom(project->m_iconMask.get());
    if (!RunIconEditor(image, mask, m_pTree ? m_pTree->GetTopLevelParent() : nullptr))
        return;
    project->SetIconFromImage(image, &mask, 16);
    project->SaveToFile(project->m_filePath);
}
