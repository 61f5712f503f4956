#include "platform/core/File.h"

#include "platform/core/FilePath.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

CFileWriteFault g_fault;

// The killing fault the environment names, if any.
bool FaultFromEnvironment()
{
    const char* text = std::getenv("VANTREL_TEST_WRITE_KILL");
    char* end = nullptr;
    const unsigned long long budget = text ? std::strtoull(text, &end, 10) : 0;
    if (!text || end == text || *end != ':')
        return false;
    g_fault = {CString(end + 1), budget, 0, true};
    return true;
}

bool g_bFaultActive = FaultFromEnvironment();

int OpenFlagsToPosix(UINT nOpenFlags)
{
    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case CFile::modeWrite: flags |= O_WRONLY; break;
    case CFile::modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (nOpenFlags & CFile::modeCreate)
        flags |= O_CREAT;
    return flags;
}

// Sharing is emulated with advisory locks, which every CFile honours.
int ShareLock(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70) {
    case CFile::shareExclusive:
    case CFile::shareDenyRead: return LOCK_EX;
    case CFile::shareDenyWrite: return (nOpenFlags & 3) == CFile::modeRead ? LOCK_SH : LOCK_EX;
    default: return 0;
    }
}

CString FullPathOf(LPCTSTR lpszFileName)
{
    CString name(lpszFileName);
    if (name.IsEmpty() || name[0] == '/' || name[0] == '\\')
        return name;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof(cwd)) == nullptr)
        return name;
    return CStringFromUtf8(cwd) + "/" + name;
}

int LastSeparator(const CString& path)
{
    return std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
}

// How much of a write of nCount bytes to `path` the injected fault lets through.
UINT FaultAllowance(const CString& path, UINT nCount)
{
    if (!g_bFaultActive || (!g_fault.pathPart.IsEmpty() && path.Find(g_fault.pathPart) < 0))
        return nCount;
    const auto allowed = static_cast<UINT>(std::min<ULONGLONG>(nCount, g_fault.budget));
    g_fault.budget -= allowed;
    return allowed;
}

} // namespace

void AfxSetFileWriteFault(const CFileWriteFault* pFault)
{
    g_bFaultActive = pFault != nullptr;
    if (pFault != nullptr)
        g_fault = *pFault;
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) { }

CFile::CFile(int hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) { }

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    CFileException* pError = new CFileException;
    if (!Open(lpszFileName, nOpenFlags, pError))
        throw pError;
    pError->Delete();
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_hFile == hFileNull);
    m_strFileName = FullPathOf(lpszFileName);
    int nErrno = 0;
    const std::string path = SystemPathFromName(lpszFileName);
    const int fd = ::open(path.c_str(), OpenFlagsToPosix(nOpenFlags), 0666);
    struct stat st {};
    if (fd < 0)
        nErrno = errno;
    else if (fstat(fd, &st) != 0)
        nErrno = errno;
    else if (S_ISDIR(st.st_mode))
        nErrno = EACCES;
    else if (const int lock = ShareLock(nOpenFlags); lock != 0 && flock(fd, lock | LOCK_NB) != 0)
        nErrno = errno;
    // Truncated only once the sharing check passed: a refused open leaves the file alone.
    else if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) && ::ftruncate(fd, 0) != 0)
        nErrno = errno;
    if (nErrno == 0) {
        m_hFile = fd;
        m_bCloseOnDelete = TRUE;
        return TRUE;
    }
    if (fd >= 0)
        ::close(fd);
    if (pError != nullptr) {
        pError->m_cause = CFileException::ErrnoToException(nErrno);
        pError->m_lOsError = nErrno;
        pError->m_strFileName = lpszFileName;
    }
    return FALSE;
}

void CFile::ThrowErrno(int nErrno) const { CFileException::ThrowErrno(nErrno, m_strFileName); }

void CFile::CheckOpen() const
{
    if (m_hFile == hFileNull)
        ThrowErrno(EBADF);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    CheckOpen();
    UINT nRead = 0;
    while (nRead < nCount) {
        const ssize_t n = ::read(m_hFile, static_cast<BYTE*>(lpBuf) + nRead, nCount - nRead);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowErrno(errno);
        if (n == 0)
            break;
        nRead += static_cast<UINT>(n);
    }
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    CheckOpen();
    const UINT nAllowed = AllowedByWriteFault(nCount);
    UINT nWritten = 0;
    while (nWritten < nAllowed) {
        const ssize_t n = ::write(m_hFile, static_cast<const BYTE*>(lpBuf) + nWritten, nAllowed - nWritten);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowErrno(errno);
        if (n == 0)
            ThrowErrno(ENOSPC);
        nWritten += static_cast<UINT>(n);
    }
    if (nAllowed < nCount)
        ThrowWriteFault();
}

UINT CFile::AllowedByWriteFault(UINT nCount) const { return FaultAllowance(m_strFileName, nCount); }

void CFile::ThrowWriteFault() const
{
    if (g_fault.kill)
        std::raise(SIGKILL);
    ThrowErrno(g_fault.error);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckOpen();
    const int whence = nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : SEEK_SET;
    const off_t pos = ::lseek(m_hFile, lOff, whence);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const
{
    CheckOpen();
    const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    CheckOpen();
    struct stat st {};
    if (fstat(m_hFile, &st) != 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    CheckOpen();
    if (::ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0)
        ThrowErrno(errno);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && ::fsync(m_hFile) != 0 && errno != EINVAL)
        ThrowErrno(errno);
}

void CFile::Close()
{
    const int fd = m_hFile;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (fd != hFileNull && ::close(fd) != 0)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::close(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const { return m_strFileName.Mid(LastSeparator(m_strFileName) + 1); }

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

// Read-only when the owner may not write; hidden for dot files, as a shell would show them.
static void FillStatus(const struct stat& st, const CString& fullName, CFileStatus& rStatus)
{
    rStatus.m_ctime = CTime(st.st_ctime);
    rStatus.m_mtime = CTime(st.st_mtime);
    rStatus.m_atime = CTime(st.st_atime);
    rStatus.m_size = static_cast<ULONGLONG>(st.st_size);
    rStatus.m_attribute = S_ISDIR(st.st_mode) ? CFile::directory : CFile::normal;
    if (!(st.st_mode & S_IWUSR))
        rStatus.m_attribute |= CFile::readOnly;
    const CString name = fullName.Mid(LastSeparator(fullName) + 1);
    if (name.GetLength() > 0 && name[0] == '.' && name != "." && name != "..")
        rStatus.m_attribute |= CFile::hidden;
    std::snprintf(rStatus.m_szFullName, sizeof(rStatus.m_szFullName), "%s", static_cast<LPCTSTR>(fullName));
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    struct stat st {};
    if (m_hFile == hFileNull || fstat(m_hFile, &st) != 0)
        return FALSE;
    FillStatus(st, m_strFileName, rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    struct stat st {};
    if (lpszFileName == nullptr || ::stat(SystemPathFromName(lpszFileName).c_str(), &st) != 0)
        return FALSE;
    FillStatus(st, FullPathOf(lpszFileName), rStatus);
    return TRUE;
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (std::rename(SystemPathFromName(lpszOldName).c_str(), SystemPathFromName(lpszNewName).c_str()) != 0)
        CFileException::ThrowErrno(errno, lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (::unlink(SystemPathFromName(lpszFileName).c_str()) != 0)
        CFileException::ThrowErrno(errno, lpszFileName);
}
