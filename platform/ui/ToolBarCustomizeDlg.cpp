#include "platform/ui/ToolBarCustomizeDlg.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CToolBarCustomizeDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A bar owner that answers TRUE for every index would keep the dialog asking for ever.
constexpr int kMaxOffers = 1024;
constexpr DWORD_PTR kSeparatorOffer = static_cast<DWORD_PTR>(-1);

DialogItemTemplate Item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy};
}

TBBUTTON Separator()
{
    TBBUTTON button{};
    button.iBitmap = 8;
    button.fsStyle = static_cast<BYTE>(TBSTYLE_SEP);
    return button;
}

} // namespace

CToolBarCustomizeDlg::CToolBarCustomizeDlg(CToolBar& bar) : m_bar(bar) {}

DialogTemplate CToolBarCustomizeDlg::Template()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 350;
    t.cy = 140;
    t.caption = "Customize Toolbar";
    const DWORD list = LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
    t.items = {
        Item("static", "A&vailable toolbar buttons:", 0xFFFF, 0, 7, 7, 110, 9),
        Item("listbox", "", kAvailableList, list, 7, 18, 110, 115),
        Item("button", "&Add ->", kAdd, WS_TABSTOP, 122, 45, 55, 14),
        Item("button", "<- &Remove", kRemove, WS_TABSTOP, 122, 63, 55, 14),
        Item("static", "&Toolbar buttons:", 0xFFFF, 0, 182, 7, 110, 9),
        Item("listbox", "", kCurrentList, list, 182, 18, 110, 115),
        Item("button", "&Close", IDCANCEL, BS_DEFPUSHBUTTON | WS_TABSTOP, 297, 18, 46, 14),
        Item("button", "R&eset", kReset, WS_TABSTOP, 297, 36, 46, 14),
        Item("button", "&Help", kHelp, WS_TABSTOP, 297, 54, 46, 14),
        Item("button", "Move &Up", kMoveUp, WS_TABSTOP, 297, 90, 46, 14),
        Item("button", "Move &Down", kMoveDown, WS_TABSTOP, 297, 108, 46, 14),
    };
    return t;
}

BOOL CToolBarCustomizeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_availableList.SubclassDlgItem(kAvailableList, this);
    m_currentList.SubclassDlgItem(kCurrentList, this);
    NMTOOLBAR info{};
    m_bar.NotifyParent(TBN_BEGINADJUST, info);
    m_adjusting = TRUE;
    AskForButtons();
    Fill();
    return TRUE;
}

void CToolBarCustomizeDlg::OnDestroy()
{
    if (m_adjusting) {
        m_adjusting = FALSE;
        NMTOOLBAR info{};
        m_bar.NotifyParent(TBN_ENDADJUST, info);
    }
    CDialog::OnDestroy();
}

void CToolBarCustomizeDlg::AskForButtons()
{
    m_available.clear();
    for (int i = 0; i < kMaxOffers; ++i) {
        char text[128] = {};
        NMTOOLBAR info{};
        info.iItem = i;
        info.pszText = text;
        info.cchText = static_cast<int>(sizeof text);
        if (!m_bar.NotifyParent(TBN_GETBUTTONINFO, info))
            break;
        text[sizeof text - 1] = '\0';
        m_available.push_back(Offer{info.tbButton, text});
    }
}

CString CToolBarCustomizeDlg::TextOf(const TBBUTTON& button) const
{
    if (button.fsStyle & TBSTYLE_SEP)
        return "Separator";
    for (const Offer& offer : m_available)
        if (offer.button.idCommand == button.idCommand)
            return offer.text;
    CString text;
    text.Format("%d", button.idCommand);
    return text;
}

// Offers already on the bar are not offered twice; a separator always is.
void CToolBarCustomizeDlg::Fill()
{
    const int keepCurrent = std::max(m_currentList.m_hWnd ? m_currentList.GetCurSel() : 0, 0);
    m_availableList.ResetContent();
    m_currentList.ResetContent();
    m_availableList.SetItemData(m_availableList.AddString("Separator"), kSeparatorOffer);
    for (size_t i = 0; i < m_available.size(); ++i)
        if (m_bar.CommandToIndex(static_cast<UINT>(m_available[i].button.idCommand)) < 0)
            m_availableList.SetItemData(m_availableList.AddString(m_available[i].text), i);
    for (int i = 0; i < m_bar.GetCount(); ++i) {
        TBBUTTON button{};
        m_bar.GetButton(i, &button);
        m_currentList.AddString(TextOf(button));
    }
    m_availableList.SetCurSel(0);
    m_currentList.SetCurSel(std::min(keepCurrent, m_currentList.GetCount() - 1));
}

void CToolBarCustomizeDlg::Changed()
{
    NMTOOLBAR info{};
    m_bar.NotifyParent(TBN_TOOLBARCHANGE, info);
    Fill();
}

BOOL CToolBarCustomizeDlg::AddButton(int available, int before)
{
    if (available >= static_cast<int>(m_available.size()) || before < 0 || before > m_bar.GetCount())
        return FALSE;
    NMTOOLBAR info{};
    info.iItem = before;
    info.tbButton = available < 0 ? Separator() : m_available[static_cast<size_t>(available)].button;
    if (!m_bar.NotifyParent(TBN_QUERYINSERT, info) || !m_bar.InsertButton(before, info.tbButton))
        return FALSE;
    Changed();
    m_currentList.SetCurSel(before);
    return TRUE;
}

BOOL CToolBarCustomizeDlg::RemoveButton(int index)
{
    NMTOOLBAR info{};
    info.iItem = index;
    if (!m_bar.GetButton(index, &info.tbButton) || !m_bar.NotifyParent(TBN_QUERYDELETE, info) ||
        !m_bar.DeleteButton(index))
        return FALSE;
    Changed();
    return TRUE;
}

BOOL CToolBarCustomizeDlg::MoveButton(int from, int to)
{
    TBBUTTON button{};
    if (to < 0 || to >= m_bar.GetCount() || !m_bar.GetButton(from, &button) || from == to)
        return FALSE;
    NMTOOLBAR info{};
    info.iItem = from;
    m_bar.NotifyParent(TBN_BEGINDRAG, info);
    m_bar.DeleteButton(from);
    m_bar.InsertButton(to, button);
    info.iItem = to;
    m_bar.NotifyParent(TBN_ENDDRAG, info);
    Changed();
    m_currentList.SetCurSel(to);
    return TRUE;
}

void CToolBarCustomizeDlg::Reset()
{
    NMTOOLBAR info{};
    m_bar.NotifyParent(TBN_RESET, info);
    Fill();
}

BOOL CToolBarCustomizeDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    const bool list = id == kAvailableList || id == kCurrentList;
    if (code != (list ? LBN_DBLCLK : BN_CLICKED))
        return CDialog::OnCommand(wParam, lParam);
    const int current = m_currentList.GetCurSel();
    switch (id) {
    case kAvailableList:
    case kAdd: {
        const int offer = m_availableList.GetCurSel();
        if (offer >= 0)
            AddButton(static_cast<int>(static_cast<INT_PTR>(m_availableList.GetItemData(offer))), std::max(current, 0));
        return TRUE;
    }
    case kCurrentList:
    case kRemove: RemoveButton(current); return TRUE;
    case kMoveUp: MoveButton(current, current - 1); return TRUE;
    case kMoveDown: MoveButton(current, current + 1); return TRUE;
    case kReset: Reset(); return TRUE;
    case kHelp: {
        NMTOOLBAR info{};
        m_bar.NotifyParent(TBN_CUSTHELP, info);
        return TRUE;
    }
    default: return CDialog::OnCommand(wParam, lParam);
    }
}
