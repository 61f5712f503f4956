// The spelling checker's C interface. Every function is exported by name and, through
// LX_OrdinalTable, by ordinal. A null handle makes every function do nothing and return 0;
// every function returns a value, so a caller binding them never reads an undefined result.
// Strings are 8-bit; results are copied into the caller's buffer with at most size - 1
// characters and always terminated.
#pragma once

#include "platform/core/Types.h"

#include <array>

struct CCheckerState;
using LXHANDLE = CCheckerState*;

enum LX_Ordinal : int {
    LX_ORD_Init = 100,
    LX_ORD_Destroy = 101,
    LX_ORD_OpenDictionary = 102,
    LX_ORD_CloseDictionary = 103,
    LX_ORD_Reset = 105,
    LX_ORD_GetLanguageName = 108,
    LX_ORD_IsWordExist = 109,
    LX_ORD_AddToChangeAll = 110,
    LX_ORD_AddToIgnoreAll = 120,
    LX_ORD_IsCharAlpha = 121,
    LX_ORD_IsCharLower = 122,
    LX_ORD_IsCharUpper = 130,
    LX_ORD_GetReplacement = 131,
    LX_ORD_GetSuggestion = 132,
    LX_ORD_AddWord = 133,
    LX_ORD_CheckText = 135,
    LX_ORD_GetAlwaysSuggest = 140,
    LX_ORD_SetAlwaysSuggest = 141,
    LX_ORD_GetIgnoreWordsInUppercase = 142,
    LX_ORD_SetIgnoreWordsInUppercase = 143,
    LX_ORD_GetIgnoreWordsWithNumbers = 144,
    LX_ORD_SetIgnoreWordsWithNumbers = 145,
    LX_ORD_DownloadDictionaries = 150,
    LX_ORD_OptionsDialog = 155,
};

constexpr int LX_ORDINAL_BASE = LX_ORD_Init;
constexpr int LX_ORDINAL_COUNT = LX_ORD_OptionsDialog - LX_ORDINAL_BASE + 1;

extern "C" {

using LX_PROC = void (*)();
// Entry k is the function of ordinal LX_ORDINAL_BASE + k; ordinals without a function are null.
extern const std::array<LX_PROC, LX_ORDINAL_COUNT> LX_OrdinalTable;

LXHANDLE LX_Init();
BOOL LX_Destroy(LXHANDLE checker);
BOOL LX_OpenDictionary(LXHANDLE checker, LPCSTR mainFile, LPCSTR customFile);
BOOL LX_CloseDictionary(LXHANDLE checker);
BOOL LX_Reset(LXHANDLE checker);
BOOL LX_GetLanguageName(LXHANDLE checker, LPCSTR dictionaryFile, LPSTR buffer, int size);
BOOL LX_IsWordExist(LXHANDLE checker, LPCSTR word);
BOOL LX_AddToChangeAll(LXHANDLE checker, LPCSTR word, LPCSTR replacement);
BOOL LX_AddToIgnoreAll(LXHANDLE checker, LPCSTR word);
// The character classes look at the low byte only, so a signed 8-bit char that arrives
// sign-extended (0xFFE9 for 0xE9) is classified as the byte it is.
BOOL LX_IsCharAlpha(LXHANDLE checker, WORD character);
BOOL LX_IsCharLower(LXHANDLE checker, WORD character);
BOOL LX_IsCharUpper(LXHANDLE checker, WORD character);
BOOL LX_GetReplacement(LXHANDLE checker, LPCSTR word, LPSTR buffer, int size);
BOOL LX_GetSuggestion(LXHANDLE checker, LPCSTR word, SHORT index, LPSTR buffer, int size);
BOOL LX_AddWord(LXHANDLE checker, LPCSTR word);
HGLOBAL LX_CheckText(LXHANDLE checker, LPCSTR text, SHORT* result);
BOOL LX_GetAlwaysSuggest(LXHANDLE checker);
BOOL LX_SetAlwaysSuggest(LXHANDLE checker, BOOL value);
BOOL LX_GetIgnoreWordsInUppercase(LXHANDLE checker);
BOOL LX_SetIgnoreWordsInUppercase(LXHANDLE checker, BOOL value);
BOOL LX_GetIgnoreWordsWithNumbers(LXHANDLE checker);
BOOL LX_SetIgnoreWordsWithNumbers(LXHANDLE checker, BOOL value);
BOOL LX_DownloadDictionaries(LXHANDLE checker, LPCSTR listAddress, LPCSTR targetFolder);
BOOL LX_OptionsDialog(LXHANDLE checker, LPCSTR dictionaryFolder, LPSTR customFile, int customSize,
    LPSTR mainFile, int mainSize, LPCSTR listAddress, int dialogKind);

} // extern "C"
