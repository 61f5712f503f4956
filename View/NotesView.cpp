// The notes view's state, its message map, switching the ink layer on and off, and ink
// events that arrive off the user-interface thread.
#include "View/NotesView.h"

#include "View/HyperView.h"
#include "View/InkEventSink.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/UndoRecord.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/ink/InkDivider.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <thread>

IMPLEMENT_DYNCREATE(CNotesView, CHyperRunView)

// Ink events waiting for the view's own thread.
struct PendingInkEvents {
    std::thread::id uiThread = std::this_thread::get_id();
    std::deque<std::function<void()>> events;
};

namespace {

// Held while the events queued off the user-interface thread are taken and run.
std::mutex& PendingEventsMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

BEGIN_MESSAGE_MAP(CNotesView, CHyperRunView)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_DESTROY()
    ON_COMMAND(CmdEnableInkLayer, OnEnableInkLayer)
    ON_UPDATE_COMMAND_UI(CmdEnableInkLayer, OnUpdateEnableInkLayer)
    ON_COMMAND(CmdInkStroke, OnInkStroke)
    ON_UPDATE_COMMAND_UI(CmdInkStroke, OnUpdateInkStroke)
    ON_COMMAND(CmdInkEraser, OnInkEraser)
    ON_UPDATE_COMMAND_UI(CmdInkEraser, OnUpdateInkEraser)
    ON_COMMAND(CmdInkSelectionTool, OnInkSelectionTool)
    ON_UPDATE_COMMAND_UI(CmdInkSelectionTool, OnUpdateInkSelectionTool)
    ON_COMMAND(CmdInkDelete, OnInkDelete)
    ON_UPDATE_COMMAND_UI(CmdInkDelete, OnUpdateInkDelete)
    ON_COMMAND(CmdSignatureDialog, OnSignatureDialog)
    ON_COMMAND(CmdCopyAsText, OnCopyAsText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_MESSAGE(WM_INK_PENDING_EVENTS, OnPendingInkEvents)
END_MESSAGE_MAP()

CNotesView::CNotesView()
    : m_inkZoom(m_zoom), m_overlaySink(std::make_unique<CInkEventSink>(this)),
      m_overlay(std::make_unique<InkOverlay>()), m_pendingEvents(std::make_unique<PendingInkEvents>())
{
}

CNotesView::~CNotesView()
{
    if (m_sinkCookie)
        m_overlay->Unadvise(m_sinkCookie);
    m_overlay->SetEnabled(false);
}

void CNotesView::OnInitialUpdate()
{
    CHyperRunView::OnInitialUpdate();
    m_overlay->SetWindowInputRectangle(RECT{0, 0, 16000, 16000});
    m_overlay->AutoRedraw = true;
    m_overlay->DynamicRendering = true;
    m_overlay->DefaultDrawingAttributes().AntiAliased = true;
    m_overlay->DefaultDrawingAttributes().Transparency = 0;
    m_inkZoom = m_zoom;
    SelectInkTool(m_currentTool);
}

void CNotesView::ShowInkError()
{
    MessageBox("Error", nullptr, MB_OK);
}

void CNotesView::SetInkEnabled(BOOL enable)
{
    if (!enable == !m_inkEnabled)
        return;
    if (enable)
        SwitchOn();
    else
        SwitchOff();
    if (m_hWnd)
        Invalidate(TRUE);
}

const CLayerItem* CNotesView::NoticeLayer() const
{
    const CHyperViewOb* page = GetPageObject();
    const CLayerFmt* layers = page ? page->GetLayerList() : nullptr;
    const int index = layers ? layers->m_currentNoticeIndex : -1;
    return index >= 0 && index < layers->GetSize() ? layers->GetLayerItem(index) : nullptr;
}

int CNotesView::NoticeLayerId() const
{
    const CLayerItem* item = NoticeLayer();
    return item ? item->GetId() : -1;
}

// Only stroke objects: any other kind on the notice layer stays as it is.
void CNotesView::CollectStrokeObjects()
{
    m_strokeObjects.clear();
    const int layer = NoticeLayerId();
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        if (auto* stroke = dynamic_cast<CStrokeOb*>(GetObjectAtIndex(i)); stroke && stroke->LayerID == layer)
            m_strokeObjects.push_back(stroke);
}

// Outside edit mode, without a notice layer to store its ink on, or when it cannot attach to
// the window, the layer stays off.
void CNotesView::SwitchOn()
{
    if (!m_hWnd || !IsEditMode() || !NoticeLayer())
        return;
    ClearSelection();
    m_overlay->SetHWnd(m_hWnd);
    m_overlay->SetCollectionMode(InkCollectionMode::InkAndGesture);
    if (!m_overlay->SetEnabled(true)) {
        m_overlay->SetHWnd(nullptr);
        ShowInkError();
        return;
    }
    m_sinkCookie = m_overlay->Advise(m_overlaySink.get());
    CollectStrokeObjects();
    for (CStrokeOb* object : m_strokeObjects) {
        const InkStrokes strokes = object->GetInk() ? object->GetInk()->Strokes() : InkStrokes();
        for (const auto& stroke : strokes.All())
            stroke->ExtendedProperties().Add(CStrokeOb::GroupProperty, int32_t(object->GroupID));
        object->AddStrokesToView(*m_overlay->Ink());
    }
    m_inkZoom = m_zoom;
    m_inkScroll = GetDeviceScrollPosition();
    m_inkChanged = FALSE;
    m_inkEnabled = TRUE;
}

void CNotesView::SwitchOff()
{
    ClearInkSelection();
    auto* editor = dynamic_cast<CHyperView*>(this);
    CUndoRecord* record = editor ? new CUndoRecord(editor, CHyperView::UndoDelete) : nullptr;
    const BOOL changed = StoreStrokes(NoticeLayerId());
    m_overlay->Ink()->DeleteStrokes();
    m_overlay->SetEnabled(false);
    m_overlay->Unadvise(std::exchange(m_sinkCookie, 0));
    m_overlay->SetHWnd(nullptr);
    m_inkEnabled = FALSE;
    if (changed && editor)
        editor->PushUndo(record, FALSE);
    else
        delete record;
}

// Each handwriting segment and each drawing becomes one stroke object; the collected objects
// are reused in page order and those left over leave the page. TRUE when the page changed.
BOOL CNotesView::StoreStrokes(int layerId)
{
    auto* editor = dynamic_cast<CHyperView*>(this);
    InkDivider divider;
    divider.Strokes = OverlayStrokes();
    const InkDivisionResult division = divider.Divide();
    std::vector<InkDivisionUnit> units = division.ResultByType(InkDivisionType::Segment);
    for (auto& unit : division.ResultByType(InkDivisionType::Drawing))
        units.push_back(std::move(unit));
    // An object a command took off the page meanwhile is not touched again.
    std::erase_if(m_strokeObjects, [&](CStrokeOb* object) { return !editor || editor->FindObjectIndex(object) < 0; });
    BOOL changed = m_inkChanged;
    size_t reused = 0;
    for (const InkDivisionUnit& unit : units) {
        if (reused < m_strokeObjects.size()) {
            CStrokeOb* object = m_strokeObjects[reused++];
            object->InvalidateArea(nullptr);
            object->TakeStrokes(unit.Strokes);
            object->LayerID = layerId;
            object->InvalidateArea(nullptr);
            continue;
        }
        auto* object = new CStrokeOb;
        object->Init(this, nullptr, TRUE);
        object->TakeStrokes(unit.Strokes);
        object->LayerID = layerId;
        if (editor && editor->AddObject(object, FALSE, TRUE)) {
            // Stored ink is placed, not picked: it shows no handles the selection does not hold.
            object->Deselect(TRUE);
            changed = TRUE;
        }
    }
    for (size_t i = reused; i < m_strokeObjects.size(); ++i)
        changed = editor->DeleteObject(editor->FindObjectIndex(m_strokeObjects[i])) || changed;
    m_strokeObjects.clear();
    return changed;
}

void CNotesView::MarkInkChanged()
{
    m_inkChanged = TRUE;
    if (CDocument* document = GetDocument())
        document->SetModifiedFlag(TRUE);
}

void CNotesView::Serialize(CArchive& archive)
{
    const BOOL inking = m_inkEnabled;
    if (inking && archive.IsStoring())
        SwitchOff();
    if (inking && archive.IsLoading()) {
        m_overlay->Ink()->DeleteStrokes();
        m_strokeObjects.clear();
        m_inkChanged = FALSE;
        SwitchOff();
    }
    CHyperRunView::Serialize(archive);
    if (inking)
        SwitchOn();
}

InkStrokes CNotesView::OverlayStrokes() const
{
    return m_overlay->Ink()->Strokes();
}

void CNotesView::OnEnableInkLayer()
{
    SetInkEnabled(!m_inkEnabled);
}

void CNotesView::OnUpdateEnableInkLayer(CCmdUI* cmdUI)
{
    const CLayerItem* item = NoticeLayer();
    const BOOL available =
        item && item->m_visible && !GetPageObject()->GetLayerList()->IsItemLocked(item) && IsEditMode();
    cmdUI->Enable(available);
    cmdUI->SetCheck(m_inkEnabled);
    if (!available && m_inkEnabled)
        OnEnableInkLayer();
}

void CNotesView::OnDestroy()
{
    SetInkEnabled(FALSE);
    CHyperRunView::OnDestroy();
}

void CNotesView::RunOnUiThread(std::function<void()> event)
{
    if (std::this_thread::get_id() == m_pendingEvents->uiThread) {
        event();
        return;
    }
    std::lock_guard<std::mutex> lock(PendingEventsMutex());
    m_pendingEvents->events.push_back(std::move(event));
    if (m_hWnd)
        ::PostMessage(m_hWnd, WM_INK_PENDING_EVENTS, 0, 0);
}

LRESULT CNotesView::OnPendingInkEvents(WPARAM, LPARAM)
{
    std::deque<std::function<void()>> events;
    {
        std::lock_guard<std::mutex> lock(PendingEventsMutex());
        events.swap(m_pendingEvents->events);
    }
    for (auto& event : events)
        event();
    return 0;
}
