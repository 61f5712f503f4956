#include "platform/ui/LanguageTexts.h"
#include "UiFixture.h"
#include "platform/core/StringTable.h"
#include "platform/sys/parlex/Parlex.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

std::string Text(HWND window)
{
    char text[64] = "";
    GetWindowText(window, text, sizeof text);
    return text;
}

class LanguageTextsTest : public UiTest { };

TEST_F(LanguageTextsTest, AWindowAndAllItsChildrenAreTranslated)
{
    std::string file = "/tmp/vantrel-ui-language-" + std::to_string(::getpid()) + ".lng";
    std::ofstream(file) << "<Add>=Hinzuf\xC3\xBCgen\nA very long key=" << std::string(300, 'x') << "\n";
    ASSERT_EQ(Parlex_Init(file.c_str(), ""), PARLEX_LOADED);
    HWND page = MakeWindow(WS_OVERLAPPEDWINDOW, { 0, 0, 200, 100 });
    SetWindowText(page, "<Options>");
    HWND group = MakeWindow(WS_CHILD, { 0, 0, 100, 50 }, page, 10);
    HWND add = MakeWindow(WS_CHILD, { 0, 0, 50, 20 }, group, 11);
    HWND plain = MakeWindow(WS_CHILD, { 0, 20, 50, 20 }, group, 12);
    HWND longText = MakeWindow(WS_CHILD, { 0, 40, 50, 20 }, page, 13);
    SetWindowText(add, "<Add>");
    SetWindowText(plain, "plain");
    SetWindowText(longText, "A very long key");
    EXPECT_TRUE(Parlex_SetAllTexts(page));
    EXPECT_EQ(Text(page), "Options");
    EXPECT_EQ(Text(add), "Hinzuf\xFCgen");
    EXPECT_EQ(Text(plain), "plain");
    EXPECT_EQ(GetWindowTextLength(longText), 300);
    EXPECT_FALSE(Parlex_SetAllTexts(nullptr));
    Parlex_Deinit(nullptr);
    std::remove(file.c_str());
}

// A command string holds the prompt and the tip as one key: it is translated before it is
// split, so neither half shows a bracket.
TEST_F(LanguageTextsTest, CommandStringsAreTranslatedBeforeTheyAreSplit)
{
    ASSERT_EQ(Parlex_Init(nullptr, ""), PARLEX_ENGLISH);
    RegisterStringResource(61001, "<Draw strokes\nStroke>");
    RegisterStringResource(61002, "Plain prompt\nPlain");
    const std::pair<UINT, const char*> cases[] = {
        { 61001, "Draw strokes\nStroke" },
        { 61002, "Plain prompt\nPlain" },
    };
    for (const auto& [id, expected] : cases) {
        CString text;
        EXPECT_TRUE(LoadLanguageString(id, text)) << id;
        EXPECT_EQ(text, CString(expected)) << id;
    }
    CString text = "kept";
    EXPECT_FALSE(LoadLanguageString(61999, text));
    CFrameWnd frame;
    CString prompt;
    frame.GetMessageString(61001, prompt);
    EXPECT_EQ(prompt, CString("Draw strokes"));
    Parlex_Deinit(nullptr);
}

// No dialog needs to ask for its words: the keys of its template never reach the screen.
TEST_F(LanguageTextsTest, ADialogFromATemplateShowsTheWordsOfItsKeys)
{
    DialogTemplate confirm;
    confirm.style = WS_POPUP | WS_CAPTION;
    confirm.cx = 120;
    confirm.cy = 40;
    confirm.caption = "<Confirm Remove>";
    confirm.items = {DialogItemTemplate {"button", "<Delete selected file as well?>", 23070, BS_AUTOCHECKBOX, 0, 4, 4,
                                         110, 10},
                     DialogItemTemplate {"button", "&No", IDCANCEL, 0, 0, 60, 20, 50, 14}};
    RegisterDialogResource(9301, confirm);
    CDialog dialog(9301);
    ASSERT_TRUE(dialog.Create(9301, nullptr));
    EXPECT_EQ(Text(dialog.m_hWnd), "Confirm Remove");
    EXPECT_EQ(Text(::GetDlgItem(dialog.m_hWnd, 23070)), "Delete selected file as well?");
    EXPECT_EQ(Text(::GetDlgItem(dialog.m_hWnd, IDCANCEL)), "&No");
    dialog.DestroyWindow();
}

// Pop-up menus are not windows: the texts must still reach the screen through the table.
TEST_F(LanguageTextsTest, APopUpMenuShowsTheLanguagesTextsForItsKeys)
{
    std::string file = "/tmp/vantrel-ui-menu-language-" + std::to_string(::getpid()) + ".lng";
    std::ofstream(file) << "<Edit Icon>=Draw the icon\n";
    ASSERT_EQ(Parlex_Init(file.c_str(), ""), PARLEX_LOADED);
    HMENU icon = CreatePopupMenu();
    AppendMenu(icon, MF_STRING, 34040, "<Load Icon...>");
    AppendMenu(icon, MF_STRING, 34033, "<Edit Icon>");
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 34035, "&Cut");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(icon), "<Icon>");
    const std::vector<std::string> shown {"&Cut", "Icon", "Load Icon...", "Draw the icon"};
    EXPECT_EQ(UiTestHook::ShownMenuTexts(menu), shown);
    DestroyMenu(menu);
    Parlex_Deinit(nullptr);
    std::remove(file.c_str());
}

} // namespace
