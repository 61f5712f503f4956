// The bitmap editor's canvas: palettes, drawing in image pixels, conversion and the clipboard.
#include "imaging/DIBSection.h"

#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The clipboard needs a running application; it lives until the process ends.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "imaging_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QGuiApplication(argc, argv);
    }
}

int countPixels(CDIBSection& canvas, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < canvas.GetHeight(); ++y)
        for (int x = 0; x < canvas.GetWidth(); ++x)
            count += canvas.GetPixel(x, y) == colour;
    return count;
}

TEST(DIBSection, StandardPaletteSizes)
{
    struct Case {
        int asked;
        int made;
    };
    for (Case c : {Case{0, 256}, {2, 2}, {3, 16}, {16, 16}, {17, 256}, {256, 256}, {300, 256}}) {
        CPalette palette;
        ASSERT_TRUE(CDIBSection::CreateStandardPalette(&palette, c.asked));
        EXPECT_EQ(palette.GetEntryCount(), c.made) << c.asked;
    }
}

TEST(DIBSection, StandardColoursKeepTheStaticColoursAtBothEnds)
{
    struct Case {
        int index;
        BYTE r, g, b;
    };
    for (Case c : {Case{0, 0, 0, 0}, {7, 0xC0, 0xC0, 0xC0}, {9, 0xA6, 0xCA, 0xF0}, {10, 0x2C, 0, 0},
                   {15, 0, 0x2C, 0}, {223, 0x11, 0x11, 0x11}, {245, 0xFF, 0xFF, 0xFF}, {246, 0xFF, 0xFB, 0xF0},
                   {249, 0xFF, 0, 0}, {255, 0xFF, 0xFF, 0xFF}}) {
        const PALETTEENTRY& e = g_StandardColours[c.index];
        EXPECT_EQ(e.peRed, c.r) << c.index;
        EXPECT_EQ(e.peGreen, c.g) << c.index;
        EXPECT_EQ(e.peBlue, c.b) << c.index;
        EXPECT_EQ(e.peFlags, 0) << c.index;
    }
}

TEST(DIBSection, NewCanvasIsWhiteAndTakesGivenBits)
{
    CDIBSection blank;
    ASSERT_TRUE(blank.Create(5, 4, 1, 24, nullptr, nullptr));
    EXPECT_EQ(countPixels(blank, kWhite), 20);

    // Bottom-up rows of 4 bytes (3 pixels of 1 byte, padded): the bottom row's first pixel is index 1.
    const BYTE bits[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    CDIBSection indexed;
    ASSERT_TRUE(indexed.Create(3, 2, 1, 8, bits, nullptr));
    EXPECT_EQ(indexed.GetColorTableSize(), 256);
    EXPECT_EQ(indexed.GetPixel(0, 1), RGB(0x80, 0, 0));
    EXPECT_EQ(indexed.GetPixel(1, 1), RGB(0, 0, 0));
    EXPECT_FALSE(CDIBSection().Create(0, 4, 1, 24, nullptr, nullptr));
}

TEST(DIBSection, LinesIncludeBothEndsAndAPointIsOnePixel)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(10, 10, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(canvas.DrawLine(4, 4, 4, 4, 1, kRed));
    EXPECT_EQ(countPixels(canvas, kRed), 1);
    EXPECT_EQ(canvas.GetPixel(4, 4), kRed);

    ASSERT_TRUE(canvas.FillSolid(kWhite));
    ASSERT_TRUE(canvas.DrawLine(1, 2, 7, 2, 1, kRed));
    EXPECT_EQ(countPixels(canvas, kRed), 7);
    EXPECT_EQ(canvas.GetPixel(1, 2), kRed);
    EXPECT_EQ(canvas.GetPixel(7, 2), kRed);
}

TEST(DIBSection, ShapesTakeTheFarEdgeAndFlatRoundedRectanglesDrawNothing)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(10, 10, 1, 24, nullptr, nullptr));
    EXPECT_FALSE(canvas.DrawRect(3, 1, 3, 8, 1, kRed, FALSE, TRUE));
    EXPECT_EQ(countPixels(canvas, kRed), 0);

    ASSERT_TRUE(canvas.DrawRect(6, 6, 2, 2, 1, kRed, TRUE, FALSE));
    // Normalised and grown to 2..7; a fill without a pen leaves the far edges as the device does.
    EXPECT_EQ(countPixels(canvas, kRed), 16);
    EXPECT_EQ(canvas.GetPixel(2, 2), kRed);
    EXPECT_EQ(canvas.GetPixel(5, 5), kRed);

    ASSERT_TRUE(canvas.FillSolid(kWhite));
    ASSERT_TRUE(canvas.DrawRect(2, 2, 6, 6, 1, kRed, FALSE, FALSE));
    EXPECT_EQ(countPixels(canvas, kRed), 16);  // the outline only
    EXPECT_EQ(canvas.GetPixel(4, 4), kWhite);
}

TEST(DIBSection, TextInTheSystemColourUsesTheWindowTextColour)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(40, 20, 1, 24, nullptr, nullptr));
    EXPECT_TRUE(canvas.DrawText("", CRect(0, 0, 40, 20), 0, kRed, nullptr));
    ASSERT_TRUE(canvas.DrawText("WW", CRect(0, 0, 40, 20), DT_NOPREFIX, 0xFF000000, nullptr));
    EXPECT_GT(countPixels(canvas, ::GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST(DIBSection, FloodFillStopsAtOtherColours)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(8, 8, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(canvas.DrawRect(0, 0, 7, 7, 1, RGB(0, 0, 0), FALSE, FALSE));
    ASSERT_TRUE(canvas.FloodFill(3, 3, kRed));
    EXPECT_EQ(countPixels(canvas, kRed), 36);
    EXPECT_EQ(canvas.GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(DIBSection, ConvertToOneBitGivesBlackAndWhite)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(6, 6, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(canvas.DrawRect(0, 0, 2, 5, 1, RGB(0, 0, 0), TRUE, FALSE));
    ASSERT_TRUE(canvas.Convert(6, 6, 1, 1, nullptr));
    EXPECT_EQ(canvas.GetBitCount(), 1);
    ASSERT_EQ(canvas.GetColorTableSize(), 2);
    const RGBQUAD* table = canvas.GetColorTable();
    EXPECT_EQ(RGB(table[0].rgbRed, table[0].rgbGreen, table[0].rgbBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(table[1].rgbRed, table[1].rgbGreen, table[1].rgbBlue), kWhite);
    EXPECT_EQ(countPixels(canvas, RGB(0, 0, 0)), 10);
}

TEST(DIBSection, ConvertToALargerSizeKeepsTheImageTopLeftAndAddsWhite)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(4, 4, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(canvas.FillSolid(kRed));
    ASSERT_TRUE(canvas.Convert(6, 5, 1, 24, nullptr));
    EXPECT_EQ(canvas.GetWidth(), 6);
    EXPECT_EQ(canvas.GetHeight(), 5);
    EXPECT_EQ(countPixels(canvas, kRed), 16);
    EXPECT_EQ(canvas.GetPixel(3, 3), kRed);
    EXPECT_EQ(canvas.GetPixel(4, 0), kWhite);
    EXPECT_EQ(canvas.GetPixel(0, 4), kWhite);

    POINT origin{2, 2};
    ASSERT_TRUE(canvas.Convert(3, 3, 1, 24, &origin));
    EXPECT_EQ(canvas.GetPixel(0, 0), kRed);
    EXPECT_EQ(canvas.GetPixel(2, 2), kWhite);
}

TEST(DIBSection, CopyAndSetBitmapKeepThePixels)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.Create(5, 5, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(canvas.SetPixel(1, 3, 1, kRed));
    CDIBSection copy;
    ASSERT_TRUE(copy.Copy(canvas));
    EXPECT_EQ(copy.GetPixel(1, 3), kRed);
    EXPECT_EQ(countPixels(copy, kRed), 1);

    CDIBSection fromBitmap;
    ASSERT_TRUE(fromBitmap.SetBitmap(canvas.GetSafeHandle(), nullptr));
    EXPECT_EQ(fromBitmap.GetSize(), CSize(5, 5));
    EXPECT_EQ(fromBitmap.GetPixel(1, 3), kRed);
    EXPECT_FALSE(CDIBSection().Copy(CDIBSection()));
}

TEST(DIBSection, DrawingWithAKeyColourLeavesItOut)
{
    CDIBSection picture, target;
    ASSERT_TRUE(picture.Create(4, 4, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(picture.SetPixel(1, 1, 1, kRed));
    ASSERT_TRUE(target.Create(4, 4, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(target.FillSolid(RGB(0, 0, 255)));
    CDC* dc = target.GetMemoryDC(nullptr, FALSE);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(picture.DrawTransparent(dc, 0, 0, kWhite));
    target.ReleaseMemoryDC(TRUE);
    EXPECT_EQ(target.GetPixel(1, 1), kRed);
    EXPECT_EQ(target.GetPixel(2, 2), RGB(0, 0, 255));
}

TEST(DIBSection, ClipboardRoundTrip)
{
    ensureApplication();
    CDIBSection source;
    ASSERT_TRUE(source.Create(6, 4, 1, 24, nullptr, nullptr));
    ASSERT_TRUE(source.SetPixel(2, 1, 1, kRed));
    CRect part(1, 0, 5, 3);
    ASSERT_TRUE(source.CopyToClipboard(&part));
    EXPECT_NE(CDIBSection::CanPaste(), 0u);
    EXPECT_EQ(CDIBSection::GetClipboardBitmapSize(), CSize(4, 3));

    CDIBSection target;
    ASSERT_TRUE(target.Create(6, 6, 1, 24, nullptr, nullptr));
    CRect at(2, 2, 4, 6);
    ASSERT_TRUE(target.Paste(&at, FALSE));
    EXPECT_EQ(target.GetPixel(3, 3), kRed);  // (2,1) of the source is (1,1) of the part
    EXPECT_EQ(countPixels(target, kRed), 1);
}

} // namespace
