// The date and time dialog: a month calendar and a time picker compose the text
// "d.m.Y H:M:S", or a duration is typed; the parent hears 1978 on OK and 1979 on Cancel
// (NMCOOLCOMBO records from the notification identifier it gave).
#pragma once

#include "controls/DateTimePicker.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MonthCalCtrl.h"

constexpr UINT IDD_DATETIME = 8084, IDD_DATETIME_COMPACT = 101;
constexpr UINT IDC_DT_PICKER = 1000, IDC_DT_PICKER_ALT = 1001, IDC_DT_TEXT = 1058, IDC_DT_CALENDAR = 1074,
               IDC_DT_EXAMPLE = 1075, IDC_DT_COPY_EXAMPLE = 1076;

class CDateTimeDlg : public CDialog {
public:
    CDateTimeDlg(int x, int y, UINT notifyId, LPCTSTR initialText, CWnd* parent, BOOL compact = FALSE);

    CString GetText() const { return m_text; }
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnCopyExample();
    void OnTextChanged();

    DECLARE_MESSAGE_MAP()

private:
    void ComposeText();
    void KeepInsideWorkArea();

    COleDateTime m_date;
    int m_x, m_y;
    UINT m_notifyId;
    CString m_initialText;
    CString m_text;
    CDateTimePicker m_picker;
    CMonthCalCtrl m_calendar;
};

// The two dialog templates, registered once unless the resources already hold them.
void RegisterDateTimeDialogTemplates();
