// The Edit Bitmap dialog at work: paste, link, clear, load and Edit..., which opens the
// bitmap editor on the picture.
#include "PaintFixture.h"

#include "controls/EditBitmapDlg.h"
#include "imaging/ExtDib.h"
#include "imaging/paint/PaintEditors.h"
#include "imaging/paint/PntBitmapEditDlg.h"

#include <cstdio>
#include <fstream>

namespace {

class EditBitmapFlowTest : public PaintDialogTest {
protected:
    void SetUp() override
    {
        PaintDialogTest::SetUp();
        InstallPaintEditors();
        picture = new CExtDib;
    }
    void TearDown() override
    {
        delete picture;
        SetBitmapEditor(nullptr);
        PaintDialogTest::TearDown();
    }
    // Runs the dialog with the steps, then presses the button.
    INT_PTR Run(std::vector<std::function<void(CEditableBitmapDlg&)>> steps, UINT end = IDOK)
    {
        CEditableBitmapDlg dialog(&picture, nullptr, CEditBitmapDlg::TemplateId, &parent);
        for (auto& step : steps)
            driver.steps.push_back([&dialog, step] { step(dialog); });
        driver.steps.push_back([&dialog, end] { dialog.SendMessage(WM_COMMAND, end, 0); });
        driver.Start();
        return dialog.DoModal();
    }
    static CString FileName(CEditBitmapDlg& dialog)
    {
        CString text;
        dialog.GetDlgItemText(CEditBitmapDlg::IdFileName, text);
        return text;
    }
    static BOOL Enabled(CEditBitmapDlg& dialog, UINT id) { return dialog.GetDlgItem(int(id))->IsWindowEnabled(); }

    CExtDib* picture = nullptr;
};

void PutRedOnClipboard(int width, int height)
{
    CDIBSection red;
    red.Create(width, height, 1, 24, nullptr, nullptr);
    red.FillSolid(kRed);
    red.CopyToClipboard(nullptr);
}

} // namespace

TEST_F(EditBitmapFlowTest, PastingMakesAnInPlacePictureWithoutColourAndClearEmptiesIt)
{
    PutRedOnClipboard(6, 4);
    picture->m_kind = CExtDib::Linked;
    picture->m_name = "old.bmp";
    picture->m_colour = kBlue;
    Run({[](CEditableBitmapDlg& d) {
             EXPECT_EQ(FileName(d), "old.bmp");
             EXPECT_TRUE(Enabled(d, CEditBitmapDlg::IdLink));
             EXPECT_TRUE(Enabled(d, CEditBitmapDlg::IdPaste));
             d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdPaste, 0);
             EXPECT_EQ(FileName(d), "(Bitmap)");
             EXPECT_FALSE(Enabled(d, CEditBitmapDlg::IdLink));
             EXPECT_TRUE(Enabled(d, CEditBitmapDlg::IdCopy));
         }},
        IDCANCEL);
    EXPECT_EQ(picture->m_kind, UINT(CExtDib::InPlace));
    EXPECT_EQ(picture->m_name, "");
    EXPECT_EQ(picture->m_colour, CExtDib::NoColour);
    EXPECT_EQ(picture->GetDimensions(), CSize(6, 4));

    Run({[](CEditableBitmapDlg& d) {
        d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdClear, 0);
        EXPECT_EQ(FileName(d), "(None)");
        EXPECT_FALSE(Enabled(d, CEditBitmapDlg::IdCopy));
    }});
    EXPECT_EQ(picture->m_kind, UINT(CExtDib::None));
}

TEST_F(EditBitmapFlowTest, LinkSwitchesBetweenLinkedAndEmbedded)
{
    struct Case {
        UINT before;
        UINT after;
    };
    for (Case c : {Case{CExtDib::Linked, CExtDib::Embedded}, Case{CExtDib::Embedded, CExtDib::Linked}}) {
        picture->m_kind = c.before;
        picture->m_name = "a.bmp";
        Run({[](CEditableBitmapDlg& d) {
            d.CheckDlgButton(CEditBitmapDlg::IdLink, !d.IsDlgButtonChecked(CEditBitmapDlg::IdLink));
            d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdLink, 0);
        }});
        EXPECT_EQ(picture->m_kind, c.after);
    }
}

TEST_F(EditBitmapFlowTest, LoadThatIsCancelledOrFailsKeepsThePicture)
{
    PutRedOnClipboard(3, 3);
    const std::string bad = ::testing::TempDir() + "paint-bad.bmp";
    std::ofstream(bad) << "BM not a picture";
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Run({[](CEditableBitmapDlg& d) { d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdPaste, 0); },
         [](CEditableBitmapDlg& d) {
             UiTestHook::QueueFileDialogAnswer("");
             d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdLoad, 0);
         },
         [&](CEditableBitmapDlg& d) {
             UiTestHook::QueueFileDialogAnswer(bad);
             d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdLoad, 0);
         }});
    EXPECT_EQ(picture->m_kind, UINT(CExtDib::InPlace));
    EXPECT_EQ(picture->GetDimensions(), CSize(3, 3));
    std::remove(bad.c_str());
}

TEST_F(EditBitmapFlowTest, EditOpensTheBitmapEditorAndTakesItsPictureAndTransparency)
{
    PutRedOnClipboard(60, 60);
    Run({[](CEditableBitmapDlg& d) { d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdPaste, 0); },
         [this](CEditableBitmapDlg& d) {
             // Played by the editor's own loop, which Edit... starts.
             driver.steps.insert(driver.steps.begin(), [] {
                 auto* editor = ModalDriver::Active<CPntBitmapEditDlg>();
                 if (!editor)
                     return Press(IDCANCEL);
                 CPntCtrl& paint = editor->GetPaintCtrl();
                 paint.GetCanvas().FillRect(CRect(0, 0, 10, 10), kBlue);
                 paint.SetTransparencyColour(kBlue);
                 editor->EndDialog(IDOK);
             });
             d.SendMessage(WM_COMMAND, CEditBitmapDlg::IdEdit, 0);
         }});
    EXPECT_EQ(picture->m_kind, UINT(CExtDib::InPlace));
    EXPECT_EQ(picture->m_colour, kBlue) << "the dialog's OK stores the colour chosen in the editor";
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = picture->SelectIntoDC(&dc, &size);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(size, CSize(60, 60));
    EXPECT_EQ(dc.GetPixel(5, 5) & 0xFFFFFF, kBlue);
    EXPECT_EQ(dc.GetPixel(30, 30) & 0xFFFFFF, kRed);
    HGDIOBJ made = ::SelectObject(dc.GetSafeHdc(), previous->GetSafeHandle());
    ::DeleteObject(made);
}
