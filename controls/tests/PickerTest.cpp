// The drop-down picker button and its popup: stepping on clicks, choices and their
// notifications, keyboard navigation, placement and command cells.
#include "PictureKit.h"

#include "controls/CoolCombo.h"
#include "platform/core/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <utility>

namespace {

constexpr UINT IDC_PICKER = 41;

// Records the picker records it is sent as (code, value).
class Owner : public RecordingWindow {
public:
    std::vector<std::pair<UINT, int>> notes;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* record = reinterpret_cast<NMCOOLCOMBO*>(lParam);
        notes.emplace_back(record->hdr.code, static_cast<int>(record->value));
        *result = 0;
        return TRUE;
    }
};

class PickerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(owner.Open());
    }
    void TearDown() override
    {
        picker.DestroyWindow();
        owner.DestroyWindow();
        UiTest::TearDown();
    }
    void Make(CRect rect = CRect(10, 10, 70, 32))
    {
        ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, rect, &owner, IDC_PICKER));
    }
    void Click(CPoint client)
    {
        picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }
    CCoolComboPopup* Open()
    {
        CRect arrow = picker.GetArrowRect();
        picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.CenterPoint().x, arrow.CenterPoint().y));
        return picker.GetPopup();
    }
    void Key(CCoolComboPopup* popup, UINT key) { popup->SendMessage(WM_KEYDOWN, key); }

    Owner owner;
    CCoolCombo picker;
};

TEST_F(PickerTest, ArrowTakesItsShareOfTheButton)
{
    Make(CRect(10, 10, 70, 32)); // 60 x 22: min((44 - 4) / 3, 58 / 3) = 13
    EXPECT_EQ(picker.GetArrowRect(), CRect(47, 0, 60, 22));
    EXPECT_EQ(picker.GetMainRect(), CRect(0, 0, 47, 22));
}

TEST_F(PickerTest, MainPartClicksCycleThroughCellsAndTheExtraEntry)
{
    Make();
    picker.SetExtraText("More");
    picker.SetCurSel(17);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        Click(picker.GetMainRect().CenterPoint());
        seen.push_back(picker.GetCurSel());
    }
    EXPECT_EQ(seen, (std::vector<int>{18, 19, CC_EXTRA, 0, 1}));
    ASSERT_EQ(owner.notes.size(), 5u);
    EXPECT_EQ(owner.notes[2], std::make_pair(CCN_EXTRA, 0));
    EXPECT_EQ(owner.notes[3], std::make_pair(CCN_SELECT, 0));
}

TEST_F(PickerTest, WithoutExtraTheLastCellWrapsAndUnsetDoesNothing)
{
    Make();
    Click(picker.GetMainRect().CenterPoint());
    EXPECT_EQ(picker.GetCurSel(), CC_UNSET);
    picker.SetCurSel(19);
    Click(picker.GetMainRect().CenterPoint());
    EXPECT_EQ(picker.GetCurSel(), 0);
}

TEST_F(PickerTest, KeyboardNavigationFollowsTheGridTextAndExtraEntries)
{
    // 10 cells in 4 columns (rows 0-3, 4-7, 8-9), two text entries, an extra entry.
    struct Case {
        int hot;
        UINT key;
        bool extra;
        int texts;
        int next;
    } cases[] = {
        {CC_NONE, VK_DOWN, true, 2, 0},    {1, VK_DOWN, true, 2, 5},     {6, VK_DOWN, true, 2, 1000},
        {6, VK_DOWN, true, 0, CC_EXTRA},   {6, VK_DOWN, false, 0, 0},    {1001, VK_DOWN, true, 2, CC_EXTRA},
        {1001, VK_DOWN, false, 2, 0},      {1000, VK_DOWN, true, 2, 1001}, {CC_EXTRA, VK_UP, true, 2, 1001},
        {CC_NONE, VK_UP, false, 0, 8},     {1000, VK_UP, true, 2, 8},    {1001, VK_UP, true, 2, 1000},
        {5, VK_UP, true, 2, 1},            {1, VK_UP, true, 2, CC_EXTRA}, {1, VK_UP, false, 2, 1001},
        {1, VK_UP, false, 0, 8},           {CC_NONE, VK_LEFT, true, 2, 1001}, {CC_NONE, VK_LEFT, true, 0, 9},
        {1000, VK_LEFT, true, 2, 9},       {4, VK_LEFT, true, 2, 3},     {0, VK_LEFT, true, 2, CC_EXTRA},
        {0, VK_LEFT, false, 0, 9},         {CC_EXTRA, VK_RIGHT, true, 2, 0}, {2, VK_RIGHT, true, 2, 3},
        {3, VK_RIGHT, true, 2, 4},         {9, VK_RIGHT, true, 2, 1000}, {9, VK_RIGHT, false, 0, 8},
        {1001, VK_RIGHT, false, 2, 0},     {5, VK_HOME, true, 2, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCoolComboPopup::NextHot(c.hot, c.key, 10, 4, c.texts, c.extra), c.next)
            << "from " << c.hot << " key " << c.key << " extra " << c.extra << " texts " << c.texts;
}

TEST_F(PickerTest, ChoosingACellSelectsItClosesThePopupAndTellsTheOwner)
{
    Make();
    CCoolComboPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker.IsDropped());
    Key(popup, VK_DOWN);  // cell 0
    Key(popup, VK_RIGHT); // cell 1
    Key(popup, VK_RETURN);
    UiTestHook::PumpPending();
    EXPECT_EQ(picker.GetPopup(), nullptr);
    EXPECT_FALSE(picker.IsDropped());
    EXPECT_EQ(picker.GetCurSel(), 1);
    const std::vector<std::pair<UINT, int>> expected = {
        {CCN_OPENED, 0}, {CCN_HOTCHANGED, 0}, {CCN_HOTCHANGED, 1}, {CCN_SELECT, 1}, {CCN_CLOSED, 0}};
    EXPECT_EQ(owner.notes, expected);
}

TEST_F(PickerTest, EscapeCancelsAndTheArrowToggles)
{
    Make();
    CCoolComboPopup* popup = Open();
    Key(popup, VK_ESCAPE);
    EXPECT_EQ(picker.GetPopup(), nullptr);
    EXPECT_EQ(owner.notes.back(), std::make_pair(CCN_CLOSED, 0));
    EXPECT_EQ(owner.notes[owner.notes.size() - 2], std::make_pair(CCN_CANCEL, 0));
    picker.OpenPopup();
    ASSERT_NE(picker.GetPopup(), nullptr);
    picker.OpenPopup(); // a second press closes it
    EXPECT_EQ(picker.GetPopup(), nullptr);
}

TEST_F(PickerTest, InvalidSelectionsOpenWithNothingSelected)
{
    Make();
    picker.AddTextEntry("Other");
    struct Case {
        int selection;
        int selected;
    } cases[] = {{1000, 1000}, {1001, CC_NONE}, {CC_EXTRA, CC_NONE}, {19, 19}, {20, CC_NONE}, {CC_UNSET, CC_UNSET}};
    for (const Case& c : cases) {
        picker.SetCurSel(c.selection);
        CCoolComboPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetSelected(), c.selected) << c.selection;
        picker.ClosePopup();
    }
}

TEST_F(PickerTest, APopupThatWouldPassTheBottomOpensAboveTheButton)
{
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    owner.SetWindowPos(nullptr, 0, screenHeight - 60, 300, 60, SWP_NOZORDER);
    Make(CRect(10, 20, 70, 42));
    CCoolComboPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    CRect button, placed;
    picker.GetWindowRect(&button);
    popup->GetWindowRect(&placed);
    EXPECT_EQ(placed.bottom, button.top - 1);
    EXPECT_LE(placed.bottom, screenHeight);
}

TEST_F(PickerTest, EscapeLeavesAFloatingPopupOpen)
{
    Make();
    picker.SetPopupTitle("Widths");
    CCoolComboPopup* popup = Open();
    popup->TearOff();
    EXPECT_TRUE(popup->IsFloating());
    EXPECT_FALSE(picker.IsDropped());
    EXPECT_EQ(picker.GetPopup(), popup);
    Key(popup, VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(popup->GetSafeHwnd()));
    popup->SendMessage(WM_CLOSE);
    EXPECT_EQ(picker.GetPopup(), nullptr);
    EXPECT_EQ(owner.notes.back(), std::make_pair(CCN_CLOSED, 0));
}

// Command cells: enabled by the main window's update handlers; a separator never is.
class CommandFrame : public CWnd {
public:
    int issued = 0;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (id == 500 && code == CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(extra)->Enable(TRUE);
            return TRUE;
        }
        if (id == 500 && code == CN_COMMAND) {
            ++issued;
            return TRUE;
        }
        return CWnd::OnCmdMsg(id, code, extra, info);
    }
};

TEST_F(PickerTest, ChoosingASeparatorIssuesNothingButClosesThePopup)
{
    CWinApp app("PickerTest");
    CommandFrame frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    app.m_pMainWnd = &frame;
    Make();
    picker.m_commands = {500, 0, 501};
    CCoolComboPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsCellEnabled(0));
    EXPECT_FALSE(popup->IsCellEnabled(1)); // separator
    EXPECT_FALSE(popup->IsCellEnabled(2)); // no update handler
    EXPECT_TRUE(popup->IsCellEnabled(3));  // past the commands: a plain cell
    Key(popup, VK_DOWN);
    Key(popup, VK_RIGHT);
    Key(popup, VK_RETURN);
    EXPECT_EQ(picker.GetPopup(), nullptr);
    EXPECT_EQ(frame.issued, 0);

    popup = Open();
    Key(popup, VK_DOWN);
    Key(popup, VK_RETURN);
    EXPECT_EQ(frame.issued, 1);
    app.m_pMainWnd = nullptr;
    frame.DestroyWindow();
}

// The 60 x 22 button: main part 0..46, arrow 47..59; flat edges are one pixel wide.
TEST_F(PickerTest, FlatButtonShowsItsEdgesOnlyWhenHotPressedOrDropped)
{
    RegisterBinaryResource(ResourceKind::Bitmap, 9401, MakeBmp(32, 16, [](int x, int) {
        return x < 16 ? RGB(0, 120, 0) : RGB(120, 0, 120);
    }));
    Make();
    ASSERT_TRUE(picker.SetImageList(9401, 16, RGB(255, 0, 255)));
    picker.m_showSelectionImage = TRUE;
    picker.SetCurSel(1);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_3DHILIGHT),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto at = [&](int x, int y) {
        picker.Invalidate();
        UiTestHook::PumpPending();
        return UiTestHook::PixelAt(picker.GetSafeHwnd(), CPoint(x, y));
    };
    EXPECT_EQ(at(23, 11), RGB(120, 0, 120)); // the selected image, centred in the main part
    EXPECT_EQ(at(0, 0), face);               // resting: flat

    picker.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10)); // hot: raised
    EXPECT_TRUE(picker.IsHot());
    EXPECT_EQ(at(0, 0), light);
    EXPECT_EQ(at(46, 21), shadow);

    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10)); // pressed inside: sunken
    EXPECT_EQ(at(0, 0), shadow);
    EXPECT_EQ(at(24, 12), RGB(120, 0, 120));
    picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 10)); // released outside: no click
    EXPECT_EQ(picker.GetCurSel(), 1);

    picker.SetCurSel(0);
    EXPECT_EQ(at(23, 11), RGB(0, 120, 0));
    picker.EnableWindow(FALSE);
    EXPECT_NE(at(23, 11), RGB(0, 120, 0)); // embossed
}

TEST_F(PickerTest, CommandCellsShowTheirLabelsAndStatusPrompts)
{
    RegisterStringResource(500, "Draws a line\nLine\tCtrl+L");
    RegisterStringResource(AFX_IDS_IDLEMESSAGE, "Ready");
    CWinApp app("PickerLabels");
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Main"));
    CStatusBar status;
    ASSERT_TRUE(status.Create(frame));
    static const UINT panes[] = {ID_SEPARATOR};
    status.SetIndicators(panes, 1);
    app.m_pMainWnd = frame;
    Make();
    CCoolComboPopup* plain = Open();
    const int plainWidth = plain->GetCellRect(0).Width();
    picker.ClosePopup();

    picker.m_commands = {500, 0};
    CCoolComboPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetLabel(0), "Line\tCtrl+L");
    EXPECT_GT(popup->GetCellRect(0).Width(), plainWidth + 20); // room for the label
    Key(popup, VK_DOWN);
    CString text;
    status.GetWindowText(text);
    EXPECT_EQ(text, "Draws a line");
    Key(popup, VK_ESCAPE);
    status.GetWindowText(text);
    EXPECT_EQ(text, "Ready");
    app.m_pMainWnd = nullptr;
    frame->DestroyWindow();
}

} // namespace

// Each shortcut key of the command in the main window's table follows the label after a tab,
// modifiers in the order Alt, Ctrl, Shift; a character key shows as itself. The keys are drawn
// at the cell's right end.
TEST_F(PickerTest, CommandLabelsEndWithTheMainWindowsShortcutKeys)
{
    RegisterStringResource(500, "Draws a line\nLine");
    RegisterStringResource(501, "Erases\nErase");
    RegisterStringResource(502, "Fills\nFill");
    RegisterAcceleratorResource(9402, {{FVIRTKEY | FCONTROL, 'L', 500},
                                       {FVIRTKEY | FSHIFT | FALT | FCONTROL, VK_F5, 500},
                                       {0, 'e', 501}});
    CWinApp app("PickerKeys");
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Main"));
    ASSERT_TRUE(frame->LoadAccelTable(MAKEINTRESOURCE(9402)));
    app.m_pMainWnd = frame;
    Make();
    picker.m_commands = {500, 501, 502};
    CCoolComboPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetLabel(0), "Line\tCtrl+L\tAlt+Ctrl+Shift+F5");
    EXPECT_EQ(popup->GetLabel(1), "Erase\te");
    EXPECT_EQ(popup->GetLabel(2), "Fill");

    // The last few columns of the Erase cell hold the "e" (greyed: no command is enabled
    // here), those of the Fill cell nothing.
    auto inkAtRightEnd = [&](int index) {
        const CRect cell = popup->GetCellRect(index);
        int ink = 0;
        for (int x = cell.right - 14; x < cell.right - 2; ++x)
            for (int y = cell.top + 3; y < cell.bottom - 3; ++y)
                ink += UiTestHook::PixelAt(popup->GetSafeHwnd(), CPoint(x, y)) != ::GetSysColor(COLOR_BTNFACE);
        return ink;
    };
    // Pumping would take the focus from the popup, which closes it: it is painted in place.
    popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(inkAtRightEnd(1), 3);
    EXPECT_EQ(inkAtRightEnd(2), 0);
    picker.ClosePopup();
    app.m_pMainWnd = nullptr;
    frame->DestroyWindow();
}
