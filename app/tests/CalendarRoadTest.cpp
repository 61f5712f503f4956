// The Calender window end to end: opened from the main frame, it shows its months.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

int DarkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

int PixelsOf(const QImage& image, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += RGB(qRed(p), qGreen(p), qBlue(p)) == colour;
        }
    return count;
}

class CalendarRoadTest : public e2e::RoadTest {};

TEST_F(CalendarRoadTest, TheCalenderOpensFromTheFrameAndShowsItsMonths)
{
    const std::string script = "wait 300\nmenu 32824\nwait 400\nsnapshot dialog " + Path("calendar.png") +
                               "\nkey escape\nwait 200\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    QImage calendar(QString::fromStdString(Path("calendar.png")));
    ASSERT_FALSE(calendar.isNull());
    EXPECT_GT(PixelsOf(calendar, ::GetSysColor(COLOR_ACTIVECAPTION)), 200) << "the month titles";
    EXPECT_GT(DarkPixels(calendar), 100) << "the days";
}

} // namespace
