// A small MDI application under the toolkit: a frame with command bars, a status bar, menu and
// tool bar resources, commands that count, update handlers that disable and check, and a
// profile in a folder of its own.
#pragma once

#include "UiFixture.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/WinApp.h"

#include <functional>
#include <ostream>
#include <map>
#include <string>
#include <vector>

// Commands of the fixture: kCount counts, kDisabled is disabled and kChecked checked by their
// update handlers, kNoHandler has none.
constexpr UINT kCount = 40001, kDisabled = 40002, kChecked = 40003, kNoHandler = 40004, kOpen = 40005,
               kDeep = 40006, kExit = 40007;
// The format commands (colours, font, size) are handled like a formatting view handles them.
constexpr UINT kFormatFirst = 60000, kFormatLast = 60999;
constexpr UINT kMenu = 900, kToolBarA = 901, kToolBarB = 902, kToolBarC = 903;

class CTestFrame : public CXTPMDIFrameWnd {
public:
    std::map<UINT, int> commands;
    std::function<BOOL(CreateControlRequest&)> onCreateControl;
    std::function<BOOL(CreateBarRequest&)> onCreateBar;
    std::vector<std::pair<WPARAM, UINT>> paneNotes; // action, pane id
    std::vector<UINT> tabMouse;
    std::vector<std::pair<WPARAM, UINT>> taskNotes; // notification, item id
    std::vector<std::pair<UINT, UINT>> notifies; // control id, code
    std::string queryFace = "Fixture Face";

    void OnCommandRange(UINT id) { ++commands[id]; }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    LRESULT OnCreateControl(WPARAM, LPARAM lParam)
    {
        return onCreateControl ? onCreateControl(*reinterpret_cast<CreateControlRequest*>(lParam)) : FALSE;
    }
    LRESULT OnCreateBar(WPARAM, LPARAM lParam)
    {
        return onCreateBar ? onCreateBar(*reinterpret_cast<CreateBarRequest*>(lParam)) : FALSE;
    }
    LRESULT OnPaneNotify(WPARAM action, LPARAM lParam);
    LRESULT OnTabMouse(WPARAM message, LPARAM)
    {
        tabMouse.push_back(static_cast<UINT>(message));
        return TRUE;
    }
    LRESULT OnTaskPanelNotify(WPARAM code, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()
};

class ToolkitTest : public UiTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A new frame at (0, 0, 800, 600) with command bars; the menu bar and bars A and B when asked.
    CTestFrame* MakeFrame(bool withBars = true);
    void DestroyFrame();
    // Dispatches the queue the way the application's loop does (bars see keys first).
    void Pump();
    void Idle();
    void Key(UINT message, UINT vk);
    // A click at a point of a window's client area.
    void Click(CWnd* wnd, CPoint client);
    CPoint Centre(CXTPCommandBar* bar, CXTPControl* control) const;
    CRect MdiClientRect() const;
    std::vector<BYTE> ProfileBinary(LPCTSTR section, LPCTSTR entry);
    // The site's answer for the Edit drop-down: a drop-down that tears off as "Edit", 1003.
    BOOL SupplyEditDropDown(CreateBarRequest& request);

    CWinApp* app = nullptr;
    CTestFrame* frame = nullptr;
    CXTPCommandBars* bars = nullptr;
};

inline void PrintTo(const CRect& r, std::ostream* os) { *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")"; }
