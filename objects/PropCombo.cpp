#include "objects/PropCombo.h"

#include "objects/PropControls.h"
#include "objects/PropNumber.h"

namespace {

void AddChoiceRange(CPropCombo* combo, UINT firstId, UINT count)
{
    for (UINT i = 0; i < count; ++i)
        combo->AddChoiceById(firstId + i, i);
}

} // namespace

CPropCombo::CPropCombo(UINT nameId, DWORD* field, UINT arg) : CPropValue(nameId, field, arg)
{
    m_controlId = DropListControl;
}

BOOL CPropCombo::GetValueText(CString& text) const
{
    text.Empty();
    for (INT_PTR i = 0; i < m_choices.GetSize(); ++i) {
        const CComboChoice* choice = m_choices.GetChoice(i);
        if (choice->value == m_edited) {
            text = choice->text;
            break;
        }
    }
    return TRUE;
}

BOOL CPropCombo::GetLongValue(long* value) const
{
    *value = static_cast<long>(static_cast<int>(*m_field));
    return TRUE;
}

BOOL CPropCombo::SetLongValue(long value)
{
    *m_field = static_cast<DWORD>(value);
    return TRUE;
}

void CPropCombo::FillCombo(CPropChoiceBox* combo) const
{
    combo->ResetContent();
    int selected = -1;
    for (INT_PTR i = 0; i < m_choices.GetSize(); ++i) {
        const CComboChoice* choice = m_choices.GetChoice(i);
        int index = combo->AddString(choice->text);
        combo->SetItemData(index, choice->value);
        if (selected < 0 && choice->value == m_edited)
            selected = index;
    }
    // A value that matches no choice selects nothing, so saving keeps the value.
    combo->SetCurSel(selected);
}

CPropAlarmActive::CPropAlarmActive(UINT nameId, DWORD* field) : CPropCombo(nameId, field)
{
    AddChoiceById(27475, 1);
    AddChoiceById(27476, 0);
    AddChoiceById(27478, 2);
}

CLinePropStyle::CLinePropStyle(UINT nameId, DWORD* field) : CPropCombo(nameId, field)
{
    AddChoiceRange(this, 27169, 5);
}

void CLinePropStyle::OnValueChanged()
{
    if (m_edited != 0 && m_linkedWidth && m_linkedWidth->m_edited != 1) {
        m_linkedWidth->m_edited = 1;
        NotifyListChanged();
    }
}

void CLinePropStyle::DropLinkTo(const CPropOb* gone)
{
    if (m_linkedWidth == gone)
        m_linkedWidth = nullptr;
}

CPropShadowCombo::CPropShadowCombo(UINT nameId, DWORD* field) : CPropCombo(nameId, field)
{
    AddChoiceRange(this, 27301, 5);
}

void LinkLineEditors(CLinePropWidth* width, CLinePropStyle* style)
{
    width->m_linkedStyle = style;
    style->m_linkedWidth = width;
}
