// Enhanced and Windows metafiles: recording drawing calls, keeping them as bytes and playing
// them back onto any DC.
#pragma once

#include "platform/gdi/Dc.h"

struct RECTL {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
struct SIZEL {
    LONG cx;
    LONG cy;
};

struct ENHMETAHEADER {
    DWORD iType;
    DWORD nSize;
    RECTL rclBounds;  // device units, inclusive
    RECTL rclFrame;   // 0.01 mm, inclusive
    DWORD dSignature;
    DWORD nVersion;
    DWORD nBytes;
    DWORD nRecords;
    WORD nHandles;
    WORD sReserved;
    DWORD nDescription;
    DWORD offDescription;
    DWORD nPalEntries;
    SIZEL szlDevice;
    SIZEL szlMillimeters;
    DWORD cbPixelFormat;
    DWORD offPixelFormat;
    DWORD bOpenGL;
    SIZEL szlMicrometers;
};
static_assert(sizeof(ENHMETAHEADER) == 108);

constexpr DWORD ENHMETA_SIGNATURE = 0x464D4520;
constexpr DWORD kPlaceableKey = 0x9AC6CDD7;

// Copies the bytes; null unless they hold a well-formed enhanced metafile.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// Size needed when buffer is null.
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* buffer);
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);
UINT GetEnhMetaFilePaletteEntries(HENHMETAFILE metafile, UINT count, PALETTEENTRY* entries);
// A Windows metafile (without its placeable header) kept for playing; the header describes
// it in the reference DC's units.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference, const void* picture);
BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE metafile, LPCRECT rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, LPCTSTR file);
// Windows metafiles by themselves.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
BOOL PlayMetaFile(HDC hdc, HMETAFILE metafile);
BOOL DeleteMetaFile(HMETAFILE metafile);

class CMetaFileDC : public CDC {
    DECLARE_DYNAMIC(CMetaFileDC)
public:
    CMetaFileDC() = default;
    ~CMetaFileDC() override;
    // bounds in 0.01 mm; null measures the drawing. A file name writes the bytes there on close.
    BOOL CreateEnhanced(CDC* reference, LPCTSTR file, LPCRECT bounds, LPCTSTR description);
    HENHMETAFILE CloseEnhanced();

private:
    CString m_file;
    CString m_description;
};
