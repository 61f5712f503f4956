#include "objects/PropNumber.h"

#include "objects/PropCombo.h"

#include <algorithm>

CPropInt::CPropInt(UINT nameId, int* field, int lower, int upper, UINT arg)
    : CPropValue(nameId, field, arg), m_lower(lower), m_upper(upper)
{
}

void CPropInt::Apply()
{
    *m_field = std::clamp(m_edited, m_lower, m_upper);
}

void CPropInt::ApplyFrom(const CPropOb* peer)
{
    *m_field = std::clamp(Peer(peer).m_edited, m_lower, m_upper);
}

BOOL CPropInt::GetValueText(CString& text) const
{
    text.Format("%d", m_edited);
    return TRUE;
}

BOOL CPropInt::GetIntValue(int* value) const
{
    *value = *m_field;
    return TRUE;
}

BOOL CPropInt::SetIntValue(int value)
{
    *m_field = value;
    return TRUE;
}

void CLinePropWidth::OnValueChanged()
{
    if (m_edited > 1 && m_linkedStyle && m_linkedStyle->m_edited != 0) {
        m_linkedStyle->m_edited = 0;
        NotifyListChanged();
    }
}

void CLinePropWidth::DropLinkTo(const CPropOb* gone)
{
    if (m_linkedStyle == gone)
        m_linkedStyle = nullptr;
}

BOOL CPropLong::GetValueText(CString& text) const
{
    text.Format("%ld", static_cast<long>(m_edited));
    return TRUE;
}

BOOL CPropLong::GetLongValue(long* value) const
{
    *value = *m_field;
    return TRUE;
}

BOOL CPropLong::SetLongValue(long value)
{
    *m_field = static_cast<LONG>(value);
    return TRUE;
}

void CPropShadowLong::OnValueChanged()
{
    if (!m_direction)
        return;
    POINT offset = { m_edited, m_edited };
    if (m_partnerY)
        offset.y = m_partnerY->m_edited;
    else if (m_partnerX)
        offset.x = m_partnerX->m_edited;
    struct Direction {
        POINT offset;
        DWORD value;
    };
    static constexpr Direction directions[] = {
        { { 0, 0 }, 0 }, { { -6, -6 }, 1 }, { { 6, -6 }, 2 }, { { -6, 6 }, 3 }, { { 6, 6 }, 4 } };
    m_direction->m_edited = 99;
    for (const Direction& direction : directions)
        if (direction.offset.x == offset.x && direction.offset.y == offset.y)
            m_direction->m_edited = direction.value;
    NotifyListChanged();
}

void CPropShadowLong::DropLinkTo(const CPropOb* gone)
{
    if (m_direction == gone)
        m_direction = nullptr;
    if (m_partnerX == gone)
        m_partnerX = nullptr;
    if (m_partnerY == gone)
        m_partnerY = nullptr;
}

BOOL CPropDbl::GetValueText(CString& text) const
{
    text.Format("%lg", m_edited);
    return TRUE;
}

BOOL CPropDbl::GetDoubleValue(double* value) const
{
    *value = *m_field;
    return TRUE;
}

BOOL CPropDbl::SetDoubleValue(double value)
{
    *m_field = value;
    return TRUE;
}
