#include "piclib/common/PLWinBmp.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLTextException.h"

#include <cstring>

PLWinBmp::PLWinBmp()
{
    AllocateStorage(16, 16, 8, false, false);
}

PLWinBmp::~PLWinBmp()
{
    ReleaseStorage();
}

size_t PLWinBmp::headerBytes(int bpp)
{
    return sizeof(BITMAPINFOHEADER) + (bpp < 16 ? (size_t(4) << bpp) : 0);
}

int PLWinBmp::GetBitsMemNeeded(int width, int height, int bpp)
{
    return PLDibLineBytes(width, bpp) * height;
}

int PLWinBmp::GetMemoryUsed() const
{
    return static_cast<int>(56 + headerBytes(m_bpp)) + GetBitsMemNeeded(GetWidth(), GetHeight(), m_bpp);
}

int PLWinBmp::GetLineBytes() const
{
    return PLDibLineBytes(GetWidth(), m_bpp);
}

void PLWinBmp::AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale)
{
    PLCheckBitmapSize(width, height, bpp);
    m_Block.assign(headerBytes(bpp) + GetBitsMemNeeded(width, height, bpp), 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bpp);
    std::memcpy(m_Block.data(), &header, sizeof header);
    initPointers();
    SetupBitmap(width, height, bpp, alpha, greyscale);
}

void PLWinBmp::CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize)
{
    if (!header || blockSize < sizeof(BITMAPINFOHEADER))
        throw PLTextException(PL_ERRFORMAT_UNKNOWN, "Packed DIB too small.");
    BITMAPINFOHEADER h;
    std::memcpy(&h, header, sizeof h);
    PLCheckBitmapSize(h.biWidth, h.biHeight, h.biBitCount);
    const size_t needed = headerBytes(h.biBitCount) + GetBitsMemNeeded(h.biWidth, h.biHeight, h.biBitCount);
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || blockSize < needed)
        throw PLTextException(PL_ERRFORMAT_UNKNOWN, "Packed DIB doesn't match its header.");
    ReleaseStorage();
    m_Block.assign(reinterpret_cast<const uint8_t*>(header), reinterpret_cast<const uint8_t*>(header) + needed);
    initPointers();
    const std::vector<PLPixel32> palette(m_pClrTab, m_pClrTab + (m_pClrTab ? GetNumColors() : 0));
    m_Resolution = {};
    SetupBitmap(h.biWidth, h.biHeight, h.biBitCount, false, false);
    SetPaletteEntries(palette.data());
}

void PLWinBmp::initPointers()
{
    m_pBMI = reinterpret_cast<BITMAPINFOHEADER*>(m_Block.data());
    const int bpp = m_pBMI->biBitCount;
    m_pClrTab = bpp < 16 ? reinterpret_cast<PLPixel32*>(m_Block.data() + sizeof(BITMAPINFOHEADER)) : nullptr;
    m_pBits = m_Block.data() + headerBytes(bpp);
}

void PLWinBmp::BuildLineArray()
{
    const int lineBytes = GetLineBytes();
    const int height = GetHeight();
    m_Lines.resize(height);
    for (int i = 0; i < height; ++i)
        m_Lines[i] = m_pBits + static_cast<size_t>(height - 1 - i) * lineBytes;
    m_pLineArray = m_Lines.data();
}

void PLWinBmp::ReleaseStorage()
{
    m_Block.clear();
    m_Lines.clear();
    m_pBMI = nullptr;
    m_pBits = nullptr;
    m_pClrTab = nullptr;
    m_pLineArray = nullptr;
}
