#include "projects/ProjOb.h"

#include "projects/NewProjectDlg.h"
#include "projects/PasswordDlg.h"
#include "projects/ProjManager.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectIcons.h"

#include "imaging/Dib.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"
#include "platform/core/FileFind.h"
#include "platform/core/System.h"
#include "platform/ui/WinApp.h"

void CProjOb::SerializeProject(CArchive& ar, BOOL* opened)
{
    if (ar.IsStoring()) {
        StoreProject(ar);
        if (opened)
            *opened = m_bOpen;
        return;
    }
    LoadProjectRecord(ar, opened);
}

void CProjOb::StoreProject(CArchive& ar)
{
    const CProjManager* manager = m_pManager;
    ProjectRecord record;
    record.formCounter = m_nFormCounter;
    record.paths.Copy(m_paths);
    record.titles.Copy(m_titles);
    record.sortNone = manager ? manager->m_bSortNone : m_bSortNone;
    record.sortByDate = manager ? manager->m_bSortByDate : m_bSortByDate;
    record.sortByName = manager ? manager->m_bSortByName : m_bSortByName;
    record.expanded = m_bExpanded;
    record.activeSubproject = m_nActiveSub;
    record.markers = m_markers;
    record.name = m_name;
    if (m_iconImage && m_iconMask) {
        record.iconImage.CopyFrom(m_iconImage.get());
        record.iconMask.CopyFrom(m_iconMask.get());
    }
    record.hasPassword = m_bHasPassword;
    record.digest = m_digest;
    WriteProjectRecord(ar, record);
}

// Nothing of the file is taken over before the whole record was read.
void CProjOb::LoadProjectRecord(CArchive& ar, BOOL* opened)
{
    ProjectRecord record;
    ReadProjectRecord(ar, record);
    m_nFormCounter = record.formCounter;
    m_paths.Copy(record.paths);
    m_titles.Copy(record.titles);
    m_entries.clear();
    for (int i = 0; i < MemberCount(); ++i)
        m_entries.push_back(MakeEntry(m_paths[i]));
    if (record.current) {
        m_bSortNone = record.sortNone;
        m_bSortByDate = record.sortByDate;
        m_bSortByName = record.sortByName;
        m_bExpanded = record.expanded;
        m_nActiveSub = record.activeSubproject;
        m_markers = record.markers;
        m_name = record.name;
        ApplyLoadedIcon(record.iconImage, record.iconMask);
        m_bHasPassword = record.hasPassword;
        if (m_bHasPassword) {
            m_bOpen = FALSE;
            m_digest = record.digest;
            if (!UnlockWithPassword()) {
                if (opened)
                    *opened = FALSE;
                return;
            }
            m_bOpen = TRUE;
        }
        if (m_pManager) {
            m_pManager->m_bSortNone = m_bSortNone;
            m_pManager->m_bSortByDate = m_bSortByDate;
            m_pManager->m_bSortByName = m_bSortByName;
            m_pManager->UpdateSortMenus();
        }
    }
    if (opened)
        *opened = TRUE;
}

BOOL CProjOb::UnlockWithPassword()
{
    if (m_pParent && m_pParent->m_bHasPassword && m_pParent->m_digest == m_digest)
        return TRUE;
    return AskForProjectPassword(m_digest, m_name);
}

void CProjOb::ApplyLoadedIcon(CDib& image, CDib& mask)
{
    if (image.GetSize())
        SetIconFromImage(image, mask.GetSize() ? &mask : nullptr, 16);
}

BOOL CProjOb::LoadProject(LPCTSTR path)
{
    CFileFind find;
    if (!find.FindFile(path))
        return FALSE;
    find.FindNextFile();
    m_name = FileTitleOf(path);
    m_filePath = find.GetFilePath();
    CFile file;
    if (!file.Open(m_filePath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BOOL opened = FALSE;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        SerializeProject(ar, &opened);
    } catch (CException* e) {
        char message[512] = {};
        e->GetErrorMessage(message, sizeof message);
        e->Delete();
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    file.Close();
    if (!opened)
        return FALSE;
    if (_chdir(GetFolder()) == 0)
        GetProjectHost().SetCurrentFolder(GetFolder());
    ScanSubprojects(GetFolder(), m_hItem);
    RefreshTree(m_hMemberParent != m_hItem);
    Save();
    // Only a folder item opens here: the project's own item keeps the state it was stored with.
    if (m_pTree && m_hMemberParent && m_hMemberParent != m_hItem)
        m_pTree->Expand(m_hMemberParent, TVE_EXPAND);
    return TRUE;
}

void CProjOb::ScanSubprojects(const CString& folder, HTREEITEM parent)
{
    CFileFind find;
    BOOL more = find.FindFile(folder + "/*.*");
    while (more) {
        more = find.FindNextFile();
        const CString title = find.GetFileName();
        if (!find.IsDirectory() || title.IsEmpty() || find.IsDots())
            continue;
        const CString candidate = find.GetFilePath() + "/" + title + ".prj";
        if (!FileExists(candidate))
            continue;
        auto sub = std::make_unique<CProjOb>();
        CProjOb& added = *sub;
        m_subprojects.push_back(std::move(sub));
        added.m_pParent = this;
        added.m_name = title;
        added.m_filePath = candidate;
        added.m_itemCaption = LoadProjectString(ProjectCaption) + "(" + title + ")";
        if (m_pTree && parent)
            added.m_hItem = m_pTree->InsertItem(added.m_itemCaption, parent);
        added.m_hMemberParent = added.m_hItem;
        added.m_pManager = m_pManager;
        added.m_pTree = m_pTree;
        if (!added.LoadProject(candidate)) {
            added.Clear();
            m_subprojects.pop_back();
        }
    }
}

BOOL CProjOb::Save()
{
    if (m_filePath.IsEmpty() && !AskFileName())
        return FALSE;
    while (!SaveToFile(m_filePath))
        if (!AskFileName())
            return FALSE;
    return TRUE;
}

BOOL CProjOb::AskFileName()
{
    CNewProjectDlg dialog;
    if (dialog.DoModal() != IDOK || dialog.m_resultPath.IsEmpty())
        return FALSE;
    m_filePath = dialog.m_resultPath + "/" + dialog.m_name + ".prj";
    m_name = dialog.m_name;
    return TRUE;
}

BOOL CProjOb::SaveToFile(LPCTSTR path)
{
    if (!m_bOpen)
        return TRUE;
    if (!path || !*path)
        return FALSE;
    if (!WriteArchiveFile(path, [this](CArchive& ar) { SerializeProject(ar, nullptr); }))
        return FALSE;
    for (const auto& sub : m_subprojects)
        sub->SaveToFile(sub->m_filePath);
    CFileFind find;
    if (!find.FindFile(path))
        return FALSE;
    find.FindNextFile();
    m_filePath = find.GetFilePath();
    SetModified(FALSE);
    RefreshTree(m_hMemberParent != m_hItem);
    if (_chdir(GetFolder()) == 0)
        GetProjectHost().SetCurrentFolder(GetFolder());
    return TRUE;
}
