#include "game/DDrawDisplay.h"

#include "game/GameResources.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"

#include <cstring>

namespace {

constexpr int kStillDrawingRetries = 100;

template <typename T>
void SafeRelease(T*& p)
{
    if (p)
        p->Release();
    p = nullptr;
}

}  // namespace

std::optional<PackedBitmap> LoadNamedBitmap(const char* name, std::vector<BYTE>& storage)
{
    if (!name)
        return std::nullopt;
    if (const std::vector<BYTE>* registered = FindNamedBitmap(name))
        storage = *registered;
    else if (auto file = ReadWholeFile(name))
        storage = std::move(*file);
    else
        return std::nullopt;
    return ParseBitmapFile(storage);
}

CDDrawDisplay::~CDDrawDisplay() { Release(); }

void CDDrawDisplay::Release()
{
    SafeRelease(m_pClipper);
    SafeRelease(m_pddsBackBuffer);
    SafeRelease(m_pddsFrontBuffer);
    SafeRelease(m_pDD);
}

void CDDrawDisplay::FitWindow(DWORD width, DWORD height)
{
    LONG style = GetWindowLong(m_hWnd, GWL_STYLE);
    style = (style & ~LONG(WS_POPUP)) | LONG(WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX);
    SetWindowLong(m_hWnd, GWL_STYLE, style);
    RECT rc{0, 0, LONG(width), LONG(height)};
    AdjustWindowRectEx(&rc, DWORD(style), GetMenu(m_hWnd) != nullptr, DWORD(GetWindowLong(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    RECT placed{};
    GetWindowRect(m_hWnd, &placed);
    if (placed.left < 0 || placed.top < 0)
        SetWindowPos(m_hWnd, nullptr, std::max<LONG>(placed.left, 0), std::max<LONG>(placed.top, 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT CDDrawDisplay::CreateWindowedDisplay(HWND hwnd, DWORD width, DWORD height)
{
    Release();
    if (!hwnd || width == 0 || height == 0)
        return DDERR_INVALIDPARAMS;
    HRESULT hr = DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_pDD), IID_IDirectDraw7, nullptr);
    if (hr != DD_OK || (hr = m_pDD->SetCooperativeLevel(hwnd, DDSCL_NORMAL)) != DD_OK)
        return hr;
    m_hWnd = hwnd;
    FitWindow(width, height);

    DDSURFACEDESC2 desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if ((hr = m_pDD->CreateSurface(&desc, &m_pddsFrontBuffer, nullptr)) != DD_OK)
        return hr;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    desc.dwWidth = width;
    desc.dwHeight = height;
    if ((hr = m_pDD->CreateSurface(&desc, &m_pddsBackBuffer, nullptr)) != DD_OK)
        return hr;
    if ((hr = m_pDD->CreateClipper(0, &m_pClipper, nullptr)) != DD_OK ||
        (hr = m_pClipper->SetHWnd(0, hwnd)) != DD_OK ||
        (hr = m_pddsFrontBuffer->SetClipper(m_pClipper)) != DD_OK)
        return hr;
    m_bWindowed = true;
    return UpdateBounds();
}

HRESULT CDDrawDisplay::CreateSurface(CDDrawSurface** surface, DWORD width, DWORD height)
{
    if (!m_pDD || !surface)
        return DDERR_INVALIDPARAMS;
    DDSURFACEDESC2 desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = width;
    desc.dwHeight = height;
    auto* made = new CDDrawSurface;
    HRESULT hr = made->Create(m_pDD, &desc);
    if (hr != DD_OK) {
        delete made;
        return hr;
    }
    *surface = made;
    return DD_OK;
}

HRESULT CDDrawDisplay::CreateSurfaceFromBitmap(CDDrawSurface** surface, const char* name, DWORD width,
                                               DWORD height)
{
    std::vector<BYTE> storage;
    auto bitmap = LoadNamedBitmap(name, storage);
    if (!bitmap || !surface)
        return DDERR_INVALIDPARAMS;
    HRESULT hr = CreateSurface(surface, width ? width : DWORD(bitmap->width), height ? height : DWORD(bitmap->height));
    if (hr != DD_OK)
        return hr;
    if ((hr = (*surface)->DrawBitmap(*bitmap)) != DD_OK) {
        delete *surface;
        *surface = nullptr;
    }
    return hr;
}

HRESULT CDDrawDisplay::ReloadBitmap(CDDrawSurface* surface, const char* name)
{
    std::vector<BYTE> storage;
    auto bitmap = LoadNamedBitmap(name, storage);
    if (!bitmap || !surface)
        return DDERR_INVALIDPARAMS;
    return surface->DrawBitmap(*bitmap);
}

SIZE CDDrawDisplay::TextExtent(HFONT font, const char* text)
{
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    HGDIOBJ old = font ? SelectObject(measure.GetSafeHdc(), font) : nullptr;
    const CSize extent = measure.GetTextExtent(text, int(std::strlen(text)));
    if (old)
        SelectObject(measure.GetSafeHdc(), old);
    return SIZE{std::max<LONG>(extent.cx, 1), std::max<LONG>(extent.cy, 1)};
}

HRESULT CDDrawDisplay::CreateSurfaceFromText(CDDrawSurface** surface, HFONT font, const char* text,
                                             COLORREF background, COLORREF foreground)
{
    if (!text || !surface)
        return DDERR_INVALIDPARAMS;
    const SIZE extent = TextExtent(font, text);
    HRESULT hr = CreateSurface(surface, DWORD(extent.cx), DWORD(extent.cy));
    if (hr != DD_OK)
        return hr;
    if ((hr = (*surface)->DrawText(font, text, 0, 0, background, foreground)) != DD_OK) {
        delete *surface;
        *surface = nullptr;
    }
    return hr;
}

HRESULT CDDrawDisplay::CreatePaletteFromBitmap(IDirectDrawPalette** palette, const char* name)
{
    std::vector<BYTE> storage;
    auto bitmap = LoadNamedBitmap(name, storage);
    if (!bitmap || !palette || !m_pDD)
        return DDERR_INVALIDPARAMS;
    PALETTEENTRY entries[256] = {};  // black where the bitmap has no colour table
    const RGBQUAD* table = bitmap->info()->bmiColors;
    for (int i = 0; i < bitmap->colours && i < 256; ++i)
        entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return m_pDD->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, palette, nullptr);
}

HRESULT CDDrawDisplay::SetPalette(IDirectDrawPalette* palette)
{
    return m_pddsFrontBuffer ? m_pddsFrontBuffer->SetPalette(palette) : DDERR_GENERIC;
}

HRESULT CDDrawDisplay::BltSurface(int x, int y, CDDrawSurface* surface, RECT* source)
{
    if (!m_pddsBackBuffer || !surface || x < 0 || y < 0)
        return DDERR_INVALIDPARAMS;
    const DWORD flags = surface->IsColorKeyed() ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY;
    return m_pddsBackBuffer->BltFast(DWORD(x), DWORD(y), surface->GetDDrawSurface(), source, flags | DDBLTFAST_WAIT);
}

HRESULT CDDrawDisplay::Present()
{
    if (!m_pddsFrontBuffer || !m_pddsBackBuffer)
        return DDERR_GENERIC;
    for (int i = 0; i < kStillDrawingRetries; ++i) {
        HRESULT hr = m_pddsFrontBuffer->Blt(&m_rcWindow, m_pddsBackBuffer, nullptr, DDBLT_WAIT, nullptr);
        if (hr == DDERR_SURFACELOST) {
            m_pddsFrontBuffer->Restore();
            m_pddsBackBuffer->Restore();
        }
        if (hr != DDERR_WASSTILLDRAWING)
            return hr;
    }
    return DDERR_WASSTILLDRAWING;
}

HRESULT CDDrawDisplay::UpdateBounds()
{
    if (!m_hWnd)
        return DDERR_GENERIC;
    GetClientRect(m_hWnd, &m_rcWindow);
    POINT topLeft{0, 0};
    ClientToScreen(m_hWnd, &topLeft);
    OffsetRect(&m_rcWindow, topLeft.x, topLeft.y);
    return DD_OK;
}
