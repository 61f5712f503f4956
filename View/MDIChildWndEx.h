// The child frame base of every document window: each window takes a number from a small
// wrapping sequence, commands change it, a private message asks for it, and the window is
// always shown maximised.
#pragma once

#include "platform/ui/MDIChildWnd.h"

class CCmdUI;

class CMDIChildWndEx : public CMDIChildWnd {
    DECLARE_DYNCREATE(CMDIChildWndEx)
public:
    static constexpr UINT FirstNumber = 0x1000000;
    static constexpr UINT LastNumber = 0x1000007;
    static constexpr UINT NoNumber = 0xFFFFFF;
    static constexpr UINT WM_GETWINDOWNUMBER = 0x486;
    static constexpr UINT FirstNumberCommand = 797;
    static constexpr UINT LastNumberCommand = 804;
    static constexpr UINT ClearNumberCommand = 808;

    CMDIChildWndEx();

    UINT GetWindowNumber() const { return m_windowNumber; }
    void ActivateFrame(int cmdShow = -1) override;

    LRESULT OnGetWindowNumber(WPARAM, LPARAM);
    void OnSetWindowNumber(UINT id);
    void OnUpdateSetWindowNumber(CCmdUI* cmdUI);
    void OnClearWindowNumber();
    void OnUpdateClearWindowNumber(CCmdUI* cmdUI);

    UINT m_windowNumber;

    DECLARE_MESSAGE_MAP()
};
