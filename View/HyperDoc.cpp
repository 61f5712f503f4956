#include "View/HyperDoc.h"

#include "View/DocumentRules.h"
#include "View/HyperFrame.h"
#include "View/HyperRunView.h"
#include "View/Thumbnail.h"
#include "objects/HyperFrameOb.h"
#include "objects/MainWndMode.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperDoc, CDocument)

CHyperDoc::~CHyperDoc()
{
    RemoveTempDocFile(m_strPathName);
}

const CRuntimeClass* CHyperDoc::GetEditingViewClass() const
{
    return RUNTIME_CLASS(CHyperRunView);
}

CHyperRunView* CHyperDoc::GetFirstHyperView()
{
    m_views.Collect(this, GetEditingViewClass());
    return m_views.GetFirst();
}

CHyperFrame* CHyperDoc::GetFirstHyperFrame()
{
    GetFirstHyperView();
    return AsHyperFrame(m_views.GetFrame());
}

const CObArray& CHyperDoc::GetFurtherViews()
{
    GetFirstHyperView();
    return m_views.GetFurther();
}

void CHyperDoc::OnChangedViewList()
{
    m_views.Forget();
    CDocument::OnChangedViewList();
}

BOOL CHyperDoc::IsFirstViewEditing()
{
    CHyperRunView* view = GetFirstHyperView();
    return view && view->IsEditMode();
}

// A page that had to stop part-way ends the load: nothing after it is read from a stream
// that may be misaligned.
void CHyperDoc::Serialize(CArchive& archive)
{
    CHyperRunView* first = GetFirstHyperView();
    if (!first)
        return;
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->Serialize(archive);
    m_loadIncomplete = !m_views.SerializePages(archive);
    if (archive.IsStoring() && GetViewSettings().m_thumbnailSwitch && m_views.GetFurther().IsEmpty()) {
        CThumbnail thumbnail;
        thumbnail.Render(first);
        thumbnail.Serialize(archive);
    }
}

CFile* CHyperDoc::GetFile(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    return OpenStoredDocument(fileName, openFlags, error);
}

BOOL CHyperDoc::OnOpenDocument(LPCTSTR pathName)
{
    m_loadIncomplete = FALSE;
    if (!CDocument::OnOpenDocument(pathName))
        return FALSE;
    if (m_loadIncomplete)
        ReportIncompleteLoad(pathName);
    return TRUE;
}

void CHyperDoc::SetTitle(LPCTSTR title)
{
    CHyperFrame* frame = GetFirstHyperFrame();
    CHyperFrameOb* frameObject = frame ? frame->GetFrameObject() : nullptr;
    CDocument::SetTitle(frameObject ? static_cast<LPCTSTR>(frameObject->Title) : title ? title : "");
}

// A document that could be read only in part keeps no path, so that saving asks for a name.
void CHyperDoc::SetPathName(LPCTSTR pathName, BOOL addToMRU)
{
    if (m_loadIncomplete) {
        SetTitle(nullptr);
        return;
    }
    CDocument::SetPathName(pathName, RecentListFlagFor(pathName, addToMRU));
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->SetReadOnly(IsReadOnlyFile(pathName));
}

void CHyperDoc::SetModifiedFlag(BOOL modified)
{
    if (modified && !IsFirstViewEditing()) {
        CHyperFrame* frame = GetFirstHyperFrame();
        if (frame && frame->IsReadOnly())
            return;
    }
    CDocument::SetModifiedFlag(modified);
}

BOOL CHyperDoc::SaveModified()
{
    return IsFirstViewEditing() ? CDocument::SaveModified() : TRUE;
}

BOOL CHyperDoc::DoSave(LPCTSTR pathName, BOOL replace)
{
    if (!CDocument::DoSave(pathName, replace))
        return FALSE;
    if (replace)
        m_loadIncomplete = FALSE;
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->SendMessage(WM_DOCUMENT_SAVED, 0, reinterpret_cast<LPARAM>(pathName));
    return TRUE;
}

void CHyperDoc::DeleteContents()
{
    CDocument::DeleteContents();
    if (!GetFirstViewPosition() || !GetFirstHyperView() || !IsNonMdiMainWnd())
        return;
    m_views.ForEach([](CHyperRunView* view) {
        view->DetachFromSettings();
        view->CreatePageObject();
    });
    if (CHyperFrame* frame = AsHyperFrame(m_views.GetFrame())) {
        frame->DeleteFrameObjects();
        frame->CreateFrameObject();
    }
}

void CHyperDoc::OnFileSave()
{
    if (!IsFirstViewEditing())
        return;
    CDocFolderScope folder;
    CDocument::OnFileSave();
}

void CHyperDoc::OnUpdateFileSave(CCmdUI* cmdUI)
{
    if (!GetFirstHyperView())
        cmdUI->Enable(FALSE);
    else if (IsFirstViewEditing())
        cmdUI->Enable(IsModified());
}

void CHyperDoc::OnFileSaveAs()
{
    if (!IsFirstViewEditing())
        return;
    CDocFolderScope folder;
    CDocument::OnFileSaveAs();
    SetTitle(nullptr);
}

void CHyperDoc::OnUpdateFileSaveAs(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsFirstViewEditing());
}

void CHyperDoc::OnFileClose()
{
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->PostMessage(WM_CLOSE);
}

BEGIN_MESSAGE_MAP(CHyperDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()
