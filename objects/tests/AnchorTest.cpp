#include "objects/ConnectorEnds.h"
#include "objects/PropListValue.h"
#include "objects/SnapPointSet.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ui/Resources.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

void FillSample(CAnchorItem& point)
{
    point.m_id = 7;
    point.m_position = 5;
    point.m_xOffset = -3;
    point.m_yOffset = 0x01020304;
    point.m_offsetMode = 0;
    point.m_connectionsIn = 1;
    point.m_connectionsOut = 2;
    point.m_maxIn = -1;
    point.m_maxOut = 4;
    point.m_dG = 50;
    point.m_color = RGB(1, 2, 3);
    point.m_colorFlag = 1;
    point.m_name = "In";
}

// Position, offsets, mode and id: what every layout holds.
Bytes CommonFields()
{
    return Concat({Word(5), Dword(0xFFFFFFFD), Dword(0x01020304), Dword(0), Word(7)});
}

Bytes Counters()
{
    return Concat({Word(1), Word(0xFFFF), Word(2), Word(4), Word(50)});
}

TEST(Anchors, PointStoresByteForByte)
{
    CAnchorItem point;
    FillSample(point);
    Bytes expected = Concat({Dword(0xBACDCD02), CommonFields(), Counters(), Dword(0x030201), Dword(1), {1},
                             ShortString("In")});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { point.Serialize(ar); }), expected);

    CAnchorItem unnamed;
    FillSample(unnamed);
    unnamed.m_name.Empty();
    Bytes noName = Concat({Dword(0xBACDCD02), CommonFields(), Counters(), Dword(0x030201), Dword(1), {0}});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { unnamed.Serialize(ar); }), noName);

    CAnchorItemEx extended;
    extended.CopyFrom(&point);
    extended.m_text = "Tip";
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { extended.Serialize(ar); }), Concat({expected, ShortString("Tip")}));
}

struct PointLayout {
    const char* name;
    Bytes bytes;
    int maxIn;
    COLORREF color;
    const char* pointName;
};

TEST(Anchors, EveryPointLayoutLoads)
{
    const PointLayout layouts[] = {
        {"untagged", CommonFields(), 99, static_cast<COLORREF>(-1), ""},
        {"version 0", Concat({Dword(0xBACDCD00), CommonFields(), Counters()}), -1, static_cast<COLORREF>(-1), ""},
        {"version 1", Concat({Dword(0xBACDCD01), CommonFields(), Counters(), Dword(0x030201), Dword(1)}), -1,
         RGB(1, 2, 3), ""},
        {"version 2",
         Concat({Dword(0xBACDCD02), CommonFields(), Counters(), Dword(0x030201), Dword(1), {1}, ShortString("In")}),
         -1, RGB(1, 2, 3), "In"},
    };
    for (const PointLayout& layout : layouts) {
        CAnchorItem point;
        EXPECT_EQ(LoadBytes(layout.bytes, [&](CArchive& ar) { point.Serialize(ar); }), layout.bytes.size())
            << layout.name;
        EXPECT_EQ(point.m_position, 5) << layout.name;
        EXPECT_EQ(point.m_xOffset, -3) << layout.name;
        EXPECT_EQ(point.m_id, 7) << layout.name;
        EXPECT_EQ(point.m_maxIn, layout.maxIn) << layout.name;
        EXPECT_EQ(point.m_maxOut, layout.maxIn == 99 ? 99 : 4) << layout.name;
        EXPECT_EQ(point.m_color, layout.color) << layout.name;
        EXPECT_EQ(point.m_name, CString(layout.pointName)) << layout.name;
    }
}

TEST(Anchors, ListStoresAndLoadsInBothLayouts)
{
    CAnchorFmt list;
    list.m_nextId = 3;
    list.m_secondWord = 12;
    auto* point = static_cast<CAnchorItem*>(list.CreateItem());
    FillSample(*point);
    list.AddItem(point);
    Bytes pointBytes = StoreBytes([&](CArchive& ar) { point->Serialize(ar); });
    Bytes expected = Concat({Dword(0xBACDCD00), Word(3), Word(12), Word(1), pointBytes});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { list.Serialize(ar); }), expected);

    CAnchorFmt loaded;
    loaded.AddItem(new CAnchorItem); // loading replaces what the list held
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_TRUE(loaded.IsEqual(&list));
    EXPECT_EQ(loaded.m_nextId, 3);
    EXPECT_EQ(loaded.m_secondWord, 12);

    Bytes untagged = Concat({Word(0xFFFE), Word(0)});
    CAnchorFmt old;
    EXPECT_EQ(LoadBytes(untagged, [&](CArchive& ar) { old.Serialize(ar); }), untagged.size());
    EXPECT_EQ(old.m_nextId, -2);
    EXPECT_EQ(old.m_secondWord, -1);
    EXPECT_EQ(old.GetSize(), 0);

    CAnchorFmtEx extended;
    auto* textPoint = static_cast<CAnchorItemEx*>(extended.CreateItem());
    textPoint->m_text = "Tip";
    extended.AddItem(textPoint);
    CAnchorFmtEx extendedBack;
    Bytes extendedBytes = StoreBytes([&](CArchive& ar) { extended.Serialize(ar); });
    LoadBytes(extendedBytes, [&](CArchive& ar) { extendedBack.Serialize(ar); });
    EXPECT_TRUE(extendedBack.IsEqual(&extended));
    EXPECT_EQ(static_cast<CAnchorItemEx*>(extendedBack.GetItem(0))->m_text, CString("Tip"));
}

TEST(Anchors, CompareCopyAndReset)
{
    CAnchorItem a, b;
    FillSample(a);
    FillSample(b);
    b.m_id = 99;
    EXPECT_TRUE(a.IsEqual(&b)) << "ids are not compared";
    b.m_name = "in";
    EXPECT_FALSE(a.IsEqual(&b));
    b.CopyFrom(&a);
    EXPECT_EQ(b.m_id, 7);
    b.Reset();
    CAnchorItem fresh;
    EXPECT_TRUE(b.IsEqual(&fresh));
    EXPECT_EQ(b.m_id, -1);

    CAnchorFmt list, copy;
    list.m_nextId = 4;
    list.m_secondWord = 1;
    auto* sample = new CAnchorItem;
    FillSample(*sample);
    list.AddItem(sample);
    copy.CopyFrom(&list);
    EXPECT_TRUE(copy.IsEqual(&list));
    EXPECT_EQ(copy.m_nextId, 4);
    EXPECT_EQ(copy.m_secondWord, 1);
}

TEST(Anchors, FullPoints)
{
    CAnchorItem point;
    point.m_connectionsIn = 500;
    point.m_maxIn = -1;
    point.m_connectionsOut = 3;
    point.m_maxOut = 3;
    EXPECT_FALSE(IsPointFull(&point, 0));
    EXPECT_TRUE(IsPointFull(&point, 1));
    point.m_connectionsOut = 2;
    EXPECT_FALSE(IsPointFull(&point, 1));
}

TEST(Anchors, BasePointsOnARectangle)
{
    const RECT rect = {-11, -5, 20, 10};
    const POINT expected[] = {{-11, -5}, {20, -5}, {20, 10}, {-11, 10}, {4, -5}, {20, 2}, {4, 10}, {-11, 2}, {4, 2}};
    for (int position = 0; position < 9; ++position) {
        CPoint point = GetBasePoint(rect, position);
        EXPECT_EQ(point.x, expected[position].x) << position;
        EXPECT_EQ(point.y, expected[position].y) << position;
    }
    EXPECT_EQ(GetBasePoint(rect, 9), CPoint(0, 0));
    EXPECT_EQ(GetBasePoint(rect, -1), CPoint(0, 0));
    // Halves round toward zero.
    EXPECT_EQ(GetBasePoint({-3, -3, 0, 0}, 8), CPoint(-1, -1));
}

TEST(Anchors, PointPositionsWithOffsetsColoursAndRotation)
{
    CAnchorFmt list;
    auto* percent = new CAnchorItem;
    percent->m_id = 1;
    percent->m_offsetMode = 0;
    percent->m_xOffset = 50;
    percent->m_yOffset = -50;
    auto* units = new CAnchorItem;
    units->m_id = 2;
    units->m_position = 2;
    units->m_xOffset = 5;
    units->m_color = RGB(9, 9, 9);
    units->m_colorFlag = 1;
    list.AddItem(percent);
    list.AddItem(units);
    const RECT rect = {0, 0, 101, 40};
    POINT point;
    COLORREF color = 0;
    ASSERT_TRUE(GetSnapPointPosition(list, rect, {0, 0}, 0, &point, &color, 1));
    EXPECT_EQ(point.x, 50);
    EXPECT_EQ(point.y, -19) << "(40 * -50 + 49) / 100 rounds toward zero";
    EXPECT_EQ(color, static_cast<COLORREF>(-1));
    ASSERT_TRUE(GetSnapPointPosition(list, rect, {0, 0}, 0, &point, &color, 2));
    EXPECT_EQ(point.x, 106);
    EXPECT_EQ(point.y, 40);
    EXPECT_EQ(color, RGB(9, 9, 9));
    ASSERT_TRUE(GetSnapPointPosition(list, rect, {50, 20}, 180, &point, nullptr, 2));
    EXPECT_EQ(point.x, -6);
    EXPECT_EQ(point.y, 0);
    EXPECT_FALSE(GetSnapPointPosition(list, rect, {0, 0}, 0, &point, nullptr, 3));
}

TEST(Anchors, MaskMakesNumberedPointsAndTheSetFindsThem)
{
    CTestBoxOb owner;
    owner.Init(nullptr, CRect(10, 10, 110, 60), FALSE);
    CSnapPointSet set(&owner);
    set.GetList().AddItem(new CAnchorItem);
    set.SetPositionMask(0x111);
    ASSERT_EQ(set.GetCount(), 3);
    const int positions[] = {0, 4, 8};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(set.GetList().GetAnchor(i)->m_position, positions[i]);
        EXPECT_EQ(set.GetList().GetAnchor(i)->m_id, i);
    }
    EXPECT_EQ(set.GetList().m_nextId, 3);
    EXPECT_EQ(set.FindPoint(2), set.GetList().GetAnchor(2));
    EXPECT_EQ(set.FindPoint(3), nullptr);
    EXPECT_FALSE(set.HasConnections());
    set.GetList().GetAnchor(1)->m_connectionsOut = 1;
    EXPECT_TRUE(set.HasConnections());

    POINT point = {0, 0};
    int number = 1;
    EXPECT_TRUE(set.GetPointPosition(&point, &number, nullptr, TRUE));
    EXPECT_EQ(point.x, 60);
    EXPECT_EQ(point.y, 10);
    EXPECT_EQ(number, 1);
    EXPECT_FALSE(set.GetPointPosition(&point, &number, nullptr, TRUE)) << "the same place again";
    number = 5;
    EXPECT_FALSE(set.GetPointPosition(&point, &number, nullptr, TRUE));
    EXPECT_EQ(number, -1);

    CExtSnapPointSet extended(&owner);
    extended.SetPositionMask(0x1);
    EXPECT_EQ(extended.GetCount(), 1);
    EXPECT_EQ(extended.m_anchors.GetSize(), 0);
    EXPECT_NE(dynamic_cast<CAnchorItemEx*>(extended.m_anchorsEx.GetItem(0)), nullptr);
}

TEST(Anchors, SnapPointEditorsApplyWholeLists)
{
    CAnchorFmtEx field;
    field.m_nextId = 1;
    CPropAnchorEx editor(1, &field);
    EXPECT_EQ(editor.m_kind, 23u);
    editor.m_edited.AddItem(editor.m_edited.CreateItem());
    editor.m_edited.m_nextId = 2;
    editor.Apply();
    EXPECT_EQ(field.GetSize(), 1);
    EXPECT_EQ(field.m_nextId, 2);
    editor.Restore();
    EXPECT_EQ(field.GetSize(), 0);
    EXPECT_EQ(field.m_nextId, 1);
}

} // namespace

namespace {

class CSnapBoxOb : public CTestBoxOb {
public:
    CSnapPointSet* GetSnapPoints(BOOL) override { return &points; }
    CSnapPointSet points{this};
};

class CTestConnectorOb : public CTestBoxOb {
public:
    CConnectorEnds* GetEndPoints() override { return &ends; }
    CConnectorEnds ends;
};

struct Network {
    CHyperOb* Add(CHyperOb* object, const char* code)
    {
        owned.emplace_back(object);
        CRect rect(0, 0, 10, 10);
        object->Init(view, &rect, FALSE);
        object->Code = code;
        view.objects.push_back(object);
        return object;
    }
    CHyperOb* Connect(const char* code, const char* from, const char* to)
    {
        auto* connector = new CTestConnectorOb;
        connector->ends.m_ends[0].code = from;
        connector->ends.m_ends[1].code = to;
        return Add(connector, code);
    }
    CTestPageView view;
    std::vector<std::unique_ptr<CHyperOb>> owned;
};

TEST(Anchors, RoutingSelectsWhatConnectorsReachAndEndsOnLoops)
{
    Network page;
    CHyperOb* a = page.Add(new CSnapBoxOb, "A");
    CHyperOb* b = page.Add(new CSnapBoxOb, "B");
    CHyperOb* c = page.Add(new CTestBoxOb, "C");
    CHyperOb* d = page.Add(new CSnapBoxOb, "D");
    CHyperOb* unnamed = page.Add(new CSnapBoxOb, "");
    CHyperOb* k1 = page.Connect("K1", "A", "B");
    CHyperOb* k2 = page.Connect("K2", "B", "A");
    CHyperOb* k3 = page.Connect("K3", "B", "C");
    page.Connect("K4", "D", "");

    RouteSnapConnections(a, FALSE);
    EXPECT_TRUE(page.view.selection.empty());
    EXPECT_EQ(page.view.selectionChanges, 0);

    RouteSnapConnections(a, TRUE);
    EXPECT_EQ(page.view.selection, (std::set<CHyperBaseOb*>{a, b, c, k1, k2, k3}));
    EXPECT_FALSE(d->IsSelected());
    EXPECT_FALSE(unnamed->IsSelected());
    EXPECT_TRUE(k3->IsSelected());
    EXPECT_EQ(page.view.selectionChanges, 1);

    page.view.selection.clear();
    page.view.editMode = FALSE;
    RouteSnapConnections(a, TRUE);
    EXPECT_TRUE(page.view.selection.empty()) << "only an editing view selects";
}

} // namespace

namespace {

TEST(Anchors, DetachingFreesTheEndsThatNameTheOwner)
{
    Network page;
    auto* a = static_cast<CSnapBoxOb*>(page.Add(new CSnapBoxOb, "A"));
    CHyperOb* b = page.Add(new CSnapBoxOb, "B");
    page.Connect("K0", "", "");
    auto* k1 = static_cast<CTestConnectorOb*>(page.Connect("K1", "A", "B"));
    auto* k2 = static_cast<CTestConnectorOb*>(page.Connect("K2", "B", "a"));
    auto* k3 = static_cast<CTestConnectorOb*>(page.Connect("K3", "A", "A"));
    k1->ends.m_ends[0].snapId = 4;

    EXPECT_EQ(a->points.DetachConnectors(), 3);
    EXPECT_TRUE(k1->ends.m_ends[0].code.IsEmpty());
    EXPECT_EQ(k1->ends.m_ends[0].snapId, -1);
    EXPECT_EQ(k1->ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(k2->ends.m_ends[1].code, CString("a")) << "names compare case-sensitively";
    EXPECT_TRUE(k3->ends.m_ends[1].code.IsEmpty());
    using Detached = CTestPageView::Detached;
    EXPECT_EQ(page.view.detached, (std::vector<Detached>{{k1, 0, a}, {k3, 2, a}, {k3, 2, a}}));
    EXPECT_EQ(a->points.DetachConnectors(), 0);
    EXPECT_EQ(static_cast<CSnapBoxOb*>(b)->points.DetachConnectors(), 2);
}

TEST(Anchors, PlainIndicatorsStandOnThePointsWhileEditing)
{
    constexpr COLORREF Blue = RGB(0, 0, 255);
    constexpr COLORREF Red = RGB(255, 0, 0);
    Network page;
    auto* owner = static_cast<CSnapBoxOb*>(page.Add(new CSnapBoxOb, "A"));
    owner->SetRect(CRect(10, 10, 30, 30));
    owner->points.SetPositionMask(0x101);
    CAnchorItem* centre = owner->points.GetList().GetAnchor(1);
    centre->m_color = Red;
    centre->m_colorFlag = 1;

    Canvas canvas(40, 40);
    owner->points.DrawSnapIndicators(&canvas.dc, TRUE);
    EXPECT_EQ(CRect(canvas.Ink()), CRect(8, 8, 23, 23));
    EXPECT_EQ(canvas.Pixel(8, 8), Blue);
    EXPECT_EQ(canvas.Pixel(12, 12), Blue);
    EXPECT_EQ(canvas.Pixel(10, 10), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(18, 18), Red);
    EXPECT_EQ(canvas.Pixel(22, 18), Red);
    EXPECT_EQ(canvas.Count(Red), 16);

    Canvas hidden(40, 40);
    owner->points.DrawSnapIndicators(&hidden.dc, FALSE);
    page.view.editMode = FALSE;
    owner->points.DrawSnapIndicators(&hidden.dc, TRUE);
    EXPECT_TRUE(CRect(hidden.Ink()).IsRectEmpty());
}

TEST(Anchors, TheIndicatorBitmapStandsCentredOnThePoints)
{
    constexpr COLORREF Green = RGB(0, 255, 0);
    RegisterBinaryResource(ResourceKind::Bitmap, CSnapPointSet::IndicatorBitmapId,
        BitmapFile(3, 3, std::vector<COLORREF>(9, Green)));
    Network page;
    auto* owner = static_cast<CSnapBoxOb*>(page.Add(new CSnapBoxOb, "A"));
    owner->SetRect(CRect(10, 10, 30, 30));
    owner->points.SetPositionMask(0x1);
    owner->points.m_drawsBitmaps = 1;
    Canvas canvas(40, 40);
    owner->points.DrawSnapIndicators(&canvas.dc, TRUE);
    EXPECT_EQ(CRect(canvas.Ink()), CRect(9, 9, 12, 12));
    EXPECT_EQ(canvas.Count(Green), 9);
}

class CTextSnapBoxOb : public CTestBoxOb {
public:
    CSnapPointSet* GetSnapPoints(BOOL) override { return &points; }
    CExtSnapPointSet points { this };
};

TEST(Anchors, PointTextsShowInEveryModeAndSquaresOnlyWhileEditing)
{
    Network page;
    auto* owner = static_cast<CTextSnapBoxOb*>(page.Add(new CTextSnapBoxOb, "A"));
    owner->SetRect(CRect(10, 10, 50, 50));
    owner->points.SetPositionMask(0x101);
    static_cast<CAnchorItemEx*>(owner->points.GetList().GetAnchor(1))->m_text = "W";
    struct Case {
        const char* name;
        BOOL printing;
        BOOL editMode;
        BOOL showsPoints;
        bool square;
    };
    const Case cases[] = {
        { "editing", FALSE, TRUE, TRUE, true },
        { "printing", TRUE, TRUE, TRUE, false },
        { "running", FALSE, FALSE, TRUE, false },
        { "snap points hidden", FALSE, TRUE, FALSE, false },
    };
    for (const Case& c : cases) {
        Canvas canvas(60, 60);
        canvas.dc.m_bPrinting = c.printing;
        page.view.editMode = c.editMode;
        page.view.showsSnapPoints = c.showsPoints;
        owner->points.DrawSnapIndicators(&canvas.dc, TRUE);
        // The text stands around the centre (30, 30); the square on the corner (10, 10).
        CRect ink = canvas.Ink();
        EXPECT_TRUE(ink.PtInRect(CPoint(30, 30))) << c.name;
        EXPECT_EQ(ink.left == 8, c.square) << c.name;
    }
}

} // namespace
