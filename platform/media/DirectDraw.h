// A DirectDraw-shaped display layer: a DirectDraw object, surfaces in system memory
// (32-bit pixels, blue-green-red-unused bytes), clippers and palettes. The primary surface
// of a windowed display is the window its clipper names; blits onto it paint that window.
#pragma once

#include "platform/core/Types.h"
#include "platform/gdi/GdiTypes.h"

#include <memory>
#include <vector>

constexpr HRESULT DD_OK = 0;
constexpr HRESULT MakeDdResult(int code) { return HRESULT(0x88760000u | unsigned(code)); }
constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005u);
constexpr HRESULT DDERR_INVALIDPARAMS = HRESULT(0x80070057u);
constexpr HRESULT DDERR_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDRECT = MakeDdResult(150);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDdResult(430);
constexpr HRESULT DDERR_SURFACELOST = MakeDdResult(450);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDdResult(540);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDdResult(568);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDdResult(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDdResult(582);
constexpr HRESULT DDERR_NOTLOCKED = MakeDdResult(584);
constexpr HRESULT DDERR_WRONGMODE = MakeDdResult(587);
constexpr bool DdFailed(HRESULT hr) { return hr < 0; }

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x1, DDSCL_NORMAL = 0x8, DDSCL_EXCLUSIVE = 0x10;
// Surface description fields and capabilities.
constexpr DWORD DDSD_CAPS = 0x1, DDSD_HEIGHT = 0x2, DDSD_WIDTH = 0x4, DDSD_PITCH = 0x8,
                DDSD_BACKBUFFERCOUNT = 0x20, DDSD_LPSURFACE = 0x800, DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4, DDSCAPS_COMPLEX = 0x8, DDSCAPS_FLIP = 0x10,
                DDSCAPS_OFFSCREENPLAIN = 0x40, DDSCAPS_PRIMARYSURFACE = 0x200, DDSCAPS_3DDEVICE = 0x2000;
constexpr DWORD DDPF_RGB = 0x40;
// Blit, lock and flip flags.
constexpr DWORD DDBLT_KEYSRC = 0x8000, DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0, DDBLTFAST_SRCCOLORKEY = 0x1, DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDCKEY_SRCBLT = 0x8;
constexpr DWORD DDPCAPS_8BIT = 0x4, DDPCAPS_ALLOW256 = 0x40;

struct DDPIXELFORMAT {
    DWORD dwSize = sizeof(DDPIXELFORMAT);
    DWORD dwFlags = 0;
    DWORD dwRGBBitCount = 0;
    DWORD dwRBitMask = 0, dwGBitMask = 0, dwBBitMask = 0;
};

struct DDSCAPS2 {
    DWORD dwCaps = 0;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue = 0;
    DWORD dwColorSpaceHighValue = 0;
};

struct DDSURFACEDESC2 {
    DWORD dwSize = sizeof(DDSURFACEDESC2);
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;
    DWORD dwBackBufferCount = 0;
    void* lpSurface = nullptr;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

class IDirectDraw7;
class IDirectDrawSurface7;

// What the display does behind the program's back, for tests and for a mode change.
namespace DirectDrawTestHook {
// Every surface of dd is lost until restored.
void LoseSurfaces(IDirectDraw7* dd);
// What TestCooperativeLevel answers from now on.
void SetCooperativeState(IDirectDraw7* dd, HRESULT state);
}  // namespace DirectDrawTestHook

// Reference counting as the interfaces have it: Release frees at zero.
class DdObject {
public:
    virtual ~DdObject() = default;
    ULONG AddRef() { return ++m_refs; }
    ULONG Release();

private:
    ULONG m_refs = 1;
};

class IDirectDrawClipper : public DdObject {
public:
    HRESULT SetHWnd(DWORD flags, HWND hwnd);
    HRESULT GetHWnd(HWND* hwnd) const;

private:
    HWND m_hwnd = nullptr;
};

class IDirectDrawPalette : public DdObject {
public:
    explicit IDirectDrawPalette(const PALETTEENTRY* entries);
    HRESULT GetEntries(DWORD flags, DWORD start, DWORD count, PALETTEENTRY* entries) const;

private:
    PALETTEENTRY m_entries[256];
};

class IDirectDrawSurface7 : public DdObject {
public:
    ~IDirectDrawSurface7() override;

    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) const;
    // Locks the whole surface (rect must be null): lpSurface and lPitch describe the pixels.
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(RECT* rect);
    HRESULT GetDC(HDC* hdc);
    HRESULT ReleaseDC(HDC hdc);
    // Stretches src's rectangle onto dest (both null = whole surfaces); fx is unused.
    HRESULT Blt(RECT* dest, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, void* fx);
    // Copies without stretching; a rectangle reaching beyond this surface is refused.
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags);
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags);
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface);
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT SetPalette(IDirectDrawPalette* palette);
    HRESULT GetPalette(IDirectDrawPalette** palette);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT IsLost() const;
    // Gives a lost surface new memory; its old pixels are gone.
    HRESULT Restore();

private:
    friend class IDirectDraw7;
    friend void DirectDrawTestHook::LoseSurfaces(IDirectDraw7*);
    IDirectDrawSurface7(IDirectDraw7* owner, DWORD caps, int width, int height);
    bool Allocate();
    HRESULT Usable() const;
    HRESULT BltToWindow(const RECT& dest, IDirectDrawSurface7* src, const RECT& srcRect);
    void CopyPixels(const RECT& dest, const IDirectDrawSurface7& src, const RECT& srcRect, bool keyed);

    IDirectDraw7* m_owner;
    DWORD m_caps;
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    BYTE* m_bits = nullptr;
    HDC m_dc = nullptr;
    bool m_locked = false;
    bool m_lost = false;
    bool m_hasKey = false;
    DWORD m_key = 0;
    IDirectDrawClipper* m_clipper = nullptr;
    IDirectDrawPalette* m_palette = nullptr;
    IDirectDrawSurface7* m_attached = nullptr;
};

class IDirectDraw7 : public DdObject {
public:
    ~IDirectDraw7() override;

    HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitCount, DWORD refresh, DWORD flags);
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, void* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer);
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, void* outer);
    // DD_OK, or why drawing cannot go on now (the display mode changed, another program
    // holds the screen).
    HRESULT TestCooperativeLevel() const;
    HRESULT RestoreAllSurfaces();

private:
    friend class IDirectDrawSurface7;
    friend void DirectDrawTestHook::LoseSurfaces(IDirectDraw7*);
    friend void DirectDrawTestHook::SetCooperativeState(IDirectDraw7*, HRESULT);
    std::vector<IDirectDrawSurface7*> m_surfaces;
    DWORD m_level = 0;
    SIZE m_mode{640, 480};
    HRESULT m_state = DD_OK;
};

constexpr int IID_IDirectDraw7 = 7;
HRESULT DirectDrawCreateEx(void* guid, void** dd, int iid, void* outer);

