// Shift- and Ctrl-clicks that change a multiple selection, dragging copies of the selection,
// and turning the current object or group with the mouse while free rotation is on.
#include "View/HyperView.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"

namespace {

constexpr int kInside = 8;

CHyperOb* At(const CObArray& objects, INT_PTR index)
{
    return static_cast<CHyperOb*>(objects[index]);
}

} // namespace

int CHyperView::SelectionIndexAt(int x, int y) const
{
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (At(m_selection, i)->HitTest(CPoint(x, y)) == kInside)
            return static_cast<int>(i);
    return static_cast<int>(m_selection.GetSize());
}

BOOL CHyperView::ToggleSelection(int x, int y, int hitIndex)
{
    CHyperOb* current = GetCurrentObject();
    if (m_selection.GetSize() == 0 && current && current->HitTest(CPoint(x, y)) == kInside) {
        ClearSelection(FALSE);
        return TRUE;
    }
    if (hitIndex < m_selection.GetSize()) {
        CHyperOb* member = At(m_selection, hitIndex);
        member->Deselect(TRUE);
        m_selection.RemoveAt(hitIndex);
        if (member == current) {
            m_currentIndex = FindObjectIndex(m_selection[0]);
            GetCurrentObject()->Select(TRUE);
        }
        if (m_selection.GetSize() == 1)
            ClearSelection(TRUE);
        NotifyChanged(FALSE);
        return TRUE;
    }
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->IsLocked() || object->IsSelected() || object->HitTest(CPoint(x, y)) != kInside)
            continue;
        if (m_selection.GetSize() == 0 && current)
            m_selection.Add(current);
        if (m_currentIndex < 0)
            m_currentIndex = i;
        m_selection.Add(object);
        object->Select(object == GetCurrentObject());
        if (m_selection.GetSize() == 1)
            m_selection.RemoveAll();
        NotifyChanged(FALSE);
        return TRUE;
    }
    return FALSE;
}

// The member becomes current and primary and trades places with the first entry.
BOOL CHyperView::SetPrimarySelection(int, int, int hitIndex)
{
    if (m_selection.GetSize() == 0 || hitIndex < 0 || hitIndex >= m_selection.GetSize())
        return FALSE;
    CHyperOb* member = At(m_selection, hitIndex);
    CHyperOb* current = GetCurrentObject();
    if (member == current)
        return TRUE;
    auto swap = [this](INT_PTR a, INT_PTR b) {
        CObject* kept = m_selection[a];
        m_selection.SetAt(a, m_selection[b]);
        m_selection.SetAt(b, kept);
    };
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (m_selection[i] == current)
            swap(i, hitIndex);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (m_selection[i] == member)
            swap(i, 0);
    m_currentIndex = FindObjectIndex(member);
    if (current)
        current->Select(FALSE);
    member->Select(TRUE);
    NotifyChanged(FALSE);
    return TRUE;
}

// Copies of the selection, offset by the drag; the system clipboard stays as it was.
void CHyperView::DuplicateSelectionBy(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    CObArray bottomUp;
    OrderByStacking(GetObjects(), m_selection, bottomUp);
    CObArray copies;
    for (INT_PTR i = 0; i < bottomUp.GetSize(); ++i) {
        CHyperOb* copy = At(bottomUp, i)->Clone();
        copy->ResetConnections();
        copy->SetView(this);
        copies.Add(copy);
    }
    const POINT kept = m_pasteOffset;
    m_pasteOffset = {dx, dy};
    ClearSelection(FALSE);
    InsertObjects(copies, nullptr);
    m_pasteOffset = kept;
}

BOOL CHyperView::TrackFreeRotate(CPoint page)
{
    if (!m_freeRotate)
        return FALSE;
    CHyperOb* current = GetCurrentObject();
    CGroupInfo* group = FindGroupRecord(GetCommonGroupId(m_selection));
    const BOOL wholeGroup = m_selection.GetSize() > 0 && group;
    CHyperOb frame;
    if (wholeGroup)
        frame.Init(this, &group->m_rect, FALSE);
    CHyperOb* turned = wholeGroup ? &frame : (m_selection.GetSize() == 0 ? current : nullptr);
    const int hit = turned ? turned->HitTest(page) : -1;
    if (hit < 0 || hit == kInside) {
        m_freeRotate = FALSE;
        Invalidate();
        return TRUE;
    }
    CHyperObTracker* tracker = turned->GetTracker();
    const double before = tracker->RotateAngle;
    CPoint device = page;
    LogicalToDevice(&device, nullptr);
    if (!tracker->TrackRotate(this, device, nullptr))
        return TRUE;
    const double after = tracker->RotateAngle;
    // The step records the object as it was before the turn.
    tracker->RotateAngle = before;
    if (wholeGroup)
        RotateSelectionTo(0.0, after - before);
    else
        RotateSelectionTo(after, 0.0);
    return TRUE;
}
