#include "controls/RelativeFileDialog.h"

#include "controls/ChooserTexts.h"
#include "platform/core/System.h"

#include <algorithm>
#include <strings.h>
#include <vector>

CRelativeFileDialog::CRelativeFileDialog(LPCTSTR defaultExt, LPCTSTR fileName, LPCTSTR filter, CWnd* parent)
    : CFileDialog(TRUE, defaultExt, fileName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, filter, parent)
{
    m_title.LoadString(IDS_BROWSE_FILES);
    m_ofn.lpstrTitle = m_title;
    m_ofn.Flags = (m_ofn.Flags & ~OFN_SHOWHELP) | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    std::vector<char> folder(4096);
    if (_getcwd(folder.data(), static_cast<int>(folder.size())))
        m_workingDirectory = folder.data();
}

CString CRelativeFileDialog::GetRelativePathName() const
{
    return MakeRelative(GetPathName(), m_workingDirectory);
}

CString CRelativeFileDialog::MakeRelative(const CString& path, const CString& workingDirectory)
{
    const int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    if (cut < 0 || workingDirectory.IsEmpty())
        return path;
    CString folder = path.Left(cut);
    CString name = path.Mid(cut + 1);
    const int length = workingDirectory.GetLength();
    if (folder.CompareNoCase(workingDirectory) == 0)
        return name;
    bool below = folder.GetLength() > length && strncasecmp(folder, workingDirectory, static_cast<size_t>(length)) == 0 &&
                 (folder[length] == '\\' || folder[length] == '/');
    if (!below)
        return path;
    return folder.Mid(length + 1) + path[cut] + name;
}
