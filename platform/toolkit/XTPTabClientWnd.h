// The tabbed MDI client: takes over the frame's MDI client window and shows a row of tabs,
// one per child frame, captioned with the frames' titles; a click activates a frame, the
// close box closes the active one, and other mouse messages on the row go to the frame.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

class CXTPMDIFrameWnd;

enum TabRowPosition : int { TabPositionTop = 0, TabPositionLeft = 1, TabPositionBottom = 2, TabPositionRight = 3 };

class CXTPTabClientWnd : public CWnd {
public:
    static constexpr int kRowHeight = 22;

    CXTPTabClientWnd() = default;
    ~CXTPTabClientWnd() override;

    BOOL Attach(CXTPMDIFrameWnd* frame, BOOL enableGroups = FALSE);
    void Detach();
    // The frame's window is going away (the client with it).
    void OnFrameDestroyed() { m_pFrame = nullptr; }
    TabRowPosition GetTabPosition() const { return m_position; }
    void SetTabPosition(TabRowPosition position);
    // Takes the child frames and their titles again and redraws the row when they changed.
    void SyncTabs();
    void Refresh();
    // Print preview hides the client and its tabs.
    void ShowWorkspace(BOOL show);

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    HWND GetItemFrame(int index) const;
    CString GetItemCaption(int index) const;
    // In window coordinates of the client.
    CRect GetItemRect(int index) const;
    CRect GetCloseRect() const;
    CRect GetRowRect() const;
    // The child frame whose tab lies under the screen point, null elsewhere.
    HWND HitTest(CPoint screenPt) const;

    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    LRESULT OnNcRButton(WPARAM hitTest, LPARAM point);
    LRESULT OnChildChange(WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        HWND frame;
        CString caption;
        bool operator==(const Item& other) const { return frame == other.frame && caption == other.caption; }
    };
    BOOL InRow(CPoint screenPt) const;
    void DrawRow(CDC* dc);
    void ForwardMouse(UINT message, CPoint screenPt);

    CXTPMDIFrameWnd* m_pFrame = nullptr;
    TabRowPosition m_position = TabPositionTop;
    std::vector<Item> m_items;
    HWND m_hActive = nullptr;
    CRect m_rowRect{0, 0, 0, 0}; // window coordinates, set as the client area is computed

    DECLARE_MESSAGE_MAP()
};
