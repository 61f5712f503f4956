#include "Fixtures.h"

#include "piclib/common/PLDIBSection.h"
#include "piclib/common/PLTextException.h"
#include "platform/core/BinaryResources.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// A white memory surface to draw on.
class Surface {
public:
    Surface(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
        screen.Detach();
    }
    ~Surface() { dc.SelectObject(old); }

    // One character per pixel of a row: '.' white, 'r', 'g', 'b', '#' black, '?' other.
    std::string Row(int y, int width) const
    {
        std::string s;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            s += c == RGB(255, 255, 255) ? '.' : c == RGB(255, 0, 0) ? 'r' : c == RGB(0, 255, 0) ? 'g'
               : c == RGB(0, 0, 255)     ? 'b' : c == RGB(0, 0, 0)   ? '#' : '?';
        }
        return s;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

// 3 x 2: top row red, green, blue; bottom row black, white, red.
void paint(PLWinBmp& bmp, int bpp)
{
    const PLPixel32 colours[6] = {{0, 0, 255, 255}, {0, 255, 0, 255},     {255, 0, 0, 255},
                                  {0, 0, 0, 255},   {255, 255, 255, 255}, {0, 0, 255, 255}};
    bmp.CreateFromBits(3, 2, bpp, false, false, nullptr, 0, {0, 0});
    for (int i = 0; i < 6; ++i) {
        uint8_t* line = bmp.GetLine(i / 3);
        const int x = i % 3;
        if (bpp == 8) {
            bmp.GetPalette()[10 + i] = colours[i];
            line[x] = uint8_t(10 + i);
        } else {
            std::memcpy(line + x * (bpp / 8), &colours[i], bpp / 8);
        }
    }
}

std::unique_ptr<PLWinBmp> make(bool section)
{
    if (section)
        return std::make_unique<PLDIBSection>();
    return std::make_unique<PLWinBmp>();
}

TEST(WinBmpDraw, DrawsEveryDepthAtAPoint)
{
    for (bool section : {false, true})
        for (int bpp : {8, 24, 32}) {
            auto bmp = make(section);
            paint(*bmp, bpp);
            Surface s(6, 4);
            bmp->Draw(s.dc.GetSafeHdc(), 1, 1);
            const std::string what = (section ? "section " : "heap ") + std::to_string(bpp);
            EXPECT_EQ(s.Row(0, 6), "......") << what;
            EXPECT_EQ(s.Row(1, 6), ".rgb..") << what;
            EXPECT_EQ(s.Row(2, 6), ".#.r..") << what;
        }
}

TEST(WinBmpDraw, StretchAndExtract)
{
    for (bool section : {false, true}) {
        auto bmp = make(section);
        paint(*bmp, 24);
        Surface s(8, 5);
        bmp->StretchDraw(s.dc.GetSafeHdc(), 0, 0, 2.0);
        EXPECT_EQ(s.Row(0, 8), "rrggbb..");
        EXPECT_EQ(s.Row(3, 8), "##..rr..");
        Surface part(4, 3);
        EXPECT_TRUE(bmp->DrawExtract(part.dc.GetSafeHdc(), POINT{1, 1}, RECT{1, 0, 3, 2}));
        EXPECT_EQ(part.Row(0, 4), "....") << section;
        EXPECT_EQ(part.Row(1, 4), ".gb.") << section;
        EXPECT_EQ(part.Row(2, 4), "..r.") << section;
    }
}

TEST(WinBmpDraw, GlobalCopyRoundTrip)
{
    for (bool section : {false, true}) {
        auto bmp = make(section);
        paint(*bmp, 8);
        HGLOBAL copy = bmp->GetDIBCopy();
        ASSERT_NE(copy, nullptr);
        const size_t size = GlobalSize(copy);
        EXPECT_GE(size, size_t(40 + 1024 + 8));
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(copy));
        EXPECT_EQ(header->biWidth, 3);
        EXPECT_EQ(header->biBitCount, 8);
        auto back = make(section);
        back->CreateFromPackedDIB(header, size);
        GlobalUnlock(copy);
        GlobalFree(copy);
        Surface s(3, 2);
        back->Draw(s.dc.GetSafeHdc(), 0, 0);
        EXPECT_EQ(s.Row(0, 3), "rgb") << section;
        EXPECT_EQ(s.Row(1, 3), "#.r") << section;
    }
}

TEST(WinBmpDraw, FromABitmapResource)
{
    RegisterBinaryResource(ResourceKind::Bitmap, 31502, FixtureBytes("bmp24.bmp"));
    PLWinBmp bmp;
    bmp.CreateRes(nullptr, 0x10000 + 31502);  // only the low 16 bits name the resource
    PLAnyBmp expected;
    DecodeBytes(FixtureBytes("bmp24.bmp"), expected);
    EXPECT_EQ(RgbaOf(bmp), RgbaOf(expected));
    try {
        bmp.CreateRes(nullptr, 31503);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRFILE_NOT_FOUND);
    }
}

TEST(WinBmpDraw, FromAGdiBitmap)
{
    Surface s(4, 2);
    s.dc.FillSolidRect(0, 0, 2, 1, RGB(255, 0, 0));
    s.dc.FillSolidRect(3, 1, 1, 1, RGB(0, 0, 255));
    s.dc.SelectObject(s.old);
    PLWinBmp bmp;
    bmp.CreateFromHBitmap(static_cast<HBITMAP>(s.bitmap.GetSafeHandle()));
    s.old = s.dc.SelectObject(&s.bitmap);
    ASSERT_EQ(bmp.GetWidth(), 4);
    ASSERT_EQ(bmp.GetHeight(), 2);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 32);
    const auto* top = reinterpret_cast<const PLPixel32*>(bmp.GetLine(0));
    const auto* bottom = reinterpret_cast<const PLPixel32*>(bmp.GetLine(1));
    EXPECT_EQ(top[1].r, 255);
    EXPECT_EQ(top[1].b, 0);
    EXPECT_EQ(top[2].g, 255);
    EXPECT_EQ(bottom[3].b, 255);
    EXPECT_EQ(bottom[3].r, 0);
}

TEST(DIBSection, LayoutAndSharedPixels)
{
    PLDIBSection bmp;
    EXPECT_EQ(bmp.GetWidth(), 16);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(bmp.GetPalette()), reinterpret_cast<uint8_t*>(bmp.GetBMI()) + 40);
    bmp.CreateFromBits(2, 2, 24, false, false, nullptr, 0, {0, 0});
    EXPECT_EQ(bmp.GetPalette(), nullptr);
    // Pixels written through the line array are what GDI draws.
    bmp.GetLine(1)[2] = 255;
    Surface s(2, 2);
    bmp.Draw(s.dc.GetSafeHdc(), 0, 0);
    EXPECT_EQ(s.Row(0, 2), "##");
    EXPECT_EQ(s.Row(1, 2), "r#");
}

TEST(DIBSection, DetachLeavesTheHandleWithItsTaker)
{
    PLDIBSection bmp;
    bmp.CreateFromBits(5, 4, 32, false, false, nullptr, 0, {0, 0});
    HBITMAP taken = bmp.GetHandle();
    bmp.Detach();
    EXPECT_EQ(bmp.GetWidth(), 16);
    EXPECT_NE(bmp.GetHandle(), taken);
    BITMAP info{};
    ASSERT_NE(GetObject(taken, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_TRUE(DeleteObject(taken));
}

} // namespace
