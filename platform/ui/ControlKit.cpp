// Shared parts of the standard controls' window procedures.
#include "platform/ui/ControlKit.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/MonthCalCtrl.h"
#include "platform/ui/TabCtrl.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/TreeCtrl.h"

#include <algorithm>
#include <cstring>
#include <vector>

void AfxRegisterControlClasses()
{
    static const struct {
        LPCSTR name;
        WNDPROC proc;
        int background;
    } classes[] = {{WC_BUTTON, AfxButtonProc, COLOR_BTNFACE},      {WC_STATIC, AfxStaticProc, COLOR_BTNFACE},
                   {WC_EDIT, AfxEditProc, COLOR_WINDOW},           {WC_LISTBOX, AfxListBoxProc, COLOR_WINDOW},
                   {WC_COMBOBOX, AfxComboBoxProc, COLOR_WINDOW},   {kComboListClass, AfxComboListProc, COLOR_WINDOW},
                   {WC_SCROLLBAR, AfxScrollBarProc, COLOR_BTNFACE},
                   {TRACKBAR_CLASS, AfxSliderProc, COLOR_BTNFACE}, {UPDOWN_CLASS, AfxSpinProc, COLOR_BTNFACE},
                   {PROGRESS_CLASS, AfxProgressProc, COLOR_BTNFACE}, {WC_TREEVIEW, AfxTreeProc, COLOR_WINDOW},
                   {MONTHCAL_CLASS, AfxMonthCalProc, COLOR_WINDOW}, {TOOLTIPS_CLASS, AfxToolTipProc, COLOR_INFOBK},
                   {WC_TABCONTROL, AfxTabProc, COLOR_BTNFACE},
                   {WC_LISTVIEW, AfxListViewProc, COLOR_WINDOW},   {DATETIMEPICK_CLASS, AfxDateTimeProc, COLOR_WINDOW}};
    for (const auto& c : classes) {
        WNDCLASS wc{};
        if (::GetClassInfo(nullptr, c.name, &wc))
            continue;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = c.proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(c.background + 1));
        wc.lpszClassName = c.name;
        // Text boxes show the I-beam over their text; the others the arrow.
        if (std::strcmp(c.name, WC_EDIT) == 0)
            wc.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
        ::RegisterClass(&wc);
    }
}

namespace ctl {

namespace {

std::unordered_map<HWND, HFONT>& fonts()
{
    static std::unordered_map<HWND, HFONT> map;
    return map;
}

// Runs f on a DC of the control with its font selected.
template <class F>
auto withDC(HWND hwnd, F f)
{
    HDC hdc = ::GetDC(hwnd);
    CDC* dc = CDC::FromHandle(hdc);
    HFONT font = FontOf(hwnd);
    HGDIOBJ old = font ? ::SelectObject(hdc, font) : nullptr;
    auto result = f(*dc);
    if (old)
        ::SelectObject(hdc, old);
    ::ReleaseDC(hwnd, hdc);
    return result;
}

} // namespace

void NotifyParent(HWND hwnd, UINT code)
{
    HWND parent = ::GetParent(hwnd);
    if (parent)
        ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IdOf(hwnd)), static_cast<WORD>(code)),
                      reinterpret_cast<LPARAM>(hwnd));
}

LRESULT SendNotify(HWND hwnd, NMHDR& header, UINT code)
{
    header.hwndFrom = hwnd;
    header.idFrom = IdOf(hwnd);
    header.code = code;
    HWND parent = ::GetParent(hwnd);
    return parent ? ::SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

std::string TextOf(HWND hwnd)
{
    auto length = static_cast<size_t>(::DefWindowProc(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(length + 1);
    ::DefWindowProc(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

void StoreText(HWND hwnd, const std::string& text)
{
    ::DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(::GetWindowLongPtr(hwnd, GWL_STYLE)); }
UINT IdOf(HWND hwnd) { return static_cast<UINT>(::GetDlgCtrlID(hwnd)); }

HFONT FontOf(HWND hwnd)
{
    auto it = fonts().find(hwnd);
    return it == fonts().end() ? nullptr : it->second;
}

LRESULT HandleFontMessage(HWND hwnd, UINT message, WPARAM wParam)
{
    if (message == WM_GETFONT)
        return reinterpret_cast<LRESULT>(FontOf(hwnd));
    if (message == WM_NCDESTROY) {
        fonts().erase(hwnd);
        return 0;
    }
    fonts()[hwnd] = reinterpret_cast<HFONT>(wParam);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT DefControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFONT || message == WM_GETFONT)
        return HandleFontMessage(hwnd, message, wParam);
    if (message == WM_NCDESTROY)
        HandleFontMessage(hwnd, message, wParam);
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

void Paint(HWND hwnd, UINT ctlColorType, const std::function<void(CDC&, const RECT&)>& draw)
{
    PAINTSTRUCT ps{};
    HDC hdc = ::BeginPaint(hwnd, &ps);
    CDC* dc = CDC::FromHandle(hdc);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    HFONT font = FontOf(hwnd);
    HGDIOBJ oldFont = font ? ::SelectObject(hdc, font) : nullptr;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(::IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    HWND parent = ::GetParent(hwnd);
    auto brush = parent ? reinterpret_cast<HBRUSH>(::SendMessage(parent, WM_CTLCOLOR, reinterpret_cast<WPARAM>(hdc),
                                                                  reinterpret_cast<LPARAM>(hwnd)))
                        : nullptr;
    if (brush)
        ::FillRect(hdc, &client, brush);
    else
        dc->FillSolidRect(&client, ::GetSysColor(ctlColorType == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
    draw(*dc, client);
    if (oldFont)
        ::SelectObject(hdc, oldFont);
    ::EndPaint(hwnd, &ps);
}

int LineHeight(HWND hwnd)
{
    return withDC(hwnd, [](CDC& dc) {
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        return std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    });
}

int TextWidth(HWND hwnd, const std::string& text)
{
    if (text.empty())
        return 0;
    return withDC(hwnd, [&](CDC& dc) { return static_cast<int>(dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx); });
}

void DrawImage(CDC& dc, HANDLE image, UINT type, const RECT& rect)
{
    if (!image)
        return;
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (type == IMAGE_ICON) {
        int size = ::GetSystemMetrics(SM_CXICON);
        ::DrawIcon(dc.GetSafeHdc(), rect.left + (cx - size) / 2, rect.top + (cy - size) / 2, static_cast<HICON>(image));
        return;
    }
    CBitmap* bitmap = CBitmap::FromHandle(static_cast<HBITMAP>(image));
    BITMAP info{};
    if (!bitmap->GetBitmap(&info))
        return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(bitmap);
    dc.BitBlt(rect.left + (cx - info.bmWidth) / 2, rect.top + (cy - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
              &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

LRESULT CopyOut(const std::string& text, LPARAM buffer, size_t size)
{
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out)
        return -1;
    size_t n = size ? std::min(text.size(), size - 1) : text.size();
    memcpy(out, text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

} // namespace ctl
