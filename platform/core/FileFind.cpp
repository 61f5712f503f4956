#include "platform/core/FileFind.h"

#include "platform/core/CodePage.h"
#include "platform/core/FilePath.h"

#include <algorithm>
#include <dirent.h>
#include <cstring>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

bool SameLetter(char a, char b)
{
    return LowerCase1252(static_cast<BYTE>(a)) == LowerCase1252(static_cast<BYTE>(b));
}

bool Matches(const char* name, const char* pattern)
{
    // Iterative with one backtrack point, so long names cannot make it explode.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' || (*pattern != '\0' && SameLetter(*pattern, *name))) {
            ++pattern;
            ++name;
        } else if (starPattern != nullptr) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

} // namespace

BOOL CFileFind::MatchesWildcard(LPCTSTR lpszName, LPCTSTR lpszPattern)
{
    if (std::strcmp(lpszPattern, "*.*") == 0)
        return TRUE;
    return Matches(lpszName, lpszPattern);
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    const CString wanted(pstrName != nullptr ? pstrName : "*.*");
    const int separator = std::max(wanted.ReverseFind('/'), wanted.ReverseFind('\\'));
    const CString pattern = wanted.Mid(separator + 1);
    m_strRoot = separator >= 0 ? wanted.Left(separator) : CString(".");
    if (separator >= 0)
        m_chSeparator = wanted[separator];
    const std::string folder = separator == 0 ? std::string("/") : SystemPathFromName(m_strRoot);
    DIR* pDir = opendir(folder.c_str());
    if (pDir == nullptr)
        return FALSE;
    while (const dirent* pEntry = readdir(pDir)) {
        CString name = CStringFromUtf8(pEntry->d_name);
        if (MatchesWildcard(name, pattern))
            m_names.push_back(std::move(name));
    }
    closedir(pDir);
    std::sort(m_names.begin(), m_names.end());
    m_status.resize(m_names.size());
    for (size_t i = 0; i < m_names.size(); ++i)
        CFile::GetStatus(m_strRoot + m_chSeparator + m_names[i], m_status[i]);
    return !m_names.empty();
}

BOOL CFileFind::FindNextFile()
{
    if (m_nIndex + 1 >= static_cast<int>(m_names.size()))
        return FALSE;
    ++m_nIndex;
    return m_nIndex + 1 < static_cast<int>(m_names.size());
}

void CFileFind::Close()
{
    m_names.clear();
    m_status.clear();
    m_nIndex = -1;
    m_chSeparator = '/';
}

const CFileStatus& CFileFind::Current() const
{
    if (m_nIndex < 0 || m_nIndex >= static_cast<int>(m_status.size()))
        AfxThrowNotSupportedException();
    return m_status[static_cast<size_t>(m_nIndex)];
}

CString CFileFind::GetFileName() const
{
    Current();
    return m_names[static_cast<size_t>(m_nIndex)];
}

CString CFileFind::GetFilePath() const { return m_strRoot + m_chSeparator + GetFileName(); }

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    refTime = Current().m_mtime;
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    const CString name = GetFileName();
    return name == "." || name == "..";
}
