#include "TempFolder.h"

#include "platform/core/FileFind.h"
#include "platform/core/StdioFile.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using TextFiles = TempFolder;

TEST_F(TextFiles, LinesAreWrittenWithCrLfAndReadWithEither)
{
    {
        CStdioFile file(Path("t.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("one\ntwo\n");
        file.WriteString("three");
    }
    std::ifstream in(Path("t.txt"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "one\r\ntwo\r\nthree");
    std::ofstream(Path("u.txt"), std::ios::binary) << "a\nb\r\n\nlast";

    CStdioFile file(Path("u.txt").c_str(), CFile::modeRead);
    CString line;
    std::vector<std::string> lines;
    while (file.ReadString(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "last"}));

    file.SeekToBegin();
    char buffer[8];
    ASSERT_NE(file.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_STREQ(buffer, "a\n");
    ASSERT_NE(file.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_STREQ(buffer, "b\n");
    ASSERT_NE(file.ReadString(buffer, 3), nullptr);
    EXPECT_STREQ(buffer, "\n");
    ASSERT_NE(file.ReadString(buffer, 3), nullptr);
    EXPECT_STREQ(buffer, "la");
}

TEST_F(TextFiles, WriteFaultReachesLineWriting)
{
    const CFileWriteFault fault{"full.txt", 3, ENOSPC};
    AfxSetFileWriteFault(&fault);
    CStdioFile file(Path("full.txt").c_str(), CFile::modeCreate | CFile::modeWrite);
    try {
        file.WriteString("abcdef");
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
    AfxSetFileWriteFault(nullptr);
}

TEST(Wildcards, MatchLikeTheShell)
{
    struct Case { const char* name; const char* pattern; BOOL matches; };
    const Case cases[] = {
        {"a.cat", "*.cat", TRUE},   {"A.CAT", "*.cat", TRUE},    {"a.cat.bak", "*.cat", FALSE},
        {"noext", "*.*", TRUE},     {"x.prj", "?.prj", TRUE},    {"xy.prj", "?.prj", FALSE},
        {"report", "re*t", TRUE},   {"rest", "re*t*", TRUE},     {"", "*", TRUE},
        {"abc", "a*b*c*d", FALSE},  {"\xC9T\xC9.txt", "\xE9t\xE9.*", TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileFind::MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST_F(TextFiles, FindListsMatchesInNameOrder)
{
    for (const char* name : {"b.cat", "a.cat", "c.txt", "D.CAT"})
        std::ofstream(Path(name)) << "x";
    std::filesystem::create_directories(m_folder / "sub.cat");
    CFileFind finder;
    std::vector<std::string> found;
    for (BOOL working = finder.FindFile((m_folder.string() + "/*.cat").c_str()); working;) {
        working = finder.FindNextFile();
        found.push_back(std::string(finder.GetFileName()) + (finder.IsDirectory() ? "/" : ""));
        if (!finder.IsDirectory()) {
            EXPECT_EQ(finder.GetLength(), 1u);
        }
    }
    EXPECT_EQ(found, (std::vector<std::string>{"D.CAT", "a.cat", "b.cat", "sub.cat/"}));
    EXPECT_EQ(finder.GetFilePath(), CString((m_folder / "sub.cat").string().c_str()));
    EXPECT_FALSE(finder.FindFile((m_folder.string() + "/*.none").c_str()));
    EXPECT_FALSE(finder.FindFile((m_folder.string() + "/missing/*.*").c_str()));
}

} // namespace
