// The document of the editor: it owns nothing itself and serializes the frame record of its
// frame and the page record of each editing view, with an optional closing thumbnail.
#pragma once

#include "View/DocViews.h"
#include "platform/ui/Document.h"

class CCmdUI;
class CHyperFrame;

class CHyperDoc : public CDocument {
    DECLARE_DYNCREATE(CHyperDoc)
public:
    CHyperDoc() = default;
    ~CHyperDoc() override;

    CHyperRunView* GetFirstHyperView();
    CHyperFrame* GetFirstHyperFrame();
    const CObArray& GetFurtherViews();

    void Serialize(CArchive& archive) override;
    // The title is always the frame object's Title.
    void SetTitle(LPCTSTR title) override;
    void SetPathName(LPCTSTR pathName, BOOL addToMRU = TRUE) override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL SaveModified() override;
    BOOL DoSave(LPCTSTR pathName, BOOL replace = TRUE) override;
    void DeleteContents() override;
    BOOL OnOpenDocument(LPCTSTR pathName) override;
    CFile* GetFile(LPCTSTR fileName, UINT openFlags, CFileException* error) override;
    void OnChangedViewList() override;

protected:
    // The class of the views that hold the document's pages.
    virtual const CRuntimeClass* GetEditingViewClass() const;
    BOOL IsFirstViewEditing();

    void OnFileSave();
    void OnUpdateFileSave(CCmdUI* cmdUI);
    void OnFileSaveAs();
    void OnUpdateFileSaveAs(CCmdUI* cmdUI);
    void OnFileClose();

    CDocViews m_views;
    // A page could not be read completely: the file keeps its name but is never saved over.
    BOOL m_loadIncomplete = FALSE;

    DECLARE_MESSAGE_MAP()
};
