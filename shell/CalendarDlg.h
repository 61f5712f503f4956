// The modeless Calender window: a month calendar that fills a resizable window, which
// remembers where it was when it closes.
#pragma once

#include "controls/DayStateCalendar.h"
#include "platform/ui/Dialog.h"

class CCalendarDlg : public CDialog {
public:
    static constexpr UINT IDD = 200, kCalendarId = 1016;

    explicit CCalendarDlg(CWnd* parent = nullptr);
    BOOL DestroyWindow() override;
    CDayStateCalendar& GetCalendar() { return m_calendar; }
    // The tip's string resource for a part of the calendar; 0 for none.
    static UINT TipTextId(UINT hitCode);

    void OnSize(UINT type, int cx, int cy);
    void OnTipText(NMHDR* header, LRESULT* result);

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void LayoutCalendar();

    CDayStateCalendar m_calendar{CalendarToolTips};

    DECLARE_MESSAGE_MAP()
};
