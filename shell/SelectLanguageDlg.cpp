#include "shell/SelectLanguageDlg.h"

#include "shell/Settings.h"
#include "platform/core/FileFind.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Resources.h"

CSelectLanguageDlg::CSelectLanguageDlg(CWnd* parent) : CDialog(IDD, parent) {}

// The user's own dictionaries (downloaded) and those shipped with the program, each name once.
std::set<CString> CSelectLanguageDlg::InstalledDictionaries()
{
    std::set<CString> names;
    for (const CString& folder : {GetDictionaryFolder(), GetShippedDictionaryFolder()}) {
        CFileFind finder;
        BOOL more = finder.FindFile(folder + "/*.lex");
        while (more) {
            more = finder.FindNextFile();
            names.insert(finder.GetFileTitle());
        }
    }
    return names;
}

BOOL CSelectLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(kListId, this);
    m_images.Create(15, 15, ILC_COLOR32 | ILC_MASK, 0, 1);
    if (HBITMAP strip = LoadBitmapResource(kImages)) {
        CBitmap bitmap;
        bitmap.Attach(strip);
        m_images.Add(&bitmap, RGB(0, 0, 0));
    }
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    CRect client;
    m_list.GetClientRect(&client);
    CString caption;
    caption.LoadString(kColumnCaption);
    m_list.InsertColumn(0, caption, LVCFMT_LEFT, client.Width());
    const CString language = GetDictionaryLanguage();
    for (const CString& name : InstalledDictionaries()) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), name, 0);
        if (name == language)
            m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    return TRUE;
}

void CSelectLanguageDlg::OnOK()
{
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED))
        SetDictionaryLanguage(m_list.GetItemText(row, 0));
    CDialog::OnOK();
}
