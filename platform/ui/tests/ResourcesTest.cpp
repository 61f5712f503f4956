// Resources by id: menus and accelerators of frames, dialog templates, message boxes.
#include "UiFixture.h"

#include "platform/core/StringTable.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <string>

namespace {

constexpr UINT kFrame = 500, kDialog = 501, kSave = 57603, kClose = 57602, kZoom = 33000;

std::string ran;

class CResourceFrame : public CFrameWnd {
public:
    void OnSave() { ran += "save;"; }
    void OnZoom() { ran += "zoom;"; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CResourceFrame, CFrameWnd)
    ON_COMMAND(kSave, OnSave)
    ON_COMMAND(kZoom, OnZoom)
END_MESSAGE_MAP()

class ResourcesTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterStringResource(kFrame, "Resource Frame\nDoc");
        RegisterMenuResource(kFrame, {{0, 0, "&File", {{MF_STRING, kSave, "&Save\tCtrl+S", {}}, {MF_SEPARATOR, 0, "", {}},
                                                         {MF_STRING, kClose, "&Close", {}}}},
                                      {0, 0, "&View", {{MF_STRING, kZoom, "&Zoom", {}}}}});
        RegisterAcceleratorResource(kFrame, {{FVIRTKEY | FCONTROL, 'S', kSave}, {FVIRTKEY, VK_F2, kZoom}});
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION;
        t.cx = 100;
        t.cy = 40;
        t.caption = "Settings";
        t.items = {{"button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP, 0, 10, 20, 40, 14},
                   {"NoSuchControl", "name", 1001, WS_VISIBLE, 0, 4, 4, 60, 8}};
        RegisterDialogResource(kDialog, t);
    }
};

} // namespace

TEST_F(ResourcesTest, FramesTakeTitleMenuAndAcceleratorsFromTheirResource)
{
    auto* frame = new CResourceFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrame, WS_OVERLAPPEDWINDOW));
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Resource Frame");
    CMenu* menu = frame->GetMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetMenuItemCount(), 2u);
    CMenu* file = menu->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3u);
    EXPECT_EQ(file->GetMenuItemID(0), kSave);
    EXPECT_EQ(file->GetMenuItemID(1), 0u);
    CString text;
    file->GetMenuString(kClose, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "&Close");

    frame->ShowWindow(SW_SHOW);
    frame->SetFocus();
    struct Case {
        std::vector<int> down;
        const char* expected;
    };
    const Case cases[] = {{{VK_CONTROL, 'S'}, "save;"}, {{VK_F2}, "zoom;"}, {{'S'}, ""}, {{VK_SHIFT, VK_F2}, ""}};
    for (const Case& c : cases) {
        ran.clear();
        for (int vk : c.down)
            UiTestHook::KeyDown(vk);
        for (auto it = c.down.rbegin(); it != c.down.rend(); ++it)
            UiTestHook::KeyUp(*it);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!frame->PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        EXPECT_EQ(ran, c.expected);
    }
    frame->DestroyWindow();
}

TEST_F(ResourcesTest, PopupMenusReturnTheScriptedChoice)
{
    HWND owner = MakeWindow(WS_OVERLAPPED, {0, 0, 10, 10});
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(kFrame));
    ASSERT_NE(menu, nullptr);
    UiTestHook::QueueMenuPick(kZoom);
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(menu, 1), TPM_RETURNCMD, 0, 0, 0, owner, nullptr), static_cast<BOOL>(kZoom));
    UiTestHook::QueueMenuPick(0);
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(menu, 1), TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "dismissed";
    EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(9999)), nullptr);
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(menu));
}

TEST_F(ResourcesTest, DialogsCreateTheirItemsInDialogUnits)
{
    class CModeless : public CDialog {
    public:
        void PostNcDestroy() override {}
    } dialog;
    ASSERT_TRUE(dialog.Create(kDialog));
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Settings");
    CWnd* ok = dialog.GetDlgItem(IDOK);
    ASSERT_NE(ok, nullptr);
    CRect r;
    ok->GetWindowRect(&r);
    dialog.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(DialogUnitsToPixelsX(10), DialogUnitsToPixelsY(20), DialogUnitsToPixelsX(50), DialogUnitsToPixelsY(34)));
    EXPECT_NE(dialog.GetDlgItem(1001), nullptr) << "an unknown control class still gets a window";
    dialog.DestroyWindow();
}

TEST_F(ResourcesTest, MessageBoxesTakeScriptedAnswersAndRecordTheirStyle)
{
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {{MB_YESNOCANCEL | MB_ICONQUESTION, IDNO}, {MB_OKCANCEL, IDCANCEL}, {MB_OK | MB_ICONERROR, IDOK}};
    for (const Case& c : cases) {
        UiTestHook::QueueMessageBoxAnswer(c.answer);
        EXPECT_EQ(AfxMessageBox("Question?", c.type), c.answer);
        EXPECT_EQ(UiTestHook::LastMessageBoxStyle(), c.type);
    }
    RegisterStringResource(502, "From the string table");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    AfxMessageBox(502u);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "From the string table");
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 4);
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 0);
}

TEST_F(ResourcesTest, TheMenuBarTakesItsBandAndOpensThePopupOfTheClickedItem)
{
    auto* frame = new CResourceFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrame, WS_OVERLAPPEDWINDOW));
    frame->ShowWindow(SW_SHOW);
    CRect window, client;
    frame->GetWindowRect(&window);
    frame->GetClientRect(&client);
    EXPECT_EQ(window.Height() - client.Height(), 19);
    POINT onView{window.left + 50, window.top + 10};
    EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(onView.x), static_cast<WORD>(onView.y))), HTMENU);
    struct Case {
        int x; // within the bar
        UINT pick;
        const char* expected;
    };
    const Case cases[] = {{10, kSave, "save;"}, {60, kZoom, "zoom;"}, {10, 0, ""}};
    for (const Case& c : cases) {
        ran.clear();
        UiTestHook::QueueMenuPick(c.pick);
        POINT at{window.left + c.x, window.top + 10};
        UiTestHook::MouseDown(WM_LBUTTONDOWN, at, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, at);
        UiTestHook::PumpPending();
        EXPECT_EQ(ran, c.expected) << c.x;
        EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 0);
    }
    frame->SetMenu(nullptr);
    frame->GetClientRect(&client);
    EXPECT_EQ(window.Height(), client.Height());
    frame->DestroyWindow();
}

TEST_F(ResourcesTest, TabMovesTheFocusThroughTheTabStopsOfADialog)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 100;
    t.cy = 60;
    t.items = {{"edit", "", 10, WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 50, 10},
               {"static", "label", 11, WS_VISIBLE, 0, 0, 12, 50, 10},
               {"edit", "", 12, WS_VISIBLE | WS_TABSTOP, 0, 0, 24, 50, 10},
               {"button", "OK", 13, WS_VISIBLE | WS_TABSTOP, 0, 0, 36, 50, 10}};
    class CModeless : public CDialog {
    public:
        void PostNcDestroy() override {}
    } dialog;
    ASSERT_TRUE(dialog.CreateIndirect(t));
    ::SetFocus(dialog.GetDlgItem(10)->m_hWnd);
    struct Case {
        bool shift;
        int expected;
    };
    const Case cases[] = {{false, 12}, {false, 13}, {false, 10}, {true, 13}, {true, 12}};
    for (const Case& c : cases) {
        MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        if (c.shift)
            UiTestHook::KeyDown(VK_SHIFT);
        UiTestHook::PumpPending();
        EXPECT_TRUE(dialog.PreTranslateMessage(&msg));
        if (c.shift) {
            UiTestHook::KeyUp(VK_SHIFT);
            UiTestHook::PumpPending();
        }
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), c.expected);
    }
    dialog.DestroyWindow();
}
