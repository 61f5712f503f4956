// The logical-font record, laid out exactly as the 8-bit Windows one (60 bytes).
#pragma once

#include "platform/core/Types.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONT) == 60);
using LPLOGFONT = LOGFONT*;
