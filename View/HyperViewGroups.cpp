// Groups in the editing view: a group stays selected as a whole with its holder primary,
// groups are formed, taken apart, formed again, named and renumbered, their rectangles follow
// their members; and objects that share a name after loading.
#include "View/HyperView.h"

#include "View/ViewPropertyDialog.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/SnapPointSet.h"
#include "objects/UndoRecord.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr UINT GroupNameId = 27232;
constexpr UINT DuplicatesTextId = 26659;
constexpr UINT ObjectCodesTextId = 26667;
constexpr UINT FixQuestionTextId = 26668;

CHyperOb* At(const CObArray& objects, INT_PTR index)
{
    return static_cast<CHyperOb*>(objects.GetAt(index));
}

} // namespace

void CHyperView::OnObjectSelected(CHyperBaseOb* object)
{
    m_selectionFlagged.SetAt(object, 1);
}

void CHyperView::OnObjectDeselected(CHyperBaseOb* object)
{
    m_selectionFlagged.SetAt(object, 1);
}

BOOL CHyperView::SelectionHasGroupMember() const
{
    if (m_selection.GetSize() == 0)
        return FALSE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (At(m_selection, i)->GroupID >= 0)
            return TRUE;
    return FALSE;
}

int CHyperView::GetCommonGroupId(const CObArray& objects)
{
    if (objects.GetSize() == 0)
        return -1;
    const int id = At(objects, 0)->GroupID;
    for (INT_PTR i = 1; i < objects.GetSize(); ++i)
        if (At(objects, i)->GroupID != id)
            return -1;
    return id >= 0 ? id : -1;
}

void CHyperView::GetObjectsByIds(const CObArray& objects, CMapWordToOb* map, BOOL flaggedOnly)
{
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        CHyperOb* object = At(objects, i);
        WORD flagged = 0;
        const BOOL wasFlagged = m_selectionFlagged.Lookup(object, flagged);
        if (flaggedOnly && !wasFlagged)
            continue;
        m_selectionFlagged.RemoveKey(object);
        if (object->GroupID < 0)
            continue;
        CObject* found = nullptr;
        if (!map->Lookup(static_cast<WORD>(object->GroupID), found)) {
            found = new CObArray;
            map->SetAt(static_cast<WORD>(object->GroupID), found);
        }
        static_cast<CObArray*>(found)->Add(object);
    }
    if (map->IsEmpty())
        return;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CObject* found = nullptr;
        if (object->GroupID < 0 || !map->Lookup(static_cast<WORD>(object->GroupID), found))
            continue;
        auto* members = static_cast<CObArray*>(found);
        BOOL listed = FALSE;
        for (INT_PTR k = 0; k < members->GetSize() && !listed; ++k)
            listed = members->GetAt(k) == object;
        if (!listed)
            members->Add(object);
    }
}

// Brings one member in line with the group's first member.
void CHyperView::AlignGroupMember(CHyperOb* first, CHyperOb* member)
{
    if (member->IsSelected() == first->IsSelected())
        return;
    if (!first->IsSelected()) {
        member->Deselect(TRUE);
        const int at = [&] {
            for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
                if (m_selection.GetAt(i) == member)
                    return static_cast<int>(i);
            return -1;
        }();
        if (at < 0) {
            m_currentIndex = -1;
            ClearSelection(FALSE);
            return;
        }
        m_selection.RemoveAt(at);
        if (FindObjectIndex(member) == m_currentIndex || at == 0) {
            m_currentIndex = m_selection.GetSize() > 0 ? FindObjectIndex(m_selection.GetAt(0)) : -1;
            if (CHyperOb* current = GetCurrentObject())
                current->Select(TRUE);
        }
        if (m_selection.GetSize() == 1)
            m_selection.RemoveAll();
        return;
    }
    if (m_selection.GetSize() == 0)
        m_selection.Add(first);
    m_selection.Add(member);
    member->Select(FALSE);
}

BOOL CHyperView::SyncGroupSelection()
{
    if (m_syncingGroups)
        return FALSE;
    m_syncingGroups = TRUE;
    CMapWordToOb groups;
    GetObjectsByIds(GetObjects(), &groups, TRUE);
    for (POSITION position = groups.GetStartPosition(); position;) {
        WORD id = 0;
        CObject* found = nullptr;
        groups.GetNextAssoc(position, id, found);
        auto* members = static_cast<CObArray*>(found);
        for (INT_PTR k = 1; k < members->GetSize(); ++k)
            AlignGroupMember(At(*members, 0), At(*members, k));
        delete members;
    }
    m_selectionFlagged.RemoveAll();
    PromoteGroupSelection();
    m_syncingGroups = FALSE;
    return TRUE;
}

void CHyperView::PromoteGroupSelection()
{
    CHyperOb* current = GetCurrentObject();
    if (m_selection.GetSize() == 0 || !current || !current->IsSelected() || current->GroupID < 0 ||
        current->GetOwnGroupInfo())
        return;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CHyperOb* holder = At(m_selection, i);
        if (holder->GroupID != current->GroupID || !holder->GetOwnGroupInfo())
            continue;
        CObject* first = m_selection.GetAt(0);
        m_selection.SetAt(0, holder);
        m_selection.SetAt(i, first);
        m_currentIndex = FindObjectIndex(holder);
        holder->Select(TRUE);
        current->Select(FALSE);
        return;
    }
}

void CHyperView::GroupObjects(const CObArray& objects, BOOL)
{
    if (objects.GetSize() == 0)
        return;
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        m_highestGroupId = std::max(m_highestGroupId, GetObjectAtIndex(i)->GroupID);
    const int id = ++m_highestGroupId;
    CRect rect;
    At(objects, 0)->GetRect(&rect, nullptr);
    BOOL snap = TRUE;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        CHyperOb* object = At(objects, i);
        CSnapPointSet* points = snap ? object->GetSnapPoints(TRUE) : nullptr;
        if (points && points->GetCount() > 0)
            snap = FALSE;
        object->SetOwnGroupInfo(nullptr);
        object->GroupID = id;
        CRect member;
        object->GetRect(&member, nullptr);
        rect.UnionRect(&rect, &member);
    }
    // A regrouped group takes back the record it had before it was taken apart.
    CHyperOb* holder = At(objects, 0);
    CGroupInfo* record = m_regroupInfo ? m_regroupInfo : holder->CreateGroupInfo();
    m_regroupInfo = nullptr;
    holder->SetOwnGroupInfo(record);
    record->SetView(this);
    record->GroupID = id;
    record->m_rect = rect;
    record->m_hasSnapPoints = snap;
    if (record->Code.IsEmpty())
        MakeGroupName(record, 0);
}

void CHyperView::MakeGroupName(CGroupInfo* record, int index)
{
    if (!record) {
        if (index < 0 || index >= m_selection.GetSize())
            return;
        CHyperOb* entry = At(m_selection, index);
        record = entry->GetOwnGroupInfo();
        if (entry->GroupID < 0 || !record || !record->Code.IsEmpty())
            return;
    }
    CString word;
    if (!word.LoadString(GroupNameId) || word.IsEmpty())
        word = "Group";
    record->Code.Format("%s%d", static_cast<LPCTSTR>(word), record->GroupID);
}

// Pasted groups never merge with the page's: each old id maps to a fresh one.
void CHyperView::RenumberPastedGroups(const CObArray& objects)
{
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        m_highestGroupId = std::max(m_highestGroupId, GetObjectAtIndex(i)->GroupID);
    std::map<int, int> fresh;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = At(objects, i);
        if (object->GroupID < 0)
            continue;
        auto [entry, added] = fresh.try_emplace(object->GroupID, 0);
        if (added)
            entry->second = ++m_highestGroupId;
        object->GroupID = entry->second;
        if (CGroupInfo* record = object->GetOwnGroupInfo()) {
            record->GroupID = object->GroupID;
            MakeGroupName(record, 0);
        }
    }
}

int CHyperView::ReportNameConflicts(const CString& names, const CObArray& objects)
{
    auto text = [](UINT id, LPCTSTR fallback) {
        CString loaded;
        return loaded.LoadString(id) && !loaded.IsEmpty() ? loaded : CString(fallback);
    };
    CString message;
    message.Format(text(DuplicatesTextId, "Duplicate %s have been found:"),
                   static_cast<LPCTSTR>(text(ObjectCodesTextId, "object code(s)")));
    message += names + text(FixQuestionTextId, "\n\nDo you want to automatically fix the conflicting items?");
    if (AfxMessageBox(message, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        for (INT_PTR i = 0; i < objects.GetSize(); ++i)
            At(objects, i)->MakeUniqueCode("", -1);
        for (INT_PTR i = objects.GetSize() - 1; i >= 0; --i) {
            CString type;
            GetObjectTypeName(type, At(objects, i));
            At(objects, i)->MakeUniqueCode(type, 1);
            if (GetDocument())
                GetDocument()->SetModifiedFlag();
        }
    }
    ClearSelection(FALSE);
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        if (i == 0)
            m_currentIndex = FindObjectIndex(objects.GetAt(0));
        At(objects, i)->Select(i == 0);
        if (objects.GetSize() > 1)
            m_selection.Add(objects.GetAt(i));
    }
    NotifyChanged(FALSE);
    return 0;
}

void CHyperView::UpdateGroupRects()
{
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CHyperOb* holder = At(m_selection, i);
        CGroupInfo* record = holder->GetOwnGroupInfo();
        if (!record)
            continue;
        CRect rect;
        holder->GetRect(&rect, nullptr);
        for (INT_PTR k = 0; k < m_selection.GetSize(); ++k) {
            if (At(m_selection, k)->GroupID != holder->GroupID)
                continue;
            CRect member;
            At(m_selection, k)->GetRect(&member, nullptr);
            rect.UnionRect(&rect, &member);
        }
        record->m_rect = rect;
    }
    if (m_propertyDialog)
        m_propertyDialog->ReloadValues();
}

BOOL CHyperView::DisableForSymbolGroup(CCmdUI* cmdUI) const
{
    if (!m_editMode || m_selection.GetSize() == 0)
        return FALSE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CGroupInfo* record = At(m_selection, i)->GetOwnGroupInfo();
        if (record && record->GetSymbol()) {
            cmdUI->Enable(FALSE);
            return TRUE;
        }
    }
    return FALSE;
}

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

BOOL CHyperView::IsSelectionOneGroup() const
{
    return m_selection.GetSize() > 0 && GetCommonGroupId(m_selection) >= 0;
}

void CHyperView::GroupWithoutJoining()
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
        auto* object = At(m_selection, i);
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
    GroupWithoutJoining();
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
        connector |= At(m_selection, i)->IsConnector();
    if (IsSelectionOneGroup())
        UngroupSelection();
    else if (!connector)
        GroupSelection();
    else if (m_regroupList.GetSize() > 0)
        RegroupSelection();
}
