// The audio bars after Customize ▸ Tool bars ▸ Reset: the position slider and the level meter
// come back whole, the meter shows the level while a sound note records, and a click on the
// slider moves its thumb there.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <string>
#include <utility>

namespace {

constexpr int kCustomize = 35001, kNew = 57600, kRecord = 34048, kStop = 34055;
// Places in the Customize sheet's Tool bars page, in its own coordinates.
constexpr const char* kAudioRow = "41 212";
constexpr const char* kMeterRow = "61 227";
constexpr const char* kReset = "301 81";
constexpr const char* kOk = "163 306";
// The band of the main window that holds the Audio and Peak Meter bars, the slider's channel
// and the meter, in the main window's coordinates.
constexpr int kBandTop = 77, kBandBottom = 103;
constexpr int kSliderLeft = 108, kSliderRight = 232, kMeterLeft = 243, kMeterRight = 447;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

// The box around the meter's cells, lit or not: what in its columns of the band is not the bar.
e2e::PixelBox MeterCells(const QImage& main)
{
    const QRgb face = main.pixel(kMeterRight + 12, (kBandTop + kBandBottom) / 2);
    return e2e::BoxWhere(kMeterRight - kMeterLeft, kBandBottom - kBandTop, [&](int x, int y) {
        return main.pixel(kMeterLeft + x, kBandTop + y) != face;
    });
}

// The box around the pixels two pictures disagree on, between two columns of the band.
e2e::PixelBox ChangedIn(const QImage& a, const QImage& b, int left, int right)
{
    return e2e::BoxWhere(right - left, kBandBottom - kBandTop, [&](int x, int y) {
        return a.pixel(left + x, kBandTop + y) != b.pixel(left + x, kBandTop + y);
    });
}

class AudioBarRoadTest : public e2e::RoadTest {
protected:
    void TearDown() override { unsetenv("VANTREL_TEST_SOUND"); }
    QImage Picture(const char* name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Shot(const char* name) const { return "snapshot main " + Path(name) + "\n"; }
};

TEST_F(AudioBarRoadTest, AfterAResetTheSliderAndMeterAreWholeAndWork)
{
    setenv("VANTREL_TEST_SOUND", "1", 1);
    const std::string sliderAt = "click main " + std::to_string(kSliderLeft + 3 * (kSliderRight - kSliderLeft) / 4) +
                                 " " + std::to_string(90) + "\n";
    const std::string script = "wait 300\n" + Shot("start.png") + Menu(kCustomize) + "wait 300\nclick dialog " +
                               kAudioRow + "\nclick dialog " + kReset + "\nclick dialog " + kMeterRow +
                               "\nclick dialog " + kReset + "\nclick dialog " + kOk + "\nwait 300\n" +
                               Shot("reset.png") + Menu(kNew) + Menu(CMyView::ToolSoundNote) +
                               "click view 120 120\nwait 300\n" + Menu(kRecord) + "wait 400\n" +
                               Shot("recording.png") + "wait 300\n" + Menu(kStop) + "wait 300\n" +
                               Shot("recorded.png") + sliderAt + "wait 200\n" + Shot("moved.png") + "answer 7\nquit\n";
    Play(script);
    const QImage start = Picture("start.png"), reset = Picture("reset.png"), recording = Picture("recording.png"),
                 recorded = Picture("recorded.png"), moved = Picture("moved.png");
    ASSERT_FALSE(start.isNull() || reset.isNull() || recording.isNull() || recorded.isNull() || moved.isNull());

    // The Audio bar looks as it did at the start (a stub with stray marks would not), and the
    // meter, whose level falls while it runs, covers the same cells.
    EXPECT_TRUE(ChangedIn(start, reset, 0, kMeterLeft - 6).Empty());
    const e2e::PixelBox cells = MeterCells(start), resetCells = MeterCells(reset);
    EXPECT_GE(cells.right - cells.left, 190);
    EXPECT_EQ(std::make_pair(cells.left, cells.right), std::make_pair(resetCells.left, resetCells.right));
    EXPECT_EQ(std::make_pair(cells.top, cells.bottom), std::make_pair(resetCells.top, resetCells.bottom));
    // While recording the meter lights up; the slider stays where it was.
    const e2e::PixelBox lit = ChangedIn(reset, recording, kMeterLeft, kMeterRight);
    EXPECT_FALSE(lit.Empty());
    // A click three quarters along the slider takes the thumb there: it leaves the start and
    // the change reaches past the middle.
    const e2e::PixelBox thumb = ChangedIn(recorded, moved, kSliderLeft, kSliderRight);
    ASSERT_FALSE(thumb.Empty());
    EXPECT_LE(thumb.left, 8);
    EXPECT_GE(thumb.right, 3 * (kSliderRight - kSliderLeft) / 4 - 6);
}

} // namespace
