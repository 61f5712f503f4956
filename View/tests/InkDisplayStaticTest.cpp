// The ink display: ink smaller than the control at its own size in the top-left corner, ink
// larger than the control shrunk to fit, and white without ink.
#include "View/InkDisplayStatic.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ink/InkDisp.h"

#include <gtest/gtest.h>

namespace {

constexpr double kInkPerPixel = 2540.0 / 96.0;

// A filled blue square of `pixels` from ink point (offset, offset), drawn with a square tip.
std::shared_ptr<InkDisp> Square(int pixels, int offset)
{
    auto ink = InkDisp::Create();
    const LONG size = LONG(pixels * kInkPerPixel);
    auto stroke = ink->CreateStroke({{offset, offset + size / 2}, {offset + size, offset + size / 2}});
    InkDrawingAttributes pen;
    pen.Color = RGB(0, 0, 255);
    pen.Width = 1.0f;
    pen.Height = float(size);
    pen.PenTip = InkPenTip::Rectangle;
    stroke->SetDrawingAttributes(pen);
    return ink;
}

TEST(InkDisplayStatic, InkIsShownAtItsOwnSizeWhenItFitsAndHalvedWhenTwiceTooLarge)
{
    struct Case {
        int inkPixels;
        int shownPixels;
    };
    for (const Case& c : {Case{20, 20}, Case{80, 40}}) {
        Canvas canvas(40, 40, RGB(200, 0, 0));
        DrawInkToFit(canvas.dc, RECT{0, 0, 40, 40}, Square(c.inkPixels, 5000).get());
        const RECT shown = canvas.Ink();
        EXPECT_NEAR(shown.left, 0, 1) << c.inkPixels;
        EXPECT_NEAR(shown.top, 0, 1) << c.inkPixels;
        EXPECT_NEAR(shown.right - shown.left, c.shownPixels, 2) << c.inkPixels;
        EXPECT_NEAR(shown.bottom - shown.top, c.shownPixels, 2) << c.inkPixels;
    }
}

TEST(InkDisplayStatic, WithoutInkTheControlIsWhite)
{
    Canvas canvas(10, 10, RGB(200, 0, 0));
    DrawInkToFit(canvas.dc, RECT{0, 0, 10, 10}, nullptr);
    EXPECT_EQ(canvas.Ink().right, 0) << "nothing but white";
}

} // namespace
