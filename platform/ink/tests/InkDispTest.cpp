#include "platform/ink/InkDisp.h"
#include "platform/ink/InkFormat.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kIdentity = "{79378E2E-4685-412d-AFB1-69DDE276D54D}";
constexpr const char* kOwner = "{FA0BC914-4A00-48f5-96F8-560BA50C174F}";

std::shared_ptr<InkDisp> TwoStrokes()
{
    auto ink = InkDisp::Create();
    ink->CreateStroke({{0, 0}, {1000, 500}});
    auto second = ink->CreateStroke({{2000, 2000}, {3000, 2500}, {4000, 4000}}, {100, 512, 1023});
    InkDrawingAttributes highlighter;
    highlighter.Color = RGB(255, 255, 0);
    highlighter.Width = 100;
    highlighter.Height = 600;
    highlighter.RasterOperation = kInkMaskPen;
    highlighter.PenTip = InkPenTip::Rectangle;
    second->SetDrawingAttributes(highlighter);
    second->ExtendedProperties().Add(kIdentity, std::string("{00000001-0002-0003-0405-060708090A0B}"));
    second->ExtendedProperties().Add(kOwner, int32_t(-1));
    ink->ExtendedProperties().Add("{00000000-0000-0000-0000-000000000001}", std::vector<BYTE>{1, 2, 3});
    return ink;
}

TEST(InkFormat, ASmallInkIsStoredByteForByte)
{
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{1, -2}}, {1023});
    InkDrawingAttributes a;
    a.Color = RGB(1, 2, 3);
    a.Width = 2.0f;
    a.Height = 0.5f;
    s->SetDrawingAttributes(a);
    s->ExtendedProperties().Add(kOwner, int32_t(7));
    std::vector<BYTE> expected = {
        'V', 'I', 'N', 'K', 1, 0,             // magic, version 1
        0, 0, 0, 0,                           // no ink properties
        1, 0, 0, 0,                           // one stroke
        1, 2, 3, 0,                           // colour
        0, 0, 0, 0x40, 0, 0, 0, 0x3F,         // width 2.0, height 0.5
        0, 13, 0, 1 | 8,                      // opaque, copy pen, ball tip, anti-aliased with pressure
        1, 0, 0, 0,                           // one point
        1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,   // (1, -2)
        0xFF, 0x03,                           // pressure 1023
        1, 0, 0, 0,                           // one property
        0x14, 0xC9, 0x0B, 0xFA, 0x00, 0x4A, 0xF5, 0x48, 0x96, 0xF8, 0x56, 0x0B, 0xA5, 0x0C, 0x17, 0x4F,
        1, 4, 0, 0, 0, 7, 0, 0, 0,            // a LONG of 4 bytes: 7
    };
    EXPECT_EQ(ink->Save(), expected);
    auto back = InkDisp::Create();
    ASSERT_TRUE(back->Load(expected));
    EXPECT_EQ(back->Save(), expected);
    EXPECT_EQ(back->Stroke(1)->Points()[0].y, -2);
}

TEST(InkFormat, SavingWhatWasLoadedGivesTheSameBytes)
{
    auto ink = TwoStrokes();
    std::vector<BYTE> saved = ink->Save();
    auto loaded = InkDisp::Create();
    ASSERT_TRUE(loaded->Load(saved));
    EXPECT_EQ(loaded->Save(), saved);
    ASSERT_EQ(loaded->StrokeCount(), 2u);
    auto second = loaded->Stroke(2);
    EXPECT_EQ(second->DrawingAttributes(), ink->Stroke(2)->DrawingAttributes());
    EXPECT_EQ(second->Pressures(), (std::vector<WORD>{100, 512, 1023}));
    EXPECT_EQ(second->ExtendedProperties(), ink->Stroke(2)->ExtendedProperties());
    EXPECT_EQ(std::get<int32_t>(*second->ExtendedProperties().Item(kOwner)), -1);
}

TEST(InkFormat, AnEmptyBlockIsAnEmptyInk)
{
    auto ink = TwoStrokes();
    ASSERT_TRUE(ink->Load({}));
    EXPECT_EQ(ink->StrokeCount(), 0u);
    EXPECT_EQ(ink->ExtendedProperties().Count(), 0u);
}

TEST(InkFormat, DamagedBlocksAreRefusedAndTheInkKeepsItsStrokes)
{
    std::vector<BYTE> good = TwoStrokes()->Save();
    auto patched = [&](size_t at, std::vector<BYTE> bytes) {
        std::vector<BYTE> b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + long(at));
        return b;
    };
    std::vector<std::vector<BYTE>> bad = {
        patched(0, {'X'}),                      // magic
        patched(4, {2, 0}),                     // version
        patched(6, {0xFF, 0xFF, 0xFF, 0x7F}),   // ink property count past the end
        patched(10 + 16, {9}),                  // unknown property type
    };
    size_t strokes = 6 + 4 + 16 + 1 + 4 + 3;
    bad.push_back(patched(strokes, {0xFF, 0xFF, 0xFF, 0xFF}));       // stroke count
    bad.push_back(patched(strokes + 4 + 14, {2}));                  // pen tip
    bad.push_back(patched(strokes + 4 + 15, {0x10}));               // unknown flag
    bad.push_back(patched(strokes + 4 + 16, {0, 0, 0, 0x40}));      // point count
    std::vector<BYTE> trailing = good;
    trailing.push_back(0);
    bad.push_back(trailing);
    for (size_t cut = 1; cut < good.size(); cut += 7)
        bad.emplace_back(good.begin(), good.begin() + long(cut));
    for (const auto& block : bad) {
        auto ink = TwoStrokes();
        EXPECT_FALSE(ink->Load(block)) << block.size();
        EXPECT_EQ(ink->StrokeCount(), 2u);
    }
}

TEST(InkDisp, ExtendedPropertiesAreKeyedByGuidInAnyCase)
{
    InkExtendedProperties p;
    EXPECT_TRUE(p.Add(kOwner, int32_t(5)));
    EXPECT_TRUE(p.DoesPropertyExist("{fa0bc914-4a00-48F5-96f8-560ba50c174f}"));
    EXPECT_TRUE(p.Add("{FA0BC914-4A00-48F5-96F8-560BA50C174F}", int32_t(6)));
    EXPECT_EQ(p.Count(), 1u);
    EXPECT_EQ(std::get<int32_t>(*p.Item(kOwner)), 6);
    for (const char* bad : {"FA0BC914-4A00-48f5-96F8-560BA50C174F", "{FA0BC914-4A00-48f5-96F8-560BA50C174G}", ""})
        EXPECT_FALSE(p.Add(bad, int32_t(1))) << bad;
    EXPECT_EQ(FormatInkGuid(*ParseInkGuid(kIdentity)), "{79378E2E-4685-412D-AFB1-69DDE276D54D}");
    EXPECT_TRUE(p.Remove(kOwner));
    EXPECT_FALSE(p.Remove(kOwner));
}

TEST(InkDisp, CloneCopiesStrokesIdsAndProperties)
{
    auto ink = TwoStrokes();
    auto clone = ink->Clone();
    EXPECT_EQ(clone->Save(), ink->Save());
    clone->Stroke(2)->Move(10, 0);
    EXPECT_EQ(ink->Stroke(2)->Points()[0].x, 2000);  // a deep copy
    EXPECT_EQ(clone->Stroke(2)->Ink(), clone);
    EXPECT_EQ(clone->CreateStroke({{0, 0}})->ID(), 3);
}

TEST(InkDisp, StrokesAddedAtARectangleFillIt)
{
    auto source = TwoStrokes();
    auto target = InkDisp::Create();
    RECT r{10000, 10000, 12000, 11000};
    InkStrokes added = target->AddStrokesAtRectangle(source->Strokes(), r);
    ASSERT_EQ(added.Count(), 2u);
    RECT box = added.GetBoundingBox();
    EXPECT_NEAR(box.left, r.left, 60);
    EXPECT_NEAR(box.right, r.right, 60);
    added.ScaleToRectangle(RECT{0, 0, 500, 500});
    RECT scaled = target->GetBoundingBox(InkBoundingBoxMode::PointsOnly);
    EXPECT_GE(scaled.left, 0);
    EXPECT_LE(scaled.right, 500);
    EXPECT_EQ(std::get<int32_t>(*target->Stroke(2)->ExtendedProperties().Item(kOwner)), -1);
    EXPECT_EQ(source->GetBoundingBox().left, -27);  // untouched: half the default pen width 53, rounded
}

TEST(InkDisp, StrokeCollectionsTakeOnlyTheirOwnInksStrokes)
{
    auto ink = TwoStrokes();
    auto other = TwoStrokes();
    InkStrokes mine = *ink->CreateStrokes();
    EXPECT_EQ(mine.Count(), 0u);
    EXPECT_TRUE(mine.Add(ink->Stroke(1)));
    EXPECT_FALSE(mine.Add(ink->Stroke(1)));
    EXPECT_FALSE(mine.Add(other->Stroke(1)));
    EXPECT_FALSE(ink->CreateStrokes({1, 9}));
    EXPECT_EQ(ink->CreateStrokes({2, 1})->Item(0)->ID(), 2);
    ink->DeleteStrokes(&mine);
    EXPECT_TRUE(mine.Item(0)->Deleted());
    EXPECT_EQ(ink->StrokeCount(), 1u);
    auto extracted = ink->ExtractStrokes();
    EXPECT_EQ(ink->StrokeCount(), 0u);
    EXPECT_EQ(extracted->Stroke(2)->Points().size(), 3u);
}

TEST(InkDisp, HitTestsFindStrokesByShareAndByDistance)
{
    auto ink = InkDisp::Create();
    ink->CreateStroke({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    ink->CreateStroke({{0, 100}, {30, 100}});
    EXPECT_EQ(ink->HitTestWithRectangle({-5, -5, 15, 5}, 50.0f).Count(), 1u);
    EXPECT_EQ(ink->HitTestWithRectangle({-5, -5, 15, 5}, 60.0f).Count(), 0u);
    EXPECT_EQ(ink->HitTestCircle({15, 90}, 10).Item(0)->ID(), 2);
    EXPECT_EQ(ink->HitTestCircle({15, 50}, 10).Count(), 0u);
}

TEST(InkDisp, PointErasingCutsAStrokeInTwo)
{
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}}, {1, 2, 3, 4, 5});
    s->ExtendedProperties().Add(kOwner, int32_t(4));
    EXPECT_FALSE(ink->ErasePoints({20, 50}, 5));
    EXPECT_TRUE(ink->ErasePoints({20, 0}, 5));
    EXPECT_TRUE(s->Deleted());
    ASSERT_EQ(ink->StrokeCount(), 2u);
    InkStrokes parts = ink->Strokes();
    EXPECT_EQ(parts.Item(0)->Points().back().x, 13);  // points every 2.5 units, rounded
    EXPECT_EQ(parts.Item(1)->Points().front().x, 28);
    EXPECT_EQ(parts.Item(1)->Pressures().back(), 5);
    EXPECT_TRUE(parts.Item(1)->ExtendedProperties().DoesPropertyExist(kOwner));
}

}  // namespace
