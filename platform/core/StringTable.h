// The string table: resource id -> text, filled at start-up from the program's resources.
#pragma once

#include "platform/core/Types.h"

class CString;

void RegisterStringResource(UINT id, LPCTSTR text);
BOOL LookupStringResource(UINT id, CString& text);
// Copies at most bufferSize - 1 bytes and a NUL; returns the bytes copied, 0 when the id is unknown.
int LoadString(HINSTANCE instance, UINT id, LPTSTR buffer, int bufferSize);
// The string resource with "%1" (and "%2") replaced by the given texts; empty when the id
// is unknown.
void AfxFormatString1(CString& result, UINT id, LPCTSTR text1);
void AfxFormatString2(CString& result, UINT id, LPCTSTR text1, LPCTSTR text2);
