// The bitmap editor's canvas: a DIB section with its own palette, a memory DC attached on
// demand, drawing in image pixels, conversion to another size and depth, and bitmap exchange
// with the clipboard.
#pragma once

#include "platform/core/Object.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <functional>

class CFont;

// The 256 colours of the standard palette: the 20 static colours at both ends, a colour cube
// and a grey ramp between them.
extern const PALETTEENTRY* const g_StandardColours;

class CDIBSection : public CObject {
    DECLARE_DYNCREATE(CDIBSection)
public:
    CDIBSection();
    ~CDIBSection() override;
    CDIBSection(const CDIBSection&) = delete;
    CDIBSection& operator=(const CDIBSection&) = delete;

    void DeleteObject();
    BOOL Create(int width, int height, int planes, int bitCount, const void* bits, const LOGPALETTE* logPalette);
    BOOL SetBitmap(const BITMAPINFO* info, const void* bits);
    BOOL SetBitmap(HBITMAP bitmap, CPalette* palette);
    BOOL Copy(const CDIBSection& other);
    BOOL Convert(int width, int height, int planes, int bitCount, const POINT* origin);

    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    CSize GetSize() const { return {m_Info.header.biWidth, m_Info.header.biHeight}; }
    int GetWidth() const { return m_Info.header.biWidth; }
    int GetHeight() const { return m_Info.header.biHeight; }
    int GetBitCount() const { return m_Info.header.biBitCount; }
    int GetColorTableSize() const { return m_nColorTableSize; }
    const RGBQUAD* GetColorTable() const { return m_Info.colours; }
    const BITMAPINFO* GetBitmapInfo() const { return reinterpret_cast<const BITMAPINFO*>(&m_Info); }
    void* GetBits() const { return m_pBits; }
    CPalette* GetPalette() { return &m_Palette; }

    static BOOL CreateStandardPalette(CPalette* palette, int entries);
    BOOL CreateSectionPalette();
    BOOL SetPalette(CPalette* palette);
    BOOL SetLogPalette(const LOGPALETTE* logPalette);
    BOOL SetColorTable(UINT count, const RGBQUAD* colours);
    // A 256-entry palette shared by all canvases, filled from this one; null without a palette.
    LOGPALETTE* GetLogPalette();

    void SetDither(BOOL dither);
    BOOL UsesDrawDib() const { return m_bDither && GetBitCount() > 8; }
    BOOL Draw(CDC* dc, int x, int y, const POINT* origin = nullptr, const SIZE* size = nullptr);
    BOOL Stretch(CDC* dc, int x, int y, int cx, int cy);
    BOOL DrawTransparent(CDC* dc, int x, int y, COLORREF colour, const POINT* origin = nullptr,
                         const SIZE* size = nullptr);
    BOOL StretchTransparent(CDC* dc, int x, int y, int cx, int cy, COLORREF colour);

    CDC* GetMemoryDC(CDC* dc, BOOL selectPalette);
    BOOL ReleaseMemoryDC(BOOL force = FALSE);

    BOOL SetPixel(int x, int y, int width, COLORREF colour);
    COLORREF GetPixel(int x, int y);
    BOOL DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour);
    BOOL DrawRect(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled, BOOL rounded);
    BOOL DrawEllipse(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled);
    BOOL DrawText(const CString& text, const CRect& rect, UINT format, COLORREF colour, CFont* font);
    BOOL FloodFill(int x, int y, COLORREF colour);
    BOOL FillSolid(COLORREF colour);
    BOOL FillRect(const CRect& rect, COLORREF colour);

    static UINT CanPaste();
    static CSize GetClipboardBitmapSize();
    BOOL Paste(const CRect* rect, BOOL takePalette);
    BOOL PasteTransparent(const CRect* rect, COLORREF colour, BOOL takePalette);
    BOOL CopyToClipboard(const CRect* rect);

private:
    struct Info {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    };
    // Runs draw with the memory DC attached and the palette realized; FALSE when it can't be.
    BOOL WithMemoryDC(const std::function<BOOL(CDC&)>& draw);
    BOOL CreateSection(CDC* screen);
    BOOL DrawShape(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled,
                   const std::function<BOOL(CDC&, const CRect&)>& shape);
    BOOL DrawPart(CDC* dc, const CRect& target, const CPoint& origin, const CSize& size, bool stretch);
    BOOL DrawMasked(CDC* dc, const CRect& target, COLORREF colour, const CPoint& origin, const CSize& size,
                    bool stretch);
    BOOL PasteInto(CDC* dc, const CRect& area, BOOL takePalette);
    void SelectPaletteInto(CDC* dc);
    void SetHeader(int width, int height, int bitCount);
    CRect ClipboardArea(const CRect* rect) const;

    HBITMAP m_hBitmap = nullptr;
    Info m_Info {};
    void* m_pBits = nullptr;
    int m_nColorTableSize = 0;
    CPalette m_Palette;
    BOOL m_bDither = FALSE;
    HDRAWDIB m_hDrawDib = nullptr;
    CDC m_MemDC;
    BOOL m_bOleStarted = FALSE;
    HGDIOBJ m_hOldBitmap = nullptr;
    HPALETTE m_hOldPalette = nullptr;
};
