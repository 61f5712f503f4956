#include "platform/ui/DragImage.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/UiApi.h"

namespace {

constexpr const char* kDragImageClass = "VantrelDragImage";

struct DragImage {
    HIMAGELIST list = nullptr;
    int index = 0;
    POINT hotSpot {};
    HWND window = nullptr;
    HWND lock = nullptr;
};

DragImage& Drag()
{
    static DragImage drag;
    return drag;
}

LRESULT DragImageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint {};
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client {};
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        ImageList_Draw(Drag().list, Drag().index, dc, 0, 0, ILD_NORMAL);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return TRUE;
    // As small as its picture: no frame asks for more.
    case WM_GETMINMAXINFO: reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1}; return 0;
    // The picture never takes the mouse from the window under it.
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

HWND MakeWindow(int width, int height)
{
    WNDCLASS wc {};
    if (!GetClassInfo(nullptr, kDragImageClass, &wc)) {
        wc.lpfnWndProc = DragImageProc;
        wc.lpszClassName = kDragImageClass;
        RegisterClass(&wc);
    }
    return CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kDragImageClass, "", WS_POPUP, 0, 0, width, height,
                          nullptr, nullptr, nullptr, nullptr);
}

// The image's top left for a mouse point of the lock window.
POINT ImageCorner(int x, int y)
{
    POINT at {x, y};
    if (Drag().lock)
        ClientToScreen(Drag().lock, &at);
    return {at.x - Drag().hotSpot.x, at.y - Drag().hotSpot.y};
}

} // namespace

BOOL ImageList_BeginDrag(HIMAGELIST list, int index, int dx, int dy)
{
    int width = 0, height = 0;
    if (!ImageList_GetIconSize(list, &width, &height) || index < 0 || index >= ImageList_GetImageCount(list))
        return FALSE;
    ImageList_EndDrag();
    DragImage& drag = Drag();
    drag.window = MakeWindow(width, height);
    if (!drag.window)
        return FALSE;
    drag.list = list;
    drag.index = index;
    drag.hotSpot = {dx, dy};
    return TRUE;
}

BOOL ImageList_DragEnter(HWND lock, int x, int y)
{
    DragImage& drag = Drag();
    if (!drag.window)
        return FALSE;
    drag.lock = lock == GetDesktopWindow() ? nullptr : lock;
    ImageList_DragMove(x, y);
    return ImageList_DragShowNolock(TRUE);
}

BOOL ImageList_DragMove(int x, int y)
{
    if (!Drag().window)
        return FALSE;
    const POINT corner = ImageCorner(x, y);
    return SetWindowPos(Drag().window, HWND_TOPMOST, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL ImageList_DragShowNolock(BOOL show)
{
    if (!Drag().window)
        return FALSE;
    ShowWindow(Drag().window, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (show)
        UpdateWindow(Drag().window);
    return TRUE;
}

BOOL ImageList_DragLeave(HWND)
{
    return ImageList_DragShowNolock(FALSE);
}

void ImageList_EndDrag()
{
    DragImage& drag = Drag();
    if (drag.window)
        DestroyWindow(drag.window);
    drag = DragImage {};
}

HWND ImageList_GetDragWindow() { return Drag().window; }
