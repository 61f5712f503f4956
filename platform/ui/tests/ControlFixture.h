// A top-level window whose procedure records or answers what controls send their parent.
#pragma once

#include "UiFixture.h"

#include <vector>

inline HWND MakeWatchingParent(const char* className, WNDPROC proc, std::vector<HWND>& windows, RECT r)
{
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, className, &wc)) {
        wc.lpfnWndProc = proc;
        wc.lpszClassName = className;
        RegisterClass(&wc);
    }
    HWND h = CreateWindowEx(0, className, "", WS_OVERLAPPED | WS_VISIBLE, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    windows.push_back(h);
    return h;
}
