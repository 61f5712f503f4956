#include "objects/PropBasic.h"

CPropBasic::CPropBasic(UINT nameId, CObValue* field, int eventGroup)
    : CPropValue(nameId, field), m_eventGroup(eventGroup)
{
    m_kind = Kind;
    m_controlId = ButtonControl;
    m_captionId = CaptionId;
}

CString CPropBasic::GetName() const
{
    if (m_nameId < FirstNumberedEvent || m_nameId > LastNumberedEvent)
        return CPropOb::GetName();
    return LoadText(EventWordId) + m_nameText;
}

BOOL CPropBasic::GetValueText(CString& text) const
{
    text = m_edited.GetDisplayText();
    return TRUE;
}

int CPropBasic::GetPage() const
{
    if (m_page > 0)
        return m_page;
    return m_eventGroup == PageEventGroup ? 1 : 0;
}

BOOL CPropBasic::GetStringValue(CString& value) const
{
    value = m_field->GetRawText();
    return TRUE;
}
