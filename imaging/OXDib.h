// One bitmap as a packed DIB (header, colour table, rows) in a movable global block, with a
// logical palette built from its colour table.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/gdi/DibTypes.h"
#include "platform/gdi/GdiTypes.h"

class CArchive;
class CBitmap;
class CDC;
class CPalette;

// What the header of a packed DIB says, checked against the block that holds it.
struct PackedDibLayout {
    bool core = false;
    DWORD headerSize = 0;
    LONG width = 0;
    LONG height = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    DWORD colours = 0;
    DWORD tableBytes = 0;  // colour table, and the masks of a bit-field image
    DWORD imageBytes = 0;
};

class COXDIB : public CObject {
    DECLARE_SERIAL(COXDIB)
public:
    COXDIB() = default;
    COXDIB(const COXDIB& other);
    COXDIB& operator=(const COXDIB& other);
    ~COXDIB() override;

    static HGLOBAL CopyHandle(HGLOBAL source, SIZE_T extra = 0);
    // Takes over a packed DIB built elsewhere and builds its palette.
    void Attach(HGLOBAL dib);
    HGLOBAL GetHandle() const { return m_hDIB; }
    CPalette* GetPalette() const { return m_pPalette; }
    void Free();
    BOOL IsEmpty() const { return m_hDIB == nullptr; }

    CSize GetSize() const;
    WORD GetBitCount() const;
    WORD GetNumColours() const;
    WORD GetPaletteSize() const;
    // Offset of the pixel rows from the start of the block; 0 when empty.
    DWORD FindBits() const;
    // The header, table and rows, or nothing when they do not fit the block.
    BOOL GetLayout(PackedDibLayout& layout) const;
    BOOL GetMonoColours(COLORREF& c0, COLORREF& c1) const;
    void SetMonoColours(COLORREF c0, COLORREF c1);

    BOOL CreatePalette(const BYTE* header);
    BOOL FillColourTable(CPalette* palette, UINT usage);
    static void InitBitmapInfoHeader(BITMAPINFOHEADER& bih, DWORD width, DWORD height, int bitsPerPixel);

    HGLOBAL BitmapToDIB(HBITMAP bitmap, CPalette* palette = nullptr);
    CBitmap* MakeBitmap(CDC* dc);
    CBitmap* SelectIntoDC(CDC* dc, CSize* size);
    int Paint(CDC* dc, const CRect& dest, const CRect& src);

    void Serialize(CArchive& ar) override;
    BOOL Read(CArchive& ar);
    BOOL Write(CArchive& ar);
    BOOL Write(LPCTSTR path);

private:
    void RebuildPalette();

    HGLOBAL m_hDIB = nullptr;
    CPalette* m_pPalette = nullptr;
};

// The layout of the packed DIB at block, size bytes long; FALSE when it does not fit.
BOOL ParsePackedDib(const BYTE* block, SIZE_T size, PackedDibLayout& layout);
