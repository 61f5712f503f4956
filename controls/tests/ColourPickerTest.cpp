// The colour picker: which popup entry a colour selects, the choices and what the owner
// hears, "More Colors..." with custom colours, and the swatch drawing.
#include "PictureKit.h"

#include "controls/HyperColourPicker.h"
#include "platform/ui/CommonDialogs.h"

#include <utility>

namespace {

constexpr UINT IDC_COLOUR = 42;

class Owner : public RecordingWindow {
public:
    std::vector<std::pair<UINT, COLORREF>> notes;
    COLORREF custom[16] = {};
    bool answerCustom = false;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* record = reinterpret_cast<NMCOOLCOMBO*>(lParam);
        notes.emplace_back(record->hdr.code, record->value);
        *result = record->hdr.code == CCN_QUERYCUSTOMCOLOURS && answerCustom ? reinterpret_cast<LRESULT>(custom) : 0;
        return TRUE;
    }
};

class ColourPickerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(owner.Open());
        ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, CRect(10, 10, 70, 32), &owner,
                                  IDC_COLOUR));
    }
    void TearDown() override
    {
        picker.DestroyWindow();
        owner.DestroyWindow();
        UiTest::TearDown();
    }
    CColourPickerPopup* Open()
    {
        picker.OpenPopup();
        return dynamic_cast<CColourPickerPopup*>(picker.GetPopup());
    }
    void Keys(CWnd* popup, std::initializer_list<UINT> keys)
    {
        for (UINT key : keys)
            popup->SendMessage(WM_KEYDOWN, key);
    }
    COLORREF At(int x, int y)
    {
        picker.Invalidate();
        UiTestHook::PumpPending();
        return UiTestHook::PixelAt(picker.GetSafeHwnd(), CPoint(x, y));
    }

    Owner owner;
    CColourPicker picker;
};

TEST_F(ColourPickerTest, ColoursMapToPopupEntries)
{
    const COLORREF table[] = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(1, 1, 1)};
    struct Case {
        COLORREF colour;
        bool texts;
        int value;
    } cases[] = {{AutomaticPickerColour, true, CC_EXTRA}, {RGB(2, 2, 2), true, 1}, {RGB(1, 1, 1), true, 0},
                 {RGB(9, 9, 9), true, CC_TEXTENTRY},      {RGB(9, 9, 9), false, CC_NONE}};
    for (const Case& c : cases)
        EXPECT_EQ(CColourPickerPopup::ValueOf(c.colour, table, 3, c.texts), c.value) << c.colour;
}

TEST_F(ColourPickerTest, OpensWithTheCurrentColoursEntrySelected)
{
    EXPECT_EQ(picker.GetColourCount(), 40);
    struct Case {
        COLORREF colour;
        int selected;
    } cases[] = {{AutomaticPickerColour, CC_EXTRA}, {RGB(255, 0, 0), 16}, {RGB(1, 2, 3), CC_TEXTENTRY}};
    for (const Case& c : cases) {
        picker.SetColour(c.colour);
        CColourPickerPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetSelected(), c.selected) << c.colour;
        picker.ClosePopup();
    }
}

TEST_F(ColourPickerTest, ChoicesSetTheColourAndReachTheOwner)
{
    CColourPickerPopup* popup = Open();
    Keys(popup, {VK_DOWN, VK_RIGHT, VK_RETURN}); // cell 0, cell 1: "Brown"
    EXPECT_EQ(picker.GetColour(), RGB(165, 42, 0));
    EXPECT_EQ(picker.GetLastColour(), RGB(165, 42, 0));
    EXPECT_EQ(picker.GetPopup(), nullptr);
    EXPECT_EQ(owner.notes[owner.notes.size() - 2], std::make_pair(CCN_SELECT, RGB(165, 42, 0)));

    popup = Open();
    Keys(popup, {VK_DOWN, VK_UP, VK_RETURN}); // cell 0, then up to "Automatic"
    EXPECT_EQ(picker.GetColour(), AutomaticPickerColour);
    EXPECT_EQ(owner.notes[owner.notes.size() - 2], std::make_pair(CCN_EXTRA, AutomaticPickerColour));
}

TEST_F(ColourPickerTest, MoreColorsReturnsTheDialogsColourAndAsksTheOwnerForCustomColours)
{
    owner.answerCustom = true;
    CColourPickerPopup* popup = Open();
    UiTestHook::QueueColorDialogAnswer(true, RGB(12, 34, 56));
    Keys(popup, {VK_UP, VK_RETURN}); // the last text entry: "More Colors..."
    EXPECT_EQ(picker.GetColour(), RGB(12, 34, 56));
    auto asked = std::count_if(owner.notes.begin(), owner.notes.end(),
                               [](const auto& n) { return n.first == CCN_QUERYCUSTOMCOLOURS; });
    EXPECT_EQ(asked, 1);

    // With custom colours of its own the picker asks nobody; a cancel sends nothing.
    COLORREF own[16] = {};
    picker.m_customColours = own;
    owner.notes.clear();
    popup = Open();
    UiTestHook::QueueColorDialogAnswer(false);
    Keys(popup, {VK_UP, VK_RETURN});
    EXPECT_EQ(picker.GetColour(), RGB(12, 34, 56));
    for (const auto& note : owner.notes) {
        EXPECT_NE(note.first, CCN_QUERYCUSTOMCOLOURS);
        EXPECT_NE(note.first, CCN_SELECT);
    }
}

TEST_F(ColourPickerTest, MainPartClickAppliesTheLastColourOnlyWhenAsked)
{
    picker.SetColour(RGB(0, 0, 255));
    picker.OnPopupSelect(static_cast<int>(RGB(0, 255, 0)));
    owner.notes.clear();
    picker.OnButtonClick();
    EXPECT_TRUE(owner.notes.empty());
    picker.m_applyLastColourOnClick = TRUE;
    picker.OnButtonClick();
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0], std::make_pair(CCN_SELECT, RGB(0, 255, 0)));
}

// The swatch fills the content (3, 3)..(44, 19) of the 47 x 22 main part: inside its flat
// edge and the system edges.
TEST_F(ColourPickerTest, SwatchShowsTheColourWithAnOutlineNearTheFace)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF nearFace = RGB(GetRValue(face) - 5, GetGValue(face) - 5, GetBValue(face) - 5);
    struct Case {
        COLORREF colour;
        COLORREF inside, outline;
    } cases[] = {{RGB(200, 0, 0), RGB(200, 0, 0), RGB(200, 0, 0)},
                 {nearFace, nearFace, RGB(0, 0, 0)},
                 {AutomaticPickerColour, face, ::GetSysColor(COLOR_BTNSHADOW)}};
    for (const Case& c : cases) {
        picker.SetColour(c.colour);
        EXPECT_EQ(At(20, 11), c.inside) << c.colour;
        EXPECT_EQ(At(3, 11), c.outline) << c.colour;
        EXPECT_EQ(At(43, 18), c.outline) << c.colour;
    }
}

struct TwoColours : CColourTableProvider {
    int FillColourTable(std::vector<ColourTableEntry>& table) override
    {
        table = {{RGB(1, 2, 3), "One"}, {RGB(4, 5, 6), "Two"}};
        return 2;
    }
};

struct NoColours : CColourTableProvider {
    int FillColourTable(std::vector<ColourTableEntry>&) override { return 5; }
};

TEST_F(ColourPickerTest, ProvidersReplaceTheTable)
{
    CHyperColourPicker hyper;
    hyper.LoadColourTable(std::make_unique<TwoColours>());
    EXPECT_EQ(hyper.GetColourCount(), 2);
    hyper.LoadColourTable(std::make_unique<NoColours>()); // claims more than it gave
    EXPECT_EQ(hyper.GetColourCount(), 0);
}

} // namespace
