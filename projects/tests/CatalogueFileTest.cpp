#include "CatalogueTestKit.h"

#include "platform/core/System.h"
#include "platform/sys/AtomicFile.h"

#include <gtest/gtest.h>

namespace {

class CatalogueFileTest : public ::testing::Test {
protected:
    // A catalogue of the named text entries, saved once to `name`.
    std::string SaveNew(const std::vector<std::pair<const char*, std::string>>& entries, const char* name = "a.cat")
    {
        CCatalogue catalogue;
        for (const auto& [entryName, text] : entries)
            catalogue.InsertEntry(catalogue.GetCount(), TextEntry(entryName, text));
        catalogue.SetPath(m_folder.File(name).c_str());
        EXPECT_EQ(catalogue.Save(10), 0);
        return m_folder.File(name);
    }

    static std::vector<std::string> Names(const CCatalogue& catalogue)
    {
        std::vector<std::string> names;
        for (int i = 0; i < catalogue.GetCount(); ++i)
            names.emplace_back(catalogue.GetEntry(i)->GetName());
        return names;
    }

    TempFolder m_folder;
};

// One entry "A" with the text "hi", as a first save writes it.
const Bytes kOneEntryFile = {
    0x48, 0x43, 0x41, 0x54,             // 0: "HCAT"
    0x00, 0x00, 0x00, 0x01,             // 4: version
    0x71, 0x00, 0x00, 0x00,             // 8: entry table at 113
    0x01, 'A',                          // 12: name part of A
    0x00, 0x00,                         // 14: image part: no picture
    0x00, 0x00,                         // 16: mask part: none
    0x01, 0x00, 0x01, 0x00, 0x00, 0x00, // 18: data part: format ids {CF_TEXT}
    0x01, 0x00, 0x00,                   //     format names {""}
    0x01, 0x00, 0x02, 0x00, 0x00, 0x00, //     data sizes {2}
    'h', 'i',                           //     the data
    0x0C, 0x00, 0x00, 0x00, 0x0E, 0x00, 0x00, 0x00, // 35: directory record of A
    0x10, 0x00, 0x00, 0x00, 0x12, 0x00, 0x00, 0x00,
    0x00,                               // 51: name part of the property entry: ""
    0x00, 0x00, 0x00, 0x00,             // 52, 54: image and mask parts
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, // 56: format ids {0}
    0x01, 0x00, 0x19, 'C', 'a', 't', 'a', 'l', 'o', 'g', 'u', 'e', ' ', 'P', 'r', 'o', 'p', 'e', 'r', 't', 'y',
    ' ', 'O', 'b', 'j', 'e', 'c', 't',  //     format names
    0x01, 0x00, 0x01, 0x00, 0x00, 0x00, //     data sizes {1}
    0x00,                               //     the one zero byte
    0x33, 0x00, 0x00, 0x00, 0x34, 0x00, 0x00, 0x00, // 97: directory record of the property entry
    0x36, 0x00, 0x00, 0x00, 0x38, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00,             // 113: table: two records
    0x23, 0x00, 0x00, 0x00,             //      A at 35
    0x61, 0x00, 0x00, 0x00,             //      the property entry at 97
};

TEST_F(CatalogueFileTest, FirstSaveWritesTheWholeFile)
{
    EXPECT_EQ(ReadFileBytes(SaveNew({{"A", "hi"}})), kOneEntryFile);
}

TEST_F(CatalogueFileTest, KnownBytesLoadWithTheirEntryAndPropertyEntry)
{
    WriteFileBytes(m_folder.File("known.cat"), kOneEntryFile);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(m_folder.File("known.cat").c_str()), 0);
    ASSERT_EQ(catalogue.GetCount(), 1);
    const CCatalogueOb* entry = catalogue.GetEntry(0);
    EXPECT_EQ(entry->GetName(), "A");
    EXPECT_EQ(entry->GetFormatId(0), CF_TEXT);
    EXPECT_EQ(entry->GetData(0), Bytes({'h', 'i'}));
    EXPECT_EQ(entry->GetIconImage(), nullptr);
    EXPECT_EQ(catalogue.GetEntryOffset(0), 35u);
    EXPECT_EQ(catalogue.GetPropertyEntryOffset(), 97u);
    EXPECT_EQ(catalogue.GetName(), "known");
    EXPECT_TRUE(catalogue.GetSkippedEntries().empty());
}

TEST_F(CatalogueFileTest, RenameAppendsOneNamePartOneRecordAndOneTable)
{
    const std::string path = SaveNew({{"A", "one"}, {"B", "two"}});
    const Bytes before = ReadFileBytes(path);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    catalogue.GetEntry(1)->SetName("Bee");
    ASSERT_EQ(catalogue.Save(10), 0);
    const Bytes after = ReadFileBytes(path);

    ASSERT_EQ(after.size(), before.size() + 4 + 16 + 16);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 8, after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 12, before.end(), after.begin() + 12));
    const size_t table = before.size() + 4 + 16;
    EXPECT_EQ(GetDword(after, 8), table);
    EXPECT_EQ(Bytes(after.begin() + before.size(), after.begin() + before.size() + 4), Bytes({3, 'B', 'e', 'e'}));
    EXPECT_EQ(GetDword(after, table), 3u);
    EXPECT_EQ(GetDword(after, table + 4), GetDword(before, GetDword(before, 8) + 4)) << "A's record is reused";
    EXPECT_EQ(GetDword(after, table + 8), before.size() + 4);

    CCatalogue reloaded;
    ASSERT_EQ(reloaded.Load(path.c_str()), 0);
    EXPECT_EQ(Names(reloaded), (std::vector<std::string>{"A", "Bee"}));
}

TEST_F(CatalogueFileTest, TheEleventhSaveRewritesTheFileWithoutUnusedChunks)
{
    const std::string path = SaveNew({{"A", "one"}});
    const size_t fresh = ReadFileBytes(path).size();
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    for (int save = 1; save <= 10; ++save) {
        catalogue.GetEntry(0)->SetName("A");
        ASSERT_EQ(catalogue.Save(10), 0);
        EXPECT_GT(ReadFileBytes(path).size(), fresh);
    }
    catalogue.GetEntry(0)->SetName("A");
    ASSERT_EQ(catalogue.Save(10), 0);
    EXPECT_EQ(ReadFileBytes(path).size(), fresh);
    EXPECT_EQ(catalogue.GetSaveCount(), 0);
}

// The bytes of the header-less layout: a length, then the entry array's archive image.
Bytes OldFormatFile(const Bytes& more = {}, uint8_t count = 1)
{
    Bytes image = {
        count, 0x00,                                    // entries
        0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00,             // new class, schema 1, name of 12
        'C', 'C', 'a', 't', 'a', 'l', 'o', 'g', 'u', 'e', 'O', 'b',
        0x01, 0x00, 0x01, 0x00, 0x00, 0x00,             // format ids {CF_TEXT}
        0x01, 0x00, 0x00,                               // format names {""}
        0x01, 0x00, 0x02, 0x00, 0x00, 0x00,             // data sizes {2}
        'h', 'i', 0x03, 'O', 'l', 'd', 0x00, 0x00, 0x00, 0x00,
    };
    image.insert(image.end(), more.begin(), more.end());
    Bytes file(4);
    PutDword(file, 0, static_cast<uint32_t>(image.size()));
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

TEST_F(CatalogueFileTest, TheOlderLayoutLoadsAndItsFirstSaveWritesTheCurrentOne)
{
    const std::string path = m_folder.File("old.cat");
    WriteFileBytes(path, OldFormatFile());
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    ASSERT_EQ(catalogue.GetCount(), 1);
    EXPECT_EQ(catalogue.GetEntry(0)->GetName(), "Old");
    EXPECT_EQ(catalogue.GetEntry(0)->GetData(0), Bytes({'h', 'i'}));
    EXPECT_EQ(catalogue.GetEntryOffset(0), 0u);

    ASSERT_EQ(catalogue.Save(10), 0);
    const Bytes saved = ReadFileBytes(path);
    EXPECT_EQ(GetDword(saved, 0), CCatalogue::Magic);
    CCatalogue reloaded;
    ASSERT_EQ(reloaded.Load(path.c_str()), 0);
    EXPECT_EQ(Names(reloaded), std::vector<std::string>{"Old"});
}

TEST_F(CatalogueFileTest, AnOldEntryArrayKeepsTheEntriesBeforeOneThatCannotBeRead)
{
    const struct {
        const char* name;
        Bytes more;
    } cases[] = {
        {"empty place", {0x00, 0x00}},
        {"the first entry again", {0x02, 0x00}},
        {"cut short", {0xFF, 0xFF, 0x01}},
    };
    for (const auto& c : cases) {
        WriteFileBytes(m_folder.File("old.cat"), OldFormatFile(c.more, 2));
        CCatalogue catalogue;
        ASSERT_EQ(catalogue.Load(m_folder.File("old.cat").c_str()), 0) << c.name;
        EXPECT_EQ(Names(catalogue), std::vector<std::string>{"Old"}) << c.name;
        EXPECT_EQ(catalogue.GetTableCut(), 2) << c.name;
    }
}

// A save cut short by a crash leaves the old header in place; whatever was appended by then
// is unused, and the file still holds the catalogue as it was.
TEST_F(CatalogueFileTest, AFileCutShortDuringAnAppendKeepsTheEntriesSavedBefore)
{
    const std::string path = SaveNew({{"A", "one"}, {"B", "two"}});
    const Bytes before = ReadFileBytes(path);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    catalogue.InsertEntry(2, TextEntry("C", "three"));
    ASSERT_EQ(catalogue.Save(10), 0);
    const Bytes after = ReadFileBytes(path);

    for (size_t cut = before.size(); cut < after.size(); cut += 7) {
        Bytes crashed(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(cut));
        PutDword(crashed, 8, GetDword(before, 8));
        WriteFileBytes(m_folder.File("crashed.cat"), crashed);
        CCatalogue reloaded;
        ASSERT_EQ(reloaded.Load(m_folder.File("crashed.cat").c_str()), 0) << cut;
        EXPECT_EQ(Names(reloaded), (std::vector<std::string>{"A", "B"})) << cut;
    }
    CCatalogue complete;
    ASSERT_EQ(complete.Load(path.c_str()), 0);
    EXPECT_EQ(Names(complete), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(CatalogueFileTest, AFailedRewriteLeavesTheOldFile)
{
    const std::string path = SaveNew({{"A", "one"}});
    const Bytes before = ReadFileBytes(path);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    catalogue.InsertEntry(1, TextEntry("B", "two"));
    SetAtomicWriteHook([](const std::string&) { return false; });
    EXPECT_EQ(catalogue.Save(0), -1);
    SetAtomicWriteHook({});
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(catalogue.GetEntryOffset(0), 0u) << "the next save writes everything";
    EXPECT_EQ(catalogue.Save(0), 0);
    CCatalogue reloaded;
    ASSERT_EQ(reloaded.Load(path.c_str()), 0);
    EXPECT_EQ(Names(reloaded), (std::vector<std::string>{"A", "B"}));
}

struct Damage {
    const char* name;
    void (*apply)(Bytes& file);
    std::vector<std::string> kept;
    std::vector<int> skipped;
    int tableCut;
};

// Damage done to a file of entries A, B and C.
const Damage kDamages[] = {
    {"entry pointing past the end", [](Bytes& f) { PutDword(f, GetDword(f, 8) + 8, 100000); }, {"A", "C"}, {2}, 0},
    {"entry pointing into the header", [](Bytes& f) { PutDword(f, GetDword(f, 8) + 4, 3); }, {"B", "C"}, {1}, 0},
    {"entry record cut by the end of the file",
     [](Bytes& f) { PutDword(f, GetDword(f, 8) + 8, static_cast<uint32_t>(f.size() - 8)); }, {"A", "C"}, {2}, 0},
    {"entry naming its mask past the end",
     [](Bytes& f) { PutDword(f, GetDword(f, GetDword(f, 8) + 8) + 8, 100000); }, {"A", "C"}, {2}, 0},
    {"entry naming its name inside the header",
     [](Bytes& f) { PutDword(f, GetDword(f, GetDword(f, 8) + 8), 11); }, {"A", "C"}, {2}, 0},
    {"truncated entry data",
     [](Bytes& f) {
         // C's data size is raised beyond the end of the file.
         const uint32_t record = GetDword(f, GetDword(f, 8) + 12);
         const uint32_t data = GetDword(f, record + 12);
         PutDword(f, data + 2 + 4 + 2 + 1 + 2, 0x7FFFFFFF);
     },
     {"A", "B"}, {3}, 0},
    {"two entries sharing their parts",
     [](Bytes& f) { PutDword(f, GetDword(f, 8) + 12, GetDword(f, GetDword(f, 8) + 4)); }, {"A", "B"}, {3}, 0},
    {"table counting more entries than the file holds", [](Bytes& f) { PutDword(f, GetDword(f, 8), 0x40000000); },
     {"A", "B", "C"}, {}, 5},
};

TEST_F(CatalogueFileTest, DamagedEntriesAreSkippedAndNamed)
{
    const Bytes sound = ReadFileBytes(SaveNew({{"A", "one"}, {"B", "two"}, {"C", "three"}}));
    for (const Damage& damage : kDamages) {
        Bytes file = sound;
        damage.apply(file);
        WriteFileBytes(m_folder.File("damaged.cat"), file);
        CCatalogue catalogue;
        ASSERT_EQ(catalogue.Load(m_folder.File("damaged.cat").c_str()), 0) << damage.name;
        EXPECT_EQ(Names(catalogue), damage.kept) << damage.name;
        EXPECT_EQ(catalogue.GetSkippedEntries(), damage.skipped) << damage.name;
        EXPECT_EQ(catalogue.GetTableCut(), damage.tableCut) << damage.name;
        EXPECT_EQ(ReadFileBytes(m_folder.File("damaged.cat")), file) << damage.name << ": nothing is written back";
    }
}

TEST_F(CatalogueFileTest, FilesThatCannotBeReadAreRefused)
{
    const Bytes sound = ReadFileBytes(SaveNew({{"A", "one"}}));
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes otherVersion = sound;
    otherVersion[4] = 2;
    Bytes tablePastEnd = sound;
    PutDword(tablePastEnd, 8, static_cast<uint32_t>(sound.size()));
    Bytes oldTooShort = {0xFF, 0x00, 0x00, 0x00, 0x01};
    const Case cases[] = {{"other version", otherVersion}, {"table past the end", tablePastEnd},
                          {"header cut", Bytes(sound.begin(), sound.begin() + 6)}, {"old image cut", oldTooShort},
                          {"empty", {}}};
    for (const Case& c : cases) {
        WriteFileBytes(m_folder.File("bad.cat"), c.bytes);
        CCatalogue catalogue;
        catalogue.InsertEntry(0, TextEntry("Kept", "x"));
        EXPECT_EQ(catalogue.Load(m_folder.File("bad.cat").c_str()), -1) << c.name;
        EXPECT_EQ(catalogue.GetCount(), 0) << c.name;
    }
    CCatalogue missing;
    missing.InsertEntry(0, TextEntry("Kept", "x"));
    EXPECT_EQ(missing.Load(m_folder.File("missing.cat").c_str()), -1);
    EXPECT_EQ(missing.GetCount(), 1) << "an unreadable file leaves the entries alone";
}

TEST_F(CatalogueFileTest, ALockedCatalogueIsNotWritten)
{
    const std::string path = SaveNew({{"A", "one"}});
    const Bytes before = ReadFileBytes(path);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(path.c_str()), 0);
    EXPECT_FALSE(catalogue.IsReadOnly());
    ASSERT_EQ(catalogue.Lock(), 0);
    EXPECT_TRUE(catalogue.IsReadOnly());
    EXPECT_TRUE(GetFileAttributes(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    catalogue.InsertEntry(1, TextEntry("B", "two"));
    EXPECT_EQ(catalogue.Save(10), -1);
    EXPECT_EQ(catalogue.Save(0), -1);
    EXPECT_EQ(ReadFileBytes(path), before);

    CCatalogue reopened;
    ASSERT_EQ(reopened.Load(path.c_str()), 0);
    EXPECT_TRUE(reopened.IsReadOnly());
    ASSERT_EQ(catalogue.Unlock(), 0);
    EXPECT_FALSE(catalogue.IsReadOnly());
    EXPECT_EQ(catalogue.Save(10), 0);
}

TEST_F(CatalogueFileTest, SavingAnUntitledCatalogueFails)
{
    CCatalogue catalogue;
    EXPECT_EQ(catalogue.Save(10), -1);
    EXPECT_EQ(catalogue.GetName(), "New Catalog");
}

} // namespace
