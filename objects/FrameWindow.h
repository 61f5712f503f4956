// The window of a run document as the frame object sees it; the window layer adapts its
// frame window to this.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CFrameWindow {
public:
    // Window style bits and positioning flags, with the system's values.
    static constexpr DWORD StyleMinimizeBox = 0x20000;
    static constexpr DWORD StyleMaximizeBox = 0x10000;
    static constexpr DWORD StyleThickFrame = 0x40000;
    static constexpr DWORD ExStyleContextHelp = 0x400;
    static constexpr UINT PosNoSize = 0x1;
    static constexpr UINT PosNoMove = 0x2;
    static constexpr UINT PosNoZOrder = 0x4;
    static constexpr UINT PosFrameChanged = 0x20;

    virtual ~CFrameWindow() = default;
    virtual BOOL IsMaximized() const = 0;
    virtual DWORD GetStyle() const = 0;
    virtual DWORD GetExStyle() const = 0;
    virtual void ModifyStyle(DWORD remove, DWORD add) = 0;
    virtual void ModifyStyleEx(DWORD remove, DWORD add) = 0;
    virtual void SetWindowText(LPCTSTR text) = 0;
    virtual void GetWindowRect(RECT* rect) const = 0;
    virtual void GetClientRect(RECT* rect) const = 0;
    virtual void SetWindowPos(int width, int height, UINT flags) = 0;
};
