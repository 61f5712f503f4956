// The command target behind the Project Manager pane: owns the open top-level projects,
// knows the active one, holds the tree's context menus, sort and folder settings and the
// marker filter, and carries out the project commands.
#pragma once

#include "projects/ProjOb.h"
#include "projects/ProjectMarkers.h"

#include "platform/ui/CmdTarget.h"
#include "platform/ui/Menu.h"

#include <memory>
#include <vector>

class CCmdUI;
class CDC;
class CProjTreeCtrl;

class CProjManager : public CCmdTarget {
public:
    enum Command : UINT {
        CmdNewProject = 23020, CmdOpenProject = 23021, CmdCloseProject = 23022, CmdInsertFromFile = 23023,
        CmdRemove = 23024, CmdEditObject = 23025, CmdViewObject = 23026, CmdToggleFolders = 23028,
        CmdSaveProject = 23029, CmdActivate = 23030, CmdRunObject = 23031, CmdNewWorksheet = 23032,
        CmdRename = 23037, CmdNewSubproject = 34021, CmdInsertProject = 34022, CmdDeleteProject = 34023,
        CmdSortNone = 34025, CmdSortByName = 34026, CmdSortByDate = 34027, CmdEditIcon = 34033,
        CmdInsert = 34034, CmdCut = 34035, CmdCopy = 34036, CmdCreateDesktopLink = 34039, CmdLoadIcon = 34040,
    };
    static constexpr UINT MemberMenu = 23006;
    static constexpr UINT ProjectMenu = 23007;
    static constexpr UINT ProjectIcon = 361;

    CProjManager();
    ~CProjManager() override;

    virtual UINT GetMenuResource() const { return 23008; }
    virtual std::unique_ptr<CProjOb> CreateProject();
    virtual void GetMemberTitle(CString& out, LPCTSTR path);
    virtual void LoadRecent(LPCTSTR name);
    virtual void SaveRecent(LPCTSTR name);
    virtual BOOL AskRemoveMember(HTREEITEM item);

    void SetTree(CProjTreeCtrl* tree) { m_pTree = tree; }
    CProjTreeCtrl* GetTree() const { return m_pTree; }
    CProjOb* GetActiveProject() const;
    void SetActive(int index);
    int GetActiveIndex() const { return m_nActive; }
    int IndexOfItem(HTREEITEM item) const;
    CProjOb* FindProjectByItem(HTREEITEM item) const;
    BOOL IsProjectItemOfAny(HTREEITEM item) const;
    BOOL IsMemberItemOfAny(HTREEITEM item) const;
    // The project that lists this member item, at any depth.
    CProjOb* FindProjectOfMember(HTREEITEM item) const;
    // A file outside the project's folder is changed on disk only when the user says yes to
    // the question, shown with the file's path; a file inside needs no question.
    BOOL ConfirmOutsideFile(const CProjOb& project, const CString& path, LPCTSTR question) const;
    // The project that holds this project as a subproject.
    CProjOb* FindParentOf(const CProjOb* project) const;
    BOOL OpenProject(LPCTSTR path);
    BOOL CloseProject(int index);
    void CloseAll();
    BOOL NewProject();
    CProjOb* CreateSubproject(CProjOb& project, HTREEITEM parent, HICON icon, CString name);
    void SetShowFolders(BOOL show);
    BOOL GetShowFolders() const { return m_bShowFolders; }
    BOOL RenameMemberFile(const CString& memberPath, const CString& newName);
    // Renames the project's folder and file; FALSE (nothing renamed) when the name is taken.
    BOOL RenameProject(CProjOb& project, const CString& newName);
    // The tree's caret moved: the marker pane shows its project, a project item becomes active.
    void OnCaretChanged(HTREEITEM item);
    // The marker pane that follows the caret project (not owned).
    void SetMarkerView(class CMarkerDlg* view) { m_pMarkerView = view; }
    BOOL DeleteProjectOf(HTREEITEM item);
    void SetSort(UINT command);
    int ProjectCount() const { return static_cast<int>(m_projects.size()); }
    CProjOb* GetProject(int index) const;
    HTREEITEM GetCaretItem() const;
    CProjOb* GetCaretProject() const;
    CMenu* GetContextMenu(BOOL project) { return project ? &m_projectMenu : &m_memberMenu; }
    // Checks the sort items of both context menus after the flags.
    void UpdateSortMenus();

    // Markers of the caret item's project; FALSE when there is none.
    BOOL SetMarker(MarkerGroup group, UINT value);
    BOOL CommitMarkers();
    BOOL PassesFilter(const CProjOb& project) const;
    void SetFilter(const MarkerFilter& filter);
    const MarkerFilter& GetFilter() const { return m_filter; }
    void ApplyFilter();
    void DrawMarkers(const CProjOb& project, CDC* dc);
    void DrawAllMarkers(CDC* dc);
    HIMAGELIST GetMarkerImages(MarkerGroup group) const { return m_markerImages[static_cast<size_t>(group)]; }

    // Project clipboard (one slot, not the system clipboard).
    void OnCut();
    void OnCopy();
    void OnInsert();
    void OnCreateDesktopLink();
    void OnLoadIcon();
    void OnEditIcon();

    BOOL m_bSortByName = FALSE;
    BOOL m_bSortByDate = FALSE;
    BOOL m_bSortNone = FALSE;
    BOOL m_bSingleProject = TRUE;
    BOOL m_bFileNameTitles = TRUE;
    BOOL m_bKeepExtensions = FALSE;

private:
    void OnNewProject();
    void OnOpenProject();
    void OnInsertProject();
    void OnCloseProject();
    void OnSaveProject();
    void OnActivate();
    void OnInsertFromFile();
    void OnRemove();
    void OnViewObject();
    void OnRunObject();
    void OnToggleFolders();
    void OnNewWorksheet();
    void OnRenameItem();
    void OnNewSubproject();
    void OnDeleteProject();
    void OnSort(UINT id);
    void OnUpdateAlways(CCmdUI* cmdUI);
    void OnUpdateHasProject(CCmdUI* cmdUI);
    void OnUpdateActivate(CCmdUI* cmdUI);
    void OnUpdateHasMember(CCmdUI* cmdUI);
    void OnUpdateToggleFolders(CCmdUI* cmdUI);
    void OnUpdateDisabled(CCmdUI* cmdUI);
    void OnUpdateSort(CCmdUI* cmdUI);
    void SaveAll();
    // The file of the caret member; empty for links and other items, and (with a message) for missing members.
    CString CaretMemberFile() const;
    void RemoveProjectAt(int index);
    void ClearClipboard();
    CString RecentKey(LPCTSTR name) const;

    MarkerFilter m_filter;
    std::array<HIMAGELIST, MarkerGroupCount> m_markerImages {};
    CMenu m_memberMenu;
    CMenu m_projectMenu;
    std::vector<std::unique_ptr<CProjOb>> m_projects;
    CProjTreeCtrl* m_pTree = nullptr;
    class CMarkerDlg* m_pMarkerView = nullptr;
    int m_nActive = -1;
    BOOL m_bShowFolders = FALSE;

    BOOL m_bProjectOnClipboard = FALSE;
    BOOL m_bCut = FALSE;
    CProjOb* m_pCutProject = nullptr;
    CString m_copiedProjectPath;
    BOOL m_bEntryOnClipboard = FALSE;
    CString m_entryPath;
    CString m_entryTitle;

    DECLARE_MESSAGE_MAP()
};
