#include "PageTestKit.h"

#include "objects/LongObject.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

HBITMAP BluePicture(int width, int height)
{
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(0, 0, 255));
    dc.SelectObject(old);
    return static_cast<HBITMAP>(bitmap.Detach());
}

// An owner (0, 0, 100, 60) and a hot spot with a solid blue picture.
class HotSpots : public ::testing::Test {
protected:
    void SetUp() override { owner.Init(nullptr, CRect(0, 0, 100, 60), FALSE); }

    CHotSpotOb* AddSpot(int width, int height, int placement, int offsetX = 0, int offsetY = 0)
    {
        auto* spot = new CHotSpotOb(&owner);
        EXPECT_TRUE(spot->SetPicture(BluePicture(width, height), width, height));
        spot->m_placement = placement;
        spot->m_offsetX = offsetX;
        spot->m_offsetY = offsetY;
        owner.GetHotSpots().Add(spot);
        owner.UpdateHotSpots();
        return spot;
    }

    CTestBoxOb owner;
};

TEST_F(HotSpots, PlacementsPutThePictureOnTheOwner)
{
    struct Case {
        int placement;
        POINT at;
    };
    const Case cases[] = {
        { 0, { 5, 5 } },
        { 1, { 45, 5 } },
        { 2, { 75, 5 } },
        { 3, { 5, 45 } },
        { 4, { 45, 45 } },
        { 5, { 75, 45 } },
        { 6, { 5, 30 } },
        { 7, { 45, 30 } },
        { 8, { 75, 30 } },
        { 9, { 0, 0 } },
        { -1, { 0, 0 } },
    };
    for (const Case& c : cases) {
        CHotSpotOb* spot = AddSpot(20, 10, c.placement, 5, 5);
        EXPECT_EQ(spot->GetPosition().x, c.at.x) << c.placement;
        EXPECT_EQ(spot->GetPosition().y, c.at.y) << c.placement;
        owner.GetHotSpots().DeleteAll();
    }
}

TEST_F(HotSpots, WithoutAPictureTheSpotSitsAtTheTopLeftAndDrawsNothing)
{
    owner.SetRect(CRect(30, 40, 130, 100));
    auto* spot = new CHotSpotOb(&owner);
    spot->m_placement = 8;
    owner.GetHotSpots().Add(spot);
    owner.UpdateHotSpots();
    EXPECT_EQ(spot->GetPosition().x, 30);
    EXPECT_EQ(spot->GetPosition().y, 40);
    EXPECT_FALSE(spot->HasPicture());
    Canvas canvas(20, 20);
    spot->Draw(&canvas.dc);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 400);
}

TEST_F(HotSpots, APictureDrawsAtItsPlace)
{
    AddSpot(4, 3, 8, 5, 5);
    Canvas canvas(100, 60);
    owner.GetHotSpots().DrawAll(&canvas.dc);
    // Placement 8 on (0, 0, 100, 60) with a 4 x 3 picture and offsets 5, 5: (91, 34).
    EXPECT_EQ(canvas.Ink(), CRect(91, 34, 95, 37));
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 12);
}

TEST_F(HotSpots, EdgesHitAndTheEarlierSpotWins)
{
    CHotSpotOb* first = AddSpot(20, 10, 0);
    first->m_id = 1;
    CHotSpotOb* second = AddSpot(30, 30, 0);
    second->m_id = 2;
    struct Case {
        POINT point;
        int hit;
    };
    const Case cases[] = { { { 0, 0 }, 1 }, { { 20, 10 }, 1 }, { { 21, 10 }, 1 }, { { 21, 31 }, 0 },
        { { 30, 30 }, 1 }, { { 31, 30 }, 0 } };
    for (const Case& c : cases)
        EXPECT_EQ(owner.GetHotSpots().HitTestAll(c.point.x, c.point.y, 0, FALSE), c.hit)
            << c.point.x << "," << c.point.y;
    EXPECT_EQ(first->HitTest(20, 10, 0, FALSE), 1);
    EXPECT_EQ(first->HitTest(21, 10, 0, FALSE), 0);
    EXPECT_EQ(second->HitTest(30, 30, 0, FALSE), 1);
}

// Records the context-menu calls that clicks on its hot spots make.
class CMenuBoxOb : public CTestBoxOb {
public:
    BOOL TrackContextMenu(int id, CHotSpotOb* spot, int px, int py, UINT flags) override
    {
        lastId = id;
        lastSpot = spot;
        lastPoint = { px, py };
        lastFlags = flags;
        return 7;
    }
    int lastId = 0;
    CHotSpotOb* lastSpot = nullptr;
    POINT lastPoint {};
    UINT lastFlags = 0;
};

TEST(HotSpot, ANotifyingHitAsksTheOwnersMenu)
{
    CMenuBoxOb owner;
    owner.Init(nullptr, CRect(0, 0, 50, 50), FALSE);
    auto* spot = new CHotSpotOb(&owner);
    spot->m_id = 12;
    owner.GetHotSpots().Add(spot);
    owner.UpdateHotSpots();
    EXPECT_EQ(spot->HitTest(3, 4, 0x10, TRUE), 7);
    EXPECT_EQ(owner.lastId, 12);
    EXPECT_EQ(owner.lastSpot, spot);
    EXPECT_EQ(owner.lastPoint.x, 3);
    EXPECT_EQ(owner.lastFlags, 0x10u);
    EXPECT_EQ(spot->HitTest(60, 4, 0x10, TRUE), 0);
}

TEST(HotSpot, ASpotTakesItsOwnersSizeAtConstruction)
{
    CTestBoxOb owner;
    owner.Init(nullptr, CRect(10, 10, 40, 30), FALSE);
    CHotSpotOb spot(&owner);
    RECT rect;
    spot.Reposition();
    spot.GetRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(10, 10, 40, 30));
}

TEST(LongObject, ReadsAndWritesItsTargetUntilItIsCleared)
{
    LONG held = 5;
    CLongObject object;
    EXPECT_EQ(object.GetValue(), 0);
    object.SetValue(9);
    object.SetTarget(&held);
    EXPECT_EQ(object.GetValue(), 5);
    object.SetValue(11);
    EXPECT_EQ(held, 11);
    object.SetTarget(nullptr);
    EXPECT_EQ(object.GetValue(), 0);
    object.SetValue(13);
    EXPECT_EQ(held, 11);
    EXPECT_EQ(object.Standard, 0);
    EXPECT_TRUE(object.IsAutomationEnabled());
}

} // namespace
