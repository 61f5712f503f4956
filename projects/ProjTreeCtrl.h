// The tree of the project pane: projects, subprojects and members, with the markers drawn
// right of each project's label, in-place renaming, drag and drop of projects and members,
// a context menu, marker tooltips and files or text dropped from other programs.
#pragma once

#include "projects/ProjDropTarget.h"
#include "projects/ProjectMarkers.h"

#include "platform/gdi/ImageList.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/TreeCtrl.h"

#include <memory>
#include <vector>

class CProjManager;
class CProjOb;

// The in-place edit of the tree: reports keys and the loss of focus to its owner.
class CRenameEdit : public CEdit {
public:
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* next);

    DECLARE_MESSAGE_MAP()
};

class CProjTreeCtrl : public CTreeCtrl {
public:
    static constexpr UINT IdcTree = 33000;
    static constexpr int CellLeft = 4;
    static constexpr int CellStep = 20;
    static constexpr int CellWidth = 16;
    // The edit reports to the tree with this message: event 1 a key (the key code), 3 the focus lost.
    static UINT EditNotifyMessage() { return s_editNotify; }
    static const UINT s_editNotify;

    explicit CProjTreeCtrl(CProjManager* manager) : m_pManager(manager) {}
    ~CProjTreeCtrl() override;

    BOOL CreateTree(CWnd* parent);
    CProjManager* GetManager() const { return m_pManager; }

    // In-place rename of the caret item.
    void BeginRename();
    void EndRename(BOOL cancel);
    BOOL IsRenaming() const { return m_bRenaming; }
    CEdit& GetRenameEdit() { return m_edit; }

    // Moves a project or a member onto the target item.
    void DropItem(HTREEITEM dragged, HTREEITEM target);
    // The project under a client point (the first open one on empty space), highlighted.
    CProjOb* DropTargetAt(CPoint client);
    // Files or a link dropped from outside at a client point.
    void DropFiles(const std::vector<CString>& files, CPoint client);
    void DropText(const CString& text, CPoint client);

    // The marker cell of a project item under a client point.
    BOOL MarkerCellAt(CPoint client, HTREEITEM* item, MarkerGroup* group, CRect* cell) const;
    // The tooltip text of the marker under a client point; FALSE for none.
    BOOL MarkerTipAt(CPoint client, CString& text) const;

    int OnCreate(LPCREATESTRUCT cs);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnItemExpanded(NMHDR* header, LRESULT* result);
    void OnSelChanged(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);
    LRESULT OnEditNotify(WPARAM event, LPARAM parameter);

private:
    void OpenMember(HTREEITEM item);
    void RenameMember(HTREEITEM item, const CString& text);
    void DropProject(HTREEITEM dragged, HTREEITEM target);
    void DropMember(HTREEITEM dragged, HTREEITEM target);
    void ShowContextMenu(HTREEITEM item, CPoint client);
    void EndDragImage();
    // Ends a drag without dropping; gives the item that was dragged.
    HTREEITEM EndDrag();
    void MoveDragImage(CPoint client);

    CProjManager* m_pManager;
    CImageList m_images;
    CRenameEdit m_edit;
    CProjDropTarget m_dropTarget;
    CToolTipCtrl m_tips;
    HTREEITEM m_hRenameItem = nullptr;
    BOOL m_bRenaming = FALSE;
    HTREEITEM m_hDragItem = nullptr;
    // The picture of the dragged item that follows the mouse.
    std::unique_ptr<CImageList> m_dragImage;
    CString m_tipText;

    DECLARE_MESSAGE_MAP()
};
