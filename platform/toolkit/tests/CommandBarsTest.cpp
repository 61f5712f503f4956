// Command bars in a frame: where docked bars leave the client, update handlers, clicks and
// the menu bar's drop-downs.
#include "ToolkitFixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/toolkit/XTPDockRows.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

namespace {

// A 24-bit bitmap file of one colour, as the program's resources hold them.
std::vector<BYTE> SolidBitmapFile(int width, int height, COLORREF colour)
{
    const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
    std::vector<BYTE> file(54 + stride * static_cast<size_t>(height), 0);
    auto put = [&file](size_t at, DWORD value) {
        for (size_t i = 0; i < 4; ++i)
            file[at + i] = static_cast<BYTE>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<DWORD>(file.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<DWORD>(width));
    put(22, static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            BYTE* p = &file[54 + y * stride + x * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    return file;
}

class CommandBarsTest : public ToolkitTest {
protected:
    // Opens the File menu, whose Open command is rarely used, with full or short menus.
    CXTPPopupBar* OpenFileMenu(BOOL fullMenus)
    {
        MakeFrame();
        bars->GetOptions().alwaysFullMenus = fullMenus;
        const UINT hidden[] = {kOpen};
        bars->HideCommands(hidden, 1);
        CXTPMenuBar* menu = bars->GetMenuBar();
        Click(menu, menu->GetControl(0)->GetRect().CenterPoint());
        return static_cast<CXTPPopupBar*>(menu->GetControl(0)->GetCommandBar());
    }
};

} // namespace

TEST_F(CommandBarsTest, DockedBarsLeaveTheRestOfTheClientToTheMdiClient)
{
    struct Case {
        BarDockPosition position;
        CRect client; // of the MDI client in a frame client of 800 x 600 with a status bar 20 high
    };
    // Two plain buttons of 23 x 22: a bar 26 high across, or 27 wide down.
    const Case cases[] = {
        {BarTop, CRect(0, 26, 800, 580)}, {BarBottom, CRect(0, 0, 800, 554)}, {BarLeft, CRect(27, 0, 800, 580)},
        {BarRight, CRect(0, 0, 773, 580)}, {BarFloating, CRect(0, 0, 800, 580)},
    };
    for (const Case& c : cases) {
        MakeFrame(false);
        CStatusBar status;
        ASSERT_TRUE(status.Create(frame));
        CXTPToolBar* bar = bars->Add("T", c.position);
        ASSERT_TRUE(bar->LoadToolBar(kToolBarB));
        frame->RecalcLayout();
        EXPECT_EQ(MdiClientRect(), c.client) << "position " << c.position;
        status.DestroyWindow();
    }
}

TEST_F(CommandBarsTest, BarsBesideEachOtherShareARowAndBarsBelowAddOne)
{
    MakeFrame(false);
    CXTPToolBar* first = bars->Add("First", BarTop);
    ASSERT_TRUE(first->LoadToolBar(kToolBarB));
    CXTPToolBar* second = bars->Add("Second", BarTop);
    ASSERT_TRUE(second->LoadToolBar(kToolBarC));
    frame->RecalcLayout();
    EXPECT_EQ(MdiClientRect().top, 52);

    CRect rect;
    first->GetWindowRect(&rect);
    rect.OffsetRect(rect.Width(), 0);
    bars->DockToolBar(second, &rect, first->GetDockBar());
    EXPECT_EQ(MdiClientRect().top, 26);
    CRect a, b;
    first->GetWindowRect(&a);
    second->GetWindowRect(&b);
    EXPECT_EQ(b.top, a.top);
    EXPECT_GE(b.left, a.right);

    first->GetWindowRect(&rect);
    rect.OffsetRect(0, rect.Height());
    bars->DockToolBar(second, &rect, first->GetDockBar());
    EXPECT_EQ(MdiClientRect().top, 52);

    // Down the left edge, "below" keeps one column.
    bars->DockToolBar(first, BarLeft, 0, 0);
    bars->DockToolBar(second, BarLeft, 1, 0);
    EXPECT_EQ(MdiClientRect().left, 54);
    first->GetWindowRect(&rect);
    rect.OffsetRect(0, rect.Height());
    bars->DockToolBar(second, &rect, first->GetDockBar());
    EXPECT_EQ(MdiClientRect().left, 27);
    first->GetWindowRect(&a);
    second->GetWindowRect(&b);
    EXPECT_EQ(b.left, a.left);
    EXPECT_GE(b.top, a.bottom);
}

TEST_F(CommandBarsTest, UpdateHandlersEnableDisableAndCheckButtons)
{
    MakeFrame();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    CXTPToolBar* b = bars->GetToolBar(kToolBarB);
    ASSERT_TRUE(a && b);
    Idle();
    struct Case {
        CXTPToolBar* bar;
        UINT id;
        BOOL enabled;
        int checked;
    };
    const Case cases[] = {
        {a, kCount, TRUE, 0}, {a, kDisabled, FALSE, 0}, {a, kChecked, TRUE, 1}, {b, kNoHandler, FALSE, 0}, {b, kOpen, TRUE, 0},
    };
    for (const Case& c : cases) {
        CXTPControl* control = c.bar->GetControls()->FindControl(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(control->GetEnabled(), c.enabled) << c.id;
        EXPECT_EQ(control->GetChecked(), c.checked) << c.id;
    }
}

TEST_F(CommandBarsTest, AButtonAndTheMenuItemOfACommandReachTheSameHandler)
{
    MakeFrame();
    Idle();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    Click(a, a->GetControls()->FindControl(kCount)->GetRect().CenterPoint());
    EXPECT_EQ(frame->commands[kCount], 1);

    CXTPMenuBar* menu = bars->GetMenuBar();
    auto* file = DYNAMIC_DOWNCAST(CXTPControlPopup, menu->GetControl(0));
    ASSERT_NE(file, nullptr);
    Click(menu, file->GetRect().CenterPoint());
    auto* popup = DYNAMIC_DOWNCAST(CXTPPopupBar, file->GetCommandBar());
    ASSERT_TRUE(popup && popup->IsOpen());
    Click(popup, popup->GetControls()->FindControl(kCount)->GetRect().CenterPoint());
    EXPECT_EQ(frame->commands[kCount], 2);
    EXPECT_FALSE(popup->IsOpen());
}

TEST_F(CommandBarsTest, DisabledButtonsAndMenuItemsSendNothing)
{
    MakeFrame();
    Idle();
    CXTPToolBar* b = bars->GetToolBar(kToolBarB);
    Click(b, b->GetControls()->FindControl(kNoHandler)->GetRect().CenterPoint());
    CXTPMenuBar* menu = bars->GetMenuBar();
    Click(menu, menu->GetControl(1)->GetRect().CenterPoint());
    auto* edit = DYNAMIC_DOWNCAST(CXTPPopupBar, menu->GetControl(1)->GetCommandBar());
    ASSERT_TRUE(edit && edit->IsOpen());
    EXPECT_FALSE(edit->GetControls()->FindControl(kDisabled)->GetEnabled());
    EXPECT_EQ(edit->GetControls()->FindControl(kChecked)->GetChecked(), 1);
    Click(edit, edit->GetControls()->FindControl(kDisabled)->GetRect().CenterPoint());
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(CommandBarsTest, ClickingOutsideClosesAnOpenMenu)
{
    MakeFrame();
    CXTPMenuBar* menu = bars->GetMenuBar();
    Click(menu, menu->GetControl(0)->GetRect().CenterPoint());
    ASSERT_EQ(bars->GetOpenPopupCount(), 1);
    Click(frame, CPoint(400, 400));
    EXPECT_EQ(bars->GetOpenPopupCount(), 0);
}

TEST_F(CommandBarsTest, KeyboardOpensMovesAndRunsMenus)
{
    MakeFrame();
    CXTPMenuBar* menu = bars->GetMenuBar();
    auto popupOf = [&](int index) { return static_cast<CXTPPopupBar*>(menu->GetControl(index)->GetCommandBar()); };

    Key(WM_SYSKEYDOWN, VK_MENU);
    Key(WM_SYSKEYUP, VK_MENU);
    ASSERT_TRUE(bars->IsKeyboardMode());
    EXPECT_EQ(menu->GetSelectedIndex(), 0);
    Key(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(menu->GetSelectedIndex(), 1);
    Key(WM_KEYDOWN, VK_LEFT);
    Key(WM_KEYDOWN, VK_DOWN);
    ASSERT_TRUE(popupOf(0)->IsOpen());
    EXPECT_EQ(popupOf(0)->GetSelectedIndex(), 0);
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(popupOf(0)->GetSelectedIndex(), 1);
    // Right on an item without a drop-down moves to the next menu, opened.
    Key(WM_KEYDOWN, VK_RIGHT);
    EXPECT_FALSE(popupOf(0)->IsOpen());
    EXPECT_TRUE(popupOf(1)->IsOpen());
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(popupOf(1)->IsOpen());
    EXPECT_TRUE(bars->IsKeyboardMode());
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(bars->IsKeyboardMode());
    EXPECT_EQ(menu->GetSelectedIndex(), -1);

    // F10, Enter, then the mnemonic of an item runs it.
    Key(WM_KEYDOWN, VK_F10);
    Key(WM_KEYUP, VK_F10);
    ASSERT_TRUE(bars->IsKeyboardMode());
    Key(WM_KEYDOWN, VK_RETURN);
    ASSERT_TRUE(popupOf(0)->IsOpen());
    Key(WM_KEYDOWN, 'C');
    Pump();
    EXPECT_EQ(frame->commands[kCount], 1);
    EXPECT_FALSE(bars->IsKeyboardMode());
    EXPECT_EQ(bars->GetOpenPopupCount(), 0);
}

TEST_F(CommandBarsTest, AltWithALetterOpensThatMenuAndSubmenusOpenWithRight)
{
    MakeFrame();
    CXTPMenuBar* menu = bars->GetMenuBar();
    auto* file = static_cast<CXTPPopupBar*>(menu->GetControl(0)->GetCommandBar());
    Key(WM_SYSKEYDOWN, 'F');
    ASSERT_TRUE(file->IsOpen());
    Key(WM_KEYDOWN, 'M');
    CXTPControl* more = file->GetControl(2);
    auto* sub = static_cast<CXTPPopupBar*>(more->GetCommandBar());
    ASSERT_TRUE(sub && sub->IsOpen());
    EXPECT_EQ(sub->GetSelectedIndex(), 0);
    Key(WM_KEYDOWN, VK_LEFT);
    EXPECT_FALSE(sub->IsOpen());
    EXPECT_TRUE(file->IsOpen());
    Key(WM_KEYDOWN, VK_RIGHT);
    ASSERT_TRUE(sub->IsOpen());
    Key(WM_KEYDOWN, VK_RETURN);
    Pump();
    EXPECT_EQ(frame->commands[kDeep], 1);
}

TEST_F(CommandBarsTest, ThemeSwitchRepaintsEveryBarInTheThemeColours)
{
    MakeFrame();
    CXTPToolBar* b = bars->GetToolBar(kToolBarB);
    CRect client;
    b->GetClientRect(&client);
    CPoint empty(client.right - 2, client.bottom / 2);
    for (int theme = 0; theme < CXTPPaintManager::kThemeCount; ++theme) {
        CXTPPaintManager::SetTheme(theme);
        bars->RedrawCommandBars();
        UiTestHook::PumpPending();
        EXPECT_EQ(UiTestHook::PixelAt(b->GetSafeHwnd(), empty), XTPPaintManager()->Colors().barFace) << theme;
    }
}

TEST_F(CommandBarsTest, CheckedButtonsShowTheCheckedFace)
{
    MakeFrame();
    CXTPPaintManager::SetTheme(2);
    Idle();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    a->Invalidate();
    UiTestHook::PumpPending();
    CRect checked = a->GetControls()->FindControl(kChecked)->GetRect();
    EXPECT_EQ(UiTestHook::PixelAt(a->GetSafeHwnd(), CPoint(checked.left + 2, checked.top + 2)),
              XTPPaintManager()->Colors().checkedFace);
    CRect plain = a->GetControls()->FindControl(kDisabled)->GetRect();
    EXPECT_EQ(UiTestHook::PixelAt(a->GetSafeHwnd(), CPoint(plain.left + 2, plain.top + 2)), XTPPaintManager()->Colors().barFace);
}

TEST_F(CommandBarsTest, CheckedMenuRowsShowACheckNotACheckedFace)
{
    constexpr UINT kIconBar = 905;
    RegisterToolBarResource(kIconBar, ToolBarTemplate{16, 15, {kChecked}});
    RegisterBinaryResource(ResourceKind::Bitmap, kIconBar, SolidBitmapFile(16, 15, RGB(255, 0, 0)));
    for (const bool withIcon : {false, true}) {
        MakeFrame();
        if (withIcon) {
            ASSERT_TRUE(bars->Add("Icons", BarTop)->LoadToolBar(kIconBar));
        }
        CXTPPaintManager::SetTheme(2);
        Idle();
        CXTPMenuBar* menu = bars->GetMenuBar();
        Click(menu, menu->GetControl(1)->GetRect().CenterPoint());
        auto* edit = static_cast<CXTPPopupBar*>(menu->GetControl(1)->GetCommandBar());
        ASSERT_TRUE(edit->IsOpen());
        CXTPControl* checked = edit->GetControls()->FindControl(kChecked);
        ASSERT_TRUE(checked->GetChecked());
        edit->Invalidate();
        UiTestHook::PumpPending();
        const XTPThemeColors& colors = XTPPaintManager()->Colors();
        CRect row = checked->GetRect();
        EXPECT_EQ(UiTestHook::PixelAt(edit->GetSafeHwnd(), CPoint(row.right - 3, row.top + 2)), colors.popupFace)
            << "the row beside the check keeps the menu's face";
        int ink = 0, face = 0;
        for (int y = row.top; y < row.bottom; ++y)
            for (int x = row.left; x < row.left + 22; ++x) {
                COLORREF px = UiTestHook::PixelAt(edit->GetSafeHwnd(), CPoint(x, y));
                ink += px == colors.text;
                face += px == colors.checkedFace;
            }
        EXPECT_EQ(ink > 0, !withIcon) << "a check mark where there is no icon";
        EXPECT_EQ(face > 0, withIcon) << "an icon gets a checked square behind it";
        bars->ClosePopups();
    }
}

TEST_F(CommandBarsTest, AFloatingBarGivesItsRowBackAndDocksAgainWhenDroppedOnAnEdge)
{
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("T", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kToolBarB));
    frame->RecalcLayout();
    ASSERT_EQ(MdiClientRect().top, 26);

    bars->FloatToolBar(bar, CPoint(300, 300));
    ASSERT_TRUE(bar->IsFloating());
    ASSERT_NE(bar->GetFloatingFrame(), nullptr);
    EXPECT_EQ(bar->GetParent(), bar->GetFloatingFrame());
    EXPECT_EQ(MdiClientRect().top, 0);

    // Drag the small frame's title to the left edge of the frame.
    CXTPFloatingFrame* mini = bar->GetFloatingFrame();
    CPoint title(10, 5);
    mini->ClientToScreen(&title);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, title, MK_LBUTTON);
    Pump();
    UiTestHook::MouseMove(CPoint(5, 300), MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(5, 300));
    Pump();
    EXPECT_EQ(bar->GetPosition(), BarLeft);
    EXPECT_EQ(bar->GetFloatingFrame(), nullptr);
    EXPECT_EQ(MdiClientRect().left, 27);
}

TEST_F(CommandBarsTest, DraggingTheGripperIntoTheMiddleFloatsTheBar)
{
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("T", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kToolBarB));
    frame->RecalcLayout();
    CPoint grip(4, 10);
    bar->ClientToScreen(&grip);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, grip, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(400, 300));
    Pump();
    EXPECT_TRUE(bar->IsFloating());
    CRect mini;
    bar->GetFloatingFrame()->GetWindowRect(&mini);
    EXPECT_EQ(mini.TopLeft(), CPoint(400, 300));

    // A bar that may dock only at the top stays floating when dropped on the left edge.
    bar->EnableDocking(0x2000);
    CPoint title(10, 5);
    bar->GetFloatingFrame()->ClientToScreen(&title);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, title, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(3, 300));
    Pump();
    EXPECT_TRUE(bar->IsFloating());
}

TEST_F(CommandBarsTest, BarStateRoundTripsThroughTheProfile)
{
    MakeFrame();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    CXTPToolBar* b = bars->GetToolBar(kToolBarB);
    bars->DockToolBar(a, BarLeft, 0, 10);
    bars->FloatToolBar(b, CPoint(500, 400));
    bars->SaveBarState("CommandBars\\Default\\");
    std::vector<BYTE> saved = ProfileBinary("CommandBars\\Default\\", "BarState");
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved, bars->GetBarState());

    MakeFrame();
    ASSERT_TRUE(bars->LoadBarState("CommandBars\\Default\\"));
    EXPECT_EQ(bars->GetToolBar(kToolBarA)->GetPosition(), BarLeft);
    EXPECT_TRUE(bars->GetToolBar(kToolBarB)->IsFloating());
    EXPECT_EQ(bars->GetBarState(), saved);
}

TEST_F(CommandBarsTest, ADamagedOrForeignBarStateLeavesTheBarsAsTheyAre)
{
    MakeFrame();
    std::vector<BYTE> before = bars->GetBarState();
    const std::vector<BYTE> records[] = {
        {},
        {0x56, 0x54, 0x42, 0x53, 0x01, 0x00, 0x05, 0x00, 0x01},
        {'<', 'x', 'm', 'l', '>'},
    };
    for (const std::vector<BYTE>& record : records) {
        app->WriteProfileBinary("CommandBars\\Default\\", "BarState", const_cast<BYTE*>(record.data()),
                                static_cast<UINT>(record.size()));
        EXPECT_FALSE(bars->LoadBarState("CommandBars\\Default\\"));
        EXPECT_EQ(bars->GetBarState(), before);
    }
}

TEST_F(CommandBarsTest, AFloatingPlaceOffTheScreenComesBackOntoIt)
{
    MakeFrame();
    XTPBarStateEntry e;
    e.barId = kToolBarA;
    e.position = BarFloating;
    e.floating[0] = -5000;
    e.floating[1] = 90000;
    e.floating[2] = -4900;
    e.floating[3] = 90040;
    ASSERT_TRUE(bars->SetBarState(EncodeBarState({e})));
    CRect mini;
    bars->GetToolBar(kToolBarA)->GetFloatingFrame()->GetWindowRect(&mini);
    EXPECT_GE(mini.left, 0);
    EXPECT_LT(mini.top, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(CommandBarsTest, OptionsRoundTripThroughTheProfile)
{
    MakeFrame();
    bars->GetOptions().alwaysFullMenus = FALSE;
    bars->GetOptions().largeIcons = TRUE;
    bars->SaveOptions("CommandBars\\Default\\");
    MakeFrame();
    EXPECT_TRUE(bars->GetOptions().alwaysFullMenus);
    EXPECT_FALSE(bars->GetOptions().largeIcons);
    bars->LoadOptions("CommandBars\\Default\\");
    EXPECT_FALSE(bars->GetOptions().alwaysFullMenus);
    EXPECT_TRUE(bars->GetOptions().largeIcons);
}

TEST_F(CommandBarsTest, LargeIconsDrawTheLargePicturesOnLargerButtonsAndTheBarGrowsWithThem)
{
    constexpr UINT kPictureBar = 904;
    RegisterToolBarResource(kPictureBar, ToolBarTemplate{16, 15, {kExit}});
    RegisterBinaryResource(ResourceKind::Bitmap, kPictureBar, SolidBitmapFile(16, 15, RGB(255, 0, 0)));
    RegisterBinaryResource(ResourceKind::Bitmap, LargeToolBarBitmapName(kPictureBar),
                           SolidBitmapFile(32, 32, RGB(0, 0, 255)));
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("Pictures", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kPictureBar));
    struct Case {
        BOOL large;
        CSize button;
        COLORREF picture;
        CSize pictureSize;
    };
    const Case cases[] = {
        {TRUE, CSize(39, 38), RGB(0, 0, 255), CSize(32, 32)},
        {FALSE, CSize(23, 22), RGB(255, 0, 0), CSize(16, 15)},
    };
    for (const Case& c : cases) {
        bars->GetOptions().largeIcons = c.large;
        bars->RedrawCommandBars();
        bar->Invalidate();
        Pump();
        const CRect button = bar->GetControl(0)->GetRect();
        EXPECT_EQ(button.Size(), c.button) << c.large;
        EXPECT_EQ(MdiClientRect().top, c.button.cy + 4) << c.large;
        CRect picture;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                if (UiTestHook::PixelAt(bar->GetSafeHwnd(), CPoint(x, y)) == c.picture)
                    picture.UnionRect(picture, CRect(x, y, x + 1, y + 1));
        EXPECT_EQ(picture.Size(), c.pictureSize) << c.large;
    }
}

TEST_F(CommandBarsTest, HiddenCommandsShowOnlyInAnExpandedMenu)
{
    CXTPPopupBar* file = OpenFileMenu(FALSE);
    ASSERT_TRUE(file->IsOpen());
    EXPECT_TRUE(file->GetControls()->FindControl(kOpen)->GetRect().IsRectEmpty());
    CRect client;
    file->GetClientRect(&client);
    Click(file, CPoint(client.Width() / 2, client.bottom - 6));
    EXPECT_TRUE(file->IsExpanded());
    EXPECT_FALSE(file->GetControls()->FindControl(kOpen)->GetRect().IsRectEmpty());
}

TEST_F(CommandBarsTest, ToolBarButtonsShowTheirCaptionAsTip)
{
    MakeFrame();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    a->OnRecalcLayout();
    CToolTipCtrl* tip = a->GetToolTip();
    ASSERT_NE(tip->GetSafeHwnd(), nullptr);
    EXPECT_EQ(tip->GetToolCount(), a->GetControlCount());
    TOOLINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(tip->HitTest(a, a->GetControls()->FindControl(kCount)->GetRect().CenterPoint(), &info));
    CString text;
    tip->GetText(text, a, info.uId);
    EXPECT_STREQ(text, "Count");

    bars->GetOptions().screenTips = FALSE;
    a->OnRecalcLayout();
    EXPECT_EQ(a->GetToolTip()->GetSafeHwnd(), nullptr);
}

TEST_F(CommandBarsTest, ATornOffDropDownFloatsAsAToolBarThatSendsTheSameCommands)
{
    MakeFrame(false);
    std::vector<CreateBarRequest> tornOff;
    frame->onCreateBar = [&](CreateBarRequest& request) {
        if (request.bTearOffBar) {
            tornOff.push_back(request);
            return TRUE;
        }
        return SupplyEditDropDown(request);
    };
    CXTPMenuBar* menu = bars->SetMenu("Menu Bar", kMenu);
    Click(menu, menu->GetControl(1)->GetRect().CenterPoint());
    auto* edit = static_cast<CXTPPopupBar*>(menu->GetControl(1)->GetCommandBar());
    ASSERT_TRUE(edit->IsOpen());
    ASSERT_FALSE(edit->TearOffRect().IsRectEmpty());
    Click(edit, edit->TearOffRect().CenterPoint());
    EXPECT_FALSE(edit->IsOpen());

    CXTPToolBar* bar = bars->GetToolBar(1003);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_STREQ(bar->GetTitle(), "Edit");
    ASSERT_EQ(tornOff.size(), 1u);
    EXPECT_EQ(tornOff[0].pCommandBar, bar);
    EXPECT_EQ(tornOff[0].nID, 1003u);
    ASSERT_EQ(bar->GetControlCount(), 2);
    Idle();
    Click(bar, bar->GetControls()->FindControl(kChecked)->GetRect().CenterPoint());
    EXPECT_EQ(frame->commands[kChecked], 1);

    // Tearing off again shows the same bar.
    bar->SetVisible(FALSE);
    Click(menu, menu->GetControl(1)->GetRect().CenterPoint());
    Click(edit, edit->TearOffRect().CenterPoint());
    EXPECT_EQ(bars->GetToolBar(1003), bar);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(tornOff.size(), 1u);

    // At the next start the bar is torn off again and floats where it was.
    bars->FloatToolBar(bar, CPoint(300, 220));
    CRect place;
    bar->GetFloatingFrame()->GetWindowRect(&place);
    const std::vector<BYTE> state = bars->GetBarState();
    DestroyFrame();
    MakeFrame(false);
    frame->onCreateBar = [&](CreateBarRequest& request) { return request.bTearOffBar || SupplyEditDropDown(request); };
    bars->SetMenu("Menu Bar", kMenu);
    ASSERT_EQ(bars->GetToolBar(1003), nullptr);
    ASSERT_TRUE(bars->SetBarState(state));
    bar = bars->GetToolBar(1003);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsFloating());
    EXPECT_EQ(bar->GetControlCount(), 2);
    CRect restored;
    bar->GetFloatingFrame()->GetWindowRect(&restored);
    EXPECT_EQ(restored.TopLeft(), place.TopLeft());
}

TEST_F(CommandBarsTest, ControlsThatDoNotFitGoIntoTheExpandButtonsDropDown)
{
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("T", BarTop);
    bar->SetBarFlags(BarFlagShowExpandButton);
    ASSERT_TRUE(bar->LoadToolBar(kToolBarA));
    frame->RecalcLayout();
    bar->OnRecalcLayout();
    EXPECT_FALSE(bar->GetExpandRect().IsRectEmpty());
    EXPECT_FALSE(bar->GetControls()->FindControl(kChecked)->GetRect().IsRectEmpty());

    // A bar squeezed to its first button and the expand button offers the rest in the drop-down.
    bar->MoveWindow(0, 0, bar->GetControls()->FindControl(kCount)->GetRect().right + 14, 26);
    bar->OnRecalcLayout();
    EXPECT_FALSE(bar->GetControls()->FindControl(kCount)->GetRect().IsRectEmpty());
    EXPECT_TRUE(bar->GetControls()->FindControl(kChecked)->GetRect().IsRectEmpty());
    Click(bar, bar->GetExpandRect().CenterPoint());
    CXTPPopupBar* drop = bar->GetExpandPopup();
    ASSERT_TRUE(drop && drop->IsOpen());
    ASSERT_EQ(drop->GetControlCount(), 2);
    Click(drop, drop->GetControls()->FindControl(kChecked)->GetRect().CenterPoint());
    EXPECT_EQ(frame->commands[kChecked], 1);
}

TEST_F(CommandBarsTest, ABarReplacedByAnotherGivesItItsPlace)
{
    MakeFrame();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    CXTPToolBar* b = bars->GetToolBar(kToolBarB);
    bars->DockToolBar(a, BarLeft, 0, 30);
    bars->DockToolBar(b, BarTop, 1, 0);
    b->SetVisible(FALSE);
    a->ReplaceWith(kToolBarB, TRUE);
    EXPECT_FALSE(a->IsVisible());
    EXPECT_TRUE(b->IsVisible());
    EXPECT_EQ(b->GetPosition(), BarLeft);
    EXPECT_EQ(b->m_nOffset, 30);
}

TEST_F(CommandBarsTest, DoubleClicksFloatADockedBarAndDockAFloatingOneWhereItWas)
{
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("T", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kToolBarB));
    bars->DockToolBar(bar, BarRight, 0, 40);
    CPoint grip(10, 4);
    bar->ClientToScreen(&grip);
    UiTestHook::MouseDown(WM_LBUTTONDBLCLK, grip, MK_LBUTTON);
    Pump();
    ASSERT_TRUE(bar->IsFloating());

    CPoint title(10, 5);
    bar->GetFloatingFrame()->ClientToScreen(&title);
    UiTestHook::MouseDown(WM_LBUTTONDBLCLK, title, MK_LBUTTON);
    Pump();
    EXPECT_EQ(bar->GetPosition(), BarRight);
    EXPECT_EQ(bar->m_nOffset, 40);
}

TEST_F(CommandBarsTest, ANarrowerFloatingFrameWrapsItsBarIntoMoreRows)
{
    MakeFrame(false);
    CXTPToolBar* bar = bars->Add("T", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kToolBarB));
    bars->FloatToolBar(bar, CPoint(300, 300));
    CXTPFloatingFrame* mini = bar->GetFloatingFrame();
    CRect before;
    mini->GetWindowRect(&before);
    CRect barBefore;
    bar->GetClientRect(&barBefore);
    EXPECT_EQ(barBefore.Height(), 26);

    // Drag the right border in until only the wider button fits a row.
    int widest = std::max(bar->GetControl(0)->GetRect().Width(), bar->GetControl(1)->GetRect().Width());
    int shrink = barBefore.Width() - (widest + 6);
    CPoint edge(before.Width() - 1, before.Height() / 2 + 5);
    mini->ClientToScreen(&edge);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, edge, MK_LBUTTON);
    Pump();
    UiTestHook::MouseMove(CPoint(edge.x - shrink, edge.y), MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(edge.x - shrink, edge.y));
    Pump();
    CRect after;
    bar->GetClientRect(&after);
    EXPECT_EQ(after.Height(), 48);
    EXPECT_LT(after.Width(), barBefore.Width());
    EXPECT_TRUE(bar->IsFloating());
}

// An item that appears while the menu is open moves the items below it under the pointer.
TEST_F(CommandBarsTest, AMenuShowsItsRarelyUsedCommandsAtOnceAndNeverGrowsWhileOpen)
{
    for (BOOL full : {TRUE, FALSE}) {
        CXTPPopupBar* file = OpenFileMenu(full);
        ASSERT_TRUE(file->IsOpen());
        CRect opened, open;
        file->GetWindowRect(&opened);
        const CRect openItem = file->GetControls()->FindControl(kOpen)->GetRect();
        EXPECT_EQ(openItem.IsRectEmpty(), !full);
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        Pump();
        file->GetWindowRect(&open);
        EXPECT_EQ(open, opened) << full;
        EXPECT_EQ(file->GetControls()->FindControl(kOpen)->GetRect(), openItem) << full;
    }
}

TEST_F(CommandBarsTest, ABarOutsideTheCommandBarsLoadsLaysOutAndSendsToItsOwner)
{
    // As the print preview makes its bar: a child of another bar window, with an id.
    MakeFrame(false);
    CXTPToolBar bar;
    ASSERT_TRUE(bar.CreateToolBar(0x50402810, frame, 59392));
    EXPECT_EQ(bar.GetDlgCtrlID(), 59392);
    EXPECT_EQ(bar.GetStyle() & 0x00400000, 0u);
    ASSERT_TRUE(bar.LoadToolBar(kToolBarA));
    CSize size = bar.CalcDockingLayout(500, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(size.cy, 26);
    bar.MoveWindow(0, 0, size.cx, size.cy);
    Click(&bar, bar.GetControls()->FindControl(kCount)->GetRect().CenterPoint());
    EXPECT_EQ(frame->commands[kCount], 1);
    bar.DestroyWindow();
}

TEST_F(CommandBarsTest, ASubMenuOpensWhenThePointerRestsOnItsRowAndClosesOnAnother)
{
    CXTPPopupBar* file = OpenFileMenu(TRUE);
    ASSERT_TRUE(file && file->IsOpen());
    auto* sub = static_cast<CXTPPopupBar*>(file->GetControl(2)->GetCommandBar());
    auto restOn = [&](int index) {
        CPoint at = file->GetControl(index)->GetRect().CenterPoint();
        file->ClientToScreen(&at);
        UiTestHook::MouseMove(at);
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Pump();
    };
    restOn(2);
    ASSERT_TRUE(sub->IsOpen());
    EXPECT_TRUE(file->IsOpen());
    restOn(0);
    EXPECT_FALSE(sub->IsOpen());
    EXPECT_TRUE(file->IsOpen());
}

TEST_F(CommandBarsTest, ADropDownTheMouseOpenedTakesTheArrowKeys)
{
    CXTPPopupBar* file = OpenFileMenu(TRUE);
    ASSERT_TRUE(file && file->IsOpen());
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(file->GetSelectedIndex(), 0);
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(file->IsOpen());
    EXPECT_TRUE(bars->IsKeyboardMode());
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(bars->IsKeyboardMode());
    CXTPMenuBar* menu = bars->GetMenuBar();
    Click(menu, menu->GetControl(0)->GetRect().CenterPoint());
    ASSERT_TRUE(file->IsOpen());
    Key(WM_KEYDOWN, VK_DOWN);
    Key(WM_KEYDOWN, VK_DOWN);
    Key(WM_KEYDOWN, VK_RETURN);
    Pump();
    EXPECT_EQ(frame->commands[kCount], 1);
    EXPECT_EQ(bars->GetOpenPopupCount(), 0);
}

TEST_F(CommandBarsTest, ShiftF10AndAltHeldForAClickLeaveTheMenuBarAlone)
{
    MakeFrame();
    Key(WM_KEYDOWN, VK_SHIFT);
    Key(WM_KEYDOWN, VK_F10);
    Key(WM_KEYUP, VK_F10);
    Key(WM_KEYUP, VK_SHIFT);
    EXPECT_FALSE(bars->IsKeyboardMode());
    Key(WM_SYSKEYDOWN, VK_MENU);
    Click(frame, CPoint(400, 400));
    Key(WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(bars->IsKeyboardMode());
}

TEST_F(CommandBarsTest, TheMenuBarShowsTheActiveDocumentTypesMenuAndTheFramesWithoutOne)
{
    constexpr UINT kDocumentMenu = 950, kNoSuchMenu = 951;
    RegisterMenuResource(kDocumentMenu, {MenuTemplateItem{0, 0, "&Page", {MenuTemplateItem{0, kCount, "&Count", {}}}},
                                         MenuTemplateItem{0, 0, "&File", {MenuTemplateItem{0, kOpen, "&Open", {}}}},
                                         MenuTemplateItem{0, 0, "&Help", {MenuTemplateItem{0, kExit, "E&xit", {}}}}});
    MakeFrame();
    CXTPMenuBar* menu = bars->GetMenuBar();
    auto captions = [&] {
        std::string all;
        for (int i = 0; i < menu->GetControlCount(); ++i)
            all += std::string(menu->GetControl(i)->GetCaption()) + ";";
        return all;
    };
    const std::string frameMenu = captions();
    Key(WM_SYSKEYDOWN, 'F');
    ASSERT_EQ(bars->GetOpenPopupCount(), 1);
    frame->OnActiveDocumentMenu(nullptr, kDocumentMenu);
    EXPECT_EQ(captions(), "&Page;&File;&Help;");
    EXPECT_EQ(bars->GetOpenPopupCount(), 0) << "the open menu of the old bar closes";
    EXPECT_FALSE(bars->IsKeyboardMode());
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr) << "no second menu above the menu bar";
    Key(WM_SYSKEYDOWN, 'P');
    Key(WM_KEYDOWN, VK_RETURN);
    Pump();
    EXPECT_EQ(frame->commands[kCount], 1);
    frame->OnActiveDocumentMenu(nullptr, 0);
    EXPECT_EQ(captions(), frameMenu);
    frame->OnActiveDocumentMenu(nullptr, kNoSuchMenu);
    EXPECT_EQ(captions(), frameMenu);
}
