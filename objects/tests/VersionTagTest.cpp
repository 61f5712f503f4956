#include "objects/HyperBaseOb.h"
#include "objects/SectionTag.h"
#include "objects/VersionTag.h"
#include "objects/tests/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionTag, WritesTheMagicWithTheVersionInTheLowByte)
{
    struct Case {
        UINT version;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0xCD, 0xCD, 0xBA}},
        {8, {0x08, 0xCD, 0xCD, 0xBA}},
        {99, {0x63, 0xCD, 0xCD, 0xBA}},
        {255, {0xFF, 0xCD, 0xCD, 0xBA}},
        {0x1234, {0x34, 0xCD, 0xCD, 0xBA}},
    };
    for (const Case& c : cases) {
        Bytes written = StoreBytes([&](CArchive& ar) { CVersionTag(&ar, nullptr, c.version).Write(); });
        EXPECT_EQ(written, c.bytes) << c.version;
    }
}

TEST(VersionTag, HashOfClassNameKeepsTheLowByteClear)
{
    EXPECT_EQ(CVersionTag::HashClassName(""), 0u);
    EXPECT_EQ(CVersionTag::HashClassName("C"), 0x4300u);
    EXPECT_EQ(CVersionTag::HashClassName("CO"), 0x4300u * 33 + 0x4F00u);
    // Characters above 127 count as negative bytes.
    EXPECT_EQ(CVersionTag::HashClassName("\xE9"), static_cast<DWORD>(-23 * 256));
}

// One record beginning: what Read answers, the version, and where the stream is left.
struct ReadCase {
    const char* name;
    Bytes bytes;
    BOOL acceptAny;
    BOOL found;
    int version;
    size_t consumed;
};

TEST(VersionTag, ReadFindsTagsAndLeavesOtherDataInPlace)
{
    CHyperBaseOb owner;
    DWORD ownerHash = CVersionTag::HashClassName("CHyperBaseOb");
    const ReadCase cases[] = {
        {"magic", {0x05, 0xCD, 0xCD, 0xBA, 0x11}, FALSE, TRUE, 5, 4},
        {"not a tag", {0x78, 0x56, 0x34, 0x12}, FALSE, FALSE, -1, 0},
        {"accept any", {0x78, 0x56, 0x34, 0x12}, TRUE, TRUE, 0x78, 4},
        {"class hash", Dword(ownerHash | 3), FALSE, TRUE, 3, 4},
        {"hash of another class", Dword(CVersionTag::HashClassName("CObValue") | 3), FALSE, FALSE, -1, 0},
        {"empty", {}, FALSE, FALSE, -1, 0},
        {"three bytes", {0x08, 0xCD, 0xCD}, FALSE, FALSE, -1, 0},
        {"three bytes accept any", {0x08, 0xCD, 0xCD}, TRUE, FALSE, -1, 0},
    };
    for (const ReadCase& c : cases) {
        BOOL found = FALSE;
        int version = 0;
        size_t consumed = LoadBytes(c.bytes, [&](CArchive& ar) {
            CVersionTag tag(&ar, &owner, 8, c.acceptAny);
            found = tag.Read();
            version = tag.GetVersion();
        });
        EXPECT_EQ(found, c.found) << c.name;
        EXPECT_EQ(version, c.version) << c.name;
        EXPECT_EQ(consumed, c.consumed) << c.name;
    }
}

TEST(VersionTag, VersionIsNotReadBeforeRead)
{
    LoadBytes({}, [](CArchive& ar) { EXPECT_EQ(CVersionTag(&ar, nullptr, 8).GetVersion(), -2); });
}

TEST(VersionTag, ReadInTheMiddleOfABufferedStream)
{
    // The archive has already buffered the tag and what follows it.
    Bytes bytes = Concat({Dword(7), Dword(0xBACDCD03), Dword(9), Dword(0x12345678), Dword(10)});
    LoadBytes(bytes, [](CArchive& ar) {
        DWORD value = 0;
        ar >> value;
        EXPECT_EQ(value, 7u);
        CVersionTag tagged(&ar, nullptr, 8);
        EXPECT_TRUE(tagged.Read());
        EXPECT_EQ(tagged.GetVersion(), 3);
        ar >> value;
        EXPECT_EQ(value, 9u);
        CVersionTag untagged(&ar, nullptr, 8);
        EXPECT_FALSE(untagged.Read());
        ar >> value;
        EXPECT_EQ(value, 0x12345678u);
        ar >> value;
        EXPECT_EQ(value, 10u);
    });
}

TEST(VersionTag, SeekBackRereadsTheTagAsData)
{
    LoadBytes(Dword(0xBACDCD08), [](CArchive& ar) {
        CVersionTag tag(&ar, nullptr, 8);
        ASSERT_TRUE(tag.Read());
        tag.SeekBack();
        DWORD value = 0;
        ar >> value;
        EXPECT_EQ(value, 0xBACDCD08u);
    });
}

TEST(SectionTag, ConsumesOnlyAnExactMatch)
{
    struct Case {
        Bytes bytes;
        BOOL found;
        size_t consumed;
    };
    const Case cases[] = {
        {Dword(0x22222222), TRUE, 4},
        {Dword(0x22222223), FALSE, 0},
        {Dword(0xA2222222), FALSE, 0},
        {{0x22, 0x22, 0x22}, FALSE, 0},
        {{}, FALSE, 0},
    };
    for (const Case& c : cases) {
        BOOL found = FALSE;
        size_t consumed = LoadBytes(c.bytes, [&](CArchive& ar) { found = CSectionTag(&ar, 0x22222222).Probe(); });
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(consumed, c.consumed);
    }
}

TEST(SectionTag, MissLeavesTheDwordForTheNextRead)
{
    LoadBytes(Concat({Dword(1), Dword(0x22222223)}), [](CArchive& ar) {
        DWORD value = 0;
        ar >> value;
        EXPECT_FALSE(CSectionTag(&ar, 0x22222222).Probe());
        ar >> value;
        EXPECT_EQ(value, 0x22222223u);
    });
}

} // namespace
