#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/PictureKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

// A 6 x 4 green picture with a red top-left and a blue bottom-right pixel.
void CornerPicture(CExtDib& picture)
{
    std::vector<COLORREF> pixels(24, Green);
    pixels.front() = Red;
    pixels.back() = Blue;
    MakePicture(picture, 6, 4, pixels);
}

class BitmapPaint : public ::testing::Test {
protected:
    void Draw(int layout, CRect rect)
    {
        object = std::make_unique<CBitmapOb>();
        object->Init(view, &rect, FALSE);
        object->Layout = layout;
        object->SetPicture(&picture);
        canvas.dc.FillSolidRect(0, 0, 40, 40, White);
        object->Draw(&canvas.dc);
    }

    CTestPageView view;
    CExtDib picture;
    std::unique_ptr<CBitmapOb> object;
    Canvas canvas {40, 40};
};

TEST_F(BitmapPaint, EachLayoutPlacesThePictureInALargerRectangle)
{
    CornerPicture(picture);
    const struct {
        int layout;
        RECT ink;
        POINT red;
        POINT blue;
    } cases[] = {
        {CBitmapOb::LayoutLeft, {10, 10, 16, 14}, {10, 10}, {15, 13}},
        {CBitmapOb::LayoutRight, {24, 26, 30, 30}, {24, 26}, {29, 29}},
        {CBitmapOb::LayoutCenter, {17, 18, 23, 22}, {17, 18}, {22, 21}},
        {77, {10, 10, 16, 14}, {10, 10}, {15, 13}},
        // The rectangle shrinks to the picture first.
        {CBitmapOb::LayoutSizeToFit, {10, 10, 16, 14}, {10, 10}, {15, 13}},
    };
    for (const auto& c : cases) {
        Draw(c.layout, CRect(10, 10, 30, 30));
        EXPECT_EQ(canvas.Ink(), c.ink) << c.layout;
        EXPECT_EQ(canvas.Pixel(c.red.x, c.red.y), Red) << c.layout;
        EXPECT_EQ(canvas.Pixel(c.blue.x, c.blue.y), Blue) << c.layout;
    }
}

TEST_F(BitmapPaint, StretchFillsTheWholeRectangle)
{
    CornerPicture(picture);
    Draw(CBitmapOb::LayoutStretch, CRect(10, 10, 22, 18));
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 22, 18));
    ExpectPixels(canvas, {{10, 10, Red}, {11, 11, Red}, {21, 17, Blue}, {20, 16, Blue}, {15, 14, Green}}, "doubled");
}

TEST_F(BitmapPaint, ASmallerRectangleShowsTheTopLeftPartInEveryUnscaledLayout)
{
    CornerPicture(picture);
    for (int layout : {CBitmapOb::LayoutLeft, CBitmapOb::LayoutRight, CBitmapOb::LayoutCenter}) {
        Draw(layout, CRect(10, 10, 14, 12));
        EXPECT_EQ(canvas.Ink(), CRect(10, 10, 14, 12)) << layout;
        ExpectPixels(canvas, {{10, 10, Red}, {13, 11, Green}}, "clipped");
    }
    Draw(CBitmapOb::LayoutStretch, CRect(10, 10, 13, 12));
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 13, 12));
    EXPECT_EQ(canvas.Pixel(12, 11), Blue);
}

TEST_F(BitmapPaint, TheTransparentColourLeavesWhatIsBelow)
{
    CornerPicture(picture);
    picture.m_colour = Green;
    Draw(CBitmapOb::LayoutLeft, CRect(10, 10, 30, 30));
    EXPECT_EQ(canvas.Count(Green), 0);
    ExpectPixels(canvas, {{10, 10, Red}, {15, 13, Blue}, {12, 12, White}}, "keyed");
}

TEST_F(BitmapPaint, ATurnedPictureIsDrawnUprightOnItsSide)
{
    // Left half red, right half blue: a quarter turn puts red on one end and blue on the other.
    MakePicture(picture, 8, 4, std::vector<COLORREF>(32, Red));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.push_back(x < 4 ? Red : Blue);
    MakePicture(picture, 8, 4, pixels);
    object = std::make_unique<CBitmapOb>();
    CRect rect(10, 10, 18, 14);
    object->Init(view, &rect, FALSE);
    object->Layout = CBitmapOb::LayoutLeft;
    object->SetPicture(&picture);
    object->SetRotateAngle(90.0);
    object->Draw(&canvas.dc);
    CRect ink = canvas.Ink();
    EXPECT_LE(ink.Width(), 5);
    EXPECT_GE(ink.Height(), 8);
    EXPECT_EQ(canvas.Count(Red) + canvas.Count(Blue), 40 * 40 - canvas.Count(White));
    EXPECT_GT(canvas.Count(Red), 8);
    EXPECT_GT(canvas.Count(Blue), 8);
    // The two halves lie above each other, not side by side.
    const int middle = ink.left + ink.Width() / 2;
    EXPECT_NE(canvas.Pixel(middle, ink.top + 1), canvas.Pixel(middle, ink.bottom - 2));

    picture.m_colour = Blue;
    object->SetPicture(&picture);
    canvas.dc.FillSolidRect(0, 0, 40, 40, White);
    object->Draw(&canvas.dc);
    EXPECT_EQ(canvas.Count(Blue), 0);
    EXPECT_GT(canvas.Count(Red), 8);
}

}
