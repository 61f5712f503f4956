#include "View/HyperDocBase.h"

#include "View/DocumentRules.h"
#include "View/HyperFrame.h"
#include "View/HyperRunView.h"
#include "View/Thumbnail.h"
#include "objects/GenFrameOb.h"
#include "objects/HyperFrameOb.h"
#include "objects/MainWndMode.h"
#include "objects/RecordProbe.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/WinApp.h"

namespace {

// Bytes left after the page records are a further page record unless they are exactly the
// closing thumbnail: its length and magic end the file.
BOOL PageRecordFollows(CArchive& archive)
{
    CRecordProbe probe(archive);
    CFile* file = archive.GetFile();
    const ULONGLONG start = file->GetPosition();
    const ULONGLONG length = file->GetLength();
    if (start >= length)
        return FALSE;
    BOOL thumbnail = FALSE;
    if (length - start >= 2 * sizeof(DWORD)) {
        file->Seek(static_cast<LONGLONG>(length - 2 * sizeof(DWORD)), CFile::begin);
        DWORD size = 0;
        DWORD magic = 0;
        archive >> size >> magic;
        thumbnail = magic == CThumbnail::Magic && size == length - start - 2 * sizeof(DWORD);
    }
    probe.Rewind();
    return !thumbnail;
}

} // namespace

template <class Base>
CHyperDocBase<Base>::~CHyperDocBase()
{
    RemoveTempDocFile(this->m_strPathName);
}

template <class Base>
const CRuntimeClass* CHyperDocBase<Base>::GetEditingViewClass() const
{
    return RUNTIME_CLASS(CHyperRunView);
}

template <class Base>
CHyperRunView* CHyperDocBase<Base>::GetFirstHyperView()
{
    m_views.Collect(this, GetEditingViewClass());
    return m_views.GetFirst();
}

template <class Base>
CHyperFrame* CHyperDocBase<Base>::GetFirstHyperFrame()
{
    GetFirstHyperView();
    return AsHyperFrame(m_views.GetFrame());
}

template <class Base>
const CObArray& CHyperDocBase<Base>::GetFurtherViews()
{
    GetFirstHyperView();
    return m_views.GetFurther();
}

template <class Base>
void CHyperDocBase<Base>::OnChangedViewList()
{
    m_views.Forget();
    Base::OnChangedViewList();
}

template <class Base>
BOOL CHyperDocBase<Base>::IsFirstViewEditing()
{
    CHyperRunView* view = GetFirstHyperView();
    return view && view->IsEditMode();
}

// A page that had to stop part-way ends the load: nothing after it is read from a stream
// that may be misaligned.
template <class Base>
void CHyperDocBase<Base>::Serialize(CArchive& archive)
{
    CHyperRunView* first = GetFirstHyperView();
    if (!first)
        return;
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->Serialize(archive);
    m_loadIncomplete = !m_views.SerializePages(archive);
    if (!archive.IsStoring() && !m_loadIncomplete)
        m_loadIncomplete = !LoadFurtherPages(archive);
    if (archive.IsStoring() && GetViewSettings().m_thumbnailSwitch && m_views.GetFurther().IsEmpty()) {
        CThumbnail thumbnail;
        thumbnail.Render(first);
        thumbnail.Serialize(archive);
    }
}

template <class Base>
BOOL CHyperDocBase<Base>::LoadFurtherPages(CArchive& archive)
{
    while (PageRecordFollows(archive)) {
        CFrameWnd* frame = nullptr;
        CHyperRunView* view = OpenFurtherView(&frame);
        if (!view)
            return FALSE;
        try {
            view->Serialize(archive);
        } catch (CException* e) {
            // Not even the record's head could be read: there is nothing to show.
            e->Delete();
            frame->DestroyWindow();
            return FALSE;
        }
        this->GetDocTemplate()->InitialUpdateFrame(frame, this);
        if (view->LoadWasIncomplete())
            return FALSE;
    }
    return TRUE;
}

template <class Base>
CHyperRunView* CHyperDocBase<Base>::OpenFurtherView(CFrameWnd** frame)
{
    CDocTemplate* docTemplate = this->GetDocTemplate();
    *frame = docTemplate ? docTemplate->CreateNewFrame(this, m_views.GetFrame()) : nullptr;
    if (!*frame)
        return nullptr;
    CHyperRunView* opened = nullptr;
    GetFirstHyperView();
    m_views.ForEach([&](CHyperRunView* view) {
        if (view->GetParentFrame() == *frame)
            opened = view;
    });
    if (!opened)
        (*frame)->DestroyWindow();
    return opened;
}

template <class Base>
BOOL CHyperDocBase<Base>::OnNewDocument()
{
    if (!Base::OnNewDocument())
        return FALSE;
    CHyperFrame* frame = GetFirstHyperFrame();
    if (auto* numbered = frame ? dynamic_cast<CGenFrameOb*>(frame->GetFrameObject()) : nullptr)
        numbered->NumberNewDocument();
    SetTitle(nullptr);
    return TRUE;
}

// A declined autosave copy is the frame's to keep until the next real save.
template <class Base>
BOOL CHyperDocBase<Base>::OnOpenDocument(LPCTSTR pathName)
{
    AutoSaveCopyChoice choice = AutoSaveCopyChoice::None;
    if (!OpenDocumentChecked(
            *this, pathName, m_loadIncomplete, [this](LPCTSTR path) { return Base::OnOpenDocument(path); }, choice))
        return FALSE;
    CHyperFrame* frame = GetFirstHyperFrame();
    if (frame && choice == AutoSaveCopyChoice::Declined)
        frame->KeepAutoSaveCopy();
    return TRUE;
}

template <class Base>
void CHyperDocBase<Base>::SetTitle(LPCTSTR title)
{
    CHyperFrame* frame = GetFirstHyperFrame();
    CHyperFrameOb* frameObject = frame ? frame->GetFrameObject() : nullptr;
    Base::SetTitle(frameObject ? static_cast<LPCTSTR>(frameObject->Title) : title ? title : "");
}

// A document that could be read only in part keeps no path, so that saving asks for a name.
template <class Base>
void CHyperDocBase<Base>::SetPathName(LPCTSTR pathName, BOOL addToMRU)
{
    if (m_loadIncomplete) {
        SetTitle(nullptr);
        return;
    }
    Base::SetPathName(pathName, RecentListFlagFor(pathName, addToMRU));
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->SetReadOnly(IsReadOnlyFile(pathName));
}

template <class Base>
void CHyperDocBase<Base>::SetModifiedFlag(BOOL modified)
{
    if (modified && !IsFirstViewEditing()) {
        CHyperFrame* frame = GetFirstHyperFrame();
        if (frame && frame->IsReadOnly())
            return;
    }
    Base::SetModifiedFlag(modified);
}

template <class Base>
BOOL CHyperDocBase<Base>::SaveModified()
{
    return IsFirstViewEditing() ? Base::SaveModified() : TRUE;
}

template <class Base>
BOOL CHyperDocBase<Base>::DoSave(LPCTSTR pathName, BOOL replace)
{
    if (!Base::DoSave(pathName, replace))
        return FALSE;
    if (replace)
        m_loadIncomplete = FALSE;
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->SendMessage(WM_DOCUMENT_SAVED, 0, reinterpret_cast<LPARAM>(pathName));
    return TRUE;
}

template <class Base>
void CHyperDocBase<Base>::DeleteContents()
{
    Base::DeleteContents();
    if (!this->GetFirstViewPosition() || !GetFirstHyperView() || !IsNonMdiMainWnd())
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

template <class Base>
void CHyperDocBase<Base>::OnFileSave()
{
    if (!IsFirstViewEditing())
        return;
    CDocFolderScope folder;
    Base::OnFileSave();
}

template <class Base>
void CHyperDocBase<Base>::OnUpdateFileSave(CCmdUI* cmdUI)
{
    if (!GetFirstHyperView())
        cmdUI->Enable(FALSE);
    else if (IsFirstViewEditing())
        cmdUI->Enable(this->IsModified());
}

template <class Base>
void CHyperDocBase<Base>::OnFileSaveAs()
{
    if (!IsFirstViewEditing())
        return;
    CDocFolderScope folder;
    Base::OnFileSaveAs();
}

template <class Base>
void CHyperDocBase<Base>::OnUpdateFileSaveAs(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsFirstViewEditing());
}

template <class Base>
void CHyperDocBase<Base>::OnFileClose()
{
    if (CHyperFrame* frame = GetFirstHyperFrame())
        frame->PostMessage(WM_CLOSE);
}

template class CHyperDocBase<CDocument>;
template class CHyperDocBase<COleLinkingDoc>;
