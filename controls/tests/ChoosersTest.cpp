// The colour combo's order and drawing, and the colour, font and file choosers with their
// "<Default>" ending.
#include "../../platform/ui/tests/UiFixture.h"

#include "controls/ChooserTexts.h"
#include "controls/ColourComboBox.h"
#include "controls/ColourTable.h"
#include "controls/HyperColorDlg.h"
#include "controls/HyperFontDlg.h"
#include "controls/RelativeFileDialog.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Dialog.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class ChoosersTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterStringResource(IDS_CHOOSER_DEFAULT, "<Default>");
        RegisterStringResource(26631, "<Automatic>");
        RegisterStringResource(26670, "  ");
    }
};

std::vector<COLORREF> sortedWithAutomatic()
{
    std::vector<COLORREF> colours(ProgramColours.begin(), ProgramColours.end());
    colours.push_back(AutomaticColour);
    std::sort(colours.begin(), colours.end(),
              [](COLORREF a, COLORREF b) { return CColourComboBox::CompareColours(a, b) < 0; });
    return colours;
}

TEST_F(ChoosersTest, ColourOrderPutsAutomaticFirstDarkBeforeLightAndNeverTies)
{
    std::vector<COLORREF> order = sortedWithAutomatic();
    EXPECT_EQ(order.front(), AutomaticColour);
    EXPECT_EQ(order[1], RGB(0, 0, 0));
    EXPECT_EQ(order.back(), RGB(255, 255, 255));
    auto at = [&](COLORREF c) { return std::find(order.begin(), order.end(), c) - order.begin(); };
    // Equal sums: more blue first, then more green, then more red.
    EXPECT_LT(at(RGB(0, 128, 128)), at(RGB(128, 0, 128)));
    EXPECT_LT(at(RGB(128, 0, 128)), at(RGB(128, 128, 0)));
    for (COLORREF a : order)
        for (COLORREF b : order) {
            EXPECT_EQ(CColourComboBox::CompareColours(a, b) == 0, a == b);
            EXPECT_EQ(CColourComboBox::CompareColours(a, b), -CColourComboBox::CompareColours(b, a));
        }
}

TEST_F(ChoosersTest, ColourComboListsItsColoursSortedAndDrawsThem)
{
    CDialog host;
    DialogTemplate t;
    t.style = WS_POPUP;
    t.cx = 120;
    t.cy = 100;
    t.items = {DialogItemTemplate{"combobox", "", 50, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, 0, 5, 5, 100, 80}};
    ASSERT_TRUE(host.CreateIndirect(t));
    CColourComboBox combo;
    ASSERT_TRUE(combo.SubclassDlgItem(50, &host));
    combo.Fill(TRUE, nullptr, 17);
    EXPECT_EQ(combo.GetItemHeight(0), 17);
    std::vector<COLORREF> want = sortedWithAutomatic();
    ASSERT_EQ(combo.GetCount(), static_cast<int>(want.size()));
    for (int i = 0; i < combo.GetCount(); ++i)
        EXPECT_EQ(static_cast<COLORREF>(combo.GetItemData(i)), want[static_cast<size_t>(i)]) << i;

    combo.SetCurSel(3); // a colour: the field shows it
    combo.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
    combo.UpdateWindow();
    UiTestHook::PumpPending();
    CRect client;
    combo.GetClientRect(&client);
    EXPECT_EQ(UiTestHook::PixelAt(combo.GetSafeHwnd(), CPoint(client.Width() / 4, client.Height() / 2)), want[3]);
    combo.UnsubclassWindow();
    host.DestroyWindow();
}

TEST_F(ChoosersTest, ColourDialogEndings)
{
    struct Case {
        bool pressDefault, ok;
        INT_PTR result;
        BOOL reset;
    } cases[] = {{true, false, IDCANCEL, TRUE}, {false, true, IDOK, FALSE}, {false, false, IDCANCEL, FALSE}};
    for (const Case& c : cases) {
        CHyperColorDlg dialog(RGB(1, 2, 3));
        if (c.pressDefault)
            UiTestHook::QueueCommonDialogButton(ID_CHOOSER_DEFAULT);
        else
            UiTestHook::QueueColorDialogAnswer(c.ok, RGB(9, 9, 9));
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_bReset, c.reset);
        EXPECT_EQ(dialog.GetColor(), c.ok ? RGB(9, 9, 9) : RGB(1, 2, 3));
    }
}

// What the formatting commands get back: the chosen colour, automatic for "<Default>", and
// nothing at all for a plain cancel.
TEST_F(ChoosersTest, RunColourChooserGivesTheColourAutomaticOrNothing)
{
    struct Case {
        bool pressDefault, ok;
        BOOL chosen;
        COLORREF colour;
    } cases[] = {{true, false, TRUE, AutomaticColour},
                 {false, true, TRUE, RGB(9, 9, 9)},
                 {false, false, FALSE, RGB(1, 2, 3)}};
    for (const Case& c : cases) {
        if (c.pressDefault)
            UiTestHook::QueueCommonDialogButton(ID_CHOOSER_DEFAULT);
        else
            UiTestHook::QueueColorDialogAnswer(c.ok, RGB(9, 9, 9));
        COLORREF colour = RGB(1, 2, 3);
        EXPECT_EQ(RunColourChooser(colour, nullptr), c.chosen);
        EXPECT_EQ(colour, c.colour);
    }
}

TEST_F(ChoosersTest, RunFontDialogCopiesClearsOrKeepsTheFont)
{
    LOGFONT initial{};
    initial.lfHeight = -12;
    std::strcpy(initial.lfFaceName, "Sans");
    LOGFONT chosen = initial;
    chosen.lfWeight = FW_BOLD;
    std::strcpy(chosen.lfFaceName, "Serif");

    LOGFONT font = initial;
    UiTestHook::QueueFontDialogAnswer(true, chosen);
    EXPECT_TRUE(RunFontDialog(&font, nullptr, FALSE, 0));
    EXPECT_STREQ(font.lfFaceName, "Serif");

    font = initial;
    UiTestHook::QueueFontDialogAnswer(false, chosen);
    EXPECT_FALSE(RunFontDialog(&font, nullptr, FALSE, 0));
    EXPECT_STREQ(font.lfFaceName, "Sans");
    EXPECT_EQ(font.lfHeight, -12);

    UiTestHook::QueueCommonDialogButton(ID_CHOOSER_DEFAULT);
    EXPECT_TRUE(RunFontDialog(&font, nullptr, FALSE, 0));
    EXPECT_EQ(font.lfFaceName[0], 0);
    EXPECT_EQ(font.lfHeight, 0);
}

TEST_F(ChoosersTest, FontDialogApplyAsksTheOwnerToStore)
{
    static int stores = 0;
    HWND owner = MakeWindow(WS_POPUP, {0, 0, 10, 10});
    ::SetWindowLongPtr(owner, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PROP_STORE_AND_APPLY)
            ++stores;
        return ::DefWindowProc(h, m, w, l);
    }));
    CHyperFontDlg withOwner(nullptr, 0, CWnd::FromHandle(owner));
    withOwner.OnCmdMsg(ID_FONT_APPLY, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(stores, 1);
    CHyperFontDlg alone(nullptr, 0, nullptr);
    alone.OnCmdMsg(ID_FONT_APPLY, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(stores, 1);
}

// Apply hands the font shown to the caller before the owner is asked to apply it, so the owner
// applies that font; the cancel that follows keeps it.
TEST_F(ChoosersTest, FontDialogApplyShowsTheFontToTheOwnerBeforeItApplies)
{
    static LOGFONT* watched = nullptr;
    static std::vector<std::string> appliedFaces;
    HWND owner = MakeWindow(WS_POPUP, {0, 0, 10, 10});
    ::SetWindowLongPtr(owner, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PROP_STORE_AND_APPLY)
            appliedFaces.emplace_back(watched->lfFaceName);
        return ::DefWindowProc(h, m, w, l);
    }));
    LOGFONT font{};
    font.lfHeight = -12;
    std::strcpy(font.lfFaceName, "Sans");
    watched = &font;
    LOGFONT shown = font;
    std::strcpy(shown.lfFaceName, "Serif");
    LOGFONT larger = shown;
    larger.lfHeight = -30;

    UiTestHook::QueueFontDialogApply(shown);
    UiTestHook::QueueFontDialogApply(larger);
    UiTestHook::QueueFontDialogAnswer(false);
    EXPECT_FALSE(RunFontDialog(&font, CWnd::FromHandle(owner), FALSE, CF_SCREENFONTS));
    EXPECT_EQ(appliedFaces, (std::vector<std::string>{"Serif", "Serif"}));
    EXPECT_STREQ(font.lfFaceName, "Serif");
    EXPECT_EQ(font.lfHeight, -30) << "the last font applied stays";
    watched = nullptr;

}

TEST_F(ChoosersTest, FilePathsComeBackRelativeToTheWorkingDirectory)
{
    struct Case {
        const char* path;
        const char* relative;
    } cases[] = {
        {"/home/ann/notes/a.trn", "a.trn"},
        {"/HOME/Ann/Notes/a.trn", "a.trn"},
        {"/home/ann/notes/pics/x.bmp", "pics/x.bmp"},
        {"/home/ann/notes/pics/deep/x.bmp", "pics/deep/x.bmp"},
        {"/home/ann/notesplus/x.bmp", "/home/ann/notesplus/x.bmp"},
        {"/home/ann/x.bmp", "/home/ann/x.bmp"},
        {"C:\\Docs\\sub\\x.bmp", "C:\\Docs\\sub\\x.bmp"},
        {"x.bmp", "x.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRelativeFileDialog::MakeRelative(c.path, "/home/ann/notes"), c.relative) << c.path;
    EXPECT_EQ(CRelativeFileDialog::MakeRelative("C:\\Docs\\sub\\x.bmp", "C:\\Docs"), "sub\\x.bmp");
}

TEST_F(ChoosersTest, FileChooserReturnsRelativePathsAndCancelIsNoReset)
{
    RegisterStringResource(IDS_BROWSE_FILES, "<Browse Files>");
    std::filesystem::path folder = std::filesystem::current_path() / "chooser-sub";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "x.bmp") << "BM";

    CRelativeFileDialog chosen("bmp", nullptr, "Bitmaps|*.bmp||");
    EXPECT_STREQ(chosen.m_ofn.lpstrTitle, "<Browse Files>");
    UiTestHook::QueueFileDialogAnswer((folder / "x.bmp").string());
    EXPECT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetRelativePathName(), "chooser-sub/x.bmp");

    CRelativeFileDialog cancelled("bmp", nullptr, "Bitmaps|*.bmp||");
    UiTestHook::QueueFileDialogAnswer("");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancelled.m_bReset);
    std::filesystem::remove_all(folder);
}

} // namespace
