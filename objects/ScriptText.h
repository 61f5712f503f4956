// Small tests on characters and script texts, and the pieces of script that declarations
// of event procedures are made of.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

// TRUE when no character of the text occurs in the set (TRUE for an empty text).
BOOL HasNoCharOfSet(LPCTSTR text, LPCTSTR set);
BOOL IsCharNotInSet(char ch, LPCTSTR set);
// TRUE when the script holds only blanks, line ends and comment lines.
BOOL IsScriptBlank(LPCTSTR script);
// The script text for a token code; empty for an unknown code.
CString GetScriptToken(int code);
// Keeps "_", letters and the digits after the first letter or "_".
void StripNonIdentChars(CString& text);
