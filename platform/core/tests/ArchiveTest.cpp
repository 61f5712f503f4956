#include "ArchiveBytes.h"

#include "platform/core/File.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

TEST(Archive, ScalarsAreLittleEndianWithTheirPlatformWidths)
{
    const Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEF) << static_cast<short>(-3) << 'A' << 1.5f << -2.0
           << static_cast<LONGLONG>(0x0102030405060708) << true << false;
    });
    const Bytes expected = {
        0x12,                                            // BYTE
        0x56, 0x34,                                      // WORD
        0xFE, 0xFF, 0xFF, 0xFF,                          // LONG
        0xEF, 0xCD, 0xAB, 0x89,                          // DWORD
        0xFD, 0xFF,                                      // short
        0x41,                                            // char
        0x00, 0x00, 0xC0, 0x3F,                          // float 1.5
        0, 0, 0, 0, 0, 0, 0x00, 0xC0,                    // double -2.0
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // LONGLONG
        0x01, 0x00,                                      // bool
    };
    EXPECT_EQ(bytes, expected);

    LoadBytes(expected, [](CArchive& ar) {
        BYTE b; WORD w; LONG l; DWORD d; short s; char c; float f; double g; LONGLONG ll; bool t, u;
        ar >> b >> w >> l >> d >> s >> c >> f >> g >> ll >> t >> u;
        EXPECT_EQ(b, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(d, 0x89ABCDEFu);
        EXPECT_EQ(s, -3);
        EXPECT_EQ(c, 'A');
        EXPECT_EQ(f, 1.5f);
        EXPECT_EQ(g, -2.0);
        EXPECT_EQ(ll, 0x0102030405060708);
        EXPECT_TRUE(t);
        EXPECT_FALSE(u);
        EXPECT_TRUE(ar.IsBufferEmpty());
    });
}

TEST(Archive, StringsCarryTheirLengthPrefix)
{
    struct Case { size_t length; Bytes prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CString text;
        for (size_t i = 0; i < c.length; ++i)
            text += static_cast<char>('a' + i % 26);
        const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
        Bytes expected = c.prefix;
        expected.insert(expected.end(), text.Bytes().begin(), text.Bytes().end());
        EXPECT_EQ(bytes, expected);

        LoadBytes(expected, [&](CArchive& ar) {
            CString loaded("old");
            ar >> loaded;
            EXPECT_EQ(loaded, text);
        });
    }
}

TEST(Archive, StringBytesSurviveUnchanged)
{
    const CString text("\x80\xE9\xFF\x01 end", 8);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
    EXPECT_EQ(bytes, (Bytes{0x08, 0x80, 0xE9, 0xFF, 0x01, ' ', 'e', 'n', 'd'}));
}

TEST(Archive, WideStringsAreReadIntoTheCodePage)
{
    // 0xFF 0xFFFE marks 16-bit characters: "A", e acute, the euro sign and a CJK character.
    const Bytes bytes = {0xFF, 0xFE, 0xFF, 0x04, 0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20, 0x2D, 0x4E};
    LoadBytes(bytes, [](CArchive& ar) {
        CString text;
        ar >> text;
        EXPECT_EQ(text, CString("A\xE9\x80?"));
    });
}

TEST(Archive, CountsUseAWordBelow0xFFFF)
{
    struct Case { DWORD count; Bytes bytes; };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes);
        LoadBytes(c.bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
    }
}

TEST(Archive, TruncatedStreamsRaiseEndOfFile)
{
    struct Case { const char* name; Bytes bytes; std::function<void(CArchive&)> read; };
    const Case cases[] = {
        {"dword from three bytes", {1, 2, 3}, [](CArchive& ar) { DWORD d; ar >> d; }},
        {"double after a byte", {1, 2, 3, 4, 5, 6, 7, 8}, [](CArchive& ar) { BYTE b; double d; ar >> b >> d; }},
        {"string shorter than its prefix", {0x05, 'a', 'b'}, [](CArchive& ar) { CString s; ar >> s; }},
        {"string length cut", {0xFF, 0x00}, [](CArchive& ar) { CString s; ar >> s; }},
        {"huge string length", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}, [](CArchive& ar) { CString s; ar >> s; }},
        {"count cut", {0xFF, 0xFF, 0x01}, [](CArchive& ar) { ar.ReadCount(); }},
        {"empty stream", {}, [](CArchive& ar) { BYTE b; ar >> b; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(c.bytes, c.read); }), CArchiveException::endOfFile);
    }
}

TEST(Archive, WrongDirectionIsRefused)
{
    EXPECT_EQ(ArchiveCause([] { LoadBytes({1}, [](CArchive& ar) { ar << static_cast<BYTE>(1); }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([] { StoreBytes([](CArchive& ar) { BYTE b; ar >> b; }); }), CArchiveException::writeOnly);
}

TEST(Archive, ReadReturnsWhatIsLeftAndLargeBlocksPassThrough)
{
    Bytes data(10000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 7);
    const Bytes stored = StoreBytes([&](CArchive& ar) {
        ar << static_cast<BYTE>(0xAA);
        ar.Write(data.data(), static_cast<UINT>(data.size()));
        ar << static_cast<WORD>(0xBBCC);
    });
    ASSERT_EQ(stored.size(), 1 + data.size() + 2);
    EXPECT_EQ(Bytes(stored.begin() + 1, stored.end() - 2), data);

    LoadBytes(stored, [&](CArchive& ar) {
        BYTE b;
        ar >> b;
        Bytes back(data.size());
        EXPECT_EQ(ar.Read(back.data(), static_cast<UINT>(back.size())), data.size());
        EXPECT_EQ(back, data);
        BYTE rest[8];
        EXPECT_EQ(ar.Read(rest, sizeof(rest)), 2u);
        EXPECT_EQ(ar.Read(rest, sizeof(rest)), 0u);
    });
}

TEST(Archive, TextLinesDropTheirLineEnds)
{
    LoadBytes({'o', 'n', 'e', '\r', '\n', '\n', 't', 'w', 'o'}, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "one");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "two");
        EXPECT_FALSE(ar.ReadString(line));
    });
    EXPECT_EQ(StoreBytes([](CArchive& ar) { ar.WriteString("a\r\nb"); }), (Bytes{'a', '\r', '\n', 'b'}));
}

class ArchiveOnFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = (std::filesystem::temp_directory_path() /
                  ("archive-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                     .string();
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    void WriteFile(const Bytes& bytes)
    {
        CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    }

    std::string m_path;
};

// The record-tag pattern: flush, remember the position, read a dword through the
// archive, flush, and seek the file back four bytes to read the dword again.
TEST_F(ArchiveOnFile, FlushThenSeekBackRereadsTheSameBytes)
{
    WriteFile({0x11, 0x22, 0x33, 0x44, 0x78, 0x56, 0x34, 0x12, 0x99});
    CFile file(m_path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    DWORD first;
    ar >> first;
    EXPECT_EQ(first, 0x44332211u);
    EXPECT_EQ(file.GetPosition(), 9u) << "the buffer read ahead";

    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_TRUE(ar.IsBufferEmpty());
    DWORD tag;
    ar >> tag;
    EXPECT_EQ(tag, 0x12345678u);
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 8u);
    file.Seek(static_cast<LONGLONG>(file.GetPosition()) - 4, CFile::begin);
    ar.Flush();
    DWORD again;
    BYTE last;
    ar >> again >> last;
    EXPECT_EQ(again, 0x12345678u);
    EXPECT_EQ(last, 0x99);
}

// The catalogue pattern: flush, seek forward to an offset found in the stream, read on.
TEST_F(ArchiveOnFile, FlushThenSeekForwardReadsFromTheNewPlace)
{
    Bytes bytes = {0x10, 0x00, 0x00, 0x00};
    bytes.resize(0x10, 0xEE);
    bytes.insert(bytes.end(), {0x03, 'a', 'b', 'c'});
    WriteFile(bytes);
    CFile file(m_path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    DWORD offset;
    ar >> offset;
    ar.Flush();
    file.Seek(offset, CFile::begin);
    CString text;
    ar >> text;
    EXPECT_EQ(text, "abc");
}

// Storing: after Flush the data is in the file, so direct writes follow it without a
// gap, and a value put into the buffer after a seek lands there on Close.
TEST_F(ArchiveOnFile, StoreFlushInterleavesWithDirectFileAccess)
{
    CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(0) << static_cast<WORD>(0x0102);
        ar.Flush();
        EXPECT_EQ(file.GetPosition(), 6u);
        file.Write("RAW", 3);
        ar << static_cast<BYTE>(0x7F);
        ar.Flush();
        file.Seek(0, CFile::begin);
        ar << static_cast<DWORD>(0xCAFEF00D);
        ar.Close();
    }
    file.Close();
    CFile check(m_path.c_str(), CFile::modeRead);
    Bytes back(16);
    back.resize(check.Read(back.data(), 16));
    EXPECT_EQ(back, (Bytes{0x0D, 0xF0, 0xFE, 0xCA, 0x02, 0x01, 'R', 'A', 'W', 0x7F}));
}

TEST_F(ArchiveOnFile, CountsBeyondTheFileAreRefusedBeforeAllocation)
{
    WriteFile({0x01, 0x02, 0x03});
    CFile file(m_path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    BYTE b;
    ar >> b;
    EXPECT_NO_THROW(ar.CheckAvailable(2));
    EXPECT_EQ(ArchiveCause([&] { ar.CheckAvailable(3); }), CArchiveException::endOfFile);
}

// The archive reads 128 bytes at a time; the look-ahead crosses the end of the first lot.
TEST(Archive, PeekShowsTheNextBytesWithoutTakingThem)
{
    Bytes bytes(131);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load, 128);
    BYTE large[129];
    EXPECT_FALSE(ar.Peek(large, 129)) << "more than the buffer holds";
    DWORD value = 0;
    ASSERT_TRUE(ar.Peek(&value, sizeof value));
    EXPECT_EQ(value, 0x03020100u);
    ASSERT_TRUE(ar.Peek(&value, sizeof value));
    EXPECT_EQ(value, 0x03020100u);
    Bytes skipped(126);
    EXPECT_EQ(ar.Read(skipped.data(), 126), 126u);
    ASSERT_TRUE(ar.Peek(&value, sizeof value));
    EXPECT_EQ(value, 0x81807F7Eu);
    WORD word = 0;
    ar >> word;
    EXPECT_EQ(word, 0x7F7E);
    EXPECT_FALSE(ar.Peek(&value, sizeof value)) << "three bytes left";
    BYTE rest[3];
    EXPECT_EQ(ar.Read(rest, 3), 3u) << "a failed look-ahead loses nothing";
    EXPECT_EQ(rest[2], 130);
    EXPECT_FALSE(ar.Peek(&value, 1));
}

TEST(Archive, ExceptionsNameTheArchiveFile)
{
    CMemFile file;
    file.SetFilePath("notes.trn");
    CArchive ar(&file, CArchive::load);
    try {
        BYTE b;
        ar >> b;
        FAIL();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_strFileName, "notes.trn");
        char text[200];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
        EXPECT_NE(std::string(text).find("notes.trn"), std::string::npos);
        e->Delete();
    }
}

} // namespace
