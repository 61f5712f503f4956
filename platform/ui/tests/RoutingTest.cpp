// Command routing and update handlers through a small MDI application built on the layer.
#include "UiFixture.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <string>

namespace {

// Command ids: each level handles the ids from kView up to its own, so the first handler
// along the route tells which level got the command.
constexpr UINT kView = 100, kDoc = 101, kChild = 102, kMain = 103, kApp = 104, kNobody = 105;
constexpr UINT kChecked = 110, kDisabled = 111;

std::string handledBy;

class CRouteDoc : public CDocument {
    DECLARE_DYNCREATE(CRouteDoc)
public:
    void OnRange(UINT) { handledBy = "document"; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteDoc, CDocument)
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
    ON_COMMAND_RANGE(kView, kDoc, OnRange)
END_MESSAGE_MAP()

class CRouteView : public CView {
    DECLARE_DYNCREATE(CRouteView)
public:
    void OnDraw(CDC*) override {}
    void OnRange(UINT) { handledBy = "view"; }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnDisabled() { handledBy = "disabled command ran"; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteView, CView)
BEGIN_MESSAGE_MAP(CRouteView, CView)
    ON_COMMAND_RANGE(kView, kView, OnRange)
    ON_UPDATE_COMMAND_UI(kChecked, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
    ON_COMMAND(kDisabled, OnDisabled)
    ON_COMMAND(kChecked, OnDisabled)
END_MESSAGE_MAP()

class CRouteChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CRouteChild)
public:
    void OnRange(UINT) { handledBy = "child frame"; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CRouteChild, CMDIChildWnd)
    ON_COMMAND_RANGE(kView, kChild, OnRange)
END_MESSAGE_MAP()

class CRouteMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CRouteMain)
public:
    void OnRange(UINT) { handledBy = "main frame"; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteMain, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CRouteMain, CMDIFrameWnd)
    ON_COMMAND_RANGE(kView, kMain, OnRange)
END_MESSAGE_MAP()

class CRouteApp : public CWinApp {
public:
    void OnRange(UINT) { handledBy = "application"; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
    ON_COMMAND_RANGE(kView, kApp, OnRange)
END_MESSAGE_MAP()

class RoutingTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        app = new CRouteApp;
        docTemplate = new CMultiDocTemplate(300, RUNTIME_CLASS(CRouteDoc), RUNTIME_CLASS(CRouteChild), RUNTIME_CLASS(CRouteView));
        app->AddDocTemplate(docTemplate);
        main = new CRouteMain;
        ASSERT_TRUE(main->LoadFrame(301));
        app->m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        doc = docTemplate->OpenDocumentFile(nullptr);
        ASSERT_NE(doc, nullptr);
        handledBy.clear();
    }

    void TearDown() override
    {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        delete app;
        UiTest::TearDown();
    }

    std::string route(UINT id)
    {
        handledBy = "nobody";
        main->SendMessage(WM_COMMAND, id, 0);
        return handledBy;
    }

    CRouteApp* app = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    CRouteMain* main = nullptr;
    CDocument* doc = nullptr;
};

} // namespace

TEST_F(RoutingTest, CommandReachesTheFirstHandlerAlongTheRoute)
{
    struct Case {
        UINT id;
        const char* expected;
    };
    const Case cases[] = {{kView, "view"},           {kDoc, "document"},       {kChild, "child frame"},
                          {kMain, "main frame"},     {kApp, "application"},    {kNobody, "nobody"}};
    for (const Case& c : cases)
        EXPECT_EQ(route(c.id), c.expected) << c.id;
}

TEST_F(RoutingTest, ActiveChildViewAndDocumentAreFound)
{
    CMDIChildWnd* child = main->MDIGetActive();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->IsKindOf(RUNTIME_CLASS(CRouteChild)));
    EXPECT_EQ(child->GetActiveDocument(), doc);
    EXPECT_EQ(main->GetActiveDocument(), doc);
    ASSERT_NE(child->GetActiveView(), nullptr);
    EXPECT_EQ(child->GetActiveView()->GetDocument(), doc);
}

TEST_F(RoutingTest, SecondChildBecomesActiveAndClosingItReactivatesTheFirst)
{
    CMDIChildWnd* first = main->MDIGetActive();
    CDocument* second = docTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(second, nullptr);
    CMDIChildWnd* active = main->MDIGetActive();
    ASSERT_NE(active, first);
    EXPECT_EQ(main->GetActiveDocument(), second);
    active->SendMessage(WM_CLOSE);
    EXPECT_EQ(main->MDIGetActive(), first);
    EXPECT_EQ(main->GetActiveDocument(), doc);
}

TEST_F(RoutingTest, MenuUpdateHandlersEnableAndCheckItems)
{
    CMenu popup;
    popup.CreatePopupMenu();
    for (UINT id : {kView, kChecked, kDisabled, kNobody})
        popup.AppendMenu(MF_STRING, id, "item");
    main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    struct Case {
        UINT id;
        UINT state;
    };
    const Case cases[] = {{kView, MF_ENABLED},
                          {kChecked, MF_CHECKED},
                          {kDisabled, MF_DISABLED | MF_GRAYED},
                          {kNobody, MF_DISABLED | MF_GRAYED}};
    for (const Case& c : cases)
        EXPECT_EQ(popup.GetMenuState(c.id, MF_BYCOMMAND) & (MF_CHECKED | MF_DISABLED | MF_GRAYED), c.state) << c.id;
}

TEST_F(RoutingTest, DisabledCommandsFromMenusDoNotRun)
{
    EXPECT_EQ(route(kDisabled), "nobody");
}

TEST_F(RoutingTest, IdleUpdatesToolBarButtons)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(main));
    const UINT ids[] = {kView, 0, kChecked, kDisabled, kNobody};
    bar.SetButtons(ids, 5);
    app->OnIdle(0);
    EXPECT_EQ(bar.GetButtonStyle(0) & (TBBS_DISABLED | TBBS_CHECKED), 0u);
    EXPECT_EQ(bar.GetButtonStyle(2) & TBBS_CHECKED, TBBS_CHECKED);
    EXPECT_EQ(bar.GetButtonStyle(3) & TBBS_DISABLED, TBBS_DISABLED);
    EXPECT_EQ(bar.GetButtonStyle(4) & TBBS_DISABLED, TBBS_DISABLED);
    bar.DestroyWindow();
}

TEST_F(RoutingTest, ControlBarsTakeTheirEdgesInTheLayout)
{
    CToolBar tools;
    CStatusBar status;
    ASSERT_TRUE(tools.Create(main));
    ASSERT_TRUE(status.Create(main));
    const UINT ids[] = {kView, kDoc};
    tools.SetButtons(ids, 2);
    main->RecalcLayout();
    CRect client, toolRect, statusRect, mdiRect;
    main->GetClientRect(&client);
    tools.GetWindowRect(&toolRect);
    status.GetWindowRect(&statusRect);
    ::GetWindowRect(main->m_hWndMDIClient, &mdiRect);
    main->ScreenToClient(&toolRect);
    main->ScreenToClient(&statusRect);
    main->ScreenToClient(&mdiRect);
    EXPECT_EQ(toolRect.top, 0);
    EXPECT_EQ(mdiRect.top, toolRect.bottom);
    EXPECT_EQ(statusRect.bottom, client.bottom);
    EXPECT_EQ(mdiRect.bottom, statusRect.top);
    EXPECT_EQ(mdiRect.Width(), client.Width());
    tools.DestroyWindow();
    status.DestroyWindow();
}

TEST_F(RoutingTest, ChildFramesPaintTheirCaptionAndTheWorkspaceIsGrey)
{
    UiTestHook::PumpPending();
    CMDIChildWnd* child = main->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CRect childRect;
    child->GetWindowRect(&childRect);
    ::ScreenToClient(main->m_hWndMDIClient, &childRect.TopLeft());
    POINT caption{childRect.left + 30, childRect.top + 10};
    EXPECT_EQ(UiTestHook::PixelAt(main->m_hWndMDIClient, caption), GetSysColor(COLOR_ACTIVECAPTION));
    CRect client;
    ::GetClientRect(main->m_hWndMDIClient, &client);
    EXPECT_EQ(UiTestHook::PixelAt(main->m_hWndMDIClient, POINT{client.right - 3, client.bottom - 3}), GetSysColor(COLOR_APPWORKSPACE));
}

TEST_F(RoutingTest, LockKeyIndicatorsFollowTheKeyState)
{
    CStatusBar status;
    ASSERT_TRUE(status.Create(main));
    const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
    status.SetIndicators(ids, 2);
    bool capsOn = GetKeyState(VK_CAPITAL) & 1;
    for (int round = 0; round < 2; ++round) {
        app->OnIdle(0);
        EXPECT_EQ((status.GetPaneStyle(1) & SBPS_DISABLED) == 0, capsOn) << round;
        main->SetFocus();
        UiTestHook::KeyDown(VK_CAPITAL);
        UiTestHook::KeyUp(VK_CAPITAL);
        UiTestHook::PumpPending();
        capsOn = !capsOn;
    }
    status.DestroyWindow();
}

TEST_F(RoutingTest, DialogBarsTakeTheirTemplateSizeAtTheirEdge)
{
    DialogTemplate ruler;
    ruler.cx = 40;
    ruler.cy = 16;
    ruler.items = {{"static", "", 28560, WS_VISIBLE, 0, 0, 0, 10, 8}};
    RegisterDialogResource(27958, ruler);
    CDialogBar left;
    ASSERT_TRUE(left.Create(main, 27958, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 28553));
    EXPECT_FALSE(left.Create(main, 9999, WS_CHILD | CBRS_TOP, 28554)) << "no such template";
    main->RecalcLayout();
    CRect bar, mdi;
    left.GetWindowRect(&bar);
    ::GetWindowRect(main->m_hWndMDIClient, &mdi);
    EXPECT_EQ(bar.Width(), DialogUnitsToPixelsX(40));
    EXPECT_EQ(mdi.left, bar.right);
    EXPECT_NE(left.GetDlgItem(28560), nullptr);
    EXPECT_EQ(main->GetControlBar(28553), &left);
    left.DestroyWindow();
    EXPECT_EQ(main->GetControlBar(28553), nullptr);
}
