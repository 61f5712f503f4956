#include "ToolkitFixture.h"

#include "platform/core/StringTable.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPTaskPanel.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Resources.h"

#include <cstdio>
#include <cstdlib>
#include <string>

BEGIN_MESSAGE_MAP(CTestFrame, CXTPMDIFrameWnd)
    ON_COMMAND_RANGE(kCount, kCount, OnCommandRange)
    ON_COMMAND_RANGE(kChecked, kChecked, OnCommandRange)
    ON_COMMAND_RANGE(kOpen, kExit, OnCommandRange)
    ON_COMMAND_RANGE(kFormatFirst, kFormatLast, OnCommandRange)
    ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(kChecked, OnUpdateChecked)
    ON_MESSAGE(WM_XTP_CREATECONTROL, OnCreateControl)
    ON_MESSAGE(WM_XTP_CREATECOMMANDBAR, OnCreateBar)
    ON_MESSAGE(WM_XTP_DOCKINGPANENOTIFY, OnPaneNotify)
    ON_MESSAGE(WM_XTP_TABCLIENTMOUSE, OnTabMouse)
    ON_MESSAGE(WM_XTP_TASKPANELNOTIFY, OnTaskPanelNotify)
END_MESSAGE_MAP()

LRESULT CTestFrame::OnPaneNotify(WPARAM action, LPARAM lParam)
{
    auto* pane = reinterpret_cast<CXTPDockingPane*>(lParam);
    paneNotes.emplace_back(action, pane ? pane->GetID() : 0);
    return 0;
}

LRESULT CTestFrame::OnTaskPanelNotify(WPARAM code, LPARAM lParam)
{
    auto* item = reinterpret_cast<CXTPTaskItem*>(lParam);
    taskNotes.emplace_back(code, item ? item->GetID() : 0);
    return 0;
}

BOOL CTestFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* nm = reinterpret_cast<XTPControlNotify*>(lParam);
    notifies.emplace_back(static_cast<UINT>(wParam), nm->hdr.code);
    // The current format, as a formatting view answers the font boxes.
    if (nm->hdr.code == XTPN_COMBOQUERY && nm->pData) {
        auto* format = static_cast<CHARFORMAT*>(nm->pData);
        format->dwMask = CFM_FACE | CFM_SIZE;
        std::snprintf(format->szFaceName, sizeof format->szFaceName, "%s", queryFace.c_str());
        format->yHeight = 230;
    }
    *result = 1;
    return TRUE;
}

namespace {

void registerResources()
{
    RegisterMenuResource(kMenu, {
        MenuTemplateItem{0, 0, "&File", {
            MenuTemplateItem{0, kOpen, "&Open", {}},
            MenuTemplateItem{0, kCount, "&Count", {}},
            MenuTemplateItem{MF_SEPARATOR, 0, "", {}},
            MenuTemplateItem{0, 0, "&More", {MenuTemplateItem{0, kDeep, "&Deep", {}}}},
            MenuTemplateItem{0, kExit, "E&xit", {}},
        }},
        MenuTemplateItem{0, 0, "&Edit", {
            MenuTemplateItem{0, kDisabled, "&Disabled", {}},
            MenuTemplateItem{0, kChecked, "C&hecked", {}},
        }},
    });
    RegisterToolBarResource(kToolBarA, ToolBarTemplate{16, 15, {kCount, kDisabled, 0, kChecked}});
    RegisterToolBarResource(kToolBarB, ToolBarTemplate{16, 15, {kNoHandler, kOpen}});
    RegisterToolBarResource(kToolBarC, ToolBarTemplate{16, 15, {kExit}});
    RegisterStringResource(kCount, "Counts\nCount");
}

} // namespace

void ToolkitTest::SetUpTestSuite()
{
    UiTest::SetUpTestSuite();
    static std::string home;
    if (home.empty()) {
        char pattern[] = "/tmp/toolkit-profile-XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    }
    registerResources();
}

void ToolkitTest::SetUp()
{
    UiTest::SetUp();
    app = new CWinApp("ToolkitTests");
    CXTPPaintManager::SetTheme(1);
}

void ToolkitTest::TearDown()
{
    DestroyFrame();
    delete app;
    app = nullptr;
    UiTest::TearDown();
}

CTestFrame* ToolkitTest::MakeFrame(bool withBars)
{
    DestroyFrame();
    frame = new CTestFrame;
    if (!frame->LoadFrame(kMenu + 1000)) {
        ADD_FAILURE() << "frame not created";
        return nullptr;
    }
    app->m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 800, 600);
    frame->ShowWindow(SW_SHOW);
    bars = frame->InitCommandBars();
    if (withBars) {
        EXPECT_NE(bars->SetMenu("Menu Bar", kMenu), nullptr);
        CXTPToolBar* a = bars->Add("A", BarTop);
        EXPECT_TRUE(a && a->LoadToolBar(kToolBarA));
        CXTPToolBar* b = bars->Add("B", BarTop);
        EXPECT_TRUE(b && b->LoadToolBar(kToolBarB));
    }
    frame->RecalcLayout();
    Pump();
    return frame;
}

void ToolkitTest::DestroyFrame()
{
    if (frame && frame->GetSafeHwnd())
        frame->DestroyWindow();
    frame = nullptr;
    bars = nullptr;
    if (app)
        app->m_pMainWnd = nullptr;
    UiTestHook::PumpPending();
}

void ToolkitTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (AfxGetThread() && AfxGetThread()->PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void ToolkitTest::Idle()
{
    app->OnIdle(0);
    Pump();
}

void ToolkitTest::Key(UINT message, UINT vk)
{
    PostMessage(frame->GetSafeHwnd(), message, vk, message == WM_KEYUP || message == WM_SYSKEYUP ? 0xC0000001 : 1);
    Pump();
}

void ToolkitTest::Click(CWnd* wnd, CPoint client)
{
    wnd->ClientToScreen(&client);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, client, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, client);
    Pump();
}

CPoint ToolkitTest::Centre(CXTPCommandBar* bar, CXTPControl* control) const
{
    (void)bar;
    return control->GetRect().CenterPoint();
}

CRect ToolkitTest::MdiClientRect() const
{
    CRect r;
    ::GetWindowRect(frame->m_hWndMDIClient, &r);
    frame->ScreenToClient(&r);
    return r;
}

std::vector<BYTE> ToolkitTest::ProfileBinary(LPCTSTR section, LPCTSTR entry)
{
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(section, entry, &data, &size))
        return {};
    std::vector<BYTE> bytes(data, data + size);
    delete[] data;
    return bytes;
}

BOOL ToolkitTest::SupplyEditDropDown(CreateBarRequest& request)
{
    if (request.strCaption != "&Edit")
        return FALSE;
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    popup->SetTearOffPopup("Edit", 1003, 400);
    request.pCommandBar = popup;
    return TRUE;
}
