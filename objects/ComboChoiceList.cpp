#include "objects/ComboChoiceList.h"

#include "objects/ShellServices.h"

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

// Choices are shown as the user reads them: keys of the string table and stored names built
// from keys ("<Standard>", "<Layer>2") get their texts.
void CComboChoiceList::Add(const CString& text, DWORD value)
{
    SetAtGrow(GetSize(), new CComboChoice(GetShellServices().GetLanguageText(text), value));
}

const CComboChoice* CComboChoiceList::GetChoice(INT_PTR index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return static_cast<const CComboChoice*>(GetAt(index));
}

