#include "platform/ui/RectTracker.h"

#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

namespace {

TEST(RectTracker, HandlesOutsideOverlapTheRectangleByOnePixel)
{
    CRectTracker tracker(CRect(10, 10, 50, 40), CRectTracker::resizeOutside);
    tracker.m_nHandleSize = 7;
    const std::pair<int, CRect> cases[] = {
        { 0, CRect(4, 4, 11, 11) },
        { 1, CRect(49, 4, 56, 11) },
        { 2, CRect(49, 39, 56, 46) },
        { 3, CRect(4, 39, 11, 46) },
        { 4, CRect(26, 4, 33, 11) },
        { 5, CRect(49, 21, 56, 28) },
        { 6, CRect(26, 39, 33, 46) },
        { 7, CRect(4, 21, 11, 28) },
    };
    for (const auto& [handle, expected] : cases) {
        CRect rect;
        tracker.GetHandleRect(handle, &rect);
        EXPECT_EQ(rect, expected) << handle;
    }
}

TEST(RectTracker, InsideHandlesShrinkOnSmallRectangles)
{
    CRectTracker tracker(CRect(0, 0, 10, 30), CRectTracker::resizeInside);
    tracker.m_nHandleSize = 7;
    EXPECT_EQ(tracker.GetHandleSize(), 5);
    CRect rect;
    tracker.GetHandleRect(CRectTracker::hitBottomRight, &rect);
    EXPECT_EQ(rect, CRect(5, 25, 10, 30));
    tracker.m_nStyle = CRectTracker::resizeOutside;
    EXPECT_EQ(tracker.GetHandleSize(), 7);
}

TEST(RectTracker, EdgeHandlesNeedRoom)
{
    const std::pair<CRect, UINT> cases[] = {
        { CRect(0, 0, 26, 26), 0xFF },
        { CRect(0, 0, 25, 26), 0xAF },
        { CRect(0, 0, 26, 25), 0x5F },
        { CRect(0, 0, 10, 10), 0x0F },
        { CRect(26, 26, 0, 0), 0xFF },
    };
    for (const auto& [rect, mask] : cases) {
        CRectTracker tracker(rect, CRectTracker::resizeOutside);
        tracker.m_nHandleSize = 7;
        EXPECT_EQ(tracker.GetHandleMask(), mask) << rect.Width() << "x" << rect.Height();
    }
}

TEST(RectTracker, HitCodesAtTheirBoundaries)
{
    struct Case {
        UINT style;
        POINT point;
        int hit;
    };
    const UINT outside = CRectTracker::resizeOutside;
    const UINT hatched = CRectTracker::resizeOutside | CRectTracker::hatchedBorder;
    const Case cases[] = {
        { outside, { 4, 4 }, 0 },
        { outside, { 3, 4 }, -1 },
        { outside, { 10, 10 }, 0 },
        { outside, { 11, 11 }, 8 },
        { outside, { 55, 45 }, 2 },
        { outside, { 56, 45 }, -1 },
        { outside, { 30, 5 }, 4 },
        { outside, { 20, 5 }, -1 },
        { hatched, { 20, 5 }, 8 },
        { 0, { 10, 10 }, 8 },
        { 0, { 49, 39 }, 8 },
        { 0, { 50, 39 }, -1 },
        { 0, { 9, 20 }, -1 },
    };
    for (const Case& c : cases) {
        CRectTracker tracker(CRect(10, 10, 50, 40), c.style);
        tracker.m_nHandleSize = 7;
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.style << " " << c.point.x << "," << c.point.y;
    }
}

TEST(RectTracker, AnInvertedRectangleSwapsItsHandles)
{
    CRectTracker tracker(CRect(50, 40, 10, 10), CRectTracker::resizeOutside);
    tracker.m_nHandleSize = 7;
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitLeft), CRectTracker::hitRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitMiddle), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(52, 42)), CRectTracker::hitTopLeft);
}

TEST(RectTracker, CursorsFollowTheHandle)
{
    const std::pair<int, UINT> cases[] = { { 0, CRectTracker::CursorSizeNWSE },
        { 1, CRectTracker::CursorSizeNESW }, { 2, CRectTracker::CursorSizeNWSE },
        { 3, CRectTracker::CursorSizeNESW }, { 4, CRectTracker::CursorSizeNS },
        { 5, CRectTracker::CursorSizeWE }, { 6, CRectTracker::CursorSizeNS },
        { 7, CRectTracker::CursorSizeWE }, { 8, CRectTracker::CursorSizeAll }, { -1, 0u } };
    for (const auto& [hit, cursor] : cases)
        EXPECT_EQ(CRectTracker::GetCursorId(hit), cursor) << hit;
}

TEST(RectTracker, DrawsItsFrameAndHandlesInDevicePixels)
{
    Canvas canvas(24, 24);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(2, 2);
    CRectTracker tracker(CRect(3, 3, 9, 9), CRectTracker::solidLine | CRectTracker::resizeInside);
    tracker.m_nHandleSize = 3;
    tracker.Draw(&canvas.dc);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 0, 0)) << "frame one pixel outside";
    EXPECT_EQ(canvas.Pixel(18, 12), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(6, 6), RGB(0, 0, 0)) << "top-left handle";
    EXPECT_EQ(canvas.Pixel(9, 9), RGB(255, 255, 255)) << "handles are 3 device pixels";
    EXPECT_EQ(canvas.Ink(), CRect(5, 5, 19, 19));
}

} // namespace
