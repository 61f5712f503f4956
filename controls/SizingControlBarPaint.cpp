// Drawing of the sizing bar's frame: the face, raised sizing edges, the gripper and its close box.
#include "controls/SizingControlBar.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

void CSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    if (m_bDrawEdges)
        for (Edge edge : {EdgeLeft, EdgeTop, EdgeRight, EdgeBottom})
            if (m_dwEdges & edge) {
                const CRect rect = GetEdgeRect(edge);
                dc.Draw3dRect(&rect, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            }
    if (IsHorzDocked() || IsVertDocked())
        DrawGripper(dc, client);
}

// Two raised lines along the strip beside the client area, and the close box at its end.
void CSizingControlBar::DrawGripper(CDC& dc, const CRect& client)
{
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const bool horz = IsHorzDocked() != FALSE;
    CRect line = horz ? CRect(client.left - m_cyGripper + 2, m_rectClose.bottom + 3, client.left - m_cyGripper + 5,
                              client.bottom)
                      : CRect(client.left, client.top - m_cyGripper + 2, m_rectClose.left - 3,
                              client.top - m_cyGripper + 5);
    for (int i = 0; i < 2 && !line.IsRectEmpty(); ++i) {
        dc.Draw3dRect(&line, light, shadow);
        line.OffsetRect(horz ? 4 : 0, horz ? 0 : 4);
    }
    const COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
    const CRect box = m_rectClose;
    for (int i = 2; i < box.Width() - 2; ++i) {
        dc.SetPixel(box.left + i, box.top + i, ink);
        dc.SetPixel(box.right - 1 - i, box.top + i, ink);
    }
}

void CSizingControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}
