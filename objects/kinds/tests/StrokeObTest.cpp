// The stroke object: the group its strokes name, its rectangle, pen sizes that follow the
// zoom, filtering by tag, its stored record and drawing its ink onto its rectangle.
#include "objects/kinds/StrokeOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/ink/InkDataObject.h"
#include "platform/ole/OleDataSource.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr float kInkPerPixel = 2540.0f / 96.0f;

// A stroke from ink point to ink point, with an optional group and tag.
std::shared_ptr<InkStrokeDisp> AddStroke(InkDisp& ink, POINT from, POINT to, std::optional<int32_t> group = {},
                                         const char* tag = nullptr, float width = 53.0f)
{
    auto stroke = ink.CreateStroke({from, to});
    InkDrawingAttributes pen;
    pen.Width = pen.Height = width;
    pen.Color = RGB(0, 0, 255);
    stroke->SetDrawingAttributes(pen);
    if (group)
        stroke->ExtendedProperties().Add(CStrokeOb::GroupProperty, *group);
    if (tag)
        stroke->ExtendedProperties().Add(CStrokeOb::TagProperty, std::string(tag));
    return stroke;
}

class StrokeObTest : public ::testing::Test {
protected:
    void SetUp() override { object.Init(page, nullptr, FALSE); }

    CTestPageView page;
    CStrokeOb object;
    std::shared_ptr<InkDisp> ink = InkDisp::Create();
};

TEST_F(StrokeObTest, TheGroupMostStrokesNameWinsAndTiesGoToTheSmallerValue)
{
    struct Case {
        std::vector<std::optional<int32_t>> groups;
        int expected;
    };
    const Case cases[] = {
        {{5, 5, 7, 7, 9}, 5},
        {{9, 7, 7}, 7},
        {{std::nullopt, std::nullopt}, -1},
        {{std::nullopt, 3}, 3},
    };
    for (const Case& c : cases) {
        auto source = InkDisp::Create();
        for (size_t i = 0; i < c.groups.size(); ++i)
            AddStroke(*source, {LONG(i) * 100, 0}, {LONG(i) * 100 + 50, 50}, c.groups[i]);
        ASSERT_TRUE(object.TakeStrokes(source->Strokes()));
        EXPECT_EQ(object.GroupID, c.expected);
        const InkStrokes taken = object.GetInk()->Strokes();
        for (size_t i = 0; i < c.groups.size(); ++i) {
            const auto* value = taken.Item(i)->ExtendedProperties().Item(CStrokeOb::GroupProperty);
            if (c.groups[i])
                EXPECT_EQ(std::get<int32_t>(*value), c.expected);
            else
                EXPECT_EQ(value, nullptr) << "a stroke without a group stays without one";
        }
    }
}

TEST_F(StrokeObTest, TheRectangleCoversTheInkAndIsAtLeastTwoUnitsEachWay)
{
    AddStroke(*ink, {0, 0}, {LONG(100 * kInkPerPixel), LONG(50 * kInkPerPixel)}, {}, nullptr, 1.0f);
    ASSERT_TRUE(object.TakeStrokes(ink->Strokes()));
    CRect rect;
    EXPECT_EQ(*object.GetRect(&rect, nullptr), CRect(0, 0, 100, 50));

    auto dot = InkDisp::Create();
    auto stroke = dot->CreateStroke({{2645, 2645}});
    InkDrawingAttributes thin;
    thin.Width = thin.Height = 0.0f;
    stroke->SetDrawingAttributes(thin);
    ASSERT_TRUE(object.TakeStrokes(dot->Strokes()));
    EXPECT_EQ(*object.GetRect(&rect, nullptr), CRect(100, 100, 102, 102));
}

TEST_F(StrokeObTest, PenSizesFollowTheZoomFromTheirOwnSizesOnce)
{
    AddStroke(*ink, {0, 0}, {1000, 1000}, {}, nullptr, 53.0f);
    object.TakeStrokes(ink->Strokes());
    Canvas canvas(60, 60);
    auto width = [&] { return object.GetInk()->Strokes().Item(0)->DrawingAttributes().Width; };

    page.zoom = 200;
    object.Draw(&canvas.dc);
    EXPECT_EQ(width(), 106.0f);
    object.Draw(&canvas.dc);
    EXPECT_EQ(width(), 106.0f) << "drawing again at the same zoom changes nothing";
    page.zoom = 10;
    object.Draw(&canvas.dc);
    EXPECT_EQ(width(), 5.0f);
    page.zoom = 100;
    object.Draw(&canvas.dc);
    EXPECT_EQ(width(), 53.0f) << "10 % and back gives the first size again";
    EXPECT_EQ(object.GetPenSizeZoom(), 100);
}

TEST_F(StrokeObTest, FilteringKeepsTheTaggedStrokesAndAnEmptyListKeepsAll)
{
    AddStroke(*ink, {0, 0}, {100, 100}, {}, "a");
    AddStroke(*ink, {200, 0}, {300, 100}, {}, "b");
    AddStroke(*ink, {400, 0}, {500, 100});
    const std::vector<std::string> onlyB{"b"}, none;
    object.SetInkFiltered(*ink, &onlyB);
    ASSERT_EQ(object.GetInk()->StrokeCount(), 1u);
    EXPECT_EQ(std::get<std::string>(*object.GetInk()->Strokes().Item(0)->ExtendedProperties().Item(CStrokeOb::TagProperty)),
              "b");
    object.SetInkFiltered(*ink, &none);
    EXPECT_EQ(object.GetInk()->StrokeCount(), 3u);
}

TEST_F(StrokeObTest, NullStrokesAreRefused)
{
    EXPECT_FALSE(object.TakeStroke(nullptr));
    EXPECT_FALSE(object.SetInkStroke(ink, nullptr));
    EXPECT_FALSE(object.SetInkStrokes(ink, nullptr));
    EXPECT_EQ(object.GetInk(), nullptr);
}

TEST_F(StrokeObTest, TheRecordFollowsThePageObjectWithZoomInkAndLayer)
{
    AddStroke(*ink, {0, 0}, {500, 300}, 4);
    object.TakeStrokes(ink->Strokes());
    object.LayerID = 21000;
    page.zoom = 150;
    Canvas canvas(40, 40);
    object.Draw(&canvas.dc);
    const std::vector<BYTE> inkBytes = object.GetInk()->Save();

    CStrokeOb base;
    base.Init(page, nullptr, FALSE);
    static_cast<CHyperOb&>(base).CopyFrom(&object);
    const Bytes baseRecord = StoreBytes([&](CArchive& ar) { base.CHyperOb::Serialize(ar); });
    const Bytes expected = Concat({baseRecord,
                                   Dword(150),                  // pen-size zoom
                                   Dword(uint32_t(inkBytes.size())), // ink size
                                   Bytes(inkBytes.begin(), inkBytes.end()),
                                   Dword(21000)});              // layer
    EXPECT_EQ(Stored(object), expected);

    CStrokeOb loaded;
    LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetPenSizeZoom(), 150);
    EXPECT_EQ(loaded.LayerID, 21000);
    ASSERT_NE(loaded.GetInk(), nullptr);
    EXPECT_EQ(loaded.GetInk()->Save(), inkBytes);
    EXPECT_EQ(Stored(loaded), expected) << "a stored record reads back byte for byte";
}

TEST_F(StrokeObTest, AnEmptyInkLoadsAndCutOrDamagedRecordsFail)
{
    const Bytes baseRecord = StoreBytes([&](CArchive& ar) { object.CHyperOb::Serialize(ar); });
    CStrokeOb empty;
    LoadBytes(Concat({baseRecord, Dword(100), Dword(0), Dword(21000)}), [&](CArchive& ar) { empty.Serialize(ar); });
    ASSERT_NE(empty.GetInk(), nullptr);
    EXPECT_EQ(empty.GetInk()->StrokeCount(), 0u);

    AddStroke(*ink, {0, 0}, {500, 300});
    object.TakeStrokes(ink->Strokes());
    ExpectCutRecordsFail(object, {1, 4, 5, 20});
    Bytes claimsTooMuch = Concat({baseRecord, Dword(100), Dword(0x7FFFFFFF), Dword(21000)});
    CStrokeOb loaded;
    EXPECT_TRUE(LoadThrowsArchiveException(claimsTooMuch, [&](CArchive& ar) { loaded.Serialize(ar); }));
    Bytes garbage = Concat({baseRecord, Dword(100), Dword(4), Bytes{'V', 'I', 'N', 'X'}, Dword(21000)});
    EXPECT_TRUE(LoadThrowsArchiveException(garbage, [&](CArchive& ar) { loaded.Serialize(ar); }));
}

TEST_F(StrokeObTest, InkIsDrawnOntoTheRectangleAndDrawingLeavesTheStoredInkAlone)
{
    // A horizontal blue line across the middle of a 40 x 20 ink box.
    AddStroke(*ink, {0, LONG(10 * kInkPerPixel)}, {LONG(40 * kInkPerPixel), LONG(10 * kInkPerPixel)}, {}, nullptr,
              2 * kInkPerPixel);
    object.TakeStrokes(ink->Strokes());
    object.SetRect(CRect(10, 10, 90, 50));  // twice as wide and high
    const std::vector<BYTE> before = object.GetInk()->Save();
    Canvas canvas(100, 60);
    object.Draw(&canvas.dc);
    const CRect blue = ColorBounds(canvas, 100, 60, RGB(0, 0, 255));
    EXPECT_NEAR(blue.left, 10, 2);
    EXPECT_NEAR(blue.right, 90, 2);
    EXPECT_NEAR(blue.CenterPoint().y, 30, 1);
    EXPECT_LE(blue.Height(), 4) << "the pen keeps its own size";
    EXPECT_EQ(object.GetInk()->Save(), before);
}

TEST_F(StrokeObTest, NothingIsDrawnWhileTheInkLayerShowsTheStrokes)
{
    class InkPage : public CTestPageView {
    public:
        BOOL IsInkEnabled() const override { return TRUE; }
    } inkPage;
    CStrokeOb onInk;
    onInk.Init(inkPage, nullptr, FALSE);
    AddStroke(*ink, {0, 0}, {1000, 1000});
    onInk.TakeStrokes(ink->Strokes());
    Canvas canvas(60, 60);
    onInk.Draw(&canvas.dc);
    EXPECT_TRUE(ColorBounds(canvas, 60, 60, RGB(0, 0, 255)).IsRectEmpty());
}

TEST_F(StrokeObTest, GroupMembersDrawEachOtherOnlyOnce)
{
    auto inkA = InkDisp::Create(), inkB = InkDisp::Create();
    AddStroke(*inkA, {0, 0}, {500, 500}, 3);
    AddStroke(*inkB, {800, 0}, {1300, 500}, 3);
    CStrokeOb other;
    other.Init(page, nullptr, FALSE);
    object.TakeStrokes(inkA->Strokes());
    other.TakeStrokes(inkB->Strokes());
    page.objects = {&object, &other};
    Canvas canvas(60, 30);
    object.Draw(&canvas.dc);  // ends, and draws the other member too
    EXPECT_FALSE(ColorBounds(canvas, 60, 30, RGB(0, 0, 255)).IsRectEmpty());
    page.objects.clear();
}

TEST_F(StrokeObTest, CopyingToADataSourceCachesAllTheStrokesAsInk)
{
    AddStroke(*ink, {100, 200}, {900, 700}, 4);
    AddStroke(*ink, {-300, 50}, {20, 20});
    ASSERT_TRUE(object.TakeStrokes(ink->Strokes()));
    COleDataSource source;
    object.CopyToDataSource(&source);
    ASSERT_EQ(source.OfferedFormats(), std::vector<UINT>{InkClipboardFormat()});
    std::vector<BYTE> block;
    ASSERT_TRUE(source.RenderBytes(InkClipboardFormat(), block));
    EXPECT_EQ(block, object.GetInk()->Save()) << "the strokes as the object holds them, ids and properties too";

    CStrokeOb empty;
    empty.ResetInk();
    COleDataSource none;
    empty.CopyToDataSource(&none);
    CStrokeOb never;
    never.CopyToDataSource(&none);
    EXPECT_TRUE(none.OfferedFormats().empty()) << "no strokes, no ink format";
}

} // namespace
