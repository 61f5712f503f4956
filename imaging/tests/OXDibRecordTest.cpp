#include "BmpBytes.h"

#include "imaging/OXDib.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

BOOL ReadRecord(COXDIB& dib, const Bytes& bytes)
{
    BOOL ok = FALSE;
    LoadBytes(bytes, [&](CArchive& ar) { ok = dib.Read(ar); });
    return ok;
}

Bytes WriteRecord(COXDIB& dib, BOOL* ok = nullptr)
{
    return StoreBytes([&](CArchive& ar) {
        BOOL written = dib.Write(ar);
        if (ok)
            *ok = written;
    });
}

Bytes Patched(Bytes bytes, size_t offset, const Bytes& value)
{
    std::copy(value.begin(), value.end(), bytes.begin() + std::ptrdiff_t(offset));
    return bytes;
}

// Header bytes 40 onward of a newer info header: masks (red, green, blue, alpha) then zeros.
Bytes NewerHeaderTail(uint32_t size)
{
    Bytes tail = Concat({Dword(0xF800), Dword(0x07E0), Dword(0x001F), Dword(0)});
    tail.resize(size - 40, 0);
    return tail;
}

Bytes WithHeaderSize(Bytes header, uint32_t size)
{
    std::copy_n(Dword(size).begin(), 4, header.begin());
    return header;
}

TEST(OXDibRecord, TwentyFourBitImageReadsAndWritesByteForByte)
{
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, Bmp24()));
    EXPECT_EQ(CSize(2, 2), dib.GetSize());
    EXPECT_EQ(24, dib.GetBitCount());
    EXPECT_EQ(0, dib.GetNumColours());
    EXPECT_EQ(nullptr, dib.GetPalette());
    EXPECT_EQ(40u, dib.FindBits());
    EXPECT_EQ(Bmp24(), WriteRecord(dib));
}

TEST(OXDibRecord, ReadingFillsTheSizesAFileLeftOut)
{
    // No image size and no colour count: both are computed and written back.
    const Bytes file = Concat({FileHeader(70, 62), InfoHeader(3, 2, 1), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0},
                               {0xA0, 0, 0, 0}, {0x40, 0, 0, 0}});
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, file));
    EXPECT_EQ(Patched(Patched(file, 34, Dword(8)), 46, Dword(2)), WriteRecord(dib));
}

TEST(OXDibRecord, CoreHeaderBecomesAnInfoHeader)
{
    const Bytes core = Concat({FileHeader(14 + 12 + 6 + 8, 14 + 12 + 6), Dword(12), Word(3), Word(2), Word(1), Word(1),
                               {0x10, 0x20, 0x30, 0x40, 0x50, 0x60}, {0xA0, 0, 0, 0}, {0x40, 0, 0, 0}});
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, core));
    EXPECT_EQ(2, dib.GetNumColours());
    EXPECT_EQ(48u, dib.FindBits());
    const Bytes expected = Concat({FileHeader(70, 62), InfoHeader(3, 2, 1, 0, 8, 2), {0x10, 0x20, 0x30, 0},
                                   {0x40, 0x50, 0x60, 0}, {0xA0, 0, 0, 0}, {0x40, 0, 0, 0}});
    EXPECT_EQ(expected, WriteRecord(dib));
    COLORREF c0 = 0;
    COLORREF c1 = 0;
    ASSERT_TRUE(dib.GetMonoColours(c0, c1));
    EXPECT_EQ(0x302010u, c0);
    EXPECT_EQ(0x605040u, c1);
}

TEST(OXDibRecord, NewerHeadersKeepTheirMasksAndPixels)
{
    const Bytes pixels = {0x00, 0xF8, 0x1F, 0x00};  // red, blue
    const Bytes expected = Concat({FileHeader(14 + 40 + 12 + 4, 66), InfoHeader(2, 1, 16, BI_BITFIELDS, 4),
                                   Dword(0xF800), Dword(0x07E0), Dword(0x001F), pixels});
    for (uint32_t size : {108u, 124u}) {
        const Bytes file = Concat({FileHeader(14 + size + 4, 14 + size),
                                   WithHeaderSize(InfoHeader(2, 1, 16, BI_BITFIELDS, 4), size), NewerHeaderTail(size),
                                   pixels});
        COXDIB dib;
        ASSERT_TRUE(ReadRecord(dib, file)) << size;
        EXPECT_EQ(expected, WriteRecord(dib)) << size;
    }
}

TEST(OXDibRecord, PixelsStartWhereTheFileHeaderSays)
{
    const Bytes gap = {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02};
    const Bytes withGap = Concat({FileHeader(70 + 6, 54 + 6), InfoHeader(2, 2, 24, 0, 16), gap, Pixels24()});
    const Bytes v5 = Concat({FileHeader(14 + 124 + 16, 14 + 124),
                             WithHeaderSize(InfoHeader(2, 2, 24, 0, 16), 124), Bytes(84, 0), Pixels24()});
    const Bytes noOffset = Patched(Bmp24(), 10, Dword(0));
    for (const Bytes& file : {withGap, v5, noOffset}) {
        COXDIB dib;
        ASSERT_TRUE(ReadRecord(dib, file));
        EXPECT_EQ(Bmp24(), WriteRecord(dib));
    }
}

TEST(OXDibRecord, TruncatedFilesFailWithAnEmptyDib)
{
    const Bytes file = Bmp8();
    for (size_t length = 0; length < file.size(); ++length) {
        COXDIB dib;
        ASSERT_TRUE(ReadRecord(dib, Bmp24()));
        EXPECT_FALSE(ReadRecord(dib, Bytes(file.begin(), file.begin() + std::ptrdiff_t(length)))) << length;
        EXPECT_TRUE(dib.IsEmpty());
    }
}

TEST(OXDibRecord, CorruptFilesFail)
{
    struct Case {
        const char* name;
        size_t offset;
        Bytes value;
    };
    const Case cases[] = {
        {"magic", 0, {'B', 'N'}},
        {"header size between", 14, Dword(20)},
        {"header size too large", 14, Dword(200)},
        {"bit count", 28, Word(7)},
        {"four-bit run lengths at 8 bits", 30, Dword(BI_RLE4)},
        {"unknown compression", 30, Dword(BI_PNG)},
        {"colour count", 46, Dword(300)},
        {"width", 18, Dword(0)},
        {"pixel offset inside the table", 10, Dword(60)},
        {"image larger than the file", 18, Dword(40000)},
    };
    for (const Case& c : cases) {
        COXDIB dib;
        EXPECT_FALSE(ReadRecord(dib, Patched(Bmp8(), c.offset, c.value))) << c.name;
        EXPECT_TRUE(dib.IsEmpty()) << c.name;
    }
}

TEST(OXDibRecord, RunLengthImageKeepsItsStoredSize)
{
    const Bytes rle = Concat({FileHeader(14 + 40 + 16 + 6, 14 + 40 + 16), InfoHeader(4, 2, 8, BI_RLE8, 6, 4),
                              Bytes(16, 0), {4, 1, 0, 0, 0, 1}});
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, rle));
    EXPECT_EQ(rle, WriteRecord(dib));
    CSize size;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(nullptr, dib.SelectIntoDC(&dc, &size));
}

TEST(OXDibRecord, SerializeStoresAndLoadsTheSameRecord)
{
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, Bmp8()));
    EXPECT_EQ(Bmp8(), StoreBytes([&](CArchive& ar) { dib.Serialize(ar); }));
    COXDIB loaded;
    LoadBytes(Bmp8(), [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(CSize(4, 2), loaded.GetSize());
}

TEST(OXDibBlock, CoreHeaderBlockIsNotStored)
{
    COXDIB dib;
    dib.Attach(BlockOf(Concat({Dword(12), Word(2), Word(1), Word(1), Word(24), Bytes(8, 0)})));
    EXPECT_EQ(CSize(2, 1), dib.GetSize());
    BOOL ok = TRUE;
    EXPECT_TRUE(WriteRecord(dib, &ok).empty());
    EXPECT_FALSE(ok);

    COXDIB target;
    ASSERT_TRUE(ReadRecord(target, Bmp24()));
    target = dib;
    EXPECT_EQ(24, target.GetBitCount());
    EXPECT_EQ(CSize(2, 2), target.GetSize());
}

TEST(OXDibBlock, EverythingStaysInsideTheBlock)
{
    // The header promises 2 x 2 at 24 bits; the block ends after one row.
    const Bytes shortBlock = Concat({InfoHeader(2, 2, 24, 0, 16), Bytes(8, 0)});
    const Bytes tableCut = Concat({InfoHeader(2, 2, 8, 0, 8, 0), Bytes(40, 0)});
    Bytes headerCut = InfoHeader(2, 2, 24);
    headerCut.resize(20);
    for (const Bytes& block : {shortBlock, tableCut, headerCut}) {
        COXDIB dib;
        dib.Attach(BlockOf(block));
        EXPECT_EQ(CSize(0, 0), dib.GetSize());
        EXPECT_EQ(0u, dib.FindBits());
        EXPECT_EQ(0, dib.GetNumColours());
        EXPECT_TRUE(WriteRecord(dib).empty());
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        EXPECT_EQ(0, dib.Paint(&dc, CRect(0, 0, 2, 2), CRect(0, 0, 2, 2)));
        CSize size(1, 1);
        EXPECT_EQ(nullptr, dib.SelectIntoDC(&dc, &size));
        EXPECT_EQ(CSize(0, 0), size);
    }
}

TEST(OXDibBlock, CopiesAreIndependent)
{
    COXDIB source;
    ASSERT_TRUE(ReadRecord(source, Bmp8()));
    COXDIB copy(source);
    COXDIB assigned;
    assigned = source;
    for (COXDIB* dib : {&copy, &assigned}) {
        EXPECT_NE(source.GetHandle(), dib->GetHandle());
        EXPECT_EQ(Bmp8(), WriteRecord(*dib));
        ASSERT_NE(nullptr, dib->GetPalette());
        EXPECT_EQ(4, dib->GetPalette()->GetEntryCount());
    }
    HGLOBAL larger = COXDIB::CopyHandle(source.GetHandle(), 10);
    EXPECT_EQ(GlobalSize(source.GetHandle()) + 10, GlobalSize(larger));
    GlobalFree(larger);
    EXPECT_EQ(nullptr, COXDIB::CopyHandle(nullptr));
}

TEST(OXDibBlock, PaletteFollowsTheColourTable)
{
    COXDIB dib;
    ASSERT_TRUE(ReadRecord(dib, Bmp8()));
    PALETTEENTRY entries[4]{};
    ASSERT_EQ(4u, dib.GetPalette()->GetPaletteEntries(0, 4, entries));
    EXPECT_EQ(255, entries[0].peRed);
    EXPECT_EQ(255, entries[1].peGreen);
    EXPECT_EQ(255, entries[2].peBlue);
    EXPECT_EQ(0, entries[2].peRed);

    ASSERT_TRUE(dib.FillColourTable(nullptr, DIB_PAL_COLORS));
    const Bytes written = WriteRecord(dib);
    EXPECT_EQ(Bytes({0, 0, 1, 0, 2, 0, 3, 0}), Bytes(written.begin() + 54, written.begin() + 62));
}

TEST(OXDibBlock, InitBitmapInfoHeaderPicksTheDepth)
{
    struct Case {
        int asked;
        WORD bits;
        DWORD colours;
        DWORD imageSize;  // for 5 x 3
    };
    const Case cases[] = {{1, 1, 0, 12}, {3, 4, 16, 12}, {8, 8, 256, 24}, {15, 24, 0, 48}, {32, 24, 0, 48}};
    for (const Case& c : cases) {
        BITMAPINFOHEADER h;
        std::memset(&h, 0xAB, sizeof(h));
        COXDIB::InitBitmapInfoHeader(h, 5, 3, c.asked);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(c.bits, h.biBitCount) << c.asked;
        EXPECT_EQ(c.colours, h.biClrUsed) << c.asked;
        EXPECT_EQ(c.imageSize, h.biSizeImage) << c.asked;
        EXPECT_EQ(0, h.biXPelsPerMeter);
    }
}

}  // namespace
