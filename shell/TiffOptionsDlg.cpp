#include "shell/TiffOptionsDlg.h"

#include "shell/VantrelApp.h"

namespace {

struct Compression {
    const char* key;
    int code;
};

constexpr Compression kCompressions[] = {{"None", CTiffOptionsDlg::kNone}, {"Macintosh RLE", CTiffOptionsDlg::kPackBits}};

} // namespace

CTiffOptionsDlg::CTiffOptionsDlg(CWnd* parent) : CDialog(IDD, parent) { }

BOOL CTiffOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(kCompressionId, this);
    for (const Compression& entry : kCompressions)
        m_list.SetItemData(m_list.AddString(GetLanguageText(entry.key)), DWORD_PTR(entry.code));
    m_list.SetCurSel(1);
    return TRUE;
}

void CTiffOptionsDlg::OnOK()
{
    const int index = m_list.GetCurSel();
    if (index != CB_ERR)
        m_compression = int(m_list.GetItemData(index));
    CDialog::OnOK();
}
