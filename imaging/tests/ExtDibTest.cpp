#include "BmpBytes.h"

#include "imaging/ExtDib.h"
#include "objects/VersionTag.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const Bytes kTag = Dword(0xBACDCD00);

Bytes StoreExt(CExtDib& dib, BOOL withImage)
{
    return StoreBytes([&](CArchive& ar) { dib.SerializeEx(ar, withImage); });
}

size_t LoadExt(CExtDib& dib, const Bytes& record, BOOL withImage = TRUE)
{
    return LoadBytes(record, [&](CArchive& ar) { dib.SerializeEx(ar, withImage); });
}

void LoadEmbedded(CExtDib& dib, COLORREF colour)
{
    LoadExt(dib, Concat({kTag, Word(2), ShortString("pic.bmp"), {0}, Dword(colour), DibRecord(Bmp24())}));
}

TEST(ExtDibRecord, StoresEachKindInTheVersionedLayout)
{
    struct Case {
        UINT kind;
        BOOL withImage;
        Bytes expected;
    };
    const Case cases[] = {
        {CExtDib::None, TRUE, Concat({kTag, Word(0), ShortString(""), {0}, Dword(0xFFFFFFFF)})},
        {CExtDib::InPlace, TRUE, Concat({kTag, Word(1), ShortString("a.bmp"), {0}, Dword(0xFF00FF), DibRecord(Bmp24())})},
        {CExtDib::Embedded, FALSE, Concat({kTag, Word(2), ShortString("a.bmp"), {0}, Dword(0xFF00FF)})},
        {CExtDib::Linked, TRUE, Concat({kTag, Word(3), ShortString("a.bmp"), {0}, Dword(0xFF00FF)})},
    };
    for (const Case& c : cases) {
        CExtDib dib;
        LoadBytes(DibRecord(Bmp24()), [&](CArchive& ar) { dib.Serialize(ar); });
        dib.m_kind = c.kind;
        if (c.kind != CExtDib::None) {
            dib.m_name = "a.bmp";
            dib.m_colour = 0xFF00FF;
        }
        EXPECT_EQ(c.expected, StoreExt(dib, c.withImage)) << c.kind;
    }
}

TEST(ExtDibRecord, ReadsTheVersionedRecordBack)
{
    CExtDib dib;
    LoadEmbedded(dib, 0x00FF00);
    EXPECT_EQ(UINT(CExtDib::Embedded), dib.m_kind);
    EXPECT_EQ(CString("pic.bmp"), dib.m_name);
    EXPECT_EQ(0x00FF00u, dib.m_colour);
    EXPECT_TRUE(dib.HasTransparentColour());
    EXPECT_EQ(70u, dib.GetSize());
}

TEST(ExtDibRecord, OldRecordHasNoTagAndNoColour)
{
    CExtDib dib;
    const Bytes record = Concat({Word(1), ShortString("old.bmp"), {0}, DibRecord(Bmp24())});
    EXPECT_EQ(record.size(), LoadExt(dib, record));
    EXPECT_EQ(UINT(CExtDib::InPlace), dib.m_kind);
    EXPECT_EQ(CString("old.bmp"), dib.m_name);
    EXPECT_EQ(CExtDib::NoColour, dib.m_colour);
    EXPECT_FALSE(dib.HasTransparentColour());
    EXPECT_EQ(70u, dib.GetSize());
}

TEST(ExtDibRecord, TagWithTheClassHashIsATag)
{
    DWORD hashed = CVersionTag::HashClassName("CExtDib") & 0xFFFFFF00;
    CExtDib dib;
    LoadExt(dib, Concat({Dword(hashed), Word(0), ShortString("x"), {0}, Dword(0x123456)}));
    EXPECT_EQ(0x123456u, dib.m_colour);
}

TEST(ExtDibRecord, WithoutImageLeavesTheImageRecordUnread)
{
    CExtDib dib;
    const Bytes head = Concat({kTag, Word(2), ShortString("pic.bmp"), {0}, Dword(0)});
    EXPECT_EQ(head.size(), LoadExt(dib, Concat({head, DibRecord(Bmp24())}), FALSE));
    EXPECT_EQ(0u, dib.GetSize());
}

TEST(ExtDibRecord, LinkedFileThatIsMissingKeepsKindAndName)
{
    CExtDib dib;
    const Bytes record = Concat({kTag, Word(3), ShortString("/nonexistent/missing.bmp"), {0}, Dword(0xFFFFFFFF)});
    EXPECT_EQ(record.size(), LoadExt(dib, record));
    EXPECT_EQ(UINT(CExtDib::Linked), dib.m_kind);
    EXPECT_EQ(CString("/nonexistent/missing.bmp"), dib.m_name);
    EXPECT_EQ(0u, dib.GetSize());
}

TEST(ExtDibRecord, TruncatedRecordsThrow)
{
    const Bytes record = Concat({kTag, Word(1), ShortString("pic.bmp"), {0}, Dword(0), DibRecord(Bmp24())});
    for (size_t length = 0; length < record.size(); ++length) {
        CExtDib dib;
        Bytes cut(record.begin(), record.begin() + std::ptrdiff_t(length));
        EXPECT_TRUE(LoadThrowsArchiveException(cut, [&](CArchive& ar) { dib.SerializeEx(ar, TRUE); })) << length;
    }
}

TEST(ExtDib, CopyAndCompare)
{
    CExtDib source;
    LoadEmbedded(source, 0x0000FF);
    CExtDib copy;
    copy.CopyFrom(source);
    EXPECT_TRUE(copy.IsEqual(source));
    EXPECT_FALSE(copy.IsDifferent(source));
    EXPECT_NE(source.GetBlock(), copy.GetBlock());

    struct Change {
        const char* what;
        void (*apply)(CExtDib&);
    };
    const Change changes[] = {
        {"colour", [](CExtDib& d) { d.m_colour = 0; }},
        {"name case", [](CExtDib& d) { d.m_name = "PIC.bmp"; }},
        {"kind", [](CExtDib& d) { d.m_kind = CExtDib::InPlace; }},
        {"pixels", [](CExtDib& d) { d.GetBits()[0] ^= 1; }},
        {"no image", [](CExtDib& d) { d.Free(); }},
    };
    for (const Change& change : changes) {
        CExtDib other;
        other.CopyFrom(source);
        change.apply(other);
        EXPECT_TRUE(other.IsDifferent(source)) << change.what;
    }
}

TEST(ExtDib, KindNoneComparesWithoutImagesAndCopiesNone)
{
    CExtDib source;
    LoadEmbedded(source, 0x0000FF);
    source.m_kind = CExtDib::None;
    CExtDib copy;
    copy.CopyFrom(source);
    EXPECT_EQ(0u, copy.GetSize());
    EXPECT_TRUE(copy.IsEqual(source));
}

}  // namespace
