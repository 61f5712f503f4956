#include "shell/CalendarDlg.h"

#include "shell/Settings.h"
#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <cstring>

BEGIN_MESSAGE_MAP(CCalendarDlg, CDialog)
    ON_WM_SIZE()
    ON_NOTIFY(CalendarTipNotification, CCalendarDlg::kCalendarId, OnTipText)
END_MESSAGE_MAP()

namespace {

constexpr UINT kWeekNumber = MCHT_CALENDAR | 3;

struct TipRow {
    UINT hit;
    UINT text;
};

constexpr TipRow kTips[] = {
    {MCHT_TITLEBTNNEXT, 8100},     {MCHT_TITLEBTNPREV, 8101},     {MCHT_TITLEMONTH, 8102},
    {MCHT_TITLEYEAR, 8103},        {MCHT_TITLE, 8104},            {MCHT_NOWHERE, 8105},
    {MCHT_CALENDAR, 8106},         {MCHT_CALENDARDAY, 8107},      {kWeekNumber, 8108},
    {MCHT_CALENDARDATENEXT, 8109}, {MCHT_CALENDARDATEPREV, 8110}, {MCHT_CALENDARDATE, 8111},
    {MCHT_TODAYLINK, 8112},
};

} // namespace

CCalendarDlg::CCalendarDlg(CWnd* parent) : CDialog(IDD, parent) {}

UINT CCalendarDlg::TipTextId(UINT hitCode)
{
    for (const TipRow& row : kTips)
        if (row.hit == hitCode)
            return row.text;
    return 0;
}

BOOL CCalendarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_calendar.SubclassDlgItem(kCalendarId, this);
    m_calendar.SizeToMonths(2, 2, CSize(4, 4));
    CRect one;
    m_calendar.GetMinReqRect(&one);
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
    int width = GetCalendarWidth(), height = GetCalendarHeight();
    if (one.Width() > width)
        width = one.Width() + 2 * edgeX;
    if (one.Height() > height)
        height = one.Height() + 2 * edgeY;
    const int left = GetCalendarLeft(), top = GetCalendarTop();
    if (left && top && width && height)
        MoveWindow(left, top, width, height);
    LayoutCalendar();
    return TRUE;
}

void CCalendarDlg::LayoutCalendar()
{
    if (!m_calendar.m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
    m_calendar.MoveWindow(client.left + edgeX, client.top + edgeY, std::max(client.Width() - 2 * edgeX, 0),
                          std::max(client.Height() - 2 * edgeY, 0));
}

void CCalendarDlg::OnSize(UINT, int, int)
{
    Default();
    LayoutCalendar();
}

void CCalendarDlg::OnTipText(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* request = reinterpret_cast<CalendarTipRequest*>(header);
    CString text;
    if (const UINT id = request->hit ? TipTextId(request->hit->uHit) : 0)
        text.LoadString(id);
    std::strncpy(request->buffer, text, sizeof request->buffer - 1);
    request->buffer[sizeof request->buffer - 1] = '\0';
}

void CCalendarDlg::OnCancel() { DestroyWindow(); }

// The place is kept even when the window was never moved.
BOOL CCalendarDlg::DestroyWindow()
{
    if (m_hWnd) {
        CRect rect;
        GetWindowRect(&rect);
        SetCalendarLeft(rect.left);
        SetCalendarTop(rect.top);
        SetCalendarHeight(rect.Height());
        SetCalendarWidth(rect.Width());
    }
    return CDialog::DestroyWindow();
}
