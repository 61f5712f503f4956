// Groups in the editing view: a group stays selected as a whole with its holder primary,
// groups are formed, named and renumbered, their rectangles follow their members; and
// objects that share a name after loading.
#include "View/HyperView.h"

#include "View/ViewPropertyDialog.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/SnapPointSet.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
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
    CGroupInfo* record = nullptr;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        CHyperOb* object = At(objects, i);
        CSnapPointSet* points = snap ? object->GetSnapPoints(TRUE) : nullptr;
        if (points && points->GetCount() > 0)
            snap = FALSE;
        object->SetOwnGroupInfo(nullptr);
        object->GroupID = id;
        if (i == 0) {
            record = object->CreateGroupInfo();
            object->SetOwnGroupInfo(record);
            continue;
        }
        CRect member;
        object->GetRect(&member, nullptr);
        rect.UnionRect(&rect, &member);
    }
    if (!record)
        return;
    record->SetView(this);
    record->GroupID = id;
    record->m_rect = rect;
    record->m_hasSnapPoints = snap;
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

// Pasted groups take fresh ids above the page's highest, so two pastes give two groups.
void CHyperView::RenumberPastedGroups(int)
{
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i)
        if (!GetObjectAtIndex(i)->IsSelected())
            m_highestGroupId = std::max(m_highestGroupId, GetObjectAtIndex(i)->GroupID);
    CMapWordToPtr renumbered;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CHyperOb* object = At(m_selection, i);
        if (object->GroupID < 0)
            continue;
        void* mapped = nullptr;
        if (!renumbered.Lookup(static_cast<WORD>(object->GroupID), mapped)) {
            mapped = reinterpret_cast<void*>(static_cast<INT_PTR>(++m_highestGroupId));
            renumbered.SetAt(static_cast<WORD>(object->GroupID), mapped);
        }
        object->GroupID = static_cast<int>(reinterpret_cast<INT_PTR>(mapped));
        if (CGroupInfo* record = object->GetOwnGroupInfo()) {
            record->GroupID = object->GroupID;
            MakeGroupName(record, static_cast<int>(i));
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

BOOL CHyperView::DisableForSymbolGroup(CCmdUI* cmdUI)
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
