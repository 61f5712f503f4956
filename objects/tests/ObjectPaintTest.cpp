#include "PageTestKit.h"

#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/ViewSettings.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Cyan = RGB(0, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

std::unique_ptr<CTestBoxOb> RedBox(CTestPageView& view, const CRect& rect)
{
    auto object = std::make_unique<CTestBoxOb>();
    object->Init(view, rect, FALSE);
    object->BackColor = Red;
    return object;
}

void Zoom(Canvas& canvas, int percent)
{
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(100, 100);
    canvas.dc.SetViewportExt(percent, percent);
}

// A drawn handle: outlined in black, filled inside.
void ExpectHandle(const Canvas& canvas, const CRect& handle, COLORREF fill, const char* name)
{
    EXPECT_EQ(canvas.Pixel(handle.left, handle.top), Black) << name;
    EXPECT_EQ(canvas.Pixel(handle.right - 1, handle.bottom - 1), Black) << name;
    EXPECT_EQ(canvas.Pixel(handle.left + 1, handle.top + 1), fill) << name;
    EXPECT_EQ(canvas.Pixel(handle.right - 2, handle.bottom - 2), fill) << name;
    EXPECT_NE(canvas.Pixel(handle.left - 1, handle.top + 3), Black) << name << " starts at its left edge";
    EXPECT_NE(canvas.Pixel(handle.right, handle.top + 3), Black) << name << " ends at its right edge";
}

TEST(ObjectPaint, AnObjectDrawsAtItsRectangle)
{
    CTestPageView view;
    view.editMode = FALSE;
    auto object = RedBox(view, CRect(20, 30, 60, 50));
    Canvas canvas(200, 200);
    object->Paint(&canvas.dc);
    EXPECT_EQ(canvas.Ink(), CRect(20, 30, 60, 50));
    EXPECT_EQ(canvas.Count(Red), 40 * 20);
}

TEST(ObjectPaint, HiddenObjectsAndHiddenLayersDrawNothing)
{
    struct Case {
        const char* name;
        BOOL editMode;
        const char* visible;
        bool hiddenLayer;
        bool drawn;
    };
    const Case cases[] = {
        { "visible", FALSE, "1", false, true },
        { "invisible in run mode", FALSE, "0", false, false },
        { "invisible in edit mode", TRUE, "0", false, true },
        { "hidden layer in run mode", FALSE, "1", true, false },
        { "hidden layer in edit mode", TRUE, "1", true, false },
    };
    for (const Case& c : cases) {
        CTestPageView view;
        view.editMode = c.editMode;
        auto object = RedBox(view, CRect(20, 30, 60, 50));
        object->Visible.Set(CObValue::KindLiteral, c.visible);
        object->LayerID = 3;
        if (c.hiddenLayer)
            view.hiddenLayers.insert(3);
        Canvas canvas(200, 200);
        object->Paint(&canvas.dc);
        EXPECT_EQ(canvas.Count(Red) > 0, c.drawn) << c.name;
    }
}

TEST(ObjectPaint, TheDisplayModeShowsOnlyAFilledRectangle)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(10, 10, 30, 20));
    object->Select(TRUE);
    object->SetParam(1);
    Canvas canvas(100, 100);
    object->Paint(&canvas.dc);
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 30, 20));
    EXPECT_EQ(canvas.Count(GetSysColor(COLOR_BTNTEXT)), 20 * 10);
}

TEST(ObjectPaint, SelectionHandlesAtFullSize)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(FALSE);
    Canvas canvas(200, 200);
    object->Paint(&canvas.dc);
    const std::pair<const char*, CRect> handles[] = {
        { "top-left", CRect(44, 44, 51, 51) },
        { "top-right", CRect(99, 44, 106, 51) },
        { "bottom-right", CRect(99, 89, 106, 96) },
        { "bottom-left", CRect(44, 89, 51, 96) },
        { "top", CRect(71, 44, 78, 51) },
        { "right", CRect(99, 66, 106, 73) },
        { "bottom", CRect(71, 89, 78, 96) },
        { "left", CRect(44, 66, 51, 73) },
    };
    for (const auto& [name, rect] : handles)
        ExpectHandle(canvas, rect, Green, name);
    EXPECT_EQ(canvas.Count(Green), 8 * 25);
    EXPECT_EQ(canvas.Ink(), CRect(44, 44, 106, 96));
}

TEST(ObjectPaint, ThePrimarySelectionHasItsOwnHandleColour)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(TRUE);
    Canvas canvas(200, 200);
    object->Paint(&canvas.dc);
    ExpectHandle(canvas, CRect(44, 44, 51, 51), Cyan, "top-left");
    EXPECT_EQ(canvas.Count(Green), 0);
}

TEST(ObjectPaint, SelectionHandlesKeepTheirSizeOutsideTheRectangleAtDoubleSize)
{
    CTestPageView view;
    view.zoom = 200;
    auto object = RedBox(view, CRect(20, 20, 60, 50));
    object->Select(FALSE);
    Canvas canvas(200, 200);
    Zoom(canvas, 200);
    object->Paint(&canvas.dc);
    const std::pair<const char*, CRect> handles[] = {
        { "top-left", CRect(33, 33, 40, 40) },
        { "top-right", CRect(120, 33, 127, 40) },
        { "bottom-right", CRect(120, 100, 127, 107) },
        { "bottom-left", CRect(33, 100, 40, 107) },
        { "top", CRect(76, 33, 83, 40) },
        { "right", CRect(120, 67, 127, 74) },
        { "bottom", CRect(77, 100, 84, 107) },
        { "left", CRect(33, 66, 40, 73) },
    };
    for (const auto& [name, rect] : handles)
        ExpectHandle(canvas, rect, Green, name);
    EXPECT_EQ(canvas.Count(Green), 8 * 25);
    EXPECT_EQ(canvas.Count(Red), 80 * 60);
}

TEST(ObjectPaint, ZoomDecidesWhichHandlesAreDrawn)
{
    struct Case {
        int zoom;
        CRect rect;
        UINT mask;
    };
    const Case cases[] = {
        { 200, CRect(20, 20, 60, 50), 0xFF },
        { 200, CRect(20, 20, 32, 50), 0xAF },
        { 200, CRect(20, 20, 60, 32), 0x5F },
        { 200, CRect(20, 20, 30, 30), 0x0F },
        { 150, CRect(20, 20, 35, 80), 0xAF },
        { 50, CRect(20, 20, 180, 180), 0x0F },
        { 100, CRect(20, 20, 45, 70), 0xAF },
    };
    for (const Case& c : cases) {
        CTestPageView view;
        view.zoom = c.zoom;
        auto object = RedBox(view, c.rect);
        object->Select(FALSE);
        EXPECT_EQ(object->GetTracker()->GetDrawMask(), c.mask) << c.zoom << " " << c.rect.Width();
        Canvas canvas(200, 200);
        Zoom(canvas, c.zoom);
        object->Paint(&canvas.dc);
        int handles = 0;
        for (UINT mask = c.mask; mask; mask &= mask - 1)
            ++handles;
        EXPECT_EQ(canvas.Count(Green), handles * 25) << c.zoom << " " << c.rect.Width();
    }
}

TEST(ObjectPaint, NoHandlesOnPaperInRunModeOrWhenSwitchedOff)
{
    const std::function<void(CTestPageView&, Canvas&)> setUps[] = {
        [](CTestPageView&, Canvas& canvas) { canvas.dc.m_bPrinting = TRUE; },
        [](CTestPageView& view, Canvas&) { view.editMode = FALSE; },
        [](CTestPageView& view, Canvas&) { view.showsHandles = FALSE; },
    };
    for (const auto& setUp : setUps) {
        CTestPageView view;
        auto object = RedBox(view, CRect(50, 50, 100, 90));
        object->Select(TRUE);
        Canvas canvas(200, 200);
        setUp(view, canvas);
        object->Paint(&canvas.dc);
        EXPECT_EQ(canvas.Ink(), CRect(50, 50, 100, 90));
    }
}

TEST(ObjectPaint, FlaggedHandlesShowInTheFlagColour)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(FALSE);
    object->GetTracker()->m_nStyle |= 0x100u << 2;
    Canvas canvas(200, 200);
    object->Paint(&canvas.dc);
    EXPECT_EQ(canvas.Pixel(102, 92), Red);
    EXPECT_EQ(canvas.Pixel(47, 47), Green);
}

TEST(ObjectPaint, GroupMembersShowTheGroupsHandles)
{
    CTestPageView view;
    auto holder = RedBox(view, CRect(50, 50, 100, 90));
    holder->GroupID = 2;
    auto* group = new CGroupInfo;
    group->m_rect.SetRect(30, 30, 120, 120);
    holder->SetOwnGroupInfo(group);
    auto member = RedBox(view, CRect(60, 60, 70, 70));
    member->GroupID = 2;
    holder->Select(FALSE);
    member->Select(FALSE);
    Canvas canvas(200, 200);
    holder->DrawTracker(&canvas.dc);
    member->DrawTracker(&canvas.dc);
    EXPECT_EQ(canvas.Ink(), CRect(24, 24, 126, 126));
}

TEST(ObjectPaint, ATurnedOutlineIsFilledWithTheBackgroundColour)
{
    CTestBoxOb object;
    object.Init(nullptr, CRect(20, 20, 60, 40), TRUE);
    object.BackColor = Red;
    object.SetRotateAngle(90.0);
    object.RecalcRect();
    Canvas canvas(100, 100);
    object.DrawOutline(&canvas.dc);
    EXPECT_EQ(canvas.Pixel(40, 30), Red);
    EXPECT_EQ(canvas.Pixel(40, 12), Red);
    EXPECT_EQ(canvas.Pixel(22, 30), RGB(255, 255, 255)) << "outside the turned outline";
}

TEST(ObjectPaint, ClippingToTheUpdateRectangleSparesPrinters)
{
    CTestBoxOb object;
    const CRect update(10, 10, 30, 20);
    Canvas screen(100, 100);
    screen.dc.IntersectClipRect(0, 0, 5, 5);
    object.SetClip(&screen.dc, &update);
    RECT box;
    screen.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), update);
    Canvas paper(100, 100);
    paper.dc.m_bPrinting = TRUE;
    paper.dc.IntersectClipRect(0, 0, 5, 5);
    object.SetClip(&paper.dc, &update);
    paper.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 5, 5));
}

struct HitCase {
    const char* name;
    POINT point;
    int hit;
};

TEST(ObjectHitTest, HandlesEdgesAndBodyOfASelectedObject)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(FALSE);
    const HitCase cases[] = {
        { "top-left", { 47, 47 }, 0 },
        { "top-left corner", { 44, 44 }, 0 },
        { "top-left inner edge", { 50, 50 }, 0 },
        { "left of top-left", { 43, 44 }, -1 },
        { "right of top-left", { 51, 44 }, -1 },
        { "top-right", { 105, 44 }, 1 },
        { "bottom-right", { 105, 95 }, 2 },
        { "below bottom-right", { 105, 96 }, -1 },
        { "bottom-left", { 44, 95 }, 3 },
        { "top", { 74, 47 }, 4 },
        { "right", { 102, 69 }, 5 },
        { "bottom", { 74, 92 }, 6 },
        { "left", { 47, 69 }, 7 },
        { "body", { 75, 70 }, 8 },
        { "edge outside by one", { 49, 60 }, 8 },
        { "edge outside by two", { 48, 60 }, -1 },
        { "right edge outside by one", { 100, 60 }, 8 },
        { "right edge outside by two", { 101, 60 }, -1 },
        { "far away", { 150, 150 }, -1 },
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(object->HitTest(c.point), c.hit) << c.name;
}

TEST(ObjectHitTest, TheViewsModesDecideWhetherHandlesCount)
{
    struct Case {
        const char* name;
        std::function<void(CTestPageView&, CHyperOb&)> setUp;
        int handleHit;
        int bodyHit;
    };
    const Case cases[] = {
        { "resize mode", [](CTestPageView&, CHyperOb&) {}, 0, 8 },
        { "neither resize nor handle mode", [](CTestPageView& v, CHyperOb&) { v.resizeMode = FALSE; }, -1,
            8 },
        { "handle mode",
            [](CTestPageView& v, CHyperOb&) {
                v.resizeMode = FALSE;
                v.handleMode = TRUE;
            },
            0, 8 },
        { "cannot resize", [](CTestPageView&, CHyperOb& o) { o.DfltCanResize = FALSE; }, -1, 8 },
        { "view forbids resizing", [](CTestPageView& v, CHyperOb&) { v.noResize = TRUE; }, -1, 8 },
        { "run mode", [](CTestPageView& v, CHyperOb&) { v.editMode = FALSE; }, 8, 8 },
        { "not selected", [](CTestPageView&, CHyperOb& o) { o.Deselect(FALSE); }, -1, 8 },
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto object = RedBox(view, CRect(50, 50, 100, 90));
        object->Select(FALSE);
        c.setUp(view, *object);
        EXPECT_EQ(object->HitTest(CPoint(47, 47)), c.handleHit) << c.name;
        EXPECT_EQ(object->HitTest(CPoint(75, 70)), c.bodyHit) << c.name;
    }
}

TEST(ObjectHitTest, HandlesAreFoundInDeviceUnitsAtDoubleSize)
{
    CTestPageView view;
    view.zoom = 200;
    auto object = RedBox(view, CRect(20, 20, 60, 50));
    object->Select(FALSE);
    const HitCase cases[] = {
        { "top-left", { 17, 17 }, 0 },
        { "beyond top-left", { 16, 16 }, -1 },
        { "top", { 39, 17 }, 4 },
        { "right", { 61, 35 }, 5 },
        { "body", { 40, 40 }, 8 },
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(object->HitTest(c.point), c.hit) << c.name;
}

TEST(ObjectHitTest, HotSpotsShowTheirCursor)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(0, 0, 100, 60));
    auto* spot = new CHotSpotOb(object.get());
    CBitmap bitmap;
    Canvas screen(1, 1);
    bitmap.CreateCompatibleBitmap(&screen.dc, 20, 10);
    spot->SetPicture(static_cast<HBITMAP>(bitmap.Detach()), 20, 10);
    spot->m_placement = 8;
    object->GetHotSpots().Add(spot);
    object->UpdateHotSpots();
    EXPECT_EQ(object->GetHotSpotCursor(85, 30, 0, FALSE), CHyperOb::CursorHotSpot);
    EXPECT_EQ(object->GetHotSpotCursor(79, 30, 0, FALSE), 0u);
}

TEST(ObjectCursor, EachHitChoosesItsCursor)
{
    struct Case {
        const char* name;
        std::function<void(CTestPageView&, CHyperOb&)> setUp;
        POINT point;
        UINT cursor;
        BOOL result;
    };
    const Case cases[] = {
        { "top-left handle", [](CTestPageView&, CHyperOb&) {}, { 47, 47 }, CRectTracker::CursorSizeNWSE,
            TRUE },
        { "top-right handle", [](CTestPageView&, CHyperOb&) {}, { 102, 47 }, CRectTracker::CursorSizeNESW,
            TRUE },
        { "top handle", [](CTestPageView&, CHyperOb&) {}, { 74, 47 }, CRectTracker::CursorSizeNS, TRUE },
        { "left handle", [](CTestPageView&, CHyperOb&) {}, { 47, 69 }, CRectTracker::CursorSizeWE, TRUE },
        { "body", [](CTestPageView&, CHyperOb&) {}, { 75, 70 }, CRectTracker::CursorSizeAll, TRUE },
        { "outside", [](CTestPageView&, CHyperOb&) {}, { 150, 150 }, CHyperOb::CursorArrow, FALSE },
        { "handle of a group member", [](CTestPageView&, CHyperOb& o) { o.GroupID = 1; }, { 47, 47 },
            CHyperOb::CursorArrow, FALSE },
        { "handle mode on a handle", [](CTestPageView& v, CHyperOb&) { v.handleMode = TRUE; }, { 47, 47 },
            CHyperOb::CursorHandleModeHandle, TRUE },
        { "handle mode in the body", [](CTestPageView& v, CHyperOb&) { v.handleMode = TRUE; }, { 75, 70 },
            CHyperOb::CursorHandleMode, TRUE },
        { "handle mode outside", [](CTestPageView& v, CHyperOb&) { v.handleMode = TRUE; }, { 150, 150 },
            CHyperOb::CursorHandleMode, TRUE },
        { "over text", [](CTestPageView&, CHyperOb& o) { o.m_textRect1.SetRect(60, 60, 80, 80); }, { 70, 70 },
            CHyperOb::CursorIBeam, TRUE },
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto object = RedBox(view, CRect(50, 50, 100, 90));
        object->Select(FALSE);
        c.setUp(view, *object);
        EXPECT_EQ(object->OnSetCursor(c.point, 1), c.result) << c.name;
        EXPECT_EQ(view.cursor, c.cursor) << c.name;
    }
}

TEST(ObjectCursor, ATurnedObjectShowsTheTurnedCursorInsideAndTheArrowOnHandles)
{
    CTestPageView view;
    CTestBoxOb object;
    object.Init(view, CRect(100, 100, 200, 160), TRUE);
    object.SetRotateAngle(30.0);
    object.RecalcRect();
    object.Select(FALSE);
    EXPECT_TRUE(object.OnSetCursor(CPoint(150, 130), 1));
    EXPECT_EQ(view.cursor, CHyperOb::CursorRotated);
    EXPECT_FALSE(object.OnSetCursor(CPoint(88, 75), 1));
    EXPECT_EQ(view.cursor, CHyperOb::CursorArrow);
}

TEST(ObjectCursor, TextCursorOnlyWhereInlineEditingIsAllowed)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->m_textRect1.SetRect(60, 60, 80, 80);
    object->DfltCanInlineEditText = FALSE;
    EXPECT_FALSE(object->SetTextCursor(CPoint(70, 70)));
    object->DfltCanInlineEditText = TRUE;
    EXPECT_FALSE(object->SetTextCursor(CPoint(81, 70)));
    EXPECT_TRUE(object->SetTextCursor(CPoint(70, 70)));
}

TEST(ObjectSelection, SelectingSetsTheStyleAndTellsTheViewOnce)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(TRUE);
    EXPECT_EQ(object->GetTracker()->m_nStyle, 0x94u);
    object->Select(FALSE);
    EXPECT_EQ(object->GetTracker()->m_nStyle, 0x14u);
    EXPECT_EQ(view.selected, 1);
    ASSERT_EQ(view.statusRects.size(), 1u);
    EXPECT_EQ(CRect(view.statusRects[0]), CRect(50, 50, 100, 90));
    EXPECT_EQ(CRect(object->GetRememberedRect()), CRect(50, 50, 100, 90));
    object->Deselect(TRUE);
    object->Deselect(TRUE);
    EXPECT_EQ(object->GetTracker()->m_nStyle, 0u);
    EXPECT_EQ(view.deselected, 1);
}

TEST(ObjectSelection, WhileInsertingTheSelectionSwitchDecides)
{
    CTestPageView view;
    view.inserting = TRUE;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    int saved = GetViewSettings().m_selectionFlag;
    GetViewSettings().m_selectionFlag = 0;
    object->Select(TRUE);
    EXPECT_EQ(object->GetTracker()->m_nStyle, 0u);
    GetViewSettings().m_selectionFlag = 1;
    object->Select(TRUE);
    EXPECT_EQ(object->GetTracker()->m_nStyle, 0x94u);
    EXPECT_EQ(view.selected, 0) << "no notice while inserting";
    GetViewSettings().m_selectionFlag = saved;
}

TEST(ObjectSelection, RubberBandsCatchObjectsTheyTouch)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    const std::pair<CRect, BOOL> cases[] = {
        { CRect(0, 0, 50, 50), TRUE },
        { CRect(0, 0, 49, 49), FALSE },
        { CRect(100, 90, 120, 120), TRUE },
        { CRect(101, 50, 120, 60), FALSE },
        { CRect(60, 60, 70, 70), TRUE },
    };
    for (const auto& [band, touches] : cases)
        EXPECT_EQ(object->IntersectsRect(&band), touches) << band.left << "," << band.top;
}

TEST(ObjectSelection, TheUpdateAreaHoldsTheHandlesInEditMode)
{
    CTestPageView view;
    auto object = RedBox(view, CRect(50, 50, 100, 90));
    object->Select(FALSE);
    CRect area;
    object->GetUpdateRect(&area, nullptr);
    EXPECT_EQ(area, CRect(42, 42, 108, 98));
    view.editMode = FALSE;
    object->GetUpdateRect(&area, nullptr);
    EXPECT_EQ(area, CRect(50, 50, 100, 90));
}

} // namespace
