#include "ArchiveBytes.h"
#include "TempFolder.h"

#include "platform/core/File.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Files : public TempFolder {
protected:
    Bytes Contents(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Put(const std::string& name, const std::string& text) const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    static int FileCause(const std::function<void()>& action) { return CauseOf<CFileException>(action); }
};

TEST_F(Files, OpenFlagsDecideCreationAndTruncation)
{
    struct Case { const char* name; UINT flags; bool exists; bool opens; const char* after; };
    const Case cases[] = {
        {"read missing", CFile::modeRead, false, false, nullptr},
        {"read existing", CFile::modeRead, true, true, "old"},
        {"create truncates", CFile::modeCreate | CFile::modeWrite, true, true, ""},
        {"create makes new", CFile::modeCreate | CFile::modeWrite, false, true, ""},
        {"no-truncate keeps", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, true, true, "old"},
        {"write without create", CFile::modeWrite, false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Path("f"));
        if (c.exists)
            Put("f", "old");
        CFile file;
        CFileException error;
        EXPECT_EQ(file.Open(Path("f").c_str(), c.flags, &error), c.opens ? TRUE : FALSE);
        if (!c.opens) {
            EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
            EXPECT_EQ(error.m_lOsError, ENOENT);
            EXPECT_EQ(error.m_strFileName, CString(Path("f").c_str()));
            continue;
        }
        file.Close();
        const Bytes contents = Contents("f");
        EXPECT_EQ(std::string(contents.begin(), contents.end()), c.after);
    }
}

TEST_F(Files, ReadWriteSeekAndLength)
{
    CFile file(Path("data").c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 3u);
    EXPECT_STREQ(buffer, "789");
    EXPECT_EQ(file.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(file.Seek(1, CFile::current), 3u);
    file.Write("x", 1);
    file.SetLength(5);
    file.SeekToBegin();
    EXPECT_EQ(file.Read(buffer, 8), 5u);
    EXPECT_EQ(std::string(buffer, 5), "012x4");
    EXPECT_EQ(file.SeekToEnd(), 5u);
    EXPECT_EQ(FileCause([&] { file.Seek(-6, CFile::end); }), CFileException::badSeek);
    EXPECT_EQ(file.GetFileName(), "data");
    EXPECT_EQ(file.GetFilePath(), CString(Path("data").c_str()));
}

TEST_F(Files, BackslashesSeparateFolders)
{
    std::filesystem::create_directories(m_folder / "Catalog");
    Put("Catalog/a.cat", "HCAT");
    const std::string path = m_folder.string() + "\\Catalog\\a.cat";
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 4u);
    EXPECT_EQ(file.GetFileName(), "a.cat");
    EXPECT_EQ(file.GetFileTitle(), "a");
}

TEST_F(Files, ExclusiveShareRefusesASecondOpen)
{
    Put("locked", "x");
    CFile first;
    ASSERT_TRUE(first.Open(Path("locked").c_str(), CFile::modeReadWrite | CFile::shareExclusive));
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(Path("locked").c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_FALSE(second.Open(Path("locked").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    EXPECT_EQ(Contents("locked"), Bytes{'x'}) << "a refused open truncates nothing";
    first.Close();
    EXPECT_TRUE(second.Open(Path("locked").c_str(), CFile::modeRead | CFile::shareDenyWrite));
}

TEST_F(Files, FoldersAreNotFiles)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(m_folder.string().c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
}

TEST_F(Files, RemoveAndRenameReportFailures)
{
    Put("a", "1");
    CFile::Rename(Path("a").c_str(), Path("b").c_str());
    EXPECT_FALSE(std::filesystem::exists(Path("a")));
    EXPECT_EQ(FileCause([&] { CFile::Rename(Path("a").c_str(), Path("c").c_str()); }), CFileException::fileNotFound);
    CFile::Remove(Path("b").c_str());
    EXPECT_EQ(FileCause([&] { CFile::Remove(Path("b").c_str()); }), CFileException::fileNotFound);
}

TEST_F(Files, StatusGivesSizeTimeAndAttributes)
{
    Put("doc.trn", "12345");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path("doc.trn").c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute, CFile::normal);
    EXPECT_STREQ(status.m_szFullName, Path("doc.trn").c_str());
    EXPECT_GT(status.m_mtime.GetTime(), 0);

    chmod(Path("doc.trn").c_str(), 0444);
    ASSERT_TRUE(CFile::GetStatus(Path("doc.trn").c_str(), status));
    EXPECT_EQ(status.m_attribute, CFile::readOnly);
    EXPECT_FALSE(CFile::GetStatus(Path("missing").c_str(), status));

    CFile file(Path("doc.trn").c_str(), CFile::modeRead);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(status.m_size, 5u);
}

// The injected fault writes what its budget allows, then fails like a full disk; an
// archive on the file reports it when its buffer reaches the file.
TEST_F(Files, WriteFaultFailsPartWayAsDiskFull)
{
    const CFileWriteFault fault{"victim", 6, ENOSPC};
    AfxSetFileWriteFault(&fault);
    CFile other(Path("other").c_str(), CFile::modeCreate | CFile::modeWrite);
    other.Write("0123456789", 10);
    CFile file(Path("victim").c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write("abcd", 4);
    try {
        file.Write("efgh", 4);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        EXPECT_EQ(e->m_lOsError, ENOSPC);
        EXPECT_EQ(e->m_strFileName, CString(Path("victim").c_str()));
        e->Delete();
    }
    file.Close();
    EXPECT_EQ(Contents("victim"), (Bytes{'a', 'b', 'c', 'd', 'e', 'f'}));

    CFile again(Path("victim").c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&again, CArchive::store);
    ar << static_cast<DWORD>(1);
    EXPECT_EQ(FileCause([&] { ar.Close(); }), CFileException::diskFull);
    AfxSetFileWriteFault(nullptr);
    EXPECT_NO_THROW(again.Write("ok", 2));
}

// A killing fault ends the process in the middle of the write that crosses its budget, as a
// crash would: the file keeps exactly what was written before.
TEST_F(Files, KillingWriteFaultEndsTheProcessMidWrite)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const CFileWriteFault fault{"victim", 6, 0, true};
        AfxSetFileWriteFault(&fault);
        CFile file(Path("victim").c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write("abcd", 4);
        file.Write("efgh", 4);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(Contents("victim"), (Bytes{'a', 'b', 'c', 'd', 'e', 'f'}));
}

} // namespace
