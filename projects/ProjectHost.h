// What the project code asks of the application shell. The shell installs its own host at
// start-up; until then the plain defaults below answer.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CProjectHost {
public:
    virtual ~CProjectHost() = default;

    // A stored member path completed against a folder. The default only joins relative paths.
    virtual CString MakeAbsolutePath(const CString& folder, const CString& path) const;
    // The folder of the program file.
    virtual CString GetProgramFolder() const;
    // The folder that holds the projects; the default is "Project" in the current folder.
    virtual CString GetProjectFolder() const;
    // Remembers the folder as the program's current folder.
    virtual void SetCurrentFolder(const CString& folder) const;
    // Saves the modified documents and closes all; FALSE when the user cancels.
    virtual BOOL CloseAllDocuments() const;
    // A new document saved at `path`; FALSE when none could be made.
    virtual BOOL CreateDocument(const CString& path) const;
    virtual BOOL OpenDocument(const CString& path) const;
    virtual BOOL RunDocument(const CString& path) const;
    // Closes the open documents of `path`.
    virtual void CloseDocument(const CString& path) const;
    // Open documents of `path` take the title.
    virtual void RetitleDocuments(const CString& path, const CString& title) const;
    // Open documents of a file renamed on disk take its new path and the title, so their
    // next save goes to the renamed file.
    virtual void MoveDocuments(const CString& oldPath, const CString& newPath, const CString& title) const;
    virtual void ShowProjectPane() const {}
};

CProjectHost& GetProjectHost();
// Installs the shell's host (not owned); NULL puts the defaults back.
void SetProjectHost(CProjectHost* host);

// Texts through the user-interface language.
CString ProjectText(LPCTSTR key);
