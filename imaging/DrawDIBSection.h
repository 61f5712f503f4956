// A decoded picture in a DIB section that draws itself with its own palette, through the
// video-display helper or through a stretching blit.
#pragma once

#include "piclib/common/PLDIBSection.h"
#include "platform/gdi/Dib.h"

class CDrawDIBSection : public PLDIBSection {
public:
    CDrawDIBSection() = default;
    ~CDrawDIBSection() override;
    CDrawDIBSection(const CDrawDIBSection&) = delete;
    CDrawDIBSection& operator=(const CDrawDIBSection&) = delete;

    void Draw(HDC dc, int x, int y, DWORD rop = SRCCOPY) override;
    BOOL DrawExtract(HDC dc, POINT dest, const RECT& source) override;
    void StretchDraw(HDC dc, int x, int y, int cx, int cy, DWORD rop = SRCCOPY);
    void StretchDraw(HDC dc, int x, int y, double factor, DWORD rop = SRCCOPY);

    // mode below 0 draws through the display helper, 0 and above with a blit (above 0: in that
    // stretch mode). Null rectangles mean the whole picture and the source's size.
    BOOL DrawEx(HDC dc, const RECT* dst, const RECT* src, HPALETTE palette, BOOL foreground, int mode, DWORD rop);
    HPALETTE CreatePalette() const;
    HPALETTE GetPalette();

private:
    BOOL Blit(HDC dc, const RECT& dst, const RECT& src, int mode, DWORD rop);
    BOOL DrawThroughHelper(HDC dc, const RECT& dst, const RECT& src, BOOL foreground);

    HPALETTE m_palette = nullptr;
    HDRAWDIB m_drawDib = nullptr;
};
