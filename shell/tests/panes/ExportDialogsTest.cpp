// The export options, JPEG quality and TIFF options dialogs as a user drives them.
#include "shell/JpegQualityDlg.h"
#include "shell/SaveAsWebsiteDlg.h"
#include "shell/TiffOptionsDlg.h"

#include "PaneFixture.h"
#include "View/MyView.h"
#include "View/PageExportHost.h"
#include "View/PageExportPicture.h"
#include "objects/kinds/BorderGen.h"
#include "platform/gdi/Dc.h"

namespace {

// Counts the renderings: each one starts its own progress display.
class CountingHost : public CPageExportHost {
public:
    void BeginProgress(int, int, int, UINT captionId) override { renders += captionId == 153; }
    int renders = 0;
};

// A page of two objects, 190 x 90.
class ExportDialogsTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        SetPageExportHost(&host);
        for (const CRect& rect : {CRect(20, 20, 80, 60), CRect(100, 30, 190, 90)}) {
            auto* border = new CBorderGen;
            border->Init(&view, &rect, TRUE);
            view.GetObjects().Add(border);
        }
        HDC screen = ::GetDC(nullptr);
        dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
        ::ReleaseDC(nullptr, screen);
    }
    void TearDown() override
    {
        SetPageExportHost(nullptr);
        PaneTest::TearDown();
    }
    static void Select(CDialog& dialog, UINT listId, LPCTSTR text)
    {
        dialog.SendDlgItemMessage(int(listId), CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(text));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(dialog.GetDlgItem(int(listId))->m_hWnd));
    }
    static void Press(CDialog& dialog, UINT id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    CMyView view;
    CountingHost host;
    int dpi = 96;
};

// The quality and compression dialogs answer from the test.
class AnsweringOptionsDlg : public ScriptedDialog<CSaveAsWebsiteDlg> {
public:
    using ScriptedDialog<CSaveAsWebsiteDlg>::ScriptedDialog;
    int quality = 0;
    int compression = 0;
    std::vector<std::string> asked;

protected:
    BOOL AskJpegQuality(int& value) override
    {
        asked.push_back("JPEG");
        value = quality;
        return quality != 0;
    }
    BOOL AskTiffCompression(int& value) override
    {
        asked.push_back("TIFF");
        value = compression;
        return compression != 0;
    }
};

TEST_F(ExportDialogsTest, OkRendersThePageAtTheChosenZoomAndResolution)
{
    ScriptedDialog<CSaveAsWebsiteDlg> dialog(&view, "Export Graphic");
    CString title;
    int resolutions = 0;
    dialog.steps = {[&] {
        dialog.GetWindowText(title);
        resolutions = int(dialog.SendDlgItemMessage(CSaveAsWebsiteDlg::kResolutionId, CB_GETCOUNT));
        Press(dialog, IDOK);
    }};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(title), "Export Graphic");
    EXPECT_EQ(resolutions, 3);
    const CExportOptions& options = dialog.GetOptions();
    EXPECT_EQ(std::string(options.format), "JPEG");
    EXPECT_EQ(std::string(options.zoomText), "100%");
    EXPECT_EQ(std::string(dialog.GetResolutionText()), "Normal");
    EXPECT_EQ(options.jpegQuality, 100);
    EXPECT_EQ(options.picture.GetSize(), CSize(190, 90));
    EXPECT_EQ(options.pictureWidth, 190);
    EXPECT_EQ(options.pictureHeight, 90);
}

TEST_F(ExportDialogsTest, OnlyChangedSettingsRenderAgain)
{
    AnsweringOptionsDlg dialog(&view, "Save as Website");
    dialog.quality = 55;
    std::vector<int> renders;
    dialog.steps = {[&] {
        Press(dialog, CSaveAsWebsiteDlg::kAdjustId);
        renders.push_back(host.renders);
        Press(dialog, CSaveAsWebsiteDlg::kAdjustId);
        renders.push_back(host.renders);
        Select(dialog, CSaveAsWebsiteDlg::kResolutionId, "High");
        Press(dialog, CSaveAsWebsiteDlg::kAdjustId);
        renders.push_back(host.renders);
        Select(dialog, CSaveAsWebsiteDlg::kZoomId, "50%");
        Press(dialog, IDOK);
    }};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(renders, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(host.renders, 3);
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{"JPEG", "JPEG", "JPEG"}));
    EXPECT_EQ(dialog.GetOptions().jpegQuality, 55);
    // Half the zoom at twice the resolution: the same pixels for half the size on the page.
    EXPECT_EQ(dialog.GetOptions().picture.GetSize(), CSize(190, 90));
    EXPECT_EQ(dialog.GetOptions().pictureWidth, 95);
}

TEST_F(ExportDialogsTest, BmpHasNothingToAdjustAndTiffAsksForTheCompression)
{
    AnsweringOptionsDlg dialog(&view, "Save as Website");
    dialog.compression = CTiffOptionsDlg::kNone;
    std::vector<BOOL> adjustable;
    dialog.steps = {[&] {
        CWnd* adjust = dialog.GetDlgItem(CSaveAsWebsiteDlg::kAdjustId);
        adjustable.push_back(adjust->IsWindowEnabled());
        Select(dialog, CSaveAsWebsiteDlg::kFormatId, "BMP");
        adjustable.push_back(adjust->IsWindowEnabled());
        Select(dialog, CSaveAsWebsiteDlg::kFormatId, "TIFF");
        adjustable.push_back(adjust->IsWindowEnabled());
        Press(dialog, CSaveAsWebsiteDlg::kAdjustId);
        Press(dialog, IDOK);
    }};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(adjustable, (std::vector<BOOL>{TRUE, FALSE, TRUE}));
    EXPECT_EQ(dialog.asked, std::vector<std::string>{"TIFF"});
    EXPECT_EQ(std::string(dialog.GetOptions().format), "TIFF");
    EXPECT_EQ(dialog.GetOptions().tiffCompression, CTiffOptionsDlg::kNone);
}

TEST_F(ExportDialogsTest, ATooLargePictureIsRefusedAndTheDialogStaysOpen)
{
    auto* huge = new CBorderGen;
    const CRect rect(0, 0, 30000, 30000);
    huge->Init(&view, &rect, TRUE);
    view.GetObjects().Add(huge);
    ScriptedDialog<CSaveAsWebsiteDlg> dialog(&view, "Save as Website");
    BOOL openAfterOk = FALSE;
    std::string message;
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    dialog.steps = {[&] {
        Select(dialog, CSaveAsWebsiteDlg::kZoomId, "400%");
        Select(dialog, CSaveAsWebsiteDlg::kResolutionId, "High");
        Press(dialog, IDOK);
        openAfterOk = dialog.IsWindowVisible();
        message = UiTestHook::LastMessageBoxText();
        Select(dialog, CSaveAsWebsiteDlg::kZoomId, "25%");
        Select(dialog, CSaveAsWebsiteDlg::kResolutionId, "Low");
        Press(dialog, IDOK);
    }};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(UiTestHook::LastMessageBoxStyle() & MB_ICONHAND, UINT(MB_ICONHAND));
    EXPECT_NE(message.find("would have a size over"), std::string::npos) << message;
    EXPECT_NE(message.find(" MB."), std::string::npos) << message;
    EXPECT_FALSE(dialog.GetOptions().picture.IsEmpty());
    EXPECT_EQ(dialog.GetOptions().pictureWidth, 7500);
}

TEST_F(ExportDialogsTest, CancelHandsBackNothing)
{
    ScriptedDialog<CSaveAsWebsiteDlg> dialog(&view, "Save as Website");
    dialog.steps = {[&] { Press(dialog, IDCANCEL); }};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.GetOptions().picture.IsEmpty());
    EXPECT_EQ(host.renders, 0);
}

TEST_F(ExportDialogsTest, TheJpegSliderRunsFromQuality100To30)
{
    CExportOptions options;
    double megabytes = 0;
    ASSERT_TRUE(RenderPagePicture(view, {"100", 1.0, dpi}, options, megabytes));
    const struct {
        int position; // -1: untouched
        int quality;
    } cases[] = {{-1, 100}, {100, 30}, {65, 65}};
    for (const auto& c : cases) {
        ScriptedDialog<CJpegQualityDlg> dialog(options.picture, nullptr);
        CString before, after;
        dialog.steps = {[&] {
            dialog.GetDlgItemText(CJpegQualityDlg::kBeforeLabelId, before);
            if (c.position >= 0) {
                dialog.SendDlgItemMessage(CJpegQualityDlg::kSliderId, TBM_SETPOS, TRUE, c.position);
                dialog.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                                   LPARAM(dialog.GetDlgItem(CJpegQualityDlg::kSliderId)->m_hWnd));
            }
            dialog.GetDlgItemText(CJpegQualityDlg::kAfterLabelId, after);
            Press(dialog, CJpegQualityDlg::kZoomUpId);
            Press(dialog, CJpegQualityDlg::kZoomUpId);
            Press(dialog, CJpegQualityDlg::kZoomDownId);
            Press(dialog, IDOK);
        }};
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetQuality(), c.quality) << c.position;
        EXPECT_EQ(dialog.GetAfterPreview().GetQuality(), c.quality) << c.position;
        EXPECT_EQ(dialog.GetPreviewZoom(), 2);
        EXPECT_EQ(std::string(before).rfind("Before: ", 0), 0u) << before;
        EXPECT_EQ(std::string(after).rfind("After: ", 0), 0u) << after;
        EXPECT_NE(std::string(after).find(" KB"), std::string::npos) << after;
    }
}

TEST_F(ExportDialogsTest, TheTiffDialogOffersPackBitsUnlessNoneIsChosen)
{
    const struct {
        const char* choice; // nullptr: untouched
        int compression;
    } cases[] = {{nullptr, 32773}, {"None", 1}, {"Macintosh RLE", 32773}};
    for (const auto& c : cases) {
        ScriptedDialog<CTiffOptionsDlg> dialog;
        dialog.steps = {[&] {
            if (c.choice)
                dialog.GetList().SelectString(-1, c.choice);
            Press(dialog, IDOK);
        }};
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetCompression(), c.compression) << (c.choice ? c.choice : "untouched");
    }
}

} // namespace
