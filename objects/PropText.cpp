#include "objects/PropText.h"

#include "objects/HyperBaseOb.h"
#include "objects/ObjectHost.h"
#include "objects/PropControls.h"
#include "objects/ScriptText.h"
#include "objects/ShellServices.h"

namespace {

constexpr UINT IconExclamation = 0x30;
constexpr UINT NoneTextId = 26625;

} // namespace

CPropStr::CPropStr(UINT nameId, CString* field, UINT arg) : CPropValue(nameId, field, arg)
{
    m_kind = 3;
}

BOOL CPropStr::GetValueText(CString& text) const
{
    text = m_edited;
    return TRUE;
}

BOOL CPropStr::GetStringValue(CString& value) const
{
    value = *m_field;
    return TRUE;
}

BOOL CPropStr::SetStringValue(LPCTSTR value)
{
    *m_field = value;
    return TRUE;
}

void CPropCodeStr::Validate(CPropExchange* exchange, CString& text)
{
    if (!exchange->IsSaving())
        return;
    StripNonIdentChars(text);
    if (text.IsEmpty() || text.GetLength() > MaxLength)
        exchange->Fail();
    CObjectHost* host = GetObjectHost(m_owner ? m_owner->GetView() : m_view);
    if (!host)
        return;
    CStringArray codes;
    host->GetCodesInUse(codes, m_owner);
    // A group finds its own Code among the groups' codes once.
    BOOL ownSkipped = m_owner != nullptr;
    for (INT_PTR i = 0; i < codes.GetSize(); ++i) {
        if (!ownSkipped && codes.GetAt(i) == m_saved) {
            ownSkipped = TRUE;
            continue;
        }
        if (codes.GetAt(i).CompareNoCase(text) == 0) {
            CString message;
            message.Format(InUseMessageId, static_cast<LPCTSTR>(codes.GetAt(i)));
            exchange->ShowMessage(message, IconExclamation);
            exchange->Fail();
        }
    }
}

CPropFile::CPropFile(UINT nameId, CString* field) : CPropStr(nameId, field)
{
    m_kind = Kind;
    m_controlId = ButtonControl;
    m_captionId = 26654;
}

BOOL CPropFile::GetValueText(CString& text) const
{
    if (m_edited.IsEmpty())
        text = LoadText(NoneTextId);
    else
        text = GetShellServices().GetLowerFileName(m_edited);
    return TRUE;
}

CPropEditCombo::CPropEditCombo(UINT nameId, CString* field) : CPropStr(nameId, field)
{
    m_controlId = EditComboControl;
}

void CPropEditCombo::FillCombo(CPropChoiceBox* combo) const
{
    combo->ResetContent();
    for (INT_PTR i = 0; i < m_suggestions.GetSize(); ++i)
        combo->SetItemData(combo->AddString(m_suggestions.GetAt(i)), 0);
    if (combo->SelectStringExact(m_edited) < 0)
        combo->SetEditText(m_edited);
}

void CPropEditCombo::AddChoiceById(UINT textId, DWORD value)
{
    CString text;
    if (text.LoadString(textId))
        AddChoice(text, value);
}

void CPropEditCombo::AddChoice(LPCTSTR text, DWORD)
{
    m_suggestions.Add(text);
}
