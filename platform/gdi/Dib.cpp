#include "platform/gdi/Dib.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/DibCodec.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"

#include <cstring>

using namespace gdi;

namespace gdi {

namespace {

std::optional<DibFormat> SectionFormat(const Bitmap& b)
{
    return ParseDibInfo(b.info.data(), b.info.size(), DIB_RGB_COLORS, nullptr);
}

}  // namespace

void Bitmap::PullFromBits()
{
    if (bits == bitsSynced && surfaceSynced.size() == surface.size())
        return;
    auto f = SectionFormat(*this);
    if (!f)
        return;
    surface = DecodeDib(*f, bits.data(), bits.size());
    surfaceSynced = surface.copy();
    bitsSynced = bits;
}

void Bitmap::PushToBits()
{
    auto f = SectionFormat(*this);
    if (!f || bits.size() < size_t(f->stride()) * f->height || surfaceSynced.size() != surface.size())
        return;
    // Only rows drawn on since the last exchange; they are read back so the surface shows
    // what the bits can hold (palette entries, 16-bit precision).
    size_t rowBytes = size_t(f->width) * 4;
    for (int y = 0; y < f->height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(surface.scanLine(y));
        if (std::memcmp(row, surfaceSynced.constScanLine(y), rowBytes) == 0)
            continue;
        size_t at = size_t(f->topDown ? y : f->height - 1 - y) * f->stride();
        EncodeRow(*f, row, bits.data() + at);
        DecodeRow(*f, bits.data() + at, row);
        std::memcpy(surfaceSynced.scanLine(y), row, rowBytes);
        std::memcpy(bitsSynced.data() + at, bits.data() + at, f->stride());
    }
}

DrawScope::DrawScope(Dc& dc, bool writes) : m_bitmap(dc.a.bitmap), m_surface(dc.Surface()), m_writes(writes)
{
    if (m_bitmap && m_bitmap->section)
        m_bitmap->PullFromBits();
    if (m_surface && m_surface->isNull())
        m_surface = nullptr;
}

DrawScope::~DrawScope()
{
    if (m_writes && m_bitmap && m_bitmap->section)
        m_bitmap->PushToBits();
}

}  // namespace gdi

namespace {

size_t InfoBytes(const BITMAPINFO* info)
{
    // The caller's record: header, then masks or up to 256 colours.
    return info ? info->bmiHeader.biSize + 256 * sizeof(RGBQUAD) + 12 : 0;
}

const Palette* DcPalette(HDC hdc)
{
    Dc* dc = LookupDc(hdc);
    return dc ? dc->a.palette : nullptr;
}

std::optional<DibFormat> Parse(HDC hdc, const BITMAPINFO* info, UINT usage)
{
    if (!info)
        return std::nullopt;
    size_t avail = info->bmiHeader.biSize == sizeof(BITMAPCOREHEADER) ? 12 + 256 * 3 : InfoBytes(info);
    return ParseDibInfo(info, avail, usage, DcPalette(hdc));
}

size_t PixelBytes(const DibFormat& f)
{
    return f.compression == BI_RLE8 || f.compression == BI_RLE4 ? f.imageBytes : size_t(f.stride()) * f.height;
}

// A memory DC holding a copy of the DIB's pixels, for blits.
struct TempSource {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    TempSource(const QImage& image)
    {
        auto b = MakeBitmap(image.width(), image.height(), 32);
        if (!b)
            return;
        b->surface = image;
        bitmap = static_cast<HBITMAP>(Register(std::move(b)));
        dc = ::CreateCompatibleDC(nullptr);
        ::SelectObject(dc, bitmap);
    }
    ~TempSource()
    {
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
};

}  // namespace

DWORD DibImageSize(const BITMAPINFOHEADER* header)
{
    if (!header || header->biWidth <= 0 || header->biHeight == 0 || header->biHeight == INT32_MIN)
        return 0;
    if (header->biCompression == BI_RLE8 || header->biCompression == BI_RLE4)
        return header->biSizeImage;
    // Rows past 32 bits would wrap in DibRowBytes and make a huge bitmap look small.
    int64_t row = (int64_t(header->biWidth) * header->biBitCount + 31) / 32 * 4;
    int64_t size = row > 0x7FFFFFFF ? row : row * std::abs(header->biHeight);
    return size > 0x7FFFFFFF ? 0 : DWORD(size);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    auto f = Parse(hdc, info, usage);
    if (!f || (f->compression != BI_RGB && f->compression != BI_BITFIELDS))
        return nullptr;
    auto b = MakeBitmap(f->width, f->height, f->bitCount);
    if (!b)
        return nullptr;
    b->section = true;
    // Keep a plain info record: header (with a positive or negative height as given), masks, RGB colours.
    BITMAPINFOHEADER h{};
    std::memcpy(&h, info, std::min<size_t>(sizeof(h), info->bmiHeader.biSize == 12 ? 0 : sizeof(h)));
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = f->width;
    h.biHeight = f->topDown ? -f->height : f->height;
    h.biPlanes = 1;
    h.biBitCount = f->bitCount;
    h.biCompression = f->compression;
    h.biSizeImage = f->stride() * DWORD(f->height);
    h.biClrUsed = DWORD(f->colors.size());
    b->info.resize(sizeof(h));
    std::memcpy(b->info.data(), &h, sizeof(h));
    if (f->compression == BI_BITFIELDS)
        b->info.insert(b->info.end(), reinterpret_cast<const BYTE*>(f->masks),
                       reinterpret_cast<const BYTE*>(f->masks) + 12);
    for (QRgb c : f->colors) {
        RGBQUAD q{BYTE(qBlue(c)), BYTE(qGreen(c)), BYTE(qRed(c)), 0};
        b->info.insert(b->info.end(), reinterpret_cast<BYTE*>(&q), reinterpret_cast<BYTE*>(&q) + 4);
    }
    b->bits.assign(h.biSizeImage, 0);
    b->PullFromBits();
    if (bits)
        *bits = b->bits.data();
    return static_cast<HBITMAP>(Register(std::move(b)));
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage)
{
    if (!header || header->biWidth <= 0 || header->biHeight == 0 || header->biHeight == INT32_MIN)
        return nullptr;
    HBITMAP bm = ::CreateCompatibleBitmap(hdc, header->biWidth, std::abs(header->biHeight));
    if (!bm && !hdc) {
        HDC screen = ::GetDC(nullptr);
        bm = ::CreateCompatibleBitmap(screen, header->biWidth, std::abs(header->biHeight));
        ::ReleaseDC(nullptr, screen);
    }
    if (bm && (init & CBM_INIT) && bits && info)
        SetDIBits(hdc, bm, 0, UINT(std::abs(header->biHeight)), bits, info, usage);
    return bm;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    Bitmap* b = LookupAs<Bitmap>(hbm, Kind::Bitmap);
    auto f = Parse(hdc, info, usage);
    if (!b || !f || !bits)
        return 0;
    QImage img = DecodeDib(*f, static_cast<const BYTE*>(bits), PixelBytes(*f));
    if (b->section)
        b->PullFromBits();
    // Scan lines count from the bottom of a bottom-up DIB.
    int copied = 0;
    for (UINT i = 0; i < lines; ++i) {
        int dibRow = int(start + i);
        if (dibRow >= f->height)
            break;
        int y = f->topDown ? dibRow : f->height - 1 - dibRow;
        if (y >= b->surface.height())
            continue;
        const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(b->surface.scanLine(y));
        for (int x = 0; x < std::min(img.width(), b->surface.width()); ++x)
            dst[x] = b->bitsPixel == 1 && !b->section ? ToMono(src[x]) : src[x];
        ++copied;
    }
    if (b->section)
        b->PushToBits();
    return copied;
}

namespace {

std::vector<QRgb> DefaultColors(int bitCount)
{
    std::vector<QRgb> c;
    if (bitCount == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    static const QRgb vga[16] = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                 qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                 qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                 qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    c.assign(vga, vga + 16);
    if (bitCount == 8) {
        c.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    c.push_back(qRgb(r * 51, g * 51, b * 51));
        c.insert(c.end(), vga, vga + 16);
        while (c.size() < 256)
            c.push_back(qRgb(0, 0, 0));
    }
    return c;
}

// One index a pixel from uncompressed rows of four or eight bits.
std::vector<BYTE> Indexes(const DibFormat& f, const std::vector<BYTE>& rows)
{
    std::vector<BYTE> index(size_t(f.width) * f.height);
    for (int y = 0; y < f.height; ++y) {
        const BYTE* row = rows.data() + size_t(y) * f.stride();
        for (int x = 0; x < f.width; ++x)
            index[size_t(y) * f.width + x] = f.bitCount == 4 ? BYTE(row[x / 2] >> (x % 2 ? 0 : 4) & 0xF) : row[x];
    }
    return index;
}

}  // namespace

int GetDIBits(HDC, HBITMAP hbm, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
    Bitmap* b = LookupAs<Bitmap>(hbm, Kind::Bitmap);
    if (!b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    // Packed pixels have no size of their own: the caller says how many bytes it has room for.
    const DWORD room = h.biSizeImage;
    if (h.biBitCount == 0) {
        h.biWidth = b->surface.width();
        h.biHeight = b->surface.height();
        h.biPlanes = 1;
        h.biBitCount = WORD(b->bitsPixel);
        h.biCompression = BI_RGB;
    }
    std::vector<QRgb> colors;
    if (b->section) {
        auto sf = ParseDibInfo(b->info.data(), b->info.size(), DIB_RGB_COLORS, nullptr);
        if (sf && sf->bitCount == h.biBitCount)
            colors = sf->colors;
    }
    if (colors.empty() && h.biBitCount <= 8)
        colors = DefaultColors(h.biBitCount);
    h.biSizeImage = DibRowBytes(h.biWidth, h.biBitCount) * DWORD(std::abs(h.biHeight));
    if (h.biBitCount <= 8 && usage == DIB_RGB_COLORS) {
        for (size_t i = 0; i < colors.size(); ++i)
            info->bmiColors[i] = {BYTE(qBlue(colors[i])), BYTE(qGreen(colors[i])), BYTE(qRed(colors[i])), 0};
        h.biClrUsed = 0;
    }
    // Run lengths come only bottom-up, four bits a pixel for BI_RLE4 and eight for BI_RLE8.
    const bool rle = h.biCompression == BI_RLE4 || h.biCompression == BI_RLE8;
    if (rle && (h.biBitCount != (h.biCompression == BI_RLE4 ? 4 : 8) || h.biHeight < 0))
        return 0;
    if (!bits && !rle)
        return 1;
    DibFormat f;
    f.width = h.biWidth;
    f.height = std::abs(h.biHeight);
    f.topDown = h.biHeight < 0;
    f.bitCount = h.biBitCount;
    f.compression = h.biCompression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    f.colors = colors;
    if (f.width <= 0 || f.height <= 0 || (f.bitCount != 1 && f.bitCount != 4 && f.bitCount != 8 &&
                                          f.bitCount != 16 && f.bitCount != 24 && f.bitCount != 32))
        return 0;
    if (f.bitCount == 16)
        f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
    else
        f.masks[0] = 0xFF0000, f.masks[1] = 0x00FF00, f.masks[2] = 0x0000FF;
    if (f.compression == BI_BITFIELDS)
        std::memcpy(f.masks, info->bmiColors, 12);
    if (b->section)
        b->PullFromBits();
    std::vector<BYTE> all(size_t(f.stride()) * f.height);
    EncodeDib(f, b->surface, all.data());
    if (rle) {
        const std::vector<BYTE> packed = EncodeRle(Indexes(f, all), f.width, f.height, f.bitCount == 4);
        if (bits && packed.size() > room)
            return 0;
        h.biSizeImage = DWORD(packed.size());
        if (!bits)
            return 1;
        std::memcpy(bits, packed.data(), packed.size());
        return f.height;
    }
    // Copy the requested scan lines, counted from the bottom for a bottom-up DIB.
    UINT copied = 0;
    for (UINT i = 0; i < lines && start + i < UINT(f.height); ++i, ++copied)
        std::memcpy(static_cast<BYTE*>(bits) + size_t(i) * f.stride(), &all[size_t(start + i) * f.stride()],
                    f.stride());
    return int(copied);
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    int drawn = StretchDIBits(hdc, xDest, yDest, int(width), int(height), xSrc, ySrc, int(width), int(height), bits,
                              info, usage, SRCCOPY);
    return drawn ? int(std::min<UINT>(lines, UINT(drawn))) : 0;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    auto f = Parse(hdc, info, usage);
    CDC* dc = CDC::FromHandle(hdc);
    if (!f || !dc || !bits)
        return 0;
    QImage img = DecodeDib(*f, static_cast<const BYTE*>(bits), PixelBytes(*f));
    TempSource src(img);
    int top = f->topDown ? ySrc : Sum(f->height, -int64_t(ySrc), -int64_t(srcHeight));
    if (!dc->StretchBlt(xDest, yDest, destWidth, destHeight, CDC::FromHandle(src.dc), xSrc, top, srcWidth,
                        srcHeight, rop))
        return 0;
    return f->height;
}

namespace {

Bitmap* SelectedSection(HDC hdc)
{
    Dc* dc = LookupDc(hdc);
    return dc && dc->a.bitmap && dc->a.bitmap->section ? dc->a.bitmap : nullptr;
}

size_t ColorTableOffset(const Bitmap& b)
{
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(b.info.data());
    return sizeof(BITMAPINFOHEADER) + (h->biCompression == BI_BITFIELDS ? 12 : 0);
}

}  // namespace

namespace {

// The colour-table entries [start, start + count) of the selected section that exist:
// a pointer to the first and how many; null when there are none.
BYTE* TableEntries(HDC hdc, UINT start, UINT& count)
{
    Bitmap* b = SelectedSection(hdc);
    if (!b)
        return nullptr;
    size_t offset = ColorTableOffset(*b);
    UINT entries = UINT((b->info.size() - offset) / 4);
    if (start >= entries)
        return nullptr;
    count = std::min(count, entries - start);
    return b->info.data() + offset + start * 4;
}

}  // namespace

UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors)
{
    BYTE* entries = colors ? TableEntries(hdc, start, count) : nullptr;
    if (!entries)
        return 0;
    std::memcpy(entries, colors, count * 4);
    Bitmap* b = SelectedSection(hdc);
    b->bitsSynced.clear();  // same bits, new colours: read them again
    b->PullFromBits();
    return count;
}

UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors)
{
    const BYTE* entries = colors ? TableEntries(hdc, start, count) : nullptr;
    if (!entries)
        return 0;
    std::memcpy(colors, entries, count * 4);
    return count;
}

BOOL GdiFlush() { return TRUE; }

namespace {

HDRAWDIB__ theDrawDib;

}  // namespace

HDRAWDIB DrawDibOpen() { return &theDrawDib; }
BOOL DrawDibClose(HDRAWDIB hdd) { return hdd == &theDrawDib; }
BOOL DrawDibSetPalette(HDRAWDIB hdd, HPALETTE) { return hdd == &theDrawDib; }
UINT DrawDibRealize(HDRAWDIB, HDC, BOOL) { return 0; }

BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT)
{
    if (hdd != &theDrawDib || !header)
        return FALSE;
    int height = std::abs(header->biHeight);
    if (dxSrc < 0)
        dxSrc = header->biWidth;
    if (dySrc < 0)
        dySrc = height;
    if (dxDst < 0)
        dxDst = dxSrc;
    if (dyDst < 0)
        dyDst = dySrc;
    ::SetStretchBltMode(hdc, COLORONCOLOR);
    return StretchDIBits(hdc, xDst, yDst, dxDst, dyDst, xSrc, ySrc, dxSrc, dySrc, bits,
                         reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY) != 0;
}
