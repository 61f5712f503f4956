#include "controls/CoolCombo.h"

LRESULT CCoolCombo::Forward(UINT code, DWORD value)
{
    CWnd* owner = GetOwner() ? GetOwner() : GetParent();
    return SendCoolComboNotify(owner, this, static_cast<UINT>(GetDlgCtrlID()), code, value);
}

BOOL CCoolCombo::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* record = reinterpret_cast<NMCOOLCOMBO*>(lParam);
    if (!record || (record->hdr.idFrom != 1 && record->hdr.hwndFrom != m_hWnd))
        return CStatic::OnNotify(wParam, lParam, result);
    const int value = static_cast<int>(record->value);
    switch (record->hdr.code) {
    case CCN_HOTCHANGED: OnPopupHot(value); break;
    case CCN_OPENED: OnPopupOpened(); break;
    case CCN_CLOSED: OnPopupClosed(); break;
    case CCN_SELECT: OnPopupSelect(value); break;
    case CCN_CANCEL: OnPopupCancel(); break;
    case CCN_EXTRA: OnPopupExtra(); break;
    case CCN_TEXTENTRY: OnPopupTextEntry(value); break;
    case CCN_TORNOFF: OnPopupTornOff(); break;
    default: return CStatic::OnNotify(wParam, lParam, result);
    }
    if (result)
        *result = 0;
    return TRUE;
}

void CCoolCombo::OnPopupHot(int index) { Forward(CCN_HOTCHANGED, static_cast<DWORD>(index)); }
void CCoolCombo::OnPopupOpened() { Forward(CCN_OPENED, 0); }
void CCoolCombo::OnPopupCancel() { Forward(CCN_CANCEL, 0); }

void CCoolCombo::OnPopupClosed()
{
    m_popup = nullptr;
    m_dropped = m_hot = FALSE;
    Redraw();
    Forward(CCN_CLOSED, 0);
}

// A cell with a command issues it to the owner instead of choosing.
void CCoolCombo::OnPopupSelect(int index)
{
    const bool hasCommand = index >= 0 && static_cast<size_t>(index) < m_commands.size() &&
                            m_commands[static_cast<size_t>(index)] != 0 &&
                            m_commands[static_cast<size_t>(index)] != static_cast<DWORD>(-1);
    if (hasCommand) {
        SetCurSel(CC_NONE);
        CWnd* owner = GetOwner() ? GetOwner() : GetParent();
        if (owner)
            owner->PostMessage(WM_COMMAND, m_commands[static_cast<size_t>(index)], reinterpret_cast<LPARAM>(m_hWnd));
        return;
    }
    SetCurSel(index);
    Forward(CCN_SELECT, static_cast<DWORD>(index));
}

void CCoolCombo::OnPopupExtra()
{
    SetCurSel(CC_EXTRA);
    Forward(CCN_EXTRA, 0);
}

void CCoolCombo::OnPopupTextEntry(int entry)
{
    SetCurSel(CC_TEXTENTRY + entry);
    Forward(CCN_TEXTENTRY, static_cast<DWORD>(entry));
}

void CCoolCombo::OnPopupTornOff()
{
    m_dropped = m_hot = FALSE;
    Redraw();
    Forward(CCN_TORNOFF, 0);
}
