#include "game/DDrawSurface.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

#include <cstring>

CDDrawSurface::~CDDrawSurface()
{
    if (m_pdds)
        m_pdds->Release();
}

HRESULT CDDrawSurface::Create(IDirectDraw7* dd, DDSURFACEDESC2* desc)
{
    if (!dd || !desc)
        return DDERR_INVALIDPARAMS;
    HRESULT hr = dd->CreateSurface(desc, &m_pdds, nullptr);
    if (hr != DD_OK)
        return hr;
    return m_pdds->GetSurfaceDesc(&m_ddsd);
}

HRESULT CDDrawSurface::DrawBitmap(const PackedBitmap& bitmap)
{
    if (!m_pdds)
        return DDERR_GENERIC;
    HDC hdc = nullptr;
    HRESULT hr = m_pdds->GetDC(&hdc);
    if (hr != DD_OK)
        return hr;
    SetStretchBltMode(hdc, COLORONCOLOR);
    const int lines = StretchDIBits(hdc, 0, 0, Width(), Height(), 0, 0, bitmap.width, bitmap.height, bitmap.bits,
                                    bitmap.info(), DIB_RGB_COLORS, SRCCOPY);
    m_pdds->ReleaseDC(hdc);
    return lines > 0 ? DD_OK : DDERR_GENERIC;
}

HRESULT CDDrawSurface::DrawText(HFONT font, const char* text, int x, int y, COLORREF background,
                                COLORREF foreground)
{
    if (!m_pdds || !text)
        return DDERR_INVALIDPARAMS;
    HDC hdc = nullptr;
    HRESULT hr = m_pdds->GetDC(&hdc);
    if (hr != DD_OK)
        return hr;
    CDC dc;
    dc.Attach(hdc);
    HGDIOBJ old = font ? SelectObject(hdc, font) : nullptr;
    dc.SetBkColor(background);
    dc.SetTextColor(foreground);
    dc.SetBkMode(OPAQUE);
    dc.FillSolidRect(0, 0, Width(), Height(), background);
    dc.TextOut(x, y, text, int(std::strlen(text)));
    if (old)
        SelectObject(hdc, old);
    dc.Detach();
    return m_pdds->ReleaseDC(hdc);
}
