#include "objects/PropDatetime.h"

#include "objects/PropCombo.h"
#include "objects/PropControls.h"
#include "objects/ShellServices.h"

CPropDatetime::CPropDatetime(UINT nameId, CString* field) : CPropStr(nameId, field)
{
    m_kind = Kind;
    m_controlId = ComboButtonControl;
    m_captionId = 27219;
}

void CPropDatetime::Validate(CPropExchange* exchange, CString& text)
{
    if (!exchange->IsSaving() || text.IsEmpty())
        return;
    const CShellServices& services = GetShellServices();
    if (!services.ParseDateTimeSpan(text) && !services.ParseDateTime(text))
        exchange->Fail();
}

CPropCustDatetime::CPropCustDatetime(UINT nameId, CString* field) : CPropDatetime(nameId, field)
{
    m_kind = Kind;
}

void CPropCustDatetime::OnValueChanged()
{
    if (!m_linkedSwitch || !GetShellServices().GetSettingInt("Alarm.Autoactivate", 1))
        return;
    m_linkedSwitch->m_edited = m_edited.IsEmpty() ? 0 : 1;
    NotifyListChanged();
}

void CPropCustDatetime::DropLinkTo(const CPropOb* gone)
{
    if (m_linkedSwitch == gone)
        m_linkedSwitch = nullptr;
}
