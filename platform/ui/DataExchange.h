// Dialog data exchange: DDX_ moves values between members and controls in both directions,
// DDV_ checks them when saving and refuses bad input with a message, refocusing the control.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

class CDataExchange {
public:
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control with this id, remembered as the one a later failure refocuses; a missing
    // control is a programming error reported by failing the exchange.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Ends the exchange: when saving, focuses the last control (selecting an edit's text).
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// id is the first radio button of a group; value is the index of the checked one or -1.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_Slider(CDataExchange* dx, int id, int& value);
void DDX_Scroll(CDataExchange* dx, int id, int& value);
// Binds a control object to the dialog's control on the first exchange.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max);
void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE min, BYTE max);
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double min, double max);
void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float min, float max);
// Saving refuses longer text; loading limits the last edit control to max characters.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int max);
