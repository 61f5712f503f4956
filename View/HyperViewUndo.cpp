// The undo and redo histories of the editing view: pushing, merging, trimming to the
// configured depth, and putting a snapshot back into the page.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "objects/GroupInfo.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/UndoRecord.h"
#include "objects/ViewSettings.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"

#include <algorithm>

namespace {

// Kinds of step that make a later Regroup impossible.
constexpr UINT kEmptiesRegroup[] = {CHyperView::UndoImport, CHyperView::UndoTabOrder, CHyperView::UndoInsert,
                                    CHyperView::UndoZOrder, CHyperView::UndoDelete};

// Kinds of step that fold into a like step of the same selection.
constexpr UINT kMerging[] = {CHyperView::UndoNudge, CHyperView::UndoProperties, CHyperView::UndoRotate,
                             CHyperView::UndoEditPoints};

template <size_t N>
bool Contains(const UINT (&table)[N], UINT id)
{
    for (UINT entry : table)
        if (entry == id)
            return true;
    return false;
}

CUndoRecord* RecordAt(const CPtrArray& records, INT_PTR index)
{
    return static_cast<CUndoRecord*>(records.GetAt(index));
}

} // namespace

void CHyperView::DeleteRecords(CPtrArray& records)
{
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        delete RecordAt(records, i);
    records.RemoveAll();
}

CUndoRecord* CHyperView::TakeLast(CPtrArray& records)
{
    if (records.GetSize() == 0)
        return nullptr;
    CUndoRecord* record = RecordAt(records, records.GetSize() - 1);
    records.RemoveAt(records.GetSize() - 1);
    return record;
}

void CHyperView::EmptyRegroupMemory()
{
    m_regroupList.RemoveAll();
    delete m_regroupInfo;
    m_regroupInfo = nullptr;
}

BOOL CHyperView::MergeUndo(const CUndoRecord* newRecord, const CUndoRecord* oldRecord) const
{
    if (!newRecord || !oldRecord || newRecord->GetCommandId() != oldRecord->GetCommandId())
        return FALSE;
    if (!newRecord->IsSameAs(*oldRecord))
        return FALSE;
    UINT kind = newRecord->GetCommandId();
    return Contains(kMerging, kind) || (kind == UndoMoveResize && m_selection.GetSize() > 0);
}

void CHyperView::PushUndo(CUndoRecord* record, BOOL keepRedo)
{
    if (record) {
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
        if (Contains(kEmptiesRegroup, record->GetCommandId()))
            EmptyRegroupMemory();
    }
    if (!m_recordUndo) {
        delete record;
        return;
    }
    if (!keepRedo)
        PushRedo(nullptr);
    // A redone step goes back as it was: merging it would lose the state it restores.
    if (!keepRedo && MergeUndo(record, m_undo)) {
        delete record;
        return;
    }
    const CViewSettings& settings = GetViewSettings();
    if (!settings.m_undoStackMode) {
        delete m_undo;
        m_undo = record;
        return;
    }
    if (m_undo)
        m_olderUndo.Add(m_undo);
    while (m_olderUndo.GetSize() > std::max(settings.m_undoLevels, 0)) {
        delete RecordAt(m_olderUndo, 0);
        m_olderUndo.RemoveAt(0);
    }
    m_undo = record;
    if (!record)
        DeleteRecords(m_olderUndo);
}

void CHyperView::PushRedo(CUndoRecord* record)
{
    if (record) {
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
        EmptyRegroupMemory();
    }
    if (!m_recordUndo) {
        delete record;
        return;
    }
    if (!GetViewSettings().m_undoStackMode) {
        delete m_redo;
        m_redo = record;
        return;
    }
    if (m_redo)
        m_olderRedo.Add(m_redo);
    m_redo = record;
    if (!record)
        DeleteRecords(m_olderRedo);
}

BOOL CHyperView::CanUndo() const
{
    return m_editMode && m_recordUndo && m_undo != nullptr;
}

BOOL CHyperView::CanRedo() const
{
    return m_editMode && m_recordUndo && m_redo != nullptr;
}

int CHyperView::GetUndoCount() const
{
    return m_undo ? static_cast<int>(m_olderUndo.GetSize()) + 1 : 0;
}

int CHyperView::GetRedoCount() const
{
    return m_redo ? static_cast<int>(m_olderRedo.GetSize()) + 1 : 0;
}

void CHyperView::Undo()
{
    // The layer's ink goes to the page first, so the step sees it.
    SetInkEnabled(FALSE);
    if (!CanUndo())
        return;
    PushRedo(new CUndoRecord(this, m_undo->GetCommandId()));
    CUndoRecord* step = m_undo;
    m_undo = GetViewSettings().m_undoStackMode ? TakeLast(m_olderUndo) : nullptr;
    ApplyUndoRecord(step);
}

void CHyperView::Redo()
{
    SetInkEnabled(FALSE);
    if (!CanRedo())
        return;
    CUndoRecord* step = m_redo;
    m_redo = nullptr;
    PushUndo(new CUndoRecord(this, step->GetCommandId()), TRUE);
    if (GetViewSettings().m_undoStackMode)
        m_redo = TakeLast(m_olderRedo);
    ApplyUndoRecord(step);
}

void CHyperView::ApplyUndoRecord(CUndoRecord* record)
{
    if (!record)
        return;
    DropPropertyLists();
    CHyperFrame* frame = GetHyperFrame();
    // Without a frame a frame copy has no slot; a scratch slot takes it and lets it go.
    CHyperFrameOb* scratch = nullptr;
    CHyperFrameOb** frameSlot = frame ? &frame->m_frameObject : &scratch;
    const BOOL pageCopy = record->GetPageCopy() != nullptr;
    const BOOL frameCopy = record->GetFrameCopy() != nullptr && frame;
    const SIZE oldSize = *frameSlot ? SIZE{(*frameSlot)->GetWidth(), (*frameSlot)->GetHeight()} : SIZE{0, 0};

    // Every object is replaced by a copy: nothing may keep pointing at the old ones.
    EmptyRegroupMemory();
    record->Restore(&m_pageObject, frameSlot, GetObjects(), m_selection, &m_currentIndex);
    delete record;
    delete scratch;
    CHyperViewOb* page = m_pageObject;
    CHyperFrameOb* restoredFrame = frame ? frame->m_frameObject : nullptr;

    const BOOL sizeChanged = restoredFrame && (restoredFrame->GetWidth() != oldSize.cx || restoredFrame->GetHeight() != oldSize.cy);
    CObArray keptSelection;
    keptSelection.Copy(m_selection);
    const int keptCurrent = m_currentIndex;

    const BOOL oldRecord = m_recordUndo;
    m_recordUndo = FALSE;
    if (pageCopy && page) {
        page->SetView(this);
        page->UpdateLayout(FALSE, 0);
    }
    if (frameCopy && restoredFrame) {
        restoredFrame->UpdateLayout(sizeChanged, 0);
        if (sizeChanged) {
            m_selection.Copy(keptSelection);
            m_currentIndex = keptCurrent;
        }
    }
    m_nameMap.RemoveAll();
    m_restoringObjects = TRUE;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        MapObjectName(object->GetCode(), object);
        object->SetView(this);
        object->UpdateHotSpots();
        object->RecalcRect();
        object->InvalidateArea(nullptr);
    }
    m_restoringObjects = FALSE;
    m_recordUndo = oldRecord;
    if (!IsMapped())
        SetZoom(100);
    RefreshSelection();
}

void CHyperView::OnEditUndo()
{
    Undo();
}

void CHyperView::OnUpdateEditUndo(CCmdUI* cmdUI)
{
    cmdUI->Enable(CanUndo());
}

void CHyperView::OnEditRedo()
{
    Redo();
}

void CHyperView::OnUpdateEditRedo(CCmdUI* cmdUI)
{
    cmdUI->Enable(CanRedo());
}
