#include "imaging/OXDib.h"

#include "imaging/LockedBlock.h"

#include "platform/core/Archive.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_SERIAL(COXDIB, CObject, 1)

namespace {

DWORD ColoursByBitCount(WORD bits)
{
    return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}

}  // namespace

BOOL ParsePackedDib(const BYTE* block, SIZE_T size, PackedDibLayout& layout)
{
    layout = PackedDibLayout{};
    if (!block || size < sizeof(BITMAPCOREHEADER))
        return FALSE;
    std::memcpy(&layout.headerSize, block, sizeof(DWORD));
    if (layout.headerSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, block, sizeof(core));
        layout.core = true;
        layout.width = core.bcWidth;
        layout.height = core.bcHeight;
        layout.bitCount = core.bcBitCount;
        layout.colours = ColoursByBitCount(core.bcBitCount);
        layout.tableBytes = layout.colours * sizeof(RGBTRIPLE);
    } else {
        BITMAPINFOHEADER info;
        if (layout.headerSize < sizeof(info) || size < sizeof(info))
            return FALSE;
        std::memcpy(&info, block, sizeof(info));
        layout.width = info.biWidth;
        layout.height = info.biHeight;
        layout.bitCount = info.biBitCount;
        layout.compression = info.biCompression;
        layout.colours = info.biClrUsed ? info.biClrUsed : ColoursByBitCount(info.biBitCount);
        if (layout.colours > 256)
            return FALSE;
        bool masks = info.biCompression == BI_BITFIELDS && layout.headerSize == sizeof(info);
        layout.tableBytes = (layout.colours + (masks ? 3 : 0)) * sizeof(RGBQUAD);
    }
    BITMAPINFOHEADER sizing{};
    sizing.biWidth = layout.width;
    sizing.biHeight = layout.height;
    sizing.biBitCount = layout.bitCount;
    sizing.biCompression = layout.compression;
    if (!layout.core)
        std::memcpy(&sizing.biSizeImage, block + offsetof(BITMAPINFOHEADER, biSizeImage), sizeof(DWORD));
    layout.imageBytes = DibImageSize(&sizing);
    uint64_t end = uint64_t(layout.headerSize) + layout.tableBytes + layout.imageBytes;
    return layout.imageBytes != 0 && end <= size;
}

COXDIB::COXDIB(const COXDIB& other) : CObject()
{
    Attach(CopyHandle(other.m_hDIB));
}

COXDIB& COXDIB::operator=(const COXDIB& other)
{
    if (this == &other)
        return *this;
    CLockedBlock source(other.m_hDIB);
    DWORD headerSize = 0;
    if (source.size() >= sizeof(DWORD))
        std::memcpy(&headerSize, source.data(), sizeof(DWORD));
    if (headerSize == sizeof(BITMAPINFOHEADER) || !other.m_hDIB)
        Attach(CopyHandle(other.m_hDIB));
    return *this;
}

COXDIB::~COXDIB()
{
    Free();
}

HGLOBAL COXDIB::CopyHandle(HGLOBAL source, SIZE_T extra)
{
    CLockedBlock from(source);
    if (!from.data() || from.size() + extra > kGlobalMaxBlock)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GHND, from.size() + extra);
    bool copied = false;
    {
        CLockedBlock to(copy);
        if (to.data()) {
            std::memcpy(to.data(), from.data(), from.size());
            copied = true;
        }
    }
    if (copied)
        return copy;
    if (copy)
        GlobalFree(copy);
    return nullptr;
}

void COXDIB::Attach(HGLOBAL dib)
{
    Free();
    m_hDIB = dib;
    RebuildPalette();
}

void COXDIB::RebuildPalette()
{
    CLockedBlock block(m_hDIB);
    if (block.data())
        CreatePalette(block.data());
}

void COXDIB::Free()
{
    if (m_hDIB)
        GlobalFree(m_hDIB);
    m_hDIB = nullptr;
    delete m_pPalette;
    m_pPalette = nullptr;
}

BOOL COXDIB::GetLayout(PackedDibLayout& layout) const
{
    CLockedBlock block(m_hDIB);
    return ParsePackedDib(block.data(), block.size(), layout);
}

CSize COXDIB::GetSize() const
{
    PackedDibLayout layout;
    return GetLayout(layout) ? CSize(layout.width, layout.height) : CSize(0, 0);
}

WORD COXDIB::GetBitCount() const
{
    PackedDibLayout layout;
    return GetLayout(layout) ? layout.bitCount : 0;
}

WORD COXDIB::GetNumColours() const
{
    PackedDibLayout layout;
    return GetLayout(layout) ? WORD(layout.colours) : 0;
}

WORD COXDIB::GetPaletteSize() const
{
    PackedDibLayout layout;
    return GetLayout(layout) ? WORD(layout.tableBytes) : 0;
}

DWORD COXDIB::FindBits() const
{
    PackedDibLayout layout;
    return GetLayout(layout) ? layout.headerSize + layout.tableBytes : 0;
}

BOOL COXDIB::GetMonoColours(COLORREF& c0, COLORREF& c1) const
{
    PackedDibLayout layout;
    if (!GetLayout(layout) || layout.bitCount != 1 || layout.core)
        return FALSE;
    CLockedBlock block(m_hDIB);
    std::memcpy(&c0, block.data() + layout.headerSize, sizeof(COLORREF));
    std::memcpy(&c1, block.data() + layout.headerSize + sizeof(RGBQUAD), sizeof(COLORREF));
    return TRUE;
}

void COXDIB::SetMonoColours(COLORREF c0, COLORREF c1)
{
    PackedDibLayout layout;
    if (!GetLayout(layout) || layout.bitCount != 1 || layout.core)
        return;
    CLockedBlock block(m_hDIB);
    std::memcpy(block.data() + layout.headerSize, &c0, sizeof(COLORREF));
    std::memcpy(block.data() + layout.headerSize + sizeof(RGBQUAD), &c1, sizeof(COLORREF));
}

BOOL COXDIB::CreatePalette(const BYTE* header)
{
    delete m_pPalette;
    m_pPalette = nullptr;
    PackedDibLayout layout;
    CLockedBlock block(m_hDIB);
    if (header != block.data() || !ParsePackedDib(block.data(), block.size(), layout) || layout.colours == 0)
        return TRUE;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + layout.colours * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(layout.colours);
    const BYTE* table = header + layout.headerSize;
    const size_t step = layout.core ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    for (DWORD i = 0; i < layout.colours; ++i) {
        const BYTE* entry = table + i * step;
        logical->palPalEntry[i] = PALETTEENTRY{entry[2], entry[1], entry[0], 0};
    }
    m_pPalette = new CPalette;
    if (m_pPalette->CreatePalette(logical))
        return TRUE;
    Free();
    return FALSE;
}

BOOL COXDIB::FillColourTable(CPalette* palette, UINT usage)
{
    PackedDibLayout layout;
    if (!GetLayout(layout) || layout.core || layout.colours == 0)
        return FALSE;
    CLockedBlock block(m_hDIB);
    BYTE* table = block.data() + layout.headerSize;
    if (usage == DIB_PAL_COLORS) {
        for (DWORD i = 0; i < layout.colours; ++i) {
            WORD index = WORD(i);
            std::memcpy(table + i * sizeof(WORD), &index, sizeof(WORD));
        }
        return TRUE;
    }
    CPalette* source =
        palette ? palette : CPalette::FromHandle(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    PALETTEENTRY entries[256];
    UINT count = source->GetPaletteEntries(0, std::min<DWORD>(layout.colours, 256), entries);
    for (UINT i = 0; i < count; ++i) {
        RGBQUAD quad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        std::memcpy(table + i * sizeof(RGBQUAD), &quad, sizeof(quad));
    }
    return TRUE;
}

void COXDIB::InitBitmapInfoHeader(BITMAPINFOHEADER& bih, DWORD width, DWORD height, int bitsPerPixel)
{
    bih = BITMAPINFOHEADER{};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = LONG(width);
    bih.biHeight = LONG(height);
    bih.biPlanes = 1;
    if (bitsPerPixel < 2) {
        bih.biBitCount = 1;
    } else if (bitsPerPixel < 5) {
        bih.biBitCount = 4;
        bih.biClrUsed = 16;
    } else if (bitsPerPixel < 9) {
        bih.biBitCount = 8;
        bih.biClrUsed = 256;
    } else {
        bih.biBitCount = 24;
    }
    bih.biCompression = BI_RGB;
    bih.biSizeImage = DibRowBytes(bih.biWidth, bih.biBitCount) * height;
}
