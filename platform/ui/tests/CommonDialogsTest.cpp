// Common dialogs answered through the test hook: file names with default extensions,
// overwrite and must-exist prompts, multiple selection, colours, fonts, printing and page set-up.
#include "UiFixture.h"

#include "platform/ui/CommonDialogs.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class CommonDialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        existing = dir + "/old.vtn";
        FILE* f = fopen(existing.c_str(), "w");
        ASSERT_NE(f, nullptr);
        fclose(f);
    }
    void TearDown() override
    {
        unlink(existing.c_str());
        rmdir(dir.c_str());
        UiTest::TearDown();
    }
    std::string dir, existing;
};

// A dialog that refuses names containing "bad".
class PickyDialog : public CFileDialog {
public:
    using CFileDialog::CFileDialog;

protected:
    BOOL OnFileNameOK() override { return GetPathName().Find("bad") >= 0; }
};

struct FileCase {
    const char* name;
    BOOL open;
    DWORD flags;
    std::vector<std::string> answers; // "@" stands for the existing file
    std::vector<int> boxAnswers;
    INT_PTR result;
    const char* path; // "@" for the existing file
    int boxes;
};

class FileDialogs : public CommonDialogTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FileDialogs, ChooseOrAskAgain)
{
    const FileCase& c = GetParam();
    auto expand = [this](const std::string& s) { return s == "@" ? existing : s.empty() ? s : dir + "/" + s; };
    for (const std::string& a : c.answers)
        UiTestHook::QueueFileDialogAnswer(expand(a));
    for (int a : c.boxAnswers)
        UiTestHook::QueueMessageBoxAnswer(a);
    PickyDialog dialog(c.open, "vtn", nullptr, c.flags, "Notes (*.vtn)|*.vtn|All files (*.*)|*.*||");
    EXPECT_EQ(dialog.DoModal(), c.result);
    if (c.result == IDOK) {
        EXPECT_EQ(std::string(dialog.GetPathName().GetString()), expand(c.path));
    }
    EXPECT_EQ(UiTestHook::MessageBoxCount(), c.boxes);
}

const std::vector<FileCase> fileCases = {
    {"OpenAsIs", TRUE, 0, {"plain.vtn"}, {}, IDOK, "plain.vtn", 0},
    {"DefaultExtensionAdded", FALSE, 0, {"note"}, {}, IDOK, "note.vtn", 0},
    {"OtherExtensionKept", FALSE, 0, {"note.txt"}, {}, IDOK, "note.txt", 0},
    {"EmptyAnswerCancels", TRUE, 0, {""}, {}, IDCANCEL, "", 0},
    {"OverwriteDeclinedAsksAgain", FALSE, OFN_OVERWRITEPROMPT, {"@", "fresh"}, {IDNO}, IDOK, "fresh.vtn", 1},
    {"OverwriteAccepted", FALSE, OFN_OVERWRITEPROMPT, {"@"}, {IDYES}, IDOK, "@", 1},
    {"OverwriteWithoutPrompt", FALSE, 0, {"@"}, {}, IDOK, "@", 0},
    {"MissingFileAsksAgain", TRUE, OFN_FILEMUSTEXIST, {"missing.vtn", "@"}, {IDOK}, IDOK, "@", 1},
    {"HookRefusesName", TRUE, 0, {"bad.vtn", "good.vtn"}, {}, IDOK, "good.vtn", 0},
};

INSTANTIATE_TEST_SUITE_P(Files, FileDialogs, ::testing::ValuesIn(fileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonDialogTest, FileNamePartsAndFilter)
{
    UiTestHook::QueueFileDialogAnswer("/home/me/notes/plan.week.vtn");
    CFileDialog dialog(TRUE, nullptr, "start.vtn", 0, "Notes|*.vtn;*.vtx|All|*.*||");
    EXPECT_STREQ(dialog.m_ofn.lpstrFile, "start.vtn");
    dialog.m_ofn.nFilterIndex = 1;
    EXPECT_EQ(dialog.GetFilterPatterns(), CString("*.vtn;*.vtx"));
    dialog.m_ofn.nFilterIndex = 2;
    EXPECT_EQ(dialog.GetFilterPatterns(), CString("*.*"));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetFileName(), CString("plan.week.vtn"));
    EXPECT_EQ(dialog.GetFileExt(), CString("vtn"));
    EXPECT_EQ(dialog.GetFileTitle(), CString("plan.week"));
    EXPECT_EQ(dialog.GetFolderPath(), CString("/home/me/notes"));
    EXPECT_STREQ(dialog.m_ofn.lpstrFile, "/home/me/notes/plan.week.vtn");
    EXPECT_EQ(dialog.m_ofn.nFileOffset, 15);
}

TEST_F(CommonDialogTest, LongNamesAreCutToTheBuffer)
{
    std::string longName = "/" + std::string(400, 'x') + ".vtn";
    UiTestHook::QueueFileDialogAnswer(longName);
    CFileDialog dialog(TRUE);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(strlen(dialog.m_ofn.lpstrFile), dialog.m_ofn.nMaxFile - 1);
    EXPECT_EQ(std::string(dialog.GetPathName().GetString()), longName);
}

TEST_F(CommonDialogTest, MultipleSelectionWalksEveryName)
{
    UiTestHook::QueueFileDialogAnswer("/a/one.vtn\n/a/two.vtn\n/a/three.vtn");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    std::vector<CString> names;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        names.push_back(dialog.GetNextPathName(pos));
    EXPECT_EQ(names, (std::vector<CString>{"/a/one.vtn", "/a/two.vtn", "/a/three.vtn"}));
}

TEST_F(CommonDialogTest, ColourDialogKeepsItsColourOnCancel)
{
    CColorDialog dialog(RGB(1, 2, 3), CC_FULLOPEN);
    EXPECT_TRUE(dialog.m_cc.Flags & CC_RGBINIT);
    UiTestHook::QueueColorDialogAnswer(false, RGB(9, 9, 9));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
    UiTestHook::QueueColorDialogAnswer(true, RGB(200, 100, 50));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(200, 100, 50));
    dialog.m_cc.lpCustColors[3] = RGB(7, 7, 7);
    CColorDialog other;
    EXPECT_EQ(other.m_cc.lpCustColors[3], RGB(7, 7, 7)) << "custom colours are shared";
}

TEST_F(CommonDialogTest, FontDialogReturnsTheLogFontAndColour)
{
    LOGFONT start{};
    start.lfHeight = -16;
    strcpy(start.lfFaceName, "Sans");
    CFontDialog dialog(&start);
    EXPECT_EQ(dialog.GetFaceName(), CString("Sans"));
    LOGFONT chosen{};
    chosen.lfHeight = -32;
    chosen.lfWeight = FW_BOLD;
    chosen.lfItalic = 1;
    chosen.lfUnderline = 1;
    strcpy(chosen.lfFaceName, "Serif");
    UiTestHook::QueueFontDialogAnswer(true, chosen, RGB(0, 0, 255));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    LOGFONT out{};
    dialog.GetCurrentFont(&out);
    EXPECT_EQ(out.lfHeight, -32);
    EXPECT_STREQ(out.lfFaceName, "Serif");
    EXPECT_TRUE(dialog.IsBold());
    EXPECT_TRUE(dialog.IsItalic());
    EXPECT_TRUE(dialog.IsUnderline());
    EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(dialog.GetSize(), 240) << "32 pixels at 96 per inch are 24 points";
    CFontDialog plain(&start, CF_SCREENFONTS);
    UiTestHook::QueueFontDialogAnswer(true, chosen, RGB(0, 0, 255));
    ASSERT_EQ(plain.DoModal(), IDOK);
    EXPECT_FALSE(plain.IsUnderline()) << "effects only with CF_EFFECTS";
}

TEST_F(CommonDialogTest, PrintDialogTakesRangeCopiesAndMakesTheDC)
{
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_RETURNDC);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 5;
    UiTestHook::QueuePrintDialogAnswer(true, 2, 9, 3, dir + "/out.pdf");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.PrintRange());
    EXPECT_EQ(dialog.GetFromPage(), 2);
    EXPECT_EQ(dialog.GetToPage(), 5) << "clamped to the last page";
    EXPECT_EQ(dialog.GetCopies(), 3);
    EXPECT_EQ(dialog.GetDeviceName(), CString(kPdfPrinterName));
    ASSERT_NE(dialog.GetPrinterDC(), nullptr);
    DeleteDC(dialog.GetPrinterDC());
    CPrintDialog all(FALSE);
    UiTestHook::QueuePrintDialogAnswer(true);
    ASSERT_EQ(all.DoModal(), IDOK);
    EXPECT_TRUE(all.PrintAll());
    UiTestHook::QueuePrintDialogAnswer(false);
    EXPECT_EQ(all.DoModal(), IDCANCEL);
}

TEST_F(CommonDialogTest, PrintDialogTakesTheCurrentPageAndAQueue)
{
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_RETURNDC);
    dialog.m_pd.nMaxPage = 4;
    UiTestHook::QueuePrintDialogAnswer(true, -1, -1, 2, "", "Office");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.PrintCurrentPage());
    EXPECT_FALSE(dialog.PrintAll());
    EXPECT_FALSE(dialog.PrintRange());
    EXPECT_EQ(dialog.GetDeviceName(), CString("Office"));
    EXPECT_EQ(dialog.GetPortName(), CString("Office")) << "a queue is its own port";
    EXPECT_EQ(dialog.GetDevMode()->dmCopies, 2);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr) << "no such queue on this machine";
}

TEST_F(CommonDialogTest, PageSetupStartsFromThePrinterPaper)
{
    CPageSetupDialog dialog(PSD_INHUNDREDTHSOFMILLIMETERS);
    EXPECT_EQ(dialog.GetPaperSize(), CSize(21000, 29700));
    RECT margins{};
    dialog.GetMargins(&margins, nullptr);
    EXPECT_EQ(margins.left, 2500);
    UiTestHook::QueuePageSetupAnswer(true, RECT{1000, 1500, 1000, 1500});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    dialog.GetMargins(&margins, nullptr);
    EXPECT_EQ(margins.top, 1500);
}

} // namespace
