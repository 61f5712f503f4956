// The exported functions: argument checks and the handle rules, then the session's work.
#include "spell/Lexigard.h"

#include "spell/CharacterServices.h"
#include "spell/CheckerState.h"
#include "spell/DictionaryCatalogue.h"
#include "spell/DictionaryDownload.h"
#include "spell/LexigardDialogs.h"
#include "spell/LibraryPaths.h"
#include "spell/OptionsDialog.h"
#include "spell/TextBuffer.h"

#include "platform/sys/OrdinalExports.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int kReplacementSize = 128;

BOOL classify(LXHANDLE checker, WORD character, bool (*test)(BYTE))
{
    if (checker == nullptr || !checker->RequireSession())
        return FALSE;
    return test(static_cast<BYTE>(character & 0xFF)) ? TRUE : FALSE;
}

} // namespace

extern "C" {

LXHANDLE LX_Init()
{
    return new (std::nothrow) CCheckerState();
}

BOOL LX_Destroy(LXHANDLE checker)
{
    if (checker == nullptr)
        return FALSE;
    delete checker;
    return TRUE;
}

BOOL LX_OpenDictionary(LXHANDLE checker, LPCSTR mainFile, LPCSTR customFile)
{
    if (checker == nullptr)
        return FALSE;
    checker->CloseSession();
    if (mainFile == nullptr)
        return FALSE;
    checker->mainFileName = MakeDictionaryPath(mainFile);
    checker->customFileName
        = customFile == nullptr || *customFile == 0 ? std::string() : MakeDictionaryPath(customFile);
    return checker->OpenSession() ? TRUE : FALSE;
}

BOOL LX_CloseDictionary(LXHANDLE checker)
{
    if (checker == nullptr)
        return FALSE;
    checker->CloseSession();
    checker->mainFileName.clear();
    checker->customFileName.clear();
    return TRUE;
}

BOOL LX_Reset(LXHANDLE checker)
{
    if (checker == nullptr || !checker->session)
        return FALSE;
    checker->OpenSession();
    return checker->session ? TRUE : FALSE;
}

BOOL LX_GetLanguageName(LXHANDLE checker, LPCSTR dictionaryFile, LPSTR buffer, int size)
{
    if (checker == nullptr)
        return FALSE;
    CopyToBuffer(buffer, size, nullptr);
    std::string name;
    if (dictionaryFile == nullptr || !ReadLanguageName(MakeDictionaryPath(dictionaryFile), name))
        return FALSE;
    return CopyToBuffer(buffer, size, name.c_str()) ? TRUE : FALSE;
}

BOOL LX_IsWordExist(LXHANDLE checker, LPCSTR word)
{
    if (checker == nullptr || !checker->RequireSession() || word == nullptr)
        return FALSE;
    return checker->session->IsWordExist(word);
}

BOOL LX_AddToChangeAll(LXHANDLE checker, LPCSTR word, LPCSTR replacement)
{
    if (checker == nullptr || !checker->RequireSession() || word == nullptr || replacement == nullptr)
        return FALSE;
    checker->session->AddToChangeAll(word, replacement);
    return TRUE;
}

BOOL LX_AddToIgnoreAll(LXHANDLE checker, LPCSTR word)
{
    if (checker == nullptr || !checker->RequireSession() || word == nullptr)
        return FALSE;
    checker->session->AddToIgnoreAll(word);
    return TRUE;
}

BOOL LX_IsCharAlpha(LXHANDLE checker, WORD character)
{
    return classify(checker, character, CharacterServices::IsAlpha);
}

BOOL LX_IsCharLower(LXHANDLE checker, WORD character)
{
    return classify(checker, character, CharacterServices::IsLower);
}

BOOL LX_IsCharUpper(LXHANDLE checker, WORD character)
{
    return classify(checker, character, CharacterServices::IsUpper);
}

BOOL LX_GetReplacement(LXHANDLE checker, LPCSTR word, LPSTR buffer, int size)
{
    if (checker == nullptr)
        return FALSE;
    CopyToBuffer(buffer, size, nullptr);
    if (!checker->RequireSession() || word == nullptr)
        return FALSE;
    char replacement[kReplacementSize];
    if (!checker->session->FindChangeAll(word, replacement, sizeof replacement))
        return FALSE;
    return CopyToBuffer(buffer, size, replacement) ? TRUE : FALSE;
}

BOOL LX_GetSuggestion(LXHANDLE checker, LPCSTR word, SHORT index, LPSTR buffer, int size)
{
    if (checker == nullptr)
        return FALSE;
    CopyToBuffer(buffer, size, nullptr);
    if (!checker->RequireSession() || word == nullptr)
        return FALSE;
    return CopyToBuffer(buffer, size, checker->GetSuggestion(word, index)) ? TRUE : FALSE;
}

BOOL LX_AddWord(LXHANDLE checker, LPCSTR word)
{
    if (checker == nullptr || !checker->RequireSession() || word == nullptr)
        return FALSE;
    return checker->session->AppendToCustomDictionary(word) ? TRUE : FALSE;
}

BOOL LX_GetAlwaysSuggest(LXHANDLE checker)
{
    return checker ? GetCheckerOptions().alwaysSuggest : FALSE;
}

BOOL LX_SetAlwaysSuggest(LXHANDLE checker, BOOL value)
{
    if (checker == nullptr)
        return FALSE;
    GetCheckerOptions().alwaysSuggest = value;
    return TRUE;
}

BOOL LX_GetIgnoreWordsInUppercase(LXHANDLE checker)
{
    return checker ? GetCheckerOptions().ignoreWordsInUppercase : FALSE;
}

BOOL LX_SetIgnoreWordsInUppercase(LXHANDLE checker, BOOL value)
{
    if (checker == nullptr)
        return FALSE;
    GetCheckerOptions().ignoreWordsInUppercase = value;
    return TRUE;
}

BOOL LX_GetIgnoreWordsWithNumbers(LXHANDLE checker)
{
    return checker ? GetCheckerOptions().ignoreWordsWithNumbers : FALSE;
}

BOOL LX_SetIgnoreWordsWithNumbers(LXHANDLE checker, BOOL value)
{
    if (checker == nullptr)
        return FALSE;
    GetCheckerOptions().ignoreWordsWithNumbers = value;
    return TRUE;
}

BOOL LX_DownloadDictionaries(LXHANDLE checker, LPCSTR listAddress, LPCSTR targetFolder)
{
    if (checker == nullptr)
        return FALSE;
    return DownloadDictionaries(listAddress, targetFolder) ? TRUE : FALSE;
}

BOOL LX_OptionsDialog(LXHANDLE checker, LPCSTR dictionaryFolder, LPSTR customFile, int customSize,
    LPSTR mainFile, int mainSize, LPCSTR listAddress, int dialogKind)
{
    if (checker == nullptr || customFile == nullptr || mainFile == nullptr || customSize <= 0
        || mainSize <= 0)
        return FALSE;
    SpellerSettings settings { std::string(mainFile, strnlen(mainFile, static_cast<size_t>(mainSize))),
        std::string(customFile, strnlen(customFile, static_cast<size_t>(customSize))), GetCheckerOptions() };
    std::string address = listAddress == nullptr || *listAddress == 0 ? kBuiltInListAddress : listAddress;
    RegisterLexigardDialogs();
    COptionsDialog dialog(dialogKind != 0, DictionaryFolder(dictionaryFolder), std::move(settings), address);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    const SpellerSettings& chosen = dialog.GetSettings();
    GetCheckerOptions() = chosen.options;
    CopyToBuffer(customFile, customSize, chosen.customFile.c_str());
    CopyToBuffer(mainFile, mainSize, chosen.mainFile.c_str());
    return TRUE;
}

const std::array<LX_PROC, LX_ORDINAL_COUNT> LX_OrdinalTable = [] {
    std::array<LX_PROC, LX_ORDINAL_COUNT> table {};
    auto put = [&table](int ordinal, auto function) {
        table[static_cast<size_t>(ordinal - LX_ORDINAL_BASE)] = reinterpret_cast<LX_PROC>(function);
    };
    put(LX_ORD_Init, &LX_Init);
    put(LX_ORD_Destroy, &LX_Destroy);
    put(LX_ORD_OpenDictionary, &LX_OpenDictionary);
    put(LX_ORD_CloseDictionary, &LX_CloseDictionary);
    put(LX_ORD_Reset, &LX_Reset);
    put(LX_ORD_GetLanguageName, &LX_GetLanguageName);
    put(LX_ORD_IsWordExist, &LX_IsWordExist);
    put(LX_ORD_AddToChangeAll, &LX_AddToChangeAll);
    put(LX_ORD_AddToIgnoreAll, &LX_AddToIgnoreAll);
    put(LX_ORD_IsCharAlpha, &LX_IsCharAlpha);
    put(LX_ORD_IsCharLower, &LX_IsCharLower);
    put(LX_ORD_IsCharUpper, &LX_IsCharUpper);
    put(LX_ORD_GetReplacement, &LX_GetReplacement);
    put(LX_ORD_GetSuggestion, &LX_GetSuggestion);
    put(LX_ORD_AddWord, &LX_AddWord);
    put(LX_ORD_CheckText, &LX_CheckText);
    put(LX_ORD_GetAlwaysSuggest, &LX_GetAlwaysSuggest);
    put(LX_ORD_SetAlwaysSuggest, &LX_SetAlwaysSuggest);
    put(LX_ORD_GetIgnoreWordsInUppercase, &LX_GetIgnoreWordsInUppercase);
    put(LX_ORD_SetIgnoreWordsInUppercase, &LX_SetIgnoreWordsInUppercase);
    put(LX_ORD_GetIgnoreWordsWithNumbers, &LX_GetIgnoreWordsWithNumbers);
    put(LX_ORD_SetIgnoreWordsWithNumbers, &LX_SetIgnoreWordsWithNumbers);
    put(LX_ORD_DownloadDictionaries, &LX_DownloadDictionaries);
    put(LX_ORD_OptionsDialog, &LX_OptionsDialog);
    return table;
}();

} // extern "C"

// The same table in the form that binding by ordinal (GetProcAddress) reads.
const ORDINAL_EXPORTS OrdinalExports = { LX_ORDINAL_BASE, LX_ORDINAL_COUNT, LX_OrdinalTable.data() };
