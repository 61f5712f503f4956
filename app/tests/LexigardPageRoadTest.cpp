// The spelling library's "General" page in the Options sheet: it shows the checker options of
// the Spelling Check page, a box unticked there is unticked on that page too, OK stores it, and
// the next spelling check follows it.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <sstream>
#include <string>

#ifdef LEXIGARD_ENGLISH

namespace {

constexpr int kNew = 57600, kOptions = 32804;
// Places in the Options sheet, in its own coordinates: the tabs, the library page's "Ignore
// Words in UPPERCASE" box, the Spelling Check page's "Ignore words in UPPERCASE" box and OK.
constexpr const char* kGeneralTab = "465 17";
constexpr const char* kSpellingTab = "65 17";
constexpr int kPageBoxX = 25, kPageBoxY = 70, kSpellBoxX = 31, kSpellBoxY = 99;
constexpr const char* kOk = "302 338";
// The suggestions dialog's Add button.
constexpr const char* kAdd = "303 143";

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

// Dark pixels inside a check box centred there: its mark.
int Mark(const QImage& image, int x, int y)
{
    int dark = 0;
    for (int row = y - 2; row <= y + 2; ++row)
        for (int column = x - 2; column <= x + 2; ++column)
            dark += qGray(image.pixel(column, row)) < 80;
    return dark;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LexigardPageRoadTest : public e2e::RoadTest {
protected:
    QImage Picture(const char* name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Shot(const char* name) const { return "snapshot dialog " + Path(name) + "\n"; }
};

TEST_F(LexigardPageRoadTest, UntickingIgnoreUppercaseOnTheGeneralPageMakesTheCheckerStopAtUppercaseWords)
{
    UseEnglishDictionary("Dictionary.Language=English\nDictionary.IgnorUppercase=1\nRectivo.ReplaceText=0\n"
                         "Dictionary.CheckAfterUpdate=0\n");
    const std::string script =
        "wait 300\n" + Menu(kOptions) + "wait 300\nclick dialog " + kGeneralTab + "\nwait 200\n" + Shot("ticked.png") +
        "click dialog " + std::to_string(kPageBoxX) + " " + std::to_string(kPageBoxY) + "\nwait 100\n" + Shot("unticked.png") + "click dialog " + kSpellingTab +
        "\nwait 200\n" + Shot("spelling.png") + "click dialog " + kOk + "\nwait 300\n" + Menu(kNew) +
        Menu(CMyView::ToolText) + "drag view 100 100 400 160\nwait 200\ntype the fox QIKC\nkey f7\nwait 300\n"
        "click dialog " + kAdd + "\nwait 300\nanswer 7\nquit\n";
    Play(script);

    // The box was ticked as the Spelling Check page had it, the click unticked it, and that
    // page shows it unticked too.
    const QImage ticked = Picture("ticked.png"), unticked = Picture("unticked.png"), spelling = Picture("spelling.png");
    ASSERT_FALSE(ticked.isNull() || unticked.isNull() || spelling.isNull());
    EXPECT_GT(Mark(ticked, kPageBoxX, kPageBoxY), 4);
    EXPECT_EQ(Mark(unticked, kPageBoxX, kPageBoxY), 0);
    EXPECT_EQ(Mark(spelling, kSpellBoxX, kSpellBoxY), 0);
    EXPECT_GT(Mark(spelling, kSpellBoxX, kSpellBoxY - 22), 4) << "Always suggest stays ticked";
    // OK stored it, and the check stopped at the word in capitals, which Add put into the
    // custom dictionary (in lower case, as it keeps its words).
    EXPECT_NE(FileText(Path("config/Korvane/Vantrel Q8.ini")).find("Dictionary.IgnorUppercase=0\n"), std::string::npos);
    EXPECT_EQ(FileText(Path("custom.dic")), "qikc\r\n");
}

} // namespace

#endif
