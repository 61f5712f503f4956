#include "BmpBytes.h"

#include "imaging/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

namespace {

void LoadDib(CDib& dib, const Bytes& image)
{
    LoadBytes(DibRecord(image), [&](CArchive& ar) { dib.Serialize(ar); });
}

TEST(DibDraw, DrawPlacesTheImageUnscaled)
{
    CDib dib;
    LoadDib(dib, Bmp24());
    Canvas canvas(4, 3);
    EXPECT_TRUE(dib.Draw(&canvas.dc, 1, 1));
    EXPECT_EQ("....\n"
              ".rg.\n"
              ".b..\n",
              canvas.Art());
}

TEST(DibDraw, StretchDrawScalesTheWholeImage)
{
    CDib dib;
    LoadDib(dib, Bmp1());
    Canvas canvas(6, 4, RGB(255, 0, 0));
    EXPECT_TRUE(dib.StretchDraw(&canvas.dc, 0, 0, 6, 4));
    EXPECT_EQ("##..##\n"
              "##..##\n"
              "..##..\n"
              "..##..\n",
              canvas.Art());
}

TEST(DibDraw, EmptyBitmapDrawsNothing)
{
    CDib dib;
    Canvas canvas(2, 2);
    EXPECT_FALSE(dib.Draw(&canvas.dc, 0, 0));
    EXPECT_FALSE(dib.StretchDraw(&canvas.dc, 0, 0, 2, 2));
    CSize size(5, 5);
    EXPECT_EQ(nullptr, dib.SelectIntoDC(&canvas.dc, &size));
    EXPECT_EQ(CSize(0, 0), size);
    EXPECT_EQ("..\n..\n", canvas.Art());
}

TEST(DibDraw, SelectIntoDcMakesADeviceBitmap)
{
    CDib dib;
    LoadDib(dib, Bmp8());
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = dib.SelectIntoDC(&dc, &size);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(CSize(4, 2), size);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(3, 0));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(0, 1));
    dc.SelectObject(previous)->DeleteObject();
}

TEST(DibDraw, MonoImageKeepsItsColoursAfterSelection)
{
    CDib dib;
    LoadDib(dib, Bmp1());
    dib.SetMonoColours(RGB(255, 0, 0), RGB(0, 0, 255));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = dib.SelectIntoDC(&dc, &size);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(CSize(3, 2), size);
    COLORREF c0 = 0;
    COLORREF c1 = 0;
    dib.GetMonoColours(&c0, &c1);
    EXPECT_EQ(RGB(255, 0, 0), c0);
    EXPECT_EQ(RGB(0, 0, 255), c1);
    dc.SelectObject(previous)->DeleteObject();
}

TEST(DibDraw, CaptureFromADcRoundTrips)
{
    struct Case {
        UINT bits;
        BOOL compress;
        DWORD table;
        DWORD pixels;  // two rows: padded to whole words, or as run lengths
        BOOL packed;
    };
    // Red top left and blue bottom right on white: each row is one absolute run of three
    // indexes and its end of line, and the bitmap's end follows.
    const Case cases[] = {{24, FALSE, 0, 2 * 12, FALSE},       {32, FALSE, 0, 2 * 12, FALSE},
                          {8, FALSE, 1024, 2 * 4, FALSE},      {8, TRUE, 1024, 2 * (2 + 4 + 2) + 2, TRUE},
                          {4, TRUE, 64, 2 * (2 + 2 + 2) + 2, TRUE}};
    for (const Case& c : cases) {
        Canvas canvas(3, 2);
        canvas.dc.SetPixel(0, 0, RGB(255, 0, 0));
        canvas.dc.SetPixel(2, 1, RGB(0, 0, 255));
        CDib dib(&canvas.dc, c.bits, c.compress);
        ASSERT_EQ(3, dib.GetWidth()) << c.bits;
        EXPECT_EQ(2, dib.GetHeight());
        EXPECT_EQ(c.bits, dib.GetBitCount());
        const DWORD size = 14 + 40 + c.table + c.pixels;
        EXPECT_EQ(size, dib.GetSize()) << c.bits;
        EXPECT_EQ(c.packed, dib.UsesCompression()) << c.bits;
        EXPECT_EQ(dib.GetBlock() + size - c.pixels, dib.GetBits());
        Canvas target(3, 2, RGB(0, 0, 0));
        dib.Draw(&target.dc, 0, 0);
        EXPECT_EQ("r..\n..b\n", target.Art()) << c.bits;
    }
}

TEST(DibDraw, CaptureWithoutABitmapFails)
{
    CDib dib;
    EXPECT_FALSE(dib.CreateFromBitmap(nullptr, nullptr, 24, FALSE));
    CBitmap none;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_FALSE(dib.CreateFromBitmap(&dc, &none, 24, FALSE));
    EXPECT_EQ(0u, dib.GetSize());
}

}  // namespace
