#include "controls/CustToolBar.h"

#include "controls/ToolBarState.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CCustToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CCustToolBar, CToolBar)
    ON_NOTIFY_REFLECT(TBN_BEGINADJUST, OnBeginAdjust)
    ON_NOTIFY_REFLECT(TBN_ENDADJUST, OnEndAdjust)
    ON_NOTIFY_REFLECT(TBN_GETBUTTONINFO, OnGetButtonInfo)
    ON_NOTIFY_REFLECT(TBN_QUERYINSERT, OnQueryChange)
    ON_NOTIFY_REFLECT(TBN_QUERYDELETE, OnQueryChange)
    ON_NOTIFY_REFLECT(TBN_BEGINDRAG, OnDrag)
    ON_NOTIFY_REFLECT(TBN_ENDDRAG, OnDrag)
    ON_NOTIFY_REFLECT(TBN_RESET, OnReset)
    ON_NOTIFY_REFLECT(TBN_TOOLBARCHANGE, OnChange)
    ON_NOTIFY_REFLECT(TBN_CUSTHELP, OnHelp)
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kButtonsEntry = "Buttons";

} // namespace

CString CCustToolBar::ButtonText(UINT command)
{
    CString full, part;
    full.LoadString(command);
    AfxExtractSubString(part, full, 2);
    if (part.IsEmpty())
        AfxExtractSubString(part, full, 1);
    return part;
}

bool CCustToolBar::Offers(int command) const
{
    return std::any_of(m_table.begin(), m_table.end(), [command](const TBBUTTON& b) { return b.idCommand == command; });
}

void CCustToolBar::SaveState(LPCTSTR key)
{
    CWinApp* app = AfxGetApp();
    if (!app || !key || !*key)
        return;
    std::vector<BYTE> record = EncodeToolBarButtons(TakeSnapshot());
    app->WriteProfileBinary(key, kButtonsEntry, record.data(), static_cast<UINT>(record.size()));
}

BOOL CCustToolBar::RestoreState(LPCTSTR key)
{
    CWinApp* app = AfxGetApp();
    if (!app || !key || !*key)
        return FALSE;
    LPBYTE data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(key, kButtonsEntry, &data, &size))
        return FALSE;
    std::vector<TBBUTTON> buttons;
    const BOOL read = DecodeToolBarButtons(data, size, buttons);
    delete[] data;
    if (!read)
        return FALSE;
    for (const TBBUTTON& b : buttons)
        if (!(b.fsStyle & TBSTYLE_SEP) && !Offers(b.idCommand))
            return FALSE;
    RestoreButtons(buttons);
    return TRUE;
}

void CCustToolBar::UpdateLayout()
{
    if (CWnd* parent = GetParent(); parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(parent)->RecalcLayout();
    if (m_hWnd)
        Invalidate();
}

std::vector<TBBUTTON> CCustToolBar::TakeSnapshot() const
{
    std::vector<TBBUTTON> buttons(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i)
        GetButton(i, &buttons[static_cast<size_t>(i)]);
    return buttons;
}

void CCustToolBar::RestoreButtons(const std::vector<TBBUTTON>& buttons)
{
    while (GetCount() > 0)
        DeleteButton(GetCount() - 1);
    for (const TBBUTTON& b : buttons)
        InsertButton(GetCount(), b);
}

void CCustToolBar::OnToolBarChange()
{
    UpdateLayout();
    if (!m_key.IsEmpty())
        SaveState(m_key);
}

void CCustToolBar::OnBeginAdjust(NMHDR*, LRESULT* result)
{
    m_snapshot = TakeSnapshot();
    *result = 0;
}

void CCustToolBar::OnEndAdjust(NMHDR*, LRESULT* result)
{
    m_snapshot.clear();
    *result = 0;
}

void CCustToolBar::OnGetButtonInfo(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTOOLBAR*>(header);
    *result = FALSE;
    if (info->iItem < 0 || info->iItem >= static_cast<int>(m_table.size()))
        return;
    info->tbButton = m_table[static_cast<size_t>(info->iItem)];
    if (info->pszText && info->cchText > 0) {
        const CString text = ButtonText(static_cast<UINT>(info->tbButton.idCommand));
        std::strncpy(info->pszText, text, static_cast<size_t>(info->cchText) - 1);
        info->pszText[info->cchText - 1] = '\0';
    }
    *result = TRUE;
}

void CCustToolBar::OnQueryChange(NMHDR*, LRESULT* result) { *result = TRUE; }

void CCustToolBar::OnDrag(NMHDR*, LRESULT* result) { *result = 0; }

void CCustToolBar::OnReset(NMHDR*, LRESULT* result)
{
    RestoreButtons(::GetKeyState(VK_CONTROL) < 0 ? m_table : m_snapshot);
    OnToolBarChange();
    *result = TRUE;
}

void CCustToolBar::OnChange(NMHDR*, LRESULT* result)
{
    OnToolBarChange();
    *result = 0;
}

void CCustToolBar::OnHelp(NMHDR*, LRESULT* result)
{
    AfxMessageBox("Help not implemented!");
    *result = 0;
}

void CCustToolBar::OnRButtonDown(UINT, CPoint)
{
    Default();
    SendMessage(TB_CUSTOMIZE);
}

IMPLEMENT_DYNAMIC(CCoolComboBar, CCustToolBar)

BEGIN_MESSAGE_MAP(CCoolComboBar, CCustToolBar)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

void CCoolComboBar::PlaceChildren()
{
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
        if (child->GetParent() != this)
            continue;
        const int index = CommandToIndex(static_cast<UINT>(child->GetDlgCtrlID()));
        if (index < 0)
            continue;
        CRect rect;
        GetItemRect(index, &rect);
        child->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        child->ShowWindow(SW_SHOW);
    }
}

void CCoolComboBar::OnToolBarChange()
{
    PlaceChildren();
    CCustToolBar::OnToolBarChange();
}

void CCoolComboBar::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
