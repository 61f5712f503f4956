// Moving with the keys: arrow nudges and resizes within the page, Tab through the objects and
// arrow navigation to the nearest object; proportional scaling of a set of objects and turning
// the selection by an angle.
#include "View/HyperView.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ViewSettings.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kFarAway = 999999;
// Keyboard resizing stops here unless the object's tracker sets a limit of its own.
constexpr SIZE kMinimumSize = {10, 10};

BOOL KeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

struct KeyDirection {
    UINT key;
    int dx;
    int dy;
};

constexpr KeyDirection kDirections[] = {{VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, -1}, {VK_DOWN, 0, 1}};

const KeyDirection* DirectionOf(UINT key)
{
    for (const KeyDirection& direction : kDirections)
        if (direction.key == key)
            return &direction;
    return nullptr;
}

double NormalizeTurn(double angle)
{
    if (angle > 180.0)
        return angle - 360.0;
    if (angle <= -180.0)
        return angle + 360.0;
    return angle;
}

int MapEdge(LONG edge, LONG oldOrigin, LONG newOrigin, double scale)
{
    return newOrigin + static_cast<int>(std::trunc((edge - oldOrigin) * scale + 0.5));
}

// Upright objects map every edge, keeping vertical and horizontal lines straight; a turned
// object keeps its size and moves with its centre.
CRect ScaledRect(CHyperOb* object, const CRect& o, const CRect& n, double sx, double sy)
{
    CRect rect;
    object->GetRect(&rect, nullptr);
    if (!object->IsUpright()) {
        POINT centre;
        object->GetTracker()->GetCenter(&centre);
        rect.OffsetRect(MapEdge(centre.x, o.left, n.left, sx) - centre.x, MapEdge(centre.y, o.top, n.top, sy) - centre.y);
        return rect;
    }
    rect.SetRect(MapEdge(rect.left, o.left, n.left, sx), MapEdge(rect.top, o.top, n.top, sy),
                 MapEdge(rect.right, o.left, n.left, sx), MapEdge(rect.bottom, o.top, n.top, sy));
    if (object->GetHandleLayout() == 8)
        rect.left = rect.right = (rect.left + rect.right + 1) / 2;
    if (object->GetHandleLayout() == 6)
        rect.top = rect.bottom = (rect.top + rect.bottom + 1) / 2;
    return rect;
}

} // namespace

BOOL CHyperView::HandleKeyDown(UINT key, UINT repeat)
{
    if (!m_editMode)
        return FALSE;
    if (key == VK_TAB && GetObjects().GetSize() > 0)
        return SelectNextByTab(KeyDown(VK_SHIFT));
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return FALSE;
    if (GetViewSettings().m_trackingFlag && !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL)) {
        SelectNearestInDirection(current, key);
        return FALSE;
    }
    if (!m_allowMove)
        return FALSE;
    return MoveByKey(key, repeat);
}

// One arrow key on the selection. A multiple selection only moves; one object also resizes by
// its right or bottom edge with Shift. FALSE when the key did nothing or was refused.
BOOL CHyperView::MoveByKey(UINT key, UINT repeat)
{
    CRect old;
    GetSelectionRect(&old, GetCurrentObject(), FALSE);
    CRect frame = old;
    BOOL resizing = FALSE;
    if (!KeyedFrame(key, repeat, &frame, &resizing))
        return FALSE;
    CRect page;
    GetPageRect(&page, TRUE);
    if (GoesFurtherOffPage(page, old, frame))
        return FALSE;
    if (m_selection.GetSize() == 0)
        return PlaceCurrentByKey(frame, resizing);
    if (frame.Size() != old.Size())
        return FALSE;
    MoveSelectionBy(frame.left - old.left, frame.top - old.top);
    return TRUE;
}

// The selection's frame after the key: moved, or with Shift its right or bottom edge moved, by
// units or (Ctrl) grid steps. FALSE for a key or combination that does nothing.
BOOL CHyperView::KeyedFrame(UINT key, UINT repeat, CRect* frame, BOOL* resizing) const
{
    const KeyDirection* direction = DirectionOf(key);
    if (!direction)
        return FALSE;
    BOOL ctrl = KeyDown(VK_CONTROL);
    BOOL shift = KeyDown(VK_SHIFT);
    // Whole cells: never a resize.
    if (IsSnapToCenter()) {
        ctrl = TRUE;
        shift = FALSE;
    }
    const BOOL tracking = GetViewSettings().m_trackingFlag && key != VK_DOWN;
    if (tracking && ctrl && shift)
        return FALSE;
    const int grid = direction->dx != 0 ? CHyperRunView::GetGridStepX() : CHyperRunView::GetGridStepY();
    const int step = tracking ? (ctrl || shift ? (IsSnapToGrid() ? grid : 1) : 1) : (ctrl ? grid : 1);
    const int dx = direction->dx * static_cast<int>(repeat) * step;
    const int dy = direction->dy * static_cast<int>(repeat) * step;
    if (shift) {
        frame->right += dx;
        frame->bottom += dy;
    } else {
        frame->OffsetRect(dx, dy);
    }
    *resizing = shift;
    return TRUE;
}

// An edge may stay beyond the page, or come back, but not go further out.
BOOL CHyperView::GoesFurtherOffPage(const CRect& page, const CRect& old, const CRect& frame)
{
    return (frame.left < page.left && frame.left < old.left) || (frame.right >= page.right && frame.right > old.right) ||
           (frame.top < page.top && frame.top < old.top) || (frame.bottom >= page.bottom && frame.bottom > old.bottom);
}

BOOL CHyperView::PlaceCurrentByKey(CRect frame, BOOL resizing)
{
    CHyperOb* current = GetCurrentObject();
    KeepRectOnPage(&frame, 0, resizing, FALSE);
    CSize minimum = current->GetTracker()->m_sizeMin;
    if (minimum.cx <= 0 && minimum.cy <= 0)
        minimum = kMinimumSize;
    if (resizing && (frame.Width() < minimum.cx || frame.Height() < minimum.cy))
        return FALSE;
    PushUndo(new CUndoRecord(this, UndoNudge), FALSE);
    current->SetRect(frame);
    current->UpdateLayout(TRUE, 0);
    // Connectors route around the object where it stands now.
    UpdateConnectors();
    UpdateGroupRects();
    // The window procedure sees the key too.
    return FALSE;
}

BOOL CHyperView::SelectNextByTab(BOOL backwards)
{
    const int count = static_cast<int>(GetObjects().GetSize());
    int index = m_currentIndex >= 0 ? m_currentIndex : (backwards ? -1 : count);
    int found = -1;
    for (int tries = 0; tries < count && found < 0; ++tries) {
        index = backwards ? (index + 1 >= count ? 0 : index + 1) : (index - 1 < 0 ? count - 1 : index - 1);
        CHyperOb* object = GetObjectAtIndex(index);
        if (!object->IsSelected() && !object->IsLocked())
            found = index;
    }
    if (found == m_currentIndex)
        return TRUE;
    BeginUpdate(TRUE);
    ClearSelection(FALSE);
    m_currentIndex = found;
    if (CHyperOb* object = GetCurrentObject())
        object->Select(TRUE);
    NotifyChanged(FALSE);
    EndUpdate();
    return TRUE;
}

void CHyperView::SelectNearestInDirection(CHyperOb* from, UINT key)
{
    CRect origin;
    from->GetRect(&origin, nullptr);
    int best = -1;
    int bestDistance = kFarAway;
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object == from)
            continue;
        CRect rect;
        object->GetRect(&rect, nullptr);
        int distance = 0;
        if (IsInDirection(origin, rect, key, &distance) && distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best < 0)
        return;
    ClearSelection(FALSE);
    m_currentIndex = best;
    GetCurrentObject()->Select(TRUE);
    NotifyChanged(FALSE);
}

// Up is the model; the other keys turn the rectangles so that their direction becomes up.
BOOL CHyperView::IsInDirection(RECT from, RECT to, UINT key, int* distance)
{
    auto turn = [key](const RECT& r) -> RECT {
        switch (key) {
        case VK_DOWN: return {r.left, -r.bottom, r.right, -r.top};
        case VK_LEFT: return {r.top, r.left, r.bottom, r.right};
        case VK_RIGHT: return {r.top, -r.right, r.bottom, -r.left};
        default: return r;
        }
    };
    if (key != VK_UP && !DirectionOf(key))
        return FALSE;
    const RECT f = turn(from);
    const RECT t = turn(to);
    *distance = f.bottom - t.bottom;
    if (*distance > 0 && ((t.left >= f.left && t.left <= f.right) || (t.right >= f.left && t.right <= f.right)))
        return TRUE;
    const LONG gap = f.top - t.bottom;
    if (t.left < f.left)
        return gap / (f.left - t.left) >= 1;
    if (t.right > f.right)
        return gap / (t.right - f.right) >= 1;
    return FALSE;
}

void CHyperView::ScaleObjects(const CObArray& objects, const RECT& oldFrame, const RECT& newFrame, BOOL detachGroups)
{
    if (EqualRect(&oldFrame, &newFrame))
        return;
    const CRect o(oldFrame);
    const CRect n(newFrame);
    // An axis without extent keeps its scale.
    const double sx = o.Width() != 0 ? static_cast<double>(n.Width()) / o.Width() : 1.0;
    const double sy = o.Height() != 0 ? static_cast<double>(n.Height()) / o.Height() : 1.0;
    CHyperOb* lastHolder = nullptr;
    CPtrArray released;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(objects[i]);
        const CRect rect = ScaledRect(object, o, n, sx, sy);
        if (detachGroups && object->GetOwnGroupInfo()) {
            released.Add(object);
            released.Add(object->ReleaseOwnGroupInfo());
            lastHolder = object;
        }
        object->SetRect(rect);
    }
    for (INT_PTR i = 0; i < released.GetSize(); i += 2)
        static_cast<CHyperOb*>(released[i])->SetOwnGroupInfo(static_cast<CGroupInfo*>(released[i + 1]));
    if (!detachGroups)
        return;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        if (objects[i] != lastHolder)
            static_cast<CHyperOb*>(objects[i])->UpdateLayout(TRUE, 0);
    if (lastHolder)
        lastHolder->UpdateLayout(TRUE, 0);
}

void CHyperView::RotateSelectionTo(double angle, double delta)
{
    CHyperOb* current = GetCurrentObject();
    if (!current)
        return;
    PushUndo(new CUndoRecord(this, UndoRotate), FALSE);
    CGroupInfo* record = FindGroupRecord(GetCommonGroupId(m_selection));
    if (m_selection.GetSize() > 0 && record)
        RotateGroup(record, angle, delta);
    else
        RotateEach(angle, delta);
    UpdateConnectors();
    UpdateGroupRects();
}

// Each selected object turns about its own centre.
void CHyperView::RotateEach(double angle, double delta)
{
    CObArray turned;
    GetSelectedObjects(turned);
    for (INT_PTR i = 0; i < turned.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(turned[i]);
        object->SetRotateAngle(delta != 0.0 ? NormalizeTurn(object->GetRotateAngle() + delta) : angle);
    }
    GetCurrentObject()->UpdateLayout(TRUE, 0);
}

// A selected group turns as a whole: every member's centre about the group's centre.
void CHyperView::RotateGroup(CGroupInfo* record, double angle, double delta)
{
    CHyperOb* holder = nullptr;
    for (INT_PTR i = 0; i < m_selection.GetSize() && !holder; ++i)
        if (static_cast<CHyperOb*>(m_selection[i])->GetOwnGroupInfo() == record)
            holder = static_cast<CHyperOb*>(m_selection[i]);
    if (!holder)
        return;
    const double turn = delta != 0.0 ? delta : NormalizeTurn(angle - holder->GetRotateAngle());
    const CPoint centre = record->m_rect.CenterPoint();
    holder->ReleaseOwnGroupInfo();
    CRect bounds;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* member = static_cast<CHyperOb*>(m_selection[i]);
        CRect rect;
        member->GetRect(&rect, nullptr);
        const POINT from = {rect.CenterPoint().x - centre.x, rect.CenterPoint().y - centre.y};
        POINT to;
        RotatePoints(&from, &to, 1, turn, centre.x, centre.y);
        rect.OffsetRect(to.x - rect.CenterPoint().x, to.y - rect.CenterPoint().y);
        member->SetRect(rect);
        member->SetRotateAngle(NormalizeTurn(member->GetRotateAngle() + turn));
        bounds.UnionRect(bounds, rect);
    }
    UpdateConnectors();
    record->m_rect = bounds;
    holder->SetOwnGroupInfo(record);
    holder->UpdateLayout(TRUE, 0);
}

LRESULT CHyperView::OnRotateMessage(WPARAM wParam, LPARAM lParam)
{
    const auto bits = static_cast<std::uint32_t>(lParam);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    if (!std::isfinite(value))
        return 0;
    if (wParam == 0)
        RotateSelectionTo(value, 0.0);
    else
        RotateSelectionTo(0.0, value);
    return 0;
}
