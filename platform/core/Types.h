// Fixed-width Windows types, handles and the small helpers every layer uses.
// Widths are those of 32-bit Windows: LONG is 32 bits here, never `long`.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using UINT = uint32_t;
using INT = int32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using CHAR = char;
using UCHAR = unsigned char;
using TCHAR = char;
using WCHAR = char16_t;
using BOOL = int32_t;
using BOOLEAN = uint8_t;
using LONGLONG = long long;
using ULONGLONG = unsigned long long;
using DWORDLONG = unsigned long long;
using FLOAT = float;
using COLORREF = DWORD;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using INT_PTR = intptr_t;
using LONG_PTR = intptr_t;
using DWORD_PTR = uintptr_t;
using SIZE_T = size_t;
using HRESULT = int32_t;

using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPWORD = WORD*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using LPINT = INT*;
using PVOID = void*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifndef _T
#define _T(x) x
#endif
#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif

// Opaque handles: each kind is its own pointer type so they don't mix silently.
#define VANTREL_DECLARE_HANDLE(name) \
    struct name##__ { int unused; }; \
    using name = name##__*
VANTREL_DECLARE_HANDLE(HWND);
VANTREL_DECLARE_HANDLE(HDC);
VANTREL_DECLARE_HANDLE(HPEN);
VANTREL_DECLARE_HANDLE(HBRUSH);
VANTREL_DECLARE_HANDLE(HFONT);
VANTREL_DECLARE_HANDLE(HBITMAP);
VANTREL_DECLARE_HANDLE(HRGN);
VANTREL_DECLARE_HANDLE(HPALETTE);
VANTREL_DECLARE_HANDLE(HICON);
VANTREL_DECLARE_HANDLE(HMENU);
VANTREL_DECLARE_HANDLE(HINSTANCE);
VANTREL_DECLARE_HANDLE(HACCEL);
VANTREL_DECLARE_HANDLE(HMETAFILE);
VANTREL_DECLARE_HANDLE(HENHMETAFILE);
VANTREL_DECLARE_HANDLE(HKEY);
VANTREL_DECLARE_HANDLE(HDROP);
VANTREL_DECLARE_HANDLE(HIMAGELIST);
#undef VANTREL_DECLARE_HANDLE
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using HGDIOBJ = void*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
struct POINTS {
    SHORT x;
    SHORT y;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>(c >> 16); }

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi)
{
    return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return static_cast<WORD>(lo | (hi << 8)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<DWORD>(MAKELONG(lo, hi)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lp))); }

// number * numerator / denominator through a 64-bit intermediate, rounded half away
// from zero; -1 when the denominator is 0 or the result does not fit, as the platform does.
inline int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t half = (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    int64_t magnitude = (product < 0 ? -product : product) + half;
    int64_t result = magnitude / (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator);
    if (negative)
        result = -result;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int>(result);
}
