#include "controls/BitmapSlider.h"

#include "controls/SliderAudio.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstdlib>

void CBitmapSlider::Report(UINT message, CWnd* receiver)
{
    if (receiver)
        receiver->PostMessage(message, GetDlgCtrlID(), m_pos);
}

void CBitmapSlider::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_enabled)
        return;
    SetCapture();
    SetFocus();
    m_dragging = TRUE;
    GetSliderAudio().StopSound();
    const int centre = PosToPixel(m_pos);
    const int half = (m_vertical ? m_thumb.height : m_thumb.width) / 2;
    m_dragOffset = std::abs(Along(point) - centre) <= half ? Along(point) - centre : 0;
    OnMouseMove(flags, point);
}

void CBitmapSlider::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    const int first = PosToPixel(m_min);
    const int last = PosToPixel(m_max);
    const int pixel = std::clamp(Along(point) - m_dragOffset, std::min(first, last), std::max(first, last));
    if (pixel == PosToPixel(m_pos))
        return;
    SetPos(PixelToPos(pixel));
    Report(WM_SLIDER_MOVING, GetParent());
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging)
        return;
    ReleaseCapture();
    m_dragging = FALSE;
    Invalidate();
    Report(WM_SLIDER_MOVED, AfxGetMainWnd());
    GetSliderAudio().OnSliderPos(GetDlgCtrlID(), m_pos);
}

void CBitmapSlider::OnKeyDown(UINT key, UINT, UINT)
{
    if (!m_enabled)
        return;
    int position = m_pos;
    switch (key) {
    case VK_PRIOR: position -= m_page; break;
    case VK_NEXT: position += m_page; break;
    case VK_END: position = m_max; break;
    case VK_HOME: position = m_min; break;
    case VK_LEFT:
    case VK_UP: position -= 1; break;
    case VK_RIGHT:
    case VK_DOWN: position += 1; break;
    default: return;
    }
    SetPos(position);
    Report(WM_SLIDER_MOVED, GetParent());
    GetSliderAudio().OnSliderPos(GetDlgCtrlID(), m_pos);
}

UINT CBitmapSlider::OnGetDlgCode()
{
    return ::GetKeyState(VK_TAB) < 0 ? 0 : DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnSetFocus(CWnd*)
{
    m_hasFocus = TRUE;
    Invalidate();
}

void CBitmapSlider::OnKillFocus(CWnd*)
{
    m_hasFocus = FALSE;
    Invalidate();
}

void CBitmapSlider::OnDestroy()
{
    m_channel.Clear();
    m_thumb.Clear();
    m_background.DeleteObject();
    CStatic::OnDestroy();
}
