#include "spell/Lexigard.h"

extern "C" HGLOBAL LX_CheckText(LXHANDLE, LPCSTR, SHORT*) { return nullptr; }
