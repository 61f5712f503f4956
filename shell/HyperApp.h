// The application's layer of project work: documents of the current project opened from the
// project pane in edit or run mode, new forms created and saved for it, and what the
// documents ask of the project.
#pragma once

#include "platform/ui/WinApp.h"

class CDocument;
class CMultiDocTemplate;
class CProjOb;

class CHyperApp : public CWinApp {
public:
    // The frame command that switches between edit and run mode.
    static constexpr UINT CmdEditView = 60415;

    explicit CHyperApp(LPCTSTR appName = nullptr) : CWinApp(appName) { }

    // The document opens in edit mode; NULL when it does not open.
    virtual CDocument* OpenDocumentForEdit(LPCTSTR path);
    // The document opens in run mode; NULL when it does not open.
    virtual CDocument* OpenDocumentForRun(LPCTSTR path);
    // A new document of the main template titled with the file name and saved at the path at
    // once; FALSE when none could be made or saved.
    virtual BOOL CreateProjectForm(const CString& path);

    // The active project of the project pane; NULL without a main window, pane or project.
    CProjOb* GetCurrentProject() const;
    CMultiDocTemplate* GetMainDocTemplate() const { return m_pMainTemplate; }
    BOOL IsOpeningForEdit() const { return m_openingForEdit; }

protected:
    // Installs the project access of the documents and of the project pane.
    void InstallProjectAccess();
    void RemoveProjectAccess();

    CMultiDocTemplate* m_pMainTemplate = nullptr;
    BOOL m_openingForEdit = FALSE;
};
