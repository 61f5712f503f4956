#include "controls/DateTimeDlg.h"

#include "controls/CoolComboNotify.h"
#include "objects/ShellServices.h"
#include "platform/ui/Resources.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDateTimeDlg, CDialog)
    ON_BN_CLICKED(IDC_DT_COPY_EXAMPLE, OnCopyExample)
    ON_EN_CHANGE(IDC_DT_TEXT, OnTextChanged)
END_MESSAGE_MAP()

CDateTimeDlg::CDateTimeDlg(int x, int y, UINT notifyId, LPCTSTR initialText, CWnd* parent, BOOL compact)
    : CDialog(compact ? IDD_DATETIME_COMPACT : IDD_DATETIME, parent), m_date(COleDateTime::GetCurrentTime()), m_x(x),
      m_y(y), m_notifyId(notifyId), m_initialText(initialText ? initialText : ""), m_text(m_initialText)
{
    RegisterDateTimeDialogTemplates();
}

BOOL CDateTimeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picker.SubclassDlgItem(IDC_DT_PICKER, this);
    m_calendar.SubclassDlgItem(IDC_DT_CALENDAR, this);
    COleDateTime start = COleDateTime::GetCurrentTime();
    if (m_initialText.Left(1) != "+") {
        COleDateTime parsed;
        if (ParseDateTime(m_initialText, parsed))
            start = parsed;
    }
    m_date = start;
    SYSTEMTIME st{};
    start.GetAsSystemTime(st);
    m_calendar.SetCurSel(&st);
    m_picker.SetTime(start);
    SetDlgItemText(IDC_DT_TEXT, m_initialText);
    m_text = m_initialText;
    KeepInsideWorkArea();
    return TRUE;
}

void CDateTimeDlg::KeepInsideWorkArea()
{
    CRect r;
    GetWindowRect(&r);
    r.OffsetRect(m_x - r.left, m_y - r.top);
    const CRect work(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (r.right > work.right)
        r.OffsetRect(work.right - r.right, 0);
    if (r.left < work.left)
        r.OffsetRect(work.left - r.left, 0);
    if (r.bottom > work.bottom)
        r.OffsetRect(0, work.bottom - r.bottom);
    SetWindowPos(nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CDateTimeDlg::ComposeText()
{
    SYSTEMTIME day{};
    m_calendar.GetCurSel(&day);
    const COleDateTime date(day.wYear, day.wMonth, day.wDay, 0, 0, 0);
    const COleDateTime time = m_picker.ReadControl();
    m_date = date;
    m_text = date.Format("%d.%m.%Y") + " " + time.Format("%H:%M:%S");
    SetDlgItemText(IDC_DT_TEXT, m_text);
}

BOOL CDateTimeDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const BOOL handled = CDialog::OnNotify(wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const bool calendar = header->idFrom == IDC_DT_CALENDAR && header->code == MCN_SELCHANGE;
    const bool picker = (header->idFrom == IDC_DT_PICKER || header->idFrom == IDC_DT_PICKER_ALT) &&
                        header->code == DTN_DATETIMECHANGE;
    if (calendar || picker)
        ComposeText();
    return handled || calendar || picker;
}

void CDateTimeDlg::OnCopyExample()
{
    CString example;
    GetDlgItemText(IDC_DT_EXAMPLE, example);
    SetDlgItemText(IDC_DT_TEXT, example);
}

void CDateTimeDlg::OnTextChanged()
{
    GetDlgItemText(IDC_DT_TEXT, m_text);
}

void CDateTimeDlg::OnOK()
{
    GetDlgItemText(IDC_DT_TEXT, m_text);
    SendCoolComboNotify(GetParent(), this, m_notifyId, CCN_SELECT, 0);
    EndDialog(IDOK);
}

void CDateTimeDlg::OnCancel()
{
    SendCoolComboNotify(GetParent(), this, m_notifyId, CCN_CANCEL, 0);
    EndDialog(IDCANCEL);
}
