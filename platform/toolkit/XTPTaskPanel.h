// The task panel: groups with captions that expand and collapse, holding links with icons,
// texts and hosted windows; a click on a link tells the panel's owner.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CImageList;
class CXTPTaskPanel;

enum XTPTaskPanelItemType : int { TaskItemGroup = 0, TaskItemLink = 1, TaskItemText = 2, TaskItemControl = 3 };

class CXTPTaskPanelItem {
public:
    CXTPTaskPanelItem(CXTPTaskPanel* panel, XTPTaskPanelItemType type, UINT id) : m_pPanel(panel), m_type(type), m_nId(id) {}
    virtual ~CXTPTaskPanelItem() = default;

    UINT GetID() const { return m_nId; }
    void SetID(UINT id) { m_nId = id; }
    XTPTaskPanelItemType GetType() const { return m_type; }
    void SetType(XTPTaskPanelItemType type) { m_type = type; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCTSTR caption);
    int GetIconIndex() const { return m_nIcon; }
    void SetIconIndex(int index) { m_nIcon = index; }
    // Panel client coordinates, set by the panel's layout.
    CRect GetItemRect() const { return m_rect; }
    void SetItemRect(const CRect& rect) { m_rect = rect; }
    CXTPTaskPanel* GetTaskPanel() const { return m_pPanel; }
    // The hosted window of a control item.
    HWND GetControlHandle() const { return m_hwndControl; }
    void SetControlHandle(HWND hwnd) { m_hwndControl = hwnd; }

protected:
    CXTPTaskPanel* m_pPanel;
    XTPTaskPanelItemType m_type;
    UINT m_nId;
    CString m_strCaption;
    int m_nIcon = -1;
    CRect m_rect{0, 0, 0, 0};
    HWND m_hwndControl = nullptr;
};

class CXTPTaskPanelGroup : public CXTPTaskPanelItem {
public:
    CXTPTaskPanelGroup(CXTPTaskPanel* panel, UINT id) : CXTPTaskPanelItem(panel, TaskItemGroup, id) {}

    CXTPTaskPanelItem* AddLinkItem(UINT id, int iconIndex = -1);
    CXTPTaskPanelItem* AddTextItem(LPCTSTR text);
    CXTPTaskPanelItem* AddControlItem(HWND control);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CXTPTaskPanelItem* GetAt(int index) const;
    CXTPTaskPanelItem* FindItem(UINT id) const;
    void RemoveItem(CXTPTaskPanelItem* item);
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL expanded);
    // The caption band of the group.
    CRect GetCaptionRect() const { return m_rect; }

private:
    CXTPTaskPanelItem* Add(std::unique_ptr<CXTPTaskPanelItem> item);

    std::vector<std::unique_ptr<CXTPTaskPanelItem>> m_items;
    BOOL m_bExpanded = TRUE;
};

class CXTPTaskPanel : public CWnd {
public:
    static constexpr int kMargin = 8, kCaptionHeight = 25, kLinkHeight = 20, kItemPadding = 6;

    CXTPTaskPanel() = default;
    ~CXTPTaskPanel() override = default;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    CXTPTaskPanelGroup* AddGroup(UINT id, int iconIndex = -1);
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    CXTPTaskPanelGroup* GetAt(int index) const;
    CXTPTaskPanelGroup* FindGroup(UINT id) const;
    // Not owned; icons of the items are drawn from it.
    void SetImageList(CImageList* images, CSize size = CSize(16, 16));
    // 0 flat, 1 system look, 2 blue.
    void SetTheme(int theme);
    int GetCurrentTheme() const { return m_nTheme; }
    // Lays the groups and items out again after a change.
    void Reposition();
    CXTPTaskPanelItem* HitTestItem(CPoint point) const;
    CXTPTaskPanelItem* GetHotItem() const { return m_pHot; }
    void OnItemRemoved(const CXTPTaskPanelItem* item);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

private:
    void DrawItem(CDC* dc, CXTPTaskPanelItem* item, COLORREF text) const;

    std::vector<std::unique_ptr<CXTPTaskPanelGroup>> m_groups;
    CImageList* m_pImages = nullptr;
    CSize m_iconSize{16, 16};
    int m_nTheme = 0;
    CXTPTaskPanelItem* m_pHot = nullptr;

    DECLARE_MESSAGE_MAP()
};
