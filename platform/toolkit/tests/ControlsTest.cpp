// Controls that the site supplies while bars load: split buttons with drop-downs, the colour
// picker, the font boxes and hosted windows.
#include "ToolkitFixture.h"

#include "platform/core/StringTable.h"
#include "platform/toolkit/XTPControl.h"
#include "platform/toolkit/XTPControlColor.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Resources.h"

#include <cstring>

namespace {

constexpr UINT kColorButton = 60551, kAutoColor = 60619, kSelector = 60610, kMoreColors = 60620;
constexpr UINT kFont = 33954, kSize = 60553, kSplit = 28571, kBringFront = 60439, kSendBack = 60440, kSlider = 34051;
constexpr UINT kFormatBar = 920, kSplitMenu = kSplit, kSearchBar = 921, kSearch = 60700;

class ControlsTest : public ToolkitTest {
protected:
    static void SetUpTestSuite()
    {
        ToolkitTest::SetUpTestSuite();
        RegisterToolBarResource(kFormatBar, ToolBarTemplate{16, 15, {kColorButton, kFont, kSize, kSplit, kSlider}});
        RegisterToolBarResource(kSearchBar, ToolBarTemplate{16, 15, {kCount, kSearch}});
        RegisterMenuResource(kSplitMenu, {MenuTemplateItem{0, kBringFront, "Bring to Front", {}},
                                          MenuTemplateItem{0, kSendBack, "Send to Back", {}}});
    }

    // The site's create-control answer for the format bar, as a main frame gives it.
    BOOL SupplyControl(CreateControlRequest& request)
    {
        switch (request.nID) {
        case kColorButton: {
            auto* popup = new CXTPControlPopupColor;
            CXTPPopupToolBar* bar = CXTPPopupToolBar::CreatePopupToolBar(bars);
            bar->GetControls()->Add(new CXTPControlButtonColor, kAutoColor, "Automatic");
            bar->GetControls()->Add(new CXTPControlColorSelector, kSelector);
            bar->GetControls()->Add(new CXTPControlButtonColor, kMoreColors, "More Colors...");
            popup->SetCommandBar(bar);
            bar->InternalRelease();
            request.pControl = popup;
            return TRUE;
        }
        case kFont: request.pControl = new CXTPControlFontComboBox(1); return TRUE;
        case kSize: request.pControl = new CXTPControlSizeComboBox; return TRUE;
        case kSearch: request.pControl = new CXTPControlEdit; return TRUE;
        case kSplit: request.controlType = ControlTypeSplitButtonPopup; return TRUE;
        case kSlider: {
            auto* custom = new CXTPControlCustom;
            slider.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 16), frame, kSlider);
            custom->SetControl(&slider);
            custom->SetBorders(3, 3, 3, 3);
            custom->SetVerticalPositionOption(2);
            request.pControl = custom;
            return TRUE;
        }
        default: return FALSE;
        }
    }

    CXTPToolBar* MakeFormatBar()
    {
        MakeFrame(false);
        frame->onCreateControl = [this](CreateControlRequest& r) { return SupplyControl(r); };
        CXTPToolBar* bar = bars->Add("Format", BarTop);
        EXPECT_TRUE(bar->LoadToolBar(kFormatBar));
        frame->RecalcLayout();
        Pump();
        return bar;
    }

    CWnd slider;
};

} // namespace

TEST_F(ControlsTest, TheSiteSuppliesControlsAndChangesTypes)
{
    CXTPToolBar* bar = MakeFormatBar();
    struct Case {
        UINT id;
        CRuntimeClass* kind;
        CommandControlType type;
    };
    const Case cases[] = {
        {kColorButton, RUNTIME_CLASS(CXTPControlPopupColor), ControlTypeSplitButtonPopup},
        {kFont, RUNTIME_CLASS(CXTPControlFontComboBox), ControlTypeComboBox},
        {kSize, RUNTIME_CLASS(CXTPControlSizeComboBox), ControlTypeComboBox},
        {kSplit, RUNTIME_CLASS(CXTPControlPopup), ControlTypeSplitButtonPopup},
        {kSlider, RUNTIME_CLASS(CXTPControlCustom), ControlTypeCustom},
    };
    for (const Case& c : cases) {
        CXTPControl* control = bar->GetControls()->FindControl(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_TRUE(control->IsKindOf(c.kind)) << c.id;
        EXPECT_EQ(control->GetType(), c.type) << c.id;
    }
    // The split button's drop-down comes from the menu of the same id.
    CXTPCommandBar* split = bar->GetControls()->FindControl(kSplit)->GetCommandBar();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetControlCount(), 2);
    EXPECT_EQ(split->GetControl(1)->GetID(), kSendBack);
}

TEST_F(ControlsTest, TheColourPickerReportsTheChosenColour)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* picker = static_cast<CXTPControlPopupColor*>(bar->GetControls()->FindControl(kColorButton));
    Click(bar, picker->GetSplitRect().CenterPoint());
    auto* drop = DYNAMIC_DOWNCAST(CXTPPopupBar, picker->GetCommandBar());
    ASSERT_TRUE(drop && drop->IsOpen());
    auto* selector = static_cast<CXTPControlColorSelector*>(drop->GetControls()->FindControl(kSelector));
    const int cell = 16; // red
    Click(drop, selector->CellRect(cell).CenterPoint());
    EXPECT_EQ(selector->GetColor(), RGB(255, 0, 0));
    ASSERT_EQ(frame->notifies.size(), 1u);
    EXPECT_EQ(frame->notifies[0], std::make_pair(kSelector, XTPN_EXECUTE));
    EXPECT_FALSE(drop->IsOpen());

    // The face of the button (not its arrow) sends the button's command.
    Click(bar, CPoint(picker->GetRect().left + 4, picker->GetRect().CenterPoint().y));
    EXPECT_EQ(frame->commands[kColorButton], 1);
    picker->SetColor(RGB(0, 0, 255));
    bar->Invalidate();
    UiTestHook::PumpPending();
    CRect face = picker->GetRect();
    EXPECT_EQ(UiTestHook::PixelAt(bar->GetSafeHwnd(), CPoint(face.left + 5, face.bottom - 4)), RGB(0, 0, 255));
}

TEST_F(ControlsTest, TheFontBoxAsksForTheCurrentFormatAndReportsTheChosenFace)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* font = static_cast<CXTPControlFontComboBox*>(bar->GetControls()->FindControl(kFont));
    ASSERT_GT(font->GetCount(), 0);
    font->SetDropDownListStyle(TRUE);
    frame->queryFace = static_cast<LPCTSTR>(font->GetLBText(0));
    Click(bar, font->GetRect().CenterPoint());
    ASSERT_TRUE(font->IsDroppedDown());
    ASSERT_EQ(frame->notifies.size(), 1u);
    EXPECT_EQ(frame->notifies[0], std::make_pair(kFont, XTPN_COMBOQUERY));
    EXPECT_EQ(font->GetText(), font->GetLBText(0));
    EXPECT_EQ(font->GetCurSel(), 0);

    int last = font->GetCount() - 1;
    CXTPCommandBars* commandBars = bars;
    CXTPPopupBar* list = commandBars->GetTopPopup();
    ASSERT_NE(list, nullptr);
    Click(list, list->GetControl(last)->GetRect().CenterPoint());
    EXPECT_FALSE(font->IsDroppedDown());
    ASSERT_EQ(frame->notifies.size(), 2u);
    EXPECT_EQ(frame->notifies[1], std::make_pair(kFont, XTPN_COMBOEXECUTE));
    EXPECT_EQ(font->GetCharFormat().dwMask, CFM_FACE);
    EXPECT_STREQ(font->GetCharFormat().szFaceName, font->GetLBText(last));
}

TEST_F(ControlsTest, ClosedFontBoxesShowTheSitesFormatAfterAnIdleUpdate)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* font = static_cast<CXTPControlFontComboBox*>(bar->GetControls()->FindControl(kFont));
    auto* size = static_cast<CXTPControlSizeComboBox*>(bar->GetControls()->FindControl(kSize));
    ASSERT_GT(font->GetCount(), 1);
    frame->queryFace = static_cast<LPCTSTR>(font->GetLBText(1));
    Idle();
    EXPECT_FALSE(font->IsDroppedDown());
    EXPECT_EQ(font->GetText(), font->GetLBText(1));
    EXPECT_EQ(font->GetCurSel(), 1);
    EXPECT_STREQ(size->GetText(), "11.5");

    // The text is drawn in the box, not merely kept.
    UiTestHook::PumpPending();
    CRect box = font->GetRect();
    int ink = 0;
    for (int x = box.left + 4; x < box.left + 40; ++x)
        for (int y = box.top + 4; y < box.bottom - 4; ++y)
            ink += UiTestHook::PixelAt(bar->GetSafeHwnd(), CPoint(x, y)) != UiTestHook::PixelAt(bar->GetSafeHwnd(), CPoint(box.left + 3, y));
    EXPECT_GT(ink, 0);
}

TEST_F(ControlsTest, TheSizeBoxShowsTwipsAsPoints)
{
    CXTPControlSizeComboBox size;
    struct Case {
        int twips;
        const char* shown;
        int back;
    };
    const Case cases[] = {{240, "12", 240}, {230, "11.5", 230}, {-1, "", -1}, {0, "", -1}, {1440, "72", 1440}};
    for (const Case& c : cases) {
        size.SetTwipSize(c.twips);
        EXPECT_STREQ(size.GetText(), c.shown) << c.twips;
        EXPECT_EQ(size.GetTwipSize(), c.back) << c.twips;
    }
    size.SetEditText("nonsense");
    EXPECT_EQ(size.GetTwipSize(), -1);
}

TEST_F(ControlsTest, AChosenSizeReachesTheSiteInTwips)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* size = static_cast<CXTPControlSizeComboBox*>(bar->GetControls()->FindControl(kSize));
    Click(bar, size->GetRect().CenterPoint());
    EXPECT_STREQ(size->GetText(), "11.5");
    CXTPPopupBar* list = bars->GetTopPopup();
    ASSERT_NE(list, nullptr);
    Click(list, list->GetControl(4)->GetRect().CenterPoint());
    EXPECT_EQ(size->GetCharFormat().dwMask, CFM_SIZE);
    EXPECT_EQ(size->GetCharFormat().yHeight, 240);
}

TEST_F(ControlsTest, AHostedWindowSitsInsideItsControlsBorders)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* custom = static_cast<CXTPControlCustom*>(bar->GetControls()->FindControl(kSlider));
    CRect window;
    slider.GetWindowRect(&window);
    bar->ScreenToClient(&window);
    CRect control = custom->GetRect();
    EXPECT_EQ(slider.GetParent(), bar);
    EXPECT_EQ(window.left, control.left + 3);
    EXPECT_EQ(window.Width(), control.Width() - 6);
    EXPECT_EQ(window.Height(), 16);
    EXPECT_EQ(window.top, control.top + (control.Height() - 16) / 2);

    // Docked down the side, the hosted window hides.
    bars->DockToolBar(bar, BarLeft, 0, 0);
    EXPECT_FALSE(slider.IsWindowVisible());
}

// Customize moves a control as a copy: the copy of a hosted window's control hosts it too.
TEST_F(ControlsTest, ACopiedCustomControlHostsTheSameWindowInTheSameBorders)
{
    CXTPToolBar* bar = MakeFormatBar();
    auto* custom = static_cast<CXTPControlCustom*>(bar->GetControls()->FindControl(kSlider));
    CXTPControl* copy = CloneControl(custom);
    auto* hosted = dynamic_cast<CXTPControlCustom*>(copy);
    ASSERT_NE(hosted, nullptr);
    EXPECT_EQ(hosted->GetControl(), &slider);
    EXPECT_EQ(hosted->GetSize(nullptr), custom->GetSize(nullptr));
    bar->GetControls()->Remove(bar->GetControls()->IndexOf(custom));
    bar->GetControls()->Add(copy, kSlider, nullptr, 0);
    frame->RecalcLayout();
    Pump();
    CRect window;
    slider.GetWindowRect(&window);
    bar->ScreenToClient(&window);
    EXPECT_EQ(window.left, copy->GetRect().left + 3);
    EXPECT_TRUE(slider.IsWindowVisible());
}

TEST_F(ControlsTest, ASuppliedDropDownIsFilledFromTheMenu)
{
    MakeFrame(false);
    int requests = 0;
    frame->onCreateBar = [&](CreateBarRequest& request) {
        ++requests;
        return SupplyEditDropDown(request);
    };
    CXTPMenuBar* menu = bars->SetMenu("Menu Bar", kMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(requests, 3); // File, More and Edit
    CXTPCommandBar* edit = menu->GetControl(1)->GetCommandBar();
    CString caption;
    UINT id = 0;
    int width = 0;
    ASSERT_TRUE(edit->IsTearOffPopup(caption, id, width));
    EXPECT_EQ(id, 1003u);
    EXPECT_EQ(edit->GetControlCount(), 2);
}

TEST_F(ControlsTest, AnEditBoxTakesTypedTextAndEnterTellsTheSite)
{
    MakeFormatBar();
    CXTPToolBar* bar = bars->Add("Search", BarTop);
    ASSERT_TRUE(bar->LoadToolBar(kSearchBar));
    frame->RecalcLayout();
    bar->OnRecalcLayout();
    auto* box = static_cast<CXTPControlEdit*>(bar->GetControls()->FindControl(kSearch));
    CEdit* edit = box->GetEditCtrl();
    ASSERT_TRUE(edit && edit->GetSafeHwnd());
    EXPECT_EQ(edit->GetParent(), bar);
    EXPECT_TRUE(edit->IsWindowVisible());
    edit->SetWindowText("hello");
    PostMessage(edit->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    ASSERT_EQ(frame->notifies.size(), 1u);
    EXPECT_EQ(frame->notifies[0], std::make_pair(kSearch, XTPN_COMBOEXECUTE));
    EXPECT_STREQ(box->GetEditText(), "hello");

    bars->DockToolBar(bar, BarLeft, 0, 0);
    EXPECT_FALSE(edit->IsWindowVisible());
}

// In a menu the picker's whole row opens its colours, as every other sub-menu does; nothing
// is applied until a colour is chosen.
TEST_F(ControlsTest, TheColourPickerInAMenuOpensItsColoursFromItsRow)
{
    constexpr UINT kFormatMenu = 922;
    RegisterMenuResource(kFormatMenu, {MenuTemplateItem{MF_POPUP, 0, "F&ormat",
                                                        {MenuTemplateItem{0, kCount, "Count", {}},
                                                         MenuTemplateItem{0, kColorButton, "&Foreground Colour", {}}}}});
    MakeFrame(false);
    frame->onCreateControl = [this](CreateControlRequest& r) { return SupplyControl(r); };
    CXTPMenuBar* menu = bars->SetMenu("Menu Bar", kFormatMenu);
    ASSERT_NE(menu, nullptr);
    Pump();
    Click(menu, menu->GetControl(0)->GetRect().CenterPoint());
    auto* format = DYNAMIC_DOWNCAST(CXTPPopupBar, menu->GetControl(0)->GetCommandBar());
    ASSERT_TRUE(format && format->IsOpen());
    CXTPControl* row = format->GetControls()->FindControl(kColorButton);
    ASSERT_TRUE(row->IsKindOf(RUNTIME_CLASS(CXTPControlPopupColor)));
    for (CPoint at : {CPoint(row->GetRect().left + 30, row->GetRect().CenterPoint().y),
                      CPoint(row->GetRect().right - 4, row->GetRect().CenterPoint().y)}) {
        Click(format, at);
        auto* colours = DYNAMIC_DOWNCAST(CXTPPopupBar, row->GetCommandBar());
        ASSERT_TRUE(colours && colours->IsOpen()) << at.x;
        EXPECT_EQ(frame->commands[kColorButton], 0) << at.x;
        EXPECT_TRUE(format->IsOpen()) << at.x;
        colours->ClosePopup();
    }
    Click(format, row->GetRect().CenterPoint());
    auto* colours = DYNAMIC_DOWNCAST(CXTPPopupBar, row->GetCommandBar());
    auto* selector = static_cast<CXTPControlColorSelector*>(colours->GetControls()->FindControl(kSelector));
    Click(colours, selector->CellRect(16).CenterPoint());
    EXPECT_EQ(selector->GetColor(), RGB(255, 0, 0));
    ASSERT_EQ(frame->notifies.size(), 1u);
    EXPECT_EQ(frame->notifies[0], std::make_pair(kSelector, XTPN_EXECUTE));
    EXPECT_FALSE(format->IsOpen());
}

namespace {

TEST(CommandCaption, TheTipOfACommandKeyShowsWithoutBrackets)
{
    RegisterStringResource(61011, "<Draw strokes\nStroke>");
    RegisterStringResource(61012, "Only a prompt");
    EXPECT_EQ(CommandCaption(61011), CString("Stroke"));
    EXPECT_EQ(CommandCaption(61012), CString("Only a prompt"));
    EXPECT_TRUE(CommandCaption(61999).IsEmpty());
}

} // namespace
