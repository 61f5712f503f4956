// Two small controls laid over a row of a list or tree to rename an item or press a button in
// place. Both report to their owner (the window they were created in) through the registered
// message "ipc_CtrlMsg" with a record as lParam; a nonzero answer hides the control.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"

struct InPlaceCtrlNotify {
    HWND window;   // the control, or 0 for the button's click and focus loss
    UINT code;     // CodeKey, CodeClicked or CodeFocusLost
    UINT_PTR value; // the key, the control id, or the window that gets the focus
    LONG x, y;     // the mouse on the screen
};

namespace InPlaceCtrl {
constexpr UINT CodeKey = 1, CodeClicked = 2, CodeFocusLost = 3;
// The registered message, the same id in the whole process.
UINT NotifyMessage();
} // namespace InPlaceCtrl

class CInPlaceEdit : public CEdit {
    DECLARE_DYNCREATE(CInPlaceEdit)
public:
    // Moves the hidden edit over the rectangle, selects its text and takes the focus; nothing
    // when it is already shown or the rectangle is empty.
    void ShowAt(const RECT& rect);
    // Hides the edit and gives the focus back to its owner.
    void Hide();
    HWND GetOwnerWindow() const { return m_owner; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Escape and Return go to the owner, never into the text.
    BOOL PreTranslateMessage(MSG* msg) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnKillFocus(CWnd* next);

protected:
    HWND m_owner = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CInPlaceButton : public CButton {
    DECLARE_DYNCREATE(CInPlaceButton)
public:
    void Hide();
    BOOL IsClicking() const { return m_clicking; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnKillFocus(CWnd* next);
    BOOL OnClicked();

protected:
    HWND m_owner = nullptr;
    BOOL m_clicking = FALSE;

    DECLARE_MESSAGE_MAP()
};
