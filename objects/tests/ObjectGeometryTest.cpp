#include "PageTestKit.h"

#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<POINT> Rotated(const CHyperOb& object)
{
    POINT* points = nullptr;
    int count = object.GetRotatedPoints(&points);
    std::vector<POINT> result(points, points + count);
    delete[] points;
    return result;
}

bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

// An object (100, 100, 200, 160) turned about its centre (150, 130).
std::unique_ptr<CTestBoxOb> TurnedBox(double angle, CHyperRunView* view = nullptr)
{
    auto object = std::make_unique<CTestBoxOb>();
    object->Init(view, CRect(100, 100, 200, 160), TRUE);
    object->SetRotateAngle(angle);
    object->RecalcRect();
    return object;
}

TEST(ObjectGeometry, ANewTrackerHoldsTheDefaultRectangle)
{
    CHyperOb object;
    object.CreateTracker();
    CHyperObTracker* tracker = object.GetTracker();
    EXPECT_EQ(tracker->m_rect, CRect(0, 0, 50, 50));
    EXPECT_EQ(tracker->m_nHandleSize, 7);
    EXPECT_EQ(tracker->m_nStyle, 0u);
    EXPECT_EQ(tracker->m_sizeMin, CSize(10, 10));
    EXPECT_EQ(tracker->m_object, &object);
}

// Objects that are only placed, turned, hit and copied make no tracker; the first one asked for
// takes over the object's rectangles and angle.
TEST(ObjectGeometry, ATrackerIsMadeWhenFirstAskedForWithTheObjectsShape)
{
    auto object = TurnedBox(30.0);
    EXPECT_EQ(object->HitTest(CPoint(150, 130)), CRectTracker::hitMiddle);
    object->Deselect(FALSE);
    CTestBoxOb copy;
    copy.CopyFrom(object.get());
    EXPECT_FALSE(object->HasTracker());
    EXPECT_FALSE(copy.HasTracker());
    CRect rect;
    object->GetRect(&rect, nullptr);
    EXPECT_EQ(rect, CRect(92, 79, 208, 181));
    EXPECT_EQ(*copy.GetRect(&rect, nullptr), CRect(92, 79, 208, 181));
    EXPECT_EQ(copy.GetFrameRect(), CRect(100, 100, 200, 160));
    EXPECT_DOUBLE_EQ(copy.GetRotateAngle(), 30.0);

    CHyperObTracker* tracker = object->GetTracker();
    EXPECT_EQ(tracker->m_rect, CRect(92, 79, 208, 181));
    EXPECT_EQ(tracker->m_rotationRect, CRect(100, 100, 200, 160));
    EXPECT_DOUBLE_EQ(tracker->RotateAngle, 30.0);
    EXPECT_EQ(tracker->m_sizeMin, CSize(10, 10));
    EXPECT_EQ(tracker->m_nStyle, 0u);
    EXPECT_EQ(object->GetTracker(), tracker);
    object->SetRotateAngle(0.0);
    object->SetRect(CRect(10, 20, 30, 40));
    EXPECT_EQ(tracker->m_rect, CRect(10, 20, 30, 40));
    EXPECT_EQ(*object->GetRect(&rect, nullptr), CRect(10, 20, 30, 40));
}

TEST(ObjectGeometry, SelectingMakesTheTrackerThatShowsTheSelection)
{
    CTestBoxOb object;
    object.Init(nullptr, CRect(10, 10, 60, 40), TRUE);
    EXPECT_FALSE(object.HasTracker());
    EXPECT_FALSE(object.IsSelected());
    object.Select(TRUE);
    ASSERT_TRUE(object.HasTracker());
    EXPECT_TRUE(object.IsSelected());
    EXPECT_EQ(object.GetTracker()->m_rect, CRect(10, 10, 60, 40));
    object.Deselect(FALSE);
    EXPECT_FALSE(object.IsSelected());
}

TEST(ObjectGeometry, TheOutlineOfATurnedRectangleHasHandComputedCorners)
{
    struct Case {
        double angle;
        POINT corners[4];
        RECT bounds;
    };
    const Case cases[] = {
        { 90.0, { { 180, 80 }, { 180, 180 }, { 120, 180 }, { 120, 80 } }, { 120, 80, 180, 180 } },
        { 180.0, { { 200, 160 }, { 100, 160 }, { 100, 100 }, { 200, 100 } }, { 100, 100, 200, 160 } },
        { 30.0, { { 122, 79 }, { 208, 129 }, { 178, 181 }, { 92, 131 } }, { 92, 79, 208, 181 } },
        { -20.0, { { 93, 119 }, { 187, 85 }, { 207, 141 }, { 113, 175 } }, { 93, 85, 207, 175 } },
    };
    for (const Case& c : cases) {
        auto object = TurnedBox(c.angle);
        ASSERT_TRUE(object->IsRotated()) << c.angle;
        std::vector<POINT> points = Rotated(*object);
        ASSERT_EQ(points.size(), 5u) << c.angle;
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(points[i] == c.corners[i])
                << c.angle << " corner " << i << ": " << points[i].x << "," << points[i].y;
        EXPECT_TRUE(points[4] == points[0]) << "the outline is closed";
        EXPECT_EQ(object->GetTracker()->m_rect, CRect(c.bounds)) << c.angle;
        EXPECT_EQ(object->GetTracker()->m_rotationRect, CRect(100, 100, 200, 160)) << "the frame stays";
    }
}

TEST(ObjectGeometry, RotationRoundsToTheNearestPoint)
{
    struct Case {
        POINT offset;
        double angle;
        POINT expected;
    };
    const Case cases[] = {
        { { -20, 0 }, 0.0, { -20, 0 } },
        { { -20, -20 }, 90.0, { 20, -20 } },
        { { -20, 7 }, 360.0, { -20, 7 } },
        { { -20, 7 }, -360.0, { -20, 7 } },
        { { 10, 0 }, 180.0, { -10, 0 } },
        { { 10, 0 }, -90.0, { 0, -10 } },
        { { 8, 0 }, 30.0, { 7, 4 } },
        { { -8, 0 }, 30.0, { -7, -4 } },
    };
    for (const Case& c : cases) {
        POINT out {};
        RotatePoints(&c.offset, &out, 1, c.angle, 0, 0);
        EXPECT_TRUE(out == c.expected)
            << c.offset.x << "," << c.offset.y << " by " << c.angle << " gave " << out.x << "," << out.y;
    }
}

TEST(ObjectGeometry, AbsolutePointsTurnInPlaceAboutTheCentre)
{
    POINT points[2] = { { 100, 100 }, { 200, 160 } };
    RotatePoints(points, points, 2, 90.0, 150, 130);
    EXPECT_TRUE((points[0] == POINT { 180, 80 }));
    EXPECT_TRUE((points[1] == POINT { 120, 180 }));
}

TEST(ObjectGeometry, BoundingRectanglesOfPoints)
{
    const POINT single { 5, 5 };
    RECT r;
    GetPointsBoundingRect(&r, &single, 1);
    EXPECT_EQ(CRect(r), CRect(5, 5, 6, 6));
    const POINT line[2] = { { 3, 9 }, { -4, 9 } };
    GetPointsBoundingRect(&r, line, 2);
    EXPECT_EQ(CRect(r), CRect(-4, 9, 3, 10));
    GetPointsBoundingRect(&r, nullptr, 0);
    EXPECT_EQ(CRect(r), CRect(999999, 999999, -999999, -999999));
}

TEST(ObjectGeometry, AngleSettersKeepTheAngleInRangeAndRefuseNonFiniteValues)
{
    CTestBoxOb object;
    const std::pair<double, double> cases[]
        = { { 30.0, 30.0 }, { 600.0, -120.0 }, { 540.0, 180.0 }, { -180.0, 180.0 }, { 360.0, 0.0 } };
    for (const auto& [angle, stored] : cases) {
        object.SetRotateAngle(angle);
        EXPECT_DOUBLE_EQ(object.GetRotateAngle(), stored) << angle;
    }
    object.SetRotateAngle(45.0);
    object.SetRotateAngle(std::numeric_limits<double>::quiet_NaN());
    object.SetRotateAngle(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(object.GetRotateAngle(), 45.0);
}

TEST(ObjectGeometry, ATurnedObjectIsHitInsideItsOutlineOnly)
{
    auto object = TurnedBox(30.0);
    struct Case {
        POINT point;
        int hit;
    };
    const Case cases[] = {
        { { 150, 130 }, CRectTracker::hitMiddle },
        { { 200, 130 }, CRectTracker::hitMiddle },
        { { 94, 81 }, CRectTracker::hitNothing },
        { { 205, 178 }, CRectTracker::hitNothing },
        { { 94, 178 }, CRectTracker::hitNothing },
        { { 205, 82 }, CRectTracker::hitNothing },
        { { 300, 300 }, CRectTracker::hitNothing },
    };
    for (const Case& c : cases)
        EXPECT_EQ(object->HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
}

TEST(ObjectGeometry, MovingATurnedObjectKeepsItsAngleAndMovesItsFrame)
{
    auto object = TurnedBox(90.0);
    CRect bounds = object->GetTracker()->m_rect;
    bounds.OffsetRect(10, 0);
    object->SetRect(bounds);
    EXPECT_DOUBLE_EQ(object->GetRotateAngle(), 90.0);
    EXPECT_EQ(object->GetTracker()->m_rotationRect, CRect(110, 100, 210, 160));
    object->RecalcRect();
    EXPECT_EQ(object->GetTracker()->m_rect, bounds);
}

TEST(ObjectGeometry, ResizingATurnedObjectFitsItsFrameToTheNewBounds)
{
    for (double angle : { 30.0, -20.0, 135.0, 45.0 }) {
        auto object = TurnedBox(angle);
        CRect bounds = object->GetTracker()->m_rect;
        CRect larger(bounds.left, bounds.top, bounds.right + 20, bounds.bottom + 16);
        object->SetRect(larger);
        object->RecalcRect();
        CRect fitted = object->GetTracker()->m_rect;
        EXPECT_NEAR(fitted.Width(), larger.Width(), 3) << angle;
        EXPECT_NEAR(fitted.Height(), larger.Height(), 3) << angle;
        EXPECT_NEAR(fitted.CenterPoint().x, larger.CenterPoint().x, 2) << angle;
        EXPECT_DOUBLE_EQ(object->GetRotateAngle(), angle);
    }
}

TEST(ObjectGeometry, UprightnessAndViewPoints)
{
    CTestPageView view;
    view.zoom = 200;
    auto object = TurnedBox(90.0, view);
    EXPECT_FALSE(object->IsUpright());
    POINT* points = nullptr;
    ASSERT_EQ(object->GetViewPoints(&points), 5);
    EXPECT_TRUE((points[0] == POINT { 360, 160 }));
    delete[] points;
    object->DfltCanRot = FALSE;
    EXPECT_TRUE(object->IsUpright());
}

TEST(ObjectGeometry, AnEditedCoordinateIsAppliedAgain)
{
    CTestBoxOb object;
    object.Init(nullptr, CRect(0, 0, 10, 10), TRUE);
    object.GetTracker()->m_rect.right = 30;
    object.OnPropertyChanged(27137);
    EXPECT_EQ(object.GetTracker()->m_rotationRect, CRect(0, 0, 30, 10));
    object.GetTracker()->m_rect.right = 40;
    object.OnPropertyChanged(27140);
    EXPECT_EQ(object.GetTracker()->m_rotationRect, CRect(0, 0, 30, 10)) << "other properties leave it";
}

TEST(ObjectGeometry, AnUnturnedObjectsFrameFollowsItsRectangle)
{
    CTestBoxOb object;
    object.Init(nullptr, CRect(0, 0, 10, 10), TRUE);
    object.SetRect(CRect(5, 6, 25, 36));
    EXPECT_EQ(object.GetTracker()->m_rotationRect, CRect(5, 6, 25, 36));
    POINT* points = nullptr;
    object.RecalcRect();
    ASSERT_EQ(object.GetOutlineCount(), 5);
    EXPECT_TRUE((object.GetOutlinePoints()[0] == POINT { -10, -15 }));
    EXPECT_EQ(object.GetRotatedPoints(&points), 5);
    EXPECT_TRUE((points[2] == POINT { 25, 36 }));
    delete[] points;
}

TEST(ObjectGeometry, TheViewHearsOfMovesAndResizesOfNamedObjects)
{
    struct Case {
        const char* code;
        BOOL inserting;
        CRect next;
        int moved, resized;
    };
    const Case cases[] = {
        { "Box1", FALSE, CRect(20, 10, 30, 20), 1, 0 },
        { "Box1", FALSE, CRect(10, 10, 40, 20), 0, 1 },
        { "Box1", FALSE, CRect(0, 0, 40, 40), 1, 1 },
        { "", FALSE, CRect(0, 0, 40, 40), 0, 0 },
        { "Box1", TRUE, CRect(0, 0, 40, 40), 0, 0 },
        { "Box1", FALSE, CRect(10, 10, 20, 20), 0, 0 },
    };
    for (const Case& c : cases) {
        CTestPageView view;
        CTestBoxOb object;
        object.Init(view, CRect(10, 10, 20, 20), FALSE);
        object.Code = c.code;
        view.inserting = c.inserting;
        object.SetRect(c.next);
        EXPECT_EQ(view.moved, c.moved) << c.next.left << " " << c.code;
        EXPECT_EQ(view.resized, c.resized) << c.next.left << " " << c.code;
    }
}

TEST(ObjectGeometry, AGroupRectangleMovesWithItsHolderButDoesNotResize)
{
    CTestBoxOb object;
    object.Init(nullptr, CRect(10, 10, 20, 20), FALSE);
    object.GroupID = 1;
    auto* group = new CGroupInfo;
    group->m_rect.SetRect(0, 0, 100, 100);
    object.SetOwnGroupInfo(group);
    object.SetRect(CRect(15, 13, 25, 23));
    EXPECT_EQ(group->m_rect, CRect(5, 3, 105, 103));
    object.SetRect(CRect(15, 13, 45, 53));
    EXPECT_EQ(group->m_rect, CRect(5, 3, 105, 103));
    CRect display;
    object.GetDisplayRect(&display, FALSE);
    EXPECT_EQ(display, CRect(5, 3, 105, 103));
    object.GetDisplayRect(&display, TRUE);
    EXPECT_EQ(display, CRect(15, 13, 45, 53));
}

TEST(ObjectGeometry, UpdatingTheLayoutRepaintsOldAndNewAreasAndReportsTheRectangle)
{
    CTestPageView view;
    CTestBoxOb object;
    object.Init(view, CRect(10, 10, 20, 20), FALSE);
    view.invalidated.clear();
    object.UpdateLayout(TRUE, FALSE);
    ASSERT_FALSE(view.invalidated.empty());
    EXPECT_EQ(CRect(view.invalidated.front()), CRect(10, 10, 20, 20));
    ASSERT_EQ(view.statusRects.size(), 1u);
    EXPECT_EQ(CRect(view.statusRects[0]), CRect(10, 10, 20, 20));
    EXPECT_EQ(CRect(object.GetRememberedRect()), CRect(10, 10, 20, 20));
    EXPECT_EQ(view.changed, 1);
    object.UpdateLayout(FALSE, 3);
    EXPECT_EQ(view.lastHint, 3);
    EXPECT_EQ(view.statusRects.size(), 1u) << "no new rectangle without recalculation";
    view.inserting = TRUE;
    object.NotifyDispChanged();
    EXPECT_EQ(view.changed, 2) << "no change notice while inserting";
}

TEST(ObjectGeometry, MovingAnObjectRepaintsThePlaceItLeaves)
{
    CTestPageView view;
    CTestBoxOb object;
    object.Init(view, CRect(10, 10, 20, 20), FALSE);
    view.invalidated.clear();
    object.SetRect(CRect(40, 40, 50, 50));
    ASSERT_EQ(view.invalidated.size(), 1u);
    EXPECT_EQ(CRect(view.invalidated.front()), CRect(10, 10, 20, 20));
    object.SetRect(CRect(40, 40, 50, 50));
    EXPECT_EQ(view.invalidated.size(), 1u) << "a rectangle that stays repaints nothing";
}

TEST(ObjectGeometry, RectanglesInDeviceUnitsFollowTheZoom)
{
    CTestPageView view;
    view.zoom = 200;
    CTestBoxOb object;
    object.Init(view, CRect(10, 20, 30, 40), FALSE);
    RECT screen;
    object.GetScreenRect(&screen);
    EXPECT_EQ(CRect(screen), CRect(20, 40, 60, 80));
    RECT own;
    object.GetObjectRect(&own);
    EXPECT_EQ(CRect(own), CRect(10, 20, 30, 40));
}

} // namespace
