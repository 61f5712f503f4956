// What the project code asks of the application: folders, the completion of stored member
// paths, showing the project pane, and member documents created and opened in edit or run mode.
#pragma once

#include "projects/ProjectHost.h"

class CShellProjectHost : public CProjectHost {
public:
    CString MakeAbsolutePath(const CString& folder, const CString& path) const override;
    CString GetProgramFolder() const override;
    CString GetProjectFolder() const override;
    void ShowProjectPane() const override;
    BOOL CreateDocument(const CString& path) const override;
    BOOL OpenDocument(const CString& path) const override;
    BOOL RunDocument(const CString& path) const override;
};
