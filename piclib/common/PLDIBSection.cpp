#include "piclib/common/PLDIBSection.h"

#include "piclib/common/PLTextException.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstring>

PLDIBSection::PLDIBSection()
{
    PLWinBmp::ReleaseStorage();
    AllocateStorage(16, 16, 8, false, false);
}

PLDIBSection::~PLDIBSection()
{
    PLDIBSection::ReleaseStorage();
}

void PLDIBSection::createSection(std::vector<uint8_t> header)
{
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    }
    m_Header = std::move(header);
    m_hBitmap = section;
    setPointers(m_Header.data(), static_cast<uint8_t*>(bits));
}

void PLDIBSection::AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale)
{
    createSection(makeHeader(width, height, bpp));
    SetupBitmap(width, height, bpp, alpha, greyscale);
}

void PLDIBSection::CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize)
{
    const size_t headerSize = checkPackedDIB(header, blockSize);
    const auto* bytes = reinterpret_cast<const uint8_t*>(header);
    const BITMAPINFOHEADER h = *header;
    ReleaseStorage();
    createSection(std::vector<uint8_t>(bytes, bytes + headerSize));
    std::memcpy(m_pBits, bytes + headerSize, GetBitsMemNeeded(h.biWidth, h.biHeight, h.biBitCount));
    const std::vector<uint8_t> colours(bytes + sizeof(BITMAPINFOHEADER), bytes + headerSize);
    m_Resolution = {};
    SetupBitmap(h.biWidth, h.biHeight, h.biBitCount, false, false);
    SetPaletteEntries(reinterpret_cast<const PLPixel32*>(colours.data()));
}

void PLDIBSection::ReleaseStorage()
{
    PLWinBmp::ReleaseStorage();
    m_Header.clear();
    if (m_hBitmap && m_bOwnsBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

BOOL PLDIBSection::blit(HDC dc, int x, int y, int width, int height, int xSource, int ySource, DWORD rop,
                        bool setColours)
{
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_hBitmap);
    if (setColours && m_pClrTab)
        SetDIBColorTable(memory, 0, GetNumColors(), reinterpret_cast<const RGBQUAD*>(m_pClrTab));
    const BOOL result = BitBlt(dc, x, y, width, height, memory, xSource, ySource, rop);
    SelectObject(memory, old);
    DeleteDC(memory);
    return result;
}

void PLDIBSection::Draw(HDC dc, int x, int y, DWORD rop)
{
    blit(dc, x, y, GetWidth(), GetHeight(), 0, 0, rop, true);
}

BOOL PLDIBSection::DrawExtract(HDC dc, POINT dest, const RECT& source)
{
    return blit(dc, dest.x, dest.y, source.right - source.left, source.bottom - source.top, source.left, source.top,
                SRCCOPY, false);
}

HGLOBAL PLDIBSection::GetDIBCopy() const
{
    GdiFlush();
    return copyToGlobal(static_cast<size_t>(GetMemoryUsed()));
}

void PLDIBSection::Detach()
{
    m_bOwnsBitmap = false;
    ReleaseStorage();
    m_bOwnsBitmap = true;
    AllocateStorage(16, 16, 8, false, false);
}
