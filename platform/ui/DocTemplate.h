// Document templates: which document, frame and view classes make up a kind of document,
// its resources and strings, and the open documents of that kind.
#pragma once

#include "platform/core/Lists.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

class CDocument;
class CFrameWnd;
class CView;

// What a frame needs to build its view.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    class CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                      yesAlreadyOpen };

    ~CDocTemplate() override;

    virtual void LoadTemplate();
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& pos) const = 0;
    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    virtual BOOL GetDocString(CString& text, DocStringIndex index) const;
    virtual Confidence MatchDocType(LPCTSTR pathName, CDocument*& match);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* doc) = 0;
    virtual void OnIdle();
    void SetContainerInfo(UINT) {}

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

protected:
    CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& pos) const override;
    void AddDocument(CDocument* doc) override;
    void RemoveDocument(CDocument* doc) override;
    CDocument* OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible = TRUE) override;
    // A new untitled document made from the file, which stays as it is: saving asks for a name.
    CDocument* OpenDocumentCopy(LPCTSTR pathName);
    void SetDefaultTitle(CDocument* doc) override;

    CPtrList m_docList;
    UINT m_nUntitledCount = 0;

private:
    CDocument* Open(LPCTSTR pathName, BOOL makeVisible, BOOL asCopy);
};
