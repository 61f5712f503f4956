// CFileFind: lists the entries of one folder that match a name with the wildcards '*'
// and '?' (letter case ignored, "*.*" matches every name), in name order.
#pragma once

#include "platform/core/File.h"

#include <vector>

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;

    // pstrName: folder and pattern, "*.*" when nullptr. TRUE when anything matched.
    BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next entry current; FALSE when that entry is the last one.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const { return m_strRoot; }
    ULONGLONG GetLength() const { return Current().m_size; }
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL IsDirectory() const { return MatchesMask(CFile::directory); }
    BOOL IsReadOnly() const { return MatchesMask(CFile::readOnly); }
    BOOL IsHidden() const { return MatchesMask(CFile::hidden); }
    BOOL IsDots() const;
    BOOL MatchesMask(DWORD dwMask) const { return (Current().m_attribute & dwMask) != 0; }

    static BOOL MatchesWildcard(LPCTSTR lpszName, LPCTSTR lpszPattern);

private:
    const CFileStatus& Current() const;

    CString m_strRoot;
    char m_chSeparator = '/';
    std::vector<CString> m_names;
    std::vector<CFileStatus> m_status;
    int m_nIndex = -1;
};
