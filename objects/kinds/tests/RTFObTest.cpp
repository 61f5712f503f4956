// The rich-text note: its record, its temporary file and what comes back from the editor.
#include "objects/kinds/NoteHost.h"
#include "objects/kinds/RTFOb.h"
#include "objects/kinds/tests/KindTestKit.h"

#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class RTFObTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override
    {
        char pattern[] = "/tmp/rtfob-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        setenv("TMPDIR", pattern, 1);
        UiTestHook::Reset();
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        fs::remove_all(folder);
    }
    static std::string Read(const CString& path)
    {
        std::ifstream file(LPCTSTR(path), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
};

TEST_F(RTFObTest, TheRichTextFollowsTheStickyRecordAndTheTemporaryPathIsNotStored)
{
    CRTFOb note;
    note.SetNoteText("n");
    note.SetRichText("{\\rtf1 50%}");
    note.MakeTempFileName();
    CStickyOb sticky;
    sticky.SetNoteText("n");
    // Made a moment apart, the two may straddle a second.
    sticky.CreationDate = note.CreationDate;
    Bytes bytes = StoreBytes([&](CArchive& ar) { note.Serialize(ar); });
    Bytes rich = {11, '{', '\\', 'r', 't', 'f', '1', ' ', '5', '0', '%', '}'};
    EXPECT_EQ(bytes, Concat({StoreBytes([&](CArchive& ar) { sticky.Serialize(ar); }), rich}));
    CRTFOb back;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), bytes.size());
    EXPECT_EQ(back.GetRichText(), note.GetRichText());
    EXPECT_TRUE(back.GetTempPath().IsEmpty());
}

TEST_F(RTFObTest, TemporaryNamesCountUpWhileTheFilesExist)
{
    CRTFOb first, second, copy;
    first.MakeTempFileName();
    second.MakeTempFileName();
    EXPECT_EQ(fs::path(LPCTSTR(first.GetTempPath())), folder / "Vantrelobject1");
    EXPECT_EQ(fs::path(LPCTSTR(second.GetTempPath())), folder / "Vantrelobject2");
    first.SetRichText("kept");
    copy.CopyFrom(&first);
    EXPECT_EQ(copy.GetTempPath(), first.GetTempPath());
    EXPECT_EQ(copy.GetRichText(), CString("kept"));
}

TEST_F(RTFObTest, TheEditorsFileIsReadUpToTheFirstZeroAndDeleted)
{
    CRTFOb note;
    note.MakeTempFileName();
    std::ofstream(LPCTSTR(note.GetTempPath()), std::ios::binary) << std::string("{\\rtf1 new}\0junk", 16);
    EXPECT_TRUE(note.LoadFromTempFile());
    EXPECT_EQ(note.GetRichText(), CString("{\\rtf1 new}"));
    EXPECT_FALSE(fs::exists(LPCTSTR(note.GetTempPath())));
}

TEST_F(RTFObTest, AFileThatIsGoneOrHugeIsRefusedAndTheTextStays)
{
    CRTFOb note;
    note.SetRichText("old");
    note.MakeTempFileName();
    fs::resize_file(LPCTSTR(note.GetTempPath()), CRTFOb::MaxRichTextBytes + 1);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(note.LoadFromTempFile());
    EXPECT_EQ(note.GetRichText(), CString("old"));
    EXPECT_FALSE(fs::exists(LPCTSTR(note.GetTempPath())));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(note.LoadFromTempFile());
    EXPECT_EQ(note.GetRichText(), CString("old"));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 2);
}

TEST_F(RTFObTest, WithoutTheEditorTheNoteSaysSoAndIsStillInserted)
{
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    CRTFOb note;
    EXPECT_TRUE(note.OnInsert());
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Scribbet.exe not found!");
    EXPECT_FALSE(note.GetTempPath().IsEmpty());
}

// A program folder holding a stand-in editor that records its command line.
struct EditorFolder : CNoteHost {
    CString folder;
    CString GetProgramFolder() override { return folder; }
};

TEST_F(RTFObTest, OpeningWritesTheTextAndReusesTheFileUntilItIsRead)
{
    EditorFolder host;
    host.folder = folder.c_str();
    std::ofstream(folder / "Scribbet") << "#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/calls\"\n";
    fs::permissions(folder / "Scribbet", fs::perms::owner_all);
    SetNoteHost(&host);
    CRTFOb note;
    note.SetRichText("100% {\\b rich}");
    ASSERT_TRUE(note.OnInsert());
    CString first = note.GetTempPath();
    EXPECT_EQ(Read(first), "100% {\\b rich}");
    ASSERT_TRUE(note.Open());
    EXPECT_EQ(note.GetTempPath(), first);
    SetNoteHost(nullptr);
    // Inserting and opening each start the editor; both must have written before the folder goes.
    auto lines = [&] {
        std::string calls = Read(CString((folder / "calls").c_str()));
        return std::count(calls.begin(), calls.end(), '\n');
    };
    for (int i = 0; i < 500 && lines() < 2; ++i)
        usleep(10000);
    std::string calls = Read(CString((folder / "calls").c_str()));
    EXPECT_EQ(calls.find(LPCTSTR(first)), 0u) << calls;
    EXPECT_NE(calls.find(std::to_string(reinterpret_cast<uintptr_t>(&note))), std::string::npos) << calls;
}

}  // namespace
