#include "objects/PropOb.h"

#include "objects/PropControls.h"

IMPLEMENT_DYNAMIC(CPropOb, CObject)

CPropOb::CPropOb(UINT nameId, UINT arg) : m_nameId(nameId), m_arg(arg) { }

CString CPropOb::GetName() const
{
    CString name;
    if (m_nameId >= NoNameLow)
        return name;
    if (!m_nameText.IsEmpty())
        return m_nameText;
    if (m_nameId != 0)
        name.LoadString(m_nameId);
    return name;
}

BOOL CPropOb::GetValueText(CString& text) const
{
    text.Empty();
    return FALSE;
}

CString CPropOb::GetButtonCaption() const
{
    CString caption;
    if (m_captionId >= 0)
        caption.LoadString(static_cast<UINT>(m_captionId));
    return caption;
}

BOOL CPropOb::GetStringValue(CString& value) const
{
    value.Empty();
    return FALSE;
}

BOOL CPropOb::GetDoubleValue(double* value) const
{
    *value = 0;
    return FALSE;
}

BOOL CPropOb::GetLongValue(long* value) const
{
    *value = 0;
    return FALSE;
}

BOOL CPropOb::GetIntValue(int* value) const
{
    *value = 0;
    return FALSE;
}

void CPropOb::NotifyListChanged()
{
    if (m_ownerDialog)
        m_ownerDialog->OnPropertyListChanged(this);
}

CPropObArray::~CPropObArray()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CPropObArray::ApplyAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetProp(i)->Apply();
}

void CPropObArray::ApplyFrom(const CPropObArray& first, const BOOL* changed)
{
    INT_PTR count = GetSize() < first.GetSize() ? GetSize() : first.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        if (changed[i])
            GetProp(i)->ApplyFrom(first.GetProp(i));
    }
}

void CPropObArray::RestoreAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetProp(i)->Restore();
}

CPropListArray::~CPropListArray()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CPropListArray::ApplyAll(const BOOL* changed)
{
    if (GetSize() == 0)
        return;
    CPropObArray* first = GetList(0);
    first->ApplyAll();
    for (INT_PTR i = 1; i < GetSize(); ++i)
        GetList(i)->ApplyFrom(*first, changed);
}

void CPropListArray::RestoreAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetList(i)->RestoreAll();
}
