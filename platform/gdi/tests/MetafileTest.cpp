#include "Canvas.h"

#include "platform/gdi/Metafile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

// 96 x 96 pixels of the reference screen in 0.01 mm.
constexpr RECT kFrame{0, 0, 2540, 2540};

void Scene(CDC& dc)
{
    CPen pen(PS_DASH, 0, RGB(0, 0, 255));
    CBrush hatch(HS_CROSS, RGB(255, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&hatch);
    dc.Rectangle(4, 4, 40, 30);
    dc.SelectStockObject(BLACK_PEN);
    dc.Ellipse(50, 10, 90, 40);
    dc.Pie(10, 50, 40, 80, 40, 65, 25, 50);
    const POINT tri[3] = {{60, 90}, {90, 90}, {75, 60}};
    dc.Polygon(tri, 3);
    dc.MoveTo(0, 95);
    dc.LineTo(95, 45);
    dc.SetPixel(93, 2, RGB(0, 255, 0));
    dc.FillSolidRect(44, 44, 6, 6, RGB(255, 255, 0));
    int saved = dc.SaveDC();
    dc.IntersectClipRect(0, 0, 20, 96);
    CBrush solid(RGB(0, 255, 0));
    RECT band{0, 84, 96, 90};
    dc.FillRect(&band, &solid);
    dc.RestoreDC(saved);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

HENHMETAFILE Record(const std::function<void(CDC&)>& draw)
{
    CMetaFileDC meta;
    EXPECT_TRUE(meta.CreateEnhanced(nullptr, nullptr, &kFrame, "Test\0Scene\0"));
    draw(meta);
    return meta.CloseEnhanced();
}

TEST(Metafiles, RecordedDrawingPlaysBackPixelForPixel)
{
    Canvas direct(96, 96);
    Scene(direct.dc);
    HENHMETAFILE emf = Record(Scene);
    ASSERT_NE(nullptr, emf);
    Canvas played(96, 96);
    RECT all{0, 0, 96, 96};
    EXPECT_TRUE(PlayEnhMetaFile(played.dc, emf, &all));
    EXPECT_EQ(direct.Art(), played.Art());
    ENHMETAHEADER header{};
    EXPECT_EQ(sizeof(header), GetEnhMetaFileHeader(emf, sizeof(header), &header));
    EXPECT_EQ(ENHMETA_SIGNATURE, header.dSignature);
    EXPECT_EQ(2540, header.rclFrame.right);
    EXPECT_EQ(GetEnhMetaFileBits(emf, 0, nullptr), header.nBytes);
    EXPECT_TRUE(DeleteEnhMetaFile(emf));
}

TEST(Metafiles, AttributeDcAnswersMeasurements)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, "PDF Printer", nullptr, nullptr));
    CMetaFileDC meta;
    ASSERT_TRUE(meta.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(96, meta.GetDeviceCaps(LOGPIXELSX));
    meta.SetAttribDC(printer);
    EXPECT_EQ(300, meta.GetDeviceCaps(LOGPIXELSX));
    meta.ReleaseAttribDC();
    DeleteEnhMetaFile(meta.CloseEnhanced());
}

TEST(Metafiles, PlaybackScalesToTheTargetRectangle)
{
    HENHMETAFILE emf = Record([](CDC& dc) {
        CBrush red(RGB(255, 0, 0));
        dc.SelectObject(&red);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(0, 0, 49, 49);  // the top-left quarter
        dc.SelectStockObject(WHITE_BRUSH);
    });
    Canvas canvas(60, 60);
    RECT half{10, 10, 58, 58};
    EXPECT_TRUE(PlayEnhMetaFile(canvas.dc, emf, &half));
    RECT ink = canvas.Ink();
    EXPECT_TRUE(ink == (RECT{10, 10, 34, 34})) << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
    DeleteEnhMetaFile(emf);
}

TEST(Metafiles, BytesRoundTripAndTextAndBlits)
{
    Canvas source(8, 8, RGB(0, 0, 255));
    auto draw = [&](CDC& dc) {
        LOGFONT lf{};
        lf.lfHeight = -14;
        std::strcpy(lf.lfFaceName, "Arial");
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(5, 5, "Metafile", 8);
        dc.SelectObject(old);
        dc.BitBlt(70, 70, 8, 8, &source.dc, 0, 0, SRCCOPY);
        CDC mono;
        mono.CreateCompatibleDC(nullptr);
        CBitmap mask;
        const BYTE rows[8] = {0xF0, 0, 0xF0, 0, 0x0F, 0, 0x0F, 0};
        mask.CreateBitmap(8, 4, 1, 1, rows);
        CBitmap* oldMask = mono.SelectObject(&mask);
        dc.SetTextColor(RGB(255, 0, 0));
        dc.SetBkColor(RGB(0, 255, 0));
        dc.BitBlt(80, 60, 8, 4, &mono, 0, 0, SRCCOPY);
        mono.SelectObject(oldMask);
        dc.StretchBlt(70, 80, 16, 8, &source.dc, 0, 0, 8, 8, SRCCOPY);
    };
    Canvas direct(96, 96);
    draw(direct.dc);
    HENHMETAFILE emf = Record(draw);
    std::vector<BYTE> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    ASSERT_EQ(bytes.size(), GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data()));
    DeleteEnhMetaFile(emf);
    HENHMETAFILE copy = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(nullptr, copy);
    Canvas played(96, 96);
    RECT all{0, 0, 96, 96};
    EXPECT_TRUE(PlayEnhMetaFile(played.dc, copy, &all));
    EXPECT_EQ(direct.Art(), played.Art());
    DeleteEnhMetaFile(copy);
}

TEST(Metafiles, TruncatedAndCorruptedBytesFailCleanly)
{
    HENHMETAFILE emf = Record(Scene);
    std::vector<BYTE> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
    DeleteEnhMetaFile(emf);
    RECT all{0, 0, 96, 96};
    for (size_t n = 0; n < bytes.size(); n += 7) {
        EXPECT_EQ(nullptr, SetEnhMetaFileBits(UINT(n), bytes.data())) << n;  // shorter than it says
    }
    // Damaged record sizes and fields inside an intact envelope.
    const DWORD headerSize = bytes[4] | bytes[5] << 8;
    for (size_t at = headerSize; at + 8 <= bytes.size(); at += 12) {
        for (DWORD value : {0u, 3u, 0x7FFFFFF0u, 0xFFFFFFFFu}) {
            std::vector<BYTE> bad = bytes;
            std::memcpy(&bad[at], &value, 4);
            HENHMETAFILE h = SetEnhMetaFileBits(UINT(bad.size()), bad.data());
            ASSERT_NE(nullptr, h);
            Canvas canvas(96, 96);
            PlayEnhMetaFile(canvas.dc, h, &all);
            DeleteEnhMetaFile(h);
        }
    }
    std::vector<BYTE> notEmf = bytes;
    notEmf[40] = 'X';  // the signature
    EXPECT_EQ(nullptr, SetEnhMetaFileBits(UINT(notEmf.size()), notEmf.data()));
}

// A placeable Windows metafile: 1440 x 720 units at 1440 per inch, left half red.
std::vector<BYTE> PlaceableWmf()
{
    std::vector<BYTE> b;
    auto word = [&](int v) { b.push_back(BYTE(v)); b.push_back(BYTE(v >> 8)); };
    auto dword = [&](DWORD v) { word(int(v & 0xFFFF)); word(int(v >> 16)); };
    dword(kPlaceableKey);
    word(0);
    word(0), word(0), word(1440), word(720);
    word(1440);
    dword(0);
    word(0);  // checksum, not checked
    const size_t header = b.size();
    word(1), word(9), word(0x300), dword(0), word(1), dword(0), word(0);
    auto record = [&](int fn, std::initializer_list<int> params) {
        dword(DWORD(3 + params.size()));
        word(fn);
        for (int p : params)
            word(p);
    };
    record(0x020B, {0, 0});               // window origin y, x
    record(0x020C, {720, 1440});          // window extent cy, cx
    record(0x02FC, {BS_SOLID, 0x00FF, 0x0000, 0});  // red brush (colour as two words)
    record(0x012D, {0});                   // select it
    record(0x02FA, {PS_NULL, 0, 0, 0, 0});  // null pen
    record(0x012D, {1});
    record(0x041B, {720, 720, 0, 0});      // rectangle bottom, right, top, left
    record(0x0000, {});
    DWORD words = DWORD((b.size() - header) / 2);
    std::memcpy(&b[header + 6], &words, 4);
    return b;
}

TEST(Metafiles, PlaceableWindowsMetafilePlaysInItsFrame)
{
    std::vector<BYTE> wmf = PlaceableWmf();
    HENHMETAFILE h = SetWinMetaFileBits(UINT(wmf.size()), wmf.data(), nullptr, nullptr);
    ASSERT_NE(nullptr, h);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(h, sizeof(header), &header);
    EXPECT_EQ(96, MulDiv(header.rclFrame.right - header.rclFrame.left, 96, 2540));
    EXPECT_EQ(48, MulDiv(header.rclFrame.bottom - header.rclFrame.top, 96, 2540));
    Canvas canvas(96, 48);
    RECT all{0, 0, 96, 48};
    EXPECT_TRUE(PlayEnhMetaFile(canvas.dc, h, &all));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, 20));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(70, 20));
    RECT ink = canvas.Ink();
    EXPECT_TRUE(ink == (RECT{0, 0, 47, 47})) << ink.right << "," << ink.bottom;
    DeleteEnhMetaFile(h);

    std::vector<BYTE> plain(wmf.begin() + 22, wmf.end());
    HMETAFILE mf = SetMetaFileBitsEx(UINT(plain.size()), plain.data());
    Canvas direct(96, 48);
    direct.dc.SetMapMode(MM_ANISOTROPIC);
    direct.dc.SetViewportExt(96, 48);
    EXPECT_TRUE(PlayMetaFile(direct.dc, mf));
    EXPECT_EQ(RGB(255, 0, 0), direct.Pixel(20, 20));
    EXPECT_EQ(RGB(255, 255, 255), direct.Pixel(70, 20));
    DeleteMetaFile(mf);
}

TEST(Metafiles, DamagedWindowsMetafilesFailCleanly)
{
    std::vector<BYTE> wmf = PlaceableWmf();
    for (size_t n = 0; n < wmf.size(); ++n) {
        HENHMETAFILE h = SetWinMetaFileBits(UINT(n), wmf.data(), nullptr, nullptr);
        if (!h)
            continue;
        Canvas canvas(16, 8);
        RECT all{0, 0, 16, 8};
        PlayEnhMetaFile(canvas.dc, h, &all);
        DeleteEnhMetaFile(h);
    }
    std::vector<BYTE> bad = wmf;
    bad[22 + 2] = 7;  // header size
    EXPECT_EQ(nullptr, SetWinMetaFileBits(UINT(bad.size()), bad.data(), nullptr, nullptr));
    std::vector<BYTE> huge = wmf;
    huge[22 + 18] = 0xFF, huge[22 + 19] = 0xFF;  // first record's size
    HENHMETAFILE h = SetWinMetaFileBits(UINT(huge.size()), huge.data(), nullptr, nullptr);
    Canvas canvas(16, 8);
    RECT all{0, 0, 16, 8};
    EXPECT_FALSE(PlayEnhMetaFile(canvas.dc, h, &all));
    DeleteEnhMetaFile(h);
}

}  // namespace
