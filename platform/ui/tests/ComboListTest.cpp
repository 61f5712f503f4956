// The list a drop-down combo box drops: a pop-up window below the box that the mouse works;
// a simple box's list, always shown below its field.
#include "ControlFixture.h"

#include "platform/ui/ControlTypes.h"

#include <string>
#include <vector>

namespace {

std::vector<int> codes;

LRESULT parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        codes.push_back(HIWORD(wParam));
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class ComboListTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        AfxRegisterControlClasses();
        codes.clear();
        parent = MakeWatchingParent("ComboListParent", parentProc, m_windows, RECT{100, 100, 400, 400});
        combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 200, parent,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
        for (const char* item : {"one", "two", "three"})
            SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        UiTestHook::PumpPending();
    }

    void Click(POINT screen)
    {
        UiTestHook::MouseDown(WM_LBUTTONDOWN, screen, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, screen);
        UiTestHook::PumpPending();
    }

    RECT BoxRect() const
    {
        RECT r{};
        GetWindowRect(combo, &r);
        return r;
    }

    POINT FieldPoint() const
    {
        const RECT box = BoxRect();
        return POINT{box.left + 20, (box.top + box.bottom) / 2};
    }

    // Clicks the box; the list it drops holds the mouse.
    HWND Drop()
    {
        Click(FieldPoint());
        return GetCapture();
    }

    // The screen point in the middle of a row of the dropped list.
    POINT RowPoint(HWND list, int row) const
    {
        RECT client{};
        GetClientRect(list, &client);
        POINT at{client.right / 2, row * static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0)) + 4};
        ClientToScreen(list, &at);
        return at;
    }

    HWND parent = nullptr;
    HWND combo = nullptr;
};

TEST_F(ComboListTest, AClickDropsAListBelowTheBoxAndAClickOnAnItemChoosesIt)
{
    const RECT box = BoxRect();
    HWND list = Drop();
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    ASSERT_NE(list, nullptr);
    char cls[32] = "";
    GetClassName(list, cls, sizeof cls);
    EXPECT_STREQ(cls, "ComboLBox");
    RECT shown{};
    GetWindowRect(list, &shown);
    EXPECT_EQ(shown.top, box.bottom);
    EXPECT_EQ(shown.left, box.left);
    EXPECT_TRUE(IsWindowVisible(list));
    // Every item is drawn, none highlighted before one is chosen.
    UiTestHook::PumpPending();
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(UiTestHook::PixelAt(list, POINT{client.right - 3, 4}), GetSysColor(COLOR_WINDOW));

    codes.clear();
    Click(RowPoint(list, 1));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetCapture(), nullptr);
    char text[16] = "";
    GetWindowText(combo, text, sizeof text);
    EXPECT_STREQ(text, "two");
    EXPECT_EQ(codes, (std::vector<int>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboListTest, TheChosenItemIsHighlightedWhenTheListDropsAgain)
{
    SendMessage(combo, CB_SETCURSEL, 2, 0);
    HWND list = Drop();
    ASSERT_NE(list, nullptr);
    UiTestHook::PumpPending();
    POINT row = RowPoint(list, 2);
    ScreenToClient(list, &row);
    EXPECT_EQ(UiTestHook::PixelAt(list, POINT{row.x + 40, row.y}), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ComboListTest, APressOutsideTheListClosesItAndKeepsTheChoice)
{
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    const RECT box = BoxRect();
    HWND list = Drop();
    ASSERT_NE(list, nullptr);
    Click(POINT{box.right + 100, box.bottom + 150});
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboListTest, TheBoxItselfClosesItsOpenListAgain)
{
    ASSERT_NE(Drop(), nullptr);
    Click(FieldPoint());
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(GetCapture(), nullptr);
}

// A simple box shows its items below its field without dropping anything; the chosen item is
// marked, and a click on a row chooses that item.
TEST_F(ComboListTest, ASimpleBoxShowsItsListAndAClickOnARowChoosesIt)
{
    HWND simple = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE, 200, 10, 90, 150, parent,
                                 reinterpret_cast<HMENU>(8), nullptr, nullptr);
    for (const char* item : {"one", "two", "three", "four"})
        SendMessage(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessage(simple, CB_SETCURSEL, 1, 0);
    UiTestHook::PumpPending();
    const int height = static_cast<int>(SendMessage(simple, CB_GETITEMHEIGHT, 0, 0));
    const int firstRow = height + 6 + 2 + 1;
    auto rowPixel = [&](int row) { return UiTestHook::PixelAt(simple, POINT{60, firstRow + row * height + height / 2}); };
    EXPECT_EQ(rowPixel(1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(rowPixel(3), GetSysColor(COLOR_WINDOW)) << "the list ends below the field";
    EXPECT_FALSE(SendMessage(simple, CB_GETDROPPEDSTATE, 0, 0));

    codes.clear();
    POINT row = {40, firstRow + 2 * height + height / 2};
    ClientToScreen(simple, &row);
    Click(row);
    EXPECT_EQ(SendMessage(simple, CB_GETCURSEL, 0, 0), 2);
    char text[16] = "";
    GetWindowText(simple, text, sizeof text);
    EXPECT_STREQ(text, "three");
    EXPECT_EQ(codes, (std::vector<int>{CBN_SETFOCUS, CBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr) << "nothing dropped";
    EXPECT_EQ(rowPixel(2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(rowPixel(1), GetSysColor(COLOR_WINDOW));
}

} // namespace

TEST_F(ComboListTest, ScrollStylesOfATemplateLeaveTheArrowAtTheBoxsRightEdge)
{
    const DWORD styles[] = {0, WS_VSCROLL, WS_VSCROLL | WS_HSCROLL};
    for (DWORD extra : styles) {
        HWND box = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | extra, 10, 60, 150, 200,
                                  parent, reinterpret_cast<HMENU>(8), nullptr, nullptr);
        UiTestHook::PumpPending();
        RECT window{}, client{};
        GetWindowRect(box, &window);
        GetClientRect(box, &client);
        const LONG width = window.right - window.left, middle = client.bottom / 2;
        EXPECT_EQ(client.right, width) << extra;
        EXPECT_EQ(UiTestHook::PixelAt(box, POINT{width - 8, middle}), GetSysColor(COLOR_BTNTEXT)) << "the arrow " << extra;
        EXPECT_EQ(UiTestHook::PixelAt(box, POINT{width - 24, middle}), GetSysColor(COLOR_WINDOW))
            << "the field reaches the button " << extra;
        DestroyWindow(box);
    }
}
