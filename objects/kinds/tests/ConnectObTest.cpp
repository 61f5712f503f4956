#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/VersionTag.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/LinePageKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SegmentRect, SegmentsAgainstTheRectangle)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        BOOL touches;
    };
    const CRect rect(0, 40, 100, 60);
    constexpr Case cases[] = {
        {"vertical beside it", 150, 0, 150, 100, FALSE},
        {"vertical through it", 50, 0, 50, 100, TRUE},
        {"vertical ending above", 50, 0, 50, 30, FALSE},
        {"horizontal through it", -10, 50, 120, 50, TRUE},
        {"diagonal across a corner", 90, 30, 110, 50, TRUE},
        {"diagonal passing by", 110, 30, 130, 50, FALSE},
        {"an end inside", 10, 45, 300, 300, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSegmentRectTest(rect, c.x1, c.y1, c.x2, c.y2).Intersects(), c.touches) << c.name;
}

// Box A's right snap point is at (100, 50), box B's left one at (200, 90).
struct ConnectorFixture : ::testing::Test {
    LinePage page;
    CBorderOb* a = page.AddBox("A", CRect(60, 30, 100, 70));
    CBorderOb* b = page.AddBox("B", CRect(200, 70, 240, 110));

    // A connector drawn from the press to the release, as the tool inserts it.
    CConnectOb* Draw(CPoint press, CPoint release)
    {
        auto connector = std::make_unique<CConnectGen>();
        connector->Init(page.view, nullptr, TRUE);
        connector->SetRect(CRect(press, release));
        if (!connector->OnInsert())
            return nullptr;
        connector->Code = "Connector1";
        return page.AddObject(std::move(connector));
    }

    std::vector<CPoint> Path(const CConnectOb& connector) const
    {
        std::vector<CPoint> points;
        for (int i = 0; i < connector.GetNumberOfPoints(); ++i)
            points.push_back(connector.GetPoint(i));
        return points;
    }
};

TEST_F(ConnectorFixture, ADrawnConnectorAttachesBothEndsAndBendsOnce)
{
    CConnectOb* connector = Draw(CPoint(97, 47), CPoint(204, 93));
    ASSERT_NE(connector, nullptr);
    EXPECT_EQ(connector->m_ends.m_ends[0].code, CString("A"));
    EXPECT_EQ(connector->m_ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(Path(*connector), (std::vector<CPoint>{{100, 50}, {100, 90}, {200, 90}}));
    CRect rect;
    EXPECT_EQ(*connector->GetRect(&rect, nullptr), CRect(100, 50, 200, 90));
}

TEST_F(ConnectorFixture, AConnectorReleasedOverEmptySpaceIsNotInserted)
{
    EXPECT_EQ(Draw(CPoint(97, 47), CPoint(150, 150)), nullptr);
    EXPECT_EQ(SnapPoint(a, 1)->m_connectionsIn, 0) << "its attachment was let go";
}

TEST_F(ConnectorFixture, TheEndsFollowAMovedBox)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    b->SetRect(CRect(200, 170, 240, 210));
    b->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(Path(*connector), (std::vector<CPoint>{{100, 50}, {100, 190}, {200, 190}}));
    // The view moves a box and then refreshes the connectors.
    a->SetRect(CRect(0, 0, 40, 40));
    connector->Refresh(TRUE);
    EXPECT_EQ(Path(*connector).front(), CPoint(40, 20));
    EXPECT_TRUE(connector->m_ends.IsStartConnected());
    EXPECT_TRUE(page.view.deletions.empty());
}

TEST_F(ConnectorFixture, AConnectorWhoseTargetGoesAsksToBeDeleted)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    page.Remove(b);
    b->GetSnapPoints(FALSE)->DetachConnectors();
    EXPECT_FALSE(connector->m_ends.IsEndConnected());
    EXPECT_EQ(page.view.deletions, std::vector<CHyperBaseOb*>{connector});
}

TEST_F(ConnectorFixture, ASnapPointThatIsGoneFreesItsEnd)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    b->GetSnapPoints(FALSE)->SetPositionMask(0x10);
    connector->Refresh(TRUE);
    EXPECT_FALSE(connector->m_ends.IsEndConnected());
    // Asking more than once is harmless: the view deletes what it still has.
    ASSERT_FALSE(page.view.deletions.empty());
    EXPECT_EQ(page.view.deletions.front(), connector);
}

TEST_F(ConnectorFixture, CopiesKeepTheEndsAndTheSnapPointsWithTheirCounts)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    std::unique_ptr<CHyperOb> connectorCopy(connector->Clone());
    std::unique_ptr<CHyperOb> boxCopy(a->Clone());
    auto* copied = dynamic_cast<CConnectOb*>(connectorCopy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->m_ends.m_ends[0].code, CString("A"));
    EXPECT_EQ(copied->m_ends.m_ends[1].snapId, 3);
    EXPECT_EQ(copied->GetNumberOfPoints(), 3);
    EXPECT_EQ(copied->m_ends.GetEndPoint(), CPoint(200, 90)) << "the copy's ends are its own points";
    ASSERT_EQ(boxCopy->GetSnapPoints(TRUE)->GetCount(), 4);
    EXPECT_EQ(SnapPoint(boxCopy.get(), 1)->m_connectionsIn, 1);
}

TEST_F(ConnectorFixture, AnUnselectedPathIsRepaintedUpToItsBottomAndRightSegments)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    connector->GetTracker()->m_nStyle = 0;
    page.view.editMode = FALSE;
    CRect area;
    connector->GetUpdateRect(&area, nullptr);
    EXPECT_TRUE(area.PtInRect(CPoint(150, 90))) << "the bottom segment runs along y = 90";
    EXPECT_TRUE(area.PtInRect(CPoint(200, 70)));
}

TEST_F(ConnectorFixture, HitOnlyAlongThePathNeverOnAHandle)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    EXPECT_EQ(connector->HitTest(CPoint(100, 70)), CRectTracker::hitMiddle);
    EXPECT_EQ(connector->HitTest(CPoint(150, 60)), CRectTracker::hitNothing);
    EXPECT_TRUE(connector->IntersectsRect(CRect(140, 85, 160, 95)));
    EXPECT_FALSE(connector->IntersectsRect(CRect(140, 55, 160, 65)));
}

TEST_F(ConnectorFixture, EndHandlesSitOnTheEndsAtEveryZoom)
{
    constexpr COLORREF Attached = RGB(0, 255, 0);
    constexpr int Width = 440, Height = 200;
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    ASSERT_NE(connector, nullptr);
    connector->Select(TRUE);
    const int half = connector->GetTracker()->m_nHandleSize / 2;
    for (int zoom : {50, 75, 100, 150, 200}) {
        page.view.zoom = zoom;
        Canvas canvas {Width, Height};
        canvas.dc.SetMapMode(MM_ANISOTROPIC);
        canvas.dc.SetWindowExt(100, 100);
        canvas.dc.SetViewportExt(zoom, zoom);
        connector->DrawTracker(&canvas.dc);
        const CPoint first(MulDiv(100, zoom, 100), MulDiv(50, zoom, 100));
        const CPoint last(MulDiv(200, zoom, 100), MulDiv(90, zoom, 100));
        const std::vector<COLORREF> pixels = canvas.Pixels();
        auto at = [&](CPoint p) { return pixels[static_cast<size_t>(p.y * Width + p.x)]; };
        EXPECT_EQ(at(first), Attached) << zoom << " %";
        EXPECT_EQ(at(last), Attached) << zoom << " %";
        EXPECT_NE(at(CPoint((first.x + last.x) / 2, (first.y + last.y) / 2)), Attached) << zoom << " %";
        // Inside their outlines the two squares keep the handle size in pixels.
        EXPECT_EQ(ColorBounds(canvas, Width, Height, Attached),
                  CRect(first.x - half + 1, first.y - half + 1, last.x + half, last.y + half))
            << zoom << " %";
    }
}

TEST_F(ConnectorFixture, ABlankLabelHasNoRectangle)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    Canvas canvas {300, 200};
    connector->Text = " \r\n";
    connector->LayoutLabel(&canvas.dc);
    EXPECT_TRUE(connector->m_textRect1.IsRectEmpty());
    connector->Text = "Flow";
    connector->LayoutLabel(&canvas.dc);
    EXPECT_FALSE(connector->m_textRect1.IsRectEmpty());
    // Half the path (70 of 140) lies in its second segment.
    EXPECT_EQ(connector->GetLabelCentre(), CPoint(150, 90));
    EXPECT_EQ(connector->m_textRect1.CenterPoint(), CPoint(150, 90));
}

TEST_F(ConnectorFixture, EndsDragOnlyWhileSnapPointsShow)
{
    struct Case {
        const char* name;
        BOOL showsSnapPoints;
        CPoint at;
        UINT cursor;
        BOOL dragged;
    };
    const Case cases[] = {
        {"first end, snap points shown", TRUE, {101, 51}, CBasePolyOb::CursorMovePoint, TRUE},
        {"last end, snap points shown", TRUE, {199, 90}, CBasePolyOb::CursorMovePoint, TRUE},
        {"last end, snap points hidden", FALSE, {200, 90}, CConnectL0::CursorEndFixed, FALSE},
    };
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    ASSERT_NE(connector, nullptr);
    connector->Select(TRUE);
    for (const Case& c : cases) {
        page.view.showsSnapPoints = c.showsSnapPoints;
        page.view.cursor = 0;
        page.view.undoTaken.clear();
        EXPECT_TRUE(connector->OnSetCursor(c.at, 0)) << c.name;
        EXPECT_EQ(page.view.cursor, c.cursor) << c.name;
        // A press on an end is always taken, so that it never moves the whole connector.
        EXPECT_TRUE(connector->OnEndMouseDown(c.at.x, c.at.y)) << c.name;
        // Without a window the drag is cancelled: the step is taken but never pushed.
        EXPECT_EQ(page.view.undoTaken, c.dragged ? std::vector<UINT>{CConnectL0::SnapUndoId} : std::vector<UINT>{})
            << c.name;
        EXPECT_EQ(page.view.pushedUndo, 0) << c.name;
    }
    EXPECT_FALSE(connector->OnEndMouseDown(100, 70)) << "along the path";
    page.view.cursor = 0;
    connector->OnSetCursor(CPoint(100, 70), 0);
    EXPECT_NE(page.view.cursor, CBasePolyOb::CursorMovePoint) << "along the path";
    EXPECT_NE(page.view.cursor, CConnectL0::CursorEndFixed) << "along the path";
}

TEST_F(ConnectorFixture, TheLabelHasNoBackgroundOnlyWhileEditedInPlace)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    ASSERT_NE(connector, nullptr);
    COLORREF back = RGB(1, 2, 3);
    EXPECT_FALSE(connector->GetBackColor(&back));
    page.view.editingText = connector;
    EXPECT_TRUE(connector->GetBackColor(&back));
    EXPECT_EQ(back, static_cast<COLORREF>(-1));
    page.view.editMode = FALSE;
    EXPECT_FALSE(connector->GetBackColor(&back));
}

// The picture shrunk to half size, each pixel the AND of the 2 x 2 it stands for: how small
// text keeps its dark strokes.
std::vector<COLORREF> HalveDarkWins(const std::vector<COLORREF>& pixels, int width, const CRect& area)
{
    std::vector<COLORREF> half;
    for (int y = area.top; y + 1 < area.bottom; y += 2)
        for (int x = area.left; x + 1 < area.right; x += 2) {
            COLORREF c = 0xFFFFFF;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    c &= pixels[static_cast<size_t>((y + dy) * width + x + dx)];
            half.push_back(c);
        }
    return half;
}

TEST_F(ConnectorFixture, AtHalfSizeTheLabelIsTheFullSizeLabelShrunk)
{
    constexpr int Width = 300, Height = 160;
    page.view.pageColor = RGB(255, 255, 255);
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    ASSERT_NE(connector, nullptr);
    connector->Text = "Flow";
    Canvas full {Width, Height};
    connector->Draw(&full.dc);
    const CRect label = connector->m_textRect1;
    ASSERT_FALSE(label.IsRectEmpty());
    const std::vector<COLORREF> expected = HalveDarkWins(full.Pixels(), Width, label);

    page.view.zoom = 50;
    Canvas half {Width, Height};
    half.dc.SetMapMode(MM_ANISOTROPIC);
    half.dc.SetWindowExt(2, 2);
    half.dc.SetViewportExt(1, 1);
    connector->Draw(&half.dc);
    EXPECT_EQ(connector->m_textRect1, label) << "laid out at full size";
    const CPoint corner(MulDiv(label.left, 1, 2), MulDiv(label.top, 1, 2));
    const std::vector<COLORREF> pixels = half.Pixels();
    size_t differing = 0, dark = 0, i = 0;
    for (int y = 0; y < label.Height() / 2; ++y)
        for (int x = 0; x < label.Width() / 2; ++x, ++i) {
            const COLORREF c = pixels[static_cast<size_t>((corner.y + y) * Width + corner.x + x)];
            differing += c != expected[i];
            dark += c == RGB(0, 0, 0);
        }
    EXPECT_GT(dark, 10u) << "the text is there";
    EXPECT_LE(differing * 20, expected.size()) << differing << " of " << expected.size();
}

TEST_F(ConnectorFixture, RecordsAfterThePointListRecord)
{
    CConnectOb* connector = Draw(CPoint(100, 50), CPoint(200, 90));
    connector->m_connectionColor = 0x00123456;
    connector->Text = "Go";
    connector->Alignment = CConnectOb::AlignRight;
    connector->ForeColor = 0x00ABCDEF;
    const Bytes poly = StoreBytes([&](CArchive& ar) { connector->CBasePolyOb::Serialize(ar); });
    const Bytes font = StoreBytes([&](CArchive& ar) { connector->Font.Serialize(ar); });
    const Bytes all = StoreBytes([&](CArchive& ar) { connector->Serialize(ar); });
    const Bytes expected = Concat({poly, Dword(CVersionTag::Magic), Dword(0x00123456), // the connector
                                   Dword(CVersionTag::Magic), ShortString("Go"), Dword(2), font,
                                   Dword(0x00ABCDEF)}); // the label
    EXPECT_EQ(all, expected);

    CConnectOb loaded;
    EXPECT_EQ(LoadBytes(all, [&](CArchive& ar) { loaded.Serialize(ar); }), all.size());
    EXPECT_EQ(loaded.Text, CString("Go"));
    EXPECT_EQ(loaded.Alignment, CConnectOb::AlignRight);
    EXPECT_EQ(loaded.m_connectionColor, 0x00123456u);
    EXPECT_EQ(loaded.m_ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(loaded.GetNumberOfPoints(), 3);

    // A record that ends before the connector's tag keeps the constructed fields.
    CConnectOb untagged;
    EXPECT_EQ(LoadBytes(poly, [&](CArchive& ar) { untagged.Serialize(ar); }), poly.size());
    EXPECT_EQ(untagged.Alignment, CConnectOb::AlignCentre);
    ExpectCutRecordsFail(*connector, {1, 4});
}

} // namespace
