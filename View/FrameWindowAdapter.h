// A frame window as the frame object sees it.
#pragma once

#include "objects/FrameWindow.h"

class CWnd;

class CFrameWindowAdapter : public CFrameWindow {
public:
    explicit CFrameWindowAdapter(CWnd* wnd) : m_wnd(wnd) { }

    BOOL IsMaximized() const override;
    DWORD GetStyle() const override;
    DWORD GetExStyle() const override;
    void ModifyStyle(DWORD remove, DWORD add) override;
    void ModifyStyleEx(DWORD remove, DWORD add) override;
    void SetWindowText(LPCTSTR text) override;
    void GetWindowRect(RECT* rect) const override;
    void GetClientRect(RECT* rect) const override;
    void SetWindowPos(int width, int height, UINT flags) override;

private:
    CWnd* m_wnd;
};
