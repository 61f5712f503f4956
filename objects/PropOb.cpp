#include "objects/PropOb.h"

#include "objects/PropControls.h"
#include "objects/ShellServices.h"

IMPLEMENT_DYNAMIC(CPropOb, CObject)

CPropOb::CPropOb(UINT nameId, UINT arg) : m_nameId(nameId), m_arg(arg) { }

CString CPropOb::LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return GetShellServices().GetLanguageText(text);
}

CString CPropOb::GetName() const
{
    if (m_nameId >= NoNameLow)
        return CString();
    if (!m_nameText.IsEmpty())
        return m_nameText;
    return m_nameId != 0 ? LoadText(m_nameId) : CString();
}

BOOL CPropOb::GetValueText(CString& text) const
{
    text.Empty();
    return FALSE;
}

CString CPropOb::GetButtonCaption() const
{
    return m_captionId >= 0 ? LoadText(static_cast<UINT>(m_captionId)) : CString();
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
