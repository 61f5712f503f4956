#include "projects/ProjOb.h"

#include "projects/ProjManager.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "imaging/Dib.h"
#include "platform/gdi/Icon.h"

IMPLEMENT_DYNCREATE(CProjOb, CObject)
IMPLEMENT_DYNCREATE(CMyProjOb, CProjOb)

CProjOb::CProjOb() : CProjOb(LoadProjectIcon(DefaultIcon)) {}

CProjOb::CProjOb(HICON icon) : m_name(ProjectText("Untitled"))
{
    SetIcon(icon);
    if (icon)
        DestroyIcon(icon);
}

CProjOb::~CProjOb()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void CProjOb::GetMemberTitle(CString& out, LPCTSTR path)
{
    if (m_pManager && !m_pManager->m_bFileNameTitles) {
        ReadMemberTitle(path, out, TRUE);
        return;
    }
    if (m_pManager)
        m_pManager->GetMemberTitle(out, path);
    else
        out = MemberFileTitle(path, FALSE);
}

void CMyProjOb::GetMemberTitle(CString& out, LPCTSTR path)
{
    CString text(path);
    const int slash = text.ReverseFind('\\');
    if (slash > 0)
        text = text.Mid(slash + 1);
    const int dot = text.ReverseFind('.');
    out = dot > 0 ? text.Left(dot) : text;
}

CString CProjOb::GetFolder() const
{
    return FolderOf(m_filePath);
}

CString CProjOb::GetMemberPath(int n) const
{
    if (n < 0 || n >= MemberCount())
        return CString();
    return FullPathOf(m_paths[n]);
}

CString CProjOb::FullPathOf(const CString& stored) const
{
    return NormalizePath(GetProjectHost().MakeAbsolutePath(GetFolder(), stored));
}

// Asked at the moment of use: the file may have gone since the tree was drawn.
BOOL CProjOb::IsMemberMissing(int n) const
{
    if (n < 0 || static_cast<size_t>(n) >= m_entries.size() || ParseUrlIdent(m_paths[n], nullptr))
        return FALSE;
    return !FileExists(m_entries[static_cast<size_t>(n)]->m_path);
}

std::unique_ptr<CProjMemberEntry> CProjOb::MakeEntry(const CString& stored) const
{
    if (ParseUrlIdent(stored, nullptr))
        return std::make_unique<CProjMemberEntry>(stored, m_pTree);
    const CString full = FullPathOf(stored);
    return std::make_unique<CProjMemberEntry>(full, m_pTree);
}

int CProjOb::IndexOfMemberItem(HTREEITEM item) const
{
    for (size_t i = 0; item && i < m_memberItems.size(); ++i)
        if (m_memberItems[i] == item)
            return static_cast<int>(i);
    return -1;
}

BOOL CProjOb::GetMemberPathByItem(HTREEITEM item, CString& out) const
{
    const int index = IndexOfMemberItem(item);
    if (index < 0)
        return FALSE;
    out = GetMemberPath(index);
    return TRUE;
}

int CProjOb::NextFormNumber(int n)
{
    if (n >= 0)
        return static_cast<int>(m_nFormCounter = static_cast<UINT>(n));
    return static_cast<int>(m_nFormCounter++);
}

void CProjOb::SetModified(BOOL modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    RefreshTree(m_hMemberParent != m_hItem);
}

void CProjOb::AppendMember(const CString& path, const CString& title, std::unique_ptr<CProjMemberEntry> entry)
{
    m_paths.Add(path);
    m_titles.Add(title);
    m_entries.push_back(std::move(entry));
}

void CProjOb::EraseMember(int index)
{
    m_paths.RemoveAt(index);
    m_titles.RemoveAt(index);
    if (index < m_labels.GetSize())
        m_labels.RemoveAt(index);
    if (static_cast<size_t>(index) < m_entries.size())
        m_entries.erase(m_entries.begin() + index);
    if (static_cast<size_t>(index) < m_memberItems.size())
        m_memberItems.erase(m_memberItems.begin() + index);
}

BOOL CProjOb::FinishMemberChange()
{
    if (m_pTree && m_hMemberParent)
        m_pTree->Expand(m_hMemberParent, TVE_EXPAND);
    RefreshTree(m_hMemberParent != m_hItem);
    SetModified(TRUE);
    return Save();
}

BOOL CProjOb::AddDocument(LPCTSTR path)
{
    const CString full = FullPathOf(path);
    if (!FileExists(full))
        return FALSE;
    for (int i = 0; i < MemberCount(); ++i)
        if (m_paths[i] == path)
            return FALSE;
    CString title;
    GetMemberTitle(title, full);
    auto entry = std::make_unique<CProjMemberEntry>();
    entry->m_nImage = CProjMemberEntry::DefaultImage;
    entry->m_path = full;
    AppendMember(path, title, std::move(entry));
    FinishMemberChange();
    return TRUE;
}

BOOL CProjOb::AddEntry(LPCTSTR text, int kind)
{
    CString path, title;
    if (kind == 0) {
        path = text;
        const CString full = FullPathOf(path);
        if (!FileExists(full))
            return FALSE;
        for (const auto& entry : m_entries)
            if (entry->m_path == full)
                return FALSE;
        GetMemberTitle(title, full);
        AppendMember(path, title, MakeEntry(path));
    } else if (kind == 1) {
        path = CString(kUrlIdent) + text;
        if (path.GetLength() > MaxLinkPath)
            return FALSE;
        for (const auto& entry : m_entries)
            if (entry->m_path == path)
                return FALSE;
        auto entry = std::make_unique<CProjMemberEntry>(path, m_pTree);
        entry->m_bOwnIcon = TRUE;
        AppendMember(path, text, std::move(entry));
    } else {
        return FALSE;
    }
    FinishMemberChange();
    return TRUE;
}

BOOL CProjOb::RemoveMemberByItem(HTREEITEM item)
{
    const int index = IndexOfMemberItem(item);
    if (index < 0)
        return FALSE;
    EraseMember(index);
    RefreshTree(m_hMemberParent != m_hItem);
    SetModified(TRUE);
    Save();
    return TRUE;
}

BOOL CProjOb::RenameDocument(LPCTSTR oldPath, LPCTSTR newPath)
{
    const CString old(oldPath);
    CString oldName = FileNameOf(old);
    oldName.MakeLower();
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i < MemberCount(); ++i) {
            const CString full = GetMemberPath(i);
            const CString wanted = pass == 0 ? old : pass == 1 ? old.Right(m_paths[i].GetLength()) : oldName;
            const CString compared = pass == 2 ? FileNameOf(full) : full;
            if (compared.CompareNoCase(wanted) != 0)
                continue;
            // The tree shows the member under its new name.
            m_paths[i] = newPath;
            m_entries[static_cast<size_t>(i)] = MakeEntry(m_paths[i]);
            GetMemberTitle(m_titles[i], GetMemberPath(i));
            RefreshTree(m_hMemberParent != m_hItem);
            SetModified(TRUE);
            Save();
            return TRUE;
        }
    }
    return FALSE;
}

void CProjOb::InsertMemberAt(const CString& title, const CString& path, HTREEITEM target)
{
    int at = IndexOfMemberItem(target);
    if (at < 0)
        at = MemberCount();
    const CString stored = m_filePath.IsEmpty() ? path : MakeRelativePath(path, m_filePath);
    m_paths.InsertAt(at, stored);
    m_titles.InsertAt(at, title);
    m_entries.insert(m_entries.begin() + at, MakeEntry(stored));
    if (at <= m_labels.GetSize())
        m_labels.InsertAt(at, BuildMemberLabel(nullptr, title));
    RefreshTree(m_hMemberParent != m_hItem);
}

void CProjOb::RemoveMemberItem(HTREEITEM item)
{
    const int index = IndexOfMemberItem(item);
    if (index < 0)
        return;
    if (m_pTree)
        m_pTree->DeleteItem(item);
    EraseMember(index);
}

CString CProjOb::BuildMemberLabel(HTREEITEM item, CString title) const
{
    if (title.IsEmpty()) {
        const int index = IndexOfMemberItem(item);
        if (index >= 0)
            title = m_titles[index];
    }
    CString names;
    for (const CProjOb* project = this; project; project = project->m_pParent)
        names = project->m_name + " - " + names;
    return names + "[" + title + "]";
}

void CProjOb::RebuildLabels()
{
    m_labels.RemoveAll();
    for (int i = 0; i < MemberCount(); ++i)
        m_labels.Add(BuildMemberLabel(nullptr, m_titles[i]));
    for (const auto& sub : m_subprojects)
        sub->RebuildLabels();
}

void CProjOb::UpdateOpenDocuments() const
{
    for (int i = 0; i < MemberCount(); ++i)
        if (!ParseUrlIdent(m_paths[i], nullptr))
            GetProjectHost().RetitleDocuments(GetMemberPath(i), BuildMemberLabel(nullptr, m_titles[i]));
    for (const auto& sub : m_subprojects)
        sub->UpdateOpenDocuments();
}

void CProjOb::UpdateSubprojectPaths()
{
    for (const auto& sub : m_subprojects) {
        sub->m_filePath = GetFolder() + "/" + sub->m_name + "/" + sub->m_name + ".prj";
        sub->UpdateSubprojectPaths();
    }
}

BOOL CProjOb::IsSubprojectOf(const CProjOb* candidate) const
{
    for (const auto& sub : m_subprojects)
        if (sub.get() == candidate || sub->IsSubprojectOf(candidate))
            return TRUE;
    return FALSE;
}

BOOL CProjOb::IsProjectItem(HTREEITEM item) const
{
    return const_cast<CProjOb*>(this)->FindByItem(item) != nullptr;
}

BOOL CProjOb::IsMemberItem(HTREEITEM item) const
{
    return const_cast<CProjOb*>(this)->FindByMemberItem(item) != nullptr;
}

CProjOb* CProjOb::FindByItem(HTREEITEM item)
{
    if (!item)
        return nullptr;
    if (m_hItem == item)
        return this;
    for (const auto& sub : m_subprojects)
        if (CProjOb* found = sub->FindByItem(item))
            return found;
    return nullptr;
}

CProjOb* CProjOb::FindByMemberItem(HTREEITEM item)
{
    if (!item)
        return nullptr;
    for (const auto& sub : m_subprojects)
        if (CProjOb* found = sub->FindByMemberItem(item))
            return found;
    return IndexOfMemberItem(item) >= 0 ? this : nullptr;
}

void CProjOb::Relocate(const CString& oldRoot)
{
    for (int i = 0; i < MemberCount(); ++i) {
        if (ParseUrlIdent(m_paths[i], nullptr))
            continue;
        const CString old = m_entries[static_cast<size_t>(i)]->m_path;
        if (!IsInsideFolder(old, oldRoot))
            m_paths[i] = MakeRelativePath(old, m_filePath);
        m_entries[static_cast<size_t>(i)] = MakeEntry(m_paths[i]);
    }
    for (const auto& sub : m_subprojects)
        sub->Relocate(oldRoot);
}

void CProjOb::TakeOver(CProjOb& source)
{
    m_subprojects = std::move(source.m_subprojects);
    source.m_subprojects.clear();
    for (const auto& sub : m_subprojects)
        sub->m_pParent = this;
    m_entries = std::move(source.m_entries);
    source.m_entries.clear();
    m_paths.Copy(source.m_paths);
    m_titles.Copy(source.m_titles);
    m_markers = source.m_markers;
    m_name = source.m_name;
    m_itemCaption = source.m_itemCaption;
    m_digest = source.m_digest;
    m_bHasPassword = source.m_bHasPassword;
    m_bExpanded = source.m_bExpanded;
    m_nFormCounter = source.m_nFormCounter;
    m_nActiveSub = source.m_nActiveSub;
    if (source.m_iconImage && source.m_iconMask)
        SetIconFromImage(*source.m_iconImage, source.m_iconMask.get(), 16);
}
