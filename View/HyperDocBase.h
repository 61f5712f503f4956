// The rules of the editor's documents over the document class they build on: a plain
// document or one that holds embedded objects. The document owns nothing itself and
// serializes the frame record of its frame and the page record of each editing view, with an
// optional closing thumbnail.
#pragma once

#include "View/DocViews.h"
#include "platform/ui/Document.h"

class CArchive;
class CCmdUI;
class CFrameWnd;
class CHyperFrame;

template <class Base>
class CHyperDocBase : public Base {
public:
    CHyperDocBase() = default;
    ~CHyperDocBase() override;

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
    // A new document's frame object takes the next "Document n" title.
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR pathName) override;
    void OnChangedViewList() override;

    void OnFileSave();
    void OnUpdateFileSave(CCmdUI* cmdUI);
    // The framework's Save As in the document folder.
    void OnFileSaveAs();
    void OnUpdateFileSaveAs(CCmdUI* cmdUI);
    void OnFileClose();

protected:
    // The class of the views that hold the document's pages.
    virtual const CRuntimeClass* GetEditingViewClass() const;
    BOOL IsFirstViewEditing();
    // Page records beyond the open views each get a further view in a child frame of its own;
    // FALSE when one of them could be read only in part.
    BOOL LoadFurtherPages(CArchive& archive);
    CHyperRunView* OpenFurtherView(CFrameWnd** frame);

    CDocViews m_views;
    // A page could not be read completely: the file keeps its name but is never saved over.
    BOOL m_loadIncomplete = FALSE;
};
