#include "platform/media/DirectDraw.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kRgbMask = 0x00FFFFFF;

RECT WholeRect(int width, int height) { return RECT{0, 0, width, height}; }

bool Inside(const RECT& r, int width, int height)
{
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && r.left < r.right &&
           r.top < r.bottom;
}

}  // namespace

ULONG DdObject::Release()
{
    ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND hwnd)
{
    m_hwnd = hwnd;
    return DD_OK;
}

HRESULT IDirectDrawClipper::GetHWnd(HWND* hwnd) const
{
    if (!hwnd)
        return DDERR_INVALIDPARAMS;
    *hwnd = m_hwnd;
    return DD_OK;
}

IDirectDrawPalette::IDirectDrawPalette(const PALETTEENTRY* entries)
{
    std::memcpy(m_entries, entries, sizeof(m_entries));
}

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD start, DWORD count, PALETTEENTRY* entries) const
{
    if (!entries || start > 256 || count > 256 - start)
        return DDERR_INVALIDPARAMS;
    std::memcpy(entries, m_entries + start, count * sizeof(PALETTEENTRY));
    return DD_OK;
}

IDirectDrawSurface7::IDirectDrawSurface7(IDirectDraw7* owner, DWORD caps, int width, int height)
    : m_owner(owner), m_caps(caps), m_width(width), m_height(height)
{
}

IDirectDrawSurface7::~IDirectDrawSurface7()
{
    if (m_dc)
        DeleteDC(m_dc);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_clipper)
        m_clipper->Release();
    if (m_palette)
        m_palette->Release();
    if (m_attached)
        m_attached->Release();
    if (m_owner)
        std::erase(m_owner->m_surfaces, this);
}

bool IDirectDrawSurface7::Allocate()
{
    if (m_dc) {
        DeleteDC(m_dc);
        m_dc = nullptr;
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<BYTE*>(bits);
    if (m_bits)
        std::memset(m_bits, 0, size_t(m_width) * 4 * size_t(m_height));
    return m_bitmap && m_bits;
}

HRESULT IDirectDrawSurface7::Usable() const
{
    if (m_lost)
        return DDERR_SURFACELOST;
    return m_locked || m_dc ? DDERR_SURFACEBUSY : DD_OK;
}

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2* desc) const
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC2{};
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = DWORD(m_width);
    desc->dwHeight = DWORD(m_height);
    desc->lPitch = m_width * 4;
    desc->ddsCaps.dwCaps = m_caps;
    desc->ddpfPixelFormat = DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF};
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD, HANDLE)
{
    if (rect || !desc)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Usable(); hr != DD_OK)
        return hr;
    if (!m_bits)
        return DDERR_GENERIC;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = m_bits;
    m_locked = true;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(RECT*)
{
    if (!m_locked)
        return DDERR_NOTLOCKED;
    m_locked = false;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetDC(HDC* hdc)
{
    if (!hdc)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Usable(); hr != DD_OK)
        return hr;
    if (!m_bitmap)
        return DDERR_GENERIC;
    m_dc = CreateCompatibleDC(nullptr);
    SelectObject(m_dc, m_bitmap);
    *hdc = m_dc;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::ReleaseDC(HDC hdc)
{
    if (!m_dc || hdc != m_dc)
        return DDERR_INVALIDPARAMS;
    DeleteDC(m_dc);
    m_dc = nullptr;
    return DD_OK;
}

void IDirectDrawSurface7::CopyPixels(const RECT& dest, const IDirectDrawSurface7& src, const RECT& srcRect,
                                     bool keyed)
{
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
    std::vector<DWORD> row(static_cast<size_t>(dw));
    for (int y = 0; y < dh; ++y) {
        const int sy = srcRect.top + y * sh / dh;
        const auto* from = reinterpret_cast<const DWORD*>(src.m_bits + size_t(sy) * size_t(src.m_width) * 4);
        for (int x = 0; x < dw; ++x)
            row[size_t(x)] = from[srcRect.left + x * sw / dw];
        auto* to = reinterpret_cast<DWORD*>(m_bits + size_t(dest.top + y) * size_t(m_width) * 4) + dest.left;
        for (int x = 0; x < dw; ++x)
            if (!keyed || (row[size_t(x)] & kRgbMask) != (src.m_key & kRgbMask))
                to[x] = row[size_t(x)];
    }
}

HRESULT IDirectDrawSurface7::BltToWindow(const RECT& dest, IDirectDrawSurface7* src, const RECT& srcRect)
{
    HWND hwnd = nullptr;
    if (!m_clipper || m_clipper->GetHWnd(&hwnd) != DD_OK || !hwnd)
        return DDERR_NOCLIPPERATTACHED;
    POINT topLeft{dest.left, dest.top};
    ScreenToClient(hwnd, &topLeft);
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd)
        return DDERR_NOCLIPPERATTACHED;
    CClientDC window(wnd);
    HDC from = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(from, src->m_bitmap);
    StretchBlt(window.GetSafeHdc(), topLeft.x, topLeft.y, dest.right - dest.left, dest.bottom - dest.top, from, srcRect.left,
               srcRect.top, srcRect.right - srcRect.left, srcRect.bottom - srcRect.top, SRCCOPY);
    SelectObject(from, old);
    DeleteDC(from);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Blt(RECT* dest, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, void*)
{
    if (!src)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Usable(); hr != DD_OK)
        return hr;
    if (HRESULT hr = src->Usable(); hr != DD_OK)
        return hr;
    const RECT from = srcRect ? *srcRect : WholeRect(src->m_width, src->m_height);
    if (!Inside(from, src->m_width, src->m_height))
        return DDERR_INVALIDRECT;
    const bool windowed = (m_caps & DDSCAPS_PRIMARYSURFACE) && !m_bits;
    if (windowed) {
        if (!dest)
            return DDERR_INVALIDPARAMS;
        return BltToWindow(*dest, src, from);
    }
    const RECT to = dest ? *dest : WholeRect(m_width, m_height);
    if (!Inside(to, m_width, m_height))
        return DDERR_INVALIDRECT;
    CopyPixels(to, *src, from, (flags & DDBLT_KEYSRC) && src->m_hasKey);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::BltFast(DWORD x, DWORD y, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags)
{
    if (!src)
        return DDERR_INVALIDPARAMS;
    const RECT from = srcRect ? *srcRect : WholeRect(src->m_width, src->m_height);
    if (x > DWORD(m_width) || y > DWORD(m_height))
        return DDERR_INVALIDRECT;
    RECT to{LONG(x), LONG(y), LONG(x) + from.right - from.left, LONG(y) + from.bottom - from.top};
    const DWORD bltFlags = (flags & DDBLTFAST_SRCCOLORKEY) ? DDBLT_KEYSRC : 0;
    RECT source = from;
    return Blt(&to, src, &source, bltFlags, nullptr);
}

HRESULT IDirectDrawSurface7::Flip(IDirectDrawSurface7*, DWORD)
{
    if (!(m_caps & DDSCAPS_FLIP) || !m_attached)
        return DDERR_NOTFLIPPABLE;
    if (HRESULT hr = Usable(); hr != DD_OK)
        return hr;
    if (HRESULT hr = m_attached->Usable(); hr != DD_OK)
        return hr;
    std::swap(m_bitmap, m_attached->m_bitmap);
    std::swap(m_bits, m_attached->m_bits);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface)
{
    if (!caps || !surface)
        return DDERR_INVALIDPARAMS;
    if (!m_attached || !(caps->dwCaps & DDSCAPS_BACKBUFFER))
        return DDERR_GENERIC;
    m_attached->AddRef();
    *surface = m_attached;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetClipper(IDirectDrawClipper* clipper)
{
    if (clipper)
        clipper->AddRef();
    if (m_clipper)
        m_clipper->Release();
    m_clipper = clipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetPalette(IDirectDrawPalette* palette)
{
    if (m_lost)
        return DDERR_SURFACELOST;
    if (palette)
        palette->AddRef();
    if (m_palette)
        m_palette->Release();
    m_palette = palette;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetPalette(IDirectDrawPalette** palette)
{
    if (!palette || !m_palette)
        return DDERR_GENERIC;
    m_palette->AddRef();
    *palette = m_palette;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetColorKey(DWORD flags, DDCOLORKEY* key)
{
    if (!(flags & DDCKEY_SRCBLT))
        return DDERR_INVALIDPARAMS;
    m_hasKey = key != nullptr;
    m_key = key ? key->dwColorSpaceLowValue : 0;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost() const { return m_lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface7::Restore()
{
    if (!m_lost)
        return DD_OK;
    if (m_owner && m_owner->m_state == DDERR_WRONGMODE)
        return DDERR_WRONGMODE;
    if (m_bits && !Allocate())
        return DDERR_OUTOFMEMORY;
    m_lost = false;
    m_locked = false;
    return DD_OK;
}

IDirectDraw7::~IDirectDraw7()
{
    for (IDirectDrawSurface7* s : m_surfaces)
        s->m_owner = nullptr;
}

HRESULT IDirectDraw7::SetCooperativeLevel(HWND, DWORD flags)
{
    if (!(flags & (DDSCL_NORMAL | DDSCL_FULLSCREEN)))
        return DDERR_INVALIDPARAMS;
    m_level = flags;
    return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(DWORD width, DWORD height, DWORD bitCount, DWORD, DWORD)
{
    if (!(m_level & DDSCL_EXCLUSIVE))
        return DDERR_GENERIC;
    if (width == 0 || height == 0 || width > 16384 || height > 16384 || bitCount == 0)
        return DDERR_INVALIDPARAMS;
    m_mode = SIZE{LONG(width), LONG(height)};
    return DD_OK;
}

HRESULT IDirectDraw7::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, void*)
{
    if (!desc || !surface || !(desc->dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    const DWORD caps = desc->ddsCaps.dwCaps;
    const bool primary = caps & DDSCAPS_PRIMARYSURFACE;
    const bool flipping = primary && (caps & DDSCAPS_FLIP);
    if (flipping && (!(m_level & DDSCL_EXCLUSIVE) || desc->dwBackBufferCount == 0))
        return DDERR_INVALIDPARAMS;
    int width = m_mode.cx, height = m_mode.cy;
    if (!primary) {
        if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT))
            return DDERR_INVALIDPARAMS;
        width = int(desc->dwWidth);
        height = int(desc->dwHeight);
    }
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return DDERR_INVALIDPARAMS;
    std::unique_ptr<IDirectDrawSurface7> made(new IDirectDrawSurface7(this, caps, width, height));
    const bool ownMemory = !primary || flipping;
    if (ownMemory && !made->Allocate())
        return DDERR_OUTOFMEMORY;
    if (flipping) {
        std::unique_ptr<IDirectDrawSurface7> back(
            new IDirectDrawSurface7(this, DDSCAPS_BACKBUFFER | DDSCAPS_FLIP, width, height));
        if (!back->Allocate())
            return DDERR_OUTOFMEMORY;
        m_surfaces.push_back(back.get());
        made->m_attached = back.release();
    }
    m_surfaces.push_back(made.get());
    *surface = made.release();
    return DD_OK;
}

HRESULT IDirectDraw7::CreateClipper(DWORD, IDirectDrawClipper** clipper, void*)
{
    if (!clipper)
        return DDERR_INVALIDPARAMS;
    *clipper = new IDirectDrawClipper;
    return DD_OK;
}

HRESULT IDirectDraw7::CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, void*)
{
    if (!entries || !palette || !(flags & DDPCAPS_8BIT))
        return DDERR_INVALIDPARAMS;
    *palette = new IDirectDrawPalette(entries);
    return DD_OK;
}

HRESULT IDirectDraw7::TestCooperativeLevel() const { return m_state; }

HRESULT IDirectDraw7::RestoreAllSurfaces()
{
    if (m_state == DDERR_WRONGMODE)
        return DDERR_WRONGMODE;
    for (IDirectDrawSurface7* s : m_surfaces)
        if (HRESULT hr = s->Restore(); hr != DD_OK)
            return hr;
    return DD_OK;
}

HRESULT DirectDrawCreateEx(void*, void** dd, int iid, void*)
{
    if (!dd || iid != IID_IDirectDraw7)
        return DDERR_INVALIDPARAMS;
    *dd = new IDirectDraw7;
    return DD_OK;
}

void DirectDrawTestHook::LoseSurfaces(IDirectDraw7* dd)
{
    for (IDirectDrawSurface7* s : dd->m_surfaces)
        s->m_lost = true;
}

void DirectDrawTestHook::SetCooperativeState(IDirectDraw7* dd, HRESULT state) { dd->m_state = state; }
