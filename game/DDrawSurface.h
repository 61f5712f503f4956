// One off-screen surface holding a bitmap or a text.
#pragma once

#include "game/BitmapFile.h"
#include "platform/media/DirectDraw.h"

class CDDrawSurface {
public:
    CDDrawSurface() = default;
    ~CDDrawSurface();
    CDDrawSurface(const CDDrawSurface&) = delete;
    CDDrawSurface& operator=(const CDDrawSurface&) = delete;

    HRESULT Create(IDirectDraw7* dd, DDSURFACEDESC2* desc);
    // Stretches the bitmap over the whole surface.
    HRESULT DrawBitmap(const PackedBitmap& bitmap);
    // Draws the text at (x, y) on its background colour; font null is the default font.
    HRESULT DrawText(HFONT font, const char* text, int x, int y, COLORREF background, COLORREF foreground);

    IDirectDrawSurface7* GetDDrawSurface() const { return m_pdds; }
    bool IsColorKeyed() const { return m_bColorKeyed; }
    int Width() const { return int(m_ddsd.dwWidth); }
    int Height() const { return int(m_ddsd.dwHeight); }

private:
    IDirectDrawSurface7* m_pdds = nullptr;
    DDSURFACEDESC2 m_ddsd;
    bool m_bColorKeyed = false;
};
