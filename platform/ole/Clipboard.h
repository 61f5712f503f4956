// The clipboard: formats, storage media and the handle-level calls. Content goes to the
// desktop's clipboard, so text and pictures move to and from other programs; private
// formats travel under their registered names.
#pragma once

#include "platform/core/Types.h"
#include "platform/ole/OleTypes.h"

using CLIPFORMAT = WORD;

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_PALETTE = 9;
constexpr UINT CF_ENHMETAFILE = 14;
constexpr UINT CF_HDROP = 15;

constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_GDI = 16;
constexpr DWORD TYMED_ENHMF = 64;

constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD DVASPECT_ICON = 4;

struct FORMATETC {
    CLIPFORMAT cfFormat;
    void* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};
using LPFORMATETC = FORMATETC*;

struct STGMEDIUM {
    DWORD tymed;
    union {
        HBITMAP hBitmap;
        HENHMETAFILE hEnhMetaFile;
        HGLOBAL hGlobal;
        HANDLE hGdi;
    };
    IUnknown* pUnkForRelease;
};
using LPSTGMEDIUM = STGMEDIUM*;

// Frees what the medium holds (block, bitmap or metafile) and empties it.
void ReleaseStgMedium(STGMEDIUM* medium);

// Registered formats are numbered from 0xC000; a name registered twice, in any case,
// keeps its number. 0 for an empty name.
UINT RegisterClipboardFormat(LPCSTR name);
inline UINT RegisterClipboardFormatA(LPCSTR name) { return RegisterClipboardFormat(name); }
// The registered name into buffer (at most size bytes with the NUL); 0 for other formats.
int GetClipboardFormatName(UINT format, LPSTR buffer, int size);
inline int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size)
{
    return GetClipboardFormatName(format, buffer, size);
}

// One window at a time opens the clipboard. EmptyClipboard makes the opener the owner;
// SetClipboardData then hands the clipboard the handle (NULL: the owner renders the format
// when asked, on WM_RENDERFORMAT). GetClipboardData's handle stays the clipboard's and is
// valid until CloseClipboard.
BOOL OpenClipboard(HWND hwnd);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT format);
// The first listed format on the clipboard; 0 when it is empty, -1 when none is there.
int GetPriorityClipboardFormat(const UINT* formats, int count);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
