// Ink on the clipboard, deleting the selected ink, copy as text and the signature.
#include "View/NotesView.h"

#include "View/HyperView.h"
#include "View/SignatureDlg.h"
#include "objects/ShellServices.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/ink/InkClipboard.h"
#include "objects/LayerFmt.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ink/InkRecognizers.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

BOOL CNotesView::OnEditCopy()
{
    if (!m_inkEnabled || !IsEditMode())
        return FALSE;
    InkClipboardCopy(m_hWnd, m_overlay->Selection());
    return TRUE;
}

// Pasted ink lands at the window's top-left corner and becomes the selection. Ink that cannot
// be read is reported and leaves the layer and the document as they were.
BOOL CNotesView::OnEditPaste()
{
    if (!m_inkEnabled || !IsEditMode())
        return FALSE;
    std::optional<InkStrokes> pasted = InkClipboardPaste(m_hWnd, *m_overlay->Ink(), POINT{0, 0});
    if (!pasted && InkCanPaste())
        AfxMessageBox("The ink on the clipboard cannot be read.", MB_OK | MB_ICONEXCLAMATION);
    if (!pasted || !pasted->Count())
        return TRUE;
    MarkInkChanged();
    m_overlay->SetSelection(*pasted);
    Invalidate(TRUE);
    return TRUE;
}

void CNotesView::OnEditDelete()
{
    if (!m_inkEnabled)
        return;
    InkStrokes selected = m_overlay->Selection();
    if (selected.Count())
        MarkInkChanged();
    m_overlay->Ink()->DeleteStrokes(&selected);
    m_overlay->SetSelection(InkStrokes(m_overlay->Ink()));
    Invalidate(TRUE);
}

namespace {

// Enabled with a selection on the layer; never outside edit mode; otherwise left alone.
void UpdateInkCommand(CCmdUI* cmdUI, BOOL layerOn, BOOL available, BOOL editMode)
{
    if (layerOn && available)
        cmdUI->Enable(TRUE);
    if (!editMode)
        cmdUI->Enable(FALSE);
}

} // namespace

void CNotesView::OnUpdateEditCopy(CCmdUI* cmdUI)
{
    UpdateInkCommand(cmdUI, m_inkEnabled, m_overlay->Selection().Count() > 0, IsEditMode());
}

void CNotesView::OnUpdateEditCut(CCmdUI* cmdUI)
{
    UpdateInkCommand(cmdUI, m_inkEnabled, m_overlay->Selection().Count() > 0, IsEditMode());
}

void CNotesView::OnUpdateEditDelete(CCmdUI* cmdUI)
{
    UpdateInkCommand(cmdUI, m_inkEnabled, m_overlay->Selection().Count() > 0, IsEditMode());
}

void CNotesView::OnUpdateEditPaste(CCmdUI* cmdUI)
{
    UpdateInkCommand(cmdUI, m_inkEnabled, InkCanPaste(), IsEditMode());
}

// The ink objects of notice layers that show as selected, else all of them; while the layer is
// on, its selection or else all its ink. The copies keep their places on the page.
std::shared_ptr<InkDisp> CNotesView::InkToRead()
{
    auto ink = InkDisp::Create();
    if (m_inkEnabled) {
        const InkStrokes strokes = m_overlay->Selection().Count() ? m_overlay->Selection() : OverlayStrokes();
        ink->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
        return ink;
    }
    std::vector<CStrokeOb*> all, selected;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        auto* stroke = dynamic_cast<CStrokeOb*>(GetObjectAtIndex(i));
        if (!stroke || stroke->LayerID < CLayerItem::NoticeBase)
            continue;
        all.push_back(stroke);
        if (stroke->IsSelected())
            selected.push_back(stroke);
    }
    for (CStrokeOb* object : selected.empty() ? all : selected)
        object->AddStrokesToView(*ink);
    return ink;
}

// Ink without text, and no ink at all, show the dialog without a result.
void CNotesView::OnCopyAsText()
{
    const std::shared_ptr<InkDisp> ink = InkToRead();
    std::shared_ptr<InkRecognitionResult> result;
    if (ink->StrokeCount()) {
        auto context = InkRecognizers().GetDefaultRecognizer(0)->CreateRecognizerContext();
        context->SetStrokes(ink->Strokes());
        context->EndInkInput();
        int status = 0;
        result = context->Recognize(status);
        if (status != 0) {
            AfxMessageBox("Error: handwriting recognition is not installed.", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    GetShellServices().ShowCopyAsText(result);
}

// The signature goes on the page as ink, in one undoable step.
void CNotesView::OnSignatureDialog()
{
    CSignatureDlg dialog(this);
    if (dialog.DoModal() != IDOK || !dialog.GetInk() || !dialog.GetInk()->StrokeCount())
        return;
    if (m_inkEnabled) {
        InkStrokes strokes = dialog.GetInk()->Strokes();
        m_overlay->Ink()->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
        MarkInkChanged();
        Invalidate(TRUE);
        return;
    }
    auto* editor = dynamic_cast<CHyperView*>(this);
    auto* object = new CStrokeOb;
    object->Init(this, nullptr, TRUE);
    object->TakeStrokes(dialog.GetInk()->Strokes());
    object->LayerID = NoticeLayerId();
    if (editor)
        editor->AddObject(object, TRUE, TRUE);
    else
        delete object;
}
