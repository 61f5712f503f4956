#include "controls/DateTimePicker.h"

BEGIN_MESSAGE_MAP(CDateTimePicker, CWnd)
    ON_NOTIFY_REFLECT_EX(DTN_DROPDOWN, OnDropDown)
    ON_NOTIFY_REFLECT_EX(DTN_CLOSEUP, OnCloseUp)
    ON_NOTIFY_REFLECT_EX(DTN_DATETIMECHANGE, OnDateTimeChange)
END_MESSAGE_MAP()

CDateTimePicker::CDateTimePicker() : m_value(COleDateTime::GetCurrentTime())
{
    static const BOOL initialised = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&init);
    }();
    (void)initialised;
}

BOOL CDateTimePicker::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(DATETIMEPICK_CLASS, "", style, rect, parent, id);
}

void CDateTimePicker::SetTime(const COleDateTime& time)
{
    m_value = time;
    SYSTEMTIME st{};
    if (m_hWnd && time.GetAsSystemTime(st))
        SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

COleDateTime CDateTimePicker::ReadControl() const
{
    SYSTEMTIME st{};
    if (::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return COleDateTime::GetCurrentTime();
    return COleDateTime(st);
}

BOOL CDateTimePicker::OnDropDown(NMHDR*, LRESULT*)
{
    m_dropped = TRUE;
    return FALSE;
}

// The change the calendar made while it was open reaches the owner now, once.
BOOL CDateTimePicker::OnCloseUp(NMHDR*, LRESULT*)
{
    m_dropped = FALSE;
    if (m_suppress)
        return FALSE;
    const COleDateTime now = ReadControl();
    if (now == m_value)
        return FALSE;
    m_value = now;
    NMDATETIMECHANGE change{{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), DTN_DATETIMECHANGE}, GDT_VALID, {}};
    now.GetAsSystemTime(change.st);
    CWnd* owner = GetOwner() ? GetOwner() : GetParent();
    if (owner)
        owner->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&change));
    return FALSE;
}

// Swallowed while the calendar is open; otherwise a valid new value is kept and the
// owner hears of it.
BOOL CDateTimePicker::OnDateTimeChange(NMHDR* header, LRESULT*)
{
    if (m_dropped && !m_suppress)
        return TRUE;
    auto* change = reinterpret_cast<NMDATETIMECHANGE*>(header);
    if (change->dwFlags == GDT_VALID)
        m_value = COleDateTime(change->st);
    return FALSE;
}
