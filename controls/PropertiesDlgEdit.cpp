// The in-place editors of the Properties dialog, its commands, context menu and window
// messages.
#include "controls/PropertiesDlg.h"

#include "View/HyperView.h"
#include "objects/HyperBaseOb.h"
#include "objects/PropOb.h"
#include "objects/ViewSettings.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"

namespace {

BOOL IsComboEditor(UINT id)
{
    return id == CPropEditDlg::ChoiceControl || id == CPropEditDlg::UrlComboControl ||
           id == CPropEditDlg::ColourComboControl || id == 118;
}

} // namespace

CWnd* CPropertiesDlg::GetFocusControl()
{
    return m_activeEditor ? GetDlgItem(static_cast<int>(m_activeEditor)) : nullptr;
}

CRect CPropertiesDlg::CellRectOfCurrentRow() const
{
    CRect client;
    m_listWnd.GetClientRect(&client);
    CRect list;
    m_listWnd.GetWindowRect(&list);
    ScreenToClient(&list);
    const int rowHeight = m_listWnd.GetCount() > 0 ? m_listWnd.GetItemHeight(0) : m_listWnd.GetRowHeight();
    const int top = (m_currentRow - m_listWnd.GetTopIndex()) * rowHeight + list.top + 1;
    return CRect(list.left + CPropListWnd::GetNameWidth() + 1, top, list.left + client.right, top + rowHeight);
}

void CPropertiesDlg::PlaceEditorOverCell(CWnd* editor, const CRect& cell, BOOL keepWidth)
{
    CRect rect = cell;
    if (keepWidth) {
        CRect own;
        editor->GetWindowRect(&own);
        rect.right = rect.left + own.Width();
    }
    editor->SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW);
}

void CPropertiesDlg::BeginEdit(BOOL dropDown)
{
    if (!m_current || !m_current->m_editable || m_currentRow < m_listWnd.GetTopIndex())
        return;
    CRect cell = CellRectOfCurrentRow();
    if (HitTestEditor(cell, m_valueText))
        return;
    const UINT id = m_current->m_controlId;
    if (id == EditControl) {
        if (CWnd* edit = GetDlgItem(EditControl)) {
            m_settingText = TRUE;
            PlaceEditorOverCell(edit, CRect(cell.left + 4, cell.top + 1, cell.right, cell.bottom - 1), FALSE);
            edit->SetWindowText(m_valueText);
            m_settingText = FALSE;
            m_activeEditor = EditControl;
            edit->SetFocus();
            edit->SendMessage(EM_SETSEL, 0, -1);
        }
    } else if (IsComboEditor(id)) {
        if (CWnd* combo = GetDlgItem(static_cast<int>(id))) {
            m_activeEditor = id;
            m_settingText = TRUE;
            UpdateData(FALSE);
            m_settingText = FALSE;
            PlaceEditorOverCell(combo, cell, id == ColourComboControl);
            combo->SetFocus();
            if (dropDown && (id == ChoiceControl || id == ColourComboControl))
                combo->SendMessage(CB_SHOWDROPDOWN, TRUE);
        }
    } else {
        m_editorRect = cell;
        ShowEditor();
        const CString before = m_valueText;
        EditPropValue();
        if (m_current && !m_current->SkipRefreshAfterEdit()) {
            OnPropertyListChanged(nullptr);
            CommitIfChanged(before);
        }
    }
    if (m_activeEditor)
        m_listWnd.m_trackedRow = static_cast<INT_PTR>(m_listWnd.GetItemData(m_currentRow));
}

// An editor left without a change writes nothing, so a row that differs across the
// selection keeps each object's value and no empty undo step is taken.
void CPropertiesDlg::CommitIfChanged(const CString& before)
{
    if (!m_current || m_currentRow < 0)
        return;
    CString now;
    m_current->GetValueText(now);
    const BOOL listEdited = m_listEdited;
    m_listEdited = FALSE;
    if (now == before && !listEdited)
        return;
    MarkCurrentChanged();
    ApplyAndNotify();
    m_valueText = now;
    m_listWnd.Invalidate();
}

void CPropertiesDlg::CloseEditor()
{
    HideEditor();
    CommitIfChanged(m_valueText);
    OnPropertyListChanged(nullptr);
    m_listWnd.SetFocus();
    m_tabPending = TRUE;
}

void CPropertiesDlg::OnEditKillFocus()
{
    if (m_activeEditor != EditControl || m_settingText)
        return;
    if (!ExchangeProperty(TRUE)) {
        CWnd* edit = GetDlgItem(EditControl);
        m_settingText = TRUE;
        edit->SetWindowText(m_valueText);
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
        edit->SendMessage(EM_SCROLLCARET);
        m_settingText = FALSE;
        return;
    }
    CloseEditor();
}

void CPropertiesDlg::OnChoiceKillFocus()
{
    if (!IsComboEditor(m_activeEditor) || m_settingText)
        return;
    if (!ExchangeProperty(TRUE)) {
        if (CWnd* combo = GetDlgItem(static_cast<int>(m_activeEditor)))
            combo->SetFocus();
        return;
    }
    CloseEditor();
}

void CPropertiesDlg::OnListSelChange()
{
    ExchangeProperty(FALSE);
    if (!m_suppressEdit) {
        BeginEdit(TRUE);
        OnRowActivated();
    }
    m_suppressEdit = m_rightZone = FALSE;
}

void CPropertiesDlg::OnListDblClk()
{
    if (!m_activeEditor)
        BeginEdit(FALSE);
    if (!m_current || !IsComboEditor(m_current->m_controlId))
        return;
    CComboBox* combo = GetEditorCombo(m_current->m_controlId);
    if (!combo)
        return;
    const int count = combo->GetCount() < 2 ? 1 : combo->GetCount();
    combo->SetCurSel((combo->GetCurSel() + 1) % count);
    m_listWnd.SetFocus();
}

void CPropertiesDlg::OnChoiceSelChange()
{
    if (m_settingText || !m_current || !m_current->m_arg)
        return;
    if (ExchangeProperty(TRUE))
        CommitIfChanged(m_valueText);
}

void CPropertiesDlg::OnColourSelChange()
{
    OnChoiceSelChange();
    OnPropertyListChanged(nullptr);
}

void CPropertiesDlg::OnObjectSelChange()
{
    if (m_comboBusy)
        return;
    const int selected = m_objectCombo.GetCurSel();
    if (selected >= 0)
        PostToView(MsgPick, 1, static_cast<LPARAM>(static_cast<int>(m_objectCombo.GetItemData(selected))));
}

void CPropertiesDlg::OnBrowseClicked()
{
    CRect button;
    GetDlgItem(BrowseControl)->GetWindowRect(&button);
    ScreenToClient(&button);
    ShowContextMenu(CPoint(button.left, button.bottom));
}

// The menu's Drill Multi acts as a click on the drill button.
BOOL CPropertiesDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == DrillButton && lParam == 0 && m_drillButton.m_hWnd)
        m_drillButton.SetCheck(!m_drillButton.GetCheck());
    return CPropEditDlg::OnCommand(wParam, lParam);
}

void CPropertiesDlg::OnDrillClicked()
{
    SetDrillMulti(m_drillButton.GetCheck() != 0);
    m_drillBusy = TRUE;
    if (m_drill) {
        PostToView(MsgPick, 0, -1);
    } else {
        const BOOL wasPinned = m_pinned;
        SetPinState(TRUE);
        if (auto* view = dynamic_cast<CHyperView*>(m_ownerView))
            view->NotifyChanged(FALSE);
        SetPinState(wasPinned);
    }
    m_drillBusy = FALSE;
}

void CPropertiesDlg::OnDeleteCommand()
{
    if (m_modal) {
        RestoreAll();
        EndDialog(static_cast<int>(CmdDelete));
    } else if (m_ownerView && m_ownerView->m_hWnd) {
        m_ownerView->SendMessage(WM_COMMAND, CmdClear);
    }
}

void CPropertiesDlg::OnSaveAsDefault()
{
    if (ExchangeProperty(TRUE))
        ApplyAndSaveDefault();
}

void CPropertiesDlg::OnClearDefault()
{
    if (CHyperBaseOb* owner = GetOwnerObject())
        owner->SerializeToFile(-1);
}

void CPropertiesDlg::OnSortCommand()
{
    SetSortFlag(!GetSortFlag());
    FillList();
}

void CPropertiesDlg::OnUpdateContextMenu(CMenu* menu)
{
    const int position = MapPropertyIndex(m_currentRow);
    const BOOL drill = m_current && m_current->m_editable && IsPropertyDifferent(position);
    CHyperBaseOb* owner = GetOwnerObject();
    menu->EnableMenuItem(DrillButton, drill ? MF_ENABLED : MF_GRAYED);
    menu->EnableMenuItem(CmdSaveAsDefault, m_owner ? MF_ENABLED : MF_GRAYED);
    menu->EnableMenuItem(CmdClearDefault, m_owner && m_owner->SerializeToFile(-2) ? MF_ENABLED : MF_GRAYED);
    menu->EnableMenuItem(CmdDelete, owner || m_owners ? MF_ENABLED : MF_GRAYED);
    menu->CheckMenuItem(CmdSort, GetSortFlag() ? MF_CHECKED : MF_UNCHECKED);
}

void CPropertiesDlg::ShowContextMenu(CPoint client)
{
    CMenu menu;
    if (!menu.LoadMenu(ContextMenu))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    OnUpdateContextMenu(popup);
    ClientToScreen(&client);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, client.x, client.y, this);
}

void CPropertiesDlg::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_tabStrip.m_hWnd) {
        m_listWnd.SetFocus();
        CRect strip;
        CPropTabStrip::ClientRectOnScreen(&m_tabStrip, &strip);
        CPoint screen = point;
        ClientToScreen(&screen);
        if (strip.PtInRect(screen)) {
            m_tabStrip.HitTest(screen.x - strip.left);
            SetLastTab(m_tabStrip.GetCurrent());
            FillList();
            return;
        }
    }
    CPropEditDlg::OnLButtonDown(flags, point);
}

void CPropertiesDlg::OnRButtonDown(UINT, CPoint point)
{
    m_listWnd.SetFocus();
    ShowContextMenu(point);
}

void CPropertiesDlg::OnSize(UINT type, int cx, int cy)
{
    CWnd* focus = GetFocus();
    if (focus && focus != &m_listWnd && IsChild(focus) && m_listWnd.m_hWnd)
        m_listWnd.SetFocus();
    m_tabPending = FALSE;
    CPropEditDlg::OnSize(type, cx, cy);
}

void CPropertiesDlg::OnMove(int x, int)
{
    if (!m_hWnd || x <= 0 || m_inPane)
        return;
    CRect window;
    GetWindowRect(&window);
    GetViewSettings().m_propertyDialogState = window.left;
    GetViewSettings().m_flagC = window.top;
}

void CPropertiesDlg::OnWindowPosChanging(WINDOWPOS* pos)
{
    if (!m_inPane)
        return;
    pos->flags |= SWP_NOACTIVATE;
    if (pos->flags & SWP_HIDEWINDOW) {
        pos->flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
        EmptyForHiddenPane();
    }
}

// A docked dialog that is hidden stays in its pane, empty.
void CPropertiesDlg::EmptyForHiddenPane()
{
    CWnd* focus = GetFocus();
    DeleteProperties();
    FillList();
    if (m_objectCombo.m_hWnd) {
        m_objectCombo.ResetContent();
        m_objectCombo.EnableWindow(FALSE);
    }
    if (CWnd* drill = GetDlgItem(DrillButton))
        drill->EnableWindow(FALSE);
    if (focus && focus->m_hWnd)
        focus->SetFocus();
}

void CPropertiesDlg::OnClose()
{
    SetPinState(FALSE);
    OnOK();
}

LRESULT CPropertiesDlg::OnStoreAndApply(WPARAM, LPARAM)
{
    if (ExchangeProperty(TRUE))
        ApplyAndNotify();
    return 0;
}

void CPropertiesDlg::RenameComboEntry()
{
    CComboBox* combo = m_objectCombo.m_hWnd ? &m_objectCombo : nullptr;
    const int selected = combo ? combo->GetCurSel() : -1;
    if (selected < 0 || !m_current)
        return;
    CString name;
    m_current->GetValueText(name);
    if (name.IsEmpty())
        name = m_defaultObjectName;
    m_comboBusy = TRUE;
    const DWORD_PTR data = combo->GetItemData(selected);
    combo->DeleteString(static_cast<UINT>(selected));
    combo->InsertString(selected, name);
    combo->SetItemData(selected, data);
    combo->SetCurSel(selected);
    m_comboBusy = FALSE;
}
