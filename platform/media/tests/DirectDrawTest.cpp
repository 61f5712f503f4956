#include "platform/media/DirectDraw.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct DisplayFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&dd), IID_IDirectDraw7, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override
    {
        for (auto* s : made)
            s->Release();
        dd->Release();
    }
    IDirectDrawSurface7* Offscreen(DWORD width, DWORD height)
    {
        DDSURFACEDESC2 desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = width;
        desc.dwHeight = height;
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        made.push_back(s);
        return s;
    }
    // Writes one 32-bit pixel through a lock.
    static void Put(IDirectDrawSurface7* s, int x, int y, DWORD value)
    {
        DDSURFACEDESC2 desc;
        ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        std::memcpy(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * 4, &value, 4);
        s->Unlock(nullptr);
    }
    static DWORD Get(IDirectDrawSurface7* s, int x, int y)
    {
        DDSURFACEDESC2 desc;
        DWORD value = 0xDEADBEEF;
        if (s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
            return value;
        std::memcpy(&value, static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * 4, 4);
        s->Unlock(nullptr);
        return value;
    }
    IDirectDraw7* dd = nullptr;
    std::vector<IDirectDrawSurface7*> made;
};

TEST_F(DisplayFixture, LockGivesPitchAndFormatAndZeroedPixels)
{
    auto* s = Offscreen(5, 3);
    DDSURFACEDESC2 desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.dwWidth, 5u);
    EXPECT_EQ(desc.dwHeight, 3u);
    EXPECT_EQ(desc.lPitch, 20);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, 0xFF0000u);
    const BYTE* bytes = static_cast<const BYTE*>(desc.lpSurface);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(bytes[i], 0);
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
}

TEST_F(DisplayFixture, RefusesBadSurfaceDescriptions)
{
    struct Case {
        DWORD flags, caps, width, height;
        HRESULT expected;
    } cases[] = {
        {DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, 4, 4, DDERR_INVALIDPARAMS},
        {DDSD_CAPS | DDSD_WIDTH, DDSCAPS_OFFSCREENPLAIN, 4, 4, DDERR_INVALIDPARAMS},
        {DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, 0, 4, DDERR_INVALIDPARAMS},
        {DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, 100000, 4, DDERR_INVALIDPARAMS},
        {DDSD_CAPS, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 0, 0, DDERR_INVALIDPARAMS},
        {DDSD_CAPS, DDSCAPS_PRIMARYSURFACE, 0, 0, DD_OK},
    };
    for (const Case& c : cases) {
        DDSURFACEDESC2 desc;
        desc.dwFlags = c.flags;
        desc.ddsCaps.dwCaps = c.caps;
        desc.dwWidth = c.width;
        desc.dwHeight = c.height;
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), c.expected) << c.flags << " " << c.width;
        if (s)
            made.push_back(s);
    }
}

TEST_F(DisplayFixture, BltFastCopiesRectanglesAndRefusesOverhangs)
{
    auto* src = Offscreen(3, 2);
    auto* dst = Offscreen(4, 4);
    Put(src, 1, 0, 0x00112233);
    Put(src, 2, 1, 0x00445566);
    RECT part{1, 0, 3, 2};
    ASSERT_EQ(dst->BltFast(2, 1, src, &part, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Get(dst, 2, 1), 0x00112233u);
    EXPECT_EQ(Get(dst, 3, 2), 0x00445566u);
    EXPECT_EQ(Get(dst, 1, 1), 0u);
    EXPECT_EQ(dst->BltFast(3, 3, src, &part, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    RECT outside{2, 0, 4, 2};
    EXPECT_EQ(dst->BltFast(0, 0, src, &outside, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
}

TEST_F(DisplayFixture, BltStretchesAndKeysOnlyWhenAsked)
{
    auto* src = Offscreen(2, 1);
    auto* dst = Offscreen(4, 2);
    Put(src, 0, 0, 0x00FF0000);
    Put(src, 1, 0, 0x000000FF);
    ASSERT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    const DWORD stretched[] = {0xFF0000, 0xFF0000, 0xFF, 0xFF};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(Get(dst, x, 0), stretched[x]) << x;
        EXPECT_EQ(Get(dst, x, 1), stretched[x]) << x;
    }
    Put(dst, 0, 0, 0x00000777);
    DDCOLORKEY key{0xFF0000, 0xFF0000};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    RECT one{0, 0, 2, 1};
    ASSERT_EQ(dst->Blt(&one, src, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Get(dst, 0, 0), 0x777u);
    EXPECT_EQ(Get(dst, 1, 0), 0xFFu);
    ASSERT_EQ(dst->Blt(&one, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Get(dst, 0, 0), 0xFF0000u);
}

TEST_F(DisplayFixture, LostSurfacesRefuseWorkUntilRestoredAndComeBackBlank)
{
    auto* src = Offscreen(2, 2);
    auto* dst = Offscreen(2, 2);
    Put(dst, 0, 0, 0x123456);
    DirectDrawTestHook::LoseSurfaces(dd);
    DDSURFACEDESC2 desc;
    HDC dc = nullptr;
    EXPECT_EQ(dst->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(dst->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(dst->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    DirectDrawTestHook::SetCooperativeState(dd, DDERR_WRONGMODE);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_WRONGMODE);
    EXPECT_EQ(dd->RestoreAllSurfaces(), DDERR_WRONGMODE);
    DirectDrawTestHook::SetCooperativeState(dd, DD_OK);
    ASSERT_EQ(dd->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(dst->IsLost(), DD_OK);
    EXPECT_EQ(Get(dst, 0, 0), 0u);
}

TEST_F(DisplayFixture, FlipSwapsFrontAndBackOnlyInAFlippingChain)
{
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(4, 2, 32, 0, 0), DD_OK);
    DDSURFACEDESC2 desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* front = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &front, nullptr), DD_OK);
    made.push_back(front);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    made.push_back(back);
    Put(back, 3, 1, 0xABCDEF);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Get(front, 3, 1), 0xABCDEFu);
    EXPECT_EQ(Get(back, 3, 1), 0u);
    EXPECT_EQ(Offscreen(2, 2)->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
}

TEST_F(DisplayFixture, SurfaceDcDrawsIntoTheLockedPixels)
{
    auto* s = Offscreen(4, 4);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    DDSURFACEDESC2 desc;
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    RECT r{1, 1, 3, 3};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &r, red);
    DeleteObject(red);
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(Get(s, 1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(Get(s, 0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(Get(s, 3, 3) & 0xFFFFFF, 0u);
}

TEST_F(DisplayFixture, WindowedPrimaryNeedsAClipperAndCannotFlip)
{
    DDSURFACEDESC2 desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* front = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &front, nullptr), DD_OK);
    made.push_back(front);
    auto* src = Offscreen(2, 2);
    RECT r{0, 0, 2, 2};
    EXPECT_EQ(front->Blt(&r, src, nullptr, DDBLT_WAIT, nullptr), DDERR_NOCLIPPERATTACHED);
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    IDirectDrawPalette* palette = nullptr;
    PALETTEENTRY entries[256] = {};
    entries[7] = PALETTEENTRY{1, 2, 3, 0};
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(front->SetPalette(palette), DD_OK);
    palette->Release();
    IDirectDrawPalette* got = nullptr;
    ASSERT_EQ(front->GetPalette(&got), DD_OK);
    PALETTEENTRY back{};
    EXPECT_EQ(got->GetEntries(0, 7, 1, &back), DD_OK);
    EXPECT_EQ(back.peGreen, 2);
    EXPECT_EQ(got->GetEntries(0, 250, 7, &back), DDERR_INVALIDPARAMS);
    got->Release();
}

}  // namespace
