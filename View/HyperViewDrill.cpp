// Drilling from a multi-selection into one member or into its group, and the dialog's
// picks of an object.
#include "View/HyperView.h"

#include "View/ViewPropertyDialog.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/PropOb.h"

namespace {

// What a group offers of its holder's own properties, in this order.
constexpr UINT GroupHolderProperties[] = {27381, 27390, 27474, 27477, 27472, 27473, 27380};

} // namespace

void CHyperView::ShowObjectProperties(int index)
{
    if (!m_propertyDialog)
        return;
    m_propertyDialog->DeleteProperties();
    const INT_PTR count = m_selection.GetSize();
    CPropObArray* groupList = GetCommonGroupId(m_selection) >= 0 ? MakeGroupPropertyList() : nullptr;
    if (index < 0)
        index = groupList ? static_cast<int>(count) : 0;
    const BOOL groupMeant = index == count;
    m_propertyDialog->FillObjectCombo(m_selection, nullptr, groupMeant ? 0 : index, FALSE);
    if (groupList)
        m_propertyDialog->AddGroupEntry(static_cast<int>(count), groupMeant);
    if (groupMeant && groupList) {
        m_propertyDialog->SetProperties(groupList, static_cast<CHyperOb*>(m_selection.GetAt(0)), nullptr);
    } else if (index >= 0 && index < count) {
        delete groupList;
        auto* member = static_cast<CHyperOb*>(m_selection.GetAt(index));
        auto* list = new CPropObArray;
        member->CollectProperties(*list, TRUE);
        CString type;
        GetObjectTypeName(type, member);
        m_propertyDialog->SetProperties(list, member, type);
    } else {
        delete groupList;
    }
    m_propertyDialog->RefreshPropertyList();
}

// The group's holder lends it some of its own properties; the record adds its own. NULL
// when that leaves nothing.
CPropObArray* CHyperView::MakeGroupPropertyList()
{
    CHyperOb* holder = nullptr;
    for (INT_PTR i = 0; i < m_selection.GetSize() && !holder; ++i)
        if (static_cast<CHyperOb*>(m_selection.GetAt(i))->GetOwnGroupInfo())
            holder = static_cast<CHyperOb*>(m_selection.GetAt(i));
    if (!holder)
        return nullptr;
    auto* list = new CPropObArray;
    for (UINT id : GroupHolderProperties)
        if (CPropOb* property = holder->CreateProperty(id, TRUE))
            list->Add(property);
    holder->GetOwnGroupInfo()->CollectProperties(*list, TRUE);
    if (list->GetSize() > 0)
        return list;
    delete list;
    return nullptr;
}

// The dialog picks an object, or in its drill mode a member of the selection or the group.
LRESULT CHyperView::OnPickObject(WPARAM wParam, LPARAM lParam)
{
    if (m_propertyDialog && m_propertyDialog->GetDrillMulti()) {
        ShowObjectProperties(static_cast<int>(lParam));
        return 0;
    }
    // A drill request that arrives after the drill was switched off.
    if (wParam == 0 && lParam == -1)
        return 0;
    const BOOL pinned = m_propertyDialog && m_propertyDialog->GetPinState();
    if (m_propertyDialog)
        m_propertyDialog->SetPinState(TRUE);
    const INT_PTR index = lParam;
    SelectOnly(index >= 0 && index < GetObjects().GetSize() ? static_cast<int>(index) : -1);
    if (m_propertyDialog)
        m_propertyDialog->SetPinState(pinned);
    return 0;
}
