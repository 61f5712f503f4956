#include "BmpBytes.h"

#include "imaging/OXDib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

void ReadRecord(COXDIB& dib, const Bytes& bytes)
{
    LoadBytes(bytes, [&](CArchive& ar) { ASSERT_TRUE(dib.Read(ar)); });
}

Bytes FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(OXDibPaint, DrawsTheSourcePartIntoTheDestination)
{
    struct Case {
        CRect dest;
        CRect src;
        const char* art;
    };
    const Case cases[] = {
        {CRect(1, 1, 3, 3), CRect(0, 0, 2, 2), "....\n.rg.\n.b..\n....\n"},
        {CRect(0, 0, 1, 1), CRect(1, 0, 2, 1), "g...\n....\n....\n....\n"},
        {CRect(2, 3, 4, 4), CRect(0, 1, 2, 2), "....\n....\n....\n..b.\n"},
        {CRect(0, 0, 4, 4), CRect(0, 0, 2, 2), "rrgg\nrrgg\nbb..\nbb..\n"},
        {CRect(0, 0, 4, 2), CRect(0, 0, 1, 2), "rrrr\nbbbb\n....\n....\n"},
    };
    COXDIB dib;
    ReadRecord(dib, Bmp24());
    for (const Case& c : cases) {
        Canvas canvas(4, 4);
        EXPECT_NE(0, dib.Paint(&canvas.dc, c.dest, c.src));
        EXPECT_EQ(c.art, canvas.Art()) << c.art;
    }
}

TEST(OXDibPaint, MappedDcStretchesEvenAtEqualSizes)
{
    COXDIB dib;
    ReadRecord(dib, Bmp24());
    Canvas canvas(4, 4);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(2, 2);
    dib.Paint(&canvas.dc, CRect(0, 0, 2, 2), CRect(0, 0, 2, 2));
    EXPECT_EQ("rrgg\nrrgg\nbb..\nbb..\n", canvas.Art());
}

TEST(OXDibPaint, PaletteImageDrawsItsColours)
{
    COXDIB dib;
    ReadRecord(dib, Bmp8());
    Canvas canvas(4, 2);
    dib.Paint(&canvas.dc, CRect(0, 0, 4, 2), CRect(0, 0, 4, 2));
    EXPECT_EQ("rgb.\n.bgr\n", canvas.Art());
}

TEST(OXDibConvert, DeviceBitmapRoundTrip)
{
    Canvas canvas(3, 2);
    canvas.dc.SetPixel(0, 0, RGB(255, 0, 0));
    canvas.dc.SetPixel(2, 1, RGB(0, 0, 255));
    CBitmap* current = canvas.dc.GetCurrentBitmap();
    COXDIB dib;
    ASSERT_NE(nullptr, dib.BitmapToDIB(static_cast<HBITMAP>(current->GetSafeHandle())));
    EXPECT_EQ(CSize(3, 2), dib.GetSize());
    EXPECT_EQ(24, dib.GetBitCount());

    Canvas target(3, 2, RGB(0, 0, 0));
    std::unique_ptr<CBitmap> made(dib.MakeBitmap(&target.dc));
    ASSERT_NE(nullptr, made);
    CDC memory;
    memory.CreateCompatibleDC(&target.dc);
    CBitmap* old = memory.SelectObject(made.get());
    target.dc.BitBlt(0, 0, 3, 2, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    EXPECT_EQ("r..\n..b\n", target.Art());
}

TEST(OXDibConvert, EmptyDibGivesNothing)
{
    COXDIB dib;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(nullptr, dib.MakeBitmap(&dc));
    EXPECT_EQ(nullptr, dib.BitmapToDIB(nullptr));
    CSize size(3, 3);
    EXPECT_EQ(nullptr, dib.SelectIntoDC(&dc, &size));
    EXPECT_EQ(CSize(0, 0), size);
    EXPECT_EQ(0, dib.Paint(&dc, CRect(0, 0, 1, 1), CRect(0, 0, 1, 1)));
    EXPECT_FALSE(dib.Write("/tmp/never-written.bmp"));
}

TEST(OXDibConvert, SelectIntoDcShowsTheImage)
{
    COXDIB dib;
    ReadRecord(dib, Bmp1());
    dib.SetMonoColours(RGB(255, 0, 0), RGB(0, 255, 0));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = dib.SelectIntoDC(&dc, &size);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(CSize(3, 2), size);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(1, 0));
    dc.SelectObject(previous)->DeleteObject();
    COLORREF c0 = 0;
    COLORREF c1 = 0;
    dib.GetMonoColours(c0, c1);
    EXPECT_EQ(RGB(255, 0, 0), c0);
    EXPECT_EQ(RGB(0, 255, 0), c1);
}

TEST(OXDibFile, WriteReplacesTheFileWhole)
{
    auto dir = std::filesystem::temp_directory_path() / ("oxdib-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.bmp").string();
    std::ofstream(path) << "an older, longer file that must go entirely";
    COXDIB dib;
    ReadRecord(dib, Bmp8());
    EXPECT_TRUE(dib.Write(path.c_str()));
    EXPECT_EQ(Bmp8(), FileBytes(path));
    EXPECT_FALSE(dib.Write((dir / "missing" / "out.bmp").string().c_str()));

    COXDIB core;
    core.Attach(BlockOf(Concat({Dword(12), Word(2), Word(1), Word(1), Word(24), Bytes(8, 0)})));
    EXPECT_FALSE(core.Write(path.c_str()));
    EXPECT_EQ(Bmp8(), FileBytes(path));  // the good file stays
    std::filesystem::remove_all(dir);
}

}  // namespace
