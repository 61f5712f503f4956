// The task panel: groups with captions that expand and collapse, holding links with icons,
// texts and hosted windows; a click on a link tells the panel's owner.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CImageList;
class CXTPTaskPanel;

enum TaskItemType : int { TaskItemGroup = 0, TaskItemLink = 1, TaskItemText = 2, TaskItemControl = 3 };

class CXTPTaskItem {
public:
    CXTPTaskItem(CXTPTaskPanel* panel, TaskItemType type, UINT id) : m_pPanel(panel), m_type(type), m_nId(id) {}
    virtual ~CXTPTaskItem() = default;

    UINT GetID() const { return m_nId; }
    void SetID(UINT id) { m_nId = id; }
    TaskItemType GetType() const { return m_type; }
    void SetType(TaskItemType type) { m_type = type; }
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
    TaskItemType m_type;
    UINT m_nId;
    CString m_strCaption;
    int m_nIcon = -1;
    CRect m_rect{0, 0, 0, 0};
    HWND m_hwndControl = nullptr;
};

class CXTPTaskGroup : public CXTPTaskItem {
public:
    CXTPTaskGroup(CXTPTaskPanel* panel, UINT id) : CXTPTaskItem(panel, TaskItemGroup, id) {}

    CXTPTaskItem* AddLink(UINT id, int iconIndex = -1);
    CXTPTaskItem* AddText(LPCTSTR text);
    CXTPTaskItem* AddControlItem(HWND control);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CXTPTaskItem* GetAt(int index) const;
    CXTPTaskItem* FindItem(UINT id) const;
    void RemoveItem(CXTPTaskItem* item);
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL expanded);
    // The caption band of the group.
    CRect GetCaptionRect() const { return m_rect; }

private:
    CXTPTaskItem* Add(std::unique_ptr<CXTPTaskItem> item);

    std::vector<std::unique_ptr<CXTPTaskItem>> m_items;
    BOOL m_bExpanded = TRUE;
};

class CXTPTaskPanel : public CWnd {
public:
    static constexpr int kMargin = 8, kCaptionHeight = 25, kLinkHeight = 20, kItemPadding = 6;

    CXTPTaskPanel() = default;
    ~CXTPTaskPanel() override = default;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    CXTPTaskGroup* AddGroup(UINT id, int iconIndex = -1);
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    CXTPTaskGroup* GetAt(int index) const;
    CXTPTaskGroup* FindGroup(UINT id) const;
    // Not owned; icons of the items are drawn from it.
    void SetImageList(CImageList* images, CSize size = CSize(16, 16));
    // 0 flat, 1 system look, 2 blue.
    void SetTheme(int theme);
    int GetCurrentTheme() const { return m_nTheme; }
    // Lays the groups and items out again after a change.
    void RecalcLayout();
    CXTPTaskItem* HitTestItem(CPoint point) const;
    CXTPTaskItem* GetHotItem() const { return m_pHot; }
    void OnItemRemoved(const CXTPTaskItem* item);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

private:
    void DrawItem(CDC* dc, CXTPTaskItem* item, COLORREF text) const;

    std::vector<std::unique_ptr<CXTPTaskGroup>> m_groups;
    CImageList* m_pImages = nullptr;
    CSize m_iconSize{16, 16};
    int m_nTheme = 0;
    CXTPTaskItem* m_pHot = nullptr;

    DECLARE_MESSAGE_MAP()
};
