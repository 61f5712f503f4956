// The customizable tool bar: what its customize dialog offers, adding, removing, moving and
// resetting buttons, the record it keeps in the profile, and the child windows a cool combo
// bar keeps over their buttons.
#include "PictureKit.h"
#include "showcase/BarsShowcase.h"

#include "controls/CustToolBar.h"
#include "controls/ToolBarState.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ToolBarCustomizeDlg.h"
#include "platform/ui/WinApp.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr UINT kNew = 9801, kOpen = 9802, kSave = 9803, kPrint = 9804, IDC_BAR = 77;
constexpr LPCTSTR kKey = "Bars\\Drawing";

using bars_showcase::Offer;

class CustToolBarTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterStringResource(kNew, "Makes a document\nNew\nNew Page");
        RegisterStringResource(kOpen, "Opens a document\nOpen");
        RegisterStringResource(kSave, "Saves the document\nSave\n");
        RegisterStringResource(kPrint, "Prints");
    }
    void SetUp() override
    {
        UiTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("vantrel-custbar-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        app = new CWinApp("CustBarTest");
        app->SetRegistryKey("Tester");
        ASSERT_TRUE(parent.Open(RECT{0, 0, 400, 300}));
        parent.SetActiveWindow();
        Make(bar);
    }
    void TearDown() override
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
        bar.DestroyWindow();
        parent.DestroyWindow();
        delete app;
        std::filesystem::remove_all(folder);
        UiTest::TearDown();
    }
    void Make(CCustToolBar& made)
    {
        ASSERT_TRUE(made.Create(&parent, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDC_BAR));
        const UINT ids[] = {kNew, kOpen};
        made.SetButtons(ids, 2);
        made.SetButtonTable({Offer(kNew, 0), Offer(kOpen, 1), Offer(kSave, 2), Offer(kPrint, 3)});
        made.SetStateKey(kKey);
    }
    void OpenDialog() { ASSERT_TRUE(dialog.CreateIndirect(CToolBarCustomizeDlg::Template(), &parent)); }
    std::vector<UINT> Commands(const CCustToolBar& of) const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < of.GetCount(); ++i)
            ids.push_back(of.GetItemID(i));
        return ids;
    }
    std::vector<std::string> Lines(UINT listId)
    {
        CListBox* list = static_cast<CListBox*>(dialog.GetDlgItem(static_cast<int>(listId)));
        std::vector<std::string> lines;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            lines.emplace_back(text);
        }
        return lines;
    }
    void Hold(int vk, bool down)
    {
        down ? UiTestHook::KeyDown(vk) : UiTestHook::KeyUp(vk);
        UiTestHook::PumpPending();
    }

    std::filesystem::path folder;
    CWinApp* app = nullptr;
    RecordingWindow parent;
    CCustToolBar bar;
    CToolBarCustomizeDlg dialog{bar};
};

TEST_F(CustToolBarTest, ButtonTextIsTheThirdPartOfTheCommandStringElseTheSecond)
{
    struct Case {
        UINT command;
        const char* text;
    };
    const Case cases[] = {{kNew, "New Page"}, {kOpen, "Open"}, {kSave, "Save"}, {kPrint, ""}, {9899, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CCustToolBar::ButtonText(c.command)), c.text) << c.command;
}

TEST_F(CustToolBarTest, TheDialogOffersTheTableButtonsNotOnTheBar)
{
    OpenDialog();
    EXPECT_EQ(dialog.GetAvailableCount(), 4) << "asking ends at the first index beyond the table";
    EXPECT_EQ(Lines(CToolBarCustomizeDlg::kAvailableList), (std::vector<std::string>{"Separator", "Save", ""}));
    EXPECT_EQ(Lines(CToolBarCustomizeDlg::kCurrentList), (std::vector<std::string>{"New Page", "Open"}));
}

TEST_F(CustToolBarTest, AddRemoveAndMoveChangeTheBarAndTheKeptRecord)
{
    OpenDialog();
    ASSERT_TRUE(dialog.AddButton(2, 1));
    EXPECT_EQ(Commands(bar), (std::vector<UINT>{kNew, kSave, kOpen}));
    ASSERT_TRUE(dialog.AddButton(-1, 3));
    EXPECT_EQ(Commands(bar), (std::vector<UINT>{kNew, kSave, kOpen, ID_SEPARATOR}));
    EXPECT_TRUE(bar.GetButtonStyle(3) & TBBS_SEPARATOR);
    ASSERT_TRUE(dialog.RemoveButton(0));
    ASSERT_TRUE(dialog.MoveButton(1, 0));
    EXPECT_EQ(Commands(bar), (std::vector<UINT>{kOpen, kSave, ID_SEPARATOR}));
    EXPECT_FALSE(dialog.MoveButton(0, -1));
    EXPECT_FALSE(dialog.MoveButton(2, 3));
    EXPECT_FALSE(dialog.RemoveButton(5));
    EXPECT_FALSE(dialog.AddButton(7, 0));
    EXPECT_EQ(Lines(CToolBarCustomizeDlg::kCurrentList), (std::vector<std::string>{"Open", "Save", "Separator"}));
    dialog.DestroyWindow();

    // A new application reads the kept buttons back into a new bar.
    delete app;
    app = new CWinApp("CustBarTest");
    app->SetRegistryKey("Tester");
    CCustToolBar again;
    Make(again);
    ASSERT_TRUE(again.RestoreState(kKey));
    EXPECT_EQ(Commands(again), (std::vector<UINT>{kOpen, kSave, ID_SEPARATOR}));
    again.DestroyWindow();
}

TEST_F(CustToolBarTest, ResetGoesBackToTheOpeningButtonsOrWithCtrlToTheWholeTable)
{
    struct Case {
        bool ctrl;
        std::vector<UINT> after;
    };
    const Case cases[] = {{false, {kNew, kOpen}}, {true, {kNew, kOpen, kSave, kPrint}}};
    for (const Case& c : cases) {
        const UINT ids[] = {kNew, kOpen};
        bar.SetButtons(ids, 2);
        OpenDialog();
        dialog.RemoveButton(0);
        dialog.AddButton(3, 0);
        Hold(VK_CONTROL, c.ctrl);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CToolBarCustomizeDlg::kReset, BN_CLICKED));
        Hold(VK_CONTROL, false);
        EXPECT_EQ(Commands(bar), c.after) << "ctrl " << c.ctrl;
        std::vector<TBBUTTON> kept;
        LPBYTE data = nullptr;
        UINT size = 0;
        ASSERT_TRUE(app->GetProfileBinary(kKey, "Buttons", &data, &size));
        ASSERT_TRUE(DecodeToolBarButtons(data, size, kept));
        delete[] data;
        EXPECT_EQ(kept.size(), c.after.size()) << "a reset is kept like any change";
        dialog.DestroyWindow();
    }
}

TEST_F(CustToolBarTest, HelpSaysItIsNotThere)
{
    OpenDialog();
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CToolBarCustomizeDlg::kHelp, BN_CLICKED));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Help not implemented!");
}

TEST_F(CustToolBarTest, AButtonRecordCarriesItsStateAndComesBackTheSame)
{
    bar.SetButtonStyle(1, bar.GetButtonStyle(1) | TBBS_DISABLED | TBBS_CHECKED);
    TBBUTTON b{};
    ASSERT_TRUE(bar.GetButton(1, &b));
    EXPECT_EQ(b.idCommand, static_cast<int>(kOpen));
    EXPECT_EQ(b.iBitmap, 1);
    EXPECT_EQ(b.fsState, TBSTATE_CHECKED) << "disabled: the enabled bit is clear";
    EXPECT_FALSE(bar.GetButton(2, &b));
    ASSERT_TRUE(bar.GetButton(1, &b));
    ASSERT_TRUE(bar.InsertButton(0, b));
    EXPECT_EQ(bar.GetButtonStyle(0), bar.GetButtonStyle(2));
    EXPECT_FALSE(bar.InsertButton(4, b));
}

// count 2; then per button: bitmap, command, state, style, two zero bytes, data, string.
const BYTE kTwoButtons[] = {
    0x02, 0x00, 0x00, 0x00,                                                  // count
    0x01, 0x00, 0x00, 0x00, 0x5A, 0x26, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // 1, 9818, enabled, button
    0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,                          // data 0, string -1
    0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,  // 8, 0, no state, separator
    0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          // data 7, string 0
};

TEST_F(CustToolBarTest, TheKeptRecordIsByteExact)
{
    TBBUTTON first = Offer(9818, 1);
    TBBUTTON separator{};
    separator.iBitmap = 8;
    separator.fsStyle = TBSTYLE_SEP;
    separator.dwData = 7;
    const std::vector<BYTE> written = EncodeToolBarButtons({first, separator});
    EXPECT_EQ(written, std::vector<BYTE>(std::begin(kTwoButtons), std::end(kTwoButtons)));
    std::vector<TBBUTTON> read;
    ASSERT_TRUE(DecodeToolBarButtons(kTwoButtons, sizeof kTwoButtons, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].idCommand, 9818);
    EXPECT_EQ(read[0].iString, -1);
    EXPECT_EQ(read[1].fsStyle, TBSTYLE_SEP);
    EXPECT_EQ(read[1].dwData, 7u);
}

TEST_F(CustToolBarTest, ADamagedOrForeignRecordLeavesTheBarAsItIs)
{
    std::vector<BYTE> padded(std::begin(kTwoButtons), std::end(kTwoButtons));
    padded[14] = 1;
    std::vector<BYTE> huge = {0x01, 0x01, 0x00, 0x00};
    huge.resize(4 + 20 * 257);
    const std::vector<BYTE> foreign = EncodeToolBarButtons({Offer(9850, 0)});
    const std::vector<BYTE> known = EncodeToolBarButtons({Offer(kPrint, 3)});
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        bool restores;
    };
    const std::vector<Case> cases = {
        {"empty", {}, false},
        {"count only", {0x02, 0x00}, false},
        {"cut short", std::vector<BYTE>(std::begin(kTwoButtons), std::end(kTwoButtons) - 1), false},
        {"one byte too many", [] { std::vector<BYTE> b(std::begin(kTwoButtons), std::end(kTwoButtons)); b.push_back(0); return b; }(), false},
        {"padding set", padded, false},
        {"more than 256", huge, false},
        {"a command the table lacks", foreign, false},
        {"a table command", known, true},
    };
    for (const Case& c : cases) {
        const UINT ids[] = {kNew, kOpen};
        bar.SetButtons(ids, 2);
        BYTE none = 0;
        app->WriteProfileBinary(kKey, "Buttons", c.bytes.empty() ? &none : const_cast<BYTE*>(c.bytes.data()),
                                static_cast<UINT>(c.bytes.size()));
        EXPECT_EQ(bar.RestoreState(kKey), c.restores) << c.what;
        const std::vector<UINT> expected = c.restores ? std::vector<UINT>{kPrint} : std::vector<UINT>{kNew, kOpen};
        EXPECT_EQ(Commands(bar), expected) << c.what;
    }
    EXPECT_FALSE(bar.RestoreState("")) << "an empty key keeps nothing";
}

TEST_F(CustToolBarTest, ACoolComboBarKeepsChildrenOverTheirButtons)
{
    CCoolComboBar cool;
    ASSERT_TRUE(cool.Create(&parent, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDC_BAR + 1));
    const UINT ids[] = {kNew, ID_SEPARATOR, kOpen};
    cool.SetButtons(ids, 3);
    CWnd over, stray;
    ASSERT_TRUE(over.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 20, 10), &cool, kOpen));
    ASSERT_TRUE(stray.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(1, 2, 21, 12), &cool, 4242));
    NMTOOLBAR info{};
    cool.NotifyParent(TBN_TOOLBARCHANGE, info);
    CRect button, placed, left;
    cool.GetItemRect(2, &button);
    over.GetWindowRect(&placed);
    cool.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(button.TopLeft(), CSize(20, 10))) << "moved to the button, size kept";
    EXPECT_TRUE(over.IsWindowVisible());
    stray.GetWindowRect(&left);
    cool.ScreenToClient(&left);
    EXPECT_EQ(left, CRect(1, 2, 21, 12));
    EXPECT_FALSE(stray.IsWindowVisible());
    over.DestroyWindow();
    stray.DestroyWindow();
    cool.DestroyWindow();
}

} // namespace
