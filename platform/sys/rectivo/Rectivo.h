// The auto-correction library, bound by ordinal: one object per replacement-list file
// (an INI file with the sections "ReplaceWith" and "FirstLetterExceptions"). Strings are
// Windows-1252. A null or unknown handle makes every function do nothing and return 0.
#pragma once

#include "platform/core/Types.h"

struct RectivoList;
using RECTIVO_HANDLE = RectivoList*;

enum Rectivo_Ordinal : int {
    RECTIVO_ORD_Open = 100,
    RECTIVO_ORD_Close = 101,
    RECTIVO_ORD_SetCorrectTwoInitCaps = 103,
    RECTIVO_ORD_SetCapitalizeSentence = 105,
    RECTIVO_ORD_SetCorrectCapsLock = 107,
    RECTIVO_ORD_GetReplacement = 110,
    RECTIVO_ORD_IsFirstLetterException = 111,
};

extern "C" {

// Reads the list once; a missing or unreadable file gives an object with an empty list.
// `reserved` is 0.
RECTIVO_HANDLE Rectivo_Open(LPCSTR listFile, int reserved);
void Rectivo_Close(RECTIVO_HANDLE list);
// The switches; each returns its previous value. All start on.
int Rectivo_SetCorrectTwoInitCaps(RECTIVO_HANDLE list, int flag);
int Rectivo_SetCapitalizeSentence(RECTIVO_HANDLE list, int flag);
int Rectivo_SetCorrectCapsLock(RECTIVO_HANDLE list, int flag);
// The word's replacement into `buffer` (cut to size - 1 and terminated; empty for none),
// returning its whole length. A list entry matches regardless of case and takes the word's
// capitals; without one, "TWo" becomes "Two" and "hELLO" "Hello" while those switches are on.
int Rectivo_GetReplacement(RECTIVO_HANDLE list, LPCSTR word, LPSTR buffer, int size);
// Nonzero when `text`, a word with its full stop ("etc."), is listed as an exception, with
// or without the full stop; "g." matches a listed "e.g.".
int Rectivo_IsFirstLetterException(RECTIVO_HANDLE list, LPCSTR text);

using RECTIVO_OPEN = decltype(&Rectivo_Open);
using RECTIVO_CLOSE = decltype(&Rectivo_Close);
using RECTIVO_SETFLAG = decltype(&Rectivo_SetCorrectTwoInitCaps);
using RECTIVO_GETREPLACEMENT = decltype(&Rectivo_GetReplacement);
using RECTIVO_ISFIRSTLETTEREXCEPTION = decltype(&Rectivo_IsFirstLetterException);

} // extern "C"
