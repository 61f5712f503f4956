#include "platform/core/ArchiveException.h"
#include "platform/core/FileException.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

// Counts how many exceptions of its kind are alive.
class CCountedException : public CException {
public:
    CCountedException() { ++s_alive; }
    ~CCountedException() override { --s_alive; }
    static int s_alive;
};
int CCountedException::s_alive = 0;

TEST(Exceptions, EndCatchReleasesTheCaughtException)
{
    bool caught = false;
    TRY {
        THROW(new CCountedException);
    }
    CATCH(CException, e) {
        caught = true;
        EXPECT_EQ(CCountedException::s_alive, 1);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    }
    END_CATCH
    EXPECT_TRUE(caught);
    EXPECT_EQ(CCountedException::s_alive, 0);
}

TEST(Exceptions, DeleteInsideTheHandlerIsNotRepeated)
{
    TRY {
        THROW(new CCountedException);
    }
    CATCH_ALL(e) {
        e->Delete();
    }
    END_CATCH_ALL
    EXPECT_EQ(CCountedException::s_alive, 0);
}

TEST(Exceptions, ThrowLastPassesTheExceptionOn)
{
    try {
        TRY {
            AfxThrowArchiveException(CArchiveException::badIndex, "a.cat");
        }
        CATCH(CFileException, e) {
            ADD_FAILURE() << "wrong handler";
        }
        AND_CATCH(CArchiveException, e) {
            THROW_LAST();
        }
        END_CATCH
        FAIL() << "not passed on";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
        EXPECT_EQ(e->m_strFileName, "a.cat");
        e->Delete();
    }
}

TEST(Exceptions, MemoryExceptionIsPreallocated)
{
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            char text[64];
            EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
            EXPECT_STREQ(text, "Out of memory.");
            e->Delete();
        }
    }
}

TEST(Exceptions, ErrnoMapsToFileCauses)
{
    struct Case { int nErrno; int cause; };
    const Case cases[] = {
        {ENOENT, CFileException::fileNotFound},  {ENOTDIR, CFileException::badPath},
        {EMFILE, CFileException::tooManyOpenFiles}, {EACCES, CFileException::accessDenied},
        {EROFS, CFileException::accessDenied},   {EWOULDBLOCK, CFileException::sharingViolation},
        {ENOSPC, CFileException::diskFull},      {EFBIG, CFileException::diskFull},
        {EIO, CFileException::hardIO},           {ESPIPE, CFileException::badSeek},
        {EXDEV, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::ErrnoToException(c.nErrno), c.cause) << c.nErrno;
}

TEST(Exceptions, MessagesNameTheFileAndAreBounded)
{
    CFileException fileError(CFileException::diskFull, ENOSPC, "/tmp/out.trn");
    char text[256];
    ASSERT_TRUE(fileError.GetErrorMessage(text, sizeof(text)));
    EXPECT_NE(std::string(text).find("/tmp/out.trn"), std::string::npos);

    CArchiveException archiveError(CArchiveException::badSchema);
    char small[8];
    ASSERT_TRUE(archiveError.GetErrorMessage(small, sizeof(small)));
    EXPECT_EQ(std::string(small).size(), 7u);

    CUserException user;
    EXPECT_FALSE(user.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ(text, "");
}

TEST(Exceptions, ReportErrorUsesTheInstalledReporter)
{
    static std::string s_reported;
    AfxSetReportProc([](LPCSTR text, UINT) {
        s_reported = text;
        return 7;
    });
    CFileException error(CFileException::fileNotFound, ENOENT, "x.prj");
    EXPECT_EQ(error.ReportError(), 7);
    EXPECT_EQ(s_reported, "x.prj was not found.");

    RegisterStringResource(29001, "Could not finish the command.");
    CUserException silent;
    silent.ReportError(0, 29001);
    EXPECT_EQ(s_reported, "Could not finish the command.");
    silent.ReportError(0, 29002);
    EXPECT_EQ(s_reported, "An unexpected error occurred.");
    AfxSetReportProc(nullptr);
}

} // namespace
