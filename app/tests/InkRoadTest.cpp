// Pen ink played into the real program: a pen, a marker and a highlighter draw on the ink
// layer, switching it off stores stroke objects, the eraser takes one away and undo brings it
// back, the ink is saved again unchanged after reopening, and a signature written in the
// signature dialog lands on the page as ink.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/StrokeOb.h"
#include "objects/tests/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct SavedStroke {
    COLORREF color = 0;
    float width = 0, height = 0;
    int layer = -1;
    std::vector<std::pair<LONG, LONG>> points;
    POINT first{0, 0};
};

// The points measured from the first, so ink placed elsewhere compares by its shape.
std::vector<std::pair<LONG, LONG>> Shape(const std::vector<POINT>& points)
{
    std::vector<std::pair<LONG, LONG>> shape;
    for (const POINT& p : points)
        shape.emplace_back(p.x - points.front().x, p.y - points.front().y);
    return shape;
}

struct SavedInk {
    bool read = false;
    int noticeLayer = -1;
    std::vector<SavedStroke> strokes;
    int strokeObjects = 0;
    // The stroke objects' records, stored again as read.
    Bytes records;
};

SavedInk ReadInk(const std::string& path)
{
    SavedInk page;
    CMyView reader;
    page.read = e2e::ReadSavedPage(path, reader);
    if (const CLayerFmt* layers = reader.GetPageObject() ? reader.GetPageObject()->GetLayerList() : nullptr)
        page.noticeLayer = layers->GetLayerItem(layers->m_currentNoticeIndex)->GetId();
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        auto* object = dynamic_cast<CStrokeOb*>(reader.GetObjectAtIndex(i));
        if (!object || !object->GetInk())
            continue;
        ++page.strokeObjects;
        const Bytes record = Stored(*object);
        page.records.insert(page.records.end(), record.begin(), record.end());
        const InkStrokes strokes = object->GetInk()->Strokes();
        for (const auto& stroke : strokes.All())
            page.strokes.push_back({stroke->DrawingAttributes().Color, stroke->DrawingAttributes().Width,
                                    stroke->DrawingAttributes().Height, object->LayerID, Shape(stroke->Points()),
                                    stroke->Points().front()});
    }
    return page;
}

// Where a picture shows pure blue that the one before did not.
QRect NewBlue(const QImage& before, const QImage& after)
{
    QRect box;
    for (int y = 0; y < std::min(before.height(), after.height()); ++y)
        for (int x = 0; x < std::min(before.width(), after.width()); ++x)
            if ((after.pixel(x, y) & 0xFFFFFF) == 0x0000FF && (before.pixel(x, y) & 0xFFFFFF) != 0x0000FF)
                box |= QRect(x, y, 1, 1);
    return box;
}

bool HasColor(const SavedInk& page, COLORREF color)
{
    for (const SavedStroke& s : page.strokes)
        if (s.color == color)
            return true;
    return false;
}

class InkRoadTest : public e2e::RoadTest {};

const std::string kLayer = "menu 33982\n";

TEST_F(InkRoadTest, PenMarkerAndHighlighterInkIsStoredErasedWithUndoAndSavedAgainUnchanged)
{
    const std::string script = "wait 300\nmenu 57600\nwait 200\nscreenshot " + Path("empty.png") + "\n" + kLayer +
                               "menu 33990\ndrag view 100 100 300 100\n"   // blue pen
                               "menu 33995\ndrag view 100 200 300 200\n"   // red marker
                               "menu 34002\ndrag view 100 300 300 300\n" + // yellow highlighter
                               "wait 200\nscreenshot " + Path("inking.png") + "\n" + kLayer + "wait 200\n" +
                               "screenshot " + Path("stored.png") + "\n" + Save("drawn.trn") + kLayer +
                               "menu 33986\ndrag view 200 170 200 230\n" + // the eraser over the marker
                               kLayer + "wait 100\n" + Save("erased.trn") + "key ctrl+z\nwait 100\n" +
                               Save("undone.trn") + "menu 57602\nfile " + Path("drawn.trn") +
                               "\nmenu 57601\nwait 300\n" + Save("reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const SavedInk drawn = ReadInk(Path("drawn.trn"));
    ASSERT_TRUE(drawn.read);
    ASSERT_EQ(drawn.strokeObjects, 3) << "each stroke lies apart: one stroke object each";
    ASSERT_EQ(drawn.strokes.size(), 3u);
    for (const SavedStroke& s : drawn.strokes) {
        EXPECT_EQ(s.layer, drawn.noticeLayer);
        if (s.color == RGB(0, 0, 255))
            EXPECT_EQ(s.width, 10.0f);
        else if (s.color == RGB(255, 0, 0))
            EXPECT_EQ(s.width, 60.0f);
        else if (s.color == RGB(255, 255, 0))
            EXPECT_EQ(s.height, 600.0f);
        else
            ADD_FAILURE() << "unexpected colour " << s.color;
    }

    // The blue pen's line shows in the same place on the layer and as a stroke object.
    const QImage empty(QString::fromStdString(Path("empty.png")));
    const QImage inking(QString::fromStdString(Path("inking.png"))), stored(QString::fromStdString(Path("stored.png")));
    ASSERT_FALSE(empty.isNull() || inking.isNull() || stored.isNull());
    const QRect onLayer = NewBlue(empty, inking), onPage = NewBlue(empty, stored);
    EXPECT_NEAR(onLayer.width(), 200, 4);
    EXPECT_LE(onLayer.height(), 4);
    EXPECT_NEAR(onPage.left(), onLayer.left(), 1);
    EXPECT_NEAR(onPage.top(), onLayer.top(), 1);
    EXPECT_NEAR(onPage.width(), onLayer.width(), 2);

    const SavedInk erased = ReadInk(Path("erased.trn"));
    EXPECT_EQ(erased.strokeObjects, 2);
    EXPECT_FALSE(HasColor(erased, RGB(255, 0, 0))) << "the marker stroke was erased";

    const SavedInk undone = ReadInk(Path("undone.trn"));
    EXPECT_EQ(undone.strokeObjects, 3);
    EXPECT_TRUE(HasColor(undone, RGB(255, 0, 0)));

    const SavedInk reopened = ReadInk(Path("reopened.trn"));
    ASSERT_EQ(reopened.strokeObjects, 3);
    EXPECT_EQ(reopened.records, drawn.records) << "ink reopened and saved again is byte for byte the same";
}

TEST_F(InkRoadTest, InkPickedWithTheSelectionToolIsDeletedWithTheDeleteKey)
{
    const std::string script = "wait 300\nmenu 57600\n" + kLayer + "drag view 100 100 200 120\n"
                               "drag view 100 300 200 320\n"
                               "menu 33987\ndrag view 80 80 220 140\nkey delete\nwait 100\n" +
                               kLayer + "wait 100\n" + Save("picked.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const SavedInk picked = ReadInk(Path("picked.trn"));
    ASSERT_TRUE(picked.read);
    ASSERT_EQ(picked.strokeObjects, 1) << "only the stroke outside the picked area is left";
    EXPECT_EQ(picked.strokes[0].color, RGB(255, 0, 0)) << "the layer starts with the red pen";
}

TEST_F(InkRoadTest, ASignatureWrittenInTheSignatureDialogIsPutOnThePageAsInk)
{
    const std::string script = "wait 300\nmenu 57600\nmenu 271\nwait 300\n"
                               "drag dialog 60 40 200 80\nkey enter\nwait 200\n" +
                               Save("signed.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const SavedInk signed_ = ReadInk(Path("signed.trn"));
    ASSERT_TRUE(signed_.read);
    ASSERT_EQ(signed_.strokeObjects, 1);
    ASSERT_EQ(signed_.strokes.size(), 1u);
    EXPECT_EQ(signed_.strokes[0].layer, signed_.noticeLayer);
}

TEST_F(InkRoadTest, InkCopiedWithThePageSelectionIsPastedAsInkHereAndInAnotherDocument)
{
    std::ofstream(Path("damaged.ink"), std::ios::binary) << std::string("VINK\x01\x00\xFF\xFF\xFF\x7F", 10);
    const std::string paste = kLayer + "key ctrl+v\nwait 100\n" + kLayer + "wait 100\n";
    const std::string script = "wait 300\nmenu 57600\n" + kLayer + "menu 33990\ndrag view 100 150 300 190\n" + kLayer +
                               "menu 60447\nclick view 200 170\nkey ctrl+c\nwait 100\n" + Save("copied.trn") +
                               paste + Save("here.trn") + "menu 57600\nwait 300\n" + paste + Save("there.trn") +
                               "menu " + std::to_string(CMyView::ToolRectangle) +
                               "\ndrag view 300 300 400 380\nwait 100\nkey ctrl+c\nwait 100\n" + paste +
                               Save("drawing.trn") + "clipdata " + Path("damaged.ink") + " Vantrel Ink\n" + paste +
                               Save("damaged.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const SavedInk copied = ReadInk(Path("copied.trn"));
    ASSERT_EQ(copied.strokes.size(), 1u);
    const SavedStroke& line = copied.strokes[0];
    const SavedInk here = ReadInk(Path("here.trn")), there = ReadInk(Path("there.trn"));
    ASSERT_EQ(here.strokes.size(), 2u) << "the ink stored before and the pasted ink\n" << run.log;
    const bool firstIsPasted = here.strokes[0].first.y < here.strokes[1].first.y;  // at the window's top
    EXPECT_EQ(here.strokes[firstIsPasted ? 0 : 1].points, line.points) << "pasted with the same points";
    EXPECT_LT(here.strokes[firstIsPasted ? 0 : 1].first.y, line.first.y);
    ASSERT_EQ(there.strokes.size(), 1u);
    EXPECT_EQ(there.strokes[0].points, line.points);
    EXPECT_EQ(there.strokes[0].color, line.color);
    EXPECT_EQ(there.strokes[0].width, line.width);
    EXPECT_EQ(there.strokes[0].layer, there.noticeLayer);

    EXPECT_EQ(ReadInk(Path("drawing.trn")).strokes.size(), 1u) << "a copied rectangle carries no ink to paste";
    const size_t box = run.log.find("box:");
    ASSERT_NE(box, std::string::npos) << run.log;
    EXPECT_EQ(run.log.substr(box, run.log.find('\n', box) - box), "box: The ink on the clipboard cannot be read.")
        << "the damaged ink is the only thing reported\n" << run.log;
    EXPECT_EQ(run.log.find("box:", box + 1), std::string::npos) << run.log;
    const SavedInk damaged = ReadInk(Path("damaged.trn"));
    EXPECT_EQ(damaged.strokes.size(), 1u) << "nothing was pasted";
}

} // namespace
