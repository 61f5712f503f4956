// Project icons made from images of any size, and the key colour of loaded icons.
#include "ProjTestKit.h"

#include "projects/ProjOb.h"
#include "imaging/Dib.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CDib> SolidImage(int width, int height, COLORREF colour)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    CBrush brush(colour);
    const CRect all(0, 0, width, height);
    dc.FillRect(&all, &brush);
    dc.SelectObject(old);
    auto dib = std::make_unique<CDib>();
    dib->CreateFromBitmap(&dc, &bitmap, 24, FALSE);
    return dib;
}

// Whether each pixel of the icon is transparent, from its mask.
std::vector<bool> Transparency(HICON icon)
{
    ICONINFO info {};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(CBitmap::FromHandle(info.hbmMask));
    std::vector<bool> clear;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            clear.push_back(dc.GetPixel(x, y) != RGB(0, 0, 0));
    dc.SelectObject(old);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return clear;
}

} // namespace

class ProjIconTest : public ProjTest {};

TEST_F(ProjIconTest, ASmallImageIsCentredWithAClearBorder)
{
    CProjOb project;
    project.SetIconFromImage(*SolidImage(12, 12, RGB(0, 0, 255)), nullptr, 16);
    const std::vector<bool> clear = Transparency(project.m_hIcon);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool border = x < 2 || y < 2 || x >= 14 || y >= 14;
            EXPECT_EQ(clear[static_cast<size_t>(y * 16 + x)], border) << x << "," << y;
        }
}

TEST_F(ProjIconTest, ALargeImageIsScaledWithoutTransparency)
{
    CProjOb project;
    project.SetIconFromImage(*SolidImage(40, 30, RGB(0, 128, 0)), nullptr, 16);
    for (bool clear : Transparency(project.m_hIcon))
        EXPECT_FALSE(clear);
    EXPECT_EQ(project.m_iconImage->GetWidth(), 16);
    EXPECT_EQ(project.m_iconImage->GetHeight(), 16);
}

TEST_F(ProjIconTest, TheKeyColourIsTheFirstUnusedAfterBlackElseTheLeastUsed)
{
    std::array<int, 16> uses {};
    EXPECT_EQ(ChooseIconKeyColour(uses), RGB(255, 255, 255));
    uses[1] = 3;
    EXPECT_EQ(ChooseIconKeyColour(uses), RGB(128, 128, 128));
    uses.fill(5);
    uses[6] = 2;
    uses[9] = 2;
    EXPECT_EQ(ChooseIconKeyColour(uses), RGB(128, 128, 0));
    uses.fill(5);
    EXPECT_EQ(ChooseIconKeyColour(uses), RGB(0, 0, 0));
}

TEST_F(ProjIconTest, AnIconFileKeepsItsClearPartsWhite)
{
    // A 16 x 16 icon of 24 bits: red pixels, the upper half clear by its mask.
    std::vector<BYTE> ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 22, 0, 0, 0};
    const DWORD imageBytes = 40 + 16 * 16 * 3 + 16 * 4;
    for (int i = 0; i < 4; ++i)
        ico[14 + static_cast<size_t>(i)] = static_cast<BYTE>(imageBytes >> (8 * i));
    BITMAPINFOHEADER header {};
    header.biSize = 40;
    header.biWidth = 16;
    header.biHeight = 32;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const BYTE* raw = reinterpret_cast<const BYTE*>(&header);
    ico.insert(ico.end(), raw, raw + sizeof header);
    for (int pixel = 0; pixel < 256; ++pixel)
        ico.insert(ico.end(), {0, 0, 255});
    // Mask rows run bottom-up: the last eight rows of the file are the upper half.
    for (int row = 0; row < 16; ++row)
        ico.insert(ico.end(), {BYTE(row < 8 ? 0 : 0xFF), BYTE(row < 8 ? 0 : 0xFF), 0, 0});
    projtest::WriteBytes(Path("red.ico"), ico);

    CProjOb project;
    ASSERT_TRUE(project.LoadIconFile(CPath("red.ico")));
    const CDib& image = *project.m_iconImage;
    ASSERT_EQ(image.GetBitCount(), 24u);
    auto pixel = [&image](int x, int y) {
        const BYTE* p = image.GetBits() + (15 - y) * 48 + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(pixel(3, 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(3, 12), RGB(255, 0, 0));
    for (bool clear : Transparency(project.m_hIcon))
        EXPECT_FALSE(clear);
}
