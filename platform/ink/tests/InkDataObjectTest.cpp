// Ink as data: the one format it is offered in, its bytes, and blocks of ink pasted back,
// damaged ones refused and far-away ones placed without leaving ink space.
#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkClipboard.h"
#include "platform/ink/InkDataObject.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::vector<BYTE> BlockBytes(const STGMEDIUM& medium)
{
    const auto* data = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
    std::vector<BYTE> bytes(data, data + GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    return bytes;
}

std::shared_ptr<InkDisp> OneLine(POINT from, POINT to)
{
    auto ink = InkDisp::Create();
    auto stroke = ink->CreateStroke({from, to});
    InkDrawingAttributes pen;
    pen.Color = RGB(0, 0, 255);
    pen.Width = pen.Height = 10.0f;
    stroke->SetDrawingAttributes(pen);
    return ink;
}

TEST(InkDataObject, AllStrokesAreOfferedInTheStoredFormUnderVantrelInk)
{
    auto ink = OneLine({3, 4}, {-5, 6});
    std::unique_ptr<InkDataObject> data = ink->ClipboardCopy();
    ASSERT_NE(data, nullptr);
    const std::vector<FORMATETC> formats = data->EnumFormatEtc();
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(formats[0].cfFormat, RegisterClipboardFormat("Vantrel Ink"));
    EXPECT_EQ(formats[0].tymed, TYMED_HGLOBAL);

    STGMEDIUM medium{};
    ASSERT_TRUE(data->GetData(formats[0], medium));
    EXPECT_EQ(medium.tymed, TYMED_HGLOBAL);
    const std::vector<BYTE> expected = {
        'V', 'I', 'N', 'K', 1, 0, 0, 0, 0, 0,   // magic, version, no ink properties
        1, 0, 0, 0,                             // one stroke
        0, 0, 255, 0,                           // blue
        0, 0, 0x20, 0x41, 0, 0, 0x20, 0x41,     // width and height 10.0
        0, 13, 0, 1,                            // opaque, copy pen, ball tip, anti-aliased
        2, 0, 0, 0,                             // two points
        3, 0, 0, 0, 4, 0, 0, 0,                 // (3, 4)
        0xFB, 0xFF, 0xFF, 0xFF, 6, 0, 0, 0,     // (-5, 6)
        0, 0, 0, 0,                             // no stroke properties
    };
    EXPECT_EQ(BlockBytes(medium), expected);
    ReleaseStgMedium(&medium);

    FORMATETC text = formats[0];
    text.cfFormat = CF_TEXT;
    EXPECT_FALSE(data->GetData(text, medium)) << "a format not offered";
}

TEST(InkDataObject, ACollectionGivesOnlyItsStrokesAndNoStrokesGiveNoData)
{
    auto ink = OneLine({0, 0}, {100, 100});
    auto second = ink->CreateStroke({{500, 500}, {600, 500}, {700, 650}});
    InkStrokes chosen(ink);
    chosen.Add(second);
    std::unique_ptr<InkDataObject> data = ink->ClipboardCopy(&chosen);
    ASSERT_NE(data, nullptr);
    STGMEDIUM medium{};
    ASSERT_TRUE(data->GetData(data->EnumFormatEtc()[0], medium));
    auto copy = InkDisp::Create();
    ASSERT_TRUE(copy->Load(BlockBytes(medium)));
    ReleaseStgMedium(&medium);
    ASSERT_EQ(copy->StrokeCount(), 1u);
    const std::vector<POINT>& points = copy->Strokes().Item(0)->Points();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].x, 700);
    EXPECT_EQ(points[2].y, 650);

    InkStrokes none(ink);
    EXPECT_EQ(ink->ClipboardCopy(&none), nullptr);
    EXPECT_EQ(InkDisp::Create()->ClipboardCopy(), nullptr);
}

TEST(InkPaste, DamagedBlocksPasteNothingAndLeaveTheInkAlone)
{
    const std::vector<BYTE> good = OneLine({0, 0}, {100, 100})->Save();
    std::vector<std::vector<BYTE>> bad = {{'V', 'I', 'N', 'K'}, {1, 2, 3}};
    for (size_t cut = 1; cut < good.size(); cut += 5)
        bad.emplace_back(good.begin(), good.begin() + long(cut));
    std::vector<BYTE> trailing = good;
    trailing.push_back(0);
    bad.push_back(trailing);
    std::vector<BYTE> wrongMagic = good;
    wrongMagic[1] = 'X';
    bad.push_back(wrongMagic);
    for (const auto& block : bad) {
        auto target = OneLine({7, 7}, {9, 9});
        EXPECT_FALSE(InkPasteBlock(block, *target, {0, 0})) << block.size();
        EXPECT_EQ(target->StrokeCount(), 1u);
    }
    auto target = OneLine({7, 7}, {9, 9});
    std::optional<InkStrokes> empty = InkPasteBlock({}, *target, {0, 0});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Count(), 0u) << "an empty ink pastes no strokes";
}

TEST(InkPaste, PastedInkHasItsCornerAtThePointAndStaysInsideInkSpace)
{
    constexpr LONG lowest = std::numeric_limits<LONG>::min(), highest = std::numeric_limits<LONG>::max();
    struct Case {
        POINT from, to;
        POINT at;
        RECT box;  // of the pasted strokes, the pen's half width (5) included
    };
    const Case cases[] = {
        {{1000, 2000}, {1300, 2100}, {0, 0}, {0, 0, 310, 110}},
        {{-50, -60}, {50, 40}, {200, 300}, {200, 300, 310, 410}},
        // At the ends of ink space the ink is squeezed into what is left of it.
        {{lowest, lowest}, {highest, highest}, {0, 0}, {-5, -5, highest, highest}},
        {{0, 0}, {100, 100}, {highest - 20, highest - 20}, {highest - 24, highest - 24, highest, highest}},
    };
    for (const Case& c : cases) {
        auto target = InkDisp::Create();
        std::optional<InkStrokes> pasted = InkPasteBlock(OneLine(c.from, c.to)->Save(), *target, c.at);
        ASSERT_TRUE(pasted);
        ASSERT_EQ(pasted->Count(), 1u);
        const RECT box = pasted->GetBoundingBox();
        EXPECT_EQ(box.left, c.box.left) << c.from.x;
        EXPECT_EQ(box.top, c.box.top) << c.from.x;
        EXPECT_EQ(box.right, c.box.right) << c.from.x;
        EXPECT_EQ(box.bottom, c.box.bottom) << c.from.x;
    }
}

} // namespace
