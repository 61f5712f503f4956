// Print preview of a worksheet: it takes the main frame's pane with its command bar, shows one
// or two pages, zooms, prints, and gives the pane back.
#include "EditViewFixture.h"

#include "View/ToolbarPreviewView.h"
#include "res/ResourceParts.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/WinApp.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class PreviewTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        RegisterPreviewResources();
    }
    CToolbarPreviewView* Preview() const
    {
        return dynamic_cast<CToolbarPreviewView*>(main->GetDlgItem(AFX_IDW_PANE_FIRST));
    }
    CToolbarPreviewView* StartPreview()
    {
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        Pump();
        return Preview();
    }
    // Presses the bar's button as a click does, then lets the bar update at idle time.
    void Press(UINT id)
    {
        CXTPControl* control = Preview()->GetCommandBar().GetControls()->FindControl(id);
        ASSERT_NE(control, nullptr) << id;
        control->OnExecute();
        Pump();
        if (CToolbarPreviewView* preview = Preview())
            preview->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
    // The printed page's width on the screen at full size.
    static int PaperWidth()
    {
        CDC printer;
        EXPECT_TRUE(printer.CreateIC(nullptr, kPdfPrinterName, nullptr, nullptr));
        return MulDiv(printer.GetDeviceCaps(HORZRES), 96, printer.GetDeviceCaps(LOGPIXELSX));
    }
    COLORREF PixelOfPreview(POINT at)
    {
        Preview()->Invalidate(TRUE);
        Preview()->UpdateWindow();
        Pump();
        return UiTestHook::PixelAt(Preview()->m_hWnd, at);
    }
};

TEST_F(PreviewTest, ThePreviewTakesTheFramesPaneWithItsBarAndGivesItBackOnClose)
{
    CToolbarPreviewView* preview = StartPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(::IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_TRUE(preview->IsWindowVisible());
    CXTPToolBar& bar = preview->GetCommandBar();
    ASSERT_NE(bar.m_hWnd, nullptr);
    EXPECT_EQ(bar.GetControlCount(), 7);
    for (UINT id : {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_CLOSE})
        EXPECT_EQ(bar.GetControls()->FindControl(id)->GetStyle(), ButtonIconAndCaption) << id;
    ASSERT_NE(preview->GetNumPagesControl(), nullptr);
    EXPECT_EQ(preview->GetNumPagesControl()->GetID(), AFX_IDS_TWOPAGE) << "one page shows: two are offered";
    EXPECT_EQ(std::string(preview->GetNumPagesControl()->GetCaption()), "&Two Page");

    Press(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(main->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd, main->m_hWndMDIClient);
    EXPECT_TRUE(::IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_EQ(main->GetDlgItem(AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(::GetFocus(), view->m_hWnd);
}

TEST_F(PreviewTest, SwitchingBetweenOneAndTwoPagesChangesTheNumberOfPagesButtonEachTime)
{
    CToolbarPreviewView* preview = StartPreview();
    ASSERT_NE(preview, nullptr);
    const CRect single = preview->GetPageRect(0);
    struct Step {
        UINT press;
        UINT pages;
        UINT buttonAfter;
    };
    const Step steps[] = {{AFX_IDS_TWOPAGE, 2, AFX_IDS_ONEPAGE},
                          {AFX_IDS_ONEPAGE, 1, AFX_IDS_TWOPAGE},
                          {AFX_IDS_TWOPAGE, 2, AFX_IDS_ONEPAGE}};
    for (const Step& step : steps) {
        Press(step.press);
        EXPECT_EQ(preview->GetPageCount(), step.pages) << step.press;
        EXPECT_EQ(preview->GetNumPagesControl()->GetID(), step.buttonAfter) << step.press;
        CString text;
        LookupStringResource(step.buttonAfter, text);
        EXPECT_EQ(preview->GetNumPagesControl()->GetCaption(), text) << step.press;
    }
    const CRect left = preview->GetPageRect(0);
    EXPECT_LT(left.left, single.left) << "two pages side by side: the first moves left";
    EXPECT_LE(left.Width(), single.Width());
    EXPECT_TRUE(preview->GetPageRect(1).IsRectEmpty()) << "the worksheet has one page";
}

TEST_F(PreviewTest, ZoomingInGoesToTheFullPageSizeAndBack)
{
    CToolbarPreviewView* preview = StartPreview();
    ASSERT_NE(preview, nullptr);
    const int whole = preview->GetPageRect(0).Width();
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_MIDDLE);
    EXPECT_GT(preview->GetPageRect(0).Width(), whole);
    EXPECT_FALSE(preview->GetNumPagesControl()->GetEnabled()) << "the page count changes only zoomed out";
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_IN);
    EXPECT_EQ(preview->GetPageRect(0).Width(), PaperWidth());
    EXPECT_FALSE(preview->GetCommandBar().GetControls()->FindControl(AFX_ID_PREVIEW_ZOOMIN)->GetEnabled());
    // A click on the page at full size goes back to the whole page.
    ::PostMessage(preview->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    Pump();
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_OUT);
    EXPECT_EQ(preview->GetPageRect(0).Width(), whole);
    Press(AFX_ID_PREVIEW_ZOOMIN);
    Press(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_OUT);
}

TEST_F(PreviewTest, ThePageShowsItsObjectsAsPrintedOnGreyAround)
{
    AddBorder(CRect(100, 100, 200, 200))->BackColor = kRed;
    view->SetZoom(200);
    CToolbarPreviewView* preview = StartPreview();
    ASSERT_NE(preview, nullptr);
    Press(AFX_ID_PREVIEW_ZOOMIN);
    Press(AFX_ID_PREVIEW_ZOOMIN);
    const CPoint paper = preview->GetPageRect(0).TopLeft();
    EXPECT_EQ(PixelOfPreview({paper.x + 150, paper.y + 150}), kRed) << "printed at 100 %, whatever the view's zoom";
    EXPECT_EQ(PixelOfPreview({paper.x + 250, paper.y + 150}), RGB(255, 255, 255));
    EXPECT_EQ(PixelOfPreview({paper.x - 5, paper.y + 150}), RGB(128, 128, 128));
    EXPECT_EQ(view->GetZoom(), 200);
}

TEST_F(PreviewTest, ResizingTheMainWindowKeepsTheBarAsWideAsTheFrameAndThePreviewBelowIt)
{
    CToolbarPreviewView* preview = StartPreview();
    ASSERT_NE(preview, nullptr);
    for (CSize size : {CSize(700, 500), CSize(900, 650)}) {
        main->MoveWindow(0, 0, size.cx, size.cy);
        Pump();
        CRect client, bar, commandBar, area;
        main->GetClientRect(&client);
        main->GetDlgItem(AFX_IDW_PREVIEW_BAR)->GetWindowRect(&bar);
        preview->GetCommandBar().GetWindowRect(&commandBar);
        preview->GetWindowRect(&area);
        main->ScreenToClient(&bar);
        main->ScreenToClient(&area);
        EXPECT_EQ(bar.Width(), client.Width()) << size.cx;
        EXPECT_EQ(commandBar.Width(), client.Width()) << size.cx;
        EXPECT_EQ(bar.Height(), commandBar.Height()) << size.cx;
        EXPECT_EQ(area.top, bar.bottom) << size.cx;
        EXPECT_EQ(area.bottom, client.bottom) << size.cx;
    }
}

TEST_F(PreviewTest, PrintingFromThePreviewClosesItAndWritesTheFile)
{
    const std::string pdf = folder + "/page.pdf";
    ASSERT_NE(StartPreview(), nullptr);
    UiTestHook::QueuePrintDialogAnswer(true, 0, 0, 1, pdf);
    Press(AFX_ID_PREVIEW_PRINT);
    Pump();
    EXPECT_EQ(Preview(), nullptr);
    std::ifstream written(pdf, std::ios::binary);
    std::string head(4, '\0');
    written.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
}

TEST_F(PreviewTest, APreviewThatCannotStartSaysSoAndLeavesTheViewAsItWas)
{
    app->m_pMainWnd = nullptr;
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    app->m_pMainWnd = main;
    Pump();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Command failed.");
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_TRUE(view->IsWindowVisible());
}

TEST_F(PreviewTest, ClosingTheDocumentEndsItsPreview)
{
    ASSERT_NE(StartPreview(), nullptr);
    UiTestHook::QueueMessageBoxAnswer(IDNO); // not saved, should it ask
    frame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_EQ(main->GetDlgItem(AFX_IDW_PREVIEW_BAR), nullptr);
}

} // namespace
