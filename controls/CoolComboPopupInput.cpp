#include "controls/CoolComboPopup.h"

#include "platform/ui/UiApi.h"

namespace {

// Where the navigation keys lead from a value, in the popup's three areas.
struct Nav {
    int count, columns, textCount;
    bool hasExtra;

    int rows() const { return (count + columns - 1) / columns; }
    int lastRowStart() const { return count > 0 ? (rows() - 1) * columns : 0; }
    int firstText() const { return CC_TEXTENTRY; }
    int lastText() const { return CC_TEXTENTRY + textCount - 1; }
    // After the grid: the first text entry, else the extra entry, else fallback.
    int afterGrid(int fallback) const { return textCount ? firstText() : (hasExtra ? CC_EXTRA : fallback); }
    // After the text entries: the extra entry, else cell 0.
    int afterText() const { return hasExtra ? CC_EXTRA : 0; }

    int down(int h) const
    {
        if (h < 0)
            return 0;
        if (h >= CC_TEXTENTRY)
            return h < lastText() ? h + 1 : afterText();
        return h + columns < count ? h + columns : afterGrid(0);
    }
    int up(int h) const
    {
        if (h < 0)
            return textCount ? lastText() : lastRowStart();
        if (h >= CC_TEXTENTRY)
            return h == firstText() ? lastRowStart() : h - 1;
        if (h >= columns)
            return h - columns;
        return hasExtra ? CC_EXTRA : (textCount ? lastText() : lastRowStart());
    }
    int left(int h) const
    {
        if (h < 0)
            return textCount ? lastText() : count - 1;
        if (h >= CC_TEXTENTRY)
            return h == firstText() ? count - 1 : h - 1;
        if (h > 0)
            return h - 1;
        return hasExtra ? CC_EXTRA : (textCount ? lastText() : count - 1);
    }
    int right(int h) const
    {
        if (h < 0)
            return 0;
        if (h >= CC_TEXTENTRY)
            return h < lastText() ? h + 1 : afterText();
        const int rowStart = h - h % columns;
        if (h % columns == columns - 1)
            return h + 1 < count ? h + 1 : afterGrid(0);
        return h + 1 < count ? h + 1 : afterGrid(rowStart);
    }
};

} // namespace

int CCoolComboPopup::NextHot(int hot, UINT key, int count, int columns, int textCount, bool hasExtra)
{
    const Nav nav{count, columns > 0 ? columns : 1, textCount, hasExtra};
    switch (key) {
    case VK_DOWN: return nav.down(hot);
    case VK_UP: return nav.up(hot);
    case VK_LEFT: return nav.left(hot);
    case VK_RIGHT: return nav.right(hot);
    default: return hot;
    }
}

void CCoolComboPopup::SetHot(int hot)
{
    if (hot == m_hot)
        return;
    CRect old = GetCellRect(m_hot), now = GetCellRect(hot);
    m_hot = hot;
    InvalidateRect(&old);
    InvalidateRect(&now);
    ShowStatusPrompt(hot);
    if (hot >= 0 && hot < m_count)
        OnHotChanged(hot);
}

void CCoolComboPopup::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (m_tearOffArmed && !m_tearOffRect.PtInRect(point)) {
        TearOff();
        return;
    }
    SetHot(HitTest(point));
    if (client.PtInRect(point)) {
        if (GetCapture() != this)
            SetCapture();
    } else if (m_floating && GetCapture() == this) {
        ReleaseCapture();
    }
}

void CCoolComboPopup::OnLButtonDown(UINT, CPoint point)
{
    if (m_tearOff && m_tearOffRect.PtInRect(point))
        m_tearOffArmed = TRUE;
}

void CCoolComboPopup::OnLButtonUp(UINT, CPoint point)
{
    m_tearOffArmed = FALSE;
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        SetHot(HitTest(point));
        End(true);
    } else if (!m_floating) {
        End(false);
    }
}

void CCoolComboPopup::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    switch (key) {
    case VK_RETURN: End(true); return;
    case VK_ESCAPE:
        if (!m_floating)
            End(false);
        return;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        SetHot(NextHot(m_hot, key, m_count, m_columns, static_cast<int>(m_textEntries.GetSize()), !m_extraText.IsEmpty()));
        return;
    default: CWnd::OnKeyDown(key, repeat, flags);
    }
}

void CCoolComboPopup::OnKillFocus(CWnd* next)
{
    CWnd::OnKillFocus(next);
    if (!m_floating && !m_keep && !m_ignoreFocusLoss)
        End(false);
}

void CCoolComboPopup::End(bool choose)
{
    if (!m_floating) {
        if (m_ended)
            return;
        m_ended = TRUE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    if (choose && m_hot != CC_NONE) {
        SetSelected(m_hot);
        if (m_hot == CC_EXTRA)
            OnChooseExtra();
        else if (m_hot >= CC_TEXTENTRY)
            OnChooseTextEntry(m_hot - CC_TEXTENTRY);
        else
            OnChooseItem(m_hot);
    } else {
        OnCancel();
    }
    if (!m_floating)
        DestroyWindow();
}

// The popup becomes a floating tool window at the same place, dragged by its caption.
void CCoolComboPopup::TearOff()
{
    m_tearOffArmed = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    CRect at;
    GetWindowRect(&at);
    m_keep = TRUE;
    DestroyWindow();
    m_tearOff = FALSE;
    m_floating = TRUE;
    Layout(at.TopLeft());
    CreateWindowAt(m_windowRect, WS_SYSMENU | WS_VISIBLE | WS_CAPTION, WS_EX_TOOLWINDOW);
    AddToolTips();
    if (::GetKeyState(VK_LBUTTON) < 0) // the drag goes on only while the button is held
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.left, at.top));
    m_keep = FALSE;
    Notify(CCN_TORNOFF, 0);
}
