// Arranging the selection: aligning to the current object, equal sizes, centring on the page,
// spacing evenly, the stacking order and Select All. Each command records one undo step
// before it changes anything and moves a group as one block.
#include "View/HyperView.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int kModeSameSize = 6;
constexpr int kModeSameHeight = 7;
constexpr int kModeSameWidth = 8;

CRect RectOf(const CObject* object)
{
    CRect rect;
    static_cast<const CHyperOb*>(object)->GetRect(&rect, nullptr);
    return rect;
}

void OffsetObject(CHyperOb* object, POINT offset)
{
    CRect rect = RectOf(object);
    rect.OffsetRect(offset.x, offset.y);
    object->SetRect(rect);
}

} // namespace

BOOL CHyperView::ComputeAlignment(int mode, const RECT& reference, const RECT& rect, RECT* outRect, POINT* outOffset,
                                  const POINT* givenOffset) const
{
    const CRect r(reference);
    CRect moved(rect);
    POINT offset = {0, 0};
    switch (mode) {
    case 0: offset.y = r.bottom - moved.bottom; break;
    case 1: offset.x = r.left - moved.left; break;
    case 2: offset.x = r.right - moved.right; break;
    case 3: offset.y = r.top - moved.top; break;
    case 4: offset.y = r.top + r.Height() / 2 - moved.Height() / 2 - moved.top; break;
    case 5: offset.x = r.left + r.Width() / 2 - moved.Width() / 2 - moved.left; break;
    case kModeSameSize:
    case kModeSameHeight:
    case kModeSameWidth:
        if (mode != kModeSameHeight)
            moved.right = moved.left + r.Width();
        if (mode != kModeSameWidth)
            moved.bottom = moved.top + r.Height();
        *outRect = moved;
        return TRUE;
    default:
        if (givenOffset)
            offset = *givenOffset;
        break;
    }
    moved.OffsetRect(offset.x, offset.y);
    *outRect = moved;
    *outOffset = offset;
    return FALSE;
}

void CHyperView::AlignSelection(int mode, const POINT* offset)
{
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return;
    PushUndo(new CUndoRecord(this, UndoAligning), FALSE);
    CRect reference = RectOf(current);
    if (CGroupInfo* group = FindGroupRecord(current->GroupID))
        reference = group->m_rect;
    CObArray selected;
    GetSelectedObjects(selected);
    std::map<int, CObArray> groups;
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(selected[i]);
        if (FindGroupRecord(object->GroupID)) {
            groups[object->GroupID].Add(object);
            continue;
        }
        if (object == current && !offset)
            continue;
        CRect rect;
        POINT move;
        ComputeAlignment(mode, reference, RectOf(object), &rect, &move, offset);
        object->SetRect(rect);
    }
    for (const auto& [groupId, list] : groups)
        if (groupId != current->GroupID || offset)
            AlignGroup(mode, reference, list, FindGroupRecord(groupId)->m_rect, offset);
    UpdateConnectors();
    current->UpdateLayout(TRUE, 0);
    UpdateGroupRects();
}

// A group moves as one block, or scales from its rectangle onto the new one.
void CHyperView::AlignGroup(int mode, const RECT& reference, const CObArray& members, const CRect& groupRect,
                            const POINT* offset)
{
    CRect rect;
    POINT move;
    if (ComputeAlignment(mode, reference, groupRect, &rect, &move, offset)) {
        ScaleObjects(members, groupRect, rect, FALSE);
        return;
    }
    for (INT_PTR i = 0; i < members.GetSize(); ++i)
        OffsetObject(static_cast<CHyperOb*>(members[i]), move);
}

void CHyperView::CenterSelectionInPage(int mode)
{
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return;
    CRect bounds;
    GetSelectionRect(&bounds, current, FALSE);
    CRect page;
    if (IsMapped() && GetPageObject())
        page.SetRect(0, 0, GetPageObject()->GetScrollWidth(), GetPageObject()->GetScrollHeight());
    else if (m_hWnd)
        GetClientRect(&page);
    POINT offset = {0, 0};
    if (mode == 4)
        offset.x = (page.Width() - bounds.Width()) / 2 - bounds.left;
    else
        offset.y = (page.Height() - bounds.Height()) / 2 - bounds.top;
    AlignSelection(-1, &offset);
}

void CHyperView::SpaceEvenly(BOOL across)
{
    CObArray selected;
    GetSelectedObjects(selected);
    if (selected.GetSize() < 3)
        return;
    for (INT_PTR i = 0; i < selected.GetSize(); ++i)
        if (static_cast<CHyperOb*>(selected[i])->GroupID >= 0)
            return;
    const LONG RECT::*low = across ? &RECT::left : &RECT::top;
    const LONG RECT::*high = across ? &RECT::right : &RECT::bottom;
    // Equal edges keep the selection order.
    std::vector<CHyperOb*> sorted;
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(selected[i]);
        auto at = std::find_if(sorted.begin(), sorted.end(),
                               [&](CHyperOb* other) { return RectOf(other).*low > RectOf(object).*low; });
        sorted.insert(at, object);
    }
    CRect all = RectOf(sorted.front());
    LONG sum = 0;
    for (CHyperOb* object : sorted) {
        all.UnionRect(all, RectOf(object));
        sum += RectOf(object).*high - RectOf(object).*low;
    }
    PushUndo(new CUndoRecord(this, UndoSpacing), FALSE);
    const LONG gap = (all.*high - all.*low - sum) / static_cast<LONG>(sorted.size() - 1);
    for (size_t i = 1; i < sorted.size(); ++i) {
        CRect rect = RectOf(sorted[i]);
        const LONG shift = RectOf(sorted[i - 1]).*high + gap - rect.*low;
        rect.OffsetRect(across ? shift : 0, across ? 0 : shift);
        sorted[i]->SetRect(rect);
    }
    if (CHyperOb* current = GetCurrentObject())
        current->UpdateLayout(TRUE, 0);
    UpdateConnectors();
    UpdateGroupRects();
}

// The selection for a change of the stacking order, after its undo step; NULL without a
// current object.
CHyperOb* CHyperView::BeginStackingStep(CObArray& selected)
{
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return nullptr;
    PushUndo(new CUndoRecord(this, UndoZOrder), FALSE);
    GetSelectedObjects(selected);
    return current;
}

void CHyperView::MoveToFrontOrBack(UINT commandId)
{
    CObArray selected;
    CHyperOb* current = BeginStackingStep(selected);
    if (!current)
        return;
    CObArray bottomUp;
    OrderByStacking(GetObjects(), selected, bottomUp);
    for (INT_PTR i = 0; i < bottomUp.GetSize(); ++i) {
        static_cast<CHyperOb*>(bottomUp[i])->InvalidateArea(nullptr);
        GetObjects().RemoveAt(FindObjectIndex(bottomUp[i]));
    }
    int k = 0;
    while (k < GetObjects().GetSize() && GetObjectAtIndex(k)->m_stayInFront)
        ++k;
    for (INT_PTR i = bottomUp.GetSize() - 1; i >= 0; --i) {
        auto* object = static_cast<CHyperOb*>(bottomUp[i]);
        if (commandId == CmdToFront && object->m_stayInFront)
            GetObjects().InsertAt(0, object);
        else if (commandId == CmdToFront || object->m_stayInFront)
            GetObjects().InsertAt(k, object);
        else
            GetObjects().Add(object);
        if (commandId == CmdToFront || object->m_stayInFront)
            ++k;
        object->InvalidateArea(nullptr);
    }
    m_currentIndex = FindObjectIndex(current);
    NotifyChanged(FALSE);
}

void CHyperView::MoveOneStep(UINT commandId)
{
    CObArray selected;
    CHyperOb* current = BeginStackingStep(selected);
    if (!current)
        return;
    const BOOL forward = commandId == CmdForward;
    std::vector<int> indexes;
    for (INT_PTR i = 0; i < selected.GetSize(); ++i)
        indexes.push_back(FindObjectIndex(selected[i]));
    std::sort(indexes.begin(), indexes.end());
    if (!forward)
        std::reverse(indexes.begin(), indexes.end());
    const int last = static_cast<int>(GetObjects().GetSize()) - 1;
    int previous = forward ? -1 : last + 1;
    for (int i : indexes) {
        const int d = i - previous;
        previous = i;
        const int target = forward ? i - 1 : i + 1;
        if (d == (forward ? 1 : -1) || target < 0 || target > last)
            continue;
        CHyperOb* object = GetObjectAtIndex(i);
        const BOOL neighbourFlagged = GetObjectAtIndex(target)->m_stayInFront;
        if (forward ? !(object->m_stayInFront || !neighbourFlagged) : !(!object->m_stayInFront || neighbourFlagged))
            continue;
        GetObjects().RemoveAt(i);
        GetObjects().InsertAt(target, object);
        previous = target;
        object->InvalidateArea(nullptr);
    }
    m_currentIndex = FindObjectIndex(current);
    NotifyChanged(FALSE);
}

void CHyperView::SelectAll()
{
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->IsLocked() || object->IsSelected())
            continue;
        if (m_currentIndex < 0)
            m_currentIndex = i;
        else if (m_selection.GetSize() == 0)
            m_selection.Add(GetCurrentObject());
        object->Select(m_selection.GetSize() == 0);
        m_selection.Add(object);
    }
    if (m_selection.GetSize() == 1)
        m_selection.RemoveAll();
    NotifyChanged(FALSE);
}

void CHyperView::GetSelectedObjects(CObArray& out) const
{
    if (m_selection.GetSize() > 0)
        out.Copy(m_selection);
    else if (CHyperOb* current = GetCurrentObject())
        out.Add(current);
}
