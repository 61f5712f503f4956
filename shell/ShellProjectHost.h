// What the project code asks of the application: folders, the completion of stored member
// paths and showing the project pane.
#pragma once

#include "projects/ProjectHost.h"

class CShellProjectHost : public CProjectHost {
public:
    CString MakeAbsolutePath(const CString& folder, const CString& path) const override;
    CString GetProgramFolder() const override;
    CString GetProjectFolder() const override;
    void ShowProjectPane() const override;
};
