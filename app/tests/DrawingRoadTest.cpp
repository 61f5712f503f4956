// Freehand strokes, typing into a text box in place, the rulers and a formatting command, each
// played into the real program as a user would; what the program wrote is read back with the
// program's own page reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/HyperFmtView.h"
#include "View/HyperFrame.h"
#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/kinds/BasePolyOb.h"
#include "objects/kinds/TextOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr int kNew = 57600;
constexpr int kSaveAs = 57604;

std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\n";
}

class DrawingRoadTest : public e2e::RoadTest {
protected:
    // The page of a saved file, read by the program's own reader.
    std::unique_ptr<CMyView> Read(const char* name)
    {
        auto reader = std::make_unique<CMyView>();
        EXPECT_TRUE(e2e::ReadSavedPage(Path(name), *reader)) << name;
        return reader;
    }

    e2e::Run Play(const std::string& script)
    {
        e2e::Run run = e2e::RunVantrel(script, home);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        return run;
    }

};

TEST_F(DrawingRoadTest, AFreehandStrokeBecomesAClosedThinnedPolyline)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolFreehand) +
         "down view 100 100\nmove view 150 100\nmove view 200 100\nmove view 200 150\nmove view 200 200\n"
         "move view 150 200\nmove view 100 200\nmove view 100 150\nup view 103 104\nwait 200\n" +
         Save("stroke.trn") + "quit\n");
    std::unique_ptr<CMyView> page = Read("stroke.trn");
    ASSERT_EQ(page->GetObjects().GetSize(), 1);
    auto* stroke = dynamic_cast<CBasePolyOb*>(page->GetObjectAtIndex(0));
    ASSERT_NE(stroke, nullptr);
    std::vector<CPoint> points;
    for (int i = 0; i < stroke->GetNumberOfPoints(); ++i)
        points.push_back(stroke->GetPoint(i));
    const std::vector<CPoint> expected = {{100, 100}, {200, 100}, {200, 200}, {100, 200}, {103, 104}, {100, 100}};
    EXPECT_EQ(points, expected) << "straight runs thinned away, closed on its start";
}

TEST_F(DrawingRoadTest, TypingIntoATextBoxReplacesItsTextAndCorrectsAListedWord)
{
    const std::string dictionaries = Path("dictionaries");
    std::filesystem::create_directories(dictionaries);
    std::ofstream(dictionaries + "/English (USA).acr") << "[ReplaceWith]\nteh=the\n";
    std::filesystem::create_directories(Path("config/Korvane"));
    std::ofstream(Path("config/Korvane/Vantrel Q8.ini")) << "[Settings]\nDictionary.Directory=" << dictionaries << "\n";
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) + "drag view 100 100 300 160\nwait 200\n"
         "type teh cat\nkey enter\nwait 200\n" + Save("typed.trn") + "quit\n");
    std::unique_ptr<CMyView> page = Read("typed.trn");
    ASSERT_EQ(page->GetObjects().GetSize(), 1);
    auto* text = dynamic_cast<CTextOb*>(page->GetObjectAtIndex(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, CString("The cat"));
}

TEST_F(DrawingRoadTest, TheRulersTakeTheirStripsAndGoWithTheRulerCommand)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 100 100 300 200\nwait 200\n"
         "screenshot " + Path("rulers.png") + "\n" + Menu(CHyperFrame::CmdRuler) + "wait 200\n"
         "screenshot " + Path("plain.png") + "\nanswer 7\nquit\n");
    auto handlesAt = [](const std::string& path) {
        QImage image(QString::fromStdString(path));
        QPoint topLeft(1 << 30, 1 << 30);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == 0x00FFFF) {
                    topLeft.setX(std::min(topLeft.x(), x));
                    topLeft.setY(std::min(topLeft.y(), y));
                }
        return topLeft;
    };
    const QPoint withRulers = handlesAt(Path("rulers.png"));
    const QPoint without = handlesAt(Path("plain.png"));
    ASSERT_LT(withRulers.x(), 1 << 30) << "no handles drawn";
    EXPECT_GE(withRulers.x() - without.x(), 14) << "the vertical ruler's strip";
    EXPECT_LE(withRulers.x() - without.x(), 22);
    EXPECT_GE(withRulers.y() - without.y(), 17) << "the horizontal ruler's strip";
    EXPECT_LE(withRulers.y() - without.y(), 25);
}

TEST_F(DrawingRoadTest, ALineWidthCommandOnTheSelectionIsUndoneInOneStep)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolEllipse) + "drag view 100 100 200 200\nwait 200\n" +
         Menu(27178) + Save("wide.trn") +
         // The ellipse has no arrowheads: this command changes nothing and takes no undo step.
         Menu(27189) + "key ctrl+z\nwait 100\n" + Save("undone.trn") + "quit\n");
    int width = 0;
    std::unique_ptr<CMyView> wide = Read("wide.trn");
    ASSERT_EQ(wide->GetObjects().GetSize(), 1);
    ASSERT_TRUE(wide->GetObjectAtIndex(0)->GetPenWidth(&width));
    EXPECT_EQ(width, 2);
    std::unique_ptr<CMyView> undone = Read("undone.trn");
    ASSERT_EQ(undone->GetObjects().GetSize(), 1);
    ASSERT_TRUE(undone->GetObjectAtIndex(0)->GetPenWidth(&width));
    EXPECT_EQ(width, 1);
}

} // namespace
