// What the main frame supplies while its command bars are built: drop-down bars by caption
// and id, split buttons, font boxes and the colour, width, style and arrow pickers.
#include "shell/ControlButtons.h"

#include "AppFixture.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPControlColor.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/sys/parlex/Parlex.h"

#include <fstream>

namespace {

class CommandBarControlsTest : public AppTest {
protected:
    void TearDown() override
    {
        for (CXTPCommandBar* bar : made)
            bar->InternalRelease();
        for (CXTPControl* control : controls)
            control->InternalRelease();
        AppTest::TearDown();
    }
    CXTPCommandBar* Bar(UINT id, LPCTSTR caption)
    {
        CreateBarRequest request;
        request.bPopup = TRUE;
        request.nID = id;
        request.strCaption = caption;
        if (!frame->CreateCommandBar(request))
            return nullptr;
        made.push_back(request.pCommandBar);
        return request.pCommandBar;
    }
    CreateControlRequest Control(UINT id, CXTPCommandBar* bar)
    {
        CreateControlRequest request;
        request.nID = id;
        request.bToolBar = bar != nullptr;
        request.pCommandBar = bar;
        EXPECT_TRUE(frame->CreateControl(request)) << id;
        if (request.pControl)
            controls.push_back(request.pControl);
        return request;
    }
    std::string TearOff(CXTPCommandBar* bar, UINT* id, int* width)
    {
        CString caption;
        EXPECT_TRUE(bar->IsTearOffPopup(caption, *id, *width));
        return std::string(caption);
    }

    std::vector<CXTPCommandBar*> made;
    std::vector<CXTPControl*> controls;
};

TEST_F(CommandBarControlsTest, DropDownBarsFollowTheirRules)
{
    struct Case {
        UINT id;
        const char* caption;
        bool toolBar;
        int controls;
        const char* tearCaption;
        UINT tearId;
        bool flag;
    };
    const Case cases[] = {
        {0, "Catalog", false, 0, "Catalog", 28584, false},
        {60481, "", true, 4, "Lines", 406, false},
        {33807, "", true, 3, "Shapes", 408, false},
        {33983, "", true, 12, "Pens", 275, false},
        {34054, "", true, 4, "Note Objects", 373, true},
        {28566, "", false, 3, "Zoom", 1004, true},
        {0, "Notes", false, 0, "Note Objects", 373, false},
        {0, "Project", false, 0, "Project", 23008, false},
        {0, "Hatch Style", false, 0, "Hatch Style", 1006, false},
        {28576, "", true, 5, "Shadow Style", 28585, false},
        // The Format bar's buttons ask with their captions too.
        {28575, "Hatch Style", true, 7, "Hatch Style", 1006, false},
        {28576, "Shadow Style", true, 5, "Shadow Style", 28585, false},
    };
    for (const Case& c : cases) {
        CXTPCommandBar* bar = Bar(c.id, c.caption);
        ASSERT_NE(bar, nullptr) << c.id << c.caption;
        EXPECT_EQ(bar->IsKindOf(RUNTIME_CLASS(CXTPPopupToolBar)), c.toolBar) << c.id << c.caption;
        EXPECT_EQ(bar->GetControlCount(), c.controls) << c.id << c.caption;
        UINT id = 0;
        int width = 0;
        EXPECT_EQ(TearOff(bar, &id, &width), c.tearCaption);
        EXPECT_EQ(id, c.tearId);
        EXPECT_EQ(width, 400);
        EXPECT_EQ((bar->GetBarFlags() & BarFlagShowExpandButton) != 0, c.flag) << c.id << c.caption;
    }
    EXPECT_EQ(Bar(0, "catalog"), nullptr) << "captions compare exactly";
    EXPECT_EQ(Bar(99, "Other"), nullptr);
}

TEST_F(CommandBarControlsTest, ShapeDropDownsShowIconsAndHatchShowsItsNoneAsText)
{
    CXTPCommandBar* lines = Bar(60481, "");
    for (int i = 0; i < lines->GetControlCount(); ++i)
        EXPECT_EQ(lines->GetControl(i)->GetStyle(), ButtonIcon);
    CXTPCommandBar* hatch = Bar(28575, "");
    ASSERT_EQ(hatch->GetControlCount(), 7);
    EXPECT_EQ(hatch->GetControl(0)->GetID(), 27042u);
    EXPECT_EQ(hatch->GetControl(0)->GetStyle(), ButtonCaption);
    EXPECT_EQ(std::string(hatch->GetControl(0)->GetCaption()), "None");
    EXPECT_NE(hatch->GetControl(1)->GetStyle(), ButtonCaption);
}

TEST_F(CommandBarControlsTest, CaptionRulesCompareTheTranslatedText)
{
    std::ofstream(home + "/Current.lng") << "Catalog=Katalog\n";
    ASSERT_EQ(Parlex_Init((home + "/Current.lng").c_str(), ""), PARLEX_LOADED);
    EXPECT_EQ(Bar(0, "Catalog"), nullptr);
    CXTPCommandBar* bar = Bar(0, "Katalog");
    ASSERT_NE(bar, nullptr);
    UINT id = 0;
    int width = 0;
    EXPECT_EQ(TearOff(bar, &id, &width), "Katalog");
    Parlex_Init("", "");
}

TEST_F(CommandBarControlsTest, ATornOffColourBarIsAcceptedWithItsFlagCleared)
{
    for (UINT id : {1000u, 1001u}) {
        CXTPToolBar* bar = frame->GetCommandBars()->GetToolBar(128);
        bar->SetBarFlags(BarFlagShowExpandButton);
        CreateBarRequest request;
        request.bTearOffBar = TRUE;
        request.pCommandBar = bar;
        request.nID = id;
        EXPECT_TRUE(frame->CreateCommandBar(request));
        EXPECT_EQ(bar->GetBarFlags() & BarFlagShowExpandButton, 0u);
    }
}

TEST_F(CommandBarControlsTest, ToolBarControlsBecomeSplitButtonsAndFontBoxesOnTheirBarsOnly)
{
    CXTPCommandBars* bars = frame->GetCommandBars();
    CXTPToolBar* format = bars->GetToolBar(247);
    CXTPToolBar* object = bars->GetToolBar(167);
    EXPECT_EQ(Control(28575, format).controlType, ControlTypeSplitButtonPopup);
    EXPECT_EQ(Control(33807, object).controlType, ControlTypeSplitButtonPopup);
    EXPECT_TRUE(Control(33954, format).pControl->IsKindOf(RUNTIME_CLASS(CXTPControlFontComboBox)));
    auto* size = dynamic_cast<CXTPControlSizeComboBox*>(Control(60553, format).pControl);
    ASSERT_NE(size, nullptr);
    EXPECT_TRUE(size->GetDropDownListStyle());
    CreateControlRequest elsewhere;
    elsewhere.nID = 33807;
    elsewhere.bToolBar = TRUE;
    elsewhere.pCommandBar = format;
    EXPECT_FALSE(frame->CreateControl(elsewhere)) << "the Rectangle button splits only on the object bar";
    CXTPCommandBar* popup = Bar(60481, "");
    elsewhere.pCommandBar = popup;
    elsewhere.nID = 28575;
    EXPECT_FALSE(frame->CreateControl(elsewhere)) << "a control of a bar that is no tool bar is left alone";
}

TEST_F(CommandBarControlsTest, PickersAreBuiltAlikeInMenusAndToolBars)
{
    CXTPToolBar* format = frame->GetCommandBars()->GetToolBar(247);
    for (CXTPCommandBar* where : {static_cast<CXTPCommandBar*>(format), static_cast<CXTPCommandBar*>(nullptr)}) {
        auto* colour = dynamic_cast<CXTPControlPopupColor*>(Control(60551, where).pControl);
        ASSERT_NE(colour, nullptr);
        CXTPCommandBar* colours = colour->GetCommandBar();
        ASSERT_EQ(colours->GetControlCount(), 3);
        EXPECT_EQ(colours->GetControl(0)->GetID(), 60619u);
        EXPECT_TRUE(colours->GetControl(1)->IsKindOf(RUNTIME_CLASS(CXTPControlColorSelector)));
        EXPECT_EQ(colours->GetControl(2)->GetID(), 60620u);
        UINT id = 0;
        int width = -1;
        EXPECT_EQ(TearOff(colours, &id, &width), "Forground Color");
        EXPECT_EQ(id, 1000u);
        EXPECT_EQ(width, 0);

        CXTPControl* widths = Control(27174, where).pControl;
        ASSERT_EQ(widths->GetType(), ControlTypeSplitButtonPopup);
        CXTPCommandBar* widthBar = widths->GetCommandBar();
        ASSERT_EQ(widthBar->GetControlCount(), 6);
        auto* none = dynamic_cast<CControlButtonLine*>(widthBar->GetControl(0));
        ASSERT_NE(none, nullptr);
        EXPECT_EQ(none->GetWidth(), -1.0);
        EXPECT_EQ(none->GetID(), 27176u);
        EXPECT_EQ(dynamic_cast<CControlButtonLine*>(widthBar->GetControl(5))->GetWidth(), 5.0);
        EXPECT_EQ(widthBar->GetControl(5)->GetID(), 27181u);
        widthBar->CalcDockingLayout(0, 0);
        for (int i = 1; i < widthBar->GetControlCount(); ++i) {
            const CRect above = widthBar->GetControl(i - 1)->GetRect();
            const CRect entry = widthBar->GetControl(i)->GetRect();
            EXPECT_EQ(entry.left, above.left) << "the widths stand in one column: " << i;
            EXPECT_GE(entry.top, above.bottom) << i;
        }

        CXTPCommandBar* arrows = Control(27185, where).pControl->GetCommandBar();
        ASSERT_EQ(arrows->GetControlCount(), 4);
        EXPECT_EQ(dynamic_cast<CControlButtonArrow*>(arrows->GetControl(0))->GetValue(), 0);
        EXPECT_EQ(dynamic_cast<CControlButtonArrow*>(arrows->GetControl(3))->GetValue(), 27189);
        EXPECT_EQ(TearOff(arrows, &id, &width), "Line Arrow");
        CXTPCommandBar* styles = Control(27168, where).pControl->GetCommandBar();
        EXPECT_EQ(dynamic_cast<CControlButtonStyle*>(styles->GetControl(2))->GetValue(), 27171);
    }
    EXPECT_EQ(Control(27301, nullptr).pControl->GetStyle(), ButtonCaption);
}

TEST_F(CommandBarControlsTest, LineEntriesOnAToolBarComeBackShowingTheirValuesWhenItsCommandsAreRead)
{
    // The Standard bar as a user left it: the 3-point width, the dash-dot style, the end arrow and
    // the "None" width dropped on it. Its stored commands are read at the next start.
    CXTPCommandBars* bars = frame->GetCommandBars();
    const std::vector<BYTE> record = EncodeBarContent({{128, {27179, 0, 27172, 27188, 27176}}});
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("LineEntries", "Content", const_cast<BYTE*>(record.data()),
                                                static_cast<UINT>(record.size())));
    bars->LoadBarState("LineEntries");
    CXTPToolBar* bar = bars->GetToolBar(128);
    ASSERT_EQ(bar->GetControlCount(), 4);
    auto* width = dynamic_cast<CControlButtonLine*>(bar->GetControl(0));
    auto* style = dynamic_cast<CControlButtonStyle*>(bar->GetControl(1));
    auto* arrow = dynamic_cast<CControlButtonArrow*>(bar->GetControl(2));
    auto* none = dynamic_cast<CControlButtonLine*>(bar->GetControl(3));
    ASSERT_TRUE(width && style && arrow && none);
    EXPECT_EQ(width->GetWidth(), 3.0);
    EXPECT_EQ(style->GetValue(), 27172);
    EXPECT_TRUE(style->GetBeginGroup());
    EXPECT_EQ(arrow->GetValue(), 27188);
    EXPECT_EQ(none->GetWidth(), -1.0);
    EXPECT_EQ(none->GetStyle(), ButtonCaption);
    EXPECT_EQ(width->GetID(), 27179u);
    // Elsewhere than on a tool bar (a menu) the commands stay plain.
    CreateControlRequest menu;
    menu.nID = 27179;
    EXPECT_FALSE(frame->CreateControl(menu));
}

} // namespace
