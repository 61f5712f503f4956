#include "controls/ListEditDlg.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/UiApi.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CListEditDlg, CFlexSizeDialog)
    ON_BN_CLICKED(AddId, OnAdd)
    ON_BN_CLICKED(DeleteId, OnDelete)
    ON_BN_CLICKED(UpId, OnUp)
    ON_BN_CLICKED(DownId, OnDown)
    ON_LBN_SELCHANGE(ListId, OnSelChange)
    ON_LBN_DBLCLK(ListId, OnDblClk)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CListEditDlg::CListEditDlg(UINT templateId, CWnd* parent) : CFlexSizeDialog(templateId, parent) { }

BOOL CListEditDlg::OnInitDialog()
{
    CFlexSizeDialog::OnInitDialog();
    CenterWindow();
    const BOOL result = InitControls();
    if (CInsertDragListBox* list = GetListBox()) {
        list->SubclassDlgItem(ListId, this);
        list->SetListFont(DialogFont());
    }
    SelectCurrent();
    return result;
}

// The dialog's font, else the list's, else the system's.
LOGFONT CListEditDlg::DialogFont()
{
    LOGFONT font{};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (!handle)
        handle = reinterpret_cast<HGDIOBJ>(SendDlgItemMessage(ListId, WM_GETFONT, 0, 0));
    if (!handle || !::GetObject(handle, sizeof font, &font)) {
        font.lfHeight = -12;
        font.lfWeight = FW_NORMAL;
        std::strncpy(font.lfFaceName, "Sans", sizeof font.lfFaceName - 1);
    }
    return font;
}

void CListEditDlg::MoveItem(int row, int delta)
{
    CInsertDragListBox* list = GetListBox();
    if (delta == 0) {
        list->SetCurSel(row);
        return;
    }
    CObject* record = list->GetRecord(row);
    OnItemMoved(record, row + delta);
    list->DeleteString(static_cast<UINT>(row));
    list->SetCurSel(list->InsertRecord(row + delta, record));
}

BOOL CListEditDlg::SyncCurrent(BOOL save)
{
    CInsertDragListBox* list = GetListBox();
    if (!save) {
        m_current = list ? list->GetCurSel() : -1;
        return TRUE;
    }
    if (m_current >= 0 && list && list->GetRecord(m_current))
        return UpdateData(TRUE);
    return TRUE;
}

void CListEditDlg::DeleteAllItems()
{
    CInsertDragListBox* list = GetListBox();
    if (!list || !list->m_hWnd)
        return;
    for (int row = 0; row < list->GetCount(); ++row)
        delete list->GetRecord(row);
    list->ResetContent();
}

void CListEditDlg::SelectCurrent()
{
    if (CInsertDragListBox* list = GetListBox())
        list->SetCurSel(m_current);
    SyncCurrent(FALSE);
}

BOOL CListEditDlg::OnDeleteItem(int row)
{
    delete GetListBox()->GetRecord(row);
    return TRUE;
}

BOOL CListEditDlg::SaveCurrent()
{
    if (SyncCurrent(TRUE))
        return TRUE;
    GetListBox()->SetCurSel(m_current);
    return FALSE;
}

void CListEditDlg::OnAdd()
{
    if (!SaveCurrent())
        return;
    if (CObject* record = CreateNewItem())
        GetListBox()->SetCurSel(GetListBox()->AddRecord(record));
    SyncCurrent(FALSE);
}

void CListEditDlg::DeleteRow(int row)
{
    CInsertDragListBox* list = GetListBox();
    if (row < 0 || row >= list->GetCount() || !OnDeleteItem(row))
        return;
    list->DeleteString(static_cast<UINT>(row));
    m_current = -1;
    const int count = list->GetCount();
    if (count > 0)
        list->SetCurSel(row < count ? row : count - 1);
}

void CListEditDlg::OnDelete()
{
    if (!SaveCurrent())
        return;
    DeleteRow(GetListBox()->GetCurSel());
    SyncCurrent(FALSE);
}

void CListEditDlg::OnUp()
{
    if (!SaveCurrent())
        return;
    const int row = GetListBox()->GetCurSel();
    if (row > 0)
        MoveItem(row, -1);
    SyncCurrent(FALSE);
}

void CListEditDlg::OnDown()
{
    if (!SaveCurrent())
        return;
    const int row = GetListBox()->GetCurSel();
    if (row >= 0 && row < GetListBox()->GetCount() - 1)
        MoveItem(row, 1);
    SyncCurrent(FALSE);
}

void CListEditDlg::DragMove(int from, int to)
{
    if (!SaveCurrent())
        return;
    MoveItem(from, to - from);
    SyncCurrent(FALSE);
}

void CListEditDlg::OnSelChange()
{
    if (!SaveCurrent())
        return;
    SyncCurrent(FALSE);
}

void CListEditDlg::OnDblClk()
{
    if (GetListBox()->GetCount() == 0)
        OnAdd();
}

// The records go only once everything was stored and applied, so a refused field loses nothing.
void CListEditDlg::OnOK()
{
    if (!SaveCurrent() || !UpdateData(TRUE) || !Apply(0))
        return;
    DeleteAllItems();
    EndDialog(IDOK);
}

void CListEditDlg::OnCancel()
{
    DeleteAllItems();
    CDialog::OnCancel();
}

// A dialog closed any other way still frees the records it owns.
void CListEditDlg::OnDestroy()
{
    DeleteAllItems();
    Default();
}
