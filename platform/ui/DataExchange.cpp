#include "platform/ui/DataExchange.h"

#include "platform/core/Exception.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/WinApp.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

void refuse(CDataExchange* dx, const CString& text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}

CString controlText(HWND control)
{
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    return text;
}

bool blankTail(const char* end)
{
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == 0;
}

// Whole-text integer in [min, max]; false for anything else.
bool parseInteger(const CString& text, long long min, long long max, long long& out)
{
    const char* start = text.GetString();
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || !blankTail(end) || value < min || value > max)
        return false;
    out = value;
    return true;
}

template <class T>
void exchangeInteger(CDataExchange* dx, int id, T& value, long long min, long long max)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowText(control, std::to_string(value).c_str());
        return;
    }
    long long parsed = 0;
    if (!parseInteger(controlText(control), min, max, parsed))
        refuse(dx, "Please enter an integer.");
    value = static_cast<T>(parsed);
}

template <class T>
void exchangeReal(CDataExchange* dx, int id, T& value, int digits)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        CString text;
        text.Format("%.*g", digits, static_cast<double>(value));
        ::SetWindowText(control, text);
        return;
    }
    CString text = controlText(control);
    const char* start = text.GetString();
    char* end = nullptr;
    double parsed = strtod(start, &end);
    if (end == start || !blankTail(end) || !std::isfinite(parsed))
        refuse(dx, "Please enter a number.");
    value = static_cast<T>(parsed);
}

template <class T>
void checkRange(CDataExchange* dx, T value, T min, T max, const char* format)
{
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max))
        return;
    CString text;
    text.Format(format, min, max);
    refuse(dx, text);
}

void checkRealRange(CDataExchange* dx, double value, double min, double max, int digits)
{
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max))
        return;
    CString text;
    text.Format("Please enter a number between %.*g and %.*g.", digits, min, digits, max);
    refuse(dx, text);
}

// The radio buttons of the group that starts at first.
template <class F>
void forEachInGroup(HWND first, F f)
{
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLongPtr(h, GWL_STYLE) & WS_GROUP))
            break;
        if (::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            f(h, index++);
    }
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        AfxThrowUserException();
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* dx, int id, int& value) { exchangeInteger(dx, id, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* dx, int id, UINT& value) { exchangeInteger(dx, id, value, 0, UINT_MAX); }
void DDX_Text(CDataExchange* dx, int id, long& value) { exchangeInteger(dx, id, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* dx, int id, BYTE& value) { exchangeInteger(dx, id, value, 0, 255); }
void DDX_Text(CDataExchange* dx, int id, double& value) { exchangeReal(dx, id, value, DBL_DIG); }
void DDX_Text(CDataExchange* dx, int id, float& value) { exchangeReal(dx, id, value, FLT_DIG); }

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = controlText(control);
    else
        ::SetWindowText(control, value);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
        return;
    }
    ::SendMessage(control, BM_SETCHECK, (value >= 0 && value <= 2) ? static_cast<WPARAM>(value) : 0, 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND first = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    forEachInGroup(first, [&](HWND button, int index) {
        if (dx->m_bSaveAndValidate) {
            if (::SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    });
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

void exchangeComboString(CDataExchange* dx, int id, CString& value, UINT findMessage)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = controlText(control);
        return;
    }
    auto found = ::SendMessage(control, findMessage, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    if (found != CB_ERR)
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else if ((::GetWindowLongPtr(control, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
        ::SetWindowText(control, value);
}

} // namespace

void DDX_CBString(CDataExchange* dx, int id, CString& value) { exchangeComboString(dx, id, value, CB_FINDSTRING); }
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) { exchangeComboString(dx, id, value, CB_FINDSTRINGEXACT); }

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SendMessage(control, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
        return;
    }
    auto index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    value.Empty();
    auto length = ::SendMessage(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length < 0)
        return;
    std::string buffer(static_cast<size_t>(length) + sizeof(ULONG_PTR) + 1, '\0');
    ::SendMessage(control, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    value = buffer.c_str();
}

void DDX_Slider(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(control, TBM_GETPOS, 0, 0));
    else
        ::SendMessage(control, TBM_SETPOS, TRUE, value);
}

void DDX_Scroll(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(control, SBM_GETPOS, 0, 0));
    else
        ::SendMessage(control, SBM_SETPOS, static_cast<WPARAM>(value), TRUE);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND h = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(h))
        AfxThrowUserException();
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max)
{
    checkRange(dx, value, min, max, "Please enter an integer between %d and %d.");
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max)
{
    checkRange(dx, value, min, max, "Please enter an integer between %u and %u.");
}
void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max)
{
    checkRange(dx, value, min, max, "Please enter an integer between %ld and %ld.");
}
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE min, BYTE max)
{
    checkRange<int>(dx, value, min, max, "Please enter an integer between %d and %d.");
}
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double min, double max)
{
    checkRealRange(dx, value, min, max, DBL_DIG);
}
void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float min, float max)
{
    checkRealRange(dx, value, min, max, FLT_DIG);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int max)
{
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_hWndLastControl && dx->m_bEditLastControl)
            ::SendMessage(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(max), 0);
        return;
    }
    if (value.GetLength() <= max)
        return;
    CString text;
    text.Format("Please enter no more than %d characters.", max);
    refuse(dx, text);
}
