#include "View/HyperRunDoc.h"

#include "View/DocumentRules.h"
#include "View/HyperRunView.h"
#include "objects/HyperFrameOb.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperRunDoc, CDocument)

CHyperRunDoc::~CHyperRunDoc()
{
    if (CHyperRunView* view = m_views.GetFirst())
        view->SetFrameObject(nullptr);
    delete m_frameObject;
    RemoveTempDocFile(m_strPathName);
}

CHyperRunView* CHyperRunDoc::GetFirstRunView()
{
    m_views.Collect(this, RUNTIME_CLASS(CHyperRunView));
    return m_views.GetFirst();
}

CFrameWnd* CHyperRunDoc::GetFirstRunFrame()
{
    GetFirstRunView();
    return m_views.GetFrame();
}

const CObArray& CHyperRunDoc::GetFurtherRunViews()
{
    GetFirstRunView();
    return m_views.GetFurther();
}

void CHyperRunDoc::OnChangedViewList()
{
    m_views.Forget();
    CDocument::OnChangedViewList();
}

CHyperFrameOb* CHyperRunDoc::CreateFrameObject()
{
    CHyperRunView* view = GetFirstRunView();
    if (view)
        view->SetFrameObject(nullptr);
    delete m_frameObject;
    m_frameObject = new CHyperFrameOb;
    m_frameObject->SetView(view);
    if (view)
        view->SetFrameObject(m_frameObject);
    return m_frameObject;
}

void CHyperRunDoc::Serialize(CArchive& archive)
{
    GetFirstRunView();
    if (archive.IsStoring()) {
        if (!m_frameObject)
            CreateFrameObject();
        archive << m_frameObject->Title;
        archive.WriteObject(m_frameObject);
    } else if (!LoadFrameRecord(archive)) {
        m_loadIncomplete = TRUE;
        return;
    }
    m_loadIncomplete = !m_views.SerializePages(archive);
}

// A frame object that cannot be read ends the load; the document keeps a fresh one.
BOOL CHyperRunDoc::LoadFrameRecord(CArchive& archive)
{
    CHyperRunView* view = m_views.GetFirst();
    if (view)
        view->SetFrameObject(nullptr);
    delete m_frameObject;
    m_frameObject = nullptr;
    try {
        CString title;
        archive >> title;
        m_frameObject = static_cast<CHyperFrameOb*>(archive.ReadObject(RUNTIME_CLASS(CHyperFrameOb)));
    } catch (CException* e) {
        e->Delete();
    }
    if (!m_frameObject) {
        CreateFrameObject();
        return FALSE;
    }
    m_frameObject->SetView(view);
    if (view)
        view->SetFrameObject(m_frameObject);
    return TRUE;
}

BOOL CHyperRunDoc::OnOpenDocument(LPCTSTR pathName)
{
    AutoSaveCopyChoice choice = AutoSaveCopyChoice::None;
    return OpenDocumentChecked(
        *this, pathName, m_loadIncomplete, [this](LPCTSTR path) { return CDocument::OnOpenDocument(path); }, choice);
}

void CHyperRunDoc::SetPathName(LPCTSTR pathName, BOOL addToMRU)
{
    if (m_loadIncomplete)
        return;
    CDocument::SetPathName(pathName, addToMRU);
}

void CHyperRunDoc::OnUpdateFileSave(CCmdUI* cmdUI)
{
    if (!GetFirstRunView())
        cmdUI->Enable(FALSE);
}

BEGIN_MESSAGE_MAP(CHyperRunDoc, CDocument)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
END_MESSAGE_MAP()
