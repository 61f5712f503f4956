#include "platform/ui/RangeCtrls.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(TRACKBAR_CLASS, "", style, rect, parent, id);
}

void CSliderCtrl::SetRange(int min, int max, BOOL redraw)
{
    SetRangeMin(min, FALSE);
    SetRangeMax(max, redraw);
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(UPDOWN_CLASS, "", style, rect, parent, id);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    auto old = reinterpret_cast<HWND>(::SendMessage(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr), 0));
    return CWnd::FromHandle(old);
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(PROGRESS_CLASS, "", style, rect, parent, id);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range{};
    sendInt(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}
