// The ".prj" record byte for byte, the older layout, damaged files and crash-safe saving.
#include "ProjTestKit.h"

#include "projects/ProjOb.h"
#include "imaging/Dib.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/sys/AtomicFile.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <filesystem>

using projtest::ReadBytes;
using projtest::WriteBytes;

namespace {

void Put32(std::vector<BYTE>& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void PutText(std::vector<BYTE>& bytes, const std::string& text)
{
    bytes.push_back(static_cast<BYTE>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A string list of short strings: a 16-bit count, then each string.
void PutList(std::vector<BYTE>& bytes, const std::vector<std::string>& texts)
{
    bytes.push_back(static_cast<BYTE>(texts.size()));
    bytes.push_back(0);
    for (const std::string& text : texts)
        PutText(bytes, text);
}

std::vector<BYTE> Store(CProjOb& project)
{
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        project.SerializeProject(ar, nullptr);
    }
    const auto size = static_cast<size_t>(memory.GetLength());
    BYTE* data = memory.Detach();
    std::vector<BYTE> bytes(data, data + size);
    free(data);
    return bytes;
}

// Field 1 to 15 of a project named "Plan" with one document and one link.
std::vector<BYTE> RecordHead(DWORD counter, DWORD active)
{
    std::vector<BYTE> bytes;
    Put32(bytes, 0x73154827);                         // magic
    Put32(bytes, counter);                            // form counter
    PutList(bytes, {"a.trn", "URLIDENTx.org"});       // member paths
    PutList(bytes, {"A", "x.org"});                   // member titles
    Put32(bytes, 0);                                  // sort None
    Put32(bytes, 0);                                  // sort By Date
    Put32(bytes, 1);                                  // sort By Name
    Put32(bytes, 1);                                  // node expanded
    Put32(bytes, active);                             // active subproject
    Put32(bytes, 7);                                  // workload
    Put32(bytes, 3);                                  // priority
    Put32(bytes, 2);                                  // task finished
    Put32(bytes, 4);                                  // flag
    Put32(bytes, 5);                                  // arrow
    PutText(bytes, "Plan");                           // name
    return bytes;
}

void FillLikeHead(CProjOb& project)
{
    project.m_nFormCounter = 3;
    project.m_paths.Add("a.trn");
    project.m_paths.Add("URLIDENTx.org");
    project.m_titles.Add("A");
    project.m_titles.Add("x.org");
    project.m_bSortByName = TRUE;
    project.m_bExpanded = TRUE;
    project.m_markers = {5, 4, 2, 7, 3};
    project.m_name = "Plan";
}

// Tag and size of a stored bitmap record, then its bytes; the offset after it.
size_t SkipDib(const std::vector<BYTE>& bytes, size_t at)
{
    EXPECT_EQ(bytes[at] | bytes[at + 1] << 8, CDib::PlainTag);
    const DWORD size = bytes[at + 2] | bytes[at + 3] << 8 | bytes[at + 4] << 16 | static_cast<DWORD>(bytes[at + 5]) << 24;
    return at + 6 + size;
}

std::vector<BYTE> EmptyDib()
{
    return {0x42, 0x41, 0, 0, 0, 0};
}

} // namespace

class ProjFileTest : public ProjTest {};

TEST_F(ProjFileTest, StoresEveryFieldInItsPlace)
{
    CProjOb project;
    FillLikeHead(project);
    project.m_nActiveSub = -1;
    project.m_bHasPassword = TRUE;
    project.m_digest = "d41d8cd98f00b204e9800998ecf8427e";
    const std::vector<BYTE> bytes = Store(project);

    const std::vector<BYTE> head = RecordHead(3, 0xFFFFFFFF);
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(head.size())), head);
    // The icon image (16 x 16, 24 bits) and its 1-bit mask follow as bitmap records.
    size_t at = SkipDib(bytes, head.size());
    at = SkipDib(bytes, at);
    std::vector<BYTE> tail;
    Put32(tail, 1);
    PutText(tail, "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + static_cast<long>(at), bytes.end()), tail);
}

TEST_F(ProjFileTest, WithoutPasswordTheDigestIsLeftOut)
{
    CProjOb project;
    project.m_digest = "ignored";
    const std::vector<BYTE> bytes = Store(project);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::vector<BYTE>(bytes.end() - 4, bytes.end()), std::vector<BYTE>({0, 0, 0, 0}));
}

TEST_F(ProjFileTest, ReadsKnownBytes)
{
    MakeDocument("Plan/a.trn");
    std::vector<BYTE> bytes = RecordHead(9, 2);
    for (int i = 0; i < 2; ++i) {
        const std::vector<BYTE> dib = EmptyDib();
        bytes.insert(bytes.end(), dib.begin(), dib.end());
    }
    Put32(bytes, 0);
    WriteBytes(Path("Plan/Plan.prj"), bytes);

    CProjOb project;
    project.AttachToTree(m_manager.get(), m_tree.get(), FALSE, TVI_ROOT);
    ASSERT_TRUE(project.LoadProject(CPath("Plan/Plan.prj")));
    EXPECT_EQ(project.m_nFormCounter, 9u);
    ASSERT_EQ(project.MemberCount(), 2);
    EXPECT_EQ(project.m_titles[0], CString("A"));
    EXPECT_EQ(project.m_paths[1], CString("URLIDENTx.org"));
    EXPECT_EQ(project.m_markers, (ProjectMarkers {5, 4, 2, 7, 3}));
    EXPECT_EQ(project.m_name, CString("Plan"));
    EXPECT_TRUE(project.m_bExpanded);
    EXPECT_EQ(project.m_nActiveSub, 2);
    EXPECT_TRUE(m_manager->m_bSortByName);
    EXPECT_FALSE(m_manager->m_bSortByDate);
    EXPECT_EQ(project.GetMemberPath(0), CPath("Plan/a.trn"));
    project.Close();
}

TEST_F(ProjFileTest, OlderLayoutIsReadAndWrittenBackInTheCurrentOne)
{
    MakeDocument("Old/b.trn");
    std::vector<BYTE> bytes;
    Put32(bytes, 4);
    PutList(bytes, {"b.trn"});
    PutList(bytes, {"B"});
    WriteBytes(Path("Old/Old.prj"), bytes);

    CProjOb project;
    ASSERT_TRUE(project.LoadProject(CPath("Old/Old.prj")));
    EXPECT_EQ(project.m_nFormCounter, 4u);
    EXPECT_EQ(project.m_name, CString("Old"));
    ASSERT_EQ(project.MemberCount(), 1);
    EXPECT_EQ(project.m_titles[0], CString("B"));

    const std::vector<BYTE> written = ReadBytes(Path("Old/Old.prj"));
    ASSERT_GE(written.size(), 8u);
    EXPECT_EQ(std::vector<BYTE>(written.begin(), written.begin() + 8), std::vector<BYTE>({0x27, 0x48, 0x15, 0x73, 4, 0, 0, 0}));
}

TEST_F(ProjFileTest, ADamagedFileOpensNothingAndStaysAsItWas)
{
    const CString path = MakeProjectFile("Cut", {"a.trn"});
    const std::vector<BYTE> whole = ReadBytes(path.GetString());
    std::vector<std::vector<BYTE>> damaged;
    for (size_t length : {size_t(5), size_t(12), whole.size() / 2, whole.size() - 1})
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<long>(length));
    std::vector<BYTE> badCount = whole;
    badCount[8] = 0xFF; // a member count far beyond the file
    badCount[9] = 0xFF;
    damaged.push_back(badCount);
    for (const std::vector<BYTE>& bytes : damaged) {
        WriteBytes(path.GetString(), bytes);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        EXPECT_FALSE(m_manager->OpenProject(path)) << bytes.size();
        EXPECT_EQ(ReadBytes(path.GetString()), bytes);
        EXPECT_EQ(m_manager->ProjectCount(), 0);
        EXPECT_EQ(UiTestHook::MessageBoxCount(), 1) << bytes.size();
        UiTestHook::Reset();
    }
}

TEST_F(ProjFileTest, AFailedWriteKeepsTheOldFile)
{
    const CString path = MakeProjectFile("Safe", {"a.trn"});
    const std::vector<BYTE> before = ReadBytes(path.GetString());
    CProjOb project;
    ASSERT_TRUE(project.LoadProject(path));
    project.m_markers.flag = 6;
    SetAtomicWriteHook([](const std::string&) { return false; });
    EXPECT_FALSE(project.SaveToFile(path));
    SetAtomicWriteHook({});
    EXPECT_EQ(ReadBytes(path.GetString()), before);
    EXPECT_TRUE(project.SaveToFile(path));
    EXPECT_NE(ReadBytes(path.GetString()), before);
}

TEST_F(ProjFileTest, ALockedProjectIsNeverWritten)
{
    CProjOb project;
    project.m_bOpen = FALSE;
    EXPECT_TRUE(project.SaveToFile(CPath("never.prj")));
    EXPECT_FALSE(std::filesystem::exists(Path("never.prj")));
}

TEST_F(ProjFileTest, OutsideMembersLoadLikeOthersAndMissingOnesShowAsMissingAndAreNeverMade)
{
    const CString path = MakeProjectFile("M", {"kept.trn", "gone.trn"});
    std::filesystem::remove(Path("M/gone.trn"));
    MakeDocument("outside.trn");
    {
        CProjOb project;
        ASSERT_TRUE(project.LoadProject(path));
        ASSERT_TRUE(project.AddDocument("../outside.trn"));
    }
    CProjOb project;
    project.AttachToTree(m_manager.get(), m_tree.get(), FALSE, TVI_ROOT);
    ASSERT_TRUE(project.LoadProject(path));
    ASSERT_EQ(project.MemberCount(), 3);
    EXPECT_EQ(project.GetMemberPath(2), CPath("outside.trn"));
    const std::pair<const char*, bool> shown[] = {{"kept", false}, {"gone (missing)", true}, {"outside", false}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_tree->GetItemText(project.m_memberItems[static_cast<size_t>(i)]), CString(shown[i].first));
        EXPECT_EQ(project.IsMemberMissing(i), shown[i].second) << i;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("M/gone.trn"))) << "a missing member is never made anew";
    EXPECT_FALSE(project.AddDocument("../outside.trn"));

    MakeDocument("M/gone.trn");
    project.RefreshTree(FALSE);
    EXPECT_EQ(m_tree->GetItemText(project.m_memberItems[1]), CString("gone"));
    project.Close();
}

TEST_F(ProjFileTest, DuplicateMembersAreReducedToTheFirstAtTheNextRefresh)
{
    const CString path = MakeProjectFile("D", {"a.trn"});
    CProjOb project;
    ASSERT_TRUE(project.LoadProject(path));
    EXPECT_FALSE(project.AddDocument("a.trn"));
    project.m_paths.Add("a.trn");
    project.m_titles.Add("again");
    project.AttachToTree(m_manager.get(), m_tree.get(), FALSE, TVI_ROOT);
    EXPECT_EQ(project.MemberCount(), 1);
    EXPECT_EQ(project.m_titles[0], CString("a"));
    project.Close();
}

TEST_F(ProjFileTest, OnlySubFoldersWithTheirOwnProjectFileAreSubprojects)
{
    const CString path = MakeProjectFile("Top");
    std::filesystem::create_directories(Path("Top/Sub"));
    std::filesystem::create_directories(Path("Top/Other"));
    {
        CProjOb sub;
        sub.m_name = "Sub";
        ASSERT_TRUE(sub.SaveToFile(CPath("Top/Sub/Sub.prj")));
        CProjOb other;
        ASSERT_TRUE(other.SaveToFile(CPath("Top/Other/x.prj")));
    }
    CProjOb project;
    ASSERT_TRUE(project.LoadProject(path));
    ASSERT_EQ(project.m_subprojects.size(), 1u);
    EXPECT_EQ(project.m_subprojects[0]->m_name, CString("Sub"));
    EXPECT_EQ(project.m_subprojects[0]->m_pParent, &project);
}

TEST_F(ProjFileTest, ADocumentSavedUnderAnotherNameIsFoundByPathTailOrName)
{
    struct Case {
        std::string oldPath;
        bool found;
    };
    const Case cases[] = {{Path("R/a.trn"), true},
                          {"/elsewhere/R/a.trn", true},
                          {"/elsewhere/A.TRN", true},
                          {"/elsewhere/b.trn", false}};
    for (const Case& c : cases) {
        const CString path = MakeProjectFile("R", {"a.trn"});
        CProjOb project;
        ASSERT_TRUE(project.LoadProject(path));
        EXPECT_EQ(project.RenameDocument(c.oldPath.c_str(), "new.trn"), c.found) << c.oldPath;
        EXPECT_EQ(project.m_paths[0], CString(c.found ? "new.trn" : "a.trn")) << c.oldPath;
        EXPECT_EQ(project.m_titles[0], CString(c.found ? "new" : "a")) << c.oldPath;
        EXPECT_EQ(project.m_entries[0]->m_path, project.GetMemberPath(0)) << c.oldPath;
    }
}
