// Groups of the editing view: forming a group of the selection, taking it apart and forming it
// again, the group rectangles, and fresh group ids for pasted objects.
#include "View/HyperView.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "platform/core/String.h"
#include "platform/ui/CmdUI.h"

#include <map>

namespace {

constexpr UINT kGroupNameId = 27232;

void NameGroup(CGroupInfo* record)
{
    CString base;
    if (!base.LoadString(kGroupNameId))
        base = "Group";
    record->Code.Format("%s%d", static_cast<LPCTSTR>(base), record->GroupID);
}

} // namespace

CGroupInfo* CHyperView::FindGroupRecord(int groupId) const
{
    if (groupId < 0)
        return nullptr;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->GroupID == groupId && object->GetOwnGroupInfo())
            return object->GetOwnGroupInfo();
    }
    return nullptr;
}

int CHyperView::GetCommonGroupId(const CObArray& objects)
{
    if (objects.GetSize() == 0)
        return -1;
    const int id = static_cast<CHyperOb*>(objects[0])->GroupID;
    for (INT_PTR i = 1; i < objects.GetSize(); ++i)
        if (static_cast<CHyperOb*>(objects[i])->GroupID != id)
            return -1;
    return id >= 0 ? id : -1;
}

BOOL CHyperView::IsSelectionOneGroup() const
{
    return m_selection.GetSize() > 0 && GetCommonGroupId(m_selection) >= 0;
}

BOOL CHyperView::DisableForSymbolGroup(CCmdUI* cmdUI) const
{
    if (!m_editMode || m_selection.GetSize() == 0)
        return FALSE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CGroupInfo* record = static_cast<CHyperOb*>(m_selection[i])->GetOwnGroupInfo();
        if (record && record->GetSymbol()) {
            cmdUI->Enable(FALSE);
            return TRUE;
        }
    }
    return FALSE;
}

void CHyperView::GroupObjects(const CObArray& objects)
{
    if (objects.GetSize() == 0)
        return;
    const int id = ++m_highestGroupId;
    CRect rect;
    static_cast<CHyperOb*>(objects[0])->GetRect(&rect, nullptr);
    BOOL snap = TRUE;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(objects[i]);
        CSnapPointSet* points = object->GetSnapPoints(TRUE);
        if (snap && points && points->GetCount() > 0)
            snap = FALSE;
        object->SetOwnGroupInfo(nullptr);
        object->GroupID = id;
        CRect own;
        object->GetRect(&own, nullptr);
        rect.UnionRect(rect, own);
    }
    auto* holder = static_cast<CHyperOb*>(objects[0]);
    CGroupInfo* record = m_regroupInfo ? m_regroupInfo : holder->CreateGroupInfo();
    m_regroupInfo = nullptr;
    holder->SetOwnGroupInfo(record);
    record->SetView(this);
    record->GroupID = id;
    record->m_rect = rect;
    record->m_hasSnapPoints = snap;
    if (record->Code.IsEmpty())
        NameGroup(record);
}

void CHyperView::GroupSelection()
{
    if (m_selection.GetSize() < 2)
        return;
    m_regroupList.RemoveAll();
    PushUndo(new CUndoRecord(this, UndoGroup), FALSE);
    GroupObjects(m_selection);
    RefreshSelection();
}

void CHyperView::UngroupSelection()
{
    PushUndo(new CUndoRecord(this, UndoGroup), FALSE);
    m_freeRotate = FALSE;
    EmptyRegroupMemory();
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(m_selection[i]);
        if (CGroupInfo* record = object->GetOwnGroupInfo()) {
            record->m_snapPoints.DetachConnectors();
            object->InvalidateArea(nullptr);
            delete m_regroupInfo;
            m_regroupInfo = object->ReleaseOwnGroupInfo();
        }
        object->GroupID = -1;
        m_regroupList.Add(object);
    }
    RefreshSelection();
}

void CHyperView::RegroupSelection()
{
    if (m_regroupList.GetSize() == 0)
        return;
    auto* record = new CUndoRecord(this, UndoGroup);
    ClearSelection(FALSE);
    m_selection.Copy(m_regroupList);
    m_regroupList.RemoveAll();
    m_currentIndex = FindObjectIndex(m_selection[0]);
    if (m_selection.GetSize() == 1)
        m_selection.RemoveAll();
    RefreshSelection();
    const BOOL recording = m_recordUndo;
    m_recordUndo = FALSE;
    GroupSelection();
    m_recordUndo = recording;
    PushUndo(record, FALSE);
}

void CHyperView::ToggleGroup()
{
    if (!m_editMode || m_selection.GetSize() == 0) {
        GroupSelection();
        return;
    }
    BOOL connector = FALSE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        connector |= static_cast<CHyperOb*>(m_selection[i])->IsConnector();
    if (IsSelectionOneGroup())
        UngroupSelection();
    else if (!connector)
        GroupSelection();
    else if (m_regroupList.GetSize() > 0)
        RegroupSelection();
}

void CHyperView::UpdateGroupRects()
{
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* holder = static_cast<CHyperOb*>(m_selection[i]);
        CGroupInfo* record = holder->GetOwnGroupInfo();
        if (!record)
            continue;
        CRect rect;
        holder->GetRect(&rect, nullptr);
        for (INT_PTR j = 0; j < m_selection.GetSize(); ++j) {
            auto* member = static_cast<CHyperOb*>(m_selection[j]);
            CRect own;
            member->GetRect(&own, nullptr);
            if (member->GroupID == holder->GroupID)
                rect.UnionRect(rect, own);
        }
        record->m_rect = rect;
    }
}

// Pasted groups never merge with the page's: each old id maps to a fresh one.
void CHyperView::RenumberPastedGroups(const CObArray& objects)
{
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        m_highestGroupId = std::max(m_highestGroupId, GetObjectAtIndex(i)->GroupID);
    std::map<int, int> fresh;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(objects[i]);
        if (object->GroupID < 0)
            continue;
        auto [entry, added] = fresh.try_emplace(object->GroupID, 0);
        if (added)
            entry->second = ++m_highestGroupId;
        object->GroupID = entry->second;
        if (CGroupInfo* record = object->GetOwnGroupInfo()) {
            record->GroupID = object->GroupID;
            NameGroup(record);
        }
    }
}
