// Clipboard handles and their stored bytes.
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Metafile.h"
#include "platform/ole/ClipSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ole {

namespace {

size_t ColorTableBytes(const BITMAPINFOHEADER& h)
{
    size_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    size_t colors = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? size_t{1} << h.biBitCount : 0);
    return masks + colors * sizeof(RGBQUAD);
}

bool BytesFromBitmap(HBITMAP bitmap, Bytes& bytes)
{
    BITMAPINFOHEADER probe{};
    probe.biSize = sizeof probe;
    HDC screen = GetDC(nullptr);
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), &probe, sizeof probe);
    auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
    bool ok = GetDIBits(screen, bitmap, 0, 0, nullptr, header, DIB_RGB_COLORS) != 0;
    size_t head = sizeof(BITMAPINFOHEADER) + ColorTableBytes(header->bmiHeader);
    if (ok) {
        bytes.assign(head + header->bmiHeader.biSizeImage, 0);
        std::memcpy(bytes.data(), info.data(), head);
        ok = GetDIBits(screen, bitmap, 0, static_cast<UINT>(header->bmiHeader.biHeight), bytes.data() + head,
                       reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS) != 0;
    }
    ReleaseDC(nullptr, screen);
    return ok;
}

HBITMAP BitmapFromBytes(const Bytes& dib)
{
    size_t offset = PackedDibBitsOffset(dib);
    if (!offset)
        return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, dib.data() + offset, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool BytesFromPalette(HPALETTE palette, Bytes& bytes)
{
    UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
    if (count == 0)
        return false;
    bytes.assign(4 + count * sizeof(PALETTEENTRY), 0);
    auto* log = reinterpret_cast<LOGPALETTE*>(bytes.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    return GetPaletteEntries(palette, 0, count, log->palPalEntry) == count;
}

HPALETTE PaletteFromBytes(const Bytes& bytes)
{
    if (bytes.size() < 4)
        return nullptr;
    const auto* log = reinterpret_cast<const LOGPALETTE*>(bytes.data());
    if (log->palNumEntries == 0 || 4 + size_t{log->palNumEntries} * sizeof(PALETTEENTRY) > bytes.size())
        return nullptr;
    return CreatePalette(log);
}

bool BytesFromMetafile(HENHMETAFILE metafile, Bytes& bytes)
{
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size == 0)
        return false;
    bytes.assign(size, 0);
    return GetEnhMetaFileBits(metafile, size, bytes.data()) == size;
}

void ReleaseStgMediumHandle(STGMEDIUM& medium)
{
    if (medium.tymed == TYMED_HGLOBAL)
        GlobalFree(medium.hGlobal);
    else if (medium.tymed == TYMED_ENHMF)
        DeleteEnhMetaFile(medium.hEnhMetaFile);
    else if (medium.tymed == TYMED_GDI)
        DeleteObject(medium.hGdi);
}

// Pictures rendered from metafiles are at most this many pixels on a side.
constexpr LONG kMaxRenderedSide = 4096;

} // namespace

bool DibFromMetafile(const Bytes& emf, Bytes& dib)
{
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data());
    ENHMETAHEADER header{};
    if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof header, &header)) {
        DeleteEnhMetaFile(metafile);
        return false;
    }
    auto side = [](LONG low, LONG high) { return std::clamp<LONG>(high - low + 1, 1, kMaxRenderedSide); };
    RECT area = {0, 0, side(header.rclBounds.left, header.rclBounds.right),
                 side(header.rclBounds.top, header.rclBounds.bottom)};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, area.right, area.bottom, WHITENESS);
    PlayEnhMetaFile(memory, metafile, &area);
    SelectObject(memory, old);
    bool ok = BytesFromBitmap(bitmap, dib);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteEnhMetaFile(metafile);
    return ok;
}

size_t PackedDibBitsOffset(const Bytes& dib)
{
    BITMAPINFOHEADER h{};
    if (dib.size() < sizeof h)
        return 0;
    std::memcpy(&h, dib.data(), sizeof h);
    if (h.biSize < sizeof h || h.biSize > dib.size() || h.biClrUsed > 256 || h.biBitCount > 32 || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biHeight == INT32_MIN)
        return 0;
    bool packed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
    uint64_t stride = (static_cast<uint64_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    uint64_t pixels = packed ? h.biSizeImage : stride * static_cast<uint64_t>(std::abs(h.biHeight));
    size_t offset = h.biSize + ColorTableBytes(h);
    return offset + pixels <= dib.size() && pixels > 0 ? offset : 0;
}

DWORD MediumOf(UINT format)
{
    if (format == CF_ENHMETAFILE)
        return TYMED_ENHMF;
    return format == CF_BITMAP || format == CF_PALETTE ? TYMED_GDI : TYMED_HGLOBAL;
}

bool BytesFromHandle(UINT format, HANDLE handle, Bytes& bytes)
{
    switch (format) {
    case CF_BITMAP: return BytesFromBitmap(static_cast<HBITMAP>(handle), bytes);
    case CF_PALETTE: return BytesFromPalette(static_cast<HPALETTE>(handle), bytes);
    case CF_ENHMETAFILE: return BytesFromMetafile(static_cast<HENHMETAFILE>(handle), bytes);
    default: return BytesFromGlobal(handle, bytes);
    }
}

HANDLE HandleFromBytes(UINT format, const Bytes& bytes)
{
    switch (format) {
    case CF_BITMAP: return BitmapFromBytes(bytes);
    case CF_PALETTE: return PaletteFromBytes(bytes);
    case CF_ENHMETAFILE: return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    default: return GlobalFromBytes(bytes);
    }
}

void FreeHandle(UINT format, HANDLE handle)
{
    if (!handle)
        return;
    switch (format) {
    case CF_BITMAP:
    case CF_PALETTE: DeleteObject(handle); break;
    case CF_ENHMETAFILE: DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle)); break;
    default: GlobalFree(handle); break;
    }
}

} // namespace ole

void ReleaseStgMedium(STGMEDIUM* medium)
{
    if (!medium)
        return;
    if (medium->pUnkForRelease)
        medium->pUnkForRelease->Release();
    else
        ole::ReleaseStgMediumHandle(*medium);
    medium->tymed = TYMED_NULL;
    medium->hGlobal = nullptr;
    medium->pUnkForRelease = nullptr;
}
