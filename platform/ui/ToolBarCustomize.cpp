// The tool bar's buttons as records, and the customize dialog it opens.
#include "platform/ui/ControlBar.h"
#include "platform/ui/ToolBarCustomizeDlg.h"
#include "platform/ui/WinApp.h"

namespace {

// The bar keeps "disabled" where the record keeps "enabled".
BYTE StateOf(UINT style) { return static_cast<BYTE>(HIWORD(style) ^ TBSTATE_ENABLED); }
UINT StyleOf(const TBBUTTON& button)
{
    return button.fsStyle | (static_cast<UINT>(button.fsState ^ TBSTATE_ENABLED) << 16);
}

} // namespace

BOOL CToolBar::GetButton(int index, TBBUTTON* button) const
{
    if (!button || index < 0 || index >= GetCount())
        return FALSE;
    const Button& b = m_buttons[static_cast<size_t>(index)];
    *button = TBBUTTON{};
    button->iBitmap = b.image;
    button->idCommand = static_cast<int>(b.id);
    button->fsState = StateOf(b.style);
    button->fsStyle = static_cast<BYTE>(b.style & 0xFF);
    button->iString = -1;
    return TRUE;
}

BOOL CToolBar::InsertButton(int index, const TBBUTTON& button)
{
    if (index < 0 || index > GetCount())
        return FALSE;
    const bool separator = (button.fsStyle & TBSTYLE_SEP) != 0;
    Button b{separator ? ID_SEPARATOR : static_cast<UINT>(button.idCommand), StyleOf(button), button.iBitmap, CString()};
    m_buttons.insert(m_buttons.begin() + index, b);
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CToolBar::DeleteButton(int index)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_buttons.erase(m_buttons.begin() + index);
    if (m_nPressed >= GetCount())
        m_nPressed = -1;
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

LRESULT CToolBar::NotifyParent(UINT code, NMTOOLBAR& info)
{
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = code;
    return parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

void CToolBar::Customize()
{
    CToolBarCustomizeDlg dialog(*this);
    dialog.InitModalIndirect(CToolBarCustomizeDlg::Template(), GetParent());
    dialog.DoModal();
}

LRESULT CToolBar::OnCustomize(WPARAM, LPARAM)
{
    Customize();
    return TRUE;
}
