// The window that shows the active catalogue's entries inside the catalogue manager: a grid
// of icon tiles with names, icons only, names only or one column. Entries are selected,
// renamed in place, copied, pasted, dragged out, dropped in, removed and given new icons;
// every change goes through the manager's change with undo.
#pragma once

#include "projects/CatNameEdit.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ui/Wnd.h"

class CCatalogue;
class CCatalogueOb;
class CCatManager;
class CCatSettings;
class COleDataObject;
class COleDataSource;

// Passes drags over the window on to it.
class CCatDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
};

class CCatWnd : public CWnd {
    DECLARE_DYNCREATE(CCatWnd)
public:
    enum ViewMode { IconsAndNames, IconsOnly, NamesOnly, SingleColumn };
    enum ItemPart { WholeCell, IconTile, NamePart };
    static constexpr UINT CmdCopy = 60672, CmdPaste = 60673, CmdRemove = 60674, CmdFirstView = 60675,
                          CmdLastView = 60678, CmdChangeIcon = 60682, CmdEditIcon = 60684;
    static constexpr UINT MultiLineEditId = 28612, SingleLineEditId = 28613;

    CCatWnd() = default;
    ~CCatWnd() override;

    BOOL Create(CWnd* parent, int width, int height, UINT id, DWORD style);
    void SetSettings(CCatSettings* settings) { m_settings = settings; }
    void SetCatalogue(CCatalogue* catalogue);
    CCatalogue* GetCatalogue() const { return m_catalogue; }

    virtual void SelectItem(int index);
    int GetSelection() const { return m_selection; }
    int GetViewMode() const { return m_viewMode; }
    void SetViewMode(int mode);
    int GetColumns() const { return m_columns; }
    int GetLeftOffset() const { return m_leftOffset; }
    int GetTextHeight() const { return m_textHeight; }

    // Layout and geometry.
    void RecalcLayout();
    CRect GetItemRect(int index, ItemPart part) const;
    int HitTestItem(int x, int y, ItemPart part) const;
    int GetInsertPosition(int x, int y) const;
    // One line of `name` from `start` that fits `width`; `next` is where the following line starts.
    static CString WrapLine(CDC* dc, const CString& name, int start, int width, BOOL last, int& next);

    // Data exchange.
    virtual BOOL FillDataSource(COleDataSource* source, CCatalogueOb* entry);
    virtual BOOL InsertData(COleDataObject* data, int index);
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
    BOOL CanChange() const;

    // Rename in place.
    void BeginRename(int index);
    void EndRename();
    BOOL IsRenaming() const;
    void OnNameEditDone(const CString& text, BOOL cancelled);

    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKillFocus(CWnd* newWnd);
    void OnWindowPosChanged(WINDOWPOS* pos);
    LRESULT OnSysColorChange(WPARAM, LPARAM);
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    void OnCopy();
    void OnUpdateCopy(CCmdUI* cmdUI);
    void OnPaste();
    void OnUpdatePaste(CCmdUI* cmdUI);
    void OnRemove();
    void OnUpdateChange(CCmdUI* cmdUI);
    void OnViewMode(UINT id);
    void OnUpdateViewMode(CCmdUI* cmdUI);
    void OnChangeIcon();
    void OnEditIcon();
    void OnUpdateEditIcon(CCmdUI* cmdUI);

protected:
    virtual void DrawItem(CDC* dc, int index);
    virtual void DrawItemBackground(CDC* dc, int index);
    virtual void DrawItemIcon(CDC* dc, int index);
    virtual void DrawItemText(CDC* dc, int index);

private:
    int ItemAt(CPoint point) const;
    BOOL IsSelectedShown(int index) const;
    void StartDrag(int index);
    CCatalogueOb* EntryFromData(COleDataObject* data) const;
    CCatalogueOb* EntryFromText(COleDataObject* data) const;
    CCatalogueOb* EntryFromDib(COleDataObject* data) const;
    int CellHeight() const;
    void ScrollTo(int position);

    CCatSettings* m_settings = nullptr;
    CCatalogue* m_catalogue = nullptr;
    CCatManager* m_manager = nullptr;
    int m_viewMode = 0;
    int m_textHeight = -1;
    int m_columns = 1;
    int m_leftOffset = 0;
    CFont m_itemFont;
    CCatNameEdit m_multiLineEdit;
    CCatNameEdit m_singleLineEdit;
    int m_selection = -1;
    int m_dragSource = -1;
    CCatDropTarget m_dropTarget;
    // A press on an entry becomes a drag once the mouse moves far enough with the button held.
    int m_pressedItem = -1;
    CPoint m_pressedAt;
    BOOL m_renameOnRelease = FALSE;
    int m_scroll = 0;
    int m_scrollMax = 0;

    DECLARE_MESSAGE_MAP()
};
