// The static window class: text, frames, etched lines, icons, bitmaps and owner-drawn statics.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

namespace {

struct StaticState {
    HANDLE image = nullptr;
};
using States = ctl::StateMap<StaticState>;

DWORD typeOf(HWND hwnd) { return ctl::StyleOf(hwnd) & SS_TYPEMASK; }

UINT textFormat(DWORD style)
{
    UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT: return format | DT_RIGHT | DT_WORDBREAK;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: return format | DT_LEFT | DT_SINGLELINE;
    default: return format | DT_LEFT | DT_WORDBREAK;
    }
}

void draw(HWND hwnd, CDC& dc, RECT rect)
{
    DWORD type = typeOf(hwnd);
    switch (type) {
    case SS_ICON: ctl::DrawImage(dc, States::Of(hwnd).image, IMAGE_ICON, rect); break;
    case SS_BITMAP: ctl::DrawImage(dc, States::Of(hwnd).image, IMAGE_BITMAP, rect); break;
    case SS_BLACKRECT: dc.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME)); break;
    case SS_GRAYRECT: dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNSHADOW)); break;
    case SS_WHITERECT: dc.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW)); break;
    case SS_BLACKFRAME: dc.Draw3dRect(&rect, 0, 0); break;
    case SS_ETCHEDFRAME: dc.DrawEdge(&rect, EDGE_ETCHED, BF_RECT); break;
    case SS_ETCHEDHORZ: dc.DrawEdge(&rect, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: dc.DrawEdge(&rect, EDGE_ETCHED, BF_LEFT); break;
    case SS_OWNERDRAW: {
        DRAWITEMSTRUCT dis{ODT_STATIC, ctl::IdOf(hwnd), 0, ODA_DRAWENTIRE, 0, hwnd, dc.GetSafeHdc(), rect, 0};
        if (HWND parent = ::GetParent(hwnd))
            ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        break;
    }
    default: dc.DrawText(ctl::TextOf(hwnd).c_str(), -1, &rect, textFormat(ctl::StyleOf(hwnd))); break;
    }
    if (ctl::StyleOf(hwnd) & SS_SUNKEN)
        dc.DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);
}

LRESULT setImage(HWND hwnd, LPARAM image)
{
    StaticState& s = States::Of(hwnd);
    HANDLE old = s.image;
    s.image = reinterpret_cast<HANDLE>(image);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(old);
}

} // namespace

LRESULT AfxStaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLORSTATIC, [hwnd](CDC& dc, const RECT& r) { draw(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST:
        if (!(ctl::StyleOf(hwnd) & SS_NOTIFY))
            return HTTRANSPARENT;
        break;
    case WM_LBUTTONDOWN:
        if (ctl::StyleOf(hwnd) & SS_NOTIFY)
            ctl::NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (ctl::StyleOf(hwnd) & SS_NOTIFY)
            ctl::NotifyParent(hwnd, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (ctl::StyleOf(hwnd) & SS_NOTIFY)
            ctl::NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case STM_SETICON: return setImage(hwnd, static_cast<LPARAM>(wParam));
    case STM_SETIMAGE: return setImage(hwnd, lParam);
    case STM_GETICON:
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(States::Of(hwnd).image);
    case WM_NCDESTROY:
        States::Forget(hwnd);
        break;
    case WM_SETTEXT: ::InvalidateRect(hwnd, nullptr, TRUE); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
