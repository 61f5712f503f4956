// Icons and cursors: an AND mask and a colour picture, drawn transparently.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

// Copies the bitmaps; a null colour bitmap means a monochrome icon whose mask is twice as
// high (AND half on top, XOR half below).
HICON CreateIconIndirect(const ICONINFO* info);
// New copies of the bitmaps; the caller deletes them.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
HICON CopyIcon(HICON icon);
// A shared icon outlives DestroyIcon, as icons loaded from the resources do.
BOOL DestroyIcon(HICON icon);
void MarkIconShared(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker, UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
// One image of an icon or cursor resource: the DIB header (twice the height), colours,
// XOR pixels and AND mask; a cursor's starts with its hot spot.
HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int width, int height,
                               UINT flags);
// The image of an .ico or .cur file closest to the wanted size (0 = the system icon size);
// null for a damaged or truncated file.
HICON CreateIconFromFileData(const void* data, size_t size, int width, int height);
