// Gestures drawn with the pen on the ink layer of the real program: a scratch-out erases the
// ink under it and is undone with the layer's other changes, a scratch-out over nothing stays
// as ink, a curlicue cuts the selected ink and a chevron pastes it back.
#include "app/tests/E2E.h"
#include "app/tests/PenScript.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/kinds/StrokeOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

const std::string kLayer = "menu 33982\nwait 100\n";
const std::string kSelectionTool = "menu 33987\n";
const std::string kPen = "menu 33983\n";

// A zigzag across the band from left to right, top to bottom.
std::string Scratch(int left, int top, int right, int bottom)
{
    std::vector<POINT> points;
    for (int i = 0; i <= 5; ++i)
        points.push_back({i % 2 ? right : left, top + (bottom - top) * i / 5});
    return e2e::PenStroke(points);
}

// One loop along a line, 60 pixels high.
std::string Curlicue(int left, int top)
{
    std::vector<POINT> points;
    for (int i = 0; i <= 24; ++i) {
        const double t = 2 * std::numbers::pi * i / 24;
        points.push_back({left + static_cast<LONG>(std::lround(8 * t - 30 * std::sin(t))),
                          top + static_cast<LONG>(std::lround(30 - 30 * std::cos(t)))});
    }
    return e2e::PenStroke(points);
}

// The strokes of a saved page: how many run straight across, and how many do not.
struct SavedStrokes {
    int straight = 0;
    int other = 0;
};

SavedStrokes ReadStrokes(const std::string& path)
{
    SavedStrokes found;
    CMyView reader;
    EXPECT_TRUE(e2e::ReadSavedPage(path, reader)) << path;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        auto* object = dynamic_cast<CStrokeOb*>(reader.GetObjectAtIndex(i));
        if (!object || !object->GetInk())
            continue;
        const InkStrokes strokes = object->GetInk()->Strokes();
        for (const auto& stroke : strokes.All()) {
            bool straight = true;
            for (const POINT& p : stroke->Points())
                straight = straight && p.y == stroke->Points().front().y;
            ++(straight ? found.straight : found.other);
        }
    }
    return found;
}

// Red ink shows within a few pixels of the point of a view snapshot.
bool RedNear(const QImage& image, int x, int y)
{
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            if ((image.pixel(x + dx, y + dy) & 0xFFFFFF) == 0xFF0000)
                return true;
    return false;
}

class GestureRoadTest : public e2e::RoadTest {
protected:
    QImage Shot(const char* name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Snapshot(const char* name) const { return "snapshot view " + Path(name) + "\n"; }
};

TEST_F(GestureRoadTest, AScratchOutErasesTheInkUnderItAndIsUndone)
{
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + "drag view 100 100 300 100\ndrag view 100 300 300 300\n" +
         kLayer + Save("drawn.trn") + kLayer + Snapshot("before.png") + Scratch(120, 85, 280, 115) +
         Scratch(120, 385, 280, 415) + Snapshot("after.png") + kLayer + Save("scratched.trn") +
         "key ctrl+z\nwait 100\n" + Save("undone.trn") + "key ctrl+y\nwait 100\n" + Save("redone.trn") + "quit\n");
    const SavedStrokes drawn = ReadStrokes(Path("drawn.trn"));
    EXPECT_EQ(drawn.straight, 2);
    const SavedStrokes scratched = ReadStrokes(Path("scratched.trn"));
    EXPECT_EQ(scratched.straight, 1) << "the line under the scratch-out is gone";
    EXPECT_EQ(scratched.other, 1) << "a scratch-out over nothing stays as ink";
    const SavedStrokes undone = ReadStrokes(Path("undone.trn"));
    EXPECT_EQ(undone.straight, 2);
    EXPECT_EQ(undone.other, 0);
    const SavedStrokes redone = ReadStrokes(Path("redone.trn"));
    EXPECT_EQ(redone.straight, 1);
    EXPECT_EQ(redone.other, 1);
    EXPECT_TRUE(RedNear(Shot("before.png"), 200, 100));
    EXPECT_FALSE(RedNear(Shot("after.png"), 200, 100)) << "the erased line is gone from the screen";
    EXPECT_TRUE(RedNear(Shot("after.png"), 200, 300));
}

TEST_F(GestureRoadTest, ACurlicueCutsTheSelectedInkAndAChevronPastesItBack)
{
    // Pasted ink arrives selected: the curlicue then cuts it.
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + "drag view 100 100 300 100\n" + kSelectionTool +
         "drag view 80 80 320 120\nkey ctrl+c\nwait 100\n" + kPen + "key ctrl+v\nwait 100\n" +
         Snapshot("pasted.png") + Curlicue(300, 300) + Snapshot("cut.png") + kLayer + Save("cut.trn") + kLayer +
         e2e::PenStroke({{300, 450}, {350, 400}, {400, 450}}) + kLayer + Save("chevron.trn") + "quit\n");
    const SavedStrokes cut = ReadStrokes(Path("cut.trn"));
    EXPECT_EQ(cut.straight, 1) << "the pasted copy was cut";
    EXPECT_EQ(cut.other, 0) << "the curlicue left no ink";
    const SavedStrokes pasted = ReadStrokes(Path("chevron.trn"));
    EXPECT_EQ(pasted.straight, 2) << "the chevron pasted what was cut";
    EXPECT_EQ(pasted.other, 0) << "the chevron left no ink";
}

// With nothing to paste, shapes that read as gestures (a check mark, a chevron, a narrow up-down)
// are writing, not commands: every stroke stays on the page.
TEST_F(GestureRoadTest, AGestureWithNothingToActOnStaysAsInk)
{
    Play("wait 300\nmenu 57600\nwait 200\n" + kLayer + e2e::PenStroke({{100, 200}, {130, 240}, {200, 150}}) +
         e2e::PenStroke({{300, 250}, {350, 200}, {400, 250}}) + e2e::PenStroke({{500, 250}, {505, 150}, {510, 250}}) +
         Snapshot("written.png") + kLayer + Save("written.trn") + "quit\n");
    EXPECT_EQ(ReadStrokes(Path("written.trn")).other, 3);
    const QImage written = Shot("written.png");
    ASSERT_FALSE(written.isNull());
    for (const POINT& p : {POINT{130, 240}, POINT{350, 200}, POINT{505, 150}})
        EXPECT_TRUE(RedNear(written, p.x, p.y)) << p.x << "," << p.y;
}

} // namespace
