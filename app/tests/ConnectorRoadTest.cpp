// Two rectangles joined by a connector, played into the real program: the connector follows
// a moved rectangle, goes with a deleted one and comes back with it in one undo step, and
// stays attached after the document is saved, closed and opened again.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/kinds/ConnectOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct SavedConnector {
    CString start, end;
    std::vector<CPoint> path;
};

struct SavedPage {
    bool read = false;
    std::vector<CString> classes;
    std::vector<CRect> rects;
    std::optional<SavedConnector> connector;
};

SavedPage ReadDocument(const std::string& path)
{
    SavedPage page;
    CMyView reader;
    page.read = e2e::ReadSavedPage(path, reader);
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        CHyperOb* object = reader.GetObjectAtIndex(i);
        page.classes.push_back(object->GetRuntimeClass()->m_lpszClassName);
        CRect rect;
        page.rects.push_back(*object->GetRect(&rect, nullptr));
        if (auto* connector = dynamic_cast<CConnectOb*>(object)) {
            SavedConnector saved {connector->m_ends.m_ends[0].code, connector->m_ends.m_ends[1].code, {}};
            for (int p = 0; p < connector->GetNumberOfPoints(); ++p)
                saved.path.push_back(connector->GetPoint(p));
            page.connector = saved;
        }
    }
    return page;
}

class ConnectorRoadTest : public e2e::RoadTest {
};

const std::string kRectangle = "menu " + std::to_string(CMyView::ToolRectangle) + "\n";
const std::string kConnector = "menu " + std::to_string(CMyView::ToolConnector) + "\n";

// Whether the two pictures differ anywhere within `reach` pixels of the point.
bool ChangedNear(const QImage& a, const QImage& b, int x, int y, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (a.pixel(x + dx, y + dy) != b.pixel(x + dx, y + dy))
                return true;
    return false;
}

TEST_F(ConnectorRoadTest, AConnectorFollowsGoesAndComesBackWithItsRectangles)
{
    // Rectangle A at (100, 100, 200, 200), B at (300, 100, 400, 200); the connector runs from
    // A's right snap point (200, 150) to B's left one (300, 150).
    const std::string script = "wait 300\nmenu 57600\n" + kRectangle + "drag view 100 100 200 200\n" + kRectangle +
                               "drag view 300 100 400 200\n" + kConnector + "drag view 200 150 300 150\n" +
                               "wait 100\n" + Save("drawn.trn") +
                               // Move B down by 100 with the mouse.
                               "drag view 350 120 350 220\nwait 100\n" + Save("moved.trn") +
                               // Select A and delete it; the connector goes too.
                               "click view 150 120\nkey delete\nwait 200\n" + Save("deleted.trn") +
                               "key ctrl+z\nwait 100\n" + Save("undone.trn") + "menu 57602\n" +
                               "file " + Path("undone.trn") + "\nmenu 57601\nwait 300\n" +
                               // Move A up by 60 in the reopened document.
                               "drag view 150 120 150 60\nwait 100\n" + Save("reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const SavedPage drawn = ReadDocument(Path("drawn.trn"));
    ASSERT_TRUE(drawn.read);
    ASSERT_EQ(drawn.classes.size(), 3u);
    EXPECT_EQ(drawn.classes[0], CString("CConnectGen")) << "connectors stay in front";
    ASSERT_TRUE(drawn.connector);
    EXPECT_EQ(drawn.connector->start, CString("Border1"));
    EXPECT_EQ(drawn.connector->end, CString("Border2"));
    EXPECT_EQ(drawn.connector->path, (std::vector<CPoint>{{200, 150}, {300, 150}}));

    const SavedPage moved = ReadDocument(Path("moved.trn"));
    ASSERT_TRUE(moved.connector);
    EXPECT_EQ(moved.connector->end, CString("Border2"));
    // The route leaves A to the right and enters B from the left, bending half-way.
    EXPECT_EQ(moved.connector->path, (std::vector<CPoint>{{200, 150}, {250, 150}, {250, 250}, {300, 250}}));

    const SavedPage deleted = ReadDocument(Path("deleted.trn"));
    EXPECT_EQ(deleted.classes, std::vector<CString>{CString("CBorderGen")});

    const SavedPage undone = ReadDocument(Path("undone.trn"));
    EXPECT_EQ(undone.classes.size(), 3u);
    ASSERT_TRUE(undone.connector);
    EXPECT_EQ(undone.connector->path, moved.connector->path);

    const SavedPage reopened = ReadDocument(Path("reopened.trn"));
    ASSERT_EQ(reopened.rects.size(), 3u);
    EXPECT_EQ(reopened.rects[2], CRect(100, 40, 200, 140)) << "rectangle A moved up";
    ASSERT_TRUE(reopened.connector);
    EXPECT_EQ(reopened.connector->start, CString("Border1"));
    EXPECT_EQ(reopened.connector->end, CString("Border2"));
    EXPECT_EQ(reopened.connector->path, (std::vector<CPoint>{{200, 90}, {250, 90}, {250, 250}, {300, 250}}));
}

TEST_F(ConnectorRoadTest, AnEndDraggedToAnotherRectangleStaysThereAfterReopening)
{
    // A and B as above, C below B at (300, 300, 400, 400); the connector runs from A to B and
    // stays selected after it is drawn.
    const std::string script =
        "wait 300\nmenu 57600\n" + kRectangle + "drag view 100 100 200 200\n" + kRectangle +
        "drag view 300 100 400 200\n" + kRectangle + "drag view 300 300 400 400\n" + kConnector +
        "drag view 200 150 300 150\nwait 100\n" +
        "snapshot view " + Path("selected.png") + "\n" +
        // B's end held over C: the routed path shows; Escape drops the drag.
        "down view 300 150\nmove view 320 250\nmove view 340 320\nwait 100\nsnapshot view " + Path("dragging.png") +
        "\nkey escape\nup view 340 320\nwait 100\n" + Save("escaped.trn") +
        // Let go inside C, nearest to its top middle (350, 300).
        "drag view 300 150 340 320\nwait 200\n" + Save("moved.trn") + "key ctrl+z\nwait 100\n" +
        Save("undone.trn") + "key ctrl+y\nwait 100\n" + Save("redone.trn") + "menu 57602\n" + "file " +
        Path("redone.trn") + "\nmenu 57601\nwait 300\nsnapshot view " + Path("reopened.png") +
        "\n" + Save("reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const std::vector<CPoint> toB {{200, 150}, {300, 150}};
    const SavedPage escaped = ReadDocument(Path("escaped.trn"));
    ASSERT_TRUE(escaped.connector);
    EXPECT_EQ(escaped.connector->end, CString("Border2"));
    EXPECT_EQ(escaped.connector->path, toB);

    const SavedPage moved = ReadDocument(Path("moved.trn"));
    ASSERT_TRUE(moved.connector);
    EXPECT_EQ(moved.connector->start, CString("Border1"));
    EXPECT_EQ(moved.connector->end, CString("Border3"));
    ASSERT_FALSE(moved.connector->path.empty());
    EXPECT_EQ(moved.connector->path.front(), CPoint(200, 150));
    EXPECT_EQ(moved.connector->path.back(), CPoint(350, 300));

    const SavedPage undone = ReadDocument(Path("undone.trn"));
    ASSERT_TRUE(undone.connector);
    EXPECT_EQ(undone.connector->end, CString("Border2"));
    EXPECT_EQ(undone.connector->path, toB);

    for (const char* name : {"redone.trn", "reopened.trn"}) {
        const SavedPage again = ReadDocument(Path(name));
        ASSERT_TRUE(again.connector) << name;
        EXPECT_EQ(again.connector->end, CString("Border3")) << name;
        EXPECT_EQ(again.connector->path, moved.connector->path) << name;
    }

    // While the end is held over C the routed path is drawn between A and C.
    const QImage selected(QString::fromStdString(Path("selected.png")));
    const QImage dragging(QString::fromStdString(Path("dragging.png")));
    ASSERT_FALSE(selected.isNull());
    ASSERT_FALSE(dragging.isNull());
    const e2e::PixelBox preview = e2e::Differences(selected, dragging);
    ASSERT_FALSE(preview.Empty());
    EXPECT_LE(preview.left, 215);
    EXPECT_GE(preview.bottom, 290);
}

TEST_F(ConnectorRoadTest, ANewConnectorShowsItsRouteWhileDrawnAndItsEndsShowWhetherTheyDrag)
{
    // From A's right snap point (200, 150) to B's top one (350, 300): the route runs right,
    // then down; a straight band would cut across through (275, 225).
    const std::string script =
        "wait 300\nmenu 57600\n" + kRectangle + "drag view 100 100 200 200\n" + kRectangle +
        "drag view 300 300 400 400\n" + kConnector + "wait 100\nsnapshot view " + Path("before.png") + "\n" +
        "down view 200 150\nmove view 280 250\nmove view 350 300\nwait 100\nsnapshot view " + Path("drawing.png") +
        "\nup view 350 300\nwait 200\n" + Save("drawn.trn") +
        // The new connector is selected: over its end, the end-drag cursor; with the snap
        // points hidden, the cursor that says the end stays.
        "move view 320 150\nmove view 200 150\nwait 100\nmenu 60443\nwait 100\nmove view 320 150\n" +
        "move view 200 150\nwait 100\n" + Save("last.trn") + "quit\n";
    const e2e::Run run = Play(script);

    const SavedPage drawn = ReadDocument(Path("drawn.trn"));
    ASSERT_TRUE(drawn.connector);
    ASSERT_FALSE(drawn.connector->path.empty());
    EXPECT_EQ(drawn.connector->path.front(), CPoint(200, 150));
    EXPECT_EQ(drawn.connector->path.back(), CPoint(350, 300));

    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage drawing(QString::fromStdString(Path("drawing.png")));
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(drawing.isNull());
    EXPECT_TRUE(ChangedNear(before, drawing, 350, 150, 3)) << "the bend of the route";
    EXPECT_TRUE(ChangedNear(before, drawing, 350, 250, 3)) << "the leg into B";
    EXPECT_FALSE(ChangedNear(before, drawing, 275, 225, 3)) << "no straight band";

    const size_t movable = run.log.find("cursor: " + std::to_string(CBasePolyOb::CursorMovePoint));
    const size_t fixed = run.log.find("cursor: " + std::to_string(CConnectL0::CursorEndFixed));
    ASSERT_NE(movable, std::string::npos) << run.log;
    ASSERT_NE(fixed, std::string::npos) << run.log;
    EXPECT_LT(movable, fixed);
}

TEST_F(ConnectorRoadTest, WithSnapPointsHiddenAnEndStaysOnItsRectangle)
{
    // A, B and C as above; the connector from A to B is selected; Snap Points is switched off.
    const std::string script = "wait 300\nmenu 57600\n" + kRectangle + "drag view 100 100 200 200\n" + kRectangle +
                               "drag view 300 100 400 200\n" + kRectangle + "drag view 300 300 400 400\n" + kConnector +
                               "drag view 200 150 300 150\nwait 100\nmenu 60443\nwait 100\n" +
                               "drag view 300 150 340 320\nwait 200\n" + Save("dragged.trn") + "quit\n";
    Play(script);
    const SavedPage dragged = ReadDocument(Path("dragged.trn"));
    ASSERT_TRUE(dragged.connector) << "the connector was not moved off its snap points";
    EXPECT_EQ(dragged.connector->end, CString("Border2"));
    EXPECT_EQ(dragged.connector->path, (std::vector<CPoint>{{200, 150}, {300, 150}}));
}

} // namespace
