#include "controls/PropTabStrip.h"

#include "platform/gdi/Dc.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CPropTabStrip, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CPropTabStrip::Reset(BOOL redraw)
{
    m_current = 0;
    m_count = static_cast<int>(m_captions.GetSize());
    if (redraw && m_hWnd)
        Invalidate();
}

int CPropTabStrip::HitTest(int x)
{
    CRect client;
    GetClientRect(&client);
    if (m_count <= 0 || client.Width() <= 0)
        return -1;
    const int index = std::clamp(m_count * x / client.Width(), 0, m_count - 1);
    if (index != m_current) {
        m_current = index;
        Invalidate();
    }
    return m_current;
}

CRect CPropTabStrip::TabRect(int index, int count, int width, int height)
{
    if (count <= 0)
        return CRect();
    const int each = width / count;
    const int remainder = width - count * each;
    const int left = index * each + std::min(index, remainder);
    return CRect(left, 0, left + each + (index < remainder ? 1 : 0), height);
}

void CPropTabStrip::ClientRectOnScreen(CWnd* window, CRect* out)
{
    CRect outer;
    CRect client;
    window->GetWindowRect(&outer);
    window->GetClientRect(&client);
    const int border = (outer.Width() - client.Width()) / 2;
    const int top = outer.Height() - client.Height() - border;
    *out = CRect(outer.left + border, outer.top + top, outer.left + border + client.Width(),
                 outer.top + top + client.Height());
}

void CPropTabStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    if (m_count <= 0)
        return;
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(GetParent()->SendMessage(WM_GETFONT, 0, 0)));
    CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < m_count; ++i) {
        CRect tab = TabRect(i, m_count, client.Width(), client.Height());
        DrawTabFrame(&dc, tab, i == m_current);
        tab.top += 6;
        if (i < m_captions.GetSize())
            dc.DrawText(m_captions.GetAt(i), &tab, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}

// The selected tab stands raised and open towards the list below it.
void CPropTabStrip::DrawTabFrame(CDC* dc, CRect tab, BOOL selected)
{
    CPen highlight(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT));
    CPen text(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* old = dc->SelectObject(&highlight);
    if (!selected) {
        dc->MoveTo(tab.left, tab.bottom - 1);
        dc->LineTo(tab.right, tab.bottom - 1);
        const int inset = std::min(tab.Width() / 40, 2);
        tab.DeflateRect(inset, 0);
        tab.top += 2;
    }
    dc->MoveTo(tab.left, tab.bottom - 1);
    dc->LineTo(tab.left, tab.top + 2);
    dc->LineTo(tab.left + 2, tab.top);
    dc->LineTo(tab.right - 2, tab.top);
    dc->SelectObject(&shadow);
    dc->MoveTo(tab.right - 2, tab.top);
    dc->LineTo(tab.right - 2, tab.bottom);
    dc->SelectObject(&text);
    dc->MoveTo(tab.right - 1, tab.top + 2);
    dc->LineTo(tab.right - 1, tab.bottom);
    dc->SelectObject(old);
}
