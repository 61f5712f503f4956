// Member titles, relative and normalised paths, the folder-entry filter and member entries.
#include "ProjTestKit.h"

#include "projects/FolderListCombo.h"
#include "projects/ProjMemberEntry.h"
#include "projects/ProjectHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

class ProjHelpersTest : public ProjTest {};

TEST_F(ProjHelpersTest, FolderTagsKeepOnlyFolderNames)
{
    struct Case {
        const char* entry;
        const char* result;
        BOOL readTitle;
    };
    const Case cases[] = {
        {"[Plan]", "Plan", FALSE}, {"[..]", "", TRUE},    {"[..hidden]", "", TRUE}, {"notes.trn", "", TRUE},
        {"[", "", TRUE},           {"[]", "", FALSE},     {"[a]b", "", TRUE},
    };
    for (const Case& c : cases) {
        CString entry = c.entry;
        EXPECT_EQ(ParseFolderTag(entry), c.readTitle) << c.entry;
        EXPECT_EQ(entry, CString(c.result)) << c.entry;
    }
}

TEST_F(ProjHelpersTest, MemberTitleIsTheFirstStoredString)
{
    std::ofstream(Path("titled.trn"), std::ios::binary) << '\x05' << "Hello" << "rest";
    std::ofstream(Path("short.trn"), std::ios::binary) << '\x40' << "abc";
    CString title = "unchanged";
    EXPECT_FALSE(ReadMemberTitle("", title, TRUE));
    EXPECT_FALSE(ReadMemberTitle(CPath("none.trn"), title, TRUE));
    EXPECT_EQ(title, CString("unchanged"));
    EXPECT_TRUE(ReadMemberTitle(CPath("titled.trn"), title, TRUE));
    EXPECT_EQ(title, CString("Hello"));
    EXPECT_TRUE(ReadMemberTitle(CPath("short.trn"), title, TRUE));
    EXPECT_EQ(title, "[" + CPath("short.trn") + "]");
    EXPECT_TRUE(ReadMemberTitle("x/y.trn", title, FALSE));
    EXPECT_EQ(title, CString("x/y.trn"));
}

TEST_F(ProjHelpersTest, RelativePathsFromTheProjectFile)
{
    EXPECT_EQ(MakeRelativePath("/p/a/doc.trn", "/p/a/a.prj"), CString(".\\doc.trn"));
    EXPECT_EQ(MakeRelativePath("/p/b/doc.trn", "/p/a/a.prj"), CString("..\\b\\doc.trn"));
    EXPECT_EQ(MakeRelativePath("D:\\x\\doc.trn", "C:\\p\\a.prj"), CString("D:\\x\\doc.trn"));
}

TEST_F(ProjHelpersTest, PathsInsideAndOutsideAFolder)
{
    struct Case {
        const char* path;
        BOOL inside;
    };
    const Case cases[] = {{"/p/a/doc.trn", TRUE},       {"/p/a/./sub/doc.trn", TRUE}, {"/p/a/../b/doc.trn", FALSE},
                          {"/p/a/sub/../../a/x", TRUE}, {"/p/ab/doc.trn", FALSE},     {"/p/a", FALSE},
                          {"/p/a\\..\\..\\etc", FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(IsInsideFolder(c.path, "/p/a"), c.inside) << c.path;
}

TEST_F(ProjHelpersTest, FileTitlesOfMemberPaths)
{
    struct Case {
        const char* path;
        BOOL keep;
        const char* title;
    };
    const Case cases[] = {{"/a/b.c/name", FALSE, "name"},   {"/a/doc.trn", FALSE, "doc"}, {"/a/doc.trn", TRUE, "doc.trn"},
                          {"C:x.trn", FALSE, "x"},          {"/a/.hidden", FALSE, ".hidden"},
                          {"dir\\sub\\file.txt", FALSE, "file"}};
    for (const Case& c : cases)
        EXPECT_EQ(MemberFileTitle(c.path, c.keep), CString(c.title)) << c.path;
}

TEST_F(ProjHelpersTest, LinkPathsAreRecognisedByTheirExactPrefix)
{
    CString rest = "none";
    EXPECT_TRUE(ParseUrlIdent("URLIDENT", &rest));
    EXPECT_EQ(rest, CString(""));
    EXPECT_TRUE(ParseUrlIdent("URLIDENThttps://x.org", &rest));
    EXPECT_EQ(rest, CString("https://x.org"));
    EXPECT_FALSE(ParseUrlIdent("urlident", nullptr));
    EXPECT_FALSE(ParseUrlIdent("URLIDEN", nullptr));
}

TEST_F(ProjHelpersTest, OnlyLowerCaseTrnDocumentsUseTheDefaultImage)
{
    struct Case {
        const char* name;
        BOOL ownIcon;
    };
    const Case cases[] = {{"a.trn", FALSE}, {"a.TRN", TRUE}, {"notes.txt", TRUE}, {"plain", TRUE},
                          {"dir.trn/plain", TRUE}};
    for (const Case& c : cases)
        EXPECT_EQ(CProjMemberEntry(CPath(c.name), nullptr).m_bOwnIcon, c.ownIcon) << c.name;
}

TEST_F(ProjHelpersTest, EntriesTakeConsecutiveImages)
{
    MakeDocument("one.txt");
    MakeDocument("two.txt");
    CProjMemberEntry first(CPath("one.txt"), m_tree.get());
    CProjMemberEntry second(CPath("two.txt"), m_tree.get());
    CProjMemberEntry link("URLIDENThttps://x.org", m_tree.get());
    EXPECT_EQ(second.m_nImage, first.m_nImage + 1);
    EXPECT_EQ(link.m_nImage, second.m_nImage + 1);
    EXPECT_NE(link.m_hIcon, nullptr);
}

TEST_F(ProjHelpersTest, TheProjectListShowsSubFoldersAfterAnEmptyItem)
{
    std::filesystem::create_directories(Path("list/Beta"));
    std::filesystem::create_directories(Path("list/Alpha"));
    std::filesystem::create_directories(Path("list/..odd"));
    MakeDocument("list/file.prj");
    CFolderListCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), m_tree.get(), 5));
    combo.Init(5, nullptr, CPath("list"), CFolderListCombo::DirectoryAttribute, ParseFolderTag);
    combo.Fill();
    std::vector<CString> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        items.push_back(text);
    }
    EXPECT_EQ(items, std::vector<CString>({"", "Alpha", "Beta"}));
    EXPECT_TRUE(combo.SelectEntry("Be"));
    CString name;
    combo.GetSelectedName(name);
    EXPECT_EQ(name, CString("Beta"));
    EXPECT_FALSE(combo.SelectEntry("Gamma"));
}
