// CDocument: the data of a document, its views, path, title and modified flag, and the
// New, Open, Save, Save As and Close commands. Saving writes a file beside the target and
// renames it over the target only when the whole document was written.
#pragma once

#include "platform/core/Lists.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

class CArchive;
class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR pathName, BOOL addToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& pos) const;
    void AddView(CView* view);
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();
    // Called when a frame first shows the document's views.
    virtual void OnShowViews(BOOL visible);

    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR pathName);
    virtual BOOL OnSaveDocument(LPCTSTR pathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR pathName, CException* e, BOOL saving, UINT defaultPromptId);
    virtual CFile* GetFile(LPCTSTR fileName, UINT openFlags, CFileException* error);
    virtual void ReleaseFile(CFile* file, BOOL abort);
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* frame);
    virtual BOOL DoSave(LPCTSTR pathName, BOOL replace = TRUE);
    virtual BOOL DoFileSave();

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

    DECLARE_MESSAGE_MAP()
};

// Messages of the document commands (string ids of the framework).
constexpr UINT AFX_IDP_FAILED_TO_OPEN_DOC = 0xF100, AFX_IDP_FAILED_TO_SAVE_DOC = 0xF101,
               AFX_IDP_ASK_TO_SAVE = 0xF102, AFX_IDP_FAILED_TO_CREATE_DOC = 0xF103,
               AFX_IDP_INVALID_FILENAME = 0xF104;
