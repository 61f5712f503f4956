#include "objects/HyperTracker.h"
#include "objects/VersionTag.h"
#include "objects/kinds/LineOb.h"
#include "objects/kinds/PolyLineGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/LinePageKit.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);

std::vector<CPoint> PointsOf(const CBasePolyOb& figure)
{
    std::vector<CPoint> points;
    for (int i = 0; i < figure.GetNumberOfPoints(); ++i)
        points.push_back(figure.GetPoint(i));
    return points;
}

// A polyline whose point-editing gesture drops the point where the test says, with Ctrl as
// the test says.
class CScriptedPolyLine : public CPolyLineOb {
public:
    CPoint TrackPoint(CPoint, CPoint start, CPoint) override
    {
        ++tracked;
        return dropAt.value_or(start);
    }
    BOOL IsControlHeld() const override { return control; }

    std::optional<CPoint> dropAt;
    BOOL control = FALSE;
    int tracked = 0;
};

struct PolyFixture : ::testing::Test {
    LinePage page;

    CScriptedPolyLine* Figure(std::vector<POINT> points)
    {
        auto figure = std::make_unique<CScriptedPolyLine>();
        figure->Init(page.view, nullptr, FALSE);
        figure->SetPoints(points.data(), static_cast<int>(points.size()));
        return page.AddObject(std::move(figure));
    }

    CLineOb* Line(long x1, long y1, long x2, long y2)
    {
        auto line = std::make_unique<CLineOb>();
        line->Init(page.view, nullptr, TRUE);
        line->SetEndPoints(x2, y2, x1, y1);
        return page.AddObject(std::move(line));
    }
};

TEST_F(PolyFixture, ChainsOfLinesTable)
{
    struct Case {
        const char* name;
        std::vector<CRect> lines; // start and end of each line as left/top, right/bottom
        bool chains;
        std::vector<CPoint> points;
    };
    const Case cases[] = {
        {"two lines meeting within 4", {{0, 0, 50, 0}, {53, 3, 50, 80}}, true, {{0, 0}, {51, 1}, {50, 80}}},
        {"a triangle closes", {{0, 0, 60, 0}, {60, 0, 0, 60}, {0, 60, 3, 2}}, true,
         {{0, 0}, {60, 0}, {0, 60}, {0, 0}}},
        {"first line drawn the other way", {{50, 0, 0, 0}, {0, 0, 0, 40}}, true, {{50, 0}, {0, 0}, {0, 40}}},
        {"later line reversed in place", {{0, 0, 50, 0}, {50, 40, 50, 0}}, true, {{0, 0}, {50, 0}, {50, 40}}},
        {"a gap of 5", {{0, 0, 50, 0}, {55, 0, 90, 0}}, false, {}},
        {"a single line", {{0, 0, 50, 0}}, false, {}},
    };
    for (const Case& c : cases) {
        CObArray lines;
        for (const CRect& r : c.lines)
            lines.Add(Line(r.left, r.top, r.right, r.bottom));
        EXPECT_EQ(ChainLinePoints(lines, nullptr) != FALSE, c.chains) << c.name;
        if (!c.chains)
            continue;
        std::vector<POINT> out(c.points.size());
        ASSERT_TRUE(ChainLinePoints(lines, out.data())) << c.name;
        EXPECT_EQ(std::vector<CPoint>(out.begin(), out.end()), c.points) << c.name;
    }
}

TEST_F(PolyFixture, OnlyLinesChain)
{
    // A figure's default ends are both (0, 0): taken for a line it would chain with anything.
    CObArray lines;
    lines.Add(Line(0, 0, 50, 0));
    lines.Add(Figure({{50, 0}, {0, 0}}));
    EXPECT_FALSE(ChainLinePoints(lines, nullptr));
    lines.SetAt(0, Figure({{0, 0}, {50, 0}}));
    EXPECT_FALSE(ChainLinePoints(lines, nullptr));
}

TEST_F(PolyFixture, ABuiltPolylineKeepsThePointsAndBoundsThem)
{
    CObArray lines;
    lines.Add(Line(10, 10, 60, 10));
    lines.Add(Line(60, 10, 60, 70));
    CScriptedPolyLine* figure = Figure({{0, 0}, {1, 1}});
    ASSERT_TRUE(figure->BuildFromLines(lines));
    EXPECT_EQ(PointsOf(*figure), (std::vector<CPoint>{{10, 10}, {60, 10}, {60, 70}}));
    CRect rect;
    EXPECT_EQ(*figure->GetRect(&rect, nullptr), CRect(10, 10, 60, 70));
}

TEST_F(PolyFixture, ClosedMeansThreePointsWithTheLastOnTheFirst)
{
    EXPECT_FALSE(Figure({{0, 0}, {0, 0}})->IsClosed());
    EXPECT_FALSE(Figure({{0, 0}, {40, 0}, {0, 40}})->IsClosed());
    EXPECT_TRUE(Figure({{0, 0}, {40, 0}, {0, 40}, {0, 0}})->IsClosed());
}

TEST_F(PolyFixture, MovingTheFirstPointOfAClosedFigureMovesTheClosingPoint)
{
    CScriptedPolyLine* triangle = Figure({{10, 10}, {50, 10}, {10, 50}, {10, 10}});
    triangle->dropAt = CPoint(0, 0);
    EXPECT_TRUE(triangle->TrackEditPoints(CPoint(10, 10)));
    EXPECT_EQ(PointsOf(*triangle), (std::vector<CPoint>{{0, 0}, {50, 10}, {10, 50}, {0, 0}}));
    EXPECT_EQ(page.view.undoTaken, std::vector<UINT>{CBasePolyOb::EditPointsUndoId});
    EXPECT_EQ(page.view.pushedUndo, 1);
}

TEST_F(PolyFixture, DraggingTheLastPointNearTheFirstClosesTheFigure)
{
    CScriptedPolyLine* open = Figure({{10, 10}, {50, 10}, {50, 50}, {30, 60}});
    open->dropAt = CPoint(13, 12);
    EXPECT_TRUE(open->TrackEditPoints(CPoint(30, 60)));
    EXPECT_TRUE(open->IsClosed());
    EXPECT_EQ(open->GetPoint(3), CPoint(10, 10));
}

TEST_F(PolyFixture, ClickingASegmentInsertsAPoint)
{
    CScriptedPolyLine* open = Figure({{10, 10}, {50, 10}, {50, 50}});
    open->dropAt = CPoint(30, 0);
    EXPECT_TRUE(open->TrackEditPoints(CPoint(30, 10)));
    EXPECT_EQ(PointsOf(*open), (std::vector<CPoint>{{10, 10}, {30, 0}, {50, 10}, {50, 50}}));
}

TEST_F(PolyFixture, AnInsertedPointNearANeighbourIsMergedAgain)
{
    CScriptedPolyLine* open = Figure({{10, 10}, {50, 10}, {50, 50}});
    open->dropAt = CPoint(47, 12);
    EXPECT_TRUE(open->TrackEditPoints(CPoint(30, 10)));
    EXPECT_EQ(open->GetNumberOfPoints(), 3);
    EXPECT_EQ(PointsOf(*open), (std::vector<CPoint>{{10, 10}, {50, 10}, {50, 50}}));
}

TEST_F(PolyFixture, ControlClickRemovesAPointWhileEnoughRemain)
{
    CScriptedPolyLine* triangle = Figure({{10, 10}, {50, 10}, {10, 50}, {10, 10}});
    triangle->control = TRUE;
    EXPECT_TRUE(triangle->TrackEditPoints(CPoint(50, 10)));
    EXPECT_EQ(PointsOf(*triangle), (std::vector<CPoint>{{10, 10}, {10, 50}, {10, 10}}));
    EXPECT_EQ(triangle->tracked, 0);
    // Two distinct points and the closing point: nothing more goes; the click drags instead.
    EXPECT_FALSE(triangle->TrackEditPoints(CPoint(10, 50)));
    EXPECT_EQ(triangle->GetNumberOfPoints(), 3);
    EXPECT_EQ(page.view.pushedUndo, 1);
}

TEST_F(PolyFixture, AGestureEndingWhereItBeganChangesNothingAndPushesNoUndo)
{
    CScriptedPolyLine* open = Figure({{10, 10}, {12, 12}, {50, 50}});
    EXPECT_FALSE(open->TrackEditPoints(CPoint(50, 50)));
    EXPECT_EQ(open->GetNumberOfPoints(), 3) << "close points stay while nothing moved";
    EXPECT_EQ(page.view.undoTaken.size(), 1u);
    EXPECT_EQ(page.view.pushedUndo, 0);
    EXPECT_FALSE(open->TrackEditPoints(CPoint(200, 200))) << "a click on nothing";
}

TEST_F(PolyFixture, OpenCloseCutsAtPointZeroAndClosesAgain)
{
    CScriptedPolyLine* square = Figure({{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}});
    square->OpenClose(-1, 1);
    EXPECT_FALSE(square->IsClosed());
    // A quarter of the way from (0, 0) toward the centre (20, 20).
    EXPECT_EQ(square->GetPoint(0), CPoint(5, 5));
    EXPECT_EQ(square->GetNumberOfPoints(), 5);
    square->OpenClose(-1, 1);
    EXPECT_TRUE(square->IsClosed());
    EXPECT_EQ(square->GetPoint(5), CPoint(5, 5));
    EXPECT_EQ(page.view.pushedUndo, 2);
}

TEST_F(PolyFixture, OpenCloseOnAPointHandleCutsThere)
{
    CScriptedPolyLine* square = Figure({{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}});
    square->OpenClose(40, 40);
    EXPECT_EQ(PointsOf(*square), (std::vector<CPoint>{{35, 35}, {0, 40}, {0, 0}, {40, 0}, {40, 40}}));
}

TEST_F(PolyFixture, ResizingTheFrameScalesThePointsAboutTheCentre)
{
    CScriptedPolyLine* figure = Figure({{0, 0}, {40, 0}, {40, 20}, {0, 0}});
    figure->SetRect(CRect(-20, 0, 60, 20));
    figure->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(PointsOf(*figure), (std::vector<CPoint>{{-20, 0}, {60, 0}, {60, 20}, {-20, 0}}));
}

TEST_F(PolyFixture, ArrowHeadPropertiesOnlyForOpenFiguresBackgroundOnlyForClosed)
{
    CScriptedPolyLine* open = Figure({{0, 0}, {40, 0}, {40, 20}});
    std::unique_ptr<CPropOb> heads(open->CreateProperty(C1DOb::ArrowheadTypeId, FALSE));
    std::unique_ptr<CPropOb> back(open->CreateProperty(CBasePolyOb::BackColorId, FALSE));
    EXPECT_NE(heads, nullptr);
    EXPECT_EQ(back, nullptr);
    CScriptedPolyLine* closed = Figure({{0, 0}, {40, 0}, {40, 20}, {0, 0}});
    std::unique_ptr<CPropOb> closedHeads(closed->CreateProperty(C1DOb::ArrowheadHeightId, FALSE));
    std::unique_ptr<CPropOb> closedBack(closed->CreateProperty(CBasePolyOb::BackColorId, FALSE));
    EXPECT_EQ(closedHeads, nullptr);
    EXPECT_NE(closedBack, nullptr);
}

TEST_F(PolyFixture, ConnectorEndsAreFixedHandles)
{
    class CFixedEnds : public CPolyLineOb {
    public:
        BOOL CanResize() const override { return FALSE; }
    };
    auto fixed = page.AddObject(std::make_unique<CFixedEnds>());
    fixed->Init(page.view, nullptr, FALSE);
    const POINT points[] = {{0, 0}, {40, 0}, {40, 40}};
    fixed->SetPoints(points, 3);
    EXPECT_EQ(fixed->HitPointHandle(0, 0), CBasePolyOb::FixedHandle);
    EXPECT_EQ(fixed->HitPointHandle(40, 40), CBasePolyOb::FixedHandle);
    EXPECT_EQ(fixed->HitPointHandle(41, 1), 1);
    EXPECT_EQ(fixed->HitPointHandle(42, 2), -1) << "right and bottom edges are outside";
}

TEST_F(PolyFixture, OpenFiguresAreHitOnTheirBandClosedOnesInside)
{
    CScriptedPolyLine* open = Figure({{0, 0}, {40, 0}, {40, 40}});
    EXPECT_EQ(open->PointListHitTest(20, 4, 8), 8);
    EXPECT_EQ(open->PointListHitTest(20, 20, 8), -1);
    CScriptedPolyLine* closed = Figure({{0, 0}, {40, 0}, {40, 40}, {0, 0}});
    closed->BackColor = Red;
    EXPECT_EQ(closed->PointListHitTest(30, 10, 8), 8);
    EXPECT_EQ(closed->PointListHitTest(10, 30, 8), -1);
}

TEST_F(PolyFixture, AClosedFigureIsFilledAnOpenOneGetsBothHeads)
{
    CScriptedPolyLine* triangle = Figure({{2, 2}, {30, 2}, {2, 30}, {2, 2}});
    triangle->ForeColor = Black;
    triangle->BackColor = Red;
    triangle->Arrowhead = 3;
    Canvas filled {40, 40};
    triangle->Draw(&filled.dc);
    EXPECT_EQ(filled.Pixel(8, 8), Red);
    EXPECT_EQ(filled.Pixel(2, 15), Black);
    EXPECT_EQ(filled.Pixel(25, 25), White);

    CScriptedPolyLine* open = Figure({{2, 20}, {38, 20}});
    open->ForeColor = Black;
    open->Arrowhead = 3;
    open->ArrowheadHeight = 8;
    Canvas heads {40, 40};
    open->Draw(&heads.dc);
    EXPECT_EQ(heads.Pixel(6, 18), Black) << heads.Art();
    EXPECT_EQ(heads.Pixel(34, 18), Black) << heads.Art();
    EXPECT_EQ(heads.Pixel(20, 18), White);
}

// The point-list record: tag, pen style, pen width, back, fore, heads, head height (word),
// hatch and shadow, count (word), points relative to the centre.
Bytes PointListFields(uint32_t count)
{
    Bytes fields = Concat({Dword(CVersionTag::Magic), Dword(1), Dword(2), Dword(0x00FF0000), Dword(0), Dword(1),
                           Word(8), Dword(99 | (4u << 16)), Word(static_cast<uint16_t>(count))});
    return fields;
}

TEST_F(PolyFixture, RecordIsTheVersion99TagThenTheObjectAndPointRecords)
{
    CScriptedPolyLine* figure = Figure({{0, 0}, {40, 0}, {40, 20}});
    figure->PenStyle = 1;
    figure->PenWidth = 2;
    figure->BackColor = 0x00FF0000;
    figure->ForeColor = 0;
    figure->Arrowhead = 1;
    figure->ShadowStyle = 4;
    const Bytes all = StoreBytes([&](CArchive& ar) { figure->Serialize(ar); });
    const Bytes object = StoreBytes([&](CArchive& ar) { figure->CHyperOb::Serialize(ar); });
    const Bytes points = Concat({Dword(static_cast<uint32_t>(-20)), Dword(static_cast<uint32_t>(-10)), Dword(20),
                                 Dword(static_cast<uint32_t>(-10)), Dword(20), Dword(10)});
    EXPECT_EQ(all, Concat({Dword(CVersionTag::Magic | 99), object, PointListFields(3), points}));

    CPolyLineOb loaded;
    EXPECT_EQ(LoadBytes(all, [&](CArchive& ar) { loaded.Serialize(ar); }), all.size());
    EXPECT_EQ(loaded.GetNumberOfPoints(), 3);
    EXPECT_EQ(loaded.ShadowStyle, 4);
    EXPECT_EQ(loaded.HatchStyle, 99);
    ExpectCutRecordsFail(*figure, {1, 8, 20});

}

TEST_F(PolyFixture, ARecordWithoutTheVersion99TagHasNoSnapPointsAndAllItsPoints)
{
    // A figure without snap points writes the older layout once its leading tag is dropped.
    CPolyLineGen figure;
    figure.Init(page.view, nullptr, TRUE);
    const Bytes all = StoreBytes([&](CArchive& ar) { figure.Serialize(ar); });
    const Bytes older(all.begin() + 4, all.end());
    CPolyLineOb old;
    EXPECT_EQ(LoadBytes(older, [&](CArchive& ar) { old.Serialize(ar); }), older.size());
    EXPECT_EQ(old.GetNumberOfPoints(), 4);
    EXPECT_EQ(old.GetSnapPoints(TRUE)->GetCount(), 0);
}

TEST_F(PolyFixture, TheEndLinkPlaceHoldsAMarkerAndSkipsOldLists)
{
    CPolyLineOb figure;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { figure.SerializeEndPoints(ar); }), Dword(CPolyLineOb::NoEndLinks));
    const Bytes old = Concat({Dword(7), {1}, Word(2), Word(5), ShortString("Box"), Word(6), ShortString("Ellipse")});
    EXPECT_EQ(LoadBytes(old, [&](CArchive& ar) { figure.SerializeEndPoints(ar); }), old.size());
}

TEST(PolyLineGenerator, NewFiguresAreTheDefaultTriangleWithoutSnapPoints)
{
    LinePage page;
    CPolyLineGen figure;
    figure.Init(page.view, nullptr, TRUE);
    EXPECT_EQ(figure.GetSnapPoints(TRUE), nullptr);
    EXPECT_TRUE(figure.IsClosed());
    EXPECT_EQ(PointsOf(figure), (std::vector<CPoint>{{51, 51}, {100, 51}, {51, 100}, {51, 51}}));
}

} // namespace
