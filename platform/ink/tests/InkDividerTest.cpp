#include "platform/ink/InkDisp.h"
#include "platform/ink/InkDivider.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(InkDivider, StrokesThatTouchFormOneDrawingAndFarOnesAnother)
{
    auto ink = InkDisp::Create();
    ink->CreateStroke({{0, 0}, {1000, 0}});
    ink->CreateStroke({{20000, 0}, {21000, 0}});
    ink->CreateStroke({{1500, 300}, {2500, 300}});   // within half a line of the first
    ink->CreateStroke({{2900, 300}, {3500, 900}});   // joins the first through the third
    InkDivider divider;
    divider.Strokes = ink->Strokes();
    InkDivisionResult result = divider.Divide();
    EXPECT_TRUE(result.ResultByType(InkDivisionType::Segment).empty());
    auto drawings = result.ResultByType(InkDivisionType::Drawing);
    ASSERT_EQ(drawings.size(), 2u);
    EXPECT_EQ(drawings[0].Strokes.Count(), 3u);
    EXPECT_TRUE(drawings[0].Strokes.Contains(4));
    EXPECT_EQ(drawings[1].Strokes.Item(0)->ID(), 2);
    divider.Strokes = *ink->CreateStrokes();
    EXPECT_TRUE(divider.Divide().ResultByType(InkDivisionType::Drawing).empty());
}

TEST(InkDivider, InkAtTheEdgesOfInkSpaceIsDividedLikeAnyOther)
{
    constexpr LONG lowest = std::numeric_limits<LONG>::min(), highest = std::numeric_limits<LONG>::max();
    auto ink = InkDisp::Create();
    ink->CreateStroke({{lowest, lowest}, {lowest + 1000, lowest}});
    ink->CreateStroke({{highest - 1000, highest}, {highest, highest}});
    ink->CreateStroke({{lowest + 1200, lowest}, {lowest + 2000, lowest}});
    InkDivider divider;
    divider.Strokes = ink->Strokes();
    auto drawings = divider.Divide().ResultByType(InkDivisionType::Drawing);
    ASSERT_EQ(drawings.size(), 2u);
    EXPECT_EQ(drawings[0].Strokes.Count(), 2u);
    EXPECT_EQ(drawings[1].Strokes.Item(0)->ID(), 2);
}

}  // namespace
