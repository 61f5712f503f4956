#include "spell/OptionsDialog.h"

#include "spell/DictionaryDownload.h"
#include "spell/LexigardDialogs.h"
#include "spell/LibraryMessage.h"

#include "platform/ui/CommonDialogs.h"

#include <strings.h>

namespace {

constexpr char kBrowseTitle[] = "Browse Custom Dictionaries";
constexpr char kBrowseFilter[] = "Custom Dictionaries (*.dic)|*.dic|All Files (*.*)|*.*|";

bool sameName(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(COptionsDialog, CDialog)
ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_DOWNLOAD_MORE, OnDownloadMore)
END_MESSAGE_MAP()

COptionsDialog::COptionsDialog(
    bool internet, std::string folder, SpellerSettings settings, std::string listAddress)
    : CDialog(internet ? IDD_SPELL_OPTIONS_INTERNET : IDD_SPELL_OPTIONS)
    , m_folder(std::move(folder))
    , m_settings(std::move(settings))
    , m_listAddress(std::move(listAddress))
    , m_dictionaries(ListDictionaries(m_folder))
{
}

BOOL COptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_CUSTOM_FILE, EM_LIMITTEXT, kCustomFileLimit);
    SetDlgItemText(IDC_CUSTOM_FILE, m_settings.customFile.c_str());
    m_languages.SubclassDlgItem(IDC_MAIN_FILE, this);
    for (const DictionaryFile& file : m_dictionaries)
        m_languages.AddString(file.languageName.c_str());
    m_languages.SetCurSel(0);
    for (size_t i = 0; i < m_dictionaries.size(); ++i)
        if (sameName(m_dictionaries[i].fileName, m_settings.mainFile))
            m_languages.SetCurSel(static_cast<int>(i));
    CheckDlgButton(IDC_ALWAYS_SUGGEST, m_settings.options.alwaysSuggest ? 1 : 0);
    CheckDlgButton(IDC_IGNORE_UPPERCASE, m_settings.options.ignoreWordsInUppercase ? 1 : 0);
    CheckDlgButton(IDC_IGNORE_NUMBERS, m_settings.options.ignoreWordsWithNumbers ? 1 : 0);
    return TRUE;
}

void COptionsDialog::OnBrowse()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kBrowseFilter, this);
    dialog.m_ofn.lpstrTitle = kBrowseTitle;
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_CUSTOM_FILE, dialog.GetPathName());
}

void COptionsDialog::OnDownloadMore()
{
    if (DownloadDictionaries(m_listAddress.c_str(), m_folder.c_str()))
        ShowLibraryMessage("To see new dictionaries, reopen this dialog box.");
}

void COptionsDialog::OnOK()
{
    int selected = m_languages.GetCurSel();
    if (selected < 0)
        return;
    CString language;
    m_languages.GetLBText(selected, language);
    for (const DictionaryFile& file : m_dictionaries) {
        if (!sameName(file.languageName, static_cast<LPCTSTR>(language)))
            continue;
        CString custom;
        GetDlgItemText(IDC_CUSTOM_FILE, custom);
        m_settings.mainFile = file.fileName;
        m_settings.customFile = static_cast<LPCTSTR>(custom);
        m_settings.options.alwaysSuggest = IsDlgButtonChecked(IDC_ALWAYS_SUGGEST) ? TRUE : FALSE;
        m_settings.options.ignoreWordsInUppercase = IsDlgButtonChecked(IDC_IGNORE_UPPERCASE) ? TRUE : FALSE;
        m_settings.options.ignoreWordsWithNumbers = IsDlgButtonChecked(IDC_IGNORE_NUMBERS) ? TRUE : FALSE;
        EndDialog(IDOK);
        return;
    }
}
