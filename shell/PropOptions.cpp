#include "shell/PropOptions.h"

#include "shell/MainFrame.h"
#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "spell/LexigardPropPage.h"
#include "platform/ui/DataExchange.h"

namespace {

constexpr UINT kUpdatePage = 141, kHomePage = 157;

// The custom dictionary shows without its folder when it lies right in the dictionary folder.
CString ShownDictionary(const CString& stored)
{
    const int slash = stored.ReverseFind('/');
    if (slash >= 0 && stored.Left(slash) == GetDictionaryFolder())
        return stored.Mid(slash + 1);
    return stored;
}

CString StoredDictionary(const CString& shown)
{
    if (shown.Find('/') >= 0 || shown.Find('\\') >= 0)
        return shown;
    return GetDictionaryFolder() + "/" + shown;
}

} // namespace

BEGIN_DISPATCH_MAP(CPropOptionSpell, CPropertyPage)
    DISP_PROPERTY_EX(CPropOptionSpell, "AlwaysSuggest", GetAlwaysSuggest, SetAlwaysSuggest, VT_BOOL)
    DISP_PROPERTY_EX(CPropOptionSpell, "IgnoreWordsInUppercase", GetIgnoreUppercase, SetIgnoreUppercase, VT_BOOL)
    DISP_PROPERTY_EX(CPropOptionSpell, "IgnoreWordsWithNumbers", GetIgnoreNumbers, SetIgnoreNumbers, VT_BOOL)
END_DISPATCH_MAP()

CPropOptionSpell::CPropOptionSpell() : CPropertyPage(IDD) { EnableAutomation(); }

BOOL CPropOptionSpell::OnInitDialog() { return CPropertyPage::OnInitDialog(); }

void CPropOptionSpell::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, 101, m_bAlwaysSuggest);
    DDX_Check(dx, 103, m_bIgnoreNumbers);
    DDX_Check(dx, 102, m_bIgnoreUppercase);
    DDX_Check(dx, 1019, m_bCheckBeforeSave);
    DDX_Check(dx, 1018, m_bCheckAfterUpdate);
    DDX_Text(dx, 1021, m_strCustomDictionary);
}

BEGIN_MESSAGE_MAP(CPropOptionUpdate, CPropertyPage)
    ON_BN_CLICKED(1056, OnProgramDownload)
    ON_BN_CLICKED(1057, OnCatalogDownload)
END_MESSAGE_MAP()

BOOL CPropOptionUpdate::OnInitDialog() { return CPropertyPage::OnInitDialog(); }
void CPropOptionUpdate::OnProgramDownload() { OpenUrlResource(kUpdatePage); }
void CPropOptionUpdate::OnCatalogDownload() { OpenUrlResource(kHomePage); }

BOOL CPropOptionAlarm::OnInitDialog() { return CPropertyPage::OnInitDialog(); }

void CPropOptionAlarm::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, 1067, m_nCheckDelay);
    DDV_MinMaxUInt(dx, m_nCheckDelay, 1, 36000);
    DDX_Check(dx, 1066, m_bAutodeactivate);
    DDX_Check(dx, 1065, m_bFlashWindow);
    DDX_Check(dx, 1064, m_bPlaySound);
    DDX_Check(dx, 1063, m_bShowBitmap);
    DDX_Check(dx, 1068, m_bEnabled);
    DDX_Text(dx, 1069, m_nFlashCount);
    DDV_MinMaxInt(dx, m_nFlashCount, 1, 100);
    DDX_Check(dx, 1070, m_bAutoactivate);
}

BOOL CPropOptionExtras::OnInitDialog() { return CPropertyPage::OnInitDialog(); }

void CPropOptionExtras::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, 1120, m_nAutoSaveMinutes);
    DDX_Check(dx, IdModalProperties, m_bModalProperties);
}

CPropOptions::CPropOptions(UINT captionId, CWnd* parent, UINT firstPage)
    : CPropertySheet(CString(), parent, firstPage)
{
    CString caption;
    caption.LoadString(captionId);
    SetTitle(GetLanguageText(caption));
    LoadSettings();
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&m_spell, &m_rectivo, &m_update, &m_alarm, &m_extras})
        AddPage(page);
    m_lexigard = CreatePropertyPage(TLexigardPropPage::ProgId);
    if (auto* page = dynamic_cast<TLexigardPropPage*>(m_lexigard.get())) {
        page->SetObjects({m_spell.GetIDispatch(FALSE)});
        AddPage(page);
    }
}

void CPropOptions::LoadSettings()
{
    m_spell.m_bAlwaysSuggest = GetDictionaryAlwaysSuggest();
    m_spell.m_bIgnoreNumbers = GetDictionaryIgnoreNumbers();
    m_spell.m_bIgnoreUppercase = GetDictionaryIgnoreUppercase();
    m_spell.m_bCheckBeforeSave = GetDictionaryCheckBeforeSave();
    m_spell.m_bCheckAfterUpdate = GetDictionaryCheckAfterUpdate();
    m_spell.m_strCustomDictionary = ShownDictionary(GetCustomDictionaryFile());
    m_rectivo.m_bTwoInitCaps = GetRectivoCorrectTwoInitCaps();
    m_rectivo.m_bCapitalizeSentence = GetRectivoCapitalizeSentence();
    m_rectivo.m_bCapsLock = GetRectivoCorrectCapsLock();
    m_rectivo.m_bReplaceText = GetRectivoReplaceText();
    m_rectivo.m_strListFile = GetEditableRectivoListFile();
    m_alarm.m_nCheckDelay = static_cast<UINT>(GetAlarmCheckDelay());
    m_alarm.m_bEnabled = GetAlarmEnabled();
    m_alarm.m_bAutodeactivate = GetAlarmAutodeactivate();
    m_alarm.m_bAutoactivate = GetAlarmAutoactivate();
    m_alarm.m_bFlashWindow = GetAlarmFlashWindow();
    m_alarm.m_nFlashCount = GetAlarmFlashCount();
    m_alarm.m_bPlaySound = GetAlarmPlaySound();
    m_alarm.m_bShowBitmap = GetAlarmShowBitmap();
    m_nLoadedSeconds = GetAutoSaveInterval();
    m_nLoadedMinutes = m_extras.m_nAutoSaveMinutes = m_nLoadedSeconds / 60;
    m_extras.m_bModalProperties = GetPropertiesModal();
}

// The autosave interval is stored in seconds but edited in minutes: it is written back only
// when the minutes changed, so that seconds beyond whole minutes are not lost.
void CPropOptions::SaveSettings()
{
    SetDictionaryAlwaysSuggest(m_spell.m_bAlwaysSuggest);
    SetDictionaryIgnoreNumbers(m_spell.m_bIgnoreNumbers);
    SetDictionaryIgnoreUppercase(m_spell.m_bIgnoreUppercase);
    SetDictionaryCheckBeforeSave(m_spell.m_bCheckBeforeSave);
    SetDictionaryCheckAfterUpdate(m_spell.m_bCheckAfterUpdate);
    SetCustomDictionaryFile(StoredDictionary(m_spell.m_strCustomDictionary));
    SetRectivoCapitalizeSentence(m_rectivo.m_bCapitalizeSentence);
    SetRectivoCorrectCapsLock(m_rectivo.m_bCapsLock);
    SetRectivoCorrectTwoInitCaps(m_rectivo.m_bTwoInitCaps);
    SetRectivoReplaceText(m_rectivo.m_bReplaceText);
    SetAlarmCheckDelay(static_cast<int>(m_alarm.m_nCheckDelay));
    SetAlarmEnabled(m_alarm.m_bEnabled);
    SetAlarmAutodeactivate(m_alarm.m_bAutodeactivate);
    SetAlarmAutoactivate(m_alarm.m_bAutoactivate);
    SetAlarmFlashWindow(m_alarm.m_bFlashWindow);
    SetAlarmFlashCount(m_alarm.m_nFlashCount);
    SetAlarmPlaySound(m_alarm.m_bPlaySound);
    SetAlarmShowBitmap(m_alarm.m_bShowBitmap);
    SetAutoSaveInterval(m_extras.m_nAutoSaveMinutes == m_nLoadedMinutes ? m_nLoadedSeconds
                                                                         : m_extras.m_nAutoSaveMinutes * 60);
    SetPropertiesModal(m_extras.m_bModalProperties);
}

INT_PTR CPropOptions::DoModal()
{
    const INT_PTR result = CPropertySheet::DoModal();
    if (result == IDOK)
        SaveSettings();
    return result;
}

// Tab captions are language keys, the editor's own in angle brackets; they are translated
// before the sheet makes its tabs, which it sizes to fit.
BOOL CPropOptions::OnInitDialog()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CString& caption = GetPage(i)->m_strCaption;
        if (caption.GetLength() >= 2 && caption[0] == '<' && caption[caption.GetLength() - 1] == '>')
            caption = caption.Mid(1, caption.GetLength() - 2);
        caption = GetLanguageText(caption);
    }
    return CPropertySheet::OnInitDialog();
}
