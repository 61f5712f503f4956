#include "objects/AnchorFmt.h"
#include "objects/ConnectorEnds.h"
#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/LineOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/LinePageKit.h"

#include <gtest/gtest.h>

namespace {

using Ends = CConnectorEnds;

// A line whose rectangle and record are set directly, outside any layout.
std::unique_ptr<CLineOb> LineOn(LinePage& page, CRect rect, int orientation, BOOL swap)
{
    auto line = std::make_unique<CLineOb>();
    line->Init(page.view, nullptr, FALSE);
    line->SetRect(rect);
    line->m_ends.SetOrientation(orientation);
    line->m_ends.SetSwapped(swap);
    return line;
}

TEST(EndRecord, EndPointsAndHandlesByOrientation)
{
    struct Case {
        int orientation;
        POINT first, second;
        int h1, h2;
    };
    constexpr Case cases[] = {
        {Ends::Diagonal, {10, 20}, {50, 81}, 0, 2},
        {Ends::Rising, {50, 20}, {10, 81}, 1, 3},
        {Ends::Horizontal, {10, 50}, {50, 50}, 7, 5},
        {Ends::Vertical, {30, 20}, {30, 81}, 4, 6},
    };
    LinePage page;
    for (const Case& c : cases) {
        auto line = LineOn(page, CRect(10, 20, 50, 81), c.orientation, FALSE);
        POINT first, second;
        int h1, h2;
        line->m_ends.ComputeEndPoints(&first, &second, FALSE, &h1, &h2);
        EXPECT_EQ(CPoint(first), CPoint(c.first)) << c.orientation;
        EXPECT_EQ(CPoint(second), CPoint(c.second)) << c.orientation;
        EXPECT_EQ(h1, c.h1);
        EXPECT_EQ(h2, c.h2);
        line->m_ends.ComputeEndPoints(&first, &second, TRUE, &h1, &h2);
        EXPECT_EQ(CPoint(first), CPoint(c.second)) << "swapped " << c.orientation;
        EXPECT_EQ(h1, c.h2);
    }
}

TEST(EndRecord, MovingEndPointsPutsTheHandlesOnThePoints)
{
    struct Case {
        int orientation;
        POINT first, second;
        CRect expected;
    };
    const Case cases[] = {
        {Ends::Diagonal, {5, 6}, {70, 90}, CRect(5, 6, 70, 90)},
        {Ends::Rising, {70, 6}, {5, 90}, CRect(5, 6, 70, 90)},
        // Straight lines become exactly (first point, second point).
        {Ends::Horizontal, {5, 40}, {70, 40}, CRect(5, 40, 70, 40)},
        {Ends::Vertical, {30, 5}, {30, 90}, CRect(30, 5, 30, 90)},
    };
    LinePage page;
    for (const Case& c : cases) {
        auto line = LineOn(page, CRect(10, 20, 50, 81), c.orientation, FALSE);
        POINT points[2], dummy[2];
        int handles[2];
        line->m_ends.ComputeEndPoints(&dummy[0], &dummy[1], FALSE, &handles[0], &handles[1]);
        points[0] = c.first;
        points[1] = c.second;
        EXPECT_TRUE(line->m_ends.MoveEndPoints(points, handles)) << c.orientation;
        CRect rect;
        EXPECT_EQ(*line->GetRect(&rect, nullptr), c.expected) << c.orientation;
        EXPECT_FALSE(line->m_ends.MoveEndPoints(points, handles)) << "unchanged " << c.orientation;
    }
}

TEST(EndRecord, OrientationFollowsTheRectangleAndNormalisesIt)
{
    struct Case {
        const char* name;
        CRect rect;
        int orientation;
        BOOL swap;
        CRect normal;
        int newOrientation;
        BOOL newSwap;
    };
    const Case cases[] = {
        {"flat line", CRect(10, 50, 50, 50), Ends::Diagonal, TRUE, CRect(10, 50, 50, 51), Ends::Horizontal, TRUE},
        {"flat line drawn leftwards", CRect(50, 50, 10, 50), Ends::Diagonal, TRUE, CRect(10, 50, 50, 51),
         Ends::Horizontal, FALSE},
        {"narrow line", CRect(30, 10, 30, 60), Ends::Diagonal, TRUE, CRect(30, 10, 31, 60), Ends::Vertical, TRUE},
        {"inside out to the upper left", CRect(50, 60, 10, 20), Ends::Diagonal, TRUE, CRect(10, 20, 50, 60),
         Ends::Diagonal, FALSE},
        {"inside out to the left", CRect(50, 20, 10, 60), Ends::Diagonal, TRUE, CRect(10, 20, 50, 60), Ends::Rising,
         TRUE},
        {"horizontal pulled down", CRect(10, 20, 50, 60), Ends::Horizontal, TRUE, CRect(10, 20, 50, 60),
         Ends::Diagonal, TRUE},
    };
    LinePage page;
    for (const Case& c : cases) {
        auto line = LineOn(page, c.rect, c.orientation, c.swap);
        line->m_ends.UpdateOrientation(TRUE);
        CRect rect;
        EXPECT_EQ(*line->GetRect(&rect, nullptr), c.normal) << c.name;
        EXPECT_EQ(line->m_ends.GetOrientation(), c.newOrientation) << c.name;
        EXPECT_EQ(line->m_ends.IsSwapped(), c.newSwap) << c.name;
        EXPECT_EQ(line->GetTracker()->m_sizeMin, CSize(1, 1)) << c.name;
    }
}

TEST(EndRecord, RecordWithoutEndsHasCountZero)
{
    Ends ends;
    ends.SetOrientation(Ends::Vertical);
    const Bytes expected = Concat({Dword(8), {1}, Word(0)});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ends.Serialize(ar); }), expected);
    Ends loaded;
    loaded.m_ends[1] = {"Old", 4};
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.GetOrientation(), Ends::Vertical);
    EXPECT_FALSE(loaded.IsConnected());
}

TEST(EndRecord, RecordWithEndsHoldsBothIdsAndNames)
{
    Ends ends;
    ends.SetOrientation(Ends::Rising);
    ends.SetSwapped(FALSE);
    ends.m_ends[1] = {"Box", 3};
    const Bytes expected = Concat({Dword(2), {0}, Word(2),
                                   Word(0xFFFF), ShortString(""), // the free first end
                                   Word(3), ShortString("Box")});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ends.Serialize(ar); }), expected);
    Ends loaded;
    LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.m_ends[0].snapId, -1);
    EXPECT_EQ(loaded.m_ends[1].code, CString("Box"));
    EXPECT_EQ(loaded.m_ends[1].snapId, 3);
    EXPECT_FALSE(loaded.IsSwapped());
    // Three entries cannot be two ends.
    const Bytes three = Concat({Dword(0), {1}, Word(3)});
    EXPECT_TRUE(LoadThrowsArchiveException(three, [&](CArchive& ar) { loaded.Serialize(ar); }));
}

// The box's right snap point (id 1) sits at (100, 50).
struct CaptureFixture : ::testing::Test {
    LinePage page;
    CBorderOb* box = page.AddBox("Box", CRect(60, 30, 100, 70));
    CLineOb* line = page.AddObject(LineOn(page, CRect(0, 0, 10, 10), Ends::Diagonal, FALSE));
    CObArray targets;

    void SetUp() override { targets.Add(box); }

    // Tries the first end at p (second end far away); answers the snapped flag.
    BOOL Capture(POINT* p, BOOL test)
    {
        POINT far = {500, 500};
        BOOL s1, s2;
        line->m_ends.AttachEnds(p, &s1, &far, &s2, targets, Ends::CaptureSize, nullptr, test);
        return s1;
    }
};

TEST_F(CaptureFixture, AnEndEightUnitsAwaySnapsTenUnitsAwayItDoesNot)
{
    POINT near = {92, 42};
    EXPECT_TRUE(Capture(&near, FALSE));
    EXPECT_EQ(CPoint(near), CPoint(100, 50));
    EXPECT_EQ(line->m_ends.m_ends[0].code, CString("Box"));
    EXPECT_EQ(line->m_ends.m_ends[0].snapId, 1);
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsIn, 1);

    POINT farther = {90, 40};
    EXPECT_FALSE(Capture(&farther, FALSE));
    EXPECT_EQ(CPoint(farther), CPoint(90, 40));
    EXPECT_FALSE(line->m_ends.IsStartConnected());
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsIn, 0) << "the old attachment was let go";
}

TEST_F(CaptureFixture, TestModeRecordsNothingAndMovesTheRedrawRectangle)
{
    POINT p = {95, 45};
    CRect redraw(95, 45, 200, 200);
    POINT far = {500, 500};
    BOOL s1, s2;
    EXPECT_TRUE(line->m_ends.AttachEnds(&p, &s1, &far, &s2, targets, Ends::CaptureSize, &redraw, TRUE));
    EXPECT_EQ(redraw, CRect(100, 50, 200, 200));
    EXPECT_FALSE(line->m_ends.IsStartConnected());
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsIn, 0);
}

TEST_F(CaptureFixture, AFullSnapPointPushesTheEndOutOfItsSquare)
{
    SnapPoint(box, 1)->m_maxIn = 1;
    POINT first = {97, 48};
    EXPECT_TRUE(Capture(&first, FALSE));
    auto other = page.AddObject(LineOn(page, CRect(0, 0, 10, 10), Ends::Diagonal, FALSE));
    POINT second = {97, 48};
    POINT far = {500, 500};
    BOOL s1, s2;
    other->m_ends.AttachEnds(&second, &s1, &far, &s2, targets, Ends::CaptureSize, nullptr, FALSE);
    EXPECT_FALSE(s1);
    EXPECT_EQ(CPoint(second), CPoint(91, 41)) << "onto the nearer corner of the square";
    // Second ends count apart.
    POINT end = {97, 48};
    POINT start = {500, 500};
    other->m_ends.AttachEnds(&start, &s1, &end, &s2, targets, Ends::CaptureSize, nullptr, FALSE);
    EXPECT_TRUE(s2);
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsOut, 1);
}

TEST_F(CaptureFixture, WithoutALimitAnyNumberOfEndsAttach)
{
    SnapPoint(box, 1)->m_maxIn = CAnchorItem::NoLimit;
    SnapPoint(box, 1)->m_connectionsIn = 500;
    POINT p = {99, 49};
    EXPECT_TRUE(Capture(&p, FALSE));
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsIn, 501);
}

TEST_F(CaptureFixture, DisconnectLetsGoOnceAndClearEndsOnlyTheNamedObject)
{
    POINT p = {99, 49};
    Capture(&p, FALSE);
    line->m_ends.m_ends[1] = {"Other", 2};
    line->m_ends.ClearEnds("Other");
    EXPECT_TRUE(line->m_ends.IsStartConnected());
    EXPECT_FALSE(line->m_ends.IsEndConnected());
    EXPECT_TRUE(line->m_ends.Disconnect(0));
    EXPECT_FALSE(line->m_ends.Disconnect(0));
    EXPECT_EQ(SnapPoint(box, 1)->m_connectionsIn, 0);
    ASSERT_EQ(page.view.detached.size(), 1u);
    EXPECT_EQ(page.view.detached[0].named, box);
}

TEST_F(CaptureFixture, AnEndNamingNoObjectIsFreedWithoutCounting)
{
    line->m_ends.m_ends[0] = {"Gone", 1};
    EXPECT_EQ(line->m_ends.GetStartObject(nullptr), nullptr);
    EXPECT_EQ(line->m_ends.GetStartSnapPointType(), -1);
    EXPECT_TRUE(line->m_ends.Disconnect(0));
    EXPECT_TRUE(page.view.detached.empty());
}

TEST(EndRecord, ReplaceRectCoordTakesLeftAndTopFirst)
{
    CRect r(5, 5, 5, 9);
    ReplaceRectCoord(&r, 5, 9, 7, 1);
    EXPECT_EQ(r, CRect(7, 5, 5, 1));
}

} // namespace
