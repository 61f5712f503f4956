// The colour and font choosers as a user meets them in the real program: Format's More
// Background Colors... gives the chosen colour and its "<Default>" button takes it back to
// automatic, and the font dialog's Apply shows the font on the page at once.
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include "View/HyperFmtView.h"
#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace {

constexpr int kNew = 57600;
constexpr unsigned kProperties = 60416;
constexpr unsigned kDefaultButton = 28546;
// The value cell of a text box's Font row in the Properties pane.
constexpr const char* kFontRow = "865 355";

std::string Menu(unsigned id)
{
    return "menu " + std::to_string(id) + "\n";
}

class ChoosersRoadTest : public e2e::RoadTest {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Snapshot(const std::string& name) const { return "snapshot view " + Path(name) + "\n"; }
};

} // namespace

TEST_F(ChoosersRoadTest, MoreBackgroundColorsFillsTheBoxAndItsDefaultButtonEmptiesItAgain)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 100 100 260 200\nwait 100\n" +
         "key ctrl+a\nwait 100\n" + Snapshot("plain.png") + "colour 255 0 0\n" +
         Menu(CHyperFmtView::CmdBackMoreColors) + "wait 200\n" + Snapshot("red.png") + "chooser " +
         std::to_string(kDefaultButton) + "\n" + Menu(CHyperFmtView::CmdBackMoreColors) + "wait 200\n" +
         Snapshot("default.png") + "answer 7\nquit\n");
    const QImage plain = Picture("plain.png"), red = Picture("red.png"), automatic = Picture("default.png");
    ASSERT_FALSE(plain.isNull() || red.isNull() || automatic.isNull());
    const QRgb pureRed = qRgb(255, 0, 0);
    EXPECT_LT(e2e::CountColour(plain, pureRed), 50);
    const e2e::PixelBox filled = e2e::BoxOf(red, pureRed);
    ASSERT_FALSE(filled.Empty()) << "the chosen colour did not fill the box";
    EXPECT_NEAR(filled.right - filled.left, 160, 6);
    EXPECT_NEAR(filled.bottom - filled.top, 100, 6);
    EXPECT_LT(e2e::CountColour(automatic, pureRed), 50) << "<Default> left the colour";
}

// Apply in the font dialog of the Font row: the box shows the font at once, and the cancel
// that ends the dialog keeps it.
TEST_F(ChoosersRoadTest, TheFontDialogsApplyShowsTheFontOnThePageAtOnce)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) + "drag view 100 100 400 200\nwait 200\n" +
         "type Hello\nkey enter\nwait 200\n" + Menu(kProperties) + "wait 400\n" + Snapshot("small.png") +
         "fontapply 60 DejaVu Serif\nclick main " + kFontRow + "\nwait 400\n" + Snapshot("applied.png") +
         "answer 7\nquit\n");
    const QImage small = Picture("small.png"), applied = Picture("applied.png");
    ASSERT_FALSE(small.isNull() || applied.isNull());
    const e2e::PixelBox changed = e2e::Differences(small, applied);
    ASSERT_FALSE(changed.Empty()) << "the applied font did not show";
    EXPECT_GT(changed.bottom - changed.top, 40) << "the text did not grow to the applied size";
}
