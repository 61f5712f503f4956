// Tool bars and the menu bar: command bars docked at an edge of the frame or floating in a
// small frame of their own, moved by their gripper.
#pragma once

#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPFloatingFrame.h"

class CXTPToolBar : public CXTPCommandBar, public CXTPFloatingContent {
    DECLARE_DYNCREATE(CXTPToolBar)
public:
    CXTPToolBar() = default;

    // Creates the window as a child of the site frame (or of another window, with an id).
    BOOL CreateToolBar(DWORD style, CWnd* parent, UINT id = 0);
    void SetVisible(BOOL visible) override;
    BOOL IsFloating() const { return m_barPosition == BarFloating; }
    CXTPFloatingFrame* GetFloatingFrame() const { return m_pFloatingFrame; }
    void SetFloatingFrame(CXTPFloatingFrame* frame) { m_pFloatingFrame = frame; }
    // Hides this bar and shows the bar `otherId` in its place (same edge, row and offset).
    virtual void ReplaceWith(UINT otherId, BOOL show);

    CString GetFloatingTitle() const override { return m_strTitle; }
    CSize GetFloatingSize() override;
    void OnFloatingClose() override { SetVisible(FALSE); }
    BOOL OnFloatingDropped(CPoint screenPt) override;
    void OnFloatingFrameDestroyed() override { m_pFloatingFrame = nullptr; }
    void OnFloatingDoubleClick() override;
    void OnFloatingResized() override;
    // Where the bar was docked before it floated.
    BarDockPosition m_lastDockPosition = BarTop;
    int m_nLastRow = 0x7FFF;
    int m_nLastOffset = 0;
    // Docks at the edge near a screen point, or floats there; TRUE when it docked.
    BOOL DropAt(CPoint screenPt);

    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    // A double click on the gripper floats the bar; elsewhere it is a second click.
    void OnLButtonDblClk(UINT flags, CPoint point);

protected:
    // Where a drop at the screen point docks (BarFloating away from the edges, BarNone
    // without a site).
    BarDockPosition SideAt(CPoint screenPt) const;
    int GripperSize() const override;
    void OnGripperDrag(CPoint point) override;

    CXTPFloatingFrame* m_pFloatingFrame = nullptr;
    BOOL m_bDragging = FALSE;

    DECLARE_MESSAGE_MAP()
};

class CXTPMenuBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CXTPMenuBar)
public:
    // Builds the top-level drop-downs from the menu resource.
    BOOL LoadMenuBar(UINT menuId);
    UINT GetMenuId() const { return m_nMenuId; }
    BOOL OnKeyboardKey(UINT vk) override;

protected:
    UINT m_nMenuId = 0;
};
