// The game's display: the DirectDraw object, the front buffer (the window's client area)
// and an off-screen back buffer where every frame is composed, presented by one blit.
#pragma once

#include "game/DDrawSurface.h"

class CDDrawDisplay {
public:
    CDDrawDisplay() = default;
    ~CDDrawDisplay();
    CDDrawDisplay(const CDDrawDisplay&) = delete;
    CDDrawDisplay& operator=(const CDDrawDisplay&) = delete;

    // Gives the window a fixed frame with a client area of width x height, and creates the
    // front buffer clipped to it and the back buffer.
    HRESULT CreateWindowedDisplay(HWND hwnd, DWORD width, DWORD height);
    HRESULT CreateSurface(CDDrawSurface** surface, DWORD width, DWORD height);
    // From the bitmap registered under the name, else the bitmap file of that name; the
    // bitmap's own size when width or height is 0.
    HRESULT CreateSurfaceFromBitmap(CDDrawSurface** surface, const char* name, DWORD width, DWORD height);
    HRESULT CreateSurfaceFromText(CDDrawSurface** surface, HFONT font, const char* text, COLORREF background,
                                  COLORREF foreground);
    // The text's size in the font (null: the default font).
    static SIZE TextExtent(HFONT font, const char* text);
    HRESULT CreatePaletteFromBitmap(IDirectDrawPalette** palette, const char* name);
    HRESULT SetPalette(IDirectDrawPalette* palette);
    // Reloads a bitmap into an existing surface (after its memory was lost).
    HRESULT ReloadBitmap(CDDrawSurface* surface, const char* name);

    HRESULT BltSurface(int x, int y, CDDrawSurface* surface, RECT* source = nullptr);
    // Copies the back buffer to the window; restores lost buffers.
    HRESULT Present();
    HRESULT UpdateBounds();

    IDirectDraw7* GetDirectDraw() const { return m_pDD; }
    IDirectDrawSurface7* GetFrontBuffer() const { return m_pddsFrontBuffer; }
    IDirectDrawSurface7* GetBackBuffer() const { return m_pddsBackBuffer; }

private:
    void Release();
    void FitWindow(DWORD width, DWORD height);

    IDirectDraw7* m_pDD = nullptr;
    IDirectDrawSurface7* m_pddsFrontBuffer = nullptr;
    IDirectDrawSurface7* m_pddsBackBuffer = nullptr;
    IDirectDrawClipper* m_pClipper = nullptr;
    HWND m_hWnd = nullptr;
    RECT m_rcWindow{0, 0, 0, 0};
    bool m_bWindowed = true;
};

// The bitmap under the name: the registered one, else the file; nullopt when neither is
// there or it is not a usable bitmap.
std::optional<PackedBitmap> LoadNamedBitmap(const char* name, std::vector<BYTE>& storage);
