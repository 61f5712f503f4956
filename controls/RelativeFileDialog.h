// An open-file dialog whose choice comes back relative to the working directory the dialog
// was made in.
#pragma once

#include "platform/ui/CommonDialogs.h"

class CRelativeFileDialog : public CFileDialog {
public:
    CRelativeFileDialog(LPCTSTR defaultExt, LPCTSTR fileName, LPCTSTR filter, CWnd* parent = nullptr);

    // The bare name inside the working directory, "sub\name" below it (with the path's own
    // separator), otherwise the full path.
    CString GetRelativePathName() const;
    static CString MakeRelative(const CString& path, const CString& workingDirectory);

    // Set only by the "<Default>" button; a plain cancel leaves it FALSE.
    BOOL m_bReset = FALSE;

private:
    CString m_title;
    CString m_workingDirectory;
};
