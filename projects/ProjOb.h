// A project: a folder holding one ".prj" file that lists member documents, files and links,
// with sub-folders holding the subprojects. The object keeps the member lists together with
// one tree item per member, and saves itself after every change of the list.
#pragma once

#include "projects/ProjMemberEntry.h"
#include "projects/ProjectMarkers.h"

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/ui/TreeCtrl.h"

#include <array>
#include <memory>
#include <vector>

class CArchive;
class CDib;
class CProjManager;

class CProjOb : public CObject {
    DECLARE_DYNCREATE(CProjOb)
public:
    static constexpr DWORD Magic = 0x73154827;
    static constexpr UINT DefaultIcon = 291;
    static constexpr int LockedImage = 5;
    static constexpr int FolderClosedImage = 1;
    static constexpr int FolderOpenImage = 2;
    static constexpr UINT ProjectCaption = 23055;
    // Links longer than this are refused: "URLIDENT" and the address fit in 299 characters.
    static constexpr int MaxLinkPath = 299;

    CProjOb();
    explicit CProjOb(HICON icon);
    ~CProjOb() override;
    CProjOb(const CProjOb&) = delete;
    CProjOb& operator=(const CProjOb&) = delete;

    virtual void GetMemberTitle(CString& out, LPCTSTR path);
    // The record of the ".prj" file; `opened` says whether the project may be used.
    virtual void SerializeProject(CArchive& ar, BOOL* opened);

    void AttachToTree(CProjManager* manager, CTreeCtrl* tree, BOOL showFolders, HTREEITEM parent);
    BOOL LoadProject(LPCTSTR path);
    BOOL Save();
    BOOL SaveToFile(LPCTSTR path);
    BOOL AskFileName();

    BOOL AddDocument(LPCTSTR path);
    BOOL AddEntry(LPCTSTR text, int kind);
    BOOL RemoveMemberByItem(HTREEITEM item);
    BOOL RenameDocument(LPCTSTR oldPath, LPCTSTR newPath);

    CString GetMemberPath(int n) const;
    BOOL GetMemberPathByItem(HTREEITEM item, CString& out) const;
    int NextFormNumber(int n = -1);
    void SetModified(BOOL modified);

    void RefreshTree(BOOL withFolder);
    void ScanSubprojects(const CString& folder, HTREEITEM parent);
    void Close();
    void Clear();

    void InsertMemberAt(const CString& title, const CString& path, HTREEITEM target);
    void RemoveMemberItem(HTREEITEM item);
    CString BuildMemberLabel(HTREEITEM item, CString title) const;
    void RebuildLabels();
    void UpdateSubprojectPaths();
    // Open documents of the members, at any depth, take the members' labels as titles.
    void UpdateOpenDocuments() const;
    BOOL IsSubprojectOf(const CProjOb* candidate) const;
    void SetActiveSubproject(int n);
    BOOL ActivateByItem(HTREEITEM item);
    BOOL IsProjectItem(HTREEITEM item) const;
    BOOL IsMemberItem(HTREEITEM item) const;
    // The project (this one or a subproject at any depth) whose own item this is.
    CProjOb* FindByItem(HTREEITEM item);
    // The project that lists this member item, at any depth.
    CProjOb* FindByMemberItem(HTREEITEM item);
    // The tree items went with a parent's: none is kept, at any depth.
    void ForgetItems();
    // The project, at any depth, was copied out of `oldRoot` to its file path: members outside
    // that folder stay where they are, found from the new place; the others are the copies.
    void Relocate(const CString& oldRoot);
    // Takes over the subprojects and member entries of `source`, which keeps none.
    void TakeOver(CProjOb& source);

    void SetIcon(HICON icon);
    // Icon from an image of any size, made into `size` x `size`, with an optional mask.
    void SetIconFromImage(const CDib& image, const CDib* mask, int size);
    // The icon a project record holds, masked where the record has a mask; none leaves it.
    void ApplyLoadedIcon(CDib& image, CDib& mask);
    // A ".bmp" file or an icon file; FALSE (icon unchanged) when it is neither.
    BOOL LoadIconFile(const CString& path);
    BOOL SetPassword(const CString& password, BOOL set);
    void SortByName();
    void SortByDate();

    CString GetFolder() const;
    // The member's file is not there: it is shown as missing and never opened or made anew.
    BOOL IsMemberMissing(int n) const;
    int MemberCount() const { return static_cast<int>(m_paths.GetSize()); }
    int IndexOfMemberItem(HTREEITEM item) const;

    BOOL m_bOpen = TRUE;
    CString m_digest;
    BOOL m_bHasPassword = FALSE;
    ProjectMarkers m_markers;
    HICON m_hIcon = nullptr;
    BOOL m_bExpanded = FALSE;
    int m_nImage = 0;
    CString m_itemCaption;
    int m_nActiveSub = -1;
    std::vector<std::unique_ptr<CProjOb>> m_subprojects;
    std::vector<std::unique_ptr<CProjMemberEntry>> m_entries;
    CStringArray m_paths;
    CStringArray m_titles;
    CStringArray m_labels;
    std::vector<HTREEITEM> m_memberItems;
    CString m_filePath;
    CString m_name;
    CProjManager* m_pManager = nullptr;
    CTreeCtrl* m_pTree = nullptr;
    CProjOb* m_pParent = nullptr;
    HTREEITEM m_hItem = nullptr;
    HTREEITEM m_hMemberParent = nullptr;
    BOOL m_bModified = FALSE;
    UINT m_nFormCounter = 1;
    BOOL m_bSortByName = FALSE;
    BOOL m_bSortByDate = FALSE;
    BOOL m_bSortNone = FALSE;
    std::unique_ptr<CDib> m_iconImage;
    std::unique_ptr<CDib> m_iconMask;

private:
    // The tree shows the project's own icon, the one Edit Icon starts from.
    void ShowIconInTree();
    // A stored member path completed against the project's folder.
    CString FullPathOf(const CString& stored) const;
    // The entry of a stored member path, with its full path and its missing state.
    std::unique_ptr<CProjMemberEntry> MakeEntry(const CString& stored) const;
    void EraseMember(int index);
    void AppendMember(const CString& path, const CString& title, std::unique_ptr<CProjMemberEntry> entry);
    BOOL FinishMemberChange();
    void SwapMembers(int a, int b);
    void InsertSubprojectItems();
    void InsertMemberItems();
    void RemoveDuplicateMembers();
    BOOL UnlockWithPassword();
    void StoreProject(CArchive& ar);
    void LoadProjectRecord(CArchive& ar, BOOL* opened);
};

// The key colour for an icon's transparent pixels from the uses of the 16 standard colours
// (black, white, grey, silver, maroon, red, olive, yellow, green, lime, teal, aqua, navy,
// blue, purple, fuchsia) by its opaque pixels.
COLORREF ChooseIconKeyColour(const std::array<int, 16>& uses);

// The class the application uses: member titles are the file titles.
class CMyProjOb : public CProjOb {
    DECLARE_DYNCREATE(CMyProjOb)
public:
    void GetMemberTitle(CString& out, LPCTSTR path) override;
};
