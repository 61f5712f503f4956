#include "controls/PropDialogBase.h"

#include "objects/HyperBaseOb.h"
#include "objects/HyperObArray.h"
#include "objects/PropOb.h"

namespace {

constexpr int AfterApply = 2;
constexpr int AfterRestore = 1;

} // namespace

CPropDialogBase::CPropDialogBase(UINT idTemplate, CWnd* parent) : CFlexSizeDialog(idTemplate, parent) { }

CPropDialogBase::~CPropDialogBase()
{
    CPropDialogBase::DeleteProperties();
}

// A new edit frees what the dialog held for the last one, so nothing is left behind.
void CPropDialogBase::ResetProperties(CPropObArray* list)
{
    if (m_lists != nullptr || m_list != list)
        ReleaseLists(list);
    m_list = list;
    m_lists = nullptr;
    m_commonFlags = nullptr;
    m_owners = nullptr;
    m_owner = m_secondOwner = m_thirdOwner = nullptr;
    m_modified = FALSE;
}

void CPropDialogBase::ReleaseLists(const CPropObArray* keep)
{
    delete[] m_commonFlags;
    m_commonFlags = nullptr;
    if (m_lists) {
        for (INT_PTR i = m_lists->GetSize() - 1; i >= 0; --i)
            if (m_lists->GetAt(i) == keep)
                m_lists->RemoveAt(i);
        delete m_lists;
    } else if (m_list != keep) {
        delete m_list;
    }
    m_lists = nullptr;
    m_list = nullptr;
}

void CPropDialogBase::SetProperties(CPropObArray* list, CHyperBaseOb* owner, LPCTSTR caption)
{
    ResetProperties(list);
    m_owner = owner;
    m_caption = caption ? caption : "";
}

void CPropDialogBase::SetMultiProperties(CPropListArray* lists, BOOL* commonFlags, CHyperObArray* owners,
                                         LPCTSTR caption)
{
    if (m_lists == lists) {
        if (m_commonFlags != commonFlags)
            delete[] m_commonFlags;
        m_lists = nullptr;
        m_list = nullptr;
        m_commonFlags = nullptr;
    } else {
        ReleaseLists(nullptr);
    }
    ResetProperties(lists && lists->GetSize() > 0 ? lists->GetList(0) : nullptr);
    m_lists = lists;
    m_commonFlags = commonFlags;
    m_owners = owners;
    m_caption = caption ? caption : "";
}

void CPropDialogBase::SetPropertiesEx(CPropObArray* list, CHyperBaseOb* second, CHyperBaseOb* third, LPCTSTR caption)
{
    ResetProperties(list);
    m_secondOwner = second;
    m_thirdOwner = third;
    m_caption = caption ? caption : "";
}

CHyperBaseOb* CPropDialogBase::GetOwnerObject() const
{
    if (m_owner)
        return m_owner;
    if (m_secondOwner)
        return m_secondOwner;
    if (m_thirdOwner)
        return m_thirdOwner;
    if (m_owners && m_owners->GetSize() > 0)
        return static_cast<CHyperBaseOb*>(m_owners->GetAt(0));
    return nullptr;
}

void CPropDialogBase::DeleteProperties()
{
    ReleaseLists(nullptr);
    m_owners = nullptr;
    m_owner = m_secondOwner = m_thirdOwner = nullptr;
}

void CPropDialogBase::ApplyLists()
{
    if (m_lists)
        m_lists->ApplyAll(m_commonFlags);
    else if (m_list)
        m_list->ApplyAll();
}

void CPropDialogBase::ApplyProperties()
{
    ApplyLists();
    for (CHyperBaseOb* owner : {m_owner, m_secondOwner, m_thirdOwner})
        if (owner)
            owner->SetParam(0);
}

void CPropDialogBase::NotifyOwnerList(UINT propertyId)
{
    if (!m_owners)
        return;
    m_owners->BroadcastPropertyChanged(propertyId);
    m_owners->BroadcastUpdateLayout();
}

void CPropDialogBase::UpdateExtraOwners(int reason)
{
    if (m_thirdOwner)
        m_thirdOwner->UpdateLayout(reason, 0);
    if (m_secondOwner)
        m_secondOwner->UpdateLayout(reason, 0);
}

void CPropDialogBase::ApplyAndNotify()
{
    ApplyLists();
    m_modified = TRUE;
    const UINT id = GetCurrentPropertyId();
    if (m_owner) {
        m_owner->OnPropertyChanged(id);
        m_owner->UpdateLayout(AfterApply, 0);
    }
    NotifyOwnerList(id);
    UpdateExtraOwners(AfterApply);
}

void CPropDialogBase::ApplyAndSaveDefault()
{
    if (m_list)
        m_list->ApplyAll();
    if (m_owner)
        m_owner->SaveAsDefault();
    m_modified = TRUE;
}

void CPropDialogBase::RestoreProperties()
{
    if (!m_modified)
        return;
    const UINT id = GetCurrentPropertyId();
    if (m_owner) {
        if (m_list)
            m_list->RestoreAll();
        m_owner->OnPropertyChanged(id);
        m_owner->UpdateLayout(AfterRestore, 0);
    } else if (m_owners) {
        if (m_lists)
            m_lists->RestoreAll();
        NotifyOwnerList(id);
    } else {
        if (m_list)
            m_list->RestoreAll();
        UpdateExtraOwners(AfterRestore);
    }
}

void CPropDialogBase::RestoreAll()
{
    if (!m_modified)
        return;
    if (!m_lists) {
        const BOOL saved = m_modified;
        RestoreProperties();
        m_modified = saved;
        return;
    }
    m_lists->RestoreAll();
    NotifyOwnerList(GetCurrentPropertyId());
}
