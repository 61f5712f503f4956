#include "shell/PropOptions.h"

#include "shell/ExceptionsDlg.h"

#include "platform/gdi/GdiTypes.h"
#include "platform/sys/PrivateProfile.h"
#include "platform/ui/DataExchange.h"

#include <cstring>
#include <vector>

BEGIN_MESSAGE_MAP(CPropOptionRectivo, CPropertyPage)
    ON_BN_CLICKED(1026, OnAdd)
    ON_BN_CLICKED(1027, OnReplace)
    ON_BN_CLICKED(1028, OnDelete)
    ON_BN_CLICKED(1029, OnExceptions)
    ON_BN_CLICKED(204, OnReplaceTextClicked)
    ON_EN_CHANGE(1024, OnReplaceChanged)
    ON_EN_CHANGE(1025, OnWithChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, 1023, OnListItemChanged)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kSection = "ReplaceWith";
constexpr DWORD kKeyBufferSize = 16002;
constexpr UINT kList = 1023, kReplace = 1024, kWith = 1025, kAdd = 1026, kReplaceButton = 1027, kDelete = 1028,
               kReplaceText = 204;

} // namespace

BOOL CPropOptionRectivo::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(kList, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "Replace", LVCFMT_LEFT, client.Width() / 3);
    m_list.InsertColumn(1, "With", LVCFMT_LEFT, client.Width() * 2 / 3 - ::GetSystemMetrics(SM_CXVSCROLL));
    FillList();
    OnReplaceTextClicked();
    return TRUE;
}

void CPropOptionRectivo::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, 201, m_bTwoInitCaps);
    DDX_Check(dx, 202, m_bCapitalizeSentence);
    DDX_Check(dx, 203, m_bCapsLock);
    DDX_Check(dx, kReplaceText, m_bReplaceText);
}

void CPropOptionRectivo::FillList()
{
    std::vector<char> names(kKeyBufferSize);
    ::GetPrivateProfileString(kSection, nullptr, "", names.data(), kKeyBufferSize, m_strListFile);
    for (const char* key = names.data(); *key; key += std::strlen(key) + 1) {
        char value[kShownLength + 1] = {};
        ::GetPrivateProfileString(kSection, key, key, value, sizeof value, m_strListFile);
        AppendRow(key, value);
    }
}

// Rows show the start of the key; the full key stays with the row.
int CPropOptionRectivo::AppendRow(const CString& key, const CString& value)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), key.Left(kShownLength));
    if (row < 0)
        return row;
    m_list.SetItemText(row, 1, value.Left(kShownLength));
    m_keys.insert(m_keys.begin() + row, key);
    return row;
}

CString CPropOptionRectivo::GetRowKey(int row) const
{
    return row >= 0 && row < static_cast<int>(m_keys.size()) ? m_keys[static_cast<size_t>(row)] : CString();
}

int CPropOptionRectivo::FindRow(const CString& key) const
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].CompareNoCase(key) == 0)
            return static_cast<int>(i);
    return -1;
}

int CPropOptionRectivo::SelectedRow() const { return m_list.GetNextItem(-1, LVNI_SELECTED); }

CString CPropOptionRectivo::ItemText(UINT id) const
{
    CString text;
    GetDlgItemText(static_cast<int>(id), text);
    return text;
}

void CPropOptionRectivo::EnableButtons(BOOL add, BOOL replace)
{
    GetDlgItem(kAdd)->EnableWindow(add);
    GetDlgItem(kReplaceButton)->EnableWindow(replace);
}

void CPropOptionRectivo::OnListItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_bFillingFields = TRUE;
    SetDlgItemText(kReplace, GetRowKey(row));
    SetDlgItemText(kWith, m_list.GetItemText(row, 1));
    m_bFillingFields = FALSE;
    EnableButtons(FALSE, FALSE);
    GetDlgItem(kDelete)->EnableWindow(TRUE);
}

// Typing shows the first matching row; the fields a chosen row filled leave it chosen, so that
// Replace and Delete act on it.
void CPropOptionRectivo::OnReplaceChanged()
{
    if (m_bFillingFields)
        return;
    const CString replace = ItemText(kReplace);
    for (size_t i = 0; i < m_keys.size() && !replace.IsEmpty(); ++i)
        if (m_keys[i].Left(replace.GetLength()).CompareNoCase(replace) == 0) {
            m_list.EnsureVisible(static_cast<int>(i), FALSE);
            break;
        }
    EnableButtons(!replace.IsEmpty() && !ItemText(kWith).IsEmpty(), FALSE);
}

void CPropOptionRectivo::OnWithChanged()
{
    if (m_bFillingFields)
        return;
    const CString replace = ItemText(kReplace);
    if (replace.IsEmpty() || ItemText(kWith).IsEmpty()) {
        GetDlgItem(kReplaceButton)->EnableWindow(FALSE);
        return;
    }
    const BOOL known = FindRow(replace) >= 0;
    EnableButtons(known ? GetDlgItem(kAdd)->IsWindowEnabled() : TRUE, known);
}

void CPropOptionRectivo::OnAdd()
{
    const CString replace = ItemText(kReplace), with = ItemText(kWith);
    ::WritePrivateProfileString(kSection, replace, with, m_strListFile);
    const int row = AppendRow(replace, with);
    m_list.EnsureVisible(row, FALSE);
    GetDlgItem(kAdd)->EnableWindow(FALSE);
}

void CPropOptionRectivo::OnReplace()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const CString with = ItemText(kWith);
    ::WritePrivateProfileString(kSection, GetRowKey(row), with, m_strListFile);
    m_list.SetItemText(row, 1, with.Left(kShownLength));
}

void CPropOptionRectivo::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    ::WritePrivateProfileString(kSection, GetRowKey(row), nullptr, m_strListFile);
    m_list.DeleteItem(row);
    m_keys.erase(m_keys.begin() + row);
    m_list.SetFocus();
}

void CPropOptionRectivo::OnExceptions()
{
    CExceptionsDlg dialog(nullptr);
    dialog.DoModal();
}

// The replacement list is in use only while replacing as you type is on.
void CPropOptionRectivo::OnReplaceTextClicked()
{
    const BOOL on = IsDlgButtonChecked(kReplaceText);
    for (UINT id : {kList, kReplace, kWith, kDelete})
        GetDlgItem(id)->EnableWindow(on);
    EnableButtons(FALSE, FALSE);
}
