// The rulers of an editing frame, looked at by pixels: subdivision ticks, long middle ticks
// and labels in inches and centimetres at two zoom levels, the scale following the scroll
// position, the units message, the position band and the Ruler command.
#include "EditViewFixture.h"

#include "View/RulerBar.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/WinApp.h"

namespace {

class RulerTest : public EditViewTest {
protected:
    CRulerBar* Bar(BOOL horizontal) const
    {
        return dynamic_cast<CRulerBar*>(horizontal ? frame->GetHorzRuler() : frame->GetVertRuler());
    }
    CRulerWnd* Ruler() const { return Bar(TRUE)->GetRuler(); }
    void Paint()
    {
        Ruler()->Invalidate(TRUE);
        Ruler()->UpdateWindow();
        Pump();
    }
    bool Ink(int x, int y) { return UiTestHook::PixelAt(Ruler()->m_hWnd, {x, y}) == ::GetSysColor(COLOR_BTNTEXT); }
    // Any ink in columns [from, to] across the ruler's inside.
    bool InkIn(int from, int to)
    {
        for (int x = from; x <= to; ++x)
            for (int y = 3; y < 16; ++y)
                if (Ink(x, y))
                    return true;
        return false;
    }
};

TEST_F(RulerTest, AnEditingFrameShowsBothRulersAlongThePage)
{
    ASSERT_NE(Bar(TRUE), nullptr);
    ASSERT_NE(Bar(FALSE), nullptr);
    EXPECT_TRUE(Bar(TRUE)->IsWindowVisible());
    EXPECT_TRUE(Bar(FALSE)->IsWindowVisible());
    CRect client;
    Ruler()->GetClientRect(&client);
    EXPECT_EQ(client.Height(), CRulerBar::HorizontalThickness);
    EXPECT_GT(client.Width(), 300);
    frame->SendMessage(WM_COMMAND, CHyperFrame::CmdRuler);
    EXPECT_FALSE(Bar(TRUE)->IsWindowVisible());
    EXPECT_FALSE(Bar(FALSE)->IsWindowVisible());
    frame->SendMessage(WM_COMMAND, CHyperFrame::CmdRuler);
    EXPECT_TRUE(Bar(TRUE)->IsWindowVisible());
}

TEST_F(RulerTest, TicksAndLabelsFollowTheUnitsAndTheZoom)
{
    struct Case {
        const char* name;
        UINT unitsCommand;
        int zoom;
        int longTick;    // a long tick crosses the ruler's middle third here
        int shortTick;   // a short tick here reaches the middle only
        int noTick;      // nothing here
        int labelFrom, labelTo;
    };
    // The page starts 18 pixels into the horizontal ruler; the inside runs from y 2 to 17.
    const Case cases[] = {
        {"inches 100 %", CRulerBar::CmdInches, 100, 18 + 48, 18 + 10, 18 + 15, 18 + 96 - 5, 18 + 96 + 5},
        {"inches 50 %", CRulerBar::CmdInches, 50, 18 + 24, -1, 18 + 5, 18 + 48 - 5, 18 + 48 + 5},
        {"centimetres 100 %", CRulerBar::CmdCentimetres, 100, 18 + 19, 18 + 9, 18 + 14, 18 + 38 - 5, 18 + 38 + 5},
        // 9.45 pixels a centimetre: no subdivisions; unit lines 1 to 4 are long ticks, 5 is labelled.
        {"centimetres 25 %", CRulerBar::CmdCentimetres, 25, 18 + 9, -1, 18 + 14, 18 + 47 - 5, 18 + 47 + 5},
    };
    for (const Case& c : cases) {
        Bar(TRUE)->SendMessage(WM_COMMAND, c.unitsCommand);
        Pump();
        view->SetZoom(c.zoom);
        Paint();
        EXPECT_TRUE(Ink(c.longTick, 7)) << c.name;
        if (c.shortTick >= 0) {
            EXPECT_FALSE(Ink(c.shortTick, 7)) << c.name;
            EXPECT_TRUE(Ink(c.shortTick, 9)) << c.name;
        }
        EXPECT_FALSE(InkIn(c.noTick, c.noTick)) << c.name;
        EXPECT_TRUE(InkIn(c.labelFrom, c.labelTo)) << c.name;
    }
}

TEST_F(RulerTest, ScrollingHalfAUnitMovesTheScaleByHalfAUnit)
{
    Paint();
    EXPECT_TRUE(Ink(18 + 48, 7)) << "the half-inch tick";
    Ruler()->SetOrigin(48);
    Paint();
    EXPECT_TRUE(Ink(18 + 96, 7)) << "the tick between 1 and 2";
    EXPECT_TRUE(InkIn(18 + 48 - 5, 18 + 48 + 5)) << "the label 1";
    EXPECT_TRUE(Ink(18 + 58, 9)) << "the first tenth after 1";
    EXPECT_FALSE(Ink(18 + 58, 7));
}

TEST_F(RulerTest, MovingAnObjectShowsItsExtentOnlyWhileTheDragRuns)
{
    AddBorder(CRect(100, 100, 200, 160));
    view->SelectOnly(0);
    Paint();
    Post(WM_LBUTTONDOWN, {150, 130}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {170, 130}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {190, 130}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {190, 130});
    Pump();
    EXPECT_FALSE(Ruler()->m_indicatorShown);
    EXPECT_FALSE(Ruler()->m_indicatorPending);
    EXPECT_EQ(Ruler()->m_indicator.left, 18 + 140) << "the band followed the object to x 140";
}

TEST_F(RulerTest, TheUnitsMessageSetsBothRulersAndIsRemembered)
{
    Bar(FALSE)->SendMessage(WM_COMMAND, CRulerBar::CmdCentimetres);
    Pump();
    EXPECT_EQ(Bar(TRUE)->GetRuler()->GetUnits(), CRulerWnd::Centimetres);
    EXPECT_EQ(Bar(FALSE)->GetRuler()->GetUnits(), CRulerWnd::Centimetres);
    EXPECT_EQ(app->GetProfileInt("Settings", "RulerUnits", 0), 254U);
    Bar(TRUE)->SendMessage(WM_COMMAND, CRulerBar::CmdInches);
    Pump();
    EXPECT_EQ(Bar(FALSE)->GetRuler()->GetUnits(), CRulerWnd::Inches);
}

TEST_F(RulerTest, ThePositionBandIsInvertedAndHiddenLeftOfTheRuler)
{
    Paint();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF inverted = face ^ 0xFFFFFF;
    Ruler()->SetIndicator(100, 40);
    Pump();
    EXPECT_EQ(UiTestHook::PixelAt(Ruler()->m_hWnd, {18 + 120, 10}), inverted);
    EXPECT_EQ(UiTestHook::PixelAt(Ruler()->m_hWnd, {18 + 145, 10}), face);
    Ruler()->SetIndicator(-50, 20);
    Pump();
    EXPECT_EQ(UiTestHook::PixelAt(Ruler()->m_hWnd, {18 + 120, 10}), face) << "the band went";
    EXPECT_FALSE(Ruler()->m_indicatorShown);
}

} // namespace
