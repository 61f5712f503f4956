// A document of the current project: saved under a new name it joins the project, or its
// member takes the new name, and a save tells the project where its member now lies. Untitled documents are named after their file.
#pragma once

#include "View/HyperOleDoc.h"

// What a document asks of the current project. The application installs its own at start-up;
// until then there is no project.
class CDocumentProject {
public:
    virtual ~CDocumentProject() = default;
    virtual BOOL HasCurrentProject() const { return FALSE; }
    // The file becomes a member; a file that already is one is skipped.
    virtual void AddDocument(const CString&) const { }
    // The member that was the file at `oldPath` is now the file at `newPath`; FALSE when the
    // old file was no member.
    virtual BOOL DocumentRenamed(const CString&, const CString&) const { return FALSE; }
    // The member's document was saved at the path.
    virtual void DocumentSaved(const CString&) const { }
};

CDocumentProject& GetDocumentProject();
// Installs the application's project access (not owned); NULL puts the default back.
void SetDocumentProject(CDocumentProject* project);

class CHyperProjDoc : public CHyperOleDoc {
    DECLARE_DYNCREATE(CHyperProjDoc)
public:
    CHyperProjDoc() = default;

    BOOL OnSaveDocument(LPCTSTR pathName) override;
    // An empty title becomes the file name without folder and extension.
    void SetTitle(LPCTSTR title) override;
    void OnProjectSaveAs();

    // The file name of a path without its folder and extension.
    static CString TitleFromPath(const CString& path);

    DECLARE_MESSAGE_MAP()
};
