// The button window class: push, default, check, three-state, radio, group box and
// owner-drawn buttons, with or without an image.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

#include <vector>

namespace {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focus = false;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};
using States = ctl::StateMap<ButtonState>;

DWORD typeOf(HWND hwnd) { return ctl::StyleOf(hwnd) & BS_TYPEMASK; }

bool isRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool isCheck(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

// The buttons of hwnd's group: from the sibling that starts it (WS_GROUP) to the next start.
std::vector<HWND> groupOf(HWND hwnd)
{
    HWND first = hwnd;
    while (!(ctl::StyleOf(first) & WS_GROUP)) {
        HWND prev = ::GetWindow(first, GW_HWNDPREV);
        if (!prev)
            break;
        first = prev;
    }
    std::vector<HWND> group{first};
    for (HWND h = ::GetWindow(first, GW_HWNDNEXT); h && !(ctl::StyleOf(h) & WS_GROUP); h = ::GetWindow(h, GW_HWNDNEXT))
        group.push_back(h);
    return group;
}

void setCheck(HWND hwnd, UINT check)
{
    ButtonState& s = States::Of(hwnd);
    if (s.check != check) {
        s.check = check;
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    // The checked radio button of a group is its tab stop.
    if (isRadio(typeOf(hwnd))) {
        DWORD style = ctl::StyleOf(hwnd);
        ::SetWindowLongPtr(hwnd, GWL_STYLE, check == BST_CHECKED ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void click(HWND hwnd)
{
    DWORD type = typeOf(hwnd);
    ButtonState& s = States::Of(hwnd);
    if (type == BS_AUTOCHECKBOX)
        setCheck(hwnd, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    else if (type == BS_AUTO3STATE)
        setCheck(hwnd, (s.check + 1) % 3);
    else if (type == BS_AUTORADIOBUTTON) {
        for (HWND other : groupOf(hwnd))
            if (other != hwnd && typeOf(other) == BS_AUTORADIOBUTTON)
                setCheck(other, BST_UNCHECKED);
        setCheck(hwnd, BST_CHECKED);
    }
    ctl::NotifyParent(hwnd, BN_CLICKED);
}

UINT drawState(HWND hwnd, const ButtonState& s)
{
    UINT state = 0;
    if (s.pushed)
        state |= ODS_SELECTED;
    if (s.focus)
        state |= ODS_FOCUS;
    if (!::IsWindowEnabled(hwnd))
        state |= ODS_DISABLED;
    if (s.check == BST_CHECKED)
        state |= ODS_CHECKED;
    return state;
}

void ownerDraw(HWND hwnd, CDC& dc, const RECT& rect)
{
    DRAWITEMSTRUCT dis{ODT_BUTTON, ctl::IdOf(hwnd), 0, ODA_DRAWENTIRE, drawState(hwnd, States::Of(hwnd)), hwnd,
                       dc.GetSafeHdc(), rect, 0};
    if (HWND parent = ::GetParent(hwnd))
        ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void drawPush(HWND hwnd, CDC& dc, RECT rect)
{
    const ButtonState& s = States::Of(hwnd);
    DWORD style = ctl::StyleOf(hwnd);
    if (typeOf(hwnd) == BS_DEFPUSHBUTTON) {
        dc.Draw3dRect(&rect, 0, 0);
        ::InflateRect(&rect, -1, -1);
    }
    bool down = s.pushed || ((style & BS_PUSHLIKE) && s.check == BST_CHECKED);
    dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    if (down)
        ::OffsetRect(&rect, 1, 1);
    if (style & (BS_BITMAP | BS_ICON))
        ctl::DrawImage(dc, s.image, s.imageType, rect);
    else
        dc.DrawText(ctl::TextOf(hwnd).c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (s.focus) {
        ::InflateRect(&rect, -3, -3);
        dc.DrawFocusRect(&rect);
    }
}

void drawCheck(HWND hwnd, CDC& dc, RECT rect)
{
    const ButtonState& s = States::Of(hwnd);
    int box = 13;
    RECT mark{rect.left, rect.top + (rect.bottom - rect.top - box) / 2, rect.left + box, 0};
    mark.bottom = mark.top + box;
    UINT kind = isRadio(typeOf(hwnd)) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    UINT state = (s.check ? DFCS_CHECKED : 0) | (s.pushed ? DFCS_PUSHED : 0) |
                 (::IsWindowEnabled(hwnd) ? 0 : DFCS_INACTIVE);
    dc.DrawFrameControl(&mark, DFC_BUTTON, kind | state);
    rect.left += box + 4;
    dc.DrawText(ctl::TextOf(hwnd).c_str(), -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (s.focus)
        dc.DrawFocusRect(&rect);
}

void drawGroup(HWND hwnd, CDC& dc, RECT rect)
{
    std::string text = ctl::TextOf(hwnd);
    int line = ctl::LineHeight(hwnd);
    RECT frame{rect.left, rect.top + line / 2, rect.right, rect.bottom};
    dc.DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    RECT label{rect.left + 8, rect.top, rect.left + 12 + ctl::TextWidth(hwnd, text), rect.top + line};
    dc.FillSolidRect(&label, ::GetSysColor(COLOR_BTNFACE));
    ::InflateRect(&label, -2, 0);
    dc.DrawText(text.c_str(), -1, &label, DT_LEFT | DT_SINGLELINE);
}

void paint(HWND hwnd)
{
    ctl::Paint(hwnd, WM_CTLCOLOR, [hwnd](CDC& dc, const RECT& rect) {
        DWORD type = typeOf(hwnd);
        if (type == BS_OWNERDRAW)
            ownerDraw(hwnd, dc, rect);
        else if (type == BS_GROUPBOX)
            drawGroup(hwnd, dc, rect);
        else if (isCheck(type) || isRadio(type))
            ctl::StyleOf(hwnd) & BS_PUSHLIKE ? drawPush(hwnd, dc, rect) : drawCheck(hwnd, dc, rect);
        else
            drawPush(hwnd, dc, rect);
    });
}

UINT dialogCode(HWND hwnd)
{
    DWORD type = typeOf(hwnd);
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON || type == BS_OWNERDRAW)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (isRadio(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    return type == BS_GROUPBOX ? DLGC_STATIC : DLGC_BUTTON;
}

void setPushed(HWND hwnd, bool pushed)
{
    ButtonState& s = States::Of(hwnd);
    if (s.pushed != pushed) {
        s.pushed = pushed;
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void focusChanged(HWND hwnd, bool focus)
{
    States::Of(hwnd).focus = focus;
    if (!focus)
        setPushed(hwnd, false);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    if (ctl::StyleOf(hwnd) & BS_NOTIFY)
        ctl::NotifyParent(hwnd, focus ? BN_SETFOCUS : BN_KILLFOCUS);
}

void mouseUp(HWND hwnd, LPARAM lParam)
{
    bool wasPushed = States::Of(hwnd).pushed;
    setPushed(hwnd, false);
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    RECT client{};
    ::GetClientRect(hwnd, &client);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (wasPushed && ::PtInRect(&client, pt))
        click(hwnd);
}

} // namespace

LRESULT AfxButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD type = typeOf(hwnd);
    switch (message) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return dialogCode(hwnd);
    case WM_LBUTTONDBLCLK:
        if (isRadio(type) || type == BS_OWNERDRAW || (ctl::StyleOf(hwnd) & BS_NOTIFY)) {
            ctl::NotifyParent(hwnd, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX)
            return 0;
        ::SetCapture(hwnd);
        ::SetFocus(hwnd);
        setPushed(hwnd, true);
        return 0;
    case WM_LBUTTONUP: mouseUp(hwnd, lParam); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && type != BS_GROUPBOX)
            click(hwnd);
        return 0;
    case WM_SETFOCUS: focusChanged(hwnd, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, false); return 0;
    case WM_ENABLE: ::InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case BM_CLICK: click(hwnd); return 0;
    case BM_GETCHECK: return States::Of(hwnd).check;
    case BM_SETCHECK: setCheck(hwnd, static_cast<UINT>(wParam)); return 0;
    case BM_GETSTATE: {
        const ButtonState& s = States::Of(hwnd);
        return s.check | (s.pushed ? BST_PUSHED : 0) | (s.focus ? BST_FOCUS : 0);
    }
    case BM_SETSTATE: setPushed(hwnd, wParam != 0); return 0;
    case BM_SETSTYLE:
        ::SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>((ctl::StyleOf(hwnd) & ~0xFFFFu) | (wParam & 0xFFFF)));
        if (lParam)
            ::InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(States::Of(hwnd).image);
    case BM_SETIMAGE: {
        ButtonState& s = States::Of(hwnd);
        HANDLE old = s.image;
        s.image = reinterpret_cast<HANDLE>(lParam);
        s.imageType = static_cast<UINT>(wParam);
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_NCDESTROY:
        States::Forget(hwnd);
        break;
    case WM_SETTEXT: ::InvalidateRect(hwnd, nullptr, TRUE); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
