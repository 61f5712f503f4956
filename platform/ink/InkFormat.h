// The stored form of an ink object (InkDisp::Save and Load). Little-endian throughout:
//
//   "VINK"              4 bytes, the magic
//   version             WORD, 1
//   ink properties      a property list (below)
//   stroke count        DWORD
//   per stroke:
//     colour            COLORREF
//     width, height     two 32-bit IEEE floats, ink space
//     transparency      BYTE, 0 opaque to 255
//     raster operation  BYTE (13 copy pen, 9 mask pen)
//     pen tip           BYTE (0 ball, 1 rectangle)
//     flags             BYTE: 1 anti-aliased, 2 fit to curve, 4 ignore pressure, 8 has pressure
//     point count       DWORD
//     points            count x (LONG x, LONG y)
//     pressures         count x WORD (0 to 1023), only with flag 8
//     properties        a property list
//
//   property list:      DWORD count, then per property the GUID (16 bytes, stored order), a
//                       type BYTE (1 LONG, 2 text, 3 bytes), a DWORD byte length and the value.
//
// Stroke ids are not stored: loading numbers the strokes from 1 in order. A reader refuses a
// block whose counts or lengths run past its end, an unknown version, type or flag, and bytes
// left over after the last stroke.
#pragma once

#include "platform/core/Types.h"

constexpr char kInkMagic[4] = {'V', 'I', 'N', 'K'};
constexpr WORD kInkFormatVersion = 1;
