#include "piclib/common/PLWinBmp.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLTextException.h"
#include "platform/core/BinaryResources.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

#include <algorithm>
#include <cstring>

PLWinBmp::PLWinBmp()
{
    AllocateStorage(16, 16, 8, false, false);
}

PLWinBmp::~PLWinBmp()
{
    m_Block.clear();
    m_Lines.clear();
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

std::vector<uint8_t> PLWinBmp::makeHeader(int width, int height, int bpp)
{
    PLCheckBitmapSize(width, height, bpp);
    std::vector<uint8_t> block(headerBytes(bpp), 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bpp);
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

void PLWinBmp::AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale)
{
    m_Block = makeHeader(width, height, bpp);
    const size_t header = m_Block.size();
    m_Block.resize(header + GetBitsMemNeeded(width, height, bpp), 0);
    setPointers(m_Block.data(), m_Block.data() + header);
    SetupBitmap(width, height, bpp, alpha, greyscale);
}

size_t PLWinBmp::checkPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize)
{
    if (!header || blockSize < sizeof(BITMAPINFOHEADER))
        throw PLTextException(PL_ERRFORMAT_UNKNOWN, "Packed DIB too small.");
    BITMAPINFOHEADER h;
    std::memcpy(&h, header, sizeof h);
    PLCheckBitmapSize(h.biWidth, h.biHeight, h.biBitCount);
    const size_t needed = headerBytes(h.biBitCount) + GetBitsMemNeeded(h.biWidth, h.biHeight, h.biBitCount);
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || blockSize < needed)
        throw PLTextException(PL_ERRFORMAT_UNKNOWN, "Packed DIB doesn't match its header.");
    return headerBytes(h.biBitCount);
}

void PLWinBmp::CreateRes(HINSTANCE, int id)
{
    // Bitmap resources are kept as whole files: the packed DIB follows the file header.
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Bitmap, UINT(id) & 0xFFFF);
    if (!file || file->size() <= sizeof(BITMAPFILEHEADER))
        throw PLTextException(PL_ERRFILE_NOT_FOUND, "Bitmap resource not found.");
    std::vector<uint8_t> packed(file->begin() + sizeof(BITMAPFILEHEADER), file->end());
    CreateFromPackedDIB(reinterpret_cast<const BITMAPINFOHEADER*>(packed.data()), packed.size());
}

void PLWinBmp::CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize)
{
    const size_t headerSize = checkPackedDIB(header, blockSize);
    const auto* bytes = reinterpret_cast<const uint8_t*>(header);
    const BITMAPINFOHEADER h = *header;
    ReleaseStorage();
    m_Block.assign(bytes, bytes + headerSize + GetBitsMemNeeded(h.biWidth, h.biHeight, h.biBitCount));
    setPointers(m_Block.data(), m_Block.data() + headerSize);
    const std::vector<PLPixel32> palette(m_pClrTab, m_pClrTab + (m_pClrTab ? GetNumColors() : 0));
    m_Resolution = {};
    SetupBitmap(h.biWidth, h.biHeight, h.biBitCount, false, false);
    SetPaletteEntries(palette.data());
}

void PLWinBmp::setPointers(uint8_t* headerBlock, uint8_t* bits)
{
    m_pBMI = reinterpret_cast<BITMAPINFOHEADER*>(headerBlock);
    const int bpp = m_pBMI->biBitCount;
    m_pClrTab = bpp < 16 ? reinterpret_cast<PLPixel32*>(headerBlock + sizeof(BITMAPINFOHEADER)) : nullptr;
    m_pBits = bits;
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

void PLWinBmp::Draw(HDC dc, int x, int y, DWORD rop)
{
    StretchDraw(dc, x, y, GetWidth(), GetHeight(), rop);
}

void PLWinBmp::StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    StretchDIBits(dc, x, y, width, height, 0, 0, GetWidth(), GetHeight(), m_pBits,
                  reinterpret_cast<const BITMAPINFO*>(m_pBMI), DIB_RGB_COLORS, rop);
}

void PLWinBmp::StretchDraw(HDC dc, int x, int y, double factor, DWORD rop)
{
    StretchDraw(dc, x, y, static_cast<int>(GetWidth() * factor), static_cast<int>(GetHeight() * factor), rop);
}

BOOL PLWinBmp::DrawExtract(HDC dc, POINT dest, const RECT& source)
{
    const LONG left = std::clamp<LONG>(source.left, 0, GetWidth());
    const LONG right = std::clamp<LONG>(source.right, left, GetWidth());
    const LONG top = std::clamp<LONG>(source.top, 0, GetHeight());
    const LONG bottom = std::clamp<LONG>(source.bottom, top, GetHeight());
    // Device-independent rows count from the bottom.
    return SetDIBitsToDevice(dc, dest.x, dest.y, right - left, bottom - top, left, GetHeight() - bottom, 0,
                             GetHeight(), m_pBits, reinterpret_cast<const BITMAPINFO*>(m_pBMI), DIB_RGB_COLORS) != 0;
}

HGLOBAL PLWinBmp::copyToGlobal(size_t size) const
{
    const size_t header = headerBytes(m_bpp);
    const size_t bits = GetBitsMemNeeded(GetWidth(), GetHeight(), m_bpp);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, std::max(size, header + bits));
    auto* target = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (!target) {
        if (block)
            GlobalFree(block);
        throw PLTextException(PL_ERRNO_MEMORY, "Can't allocate global memory block.");
    }
    std::memcpy(target, m_pBMI, header);
    std::memcpy(target + header, m_pBits, bits);
    GlobalUnlock(block);
    return block;
}

HGLOBAL PLWinBmp::GetDIBCopy() const
{
    return copyToGlobal(headerBytes(m_bpp) + GetBitsMemNeeded(GetWidth(), GetHeight(), m_bpp));
}

void PLWinBmp::CreateFromHBitmap(HBITMAP bitmap)
{
    HDC screen = GetDC(nullptr);
    std::vector<uint8_t> probe = makeHeader(1, 1, 8);
    auto* info = reinterpret_cast<BITMAPINFO*>(probe.data());
    info->bmiHeader.biBitCount = 0;
    if (!GetDIBits(screen, bitmap, 0, 0, nullptr, info, DIB_RGB_COLORS)) {
        ReleaseDC(nullptr, screen);
        throw PLTextException(PL_ERRNO_MEMORY, "Can't read the bitmap.");
    }
    const int depth = info->bmiHeader.biBitCount;
    const int bpp = depth == 1 ? 1 : depth <= 8 ? 8 : 32;
    const int height = std::abs(info->bmiHeader.biHeight);
    CreateFromBits(info->bmiHeader.biWidth, height, bpp, false, false, nullptr, 0, {0, 0});
    const int lines = GetDIBits(screen, bitmap, 0, height, m_pBits, reinterpret_cast<BITMAPINFO*>(m_pBMI),
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != height)
        throw PLTextException(PL_ERRNO_MEMORY, "Can't read the bitmap.");
    for (int i = 0; m_pClrTab && i < GetNumColors(); ++i)
        m_pClrTab[i].a = 255;
}
