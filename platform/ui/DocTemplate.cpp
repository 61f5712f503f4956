// Document templates: creating documents with their frames and views, and the open list.
#include "platform/ui/DocTemplate.h"

#include "platform/core/StringTable.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <strings.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        LookupStringResource(m_nIDResource, m_strDocStrings);
}

void CDocTemplate::AddDocument(CDocument* doc) { doc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    if (doc->m_pDocTemplate == this)
        doc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const
{
    text.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        int next = m_strDocStrings.Find('\n', start);
        if (next < 0)
            return FALSE;
        start = next + 1;
    }
    int end = m_strDocStrings.Find('\n', start);
    text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR pathName, CDocument*& match)
{
    match = nullptr;
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        if (doc->GetPathName() == pathName) {
            match = doc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
        size_t pathLength = strlen(pathName), extLength = static_cast<size_t>(ext.GetLength());
        if (pathLength >= extLength && strcasecmp(pathName + pathLength - extLength, ext) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    auto* doc = dynamic_cast<CDocument*>(m_pDocClass->CreateObject());
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* frame = m_pFrameClass ? dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject()) : nullptr;
    if (!frame)
        return nullptr;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        if (doc->IsModified() && !doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    std::vector<CDocument*> docs;
    for (POSITION pos = GetFirstDocPosition(); pos;)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* doc : docs)
        doc->OnCloseDocument();
}

void CDocTemplate::OnIdle() {}

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                     CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    std::vector<CDocument*> docs;
    for (POSITION pos = GetFirstDocPosition(); pos;)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* doc : docs) {
        doc->m_pDocTemplate = nullptr;
        delete doc;
    }
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (!m_hMenuShared)
        m_hMenuShared = ::LoadMenu(nullptr, MAKEINTRESOURCE(m_nIDResource));
    if (!m_hAccelTable)
        m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(m_nIDResource));
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& pos) const
{
    return static_cast<CDocument*>(const_cast<CPtrList&>(m_docList).GetNext(pos));
}

void CMultiDocTemplate::AddDocument(CDocument* doc)
{
    CDocTemplate::AddDocument(doc);
    m_docList.AddTail(doc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* doc)
{
    CDocTemplate::RemoveDocument(doc);
    if (POSITION pos = m_docList.Find(doc))
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible)
{
    return Open(pathName, makeVisible, FALSE);
}

CDocument* CMultiDocTemplate::OpenDocumentCopy(LPCTSTR pathName)
{
    return pathName ? Open(pathName, TRUE, TRUE) : nullptr;
}

CDocument* CMultiDocTemplate::Open(LPCTSTR pathName, BOOL makeVisible, BOOL asCopy)
{
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete doc;
        return nullptr;
    }
    if (!pathName) {
        SetDefaultTitle(doc);
        if (!makeVisible)
            doc->m_bEmbedded = TRUE;
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(pathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        if (asCopy) {
            doc->ClearPathName();
            doc->SetModifiedFlag(FALSE);
            ++m_nUntitledCount;
        } else {
            doc->SetPathName(pathName);
        }
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* doc)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    CString numbered;
    numbered.Format("%s%u", static_cast<LPCTSTR>(title), m_nUntitledCount + 1);
    doc->SetTitle(numbered);
}
