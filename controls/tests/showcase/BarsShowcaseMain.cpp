// A small frame on the display with a customizable tool bar across the top and a sizing bar
// docked on the left beside a white pane; the end-to-end tests drive it with scripted input
// (VANTREL_TEST_SCRIPT) and start it again to see what it kept.
#include "BarsShowcase.h"

#include "controls/CustToolBar.h"
#include "controls/SizingControlBar.h"
#include "platform/core/BinaryResources.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/tests/BmpBytes.h"

namespace {

using namespace bars_showcase;

class CWhitePane : public CWnd {
protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(255, 255, 255));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWhitePane, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CBarsFrame : public CFrameWnd {
protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        m_pane.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
        EnableDocking(CBRS_ALIGN_ANY);
        // Bars made later are laid out first: the tool bar spans the top above the left dock.
        GetDockBar(AFX_IDW_DOCKBAR_LEFT);
        if (!m_notes.Create("Notes", this, CSize(kNotesWidth, 120), kNotesId))
            return -1;
        m_notes.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_notes, AFX_IDW_DOCKBAR_LEFT);
        if (!m_tools.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP) || !m_tools.LoadToolBar(kToolBar))
            return -1;
        m_tools.SetButtonTable({Offer(kNew, 0), Offer(kOpen, 1), Offer(kSave, 2), Offer(kPrint, 3)});
        m_tools.SetStateKey(kStateKey);
        m_tools.RestoreState(kStateKey);
        RecalcLayout();
        return 0;
    }
    // The buttons' commands do nothing here, but they are handled: the buttons stay enabled.
    void OnTool(UINT) {}
    DECLARE_MESSAGE_MAP()

private:
    CWhitePane m_pane;
    CCustToolBar m_tools;
    CSizingControlBar m_notes;
};

BEGIN_MESSAGE_MAP(CBarsFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(kNew, kPrint, OnTool)
END_MESSAGE_MAP()

class CBarsApp : public CWinApp {
public:
    CBarsApp() : CWinApp("BarsShowcase") {}
    BOOL InitInstance() override
    {
        SetRegistryKey("Vantrel Tests");
        auto* frame = new CBarsFrame;
        if (!frame->Create(nullptr, "Bars", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, kWidth, kHeight)))
            return FALSE;
        m_pMainWnd = frame;
        return TRUE;
    }
};

CBarsApp theApp;

void RegisterResources()
{
    for (const CommandText& c : kCommands)
        RegisterStringResource(c.command, c.text);
    RegisterToolBarResource(kToolBar, ToolBarTemplate{16, 15, {kNew, kOpen}});
    RegisterBinaryResource(ResourceKind::Bitmap, kToolBar,
                           MakeBmp(64, 15, [](int x, int) { return kPictureColours[x / 16]; }));
}

} // namespace

int main(int argc, char** argv)
{
    RegisterResources();
    return AfxWinMain(argc, argv);
}
