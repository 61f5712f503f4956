#include "BmpBytes.h"

#include "imaging/Dib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

// Packs by inverting every byte; a stand-in with the routine's calling convention.
BOOL InvertingPacker(int, const BYTE* in, DWORD inSize, BYTE** out, DWORD* outSize)
{
    *out = static_cast<BYTE*>(std::malloc(inSize));
    for (DWORD i = 0; i < inSize; ++i)
        (*out)[i] = BYTE(~in[i]);
    *outSize = inSize;
    return TRUE;
}

BOOL FailingPacker(int, const BYTE*, DWORD, BYTE**, DWORD*)
{
    return FALSE;
}

Bytes Inverted(Bytes bytes)
{
    for (auto& b : bytes)
        b = uint8_t(~b);
    return bytes;
}

void LoadDib(CDib& dib, const Bytes& record)
{
    LoadBytes(record, [&](CArchive& ar) { dib.Serialize(ar); });
}

Bytes StoreDib(CDib& dib)
{
    return StoreBytes([&](CArchive& ar) { dib.Serialize(ar); });
}

TEST(DibRecord, PlainImageReadsAndWritesByteForByte)
{
    CDib dib;
    LoadDib(dib, DibRecord(Bmp24()));
    EXPECT_EQ(70u, dib.GetSize());
    EXPECT_EQ(2, dib.GetWidth());
    EXPECT_EQ(2, dib.GetHeight());
    EXPECT_EQ(24u, dib.GetBitCount());
    EXPECT_EQ(dib.GetBlock() + 54, dib.GetBits());
    EXPECT_FALSE(dib.UsesCompression());
    EXPECT_EQ(DibRecord(Bmp24()), StoreDib(dib));
}

TEST(DibRecord, EmptyBitmapIsTagAndZeroSize)
{
    CDib dib;
    EXPECT_EQ(Bytes({0x42, 0x41, 0, 0, 0, 0}), StoreDib(dib));
}

TEST(DibRecord, SizeZeroEmptiesAFilledBitmap)
{
    CDib dib;
    LoadDib(dib, DibRecord(Bmp24()));
    LoadDib(dib, Bytes({0x42, 0x41, 0, 0, 0, 0}));
    EXPECT_EQ(0u, dib.GetSize());
    EXPECT_EQ(nullptr, dib.GetBits());
    EXPECT_EQ(Bytes({0x42, 0x41, 0, 0, 0, 0}), StoreDib(dib));
}

TEST(DibRecord, PackedRecordGoesThroughTheRoutine)
{
    CDib dib;
    dib.SetPackRoutine(InvertingPacker);
    LoadDib(dib, DibRecord(Inverted(Bmp24()), CDib::PackedTag));
    ASSERT_EQ(70u, dib.GetSize());
    EXPECT_EQ(0, std::memcmp(dib.GetBlock(), Bmp24().data(), 70));
    EXPECT_TRUE(dib.UsesCompression());
    EXPECT_EQ(DibRecord(Inverted(Bmp24()), CDib::PackedTag), StoreDib(dib));
}

TEST(DibRecord, FailedPackingStoresThePlainImage)
{
    CDib dib;
    LoadDib(dib, DibRecord(Bmp24()));
    dib.SetPackRoutine(FailingPacker);
    EXPECT_EQ(DibRecord(Bmp24()), StoreDib(dib));
}

TEST(DibRecord, RecordsItCannotUseAreSkippedInStep)
{
    const Bytes unknown = Concat({DibRecord(Bmp24(), 0x1234), Word(0xBEEF)});
    const Bytes packed = Concat({DibRecord(Bmp24(), CDib::PackedTag), Word(0xBEEF)});
    for (const Bytes& record : {unknown, packed}) {
        CDib dib;
        LoadDib(dib, DibRecord(Bmp1()));
        WORD after = 0;
        LoadBytes(record, [&](CArchive& ar) {
            dib.Serialize(ar);
            ar >> after;
        });
        EXPECT_EQ(0xBEEF, after);
        EXPECT_EQ(1u, dib.GetBitCount());  // the old image stays
    }
}

TEST(DibRecord, EveryTruncationThrowsTheArchiveException)
{
    const Bytes record = DibRecord(Bmp24());
    for (size_t length = 0; length < record.size(); ++length) {
        CDib dib;
        Bytes cut(record.begin(), record.begin() + std::ptrdiff_t(length));
        EXPECT_TRUE(LoadThrowsArchiveException(cut, [&](CArchive& ar) { dib.Serialize(ar); })) << length;
        EXPECT_EQ(0u, dib.GetSize());
    }
}

TEST(DibRecord, CorruptImagesThrowAndKeepTheOldImage)
{
    struct Case {
        const char* name;
        size_t offset;  // into the image
        Bytes value;
    };
    const Case cases[] = {
        {"magic", 0, {'X', 'X'}},
        {"pixel offset past the end", 10, Dword(71)},
        {"pixel offset inside the header", 10, Dword(40)},
        {"header size", 14, Dword(12)},
        {"bit count", 28, Word(7)},
        {"colour count", 46, Dword(300)},
        {"width", 18, Dword(0)},
        {"rows longer than the bits", 18, Dword(3)},
        {"height", 22, Dword(0x80000000u)},
    };
    for (const Case& c : cases) {
        Bytes image = Bmp24();
        std::copy(c.value.begin(), c.value.end(), image.begin() + std::ptrdiff_t(c.offset));
        CDib dib;
        LoadDib(dib, DibRecord(Bmp1()));
        EXPECT_TRUE(LoadThrowsArchiveException(DibRecord(image), [&](CArchive& ar) { dib.Serialize(ar); }))
            << c.name;
        EXPECT_EQ(1u, dib.GetBitCount()) << c.name;
    }
}

TEST(DibRecord, ExtractionOperatorReadsTheObject)
{
    CDib dib;
    LoadDib(dib, DibRecord(Bmp8()));
    const Bytes stored = StoreBytes([&](CArchive& ar) { ar << static_cast<const CObject*>(&dib); });
    CDib* loaded = nullptr;
    LoadBytes(stored, [&](CArchive& ar) { ar >> loaded; });
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(dib.GetSize(), loaded->GetSize());
    EXPECT_EQ(0, std::memcmp(dib.GetBlock(), loaded->GetBlock(), dib.GetSize()));
    delete loaded;
}

TEST(Dib, AccessorsAndMonoColours)
{
    CDib mono;
    LoadDib(mono, DibRecord(Bmp1()));
    COLORREF c0 = 1;
    COLORREF c1 = 1;
    ASSERT_TRUE(mono.GetMonoColours(&c0, &c1));
    EXPECT_EQ(0u, c0);
    EXPECT_EQ(0x00FFFFFFu, c1);
    mono.SetMonoColours(0x112233, 0x445566);
    mono.GetMonoColours(&c0, &c1);
    EXPECT_EQ(0x112233u, c0);
    EXPECT_EQ(0x445566u, c1);

    CDib colour;
    LoadDib(colour, DibRecord(Bmp8()));
    EXPECT_FALSE(colour.GetMonoColours(&c0, &c1));
    colour.SetMonoColours(0x112233, 0x445566);
    BITMAPINFO info{};
    colour.GetBitmapInfo(&info);
    EXPECT_EQ(4, info.bmiHeader.biWidth);
    EXPECT_EQ(0xFF, info.bmiColors[0].rgbRed);  // the table is untouched
    EXPECT_EQ(CSize(4, 2), colour.GetDimensions());

    CDib empty;
    BITMAPINFOHEADER header{};
    header.biWidth = 99;
    empty.GetBitmapInfoHeader(&header);
    EXPECT_EQ(99, header.biWidth);
}

TEST(Dib, CopyFromDuplicatesTheBlock)
{
    CDib source;
    LoadDib(source, DibRecord(Bmp8()));
    source.SetPackRoutine(InvertingPacker);
    CDib copy;
    copy.CopyFrom(&source);
    ASSERT_EQ(source.GetSize(), copy.GetSize());
    EXPECT_NE(source.GetBlock(), copy.GetBlock());
    EXPECT_EQ(0, std::memcmp(source.GetBlock(), copy.GetBlock(), copy.GetSize()));
    EXPECT_EQ(copy.GetBlock() + 14 + 40 + 16, copy.GetBits());
    EXPECT_EQ(8u, copy.GetBitCount());
    EXPECT_TRUE(copy.UsesCompression());

    CDib empty;
    copy.CopyFrom(&empty);
    EXPECT_EQ(0u, copy.GetSize());
}

}  // namespace
