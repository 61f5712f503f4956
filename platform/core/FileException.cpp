#include "platform/core/FileException.h"

#include <cerrno>
#include <cstdio>

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

// Errors here are errno values, so both mappings are the same.
int CFileException::OsErrorToException(LONG lOsError) { return ErrnoToException(lOsError); }

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EISDIR: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST: return accessDenied;
    case EBADF:
    case EINVAL: return invalidFile;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return sharingViolation;
    case ENOTEMPTY: return removeCurrentDir;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO: return hardIO;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return diskFull;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    static const char* const kTexts[] = {
        "No error occurred while accessing %s.",
        "An unexpected error occurred while accessing %s.",
        "%s was not found.",
        "%s contains an invalid path.",
        "%s could not be opened because there are too many open files.",
        "Access to %s was denied.",
        "An invalid file handle was associated with %s.",
        "%s could not be removed because it is the current directory or not empty.",
        "%s could not be created because the directory is full.",
        "Seek failed on %s.",
        "A hardware I/O error was reported while accessing %s.",
        "A sharing violation occurred while accessing %s.",
        "A locking violation occurred while accessing %s.",
        "Disk full while accessing %s.",
        "An attempt was made to access %s past its end.",
    };
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    const int index = m_cause >= 0 && m_cause <= endOfFile ? m_cause : genericException;
    return FormatFileMessage(kTexts[index], m_strFileName, lpszError, nMaxError);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
