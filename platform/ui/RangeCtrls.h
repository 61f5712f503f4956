// Sliders, spin buttons and progress bars.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetPos() const { return sendInt(TBM_GETPOS, 0, 0); }
    void SetPos(int pos) { sendInt(TBM_SETPOS, TRUE, pos); }
    int GetRangeMin() const { return sendInt(TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return sendInt(TBM_GETRANGEMAX, 0, 0); }
    void GetRange(int& min, int& max) const { min = GetRangeMin(); max = GetRangeMax(); }
    void SetRange(int min, int max, BOOL redraw = FALSE);
    void SetRangeMin(int min, BOOL redraw = FALSE) { sendInt(TBM_SETRANGEMIN, static_cast<WPARAM>(redraw), min); }
    void SetRangeMax(int max, BOOL redraw = FALSE) { sendInt(TBM_SETRANGEMAX, static_cast<WPARAM>(redraw), max); }
    void SetTicFreq(int freq) { sendInt(TBM_SETTICFREQ, static_cast<WPARAM>(freq), 0); }
    int SetPageSize(int size) { return sendInt(TBM_SETPAGESIZE, 0, size); }
    int GetPageSize() const { return sendInt(TBM_GETPAGESIZE, 0, 0); }
    int SetLineSize(int size) { return sendInt(TBM_SETLINESIZE, 0, size); }
    int GetLineSize() const { return sendInt(TBM_GETLINESIZE, 0, 0); }
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper) { sendInt(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange32(int& lower, int& upper) const
    {
        sendInt(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    }
    int SetPos(int pos) { return sendInt(UDM_SETPOS32, 0, pos); }
    int GetPos() const { return sendInt(UDM_GETPOS32, 0, 0); }
    int SetPos32(int pos) { return SetPos(pos); }
    int GetPos32() const { return GetPos(); }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0))); }
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper) { sendInt(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos) { return sendInt(PBM_SETPOS, static_cast<WPARAM>(pos), 0); }
    int GetPos() const { return sendInt(PBM_GETPOS, 0, 0); }
    int OffsetPos(int delta) { return sendInt(PBM_DELTAPOS, static_cast<WPARAM>(delta), 0); }
    int SetStep(int step) { return sendInt(PBM_SETSTEP, static_cast<WPARAM>(step), 0); }
    int StepIt() { return sendInt(PBM_STEPIT, 0, 0); }
};
