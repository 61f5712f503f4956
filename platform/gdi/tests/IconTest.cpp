#include "Canvas.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A 4 x 4 colour picture: red left half, blue right half; the mask makes the top row transparent.
struct Parts {
    CBitmap color;
    CBitmap mask;
    Parts()
    {
        Canvas paint(4, 4, RGB(255, 0, 0));
        paint.dc.FillSolidRect(2, 0, 2, 4, RGB(0, 0, 255));
        paint.dc.FillSolidRect(0, 0, 4, 1, RGB(0, 0, 0));  // black under the transparent row
        BYTE bits[64];
        paint.bitmap.GetBitmapBits(sizeof(bits), bits);
        color.CreateBitmap(4, 4, 1, 32, bits);
        const BYTE rows[8] = {0xF0, 0, 0, 0, 0, 0, 0, 0};
        mask.CreateBitmap(4, 4, 1, 1, rows);
    }
};

TEST(Icons, DrawThroughTheMask)
{
    Parts parts;
    ICONINFO info{TRUE, 0, 0, parts.mask, parts.color};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(nullptr, icon);
    Canvas canvas(4, 4, RGB(255, 255, 0));
    EXPECT_TRUE(DrawIconEx(canvas.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ("yyyy\nrrbb\nrrbb\nrrbb\n", canvas.Art());
    Canvas big(8, 8, RGB(255, 255, 0));
    DrawIconEx(big.dc, 0, 0, icon, 8, 8, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(16, big.Count(RGB(255, 255, 0)));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(canvas.dc, 0, 0, icon));
}

TEST(Icons, DisabledStateEmbossesTheOpaquePixels)
{
    Parts parts;
    ICONINFO info{TRUE, 0, 0, parts.mask, parts.color};
    HICON icon = CreateIconIndirect(&info);
    Canvas canvas(6, 6, RGB(255, 255, 0));
    EXPECT_TRUE(canvas.dc.DrawState(POINT{0, 0}, SIZE{0, 0}, icon, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(0, 0));      // transparent row, not reached by the offset
    EXPECT_EQ(RGB(128, 128, 128), canvas.Pixel(1, 2));    // shadow over every opaque pixel
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 4));    // highlight shows one pixel down and right
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(5, 0));
    Canvas normal(4, 4, RGB(255, 255, 0));
    normal.dc.DrawState(POINT{0, 0}, SIZE{0, 0}, icon, DST_ICON);
    EXPECT_EQ("yyyy\nrrbb\nrrbb\nrrbb\n", normal.Art());
    DestroyIcon(icon);
}

TEST(Icons, InfoGivesCopiesOfTheBitmaps)
{
    Parts parts;
    ICONINFO info{FALSE, 1, 2, parts.mask, parts.color};
    HICON cursor = CreateIconIndirect(&info);
    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(cursor, &back));
    EXPECT_FALSE(back.fIcon);
    EXPECT_EQ(1u, back.xHotspot);
    EXPECT_EQ(2u, back.yHotspot);
    EXPECT_NE(HBITMAP(parts.color), back.hbmColor);
    BITMAP bm{};
    GetObject(back.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_TRUE(DeleteObject(back.hbmMask));
    EXPECT_TRUE(DeleteObject(back.hbmColor));
    DestroyCursor(cursor);
}

TEST(Icons, MonochromeIconKeepsBothHalvesInTheMask)
{
    // AND half: left column transparent; XOR half: second column inverts.
    const BYTE rows[16] = {0x80, 0, 0x80, 0, 0x80, 0, 0x80, 0, 0x40, 0, 0x40, 0, 0x40, 0, 0x40, 0};
    CBitmap mask;
    mask.CreateBitmap(4, 8, 1, 1, rows);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    Canvas canvas(4, 4, RGB(255, 0, 0));
    DrawIcon(canvas.dc, 0, 0, icon);
    EXPECT_EQ("r.##\nr.##\nr.##\nr.##\n", canvas.Art());
    DestroyIcon(icon);
}

// An icon file with a 2 x 2 and a 4 x 4 image, 24 bits each, the top row of each transparent.
std::vector<BYTE> IcoFile()
{
    auto image = [](int size) {
        std::vector<BYTE> b(40);
        BITMAPINFOHEADER h{40, size, size * 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        std::memcpy(b.data(), &h, 40);
        DWORD stride = DibRowBytes(size, 24);
        for (int y = 0; y < size; ++y)  // red, black in the transparent top row (stored last)
            for (DWORD x = 0; x < stride; ++x)
                b.push_back(x % 3 == 2 && x < DWORD(size) * 3 && y < size - 1 ? 255 : 0);
        for (int y = 0; y < size; ++y) {  // bottom-up: the last row stored is the top one
            BYTE bit = y == size - 1 ? 0xFF : 0;
            b.insert(b.end(), {bit, 0, 0, 0});
        }
        return b;
    };
    std::vector<BYTE> small = image(2), large = image(4);
    std::vector<BYTE> file = {0, 0, 1, 0, 2, 0};
    auto entry = [&](int size, const std::vector<BYTE>& data, DWORD offset) {
        BYTE e[16] = {BYTE(size), BYTE(size), 0, 0, 1, 0, 24, 0};
        DWORD bytes = DWORD(data.size());
        std::memcpy(e + 8, &bytes, 4);
        std::memcpy(e + 12, &offset, 4);
        file.insert(file.end(), e, e + 16);
    };
    entry(2, small, 38);
    entry(4, large, DWORD(38 + small.size()));
    file.insert(file.end(), small.begin(), small.end());
    file.insert(file.end(), large.begin(), large.end());
    return file;
}

TEST(Icons, IcoFilePicksTheClosestImage)
{
    std::vector<BYTE> file = IcoFile();
    HICON icon = CreateIconFromFileData(file.data(), file.size(), 4, 4);
    ASSERT_NE(nullptr, icon);
    Canvas canvas(4, 4, RGB(0, 0, 255));
    DrawIcon(canvas.dc, 0, 0, icon);
    EXPECT_EQ("bbbb\nrrrr\nrrrr\nrrrr\n", canvas.Art());
    Canvas viaDc(4, 4, RGB(0, 0, 255));
    EXPECT_TRUE(viaDc.dc.DrawIcon(POINT{0, 0}, icon));
    EXPECT_EQ(canvas.Art(), viaDc.Art());
    DestroyIcon(icon);
    HICON small = CreateIconFromFileData(file.data(), file.size(), 2, 2);
    ICONINFO info{};
    GetIconInfo(small, &info);
    BITMAP bm{};
    GetObject(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(2, bm.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(small);
}

TEST(Icons, TruncatedAndDamagedFilesFailCleanly)
{
    std::vector<BYTE> file = IcoFile();
    for (size_t n = 0; n < file.size(); ++n) {
        HICON icon = CreateIconFromFileData(file.data(), n, 4, 4);
        // Up to the whole mask of the chosen image a prefix cannot make an icon.
        if (n < file.size() - 16) {
            EXPECT_EQ(nullptr, icon) << n;
        }
        DestroyIcon(icon);
    }
    std::vector<BYTE> badOffset = file;
    badOffset[6 + 16 + 12] = 0xF0;
    EXPECT_EQ(nullptr, CreateIconFromFileData(badOffset.data(), badOffset.size(), 4, 4));
    std::vector<BYTE> badType = file;
    badType[2] = 7;
    EXPECT_EQ(nullptr, CreateIconFromFileData(badType.data(), badType.size(), 4, 4));
    std::vector<BYTE> badHeader = file;
    size_t large = size_t(file[6 + 16 + 12]) | size_t(file[6 + 16 + 13]) << 8;
    badHeader[large + 14] = 13;  // bit count of the large image
    EXPECT_EQ(nullptr, CreateIconFromFileData(badHeader.data(), badHeader.size(), 4, 4));
}

// The canvas's picture in a bitmap of its own, selected nowhere.
void Detached(Canvas& canvas, int width, int height, CBitmap& out)
{
    std::vector<BYTE> bits(size_t(width) * height * 4);
    canvas.bitmap.GetBitmapBits(DWORD(bits.size()), bits.data());
    out.CreateBitmap(width, height, 1, 32, bits.data());
}

TEST(ImageLists, StripWithMaskColour)
{
    // Three 4 x 4 images: magenta background with a red, green or blue centre.
    Canvas strip(12, 4, RGB(255, 0, 255));
    const COLORREF centres[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i)
        strip.dc.FillSolidRect(i * 4 + 1, 1, 2, 2, centres[i]);
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 3, 1));
    EXPECT_EQ(-1, list.Add(strip.dc.GetCurrentBitmap(), RGB(255, 0, 255)));  // still in the canvas
    CBitmap bm;
    Detached(strip, 12, 4, bm);
    EXPECT_EQ(0, list.Add(&bm, RGB(255, 0, 255)));
    EXPECT_EQ(3, list.GetImageCount());
    Canvas canvas(4, 4, RGB(255, 255, 0));
    EXPECT_TRUE(list.Draw(&canvas.dc, 1, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_EQ("yyyy\nyggy\nyggy\nyyyy\n", canvas.Art());
    EXPECT_FALSE(list.Draw(&canvas.dc, 3, POINT{0, 0}, ILD_NORMAL));

    HICON icon = list.ExtractIcon(2);
    Canvas fromIcon(4, 4, RGB(255, 255, 0));
    DrawIcon(fromIcon.dc, 0, 0, icon);
    EXPECT_EQ("yyyy\nybby\nybby\nyyyy\n", fromIcon.Art());
    EXPECT_EQ(0, list.Replace(0, icon));
    Canvas replaced(4, 4, RGB(255, 255, 0));
    list.Draw(&replaced.dc, 0, POINT{0, 0}, ILD_TRANSPARENT);
    EXPECT_EQ(fromIcon.Art(), replaced.Art());
    EXPECT_EQ(3, list.Add(icon));
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(3, list.GetImageCount());
    EXPECT_EQ(-1, list.Replace(7, icon));
    DestroyIcon(icon);
}

TEST(ImageLists, BackgroundColourFillsMaskedPixels)
{
    Canvas strip(4, 4, RGB(255, 0, 255));
    strip.dc.FillSolidRect(1, 1, 2, 2, RGB(0, 0, 255));
    CImageList list;
    list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 1, 1);
    CBitmap bm;
    Detached(strip, 4, 4, bm);
    list.Add(&bm, RGB(255, 0, 255));
    list.SetBkColor(RGB(255, 0, 0));
    Canvas canvas(4, 4, RGB(255, 255, 0));
    list.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_NORMAL);
    EXPECT_EQ("rrrr\nrbbr\nrbbr\nrrrr\n", canvas.Art());
}

}  // namespace
