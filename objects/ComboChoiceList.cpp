#include "objects/ComboChoiceList.h"

CComboChoiceList::~CComboChoiceList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CComboChoiceList::AddById(UINT textId, DWORD value)
{
    CString text;
    if (text.LoadString(textId))
        Add(text, value);
}

void CComboChoiceList::Add(const CString& text, DWORD value)
{
    SetAtGrow(GetSize(), new CComboChoice(text, value));
}

const CComboChoice* CComboChoiceList::GetChoice(INT_PTR index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return static_cast<const CComboChoice*>(GetAt(index));
}

