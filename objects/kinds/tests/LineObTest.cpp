#include "objects/AnchorFmt.h"
#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/VersionTag.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/LinePageKit.h"
#include "platform/gdi/Dc.h"
#include "objects/HyperViewOb.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Automatic = static_cast<COLORREF>(-1);

TEST(ArrowHead, HeadsByHeightTable)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2, height;
        POINT wing1, wing2;
    };
    // Wings at 150 degrees either side of the line, seen from the tip, truncated toward zero.
    const Case cases[] = {
        {"height 8 along x", 0, 0, 100, 0, 8, {93, -3}, {93, 3}},
        {"a fifth of the line for -1", 0, 0, 100, 0, -1, {82, -9}, {82, 9}},
        {"longer than the line", 0, 0, 10, 0, 20, {-7, -9}, {-7, 9}},
        {"pointing up", 50, 100, 50, 0, 8, {46, 6}, {53, 6}},
    };
    for (const Case& c : cases) {
        const ArrowHead head = ComputeArrowHead(c.x1, c.y1, c.x2, c.y2, c.height);
        EXPECT_EQ(CPoint(head.points[0]), CPoint(c.x2, c.y2)) << c.name;
        EXPECT_EQ(CPoint(head.points[1]), CPoint(c.wing1)) << c.name;
        EXPECT_EQ(CPoint(head.points[2]), CPoint(c.wing2)) << c.name;
        EXPECT_EQ(CPoint(head.points[3]), CPoint(c.x2, c.y2)) << c.name;
        EXPECT_EQ(CPoint(head.points[4]), CPoint((c.wing1.x + c.wing2.x) / 2, (c.wing1.y + c.wing2.y) / 2)) << c.name;
    }
}

TEST(ArrowHead, ALineOfLengthZeroGetsAHeadOnItsTip)
{
    const ArrowHead head = ComputeArrowHead(5, 5, 5, 5, 8);
    for (const POINT& p : head.points)
        EXPECT_EQ(CPoint(p), CPoint(5, 5));
}

TEST(ArrowHead, ADashedPenDrawsASolidHead)
{
    Canvas canvas {40, 40};
    CPen dashed(PS_DASH, 1, Black);
    CBrush brush(Black);
    canvas.dc.SelectObject(&dashed);
    canvas.dc.SelectObject(&brush);
    DrawArrowHead(&canvas.dc, 0, 20, 30, 20, 20);
    // Along the solid head's upper edge from the tip every pixel is drawn.
    for (int x = 14; x <= 28; x += 2)
        EXPECT_EQ(canvas.Pixel(x, 20), Black) << x;
}

TEST(NearSegment, DistancesTable)
{
    struct Case {
        const char* name;
        int px, py, x1, y1, x2, y2, tolerance;
        BOOL near;
    };
    constexpr Case cases[] = {
        {"vertical, within its range", 14, 50, 10, 0, 10, 100, 4, TRUE},
        {"vertical, too far sideways", 15, 50, 10, 0, 10, 100, 4, FALSE},
        {"vertical, beyond its end", 10, 106, 10, 0, 10, 100, 5, FALSE},
        {"vertical, to the nearer end", 13, 104, 10, 0, 10, 100, 5, TRUE},
        {"horizontal", 50, 3, 0, 0, 100, 0, 3, TRUE},
        {"diagonal, on the line", 30, 30, 0, 0, 100, 100, 0, TRUE},
        {"diagonal, empty corner", 90, 10, 0, 0, 100, 100, 5, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPointNearSegment(c.px, c.py, c.x1, c.y1, c.x2, c.y2, c.tolerance), c.near) << c.name;
}

struct LineFixture : ::testing::Test {
    LinePage page;

    CLineOb* NewLine(long x1, long y1, long x2, long y2)
    {
        auto line = std::make_unique<CLineOb>();
        line->Init(page.view, nullptr, TRUE);
        line->SetEndPoints(x1, y1, x2, y2);
        return page.AddObject(std::move(line));
    }
};

TEST_F(LineFixture, EndPointsReadBackAfterTheRectangleIsNormalised)
{
    CLineOb* line = NewLine(100, 50, 10, 80);
    CRect rect;
    EXPECT_EQ(*line->GetRect(&rect, nullptr), CRect(10, 50, 100, 80));
    EXPECT_EQ(line->m_ends.GetOrientation(), CConnectorEnds::Rising);
    EXPECT_EQ(line->GetX1(), 100);
    EXPECT_EQ(line->GetY1(), 50);
    EXPECT_EQ(line->GetX2(), 10);
    EXPECT_EQ(line->GetY2(), 80);
}

TEST_F(LineFixture, SettingX1BeyondX2MirrorsTheLine)
{
    CLineOb* line = NewLine(10, 20, 60, 70);
    line->SetX1(90);
    EXPECT_EQ(line->GetX1(), 90);
    EXPECT_EQ(line->GetY1(), 20);
    EXPECT_EQ(line->GetX2(), 60);
    EXPECT_EQ(line->GetY2(), 70);
    line->SetY2(5);
    EXPECT_EQ(line->GetY2(), 5);
    EXPECT_EQ(line->GetY1(), 20);
    EXPECT_EQ(line->GetX1(), 90);
}

TEST_F(LineFixture, AThinLineIsHitWithinTheZoomedTolerance)
{
    page.view.zoom = 50;
    CLineOb* line = NewLine(10, 50, 200, 50);
    line->GetTracker()->m_nStyle = 0;
    EXPECT_EQ(line->HitTest(CPoint(100, 60)), CRectTracker::hitMiddle);
    EXPECT_EQ(line->HitTest(CPoint(100, 40)), CRectTracker::hitMiddle);
    EXPECT_EQ(line->HitTest(CPoint(100, 64)), CRectTracker::hitNothing);
}

TEST_F(LineFixture, ADiagonalLineIsNotHitInTheEmptyCorners)
{
    CLineOb* line = NewLine(0, 0, 100, 100);
    line->GetTracker()->m_nStyle = 0;
    EXPECT_EQ(line->HitTest(CPoint(50, 52)), CRectTracker::hitMiddle);
    EXPECT_EQ(line->HitTest(CPoint(90, 10)), CRectTracker::hitNothing);
}

TEST_F(LineFixture, AnEndDrawnNearASnapPointAttachesAndFollowsTheBox)
{
    CBorderOb* box = page.AddBox("Box", CRect(100, 30, 140, 70));
    // Ends: (10, 10) free, (95, 45) near the box's left middle (100, 50).
    CLineOb* line = NewLine(95, 45, 10, 10);
    EXPECT_TRUE(line->m_ends.IsConnected());
    EXPECT_EQ(CPoint(line->GetX1(), line->GetY1()), CPoint(100, 50));

    box->SetRect(CRect(100, 60, 140, 100));
    box->UpdateLayout(TRUE, FALSE);
    // A line without heads may exchange which end is point 1; the ends stay where they belong.
    const CPoint start = line->m_ends.GetStartPoint(), end = line->m_ends.GetEndPoint();
    EXPECT_EQ(start.x < end.x ? end : start, CPoint(100, 80));
    EXPECT_EQ(start.x < end.x ? start : end, CPoint(10, 10));
    EXPECT_TRUE(line->m_ends.IsConnected());
}

TEST_F(LineFixture, ForeColourComesFromAColouredSnapPointOnlyWhenAutomatic)
{
    CBorderOb* box = page.AddBox("Box", CRect(100, 30, 140, 70));
    CAnchorItem* left = SnapPoint(box, 3);
    left->m_color = Red;
    left->m_colorFlag = 1;
    CLineOb* line = NewLine(100, 50, 10, 10);
    line->ForeColor = Automatic;
    line->UpdateLayout(TRUE, FALSE);
    COLORREF color;
    line->GetForeColor(&color);
    EXPECT_EQ(color, Red);
    line->ForeColor = RGB(0, 0, 255);
    line->GetForeColor(&color);
    EXPECT_EQ(color, RGB(0, 0, 255));
}

TEST_F(LineFixture, UpdateRectGrowsForHeadsButNeverShrinks)
{
    CLineOb* line = NewLine(10, 10, 50, 50);
    line->GetTracker()->m_nStyle = CHyperOb::SelectedStyle;
    CRect plain;
    line->GetUpdateRect(&plain, nullptr);
    line->Arrowhead = 3;
    line->ArrowheadHeight = 3;
    CRect grown;
    line->GetUpdateRect(&grown, nullptr);
    CRect expected = plain;
    expected.InflateRect(1, 1);
    EXPECT_EQ(grown, expected);
}

// The record after the common object record: tag version 2, pen style, pen width, colour,
// heads, head height (word), connection colour.
Bytes LineFields(uint32_t tag)
{
    return Concat({Dword(tag), Dword(2), Dword(3), Dword(0x00112233), Dword(1), Word(12), Dword(0x00445566)});
}

TEST_F(LineFixture, RecordIsVersion2AfterTheObjectRecord)
{
    CLineOb* line = NewLine(10, 10, 50, 50);
    line->PenStyle = 2;
    line->PenWidth = 3;
    line->ForeColor = 0x00112233;
    line->Arrowhead = 1;
    line->ArrowheadHeight = 12;
    line->m_connectionColor = 0x00445566;
    const Bytes base = StoreBytes([&](CArchive& ar) { line->CHyperOb::Serialize(ar); });
    const Bytes all = StoreBytes([&](CArchive& ar) { line->Serialize(ar); });
    ASSERT_GT(all.size(), base.size());
    EXPECT_EQ(Bytes(all.begin() + static_cast<std::ptrdiff_t>(base.size()), all.end()),
              LineFields(CVersionTag::Magic | 2));

    CLineOb loaded;
    EXPECT_EQ(LoadBytes(all, [&](CArchive& ar) { loaded.Serialize(ar); }), all.size());
    EXPECT_EQ(loaded.PenStyle, 2);
    EXPECT_EQ(loaded.PenWidth, 3);
    EXPECT_EQ(loaded.ArrowheadHeight, 12);
    EXPECT_EQ(loaded.m_connectionColor, 0x00445566u);
    ExpectCutRecordsFail(*line, {1, 4, 6});
}

TEST_F(LineFixture, OlderRecordsKeepTheConstructedFields)
{
    CLineOb* line = NewLine(10, 10, 50, 50);
    const Bytes base = StoreBytes([&](CArchive& ar) { line->CHyperOb::Serialize(ar); });
    struct Case {
        const char* name;
        Bytes fields;
        int arrowhead, height;
        COLORREF connection;
        int orientation;
    };
    const Case cases[] = {
        {"version 1", Concat({Dword(CVersionTag::Magic | 1), Dword(0), Dword(1), Dword(0), Dword(2), Word(9)}), 2, 9,
         Automatic, CConnectorEnds::Diagonal},
        {"version 0", Concat({Dword(CVersionTag::Magic), Dword(0), Dword(1), Dword(0), Dword(8)}), 0, 8, Automatic,
         CConnectorEnds::Vertical},
        {"no tag", Concat({Dword(0), Dword(1), Dword(0), Dword(6)}), 0, 8, Automatic, CConnectorEnds::Horizontal},
    };
    for (const Case& c : cases) {
        const Bytes record = Concat({base, c.fields});
        CLineOb loaded;
        EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); }), record.size()) << c.name;
        EXPECT_EQ(loaded.Arrowhead, c.arrowhead) << c.name;
        EXPECT_EQ(loaded.ArrowheadHeight, c.height) << c.name;
        EXPECT_EQ(loaded.m_connectionColor, c.connection) << c.name;
        EXPECT_EQ(loaded.m_ends.GetOrientation(), c.orientation) << c.name;
    }
}

TEST_F(LineFixture, DrawsTheSamePixelsWhateverTheSwapFlagWithAHeadAtTheFirstEnd)
{
    CLineOb* line = NewLine(5, 20, 35, 20);
    line->ForeColor = Black;
    line->Arrowhead = 1;
    line->ArrowheadHeight = 8;
    Canvas first {40, 40};
    line->Draw(&first.dc);
    // The head's wings lie 7 units back from the first end point, 4 to either side.
    const CPoint tip = line->m_ends.GetStartPoint();
    const int back = tip.x > 20 ? tip.x - 4 : tip.x + 4;
    EXPECT_EQ(first.Pixel(back, 18), Black) << first.Art();
    EXPECT_EQ(first.Pixel(back, 21), Black) << first.Art();
    EXPECT_EQ(first.Pixel(20, 20), Black);
    EXPECT_EQ(first.Pixel(20, 23), White);
    line->Arrowhead = 0;
    Canvas plain {40, 40};
    line->Draw(&plain.dc);
    line->m_ends.SetSwapped(!line->m_ends.IsSwapped());
    Canvas swapped {40, 40};
    line->Draw(&swapped.dc);
    EXPECT_EQ(plain.Art(), swapped.Art());
}

TEST_F(LineFixture, RubberBandAndSnapMarksDrawnTwiceRestoreTheScreen)
{
    page.AddBox("Box", CRect(100, 30, 140, 70));
    CLineOb* line = NewLine(10, 10, 60, 60);
    line->CollectSnapTargets();
    ASSERT_EQ(line->m_snapTargets.GetSize(), 1);
    // The second end dragged next to the box's left snap point (100, 50).
    line->GetTracker()->m_rect = CRect(10, 10, 96, 47);
    EXPECT_FALSE(line->UpdateConnectedEnds(2, 0));
    EXPECT_TRUE(line->m_endSnapped);
    EXPECT_EQ(line->m_dragEnd, CPoint(100, 50));
    Canvas canvas {160, 90};
    const std::string before = canvas.Art();
    EXPECT_TRUE(line->DrawDragFeedback(nullptr, &canvas.dc, nullptr, FALSE));
    EXPECT_NE(canvas.Art(), before);
    EXPECT_FALSE(line->m_endMark.IsRectEmpty());
    EXPECT_TRUE(line->DrawDragFeedback(nullptr, &canvas.dc, nullptr, TRUE));
    EXPECT_EQ(canvas.Art(), before);
    line->EraseSnapMarks();
    EXPECT_EQ(line->m_snapTargets.GetSize(), 0);
}

TEST(LineGenerator, DropsTheHelpContextAndNamesItsType)
{
    RegisterStringResource(CLineOb::TypeNameId, "Inserts Line object in worksheet\nLine");
    CLineGen line;
    EXPECT_EQ(line.GetTypeName(), CString("Line"));
    EXPECT_EQ(line.CreateProperty(CHyperViewOb::HelpContextId, FALSE), nullptr);
    std::unique_ptr<CPropOb> heads(line.CreateProperty(C1DOb::ArrowheadTypeId, TRUE));
    EXPECT_NE(heads, nullptr);
}

} // namespace
