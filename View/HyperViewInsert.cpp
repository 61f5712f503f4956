// The insertion road of the editing view: from a press with an insert tool to a new object in
// the page, named, on the current layer and with an undo step; and deleting one object.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/SnapPointSet.h"
#include "objects/GridGeometry.h"
#include "objects/GroupInfo.h"
#include "objects/UndoRecord.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A point-list segment must exceed the tracker's minimum size by more than this.
constexpr int kSegmentSlack = 4;
// Releasing this near the first point closes a point list (page units at 100 %).
constexpr int kCloseTolerance = 4;

} // namespace

CRuntimeClass* CHyperView::GetToolClass(UINT toolId) const
{
    void* runtimeClass = nullptr;
    if (toolId > 0xFFFF || !m_toolRegistry.Lookup(static_cast<WORD>(toolId), runtimeClass))
        return nullptr;
    return static_cast<CRuntimeClass*>(runtimeClass);
}

int CHyperView::GetToolIdForClass(const CRuntimeClass* runtimeClass) const
{
    POSITION pos = m_toolRegistry.GetStartPosition();
    while (pos) {
        WORD toolId = 0;
        void* registered = nullptr;
        m_toolRegistry.GetNextAssoc(pos, toolId, registered);
        if (registered == runtimeClass)
            return toolId;
    }
    return -1;
}

CHyperOb* CHyperView::CreateObjectForTool(UINT toolId)
{
    if (toolId >= FirstObjectTool && toolId < EndObjectTools)
        return nullptr;
    CRuntimeClass* runtimeClass = GetToolClass(toolId);
    if (!runtimeClass)
        return nullptr;
    CObject* created = runtimeClass->CreateObject();
    auto* object = dynamic_cast<CHyperOb*>(created);
    if (!object)
        delete created;
    return object;
}

void CHyperView::InsertObjectAt(int x, int y, UINT toolId, BOOL pointList, BOOL atPoint)
{
    if (m_pointListCount == 0)
        ClearSelection(FALSE);
    m_inserting = TRUE;
    CHyperOb* object = CreateObjectForTool(toolId);
    m_inserting = FALSE;
    if (!object)
        return FinishInsert(FALSE);
    object->Init(this, nullptr, TRUE);
    CPoint device(x, y);
    LogicalToDevice(&device, nullptr);
    CRect defaultRect;
    object->GetRect(&defaultRect, nullptr);

    BOOL inserted = FALSE;
    if (!atPoint) {
        BOOL dropped = FALSE;
        if (object->OnEndDropped(x, y, &dropped))
            return FinishInsert(dropped);
        object->CollectSnapTargets();
        CHyperObTracker* tracker = object->GetTracker();
        const BOOL tracked = tracker->TrackRubberBand(this, device, TRUE) && !ClickedOutside();
        object->EraseSnapMarks();
        if (tracked) {
            ClampToPage(&tracker->m_rect);
            if (!object->m_keepsDirection)
                tracker->m_rect.NormalizeRect();
            CRect rect;
            object->GetRect(&rect, nullptr);
            if (!CanInsertInRect(rect)) {
                delete object;
                return FinishInsert(FALSE);
            }
            inserted = TRUE;
        } else if (pointList) {
            inserted = FALSE;
        } else if (!tracker->m_dragShown) {
            object->SetRect(CRect(x, y, x, y));
            inserted = TRUE;
            if (!CanInsertAtPoint(device)) {
                delete object;
                return FinishInsert(FALSE);
            }
        }
    }

    CRect rect;
    object->GetRect(&rect, nullptr);
    rect.NormalizeRect();
    const CSize minimum = object->GetTracker()->m_sizeMin;
    const BOOL small = rect.Width() < minimum.cx && rect.Height() < minimum.cy;
    if (atPoint || (inserted && small && !pointList)) {
        PlaceDefaultSize(object, defaultRect.Size(), x, y);
        inserted = TRUE;
    }
    if (pointList && !atPoint && rect.Width() <= minimum.cx + kSegmentSlack &&
        rect.Height() <= minimum.cy + kSegmentSlack)
        inserted = FALSE;
    if (!inserted) {
        delete object;
        return FinishInsert(FALSE);
    }
    BOOL result = AddInsertedObject(object, pointList);
    if (result && !atPoint && (pointList || IsPointListTool(toolId)))
        result = CountSegment(object);
    FinishInsert(result);
}

// A point list continued by clicks ends at a click outside the window (on a tool bar, say)
// instead of gaining a corner at the page's edge.
BOOL CHyperView::ClickedOutside() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    return m_pointListCount > 0 && !client.PtInRect(cursor);
}

// A drag that left the window ends at the page's edge.
void CHyperView::ClampToPage(RECT* rect)
{
    CRect page;
    GetPageRect(&page, TRUE);
    if (page.IsRectEmpty())
        return;
    rect->left = std::clamp(rect->left, page.left, page.right);
    rect->right = std::clamp(rect->right, page.left, page.right);
    rect->top = std::clamp(rect->top, page.top, page.bottom);
    rect->bottom = std::clamp(rect->bottom, page.top, page.bottom);
}

void CHyperView::PlaceDefaultSize(CHyperOb* object, CSize size, int x, int y)
{
    int left = std::max(x - size.cx / 2, 0);
    int top = std::max(y - size.cy / 2, 0);
    SnapToGrid(&left, GetGridStepX());
    SnapToGrid(&top, GetGridStepY());
    object->SetRect(CRect(left, top, left + size.cx, top + size.cy));
}

BOOL CHyperView::AddInsertedObject(CHyperOb* object, BOOL pointList)
{
    if (pointList) {
        CRect rect;
        object->GetRect(&rect, nullptr);
        // A segment's rectangle runs from its start to its end until the page normalises it.
        if (m_pointListCount == 0)
            m_pointListStart = rect.TopLeft();
        m_pendingEnd = rect.BottomRight();
    } else {
        m_pendingEnd = CPoint(0, 0);
    }
    CHyperOb* remembered = m_pointListCount == 1 ? GetCurrentObject() : nullptr;
    if (!object->OnInsert()) {
        delete object;
        NotifyChanged(TRUE);
        return FALSE;
    }
    if (!AddObject(object, m_pointListCount == 0, FALSE)) {
        NotifyChanged(TRUE);
        return FALSE;
    }
    object->SetText(object->GetCode());
    if (m_pointListCount == 1 && remembered)
        m_selection.Add(remembered);
    if (m_pointListCount >= 1)
        m_selection.Add(object);
    NotifyChanged(TRUE);
    return TRUE;
}

BOOL CHyperView::CountSegment(const CHyperOb*)
{
    ++m_pointListCount;
    if (m_selection.GetSize() == 0)
        return TRUE;
    const int zoom = GetZoom();
    const int tolerance = zoom < 100 && zoom > 0 ? kCloseTolerance * 100 / zoom : kCloseTolerance;
    if (std::abs(m_pendingEnd.x - m_pointListStart.x) > tolerance ||
        std::abs(m_pendingEnd.y - m_pointListStart.y) > tolerance)
        return TRUE;
    --m_pointListCount;
    return FALSE;
}

void CHyperView::FinishInsert(BOOL result)
{
    if (result && m_pointListCount != 0)
        return;
    if (!result && m_pointListCount == 0)
        ClearSelection(FALSE);
    if (CHyperFrame* frame = GetHyperFrame())
        frame->SendMessage(WM_COMMAND, ToolSelect);
}

BOOL CHyperView::AddObject(CHyperOb* object, BOOL isNew, BOOL placed)
{
    CRect rect;
    object->GetRect(&rect, nullptr);
    rect.NormalizeRect();
    if (rect.left + 1 >= rect.right && rect.top + 1 >= rect.bottom) {
        delete object;
        return FALSE;
    }
    const BOOL setUp = IsSetUp();
    if (setUp && isNew) {
        PushUndo(new CUndoRecord(this, UndoInsert), FALSE);
        ClearSelection(FALSE);
    }
    m_inserting = TRUE;
    if (!object->GetView())
        object->SetView(this);
    if (setUp && !placed) {
        object->GetRect(&rect, nullptr);
        KeepRectOnPage(&rect, object->m_keepsDirection, FALSE, FALSE);
        object->SetRect(rect);
    }
    GiveUniqueName(object);
    PutOnLayer(object);
    const int index = StackingIndexFor(object);
    GetObjects().InsertAt(index, object);
    if (setUp) {
        if (isNew)
            m_currentIndex = index;
        else if (m_currentIndex >= index)
            ++m_currentIndex;
        if (m_pendingEnd.x == 0 && m_pendingEnd.y == 0)
            OnObjectInserted(object);
        object->UpdateLayout(TRUE, FALSE);
    }
    m_inserting = FALSE;
    if (setUp)
        object->Select(isNew);
    return TRUE;
}

void CHyperView::GiveUniqueName(CHyperOb* object)
{
    CRuntimeClass* runtimeClass = object->GetRuntimeClass();
    WORD next = 1;
    if (!m_classCounters.Lookup(runtimeClass, next))
        next = 1;
    const int used = object->MakeUniqueCode(object->GetTypeName(), next);
    m_classCounters.SetAt(runtimeClass, static_cast<WORD>(used));
}

void CHyperView::PutOnLayer(CHyperOb* object)
{
    CHyperViewOb* page = GetPageObject();
    CLayerFmt* layers = page ? page->GetLayerList() : nullptr;
    if (!layers)
        return;
    CLayerItem* own = layers->GetLayer(object->LayerID);
    if (own && own->IsNoticeLayer())
        return;
    object->LayerID = layers->GetCurrentLayerId();
}

int CHyperView::StackingIndexFor(const CHyperOb* object) const
{
    if (object->m_stayInFront)
        return 0;
    int index = 0;
    while (index < GetObjects().GetSize() && GetObjectAtIndex(index)->m_stayInFront)
        ++index;
    return index;
}

BOOL CHyperView::DeleteObject(int index)
{
    CHyperOb* object = GetObjectAtIndex(index);
    if (!object || !object->CanDelete())
        return FALSE;
    if (!GroupAllowsDelete(object))
        return FALSE;
    object->RefreshConnections();
    // The ends that name the object let go; their connectors remove themselves.
    if (CSnapPointSet* points = object->GetSnapPoints(FALSE))
        points->DetachConnectors();
    object->InvalidateArea(nullptr);
    RemoveFromRegroupMemory(object);
    CObject* named = nullptr;
    if (m_nameMap.Lookup(object->GetCode(), named) && named == object)
        m_nameMap.RemoveKey(object->GetCode());
    GetObjects().RemoveAt(index);
    // Later deletes of the same selection ask its members about their group.
    RemoveFromSelection(object);
    if (m_currentIndex == index)
        m_currentIndex = -1;
    else if (m_currentIndex > index)
        --m_currentIndex;
    OnObjectDeleted(object);
    delete object;
    return TRUE;
}

BOOL CHyperView::GroupAllowsDelete(const CHyperOb* object) const
{
    if (object->GroupID < 0)
        return TRUE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* member = static_cast<CHyperOb*>(m_selection.GetAt(i));
        CGroupInfo* group = member->GetOwnGroupInfo();
        if (member->GroupID == object->GroupID && group)
            return group->CanDelete();
    }
    return TRUE;
}

void CHyperView::RemoveFromRegroupMemory(const CHyperOb* object)
{
    for (INT_PTR i = m_regroupList.GetSize() - 1; i >= 0; --i)
        if (m_regroupList.GetAt(i) == object)
            m_regroupList.RemoveAt(i);
}
