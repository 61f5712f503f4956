#include "spell/SpellDialog.h"

#include "spell/CheckerState.h"
#include "spell/LexigardDialogs.h"
#include "spell/SpellSession.h"
#include "spell/SuggestionGenerator.h"
#include "spell/TextSpellWalker.h"

#include <cstring>

namespace {

constexpr char kNoSuggestions[] = "(no suggestions)";
constexpr int kChangeToLimit = 31;
constexpr int kSuggestionBlock = 128;

} // namespace

BEGIN_MESSAGE_MAP(CSpellDialog, CDialog)
ON_BN_CLICKED(IDC_IGNORE, OnIgnore)
ON_BN_CLICKED(IDC_IGNORE_ALL, OnIgnoreAll)
ON_BN_CLICKED(IDC_CHANGE, OnChange)
ON_BN_CLICKED(IDC_CHANGE_ALL, OnChangeAll)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_BN_CLICKED(IDC_SUGGEST, OnSuggest)
ON_BN_CLICKED(IDC_OPTIONS, OnOptions)
ON_CONTROL(CBN_EDITCHANGE, IDC_CHANGE_TO, OnChangeToEdited)
END_MESSAGE_MAP()

CSpellDialog::CSpellDialog(CTextSpellWalker& walker)
    : CDialog(IDD_SPELL)
    , m_walker(walker)
{
}

BOOL CSpellDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_changeTo.SubclassDlgItem(IDC_CHANGE_TO, this);
    m_changeTo.LimitText(kChangeToLimit);
    showWord();
    return TRUE;
}

std::string CSpellDialog::itemText(int id) const
{
    CString text;
    GetDlgItemText(id, text);
    return std::string(static_cast<LPCTSTR>(text));
}

std::string CSpellDialog::replacementText() const
{
    std::string text = itemText(IDC_CHANGE_TO);
    return text == kNoSuggestions ? std::string() : text.substr(0, kChangeToLimit);
}

void CSpellDialog::listSuggestions(const std::string& word)
{
    m_changeTo.ResetContent();
    char block[kSuggestionBlock];
    int count = CSuggestionGenerator(m_walker.GetSession()).Suggest(word.c_str(), block, sizeof block);
    if (count == 0) {
        m_changeTo.AddString(kNoSuggestions);
    } else {
        for (const char* entry = block; *entry; entry += std::strlen(entry) + 1)
            m_changeTo.AddString(entry);
    }
    m_changeTo.SetCurSel(0);
}

void CSpellDialog::showWord()
{
    SetDlgItemText(IDC_NOT_IN_DICTIONARY, m_walker.GetCurrentWord().c_str());
    if (GetCheckerOptions().alwaysSuggest) {
        listSuggestions(m_walker.GetCurrentWord());
    } else {
        m_changeTo.ResetContent();
        m_changeTo.AddString("");
        m_changeTo.SetWindowText("");
    }
    GetDlgItem(IDC_SUGGEST)->EnableWindow(FALSE);
}

void CSpellDialog::moveOn()
{
    BeginWaitCursor();
    bool more = m_walker.FindNextUnrecognised();
    EndWaitCursor();
    if (more)
        showWord();
    else
        EndDialog(IDOK);
}

void CSpellDialog::OnIgnore()
{
    moveOn();
}

void CSpellDialog::OnIgnoreAll()
{
    std::string word = itemText(IDC_NOT_IN_DICTIONARY);
    if (!word.empty())
        m_walker.GetSession().AddToIgnoreAll(word.c_str());
    moveOn();
}

void CSpellDialog::OnChange()
{
    std::string replacement = replacementText();
    if (replacement.empty())
        return;
    m_walker.ReplaceCurrentWord(replacement);
    moveOn();
}

// Without a replacement there is nothing to change all occurrences to: the dialog stays.
void CSpellDialog::OnChangeAll()
{
    std::string replacement = replacementText();
    if (replacement.empty())
        return;
    std::string word = itemText(IDC_NOT_IN_DICTIONARY);
    if (!word.empty())
        m_walker.GetSession().AddToChangeAll(word.c_str(), replacement.c_str());
    m_walker.ReplaceCurrentWord(replacement);
    moveOn();
}

void CSpellDialog::OnAdd()
{
    std::string word = itemText(IDC_NOT_IN_DICTIONARY);
    if (!word.empty())
        m_walker.GetSession().AppendToCustomDictionary(word.c_str());
    moveOn();
}

void CSpellDialog::OnSuggest()
{
    std::string text = replacementText();
    if (text.empty())
        return;
    listSuggestions(text);
    GetDlgItem(IDC_SUGGEST)->EnableWindow(FALSE);
}

void CSpellDialog::OnChangeToEdited()
{
    GetDlgItem(IDC_SUGGEST)->EnableWindow(itemText(IDC_CHANGE_TO).empty() ? FALSE : TRUE);
}

void CSpellDialog::OnOptions()
{
    CSpellOptionsDialog(this).DoModal();
}

CSpellOptionsDialog::CSpellOptionsDialog(CWnd* parent)
    : CDialog(IDD_SPELL_OPTIONS_DYNAMIC, parent)
{
}

BOOL CSpellOptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CheckerOptions& options = GetCheckerOptions();
    CheckDlgButton(IDC_DYNAMIC_ALWAYS_SUGGEST, options.alwaysSuggest ? 1 : 0);
    CheckDlgButton(IDC_DYNAMIC_IGNORE_UPPERCASE, options.ignoreWordsInUppercase ? 1 : 0);
    CheckDlgButton(IDC_DYNAMIC_IGNORE_NUMBERS, options.ignoreWordsWithNumbers ? 1 : 0);
    return TRUE;
}

void CSpellOptionsDialog::OnOK()
{
    CheckerOptions& options = GetCheckerOptions();
    options.alwaysSuggest = IsDlgButtonChecked(IDC_DYNAMIC_ALWAYS_SUGGEST) ? TRUE : FALSE;
    options.ignoreWordsInUppercase = IsDlgButtonChecked(IDC_DYNAMIC_IGNORE_UPPERCASE) ? TRUE : FALSE;
    options.ignoreWordsWithNumbers = IsDlgButtonChecked(IDC_DYNAMIC_IGNORE_NUMBERS) ? TRUE : FALSE;
    EndDialog(IDOK);
}
