// The selection of the editing view: the change bracket, clearing and refreshing, picking and
// tracking an object under the mouse, the rubber bands, and keeping rectangles on the page.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "View/ViewPropertyDialog.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/UndoRecord.h"
#include "objects/ViewSettings.h"

#include <memory>

namespace {

constexpr WORD kNeverIndex = 0xFFFE;
constexpr int kInside = 8;

BOOL KeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

DWORD Snapshot(int currentIndex, INT_PTR count)
{
    return static_cast<DWORD>(static_cast<WORD>(currentIndex)) << 16 | static_cast<WORD>(count);
}

} // namespace

CHyperOb* CHyperView::GetCurrentObject() const
{
    return GetObjectAtIndex(m_currentIndex);
}

int CHyperView::FindObjectIndex(const CObject* object) const
{
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        if (GetObjects().GetAt(i) == object)
            return static_cast<int>(i);
    return -1;
}

void CHyperView::BeginUpdate(BOOL force)
{
    m_inUpdate = TRUE;
    m_changeCount = 0;
    m_selectionSnapshot = Snapshot(m_currentIndex, m_selection.GetSize());
    if (force)
        m_selectionSnapshot = static_cast<DWORD>(kNeverIndex) << 16 | LOWORD(m_selectionSnapshot);
}

BOOL CHyperView::NotifyChanged(BOOL selectionChanged)
{
    if (m_propertyDialog)
        m_propertyDialog->SetDrillMulti(FALSE);
    if (selectionChanged)
        m_selectionSnapshot = static_cast<DWORD>(kNeverIndex) << 16 | LOWORD(m_selectionSnapshot);
    SyncGroupSelection();
    if (m_inUpdate)
        ++m_changeCount;
    else
        OnSelectionChanged();
    return m_inUpdate;
}

BOOL CHyperView::EndUpdate()
{
    if (m_propertyDialog && m_changeCount > 0)
        m_propertyDialog->SetDrillMulti(FALSE);
    m_inUpdate = FALSE;
    const int snapshotIndex = static_cast<short>(HIWORD(m_selectionSnapshot));
    const BOOL changed = m_changeCount >= 1 && (m_currentIndex != snapshotIndex ||
                                                static_cast<WORD>(m_selection.GetSize()) != LOWORD(m_selectionSnapshot));
    m_changeCount = 0;
    if (changed)
        OnSelectionChanged();
    return changed;
}

void CHyperView::ClearSelection(BOOL keepCurrent)
{
    if (m_selection.GetSize() > 0) {
        for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
            static_cast<CHyperOb*>(m_selection.GetAt(i))->Deselect(TRUE);
        m_selection.RemoveAll();
        if (keepCurrent) {
            if (CHyperOb* current = GetCurrentObject())
                current->Select(TRUE);
            return;
        }
    }
    if (CHyperOb* current = GetCurrentObject()) {
        current->Deselect(TRUE);
        m_currentIndex = -1;
        NotifyChanged(FALSE);
    }
    m_currentIndex = -1;
}

void CHyperView::RefreshSelection()
{
    for (INT_PTR i = GetObjects().GetSize() - 1; i >= 0; --i)
        GetObjectAtIndex(i)->RememberRects();
    CHyperOb* current = GetCurrentObject();
    if (!current) {
        NotifyChanged(FALSE);
        ClearSelection(FALSE);
        return;
    }
    current->Select(TRUE);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (m_selection.GetAt(i) != current)
            static_cast<CHyperOb*>(m_selection.GetAt(i))->Select(FALSE);
    current->UpdateLayout(FALSE, 0);
    NotifyChanged(TRUE);
}

void CHyperView::SelectOnly(int index)
{
    BeginUpdate(FALSE);
    ClearSelection(FALSE);
    if (CHyperOb* object = GetObjectAtIndex(index)) {
        m_currentIndex = index;
        object->Select(TRUE);
    }
    NotifyChanged(FALSE);
    EndUpdate();
}

BOOL CHyperView::TrackSelection(int* hitIndex, int x, int y)
{
    *hitIndex = -1;
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return FALSE;
    const int hit = current->HitTest(CPoint(x, y));
    const BOOL shiftClick = KeyDown(VK_SHIFT) && (hit < 0 || hit == kInside);
    if (m_selection.GetSize() > 0 || shiftClick) {
        if (TrackMultiSelection(x, y))
            return TRUE;
        ClearSelection(FALSE);
        return FALSE;
    }
    if (hit < 0) {
        ClearSelection(FALSE);
        return FALSE;
    }
    if (hit == kInside ? !m_allowMove : !(m_allowResize && current->CanResize()))
        return TRUE;
    *hitIndex = m_currentIndex;
    TrackObject(current, x, y);
    return TRUE;
}

BOOL CHyperView::SelectAndTrack(int, int x, int y)
{
    int found = -1;
    int hit = -1;
    for (int i = 0; i < GetObjects().GetSize() && found < 0; ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->IsLocked() || IsInLockedGroup(object))
            continue;
        hit = object->HitTest(CPoint(x, y));
        if (hit >= 0)
            found = i;
    }
    if (found < 0)
        return FALSE;
    m_currentIndex = found;
    CHyperOb* object = GetCurrentObject();
    object->Select(TRUE);
    NotifyChanged(FALSE);
    if (hit == kInside ? !m_allowMove : !m_allowResize)
        return TRUE;
    PumpMessages(WM_PAINT, WM_PAINT);
    TrackObject(object, x, y);
    return TRUE;
}

BOOL CHyperView::IsInLockedGroup(const CHyperOb* object) const
{
    if (object->GroupID < 0)
        return FALSE;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* member = GetObjectAtIndex(i);
        if (member->GroupID == object->GroupID && member->GetOwnGroupInfo())
            return member->GetOwnGroupInfo()->IsLocked();
    }
    return FALSE;
}

// Moves or resizes one object with its tracker; Ctrl drags a copy. One undo step when the
// rectangle changed, none when the drag was cancelled or went nowhere.
void CHyperView::TrackObject(CHyperOb* object, int x, int y)
{
    auto step = std::make_unique<CUndoRecord>(this, UndoMoveResize);
    CHyperObTracker* tracker = object->GetTracker();
    const CRect oldRect = tracker->m_rect;
    CPoint device(x, y);
    LogicalToDevice(&device, nullptr);
    if (!tracker->Track(this, device, FALSE, nullptr))
        return;
    CRect newRect = tracker->m_rect;
    newRect.NormalizeRect();
    tracker->m_rect = oldRect;
    if (newRect == oldRect)
        return;
    if (tracker->m_trackedHandle == kInside)
        newRect = CRect(newRect.TopLeft(), oldRect.Size());
    if (KeyDown(VK_CONTROL)) {
        if (newRect.TopLeft() == oldRect.TopLeft())
            return;
        CHyperOb* copy = object->Clone();
        copy->SetView(this);
        copy->SetRect(newRect);
        if (AddObject(copy, TRUE, FALSE))
            NotifyChanged(TRUE);
        return;
    }
    PushUndo(step.release(), FALSE);
    object->SetRect(newRect);
    object->UpdateLayout(TRUE, 0);
    // The selection stays, but its place changed: the Properties pane shows the new rectangle.
    NotifyChanged(TRUE);
}

// A press on a multiple selection: Shift adds or takes away the object under the mouse, Ctrl
// makes a member primary; a drag on a member moves the selection, or copies it with Ctrl, and a
// drag on a handle of a selected group scales the group.
BOOL CHyperView::TrackMultiSelection(int x, int y)
{
    const int hitIndex = SelectionIndexAt(x, y);
    if (KeyDown(VK_SHIFT))
        return ToggleSelection(x, y, hitIndex);
    if (KeyDown(VK_CONTROL))
        SetPrimarySelection(x, y, hitIndex);
    if (!m_allowMove)
        return FALSE;
    CRect frame;
    GetSelectionRect(&frame, nullptr, FALSE);
    CHyperOb outline;
    outline.Init(this, &frame, FALSE);
    // The frame of a selected group shows handles that scale the group.
    outline.GetTracker()->m_nStyle = CHyperOb::SelectedStyle;
    CGroupInfo* group = FindGroupRecord(GetCommonGroupId(m_selection));
    const int frameHit = outline.GetTracker()->HitTestHandles(CPoint(x, y));
    const BOOL groupResize = hitIndex >= m_selection.GetSize() && !KeyDown(VK_CONTROL) && group &&
                             m_allowResize && group->CanResize() && frameHit >= 0 && frameHit != kInside;
    if (hitIndex >= m_selection.GetSize() && !groupResize)
        return FALSE;
    PumpMessages(WM_PAINT, WM_PAINT);
    CPoint device(x, y);
    LogicalToDevice(&device, nullptr);
    if (!outline.GetTracker()->Track(this, device, FALSE, nullptr))
        return TRUE;
    CRect moved = outline.GetTracker()->m_rect;
    moved.NormalizeRect();
    if (groupResize) {
        PushUndo(new CUndoRecord(this, UndoMoveResize), FALSE);
        group->m_rect = moved;
        ScaleObjects(m_selection, frame, moved, TRUE);
        UpdateGroupRects();
    } else if (KeyDown(VK_CONTROL)) {
        DuplicateSelectionBy(moved.left - frame.left, moved.top - frame.top);
    } else {
        MoveSelectionBy(moved.left - frame.left, moved.top - frame.top);
    }
    NotifyChanged(TRUE);
    return TRUE;
}

void CHyperView::MoveSelectionBy(int dx, int dy)
{
    if ((dx == 0 && dy == 0) || !m_allowMove)
        return;
    PushUndo(new CUndoRecord(this, UndoMoveResize), FALSE);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(m_selection.GetAt(i));
        CRect rect;
        object->GetRect(&rect, nullptr);
        rect.OffsetRect(dx, dy);
        object->SetRect(rect);
    }
    ClampObjectsToPage(m_selection, FALSE);
    UpdateConnectors();
    UpdateGroupRects();
}

void CHyperView::TrackRubberBand(int x, int y)
{
    CRect band;
    if (!TrackBand(x, y, &band))
        return;
    BOOL joined = FALSE;
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CRect rect;
        object->GetRect(&rect, nullptr);
        if (object->IsLocked() || IsInLockedGroup(object) || !band.PtInRect(rect.TopLeft()) ||
            !band.PtInRect(rect.BottomRight()))
            continue;
        const BOOL first = m_currentIndex < 0;
        if (first)
            m_currentIndex = i;
        m_selection.Add(object);
        object->Select(first);
        joined = TRUE;
    }
    if (joined)
        NotifyChanged(FALSE);
    if (m_selection.GetSize() == 1)
        ClearSelection(TRUE);
}

void CHyperView::TrackRubberBandAdd(int x, int y)
{
    CRect band;
    if (!TrackBand(x, y, &band))
        return;
    if (m_selection.GetSize() == 0 && GetCurrentObject())
        m_selection.Add(GetCurrentObject());
    BOOL changed = FALSE;
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->IsLocked() || !HasCornerIn(object, band))
            continue;
        changed = TRUE;
        if (!object->IsSelected()) {
            m_selection.Add(object);
            object->Select(FALSE);
            continue;
        }
        object->Deselect(TRUE);
        RemoveFromSelection(object);
        if (i == m_currentIndex)
            m_currentIndex = -1;
    }
    if (m_selection.GetSize() > 0 && (changed || m_currentIndex < 0)) {
        if (m_currentIndex < 0)
            m_currentIndex = FindObjectIndex(m_selection.GetAt(0));
        for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
            static_cast<CHyperOb*>(m_selection.GetAt(i))->Select(m_selection.GetAt(i) == GetCurrentObject());
        NotifyChanged(FALSE);
    }
    if (m_selection.GetSize() == 1)
        ClearSelection(TRUE);
}

BOOL CHyperView::HasCornerIn(const CHyperOb* object, const CRect& band)
{
    CRect rect;
    object->GetRect(&rect, nullptr);
    const POINT corners[] = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    for (const POINT& corner : corners)
        if (band.PtInRect(corner))
            return TRUE;
    return FALSE;
}

void CHyperView::RemoveFromSelection(const CObject* object)
{
    for (INT_PTR i = m_selection.GetSize() - 1; i >= 0; --i)
        if (m_selection.GetAt(i) == object)
            m_selection.RemoveAt(i);
}

// A band from a page point; FALSE when it was cancelled. The band comes back in page units.
BOOL CHyperView::TrackBand(int x, int y, CRect* band)
{
    CHyperTracker tracker;
    CPoint device(x, y);
    LogicalToDevice(&device, nullptr);
    if (!tracker.TrackRubberBand(this, device, TRUE))
        return FALSE;
    *band = tracker.m_rect;
    band->NormalizeRect();
    DeviceToLogicalRect(band, nullptr);
    return TRUE;
}

BOOL CHyperView::KeepRectOnPage(RECT* rect, int, BOOL resizing, BOOL noSnap)
{
    CRect page;
    GetPageRect(&page, TRUE);
    const RECT before = *rect;
    const BOOL snap = IsSnapToGrid() && !noSnap;
    KeepSpanOnPage(rect->left, rect->right, page.left, page.right, GetPasteGridX(), resizing, snap);
    KeepSpanOnPage(rect->top, rect->bottom, page.top, page.bottom, GetPasteGridY(), resizing, snap);
    return !EqualRect(&before, rect);
}

// One axis of KeepRectOnPage: low and high are the rectangle's edges, first and last the page's.
void CHyperView::KeepSpanOnPage(LONG& low, LONG& high, LONG first, LONG last, int step, BOOL resizing, BOOL snap)
{
    if (high - low >= last - first - step)
        return;
    auto snapUp = [&](LONG& edge) {
        if (snap && step > 0 && edge % step != 0)
            edge += step;
    };
    if (low < first) {
        if (resizing) {
            low = first;
            snapUp(low);
        } else {
            high += first - low;
            low = first;
        }
    } else if (high < first) {
        high = first;
        snapUp(high);
    } else if (high > last) {
        if (resizing) {
            high = last;
        } else {
            low -= high - last;
            high = last;
        }
    } else if (low > last) {
        low = last;
    }
}
