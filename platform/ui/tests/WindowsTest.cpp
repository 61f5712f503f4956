#include "UiFixture.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

const char* messageName(UINT m)
{
    switch (m) {
    case WM_NCCREATE: return "NCCREATE";
    case WM_NCCALCSIZE: return "NCCALCSIZE";
    case WM_CREATE: return "CREATE";
    case WM_SIZE: return "SIZE";
    case WM_MOVE: return "MOVE";
    case WM_DESTROY: return "DESTROY";
    case WM_NCDESTROY: return "NCDESTROY";
    default: return nullptr;
    }
}

LRESULT journalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefWindowProc(hwnd, message, wParam, lParam);
    if (const char* name = messageName(message)) {
        char text[64];
        GetWindowText(hwnd, text, sizeof text);
        journal.push_back(std::string(text) + ":" + name);
    }
    return r;
}

void registerJournalClass()
{
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, "Journal", &wc))
        return;
    wc.lpfnWndProc = journalProc;
    wc.lpszClassName = "Journal";
    RegisterClass(&wc);
}

RECT screenRect(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

using WindowsTest = UiTest;

TEST_F(WindowsTest, CreationAndDestructionSendTheirMessagesInOrder)
{
    registerJournalClass();
    journal.clear();
    HWND parent = CreateWindowEx(0, "Journal", "p", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowEx(0, "Journal", "c", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent && child);
    std::vector<std::string> created = {"p:NCCREATE", "p:NCCALCSIZE", "p:CREATE", "p:SIZE", "p:MOVE",
                                        "c:NCCREATE", "c:NCCALCSIZE", "c:CREATE", "c:SIZE", "c:MOVE"};
    EXPECT_EQ(journal, created);
    journal.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::string> destroyed = {"p:DESTROY", "c:DESTROY", "c:NCDESTROY", "p:NCDESTROY"};
    EXPECT_EQ(journal, destroyed);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowsTest, UnknownClassOrMissingParentCreatesNothing)
{
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, PlainClass(), "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowsTest, ClientAreaFollowsStyles)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
        RECT client;
    };
    const Case cases[] = {
        {WS_CHILD, 0, {0, 0, 200, 100}},
        {WS_CHILD | WS_BORDER, 0, {0, 0, 198, 98}},
        {WS_CHILD | WS_CAPTION | WS_THICKFRAME, 0, {0, 0, 192, 73}},
        {WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 184, 84}},
        {WS_CHILD, WS_EX_CLIENTEDGE, {0, 0, 196, 96}},
    };
    HWND parent = MakeWindow(WS_OVERLAPPED, {0, 0, 400, 400});
    for (const Case& c : cases) {
        HWND h = MakeWindow(c.style, {10, 10, 210, 110}, parent, 0, c.exStyle);
        RECT client{};
        GetClientRect(h, &client);
        EXPECT_TRUE(sameRect(client, c.client)) << c.style << " " << client.right << "x" << client.bottom;
        RECT adjusted = c.client;
        AdjustWindowRectEx(&adjusted, c.style, FALSE, c.exStyle);
        EXPECT_EQ(adjusted.right - adjusted.left, 200);
        EXPECT_EQ(adjusted.bottom - adjusted.top, 100);
    }
}

TEST_F(WindowsTest, HitTestCodesOfTheDefaultFrame)
{
    HWND parent = MakeWindow(WS_OVERLAPPED, {100, 100, 500, 500});
    HWND h = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_VSCROLL, {10, 10, 210, 110}, parent);
    RECT r = screenRect(h);
    struct Case {
        int dx, dy;
        int hit;
    };
    const Case cases[] = {{1, 1, HTTOPLEFT}, {100, 1, HTTOP},       {198, 98, HTBOTTOMRIGHT}, {1, 50, HTLEFT},
                          {100, 10, HTCAPTION}, {190, 10, HTCLOSE}, {50, 50, HTCLIENT},       {185, 50, HTVSCROLL},
                          {-1, 50, HTNOWHERE}};
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(r.left + c.dx), static_cast<WORD>(r.top + c.dy))),
                  c.hit)
            << c.dx << "," << c.dy;
}

TEST_F(WindowsTest, CoordinatesMapThroughNestedWindows)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {100, 50, 500, 450});
    HWND mid = MakeWindow(WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 20, 210, 220}, top);
    HWND inner = MakeWindow(WS_CHILD | WS_VISIBLE, {5, 6, 50, 60}, mid);
    POINT p{0, 0};
    ClientToScreen(inner, &p);
    EXPECT_EQ(p.x, 100 + 10 + 1 + 5);
    EXPECT_EQ(p.y, 50 + 20 + 1 + 6);
    ScreenToClient(inner, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    POINT q[2] = {{1, 2}, {3, 4}};
    MapWindowPoints(inner, top, q, 2);
    EXPECT_EQ(q[0].x, 1 + 16);
    EXPECT_EQ(q[1].y, 4 + 27);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 10 + 1 + 5 + 2, 50 + 20 + 1 + 6 + 2}), inner);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 300, 50 + 300}), top);
}

TEST_F(WindowsTest, ZOrderFollowsInsertAfter)
{
    HWND parent = MakeWindow(WS_OVERLAPPED, {0, 0, 100, 100});
    HWND a = MakeWindow(WS_CHILD, {0, 0, 10, 10}, parent, 1);
    HWND b = MakeWindow(WS_CHILD, {0, 0, 10, 10}, parent, 2);
    HWND c = MakeWindow(WS_CHILD, {0, 0, 10, 10}, parent, 3);
    auto order = [&] {
        std::vector<int> ids;
        for (HWND h = GetTopWindow(parent); h; h = GetWindow(h, GW_HWNDNEXT))
            ids.push_back(GetDlgCtrlID(h));
        return ids;
    };
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<int>{1, 3, 2}));
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
    SetWindowPos(c, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(GetDlgItem(parent, 3), c);
}

TEST_F(WindowsTest, DeferredPositionsApplyTogetherAndFailOnADeadWindow)
{
    HWND parent = MakeWindow(WS_OVERLAPPED, {0, 0, 300, 300});
    HWND a = MakeWindow(WS_CHILD, {0, 0, 10, 10}, parent);
    HWND b = MakeWindow(WS_CHILD, {0, 0, 10, 10}, parent);
    HDWP d = BeginDeferWindowPos(2);
    d = DeferWindowPos(d, a, nullptr, 5, 6, 20, 30, SWP_NOZORDER);
    d = DeferWindowPos(d, b, nullptr, 50, 60, 70, 80, SWP_NOZORDER);
    RECT before = screenRect(a);
    EXPECT_EQ(before.right - before.left, 10);
    ASSERT_TRUE(EndDeferWindowPos(d));
    RECT ra = screenRect(a), rb = screenRect(b);
    EXPECT_TRUE(sameRect(ra, RECT{5, 6, 25, 36}));
    EXPECT_TRUE(sameRect(rb, RECT{50, 60, 120, 140}));
    HDWP e = BeginDeferWindowPos(1);
    DestroyWindow(b);
    EXPECT_EQ(DeferWindowPos(e, b, nullptr, 0, 0, 1, 1, 0), nullptr);
}

TEST_F(WindowsTest, MaximizeFillsTheParentAndRestoreReturnsThePlacement)
{
    HWND parent = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 300, 200});
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, {10, 10, 110, 90}, parent);
    ShowWindow(child, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(child));
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    WINDOWPLACEMENT wp{};
    GetWindowPlacement(child, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(sameRect(wp.rcNormalPosition, RECT{10, 10, 110, 90}));
    ShowWindow(child, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(child));
    RECT r = screenRect(child);
    EXPECT_TRUE(sameRect(r, RECT{10, 10, 110, 90}));
}

TEST_F(WindowsTest, StylesTextAndClassAreKept)
{
    HWND h = MakeWindow(WS_OVERLAPPED, {0, 0, 50, 50});
    SetWindowText(h, "Caption \xE9");
    char text[32];
    EXPECT_EQ(GetWindowText(h, text, sizeof text), 9);
    EXPECT_STREQ(text, "Caption \xE9");
    EXPECT_EQ(GetWindowText(h, text, 4), 3);
    EXPECT_STREQ(text, "Cap");
    EXPECT_EQ(GetClassName(h, text, sizeof text), 9);
    EXPECT_STREQ(text, "TestPlain");
    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) | WS_VSCROLL);
    EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(WindowsTest, PaintingErasesWithTheClassBrushAndValidates)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100});
    UiTestHook::PumpPending();
    EXPECT_EQ(UiTestHook::PixelAt(top, POINT{10, 10}), RGB(255, 255, 255));
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    RECT part{0, 0, 20, 10};
    InvalidateRect(top, &part, TRUE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_TRUE(sameRect(update, part));
    UiTestHook::PumpPending();
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
}

TEST_F(WindowsTest, HiddenWindowsCollectNoPaint)
{
    HWND top = MakeWindow(WS_OVERLAPPED, {0, 0, 100, 100});
    InvalidateRect(top, nullptr, TRUE);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(GetUpdateRect(top, nullptr, FALSE));
}

TEST_F(WindowsTest, DraggingTheCaptionOrAnEdgeMovesOrSizesAChild)
{
    struct Case {
        POINT press; // window coordinates
        int dx, dy;
        RECT expected; // parent client coordinates
    };
    const Case cases[] = {
        {{60, 10}, 30, 20, {40, 30, 240, 130}},    // caption: moves
        {{199, 50}, 25, 0, {10, 10, 235, 110}},    // right edge: widens
        {{1, 1}, -5, -6, {5, 4, 210, 110}},        // top-left corner
        {{199, 50}, -150, 0, {10, 10, 122, 110}},  // never narrower than the minimum
    };
    HWND parent = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {100, 100, 600, 500});
    for (const Case& c : cases) {
        HWND child = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, {10, 10, 210, 110}, parent);
        RECT r = screenRect(child);
        POINT from{r.left + c.press.x, r.top + c.press.y};
        POINT to{from.x + c.dx, from.y + c.dy};
        UiTestHook::MouseDown(WM_LBUTTONDOWN, from, MK_LBUTTON);
        UiTestHook::MouseMove(to, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, to);
        UiTestHook::PumpPending();
        RECT moved = screenRect(child);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&moved), 2);
        EXPECT_TRUE(sameRect(moved, c.expected)) << c.press.x << "," << c.press.y << " -> " << moved.left << ","
                                                 << moved.top << "," << moved.right << "," << moved.bottom;
        EXPECT_EQ(GetCapture(), nullptr);
        DestroyWindow(child);
    }
}

TEST_F(WindowsTest, RedrawOffCollectsNoPaintUntilTurnedOn)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100});
    UiTestHook::PumpPending();
    SendMessage(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    SendMessage(top, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(WindowsTest, ScrollBarButtonsShowTheirArrows)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 200, 200});
    HWND h = MakeWindow(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, {0, 0, 116, 116}, top);
    UiTestHook::PumpPending();
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    // The client is 100x100, so the buttons lie at x 100..115 (up, down) and y 100..115 (left, right).
    // Each arrow is wide at its base and narrow at its tip: two pixels off its axis are ink near the
    // base and face near the tip.
    struct Case {
        const char* button;
        POINT nearBase, nearTip;
    };
    const Case cases[] = {{"up", {106, 9}, {106, 6}},
                          {"down", {106, 90}, {106, 93}},
                          {"left", {9, 106}, {6, 106}},
                          {"right", {90, 106}, {93, 106}}};
    for (const Case& c : cases) {
        EXPECT_EQ(UiTestHook::PixelAt(h, c.nearBase), ink) << c.button;
        EXPECT_EQ(UiTestHook::PixelAt(h, c.nearTip), GetSysColor(COLOR_BTNFACE)) << c.button;
    }
    EXPECT_NE(UiTestHook::PixelAt(h, POINT{106, 50}), ink) << "the track between the buttons has no arrow";
}
