// The level meter: which segments light in which colour, how values and peaks fall back, and
// the timer that stops when everything rests.
#include "UiFixture.h"

#include "shell/audio/PeakMeterWnd.h"

#include "platform/gdi/SysColors.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0), kRed = RGB(255, 0, 0);

class PeakMeterTest : public UiTest {
protected:
    CWnd parent;
    CPeakMeterWnd meter;

    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
                                    nullptr, 0));
    }
    void TearDown() override
    {
        meter.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    void Show(DWORD style, CRect rect, int bands, int segments, int value)
    {
        ASSERT_TRUE(meter.Create(style | WS_VISIBLE, rect, &parent, 34059));
        meter.SetMeterBands(bands, segments);
        meter.SetGrid(TRUE);
        meter.SetPeakLines(style & CPeakMeterWnd::HorizontalStyle ? FALSE : TRUE);
        int values[] = {value};
        ASSERT_TRUE(meter.SetData(values, 0, 1));
        UiTestHook::PumpPending();
    }
    COLORREF At(int x, int y) { return UiTestHook::PixelAt(meter.GetSafeHwnd(), CPoint(x, y)); }
};

struct Lighting {
    int value;
    int lastGreen, lastYellow, lastRed;  // last lit segment of each zone; -1 for none
};

// One band of 40 five-pixel segments; the medium zone starts at 24 and the high one at 32.
TEST_F(PeakMeterTest, LightsSegmentsByZone)
{
    const Lighting cases[] = {{50, 19, -1, -1}, {100, 23, 31, 39}, {150, 23, 31, 39}, {0, -1, -1, -1}};
    for (const Lighting& c : cases) {
        Show(CPeakMeterWnd::HorizontalStyle, CRect(0, 0, 200, 16), 1, 40, c.value);
        COLORREF unlit = DarkenColour(GetSysColor(COLOR_BTNFACE), 15);
        for (int j = 0; j < 40; ++j) {
            COLORREF expected = j <= c.lastGreen ? kGreen : j <= c.lastYellow ? kYellow : j <= c.lastRed ? kRed : unlit;
            EXPECT_EQ(At(j * 5 + 3, 3), expected) << "value " << c.value << " segment " << j;
        }
        meter.DestroyWindow();
    }
}

TEST_F(PeakMeterTest, GridTicksShowInTheGapsBetweenBands)
{
    Show(CPeakMeterWnd::HorizontalStyle, CRect(0, 0, 100, 20), 2, 10, 0);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(At(65, 0), DarkenColour(face, 15));  // the medium zone's tick, segment 6
    EXPECT_EQ(At(95, 0), DarkenColour(face, 15));  // the last segment's tick
    EXPECT_EQ(At(55, 0), face);                    // no tick
    EXPECT_EQ(At(55, 5), DarkenColour(face, 15));  // an unlit cell of the grid
}

TEST_F(PeakMeterTest, VerticalBandsLightFromTheBottomUnderTheirPeakLine)
{
    Show(0, CRect(0, 0, 20, 100), 1, 10, 50);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(At(10, 95), kGreen);                  // bottom segment
    EXPECT_EQ(At(10, 55), kGreen);                  // fifth segment
    EXPECT_EQ(At(10, 40), face);                    // the gap above it
    EXPECT_EQ(At(10, 45), DarkenColour(face, 15));  // sixth segment, unlit
    EXPECT_EQ(At(10, 0), DarkenColour(face, 60));   // the peak, full since the start
}

TEST_F(PeakMeterTest, ValuesFallByAStepAndPeaksHoldThenFallByHalfAStep)
{
    ASSERT_TRUE(meter.Create(CPeakMeterWnd::HorizontalStyle, CRect(0, 0, 200, 16), &parent, 1));
    meter.SetMeterBands(1, 40);
    int values[] = {100};
    meter.SetData(values, 0, 1);
    for (int tick = 1; tick <= 12; ++tick) {
        meter.OnTimerTick(0);
        CPeakMeterWnd::Band band = meter.GetBands()[0];
        EXPECT_EQ(band.value, 100 - 2 * tick) << tick;
        EXPECT_EQ(band.hold, std::max(10 - tick, 0)) << tick;
        EXPECT_EQ(band.peak, tick < 10 ? 100 : 100 - (tick - 9)) << tick;
    }
}

TEST_F(PeakMeterTest, BandsStartFullAndZeroBandsAreIgnored)
{
    ASSERT_TRUE(meter.Create(0, CRect(0, 0, 50, 50), &parent, 1));
    ASSERT_EQ(meter.GetBands().size(), 8u);
    EXPECT_EQ(meter.GetBands()[7], (CPeakMeterWnd::Band{100, 100, 10}));
    meter.SetMeterBands(0, 40);
    EXPECT_EQ(meter.GetBands().size(), 8u);
    meter.SetMeterBands(2, 40);
    EXPECT_EQ(meter.GetBands().size(), 2u);
    int values[] = {1, 2, 3};
    EXPECT_FALSE(meter.SetData(values, -1, 3));
    EXPECT_FALSE(meter.SetData(nullptr, 0, 1));
    EXPECT_TRUE(meter.SetData(values, 1, 3));
    EXPECT_EQ(meter.GetBands()[1].value, 2);
}

TEST_F(PeakMeterTest, TheTimerStopsAtRestAndTheNextValueStartsItAgain)
{
    ASSERT_TRUE(meter.Create(0, CRect(0, 0, 50, 50), &parent, 1));
    meter.SetMeterBands(1, 10);
    ASSERT_TRUE(meter.Start(1));
    auto rests = [&] {
        for (int i = 0; i < 5000; ++i) {
            CPeakMeterWnd::Band band = meter.GetBands()[0];
            if (band.value == 0 && band.peak == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    };
    ASSERT_TRUE(rests());
    int values[] = {70};
    meter.SetData(values, 0, 1);
    EXPECT_EQ(meter.GetBands()[0].value, 70);
    EXPECT_TRUE(rests());
    EXPECT_TRUE(meter.Stop());
}

}  // namespace
