// The document of run mode: it owns the frame object of its form and serializes it with the
// page records of its run views; it writes no thumbnail.
#pragma once

#include "View/DocViews.h"
#include "platform/ui/Document.h"

class CCmdUI;
class CHyperFrameOb;

class CHyperRunDoc : public CDocument {
    DECLARE_DYNCREATE(CHyperRunDoc)
public:
    CHyperRunDoc() = default;
    ~CHyperRunDoc() override;

    CHyperRunView* GetFirstRunView();
    CFrameWnd* GetFirstRunFrame();
    const CObArray& GetFurtherRunViews();
    virtual CHyperFrameOb* CreateFrameObject();
    CHyperFrameOb* GetFrameObject() const { return m_frameObject; }

    void Serialize(CArchive& archive) override;
    void SetPathName(LPCTSTR pathName, BOOL addToMRU = TRUE) override;
    BOOL OnOpenDocument(LPCTSTR pathName) override;
    void OnChangedViewList() override;

protected:
    // FALSE when the frame object could not be read.
    BOOL LoadFrameRecord(CArchive& archive);
    void OnUpdateFileSave(CCmdUI* cmdUI);

    CDocViews m_views;
    CHyperFrameOb* m_frameObject = nullptr;
    BOOL m_loadIncomplete = FALSE;

    DECLARE_MESSAGE_MAP()
};
