// Docking panes: windows of the program hosted in panes that dock to an edge of the frame in
// groups (several panes of a group show as tabs), float in small frames, close and show
// again, and keep their arrangement as a layout in the profile.
#pragma once

#include "platform/toolkit/XTPFloatingFrame.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CFrameWnd;
class CXTPDockingPaneManager;
class CXTPIconStore;
class CXTPPaneGroup;

enum PaneDockDirection : int { PaneDockLeft = 0, PaneDockRight = 1, PaneDockTop = 2, PaneDockBottom = 3 };

class CXTPDockingPane : public CObject {
    DECLARE_DYNAMIC(CXTPDockingPane)
public:
    CXTPDockingPane(CXTPDockingPaneManager* manager, UINT id) : m_pManager(manager), m_nId(id) {}

    UINT GetID() const { return m_nId; }
    // "Long title\nShort title": the caption shows the first part, a tab the second.
    void SetTitle(LPCTSTR title);
    CString GetTitle() const;
    CString GetShortTitle() const;
    void Attach(CWnd* wnd);
    CWnd* GetHostedWindow() const { return m_pChild; }
    BOOL IsClosed() const { return m_bClosed; }
    // Open and the selected tab of its group.
    BOOL IsSelected() const;
    void Close();
    void Select();
    CXTPPaneGroup* GetGroup() const { return m_pGroup; }
    CXTPDockingPaneManager* GetDockingPaneManager() const { return m_pManager; }

private:
    friend class CXTPDockingPaneManager;
    friend class CXTPPaneGroup;
    CXTPDockingPaneManager* m_pManager;
    UINT m_nId;
    CString m_strTitle;
    CWnd* m_pChild = nullptr;
    BOOL m_bClosed = FALSE;
    CXTPPaneGroup* m_pGroup = nullptr;
};

// A saved arrangement of the panes.
class CXTPPaneLayout {
public:
    explicit CXTPPaneLayout(CXTPDockingPaneManager* manager) : m_pManager(manager) {}
    // Profile section "DockingPaneLayouts", entry `name`; FALSE when missing or unreadable.
    BOOL Load(LPCTSTR name);
    void Save(LPCTSTR name) const;
    const std::vector<BYTE>& GetRecord() const { return m_record; }
    void SetRecord(std::vector<BYTE> record) { m_record = std::move(record); }
    BOOL IsValid() const;

private:
    CXTPDockingPaneManager* m_pManager;
    std::vector<BYTE> m_record;
};

class CXTPDockingPaneManager : public CCmdTarget {
    DECLARE_DYNAMIC(CXTPDockingPaneManager)
public:
    CXTPDockingPaneManager();
    ~CXTPDockingPaneManager() override;

    BOOL InstallDockingPanes(CFrameWnd* site);
    CFrameWnd* GetSite() const { return m_pSite; }
    // The site's window is going away (with the pane windows, its children).
    void OnSiteDestroyed() { m_pSite = nullptr; }
    void SetTheme(int theme);
    int GetCurrentTheme() const { return m_nTheme; }

    // A new open pane in a group of its own at the edge; `rect` gives its width (left, right)
    // or height (top, bottom).
    CXTPDockingPane* CreatePane(UINT id, const CRect& rect, PaneDockDirection direction,
                                CXTPDockingPane* neighbour = nullptr);
    // Moves the pane into the neighbour's group, as a tab.
    void AttachAsTab(CXTPDockingPane* pane, CXTPDockingPane* neighbour);
    void DockToEdge(CXTPDockingPane* pane, PaneDockDirection direction, CXTPDockingPane* neighbour = nullptr);
    void FloatInFrame(CXTPDockingPane* pane, const CRect& screenRect);
    CXTPDockingPane* FindPane(UINT id) const;
    void ShowPane(UINT id);
    void ShowPane(CXTPDockingPane* pane);
    void ClosePane(UINT id);
    void ClosePane(CXTPDockingPane* pane);
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    CXTPDockingPane* GetPaneAt(int index) const;
    void SetIcons(UINT bitmapId, const UINT* ids, int count, COLORREF mask);
    CXTPIconStore* GetIconStore() const { return m_pImages.get(); }

    CXTPPaneLayout* NewLayout() { return new CXTPPaneLayout(this); }
    void ReadLayout(CXTPPaneLayout* layout) const;
    // A damaged or foreign layout is refused (FALSE) and the panes stay as they are.
    BOOL ApplyLayout(const CXTPPaneLayout* layout);
    std::vector<BYTE> GetLayoutRecord() const;
    BOOL SetLayoutRecord(const std::vector<BYTE>& record);

    // Places the docked groups inside the rectangle (site client coordinates) and returns the rest.
    CRect LayoutInFrame(const CRect& client);
    void RecalcLayout();
    const std::vector<CXTPPaneGroup*>& GetGroups() const { return m_groups; }
    // Tells the site; the answer of the notification.
    LRESULT Notify(WPARAM action, CXTPDockingPane* pane) const;
    void OnGroupDropped(CXTPPaneGroup* group, CPoint screenPt);
    // A tab dragged out of its group: the pane leaves the group for an edge near the point,
    // or floats there.
    void OnTabDropped(CXTPDockingPane* pane, CPoint screenPt);
    // Docks a (floating) group to an edge: 0 left, 1 right, 2 top, 3 bottom.
    void DockGroup(CXTPPaneGroup* group, int side);

private:
    CXTPPaneGroup* NewGroup(int side, int size);
    void FloatGroup(CXTPPaneGroup* group, const CRect& screenRect);
    void RemoveEmptyGroups();
    // Makes sure the selected pane of a shown group has its window (asking the site).
    void EnsureChild(CXTPDockingPane* pane);

    CFrameWnd* m_pSite = nullptr;
    int m_nTheme = 0;
    std::vector<std::unique_ptr<CXTPDockingPane>> m_panes;
    std::vector<CXTPPaneGroup*> m_groups;
    std::unique_ptr<CXTPIconStore> m_pImages;
};

// A group of panes at one edge or floating: a caption with the selected pane's title and a
// close box, the pane's window, and tabs when more than one pane is open.
class CXTPPaneGroup : public CWnd, public CXTPFloatingContent {
public:
    static constexpr int kCaptionHeight = 18, kTabHeight = 22, kSplitter = 4, kTabPadding = 4, kTabIcon = 16;

    CXTPPaneGroup(CXTPDockingPaneManager* manager, int side, int size)
        : m_pManager(manager), m_nSide(side), m_nSize(size)
    {
    }
    ~CXTPPaneGroup() override;

    // 0 left, 1 right, 2 top, 3 bottom, 4 floating.
    int GetSide() const { return m_nSide; }
    void SetSide(int side) { m_nSide = side; }
    int GetSize() const { return m_nSize; }
    void SetSize(int size) { m_nSize = size; }
    std::vector<CXTPDockingPane*>& Panes() { return m_panes; }
    const std::vector<CXTPDockingPane*>& Panes() const { return m_panes; }
    std::vector<CXTPDockingPane*> OpenPanes() const;
    // Takes the pane out; a selected pane passes the selection to the first open one left.
    void RemovePane(CXTPDockingPane* pane);
    CXTPDockingPane* GetSelected() const { return m_pSelected; }
    void SetSelected(CXTPDockingPane* pane);
    BOOL HasOpenPanes() const { return !OpenPanes().empty(); }
    CXTPFloatingFrame* GetFloatingFrame() const { return m_pMini; }
    void SetFloatingFrame(CXTPFloatingFrame* mini) { m_pMini = mini; }
    CRect m_rcFloating{0, 0, 0, 0};

    BOOL CreateGroup(CWnd* parent);
    // Places the pane windows: the selected one fills the content area, the others hide.
    void Arrange();
    CRect GetContentRect() const;
    CRect GetTabRect(int index) const;
    // A tab shows its caption beside its icon when all tabs fit whole, and the selected tab always.
    BOOL TabShowsCaption(int index) const;
    CRect GetCloseRect() const;
    int HitTestTab(CPoint point) const;

    CString GetFloatingTitle() const override;
    CSize GetFloatingSize() override { return CSize(m_rcFloating.Width() > 0 ? m_rcFloating.Width() : 200, 300); }
    void OnFloatingClose() override;
    BOOL OnFloatingDropped(CPoint screenPt) override;
    void OnFloatingFrameDestroyed() override { m_pMini = nullptr; }
    void OnFloatingDoubleClick() override;
    void OnFloatingResized() override;
    // The edge the group was docked to before it floated.
    int m_nLastSide = 1;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

private:
    CRect SplitterRect() const;
    // The widths of the open panes' tabs: icon and whole caption, or the icon alone.
    std::vector<int> TabWidths() const;
    int WholeTabWidth(const CXTPDockingPane* pane) const;
    // Gives a pane's window back to the site, hidden, so it outlives this group's window.
    void ReleaseChild(CXTPDockingPane* pane);

    CXTPDockingPaneManager* m_pManager;
    int m_nSide;
    int m_nSize;
    std::vector<CXTPDockingPane*> m_panes;
    CXTPDockingPane* m_pSelected = nullptr;
    CXTPFloatingFrame* m_pMini = nullptr;
    enum class Drag { None, Caption, Splitter, Tab } m_drag = Drag::None;
    CPoint m_dragStart{0, 0};
    int m_startSize = 0;

    DECLARE_MESSAGE_MAP()
};
