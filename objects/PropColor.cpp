#include "objects/PropColor.h"

namespace {

constexpr UINT AutomaticTextId = 26631;
constexpr UINT NoneTextId = 26625;

} // namespace

CPropColor::CPropColor(UINT nameId, COLORREF* field, UINT arg) : CPropValue(nameId, field, arg)
{
    m_kind = Kind;
    m_controlId = ButtonControl;
}

BOOL CPropColor::GetValueText(CString& text) const
{
    if (m_edited == static_cast<COLORREF>(-1))
        text = LoadText(AutomaticTextId);
    else
        text.Format("%d.%d.%d", GetRValue(m_edited), GetGValue(m_edited), GetBValue(m_edited));
    return TRUE;
}

BOOL CPropColor::GetLongValue(long* value) const
{
    *value = static_cast<long>(static_cast<int>(*m_field));
    return TRUE;
}

BOOL CPropColor::SetLongValue(long value)
{
    *m_field = static_cast<COLORREF>(value);
    return TRUE;
}

CPropFont::CPropFont(UINT nameId, CFontDescriptor* field) : CPropValue(nameId, field)
{
    m_kind = Kind;
    m_controlId = ButtonControl;
}

BOOL CPropFont::GetValueText(CString& text) const
{
    if (m_edited.IsEmpty())
        text = LoadText(NoneTextId);
    else
        text = m_edited.GetLogFont().lfFaceName;
    return TRUE;
}

BOOL CPropFont::GetStringValue(CString& value) const
{
    FormatLogFont(value, &m_field->GetLogFont());
    return TRUE;
}

BOOL CPropFont::SetStringValue(LPCTSTR value)
{
    return m_field->FromString(value);
}
