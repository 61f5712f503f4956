#include "spell/MainDictionary.h"
#include "spell/CharacterServices.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace LexFormat;

namespace {

const std::vector<std::string> kWords = {
    "house",
    "House",
    "Paris",
    "caf\xE9",
    "\xC9tude",
    "internationalisation",
    "internationalization",
    "internationally",
    "qualification",
    "quality",
    "running",
    "apple",
    "a",
    "zebra",
    "don't",
    "naming",
    "nation",
    "Zeus",
};

std::vector<std::string> expansions()
{
    return { "tion", "ing", "qu", "al", "ly" };
}

LexLayout layoutWithExpansions(WORD version)
{
    LexLayout layout = LayoutOf(version);
    if (version != kVersion35)
        layout.expansions = expansions();
    return layout;
}

void putDword(std::vector<BYTE>& bytes, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

DWORD getDword(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[offset + static_cast<size_t>(i)];
    return value;
}

class MainDictionaryVersions : public ::testing::TestWithParam<WORD> { };

} // namespace

TEST_P(MainDictionaryVersions, ReadsEveryWordBackInDictionaryOrder)
{
    TempFolder folder;
    LexLayout layout = layoutWithExpansions(GetParam());
    std::string path = folder.Dictionary(kWords, layout);
    CMainDictionary dictionary(path.c_str());
    ASSERT_TRUE(dictionary.IsUsable());
    EXPECT_EQ(dictionary.GetVersion(), GetParam());
    EXPECT_EQ(ReadAllWords(path), SortForDictionary(kWords, layout.tables));
}

TEST_P(MainDictionaryVersions, EveryIndexEntryStartsARunOfItsKey)
{
    TempFolder folder;
    std::string path = folder.Dictionary(kWords, layoutWithExpansions(GetParam()));
    CMainDictionary dictionary(path.c_str());
    ASSERT_TRUE(dictionary.IsUsable());
    char word[64];
    for (int k = 0; k < dictionary.GetIndexCount(); ++k) {
        ASSERT_TRUE(dictionary.SeekToIndexEntry(k));
        ASSERT_TRUE(dictionary.ReadNextWord(word, sizeof word));
        EXPECT_EQ(std::string(word).substr(0, kKeyLength), dictionary.GetIndexEntry(k).key) << k;
    }
}

TEST_P(MainDictionaryVersions, WordsAreCutToTheCallersBuffer)
{
    TempFolder folder;
    std::string path = folder.Dictionary({ "internationalization" }, layoutWithExpansions(GetParam()));
    CMainDictionary dictionary(path.c_str());
    struct Case {
        int size;
        const char* expected;
    };
    for (Case c :
        { Case { 1, "" }, Case { 2, "i" }, Case { 6, "inter" }, Case { 64, "internationalization" } }) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        ASSERT_TRUE(dictionary.SeekToIndexEntry(0));
        EXPECT_TRUE(dictionary.ReadNextWord(buffer, c.size));
        EXPECT_STREQ(buffer, c.expected) << c.size;
    }
}

// Every prefix of a good file either opens or is refused; none reads past its end.
TEST_P(MainDictionaryVersions, TruncatedFilesNeverReadPastTheirEnd)
{
    TempFolder folder;
    LexLayout layout = layoutWithExpansions(GetParam());
    std::vector<BYTE> whole = WriteLexDictionary(kWords, layout);
    size_t wordArea = LexWordAreaOffset(layout);
    for (size_t length = 0; length < whole.size(); length += length < wordArea ? 97 : 1) {
        std::string path
            = folder.Write("cut.lex", std::vector<BYTE>(whole.begin(), whole.begin() + long(length)));
        std::vector<std::string> words = ReadAllWords(path);
        EXPECT_LE(words.size(), kWords.size()) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, MainDictionaryVersions,
    ::testing::Values(kVersion21, kVersion30, kVersion35), [](const ::testing::TestParamInfo<WORD>& info) {
        return info.param == kVersion21 ? "V21" : info.param == kVersion30 ? "V30" : "V35";
    });

TEST(MainDictionary, OpensOnlyFilesLongerThanTheSmallestHeader)
{
    TempFolder folder;
    std::vector<BYTE> bytes = WriteLexDictionary({ "a" }, LayoutOf(kVersion21));
    ASSERT_EQ(bytes.size(), 3714u);
    EXPECT_TRUE(CMainDictionary(folder.Write("full.lex", bytes).c_str()).IsUsable());
    bytes.pop_back();
    EXPECT_FALSE(CMainDictionary(folder.Write("short.lex", bytes).c_str()).IsUsable());
}

TEST(MainDictionary, IndexCountOfVersion35MustLieBetween256And5200)
{
    TempFolder folder;
    struct Case {
        int written;
        DWORD stored;
        bool opens;
    };
    for (Case c : { Case { 256, 256, true }, Case { 5200, 5200, true }, Case { 256, 255, false },
             Case { 5200, 5201, false }, Case { 256, 0xFFFFFFFF, false } }) {
        LexLayout layout = LayoutOf(kVersion35);
        layout.indexCount = c.written;
        std::vector<BYTE> bytes = WriteLexDictionary(kWords, layout);
        putDword(bytes, kIndexCountOffset, c.stored);
        CMainDictionary dictionary(folder.Write("count.lex", bytes).c_str());
        EXPECT_EQ(dictionary.IsUsable(), c.opens) << c.stored;
        if (c.opens) {
            EXPECT_EQ(dictionary.GetIndexCount(), c.written);
        }
    }
}

TEST(MainDictionary, RefusesDamagedHeadersAndIndexes)
{
    TempFolder folder;
    const size_t entry1 = kHeaderSize + kIndexEntrySize;
    const size_t lastEntry = kHeaderSize + 255 * kIndexEntrySize;
    struct Case {
        const char* what;
        WORD version;
        std::function<void(std::vector<BYTE>&)> damage;
    };
    const size_t expansionsAt
        = kHeaderSize + kMaxIndexCount * kIndexEntrySize + kTableCount * kTableSize + kOutputMapSize;
    const Case cases[] = {
        { "unknown magic", kVersion35, [](std::vector<BYTE>& b) { b[15] = '6'; } },
        { "magic of another program", kVersion30,
            [](std::vector<BYTE>& b) { std::memcpy(b.data(), "NRT_SPELL VER3.1", 16); } },
        { "index past the end", kVersion35,
            [&](std::vector<BYTE>& b) { putDword(b, lastEntry + 8, DWORD(b.size())); } },
        { "index into the tables", kVersion35,
            [](std::vector<BYTE>& b) { putDword(b, kHeaderSize + 8, 300); } },
        { "index out of file order", kVersion35,
            [&](std::vector<BYTE>& b) {
                putDword(b, lastEntry + 8, getDword(b, kHeaderSize + 8));
                putDword(b, entry1 + 8, getDword(b, lastEntry - 4) + 1);
            } },
        { "key without terminator", kVersion35,
            [](std::vector<BYTE>& b) { std::memset(b.data() + kHeaderSize, 'a', 8); } },
        { "keys out of order", kVersion35, [](std::vector<BYTE>& b) { b[kHeaderSize] = 'z'; } },
        { "indexed record shares a prefix", kVersion35,
            [](std::vector<BYTE>& b) { b[getDword(b, kHeaderSize + 8)] = 5; } },
        { "expansion without terminator", kVersion30,
            [&](std::vector<BYTE>& b) { std::memset(b.data() + expansionsAt, 'a', 6); } },
        { "expansion beyond the output map", kVersion30,
            [&](std::vector<BYTE>& b) { b[expansionsAt] = 0x80; } },
        { "a letter collates as the terminator", kVersion35,
            [](std::vector<BYTE>& b) { b[kHeaderSize + 256 * kIndexEntrySize + 2 * kTableSize + 'e'] = 0; } },
        { "tables cut short", kVersion35,
            [](std::vector<BYTE>& b) { b.resize(kHeaderSize + 256 * kIndexEntrySize + 700); } },
        { "index cut short", kVersion30,
            [](std::vector<BYTE>& b) { b.resize(kHeaderSize + 4000 * kIndexEntrySize); } },
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = WriteLexDictionary(kWords, layoutWithExpansions(c.version));
        c.damage(bytes);
        CMainDictionary dictionary(folder.Write("bad.lex", bytes).c_str());
        EXPECT_FALSE(dictionary.IsUsable()) << c.what;
        char word[32] = "x";
        EXPECT_FALSE(dictionary.ReadNextWord(word, sizeof word)) << c.what;
        EXPECT_STREQ(word, "") << c.what;
        EXPECT_FALSE(dictionary.SeekToIndexEntry(0)) << c.what;
    }
}

TEST(MainDictionary, MissingFileIsNotUsable)
{
    TempFolder folder;
    EXPECT_FALSE(CMainDictionary(folder.Path("none.lex").c_str()).IsUsable());
    EXPECT_FALSE(CMainDictionary(nullptr).IsUsable());
}

TEST(MainDictionary, RecordSharingMoreThanItsPredecessorEndsTheWords)
{
    TempFolder folder;
    LexLayout layout = LayoutOf(kVersion35);
    std::vector<BYTE> bytes = WriteLexDictionary({ "abcdefgh", "abcdefghi", "abcdefgj" }, layout);
    size_t area = LexWordAreaOffset(layout);
    // One run of seven equal characters: 00 "abcdefgh" | 09 'i' | 08 'j'.
    ASSERT_EQ(bytes[area + 9], 9);
    EXPECT_EQ(ReadAllWords(folder.Write("good.lex", bytes)),
        (std::vector<std::string> { "abcdefgh", "abcdefghi", "abcdefgj" }));
    bytes[area + 9] = 15;
    EXPECT_EQ(ReadAllWords(folder.Write("bad.lex", bytes)), std::vector<std::string> { "abcdefgh" });
}

TEST(MainDictionary, PrefixByteOneSharesNothingAndFifteenSharesFourteen)
{
    TempFolder folder;
    LexLayout layout = LayoutOf(kVersion30);
    const std::string stem = "abcdefghijklmnop";
    std::vector<BYTE> bytes = WriteLexDictionary({ stem, stem + "q", "b" }, layout);
    size_t area = LexWordAreaOffset(layout);
    std::vector<BYTE> records(bytes.begin() + long(area), bytes.end());
    std::vector<BYTE> expected = { 0 };
    expected.insert(expected.end(), stem.begin(), stem.end());
    expected.insert(expected.end(), { 15, 'o', 'p', 'q', 0, 'b' });
    ASSERT_EQ(records, expected);
    const std::vector<std::string> words = { stem, stem + "q", "b" };
    EXPECT_EQ(ReadAllWords(folder.Write("zero.lex", bytes)), words);
    bytes[bytes.size() - 2] = 1;
    EXPECT_EQ(ReadAllWords(folder.Write("one.lex", bytes)), words);
}

TEST(MainDictionary, Version21IndexCacheIsWrittenAndReused)
{
    TempFolder folder;
    std::string path = folder.Dictionary(kWords, LayoutOf(kVersion21));
    std::string cache = folder.Path("test.idx");
    {
        CMainDictionary dictionary(path.c_str(), cache.c_str());
        ASSERT_TRUE(dictionary.IsUsable());
    }
    std::vector<BYTE> bytes = ReadBytes(cache);
    ASSERT_EQ(bytes.size(), 12u + kMaxIndexCount * kIndexEntrySize);
    EXPECT_EQ(getDword(bytes, 4), DWORD(kMaxIndexCount));
    EXPECT_EQ(getDword(bytes, 8), 8u);
    EXPECT_EQ(getDword(bytes, 12 + 8), DWORD(kWordArea21));
    // A cache that matches the file is taken as it stands.
    putDword(bytes, 12 + 8, kWordArea21 + 1);
    folder.Write("test.idx", bytes);
    EXPECT_EQ(CMainDictionary(path.c_str(), cache.c_str()).GetIndexEntry(0).offset, DWORD(kWordArea21 + 1));
    // One for another count, or pointing outside the file, is rebuilt.
    for (DWORD offset : { DWORD(0), DWORD(ReadBytes(path).size()) }) {
        putDword(bytes, 12 + 8, offset);
        folder.Write("test.idx", bytes);
        EXPECT_EQ(CMainDictionary(path.c_str(), cache.c_str()).GetIndexEntry(0).offset, DWORD(kWordArea21));
    }
    putDword(bytes, 4, 5199);
    folder.Write("test.idx", bytes);
    EXPECT_EQ(CMainDictionary(path.c_str(), cache.c_str()).GetIndexEntry(0).offset, DWORD(kWordArea21));
    EXPECT_EQ(getDword(ReadBytes(cache), 4), DWORD(kMaxIndexCount));
}

TEST(MainDictionary, Version21ScanSpreadsRunsOverTheWordArea)
{
    TempFolder folder;
    std::vector<std::string> words;
    for (char a = 'a'; a <= 'z'; ++a)
        for (char b = 'a'; b <= 'z'; ++b)
            words.push_back(std::string("word") + a + b + "tail");
    std::string path = folder.Dictionary(words, LayoutOf(kVersion21));
    CMainDictionary dictionary(path.c_str());
    ASSERT_TRUE(dictionary.IsUsable());
    EXPECT_STREQ(dictionary.GetIndexEntry(0).key, "wordaat");
    EXPECT_STREQ(dictionary.GetIndexEntry(kMaxIndexCount - 1).key, "wordzzt");
    for (int k = 1; k < kMaxIndexCount; ++k)
        ASSERT_LE(dictionary.GetIndexEntry(k - 1).offset, dictionary.GetIndexEntry(k).offset);
}

TEST(MainDictionary, TinyVersion21WordAreaKeepsOneEntry)
{
    TempFolder folder;
    CMainDictionary dictionary(folder.Dictionary({ "cat", "dog", "emu" }, LayoutOf(kVersion21)).c_str());
    ASSERT_TRUE(dictionary.IsUsable());
    EXPECT_STREQ(dictionary.GetIndexEntry(kMaxIndexCount - 1).key, "cat");
    EXPECT_EQ(dictionary.GetIndexEntry(kMaxIndexCount - 1).offset, DWORD(kWordArea21));
}

TEST(MainDictionary, Version21RecordsGoThroughTheirInputMap)
{
    LexLayout layout = LayoutOf(kVersion21);
    layout.expansions = { "ing" };
    std::vector<BYTE> bytes = WriteLexDictionary({ "bring", "cab" }, layout);
    // Map 0 is the identity, map 1 maps b to 255 - b; "ing" is expansion 0.
    std::vector<BYTE> records(bytes.begin() + kWordArea21, bytes.end());
    EXPECT_EQ(records,
        (std::vector<BYTE> {
            0x03, 'b', 'r', 0x80, 0x43, BYTE(255 - 'c'), BYTE(255 - 'a'), BYTE(255 - 'b') }));
    EXPECT_EQ(bytes[kWordArea21 - 4 * kTableSize + 7], BYTE(7 ^ kInputMapKey));
}

TEST(MainDictionary, Version30CodesExpansionsAndOutputMap)
{
    TempFolder folder;
    LexLayout layout = LayoutOf(kVersion30);
    layout.expansions = { "tion" };
    std::vector<BYTE> bytes = WriteLexDictionary({ "caf\xE9", "nation" }, layout);
    size_t area = LexWordAreaOffset(layout);
    // e-acute gets the first free code, 16; "tion" is expansion 0.
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + long(area), bytes.end()),
        (std::vector<BYTE> { 0, 'c', 'a', 'f', 16, 0, 'n', 'a', 0x80 }));
    size_t outputMap = area - kExpansionCount * kExpansionSize - kOutputMapSize;
    EXPECT_EQ(bytes[outputMap + 16], 0xE9);
    EXPECT_EQ(bytes[outputMap + 'c'], 'c');
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + long(outputMap + kOutputMapSize),
                  bytes.begin() + long(outputMap + kOutputMapSize + 6)),
        (std::vector<BYTE> { 't', 'i', 'o', 'n', 0, 0 }));
    EXPECT_EQ(
        ReadAllWords(folder.Write("coded.lex", bytes)), (std::vector<std::string> { "caf\xE9", "nation" }));
}

TEST(MainDictionary, IndexCacheBytesReplaceTheIndexOrAreRefusedWhole)
{
    TempFolder folder;
    std::string path = folder.Dictionary(kWords, LayoutOf(kVersion21));
    std::string cache = folder.Path("test.idx");
    CMainDictionary dictionary(path.c_str(), cache.c_str());
    ASSERT_TRUE(dictionary.IsUsable());
    const std::vector<BYTE> written = ReadBytes(cache);
    const DWORD time = getDword(written, 0);
    const int last = kMaxIndexCount - 1;
    const DWORD lastOffset = dictionary.GetIndexEntry(last).offset;
    ASSERT_GT(dictionary.GetEntryRecord(last), 0);

    const size_t lastEntry = 12 + size_t(last) * kIndexEntrySize;
    struct Damage {
        const char* what;
        std::function<void(std::vector<BYTE>&)> apply;
    };
    const Damage damages[] = {
        { "one byte short", [](std::vector<BYTE>& b) { b.pop_back(); } },
        { "empty", [](std::vector<BYTE>& b) { b.clear(); } },
        { "another file time", [](std::vector<BYTE>& b) { putDword(b, 0, getDword(b, 0) + 1); } },
        { "another count", [](std::vector<BYTE>& b) { putDword(b, 4, kMaxIndexCount - 1); } },
        { "another marker", [](std::vector<BYTE>& b) { putDword(b, 8, 9); } },
        { "offset before the words", [&](std::vector<BYTE>& b) { putDword(b, lastEntry + 8, kWordArea21 - 1); } },
        { "offset past the file",
          [&](std::vector<BYTE>& b) { putDword(b, lastEntry + 8, DWORD(ReadBytes(path).size())); } },
        { "unterminated key", [&](std::vector<BYTE>& b) { b[lastEntry + kKeyLength] = 'x'; } },
    };
    for (const Damage& damage : damages) {
        std::vector<BYTE> bytes = written;
        for (int k = 0; k < kMaxIndexCount; ++k)
            putDword(bytes, 12 + size_t(k) * kIndexEntrySize + 8, kWordArea21);
        damage.apply(bytes);
        EXPECT_FALSE(dictionary.LoadIndexCache(bytes.data(), bytes.size(), time)) << damage.what;
        EXPECT_EQ(dictionary.GetIndexEntry(last).offset, lastOffset) << damage.what;
        EXPECT_GT(dictionary.GetEntryRecord(last), 0) << damage.what;
    }

    // Every entry at the first word: each now leads to the first record.
    std::vector<BYTE> bytes = written;
    for (int k = 0; k < kMaxIndexCount; ++k)
        putDword(bytes, 12 + size_t(k) * kIndexEntrySize + 8, kWordArea21);
    ASSERT_TRUE(dictionary.LoadIndexCache(bytes.data(), bytes.size(), time));
    EXPECT_EQ(dictionary.GetIndexEntry(last).offset, DWORD(kWordArea21));
    EXPECT_EQ(dictionary.GetEntryRecord(last), 0);
    ASSERT_TRUE(dictionary.LoadIndexCache(written.data(), written.size(), time));
    EXPECT_EQ(dictionary.GetIndexEntry(last).offset, lastOffset);
    EXPECT_GT(dictionary.GetEntryRecord(last), 0);
}
