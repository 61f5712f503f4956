#include "platform/ui/DateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    if (!init)
        return FALSE;
    AfxRegisterControlClasses();
    return TRUE;
}

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(DATETIMEPICK_CLASS, "", style, rect, parent, id);
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& time)
{
    SYSTEMTIME st{};
    if (time.GetStatus() == COleDateTime::null)
        return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, GDT_NONE, 0));
    return time.GetAsSystemTime(st) && SetTime(&st);
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time)
{
    return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, time ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(time)));
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& time) const
{
    SYSTEMTIME st{};
    DWORD result = GetTime(&st);
    if (result == GDT_VALID)
        time = COleDateTime(st);
    else
        time.SetStatus(result == GDT_NONE ? COleDateTime::null : COleDateTime::invalid);
    return result == GDT_VALID;
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME time) const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR format)
{
    return static_cast<BOOL>(SendMessage(DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(format)));
}
