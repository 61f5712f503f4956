// Point lists in the editing view: the Edit Points mode, in which presses move, insert and
// delete the points of the current object, and lines joined into one polyline when a point
// list ends or the selection is grouped.
#include "View/HyperView.h"

#include "objects/HyperOb.h"
#include "objects/kinds/PolyLineOb.h"
#include "platform/ui/WinApp.h"

#include <memory>

namespace {

constexpr UINT kFreehandTool = 60479;

} // namespace

void CHyperView::SetEditPointsMode(BOOL on)
{
    // Points of a turned figure are edited as they show.
    if (auto* polyline = on ? dynamic_cast<CPolyLineOb*>(GetCurrentObject()) : nullptr) {
        CRect rect;
        polyline->BakeRotation(polyline->GetRect(&rect, nullptr));
    }
    m_editPoints = on;
    CObArray selected;
    GetSelectedObjects(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i)
        static_cast<CHyperOb*>(selected[i])->InvalidateArea(nullptr);
}

BOOL CHyperView::PressInEditPointsMode(CPoint device)
{
    CHyperOb* current = GetCurrentObject();
    if (!m_editPoints || !current || m_selection.GetSize() > 0)
        return FALSE;
    if (!current->TrackEditPoints(device))
        SetEditPointsMode(FALSE);
    return TRUE;
}

BOOL CHyperView::SetEditPointsCursorAt(CPoint page)
{
    CHyperOb* current = GetCurrentObject();
    return m_editPoints && current && m_selection.GetSize() == 0 && current->SetEditPointsCursor(page);
}

CHyperOb* CHyperView::CreateFreehandObject(const CObArray& lines)
{
    if (lines.GetSize() > 0 && !ChainLinePoints(lines, nullptr))
        return nullptr;
    return CreateObjectForTool(kFreehandTool);
}

// The selected lines give way to one polyline through their ends, as one undo step of the
// given kind (none: the caller's step covers it).
BOOL CHyperView::JoinSelectedLines(UINT undoId)
{
    CObArray lines;
    lines.Copy(m_selection);
    std::unique_ptr<CHyperOb> object(CreateFreehandObject(lines));
    auto* polyline = dynamic_cast<CPolyLineOb*>(object.get());
    if (!polyline)
        return FALSE;
    polyline->Init(this, nullptr, TRUE);
    if (!polyline->BuildFromLines(lines))
        return FALSE;
    CUndoRecord* record = undoId ? new CUndoRecord(this, undoId) : nullptr;
    BeginUpdate(FALSE);
    const BOOL recording = m_recordUndo;
    m_recordUndo = FALSE;
    OnEditDelete();
    AddObject(object.release(), TRUE, FALSE);
    m_recordUndo = recording;
    if (record)
        PushUndo(record, FALSE);
    EndUpdate();
    return TRUE;
}

// The first segment's insertion step is the undo step of the whole list.
void CHyperView::FinishPointList()
{
    if (m_selection.GetSize() > 0)
        JoinSelectedLines(0);
}

void CHyperView::GroupSelection()
{
    if (m_selection.GetSize() < 2)
        return;
    if (GetKeyState(VK_CONTROL) < 0 || !JoinSelectedLines(UndoGroup))
        GroupWithoutJoining();
}
