#include "shell/ExceptionsDlg.h"

#include "shell/Settings.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/sys/PrivateProfile.h"
#include "platform/ui/DataExchange.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CExceptionsDlg, CDialog)
    ON_BN_CLICKED(1031, OnAdd)
    ON_BN_CLICKED(1032, OnDelete)
    ON_EN_CHANGE(1033, OnEditChange)
    ON_NOTIFY(LVN_ITEMCHANGED, 1023, OnItemChanged)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kSection = "FirstLetterExceptions";
constexpr DWORD kKeyBufferSize = 16002;
constexpr UINT kList = 1023, kAdd = 1031, kDelete = 1032, kEdit = 1033;

} // namespace

CExceptionsDlg::CExceptionsDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CExceptionsDlg::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, kEdit, m_strEdit); }

BOOL CExceptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strListFile = GetEditableRectivoListFile();
    m_list.SubclassDlgItem(kList, this);
    FillList();
    GetDlgItem(kAdd)->EnableWindow(FALSE);
    GetDlgItem(kDelete)->EnableWindow(FALSE);
    return TRUE;
}

void CExceptionsDlg::FillList()
{
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "Exception", LVCFMT_LEFT, client.Width() - ::GetSystemMetrics(SM_CXVSCROLL));
    std::vector<char> names(kKeyBufferSize);
    ::GetPrivateProfileString(kSection, nullptr, "", names.data(), kKeyBufferSize, m_strListFile);
    for (const char* key = names.data(); *key; key += std::strlen(key) + 1)
        InsertRow(key);
}

// The list keeps its rows sorted; each row keeps its whole word beside the shown start.
int CExceptionsDlg::InsertRow(const CString& word)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), word.Left(kShownLength));
    if (row >= 0)
        m_words.insert(m_words.begin() + row, word);
    return row;
}

CString CExceptionsDlg::GetRowWord(int row) const
{
    return row >= 0 && row < static_cast<int>(m_words.size()) ? m_words[static_cast<size_t>(row)] : CString();
}

void CExceptionsDlg::OnEditChange()
{
    UpdateData(TRUE);
    GetDlgItem(kAdd)->EnableWindow(!m_strEdit.IsEmpty());
}

void CExceptionsDlg::OnAdd()
{
    UpdateData(TRUE);
    if (m_strEdit.IsEmpty())
        return;
    ::WritePrivateProfileString(kSection, m_strEdit, "1", m_strListFile);
    m_list.EnsureVisible(InsertRow(m_strEdit), FALSE);
    GetDlgItem(kAdd)->EnableWindow(FALSE);
}

// The whole word goes, also when the row shows only its start.
void CExceptionsDlg::OnDelete()
{
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    ::WritePrivateProfileString(kSection, GetRowWord(row), nullptr, m_strListFile);
    m_list.DeleteItem(row);
    m_words.erase(m_words.begin() + row);
    m_list.SetFocus();
}

void CExceptionsDlg::OnItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    m_strEdit.Empty();
    UpdateData(FALSE);
    GetDlgItem(kAdd)->EnableWindow(FALSE);
    GetDlgItem(kDelete)->EnableWindow(TRUE);
}
