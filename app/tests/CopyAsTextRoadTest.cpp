// Words printed with the pen on the ink layer of the real program are read by Ink > Copy as
// Text: the dialog shows the text, the ink and the alternates of the word under the caret, a
// picked alternate replaces the word, and Copy puts the whole text on the clipboard.
#include "app/tests/E2E.h"
#include "app/tests/PenScript.h"
#include "app/tests/RoadTest.h"
#include "platform/ink/tests/PrintedStrokes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string kLayer = "menu 33982\nwait 100\n";
const std::string kCopyAsText = "menu 34017\nwait 1500\n";
// Places in the dialog, from its layout in dialog units (1.5 by 1.625 pixels each).
const std::string kCopy = "232 254";
const std::string kSecondWord = "48 17";
const std::string kSecondAlternate = "60 124";
const QRect kInkDisplay(170, 99, 180, 134);
const QRect kAlternates(10, 99, 140, 134);

class CopyAsTextRoadTest : public e2e::RoadTest {
protected:
    std::string Printed(const std::string& text, POINT origin) const
    {
        std::string script;
        for (const auto& stroke : printed::Write(text, origin, 48))
            script += e2e::PenStroke(stroke);
        return script;
    }
    std::string Read(const char* name) const
    {
        std::ifstream file(Path(name), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    QImage Shot(const char* name) const { return QImage(QString::fromStdString(Path(name))); }
};

// Dark pixels in the area of a dialog snapshot.
int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST_F(CopyAsTextRoadTest, PrintedWordsAreReadCorrectedFromTheAlternatesAndCopied)
{
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + Printed("THE RED INK", {60, 120}) + kCopyAsText +
         "snapshot dialog " + Path("first.png") + "\nclick dialog " + kCopy + "\nwait 100\nclipboard " +
         Path("read.txt") + "\nclick dialog " + kSecondWord + "\nwait 200\nsnapshot dialog " + Path("second.png") +
         "\nclick dialog " + kSecondAlternate + "\nwait 200\nclick dialog " + kCopy + "\nwait 100\nclipboard " +
         Path("corrected.txt") + "\nkey escape\nwait 200\nanswer 7\nquit\n");
    EXPECT_EQ(Read("read.txt"), "THE RED INK");
    const std::string corrected = Read("corrected.txt");
    EXPECT_EQ(corrected.substr(0, 4), "THE ");
    EXPECT_EQ(corrected.substr(corrected.size() - 4), " INK");
    EXPECT_NE(corrected, "THE RED INK") << "the picked alternate replaced the second word";

    const QImage first = Shot("first.png"), second = Shot("second.png");
    ASSERT_FALSE(first.isNull() || second.isNull());
    EXPECT_GT(DarkPixels(first, kInkDisplay), 100) << "the ink of the first word shows";
    EXPECT_GT(DarkPixels(first, kAlternates), 100) << "the first word's alternates are listed";
    EXPECT_GT(DarkPixels(second, kInkDisplay), 100) << "the ink of the second word shows";
    EXPECT_NE(first.copy(kInkDisplay), second.copy(kInkDisplay));
}

TEST_F(CopyAsTextRoadTest, InkStoredOnThePageIsReadWholeOrTheSelectedObjectAlone)
{
    const std::string copy = "click dialog " + kCopy + "\nwait 100\nclipboard ";
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + Printed("THE RED INK", {60, 120}) + kLayer + "menu 60447\n" +
         "click view 500 400\nwait 100\n" + kCopyAsText + copy + Path("all.txt") + "\nkey escape\nwait 200\n" +
         "click view 285 150\nwait 100\n" + kCopyAsText + copy + Path("one.txt") +
         "\nkey escape\nwait 200\nanswer 7\nquit\n");
    EXPECT_EQ(Read("all.txt"), "THE RED INK") << "nothing selected: all the ink of the page";
    EXPECT_EQ(Read("one.txt"), "RED");
}

TEST_F(CopyAsTextRoadTest, AnEmptyLayerShowsNoResults)
{
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + kCopyAsText + "click dialog " + kCopy +
         "\nwait 100\nclipboard " + Path("read.txt") + "\nkey escape\nwait 200\nquit\n");
    EXPECT_EQ(Read("read.txt"), "No results!");
}

} // namespace
