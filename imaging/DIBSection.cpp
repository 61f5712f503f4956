#include "imaging/DIBSection.h"

#include "imaging/CanvasPalette.h"

#include "platform/core/Exception.h"
#include "platform/gdi/Dib.h"
#include "platform/ole/OleInit.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CDIBSection, CObject)

namespace {

constexpr BYTE kCubeLevels[] = {0x00, 0x2C, 0x56, 0x87, 0xC0, 0xFF};
constexpr BYTE kStaticLow[10][3] = {{0, 0, 0},       {0x80, 0, 0},    {0, 0x80, 0},       {0x80, 0x80, 0},
                                    {0, 0, 0x80},    {0x80, 0, 0x80}, {0, 0x80, 0x80},    {0xC0, 0xC0, 0xC0},
                                    {0xC0, 0xDC, 0xC0}, {0xA6, 0xCA, 0xF0}};
constexpr BYTE kStaticHigh[10][3] = {{0xFF, 0xFB, 0xF0}, {0xA0, 0xA0, 0xA4}, {0x80, 0x80, 0x80}, {0xFF, 0, 0},
                                     {0, 0xFF, 0},       {0xFF, 0xFF, 0},    {0, 0, 0xFF},       {0xFF, 0, 0xFF},
                                     {0, 0xFF, 0xFF},    {0xFF, 0xFF, 0xFF}};

// The cube runs red fastest from the colour after black; the last two cube colours before
// white are left out to make room for the grey ramp.
std::array<PALETTEENTRY, 256> makeStandardColours()
{
    std::array<PALETTEENTRY, 256> colours {};
    auto put = [&](int index, BYTE r, BYTE g, BYTE b) { colours[size_t(index)] = {r, g, b, 0}; };
    for (int i = 0; i < 10; ++i) {
        put(i, kStaticLow[i][0], kStaticLow[i][1], kStaticLow[i][2]);
        put(246 + i, kStaticHigh[i][0], kStaticHigh[i][1], kStaticHigh[i][2]);
    }
    for (int i = 1; i <= 213; ++i)
        put(9 + i, kCubeLevels[i % 6], kCubeLevels[i / 6 % 6], kCubeLevels[i / 36]);
    for (int k = 0; k < 23; ++k) {
        auto grey = BYTE(0x11 + (0xEE * k + 11) / 22);
        put(223 + k, grey, grey, grey);
    }
    return colours;
}

const std::array<PALETTEENTRY, 256> standardColours = makeStandardColours();

int colourEntries(int depth)
{
    switch (depth) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

} // namespace

const PALETTEENTRY* const g_StandardColours = standardColours.data();

CDIBSection::CDIBSection()
{
    HRESULT started = OleInitialize(nullptr);
    m_bOleStarted = started == S_OK;
    if (started < 0)
        AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version");
    else if (!m_bOleStarted)
        OleUninitialize();
}

CDIBSection::~CDIBSection()
{
    DeleteObject();
    ReleaseMemoryDC(TRUE);
    if (m_bOleStarted)
        OleUninitialize();
}

void CDIBSection::DeleteObject()
{
    ReleaseMemoryDC(TRUE);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_Info = {};
    m_Palette.DeleteObject();
    SetDither(FALSE);
    m_nColorTableSize = 0;
}

void CDIBSection::SetHeader(int width, int height, int bitCount)
{
    BITMAPINFOHEADER& h = m_Info.header;
    h = {};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bitCount);
    h.biCompression = BI_RGB;
    int64_t stride = (int64_t(bitCount) * width + 31) / 32 * 4;
    h.biSizeImage = DWORD(std::clamp<int64_t>(stride * height, 0, UINT32_MAX));
}

BOOL CDIBSection::CreateSection(CDC* screen)
{
    CDC memory;
    if (!memory.CreateCompatibleDC(screen))
        return FALSE;
    SelectPaletteInto(&memory);
    m_hBitmap = ::CreateDIBSection(memory.GetSafeHdc(), GetBitmapInfo(), DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    return m_hBitmap != nullptr;
}

BOOL CDIBSection::Create(int width, int height, int planes, int bitCount, const void* bits,
                         const LOGPALETTE* logPalette)
{
    DeleteObject();
    m_nColorTableSize = colourEntries(planes * bitCount);
    SetHeader(width, height, bitCount);
    auto setPalette = [&]() -> BOOL {
        if (logPalette)
            return SetLogPalette(logPalette);
        CPalette standard;
        return CreateStandardPalette(&standard, m_nColorTableSize ? m_nColorTableSize : 256) && SetPalette(&standard);
    };
    setPalette();
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    BOOL made = width > 0 && height > 0 && CreateSection(&screen);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!made) {
        DeleteObject();
        return FALSE;
    }
    setPalette();
    FillSolid(RGB(255, 255, 255));
    if (bits) {
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        ::SetDIBits(memory.GetSafeHdc(), m_hBitmap, 0, UINT(height), bits, GetBitmapInfo(), DIB_RGB_COLORS);
    }
    return TRUE;
}

BOOL CDIBSection::SetBitmap(const BITMAPINFO* info, const void* bits)
{
    DeleteObject();
    if (!info || !bits)
        return FALSE;
    try {
        m_Info.header = info->bmiHeader;
        m_nColorTableSize = colourEntries(m_Info.header.biPlanes * m_Info.header.biBitCount);
        std::memcpy(m_Info.colours, info->bmiColors, sizeof(RGBQUAD) * size_t(m_nColorTableSize));
        CDC screen;
        if (!screen.Attach(::GetDC(nullptr)))
            AfxThrowResourceException();
        BOOL made = CreateSection(&screen);
        ::ReleaseDC(nullptr, screen.Detach());
        if (!made)
            AfxThrowResourceException();
        SetHeader(m_Info.header.biWidth, m_Info.header.biHeight, m_Info.header.biBitCount);
        ::GdiFlush();
        std::memcpy(m_pBits, bits, m_Info.header.biSizeImage);
        if (!CreateSectionPalette())
            AfxThrowResourceException();
        return TRUE;
    } catch (CResourceException* e) {
        e->Delete();
        DeleteObject();
        return FALSE;
    }
}

BOOL CDIBSection::SetBitmap(HBITMAP bitmap, CPalette* palette)
{
    DeleteObject();
    BITMAP bm {};
    if (!bitmap || !::GetObject(bitmap, sizeof bm, &bm))
        return FALSE;
    SetHeader(bm.bmWidth, std::abs(bm.bmHeight), bm.bmBitsPixel);
    m_nColorTableSize = colourEntries(bm.bmBitsPixel);
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    ::GetDIBits(screen.GetSafeHdc(), bitmap, 0, UINT(GetHeight()), nullptr,
                reinterpret_cast<BITMAPINFO*>(&m_Info), DIB_RGB_COLORS);
    SetHeader(bm.bmWidth, std::abs(bm.bmHeight), bm.bmBitsPixel);
    if (palette)
        SetPalette(palette);
    BOOL made = CreateSection(&screen);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!made) {
        DeleteObject();
        return FALSE;
    }
    if (!palette)
        CreateSectionPalette();
    CDC from;
    from.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(from.GetSafeHdc(), bitmap);
    WithMemoryDC([&](CDC& to) { return to.BitBlt(0, 0, GetWidth(), GetHeight(), &from, 0, 0, SRCCOPY); });
    ::SelectObject(from.GetSafeHdc(), old);
    return TRUE;
}

BOOL CDIBSection::Copy(const CDIBSection& other)
{
    if (!other.m_hBitmap) {
        DeleteObject();
        return FALSE;
    }
    if (!SetBitmap(other.GetBitmapInfo(), other.m_pBits))
        return FALSE;
    if (m_nColorTableSize)
        SetColorTable(UINT(m_nColorTableSize), other.m_Info.colours);
    CreateSectionPalette();
    SetDither(other.m_bDither);
    return TRUE;
}

BOOL CDIBSection::Convert(int width, int height, int planes, int bitCount, const POINT* origin)
{
    CanvasPalette target;
    int depth = planes * bitCount;
    auto take = [&](int from, int count) {
        for (int i = 0; i < count; ++i)
            target.entries[target.count++] = standardColours[size_t(from + i)];
    };
    if (depth == 1) {
        take(0, 1);
        take(255, 1);
    } else if (depth == 4) {
        take(0, 8);
        take(248, 8);
    } else if (m_Palette.GetSafeHandle()) {
        if (depth == 8)
            take(0, 256);
        target.count = WORD(std::max<int>(target.count, m_Palette.GetEntryCount()));
        m_Palette.GetPaletteEntries(0, UINT(m_Palette.GetEntryCount()), target.entries);
    }
    CDIBSection converted;
    if (!converted.Create(width, height, planes, bitCount, nullptr, target.count ? target.get() : nullptr))
        return FALSE;
    converted.FillSolid(0x02FFFFFF);
    BOOL drawn = converted.WithMemoryDC([&](CDC& into) { return Draw(&into, 0, 0, origin, nullptr); });
    if (!drawn)
        return FALSE;
    DeleteObject();
    return Copy(converted);
}

void CDIBSection::SetDither(BOOL dither)
{
    m_bDither = dither;
    if (!dither && m_hDrawDib) {
        DrawDibClose(m_hDrawDib);
        m_hDrawDib = nullptr;
    }
}
