// Drop-down bars: menus opened from a pop-up control, and drop-down tool bars. They are
// pop-up windows; a chain of open drop-downs closes together.
#pragma once

#include "platform/toolkit/XTPCommandBar.h"

class CXTPControlPopup;

class CXTPPopupBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPPopupBar)
public:
    CXTPPopupBar();
    static CXTPPopupBar* CreatePopupBar(CXTPCommandBars* commandBars);

    // Opens at a screen point (below or beside `exclude`, kept on the screen).
    BOOL Popup(CXTPControlPopup* owner, CPoint screenPt, const CRect& exclude);
    // Closes this drop-down and those opened from it.
    void ClosePopup();
    BOOL IsOpen() const { return m_hWnd && IsWindowVisible(); }
    CXTPControlPopup* GetOwnerControl() const { return m_pOwnerControl; }
    CXTPPopupBar* GetOpenChild() const { return m_pOpenChild; }
    void SetOpenChild(CXTPPopupBar* child) { m_pOpenChild = child; }
    // Expanded drop-downs show the rarely used commands too; only a click on the strip at the
    // bottom expands one that is open.
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL expanded);
    BOOL HasHiddenCommands() const;
    BOOL ShowsHiddenCommands() const override;
    void SetWidth(int width) { m_nWidth = width; }
    CSize CalcDockingLayout(int length, DWORD mode) override;
    BOOL OnKeyboardKey(UINT vk) override;
    void ActivateControl(int index, BOOL byKeyboard) override;
    void OnUpdateCmdUI() override;

    // The strip at the top that tears the drop-down off (empty when it cannot tear off).
    CRect TearOffRect() const;
    void OnLButtonDown(UINT flags, CPoint point);
    // A sub-menu opens when the pointer rests on its row, and the one open closes when the
    // pointer rests on another row.
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);

protected:
    static constexpr int kTearOffHeight = 7;
    static constexpr UINT_PTR kRestTimer = 2;
    static constexpr UINT kRestDelay = 300;
    void OpenRestingSubMenu();
    void DrawBar(CDC* dc) override;
    int GripperSize() const override { return 0; }
    int TopMargin() const override { return 2 + (m_bTearOff ? kTearOffHeight : 0); }
    // The strip at the bottom that expands the drop-down (empty when not shown).
    CRect ExpandRect() const;
    void OnLButtonUp(UINT flags, CPoint point);

    CXTPControlPopup* m_pOwnerControl = nullptr;
    CXTPPopupBar* m_pOpenChild = nullptr;
    BOOL m_bExpanded = FALSE;
    int m_nWidth = 0;
    int m_nResting = -1;

    DECLARE_MESSAGE_MAP()
};

// A drop-down whose controls sit in rows like a tool bar, wrapping at its width.
class CXTPPopupToolBar : public CXTPPopupBar {
    DECLARE_DYNCREATE(CXTPPopupToolBar)
public:
    static CXTPPopupToolBar* CreatePopupToolBar(CXTPCommandBars* commandBars);
    BOOL IsHorizontal() const override { return TRUE; }
    CSize CalcDockingLayout(int length, DWORD mode) override;
    BOOL OnKeyboardKey(UINT vk) override;
};
