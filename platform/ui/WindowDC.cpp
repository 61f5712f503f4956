// Device contexts over window images, and the hooks that give CPaintDC, CClientDC and
// CWindowDC their window.
#include "platform/ui/WindowDC.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiState.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <map>

namespace ui {
namespace {

struct Open {
    HWND hwnd;
    RECT paint;
};

std::map<HDC, Open>& openDCs()
{
    static std::map<HDC, Open> dcs;
    return dcs;
}

HDC acquire(CWnd* wnd, int kind, RECT* paintRect)
{
    Window* w = wnd ? Find(wnd->m_hWnd) : nullptr;
    if (!w)
        return nullptr;
    if (kind == 2) {
        PAINTSTRUCT ps;
        HDC h = ::BeginPaint(w->hwnd, &ps);
        *paintRect = ps.rcPaint;
        openDCs()[h] = Open{w->hwnd, ps.rcPaint};
        return h;
    }
    HDC h = CreateWindowDC(w, QRegion(), kind == 1);
    openDCs()[h] = Open{w->hwnd, RECT{0, 0, 0, 0}};
    return h;
}

void release(CWnd*, HDC h, int kind)
{
    auto it = openDCs().find(h);
    if (it == openDCs().end()) {
        ::DeleteDC(h);
        return;
    }
    Open open = it->second;
    openDCs().erase(it);
    if (kind == 2) {
        PAINTSTRUCT ps{};
        ps.hdc = h;
        ps.rcPaint = open.paint;
        ::EndPaint(open.hwnd, &ps);
        return;
    }
    ReleaseWindowDC(h);
    if (Window* w = Find(open.hwnd))
        FlushWindow(w);
}

struct InstallHooks {
    InstallHooks() { SetWindowDcHooks(WindowDcHooks{&acquire, &release}); }
} installHooks;

} // namespace

HDC CreateWindowDC(Window* w, const QRegion& clip, bool wholeWindow)
{
    EnsureImages(w);
    QImage* target = (wholeWindow && !w->frameImage.isNull()) ? &w->frameImage : &w->clientImage;
    HDC h = gdi::CreateSurfaceDc(target, gdi::DcKind::Window);
    if (gdi::Dc* dc = gdi::LookupDc(h); dc && !clip.isEmpty())
        dc->a.clip = clip;
    return h;
}

HDC CreateScreenDC() { return ::GetDC(nullptr); }

void ReleaseWindowDC(HDC dc) { ::DeleteDC(dc); }

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH lb{};
    if (::GetObject(brush, sizeof lb, &lb) == sizeof lb)
        return lb.lbColor;
    return RGB(255, 255, 255);
}

void PrepareViewDC(CDC* dc, int mapMode, SIZE windowExt, SIZE viewportExt, POINT viewportOrg)
{
    if (!dc)
        return;
    if (mapMode < 0) {
        dc->SetMapMode(MM_ANISOTROPIC);
        dc->SetWindowExt(windowExt);
        dc->SetViewportExt(viewportExt);
    } else {
        dc->SetMapMode(mapMode);
    }
    if (!dc->IsPrinting())
        dc->SetViewportOrg(viewportOrg);
}

} // namespace ui

CDC* AfxDCFromHandle(HDC dc) { return CDC::FromHandle(dc); }

HDC AfxHdcOf(CDC* dc) { return dc ? dc->GetSafeHdc() : nullptr; }

CDC* AfxGetWindowDC(CWnd* wnd, BOOL wholeWindow)
{
    ui::Window* w = wnd ? ui::Find(wnd->m_hWnd) : nullptr;
    return w ? CDC::FromHandle(ui::CreateWindowDC(w, QRegion(), wholeWindow)) : nullptr;
}

int AfxReleaseWindowDC(CWnd* wnd, CDC* dc)
{
    if (!dc)
        return 0;
    ui::ReleaseWindowDC(dc->GetSafeHdc());
    if (ui::Window* w = wnd ? ui::Find(wnd->m_hWnd) : nullptr)
        ui::FlushWindow(w);
    return 1;
}
