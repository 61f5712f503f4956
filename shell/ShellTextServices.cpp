#include "shell/ShellTextServices.h"

#include "controls/InPlaceSpellSession.h"
#include "controls/RectivoClient.h"
#include "View/HyperTextEdit.h"
#include "shell/Settings.h"
#include "shell/SpellEdit.h"
#include "shell/VantrelApp.h"
#include "platform/ui/WinApp.h"

std::unique_ptr<CAutoCorrector> CShellTextServices::CreateAutoCorrector() const
{
    auto client = std::make_unique<CRectivoClient>();
    client->Open(GetRectivoListFile());
    client->SetCorrectTwoInitCaps(static_cast<BYTE>(GetRectivoCorrectTwoInitCaps()));
    client->SetCapitalizeSentence(static_cast<BYTE>(GetRectivoCapitalizeSentence()));
    client->SetCorrectCapsLock(static_cast<BYTE>(GetRectivoCorrectCapsLock()));
    client->SetReplaceText(static_cast<BYTE>(GetRectivoReplaceText()));
    return client;
}

CString CShellTextServices::GetMainDictionary() const { return GetDictionaryFile(); }

CString CShellTextServices::GetCustomDictionary() const
{
    return GetCustomDictionaryFile();
}

BOOL CShellTextServices::RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb* object, int start,
                                         int end) const
{
    auto* inPlace = dynamic_cast<CHyperTextEdit*>(editor);
    if (!inPlace || !object)
        return CTextServices::RunSpellSession(editor, checker, object, start, end);
    return CInPlaceSpellSession(inPlace, checker, object).Run(start, end);
}

std::unique_ptr<CSpellingEdit> CShellTextServices::CreateSpellingEdit() const
{
    return std::make_unique<CSpellEdit>();
}

BOOL CShellTextServices::OpenDictionaries(CSpellingEdit& edit) const { return OpenUserDictionaries(edit); }

void CShellTextServices::LoadSpellingOptions(CSpellingEdit& edit) const { LoadUserSpellingOptions(edit); }

void CShellTextServices::StoreSpellingOptions(const CSpellingEdit& edit) const { StoreUserSpellingOptions(edit); }

BOOL CShellTextServices::GetCheckAfterEditing() const { return GetDictionaryCheckAfterUpdate(); }

BOOL OpenUserDictionaries(CSpellingEdit& edit)
{
    const CString mainFile = GetDictionaryFile(), customFile = GetCustomDictionaryFile();
    if (edit.OpenDictionary(mainFile, customFile))
        return TRUE;
    ReportDictionaryFailure(mainFile, customFile);
    return FALSE;
}

void LoadUserSpellingOptions(CSpellingEdit& edit)
{
    edit.SetAlwaysSuggest(GetDictionaryAlwaysSuggest());
    edit.SetIgnoreUppercase(GetDictionaryIgnoreUppercase());
    edit.SetIgnoreNumbers(GetDictionaryIgnoreNumbers());
}

void StoreUserSpellingOptions(const CSpellingEdit& edit)
{
    SetDictionaryAlwaysSuggest(edit.GetAlwaysSuggest());
    SetDictionaryIgnoreUppercase(edit.GetIgnoreUppercase());
    SetDictionaryIgnoreNumbers(edit.GetIgnoreNumbers());
}

void InstallTextServices()
{
    static CShellTextServices services;
    SetTextServices(&services);
}
