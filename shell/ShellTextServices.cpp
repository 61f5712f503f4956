#include "shell/ShellTextServices.h"

#include "controls/RectivoClient.h"
#include "shell/Settings.h"

#include <filesystem>

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

CString CShellTextServices::GetMainDictionary() const
{
    const CString file = GetDictionaryFile();
    return std::filesystem::exists(static_cast<const char*>(file)) ? file : CString();
}

CString CShellTextServices::GetCustomDictionary() const
{
    return GetCustomDictionaryFile();
}

void InstallTextServices()
{
    static CShellTextServices services;
    SetTextServices(&services);
}
