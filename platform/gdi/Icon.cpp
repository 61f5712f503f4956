#include "platform/gdi/Icon.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/DibCodec.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/MaskedDraw.h"
#include "platform/gdi/SysColors.h"

#include <QImage>

#include <cstring>
#include <utility>

namespace gdi {

namespace {

struct Icon {
    HBITMAP color = nullptr;
    HBITMAP mask = nullptr;
    POINT hotspot{0, 0};
    BOOL isIcon = TRUE;
    bool shared = false; // loaded from the resources: lives as long as the program
    ~Icon()
    {
        ::DeleteObject(color);
        ::DeleteObject(mask);
    }
};

using IconTable = HandleTable<HICON, Icon>;

Icon* FindIcon(HICON h) { return IconTable::Instance().Find(h); }
HICON AddIcon(std::unique_ptr<Icon> icon) { return IconTable::Instance().Add(std::move(icon)); }

SIZE BitmapSize(HBITMAP bm)
{
    BITMAP info{};
    ::GetObject(bm, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

HBITMAP CopyBitmap(HBITMAP source)
{
    Bitmap* b = LookupAs<Bitmap>(source, Kind::Bitmap);
    if (!b)
        return nullptr;
    if (b->section)
        b->PullFromBits();
    auto copy = MakeBitmap(b->surface.width(), b->surface.height(), b->section ? 32 : b->bitsPixel);
    if (!copy)
        return nullptr;
    copy->surface = b->surface.copy();
    return static_cast<HBITMAP>(Register(std::move(copy)));
}

void DrawMasked(HDC hdc, int x, int y, int width, int height, HBITMAP image, HBITMAP mask, int imageWidth,
                int imageHeight, UINT parts)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc)
        return;
    CDC mem;
    mem.CreateCompatibleDC(dc);
    // The monochrome mask maps onto the destination as black and white.
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBk = dc->SetBkColor(RGB(255, 255, 255));
    HGDIOBJ old = nullptr;
    if (mask && (parts & DI_MASK)) {
        old = mem.SelectObject(mask);
        dc->StretchBlt(x, y, width, height, &mem, 0, 0, imageWidth, imageHeight, (parts & DI_IMAGE) ? SRCAND : SRCCOPY);
    }
    if (parts & DI_IMAGE) {
        HGDIOBJ prev = mem.SelectObject(image ? image : mask);
        if (!old)
            old = prev;
        DWORD rop = (mask && (parts & DI_MASK)) ? SRCINVERT : SRCCOPY;
        dc->StretchBlt(x, y, width, height, &mem, 0, image ? 0 : imageHeight, imageWidth, imageHeight, rop);
    }
    if (old)
        mem.SelectObject(old);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBk);
}

}  // namespace gdi

using namespace gdi;

HICON CreateIconIndirect(const ICONINFO* info)
{
    if (!info || !LookupAs<Bitmap>(info->hbmMask, Kind::Bitmap))
        return nullptr;
    if (info->hbmColor && !LookupAs<Bitmap>(info->hbmColor, Kind::Bitmap))
        return nullptr;
    auto icon = std::make_unique<Icon>();
    icon->mask = CopyBitmap(info->hbmMask);
    icon->color = info->hbmColor ? CopyBitmap(info->hbmColor) : nullptr;
    icon->isIcon = info->fIcon;
    icon->hotspot = info->fIcon ? POINT{0, 0} : POINT{LONG(info->xHotspot), LONG(info->yHotspot)};
    if (icon->isIcon) {
        SIZE s = BitmapSize(info->hbmMask);
        icon->hotspot = {s.cx / 2, (info->hbmColor ? s.cy : s.cy / 2) / 2};
    }
    return AddIcon(std::move(icon));
}

BOOL GetIconInfo(HICON h, ICONINFO* info)
{
    Icon* icon = FindIcon(h);
    if (!icon || !info)
        return FALSE;
    info->fIcon = icon->isIcon;
    info->xHotspot = DWORD(icon->hotspot.x);
    info->yHotspot = DWORD(icon->hotspot.y);
    info->hbmMask = CopyBitmap(icon->mask);
    info->hbmColor = icon->color ? CopyBitmap(icon->color) : nullptr;
    return TRUE;
}

HICON CopyIcon(HICON h)
{
    ICONINFO info{};
    if (!GetIconInfo(h, &info))
        return nullptr;
    HICON copy = CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return copy;
}

BOOL DestroyIcon(HICON h)
{
    Icon* icon = FindIcon(h);
    return icon && (icon->shared || IconTable::Instance().Take(h)) ? TRUE : FALSE;
}

void MarkIconShared(HICON h)
{
    if (Icon* icon = FindIcon(h))
        icon->shared = true;
}

BOOL DestroyCursor(HCURSOR h) { return DestroyIcon(h); }

BOOL DrawIconEx(HDC hdc, int x, int y, HICON h, int width, int height, UINT, HBRUSH, UINT flags)
{
    Icon* icon = FindIcon(h);
    if (!icon || !CDC::FromHandle(hdc))
        return FALSE;
    SIZE s = BitmapSize(icon->mask);
    if (!icon->color)
        s.cy /= 2;
    if (width == 0)
        width = (flags & DI_DEFAULTSIZE) ? ::GetSystemMetrics(SM_CXICON) : s.cx;
    if (height == 0)
        height = (flags & DI_DEFAULTSIZE) ? ::GetSystemMetrics(SM_CYICON) : s.cy;
    UINT parts = flags & DI_NORMAL;
    DrawMasked(hdc, x, y, width, height, icon->color, icon->mask, s.cx, s.cy, parts ? parts : DI_NORMAL);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

BOOL CDC::DrawState(POINT pt, SIZE size, HICON h, UINT flags, HBRUSH)
{
    Icon* icon = FindIcon(h);
    if (!icon)
        return FALSE;
    SIZE s = BitmapSize(icon->mask);
    if (!icon->color)
        s.cy /= 2;
    if (size.cx == 0 || size.cy == 0)
        size = s;
    if (!(flags & DSS_DISABLED))
        return DrawIconEx(m_hDC, pt.x, pt.y, h, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    // Opaque pixels (mask clear) take the brush; transparent ones keep the destination.
    CDC mem;
    mem.CreateCompatibleDC(this);
    HGDIOBJ old = mem.SelectObject(icon->mask);
    COLORREF oldText = SetTextColor(RGB(0, 0, 0)), oldBk = SetBkColor(RGB(255, 255, 255));
    for (auto [offset, colour] : {std::pair{1, COLOR_3DHILIGHT}, std::pair{0, COLOR_3DSHADOW}}) {
        CBrush brush(::GetSysColor(colour));
        CBrush* oldBrush = SelectObject(&brush);
        StretchBlt(pt.x + offset, pt.y + offset, size.cx, size.cy, &mem, 0, 0, s.cx, s.cy, 0x00B8074A);
        SelectObject(oldBrush);
    }
    SetTextColor(oldText);
    SetBkColor(oldBk);
    mem.SelectObject(old);
    return TRUE;
}

namespace {

HBITMAP BitmapFromImage(const QImage& image, int bitsPixel)
{
    auto b = MakeBitmap(image.width(), image.height(), bitsPixel);
    if (!b)
        return nullptr;
    b->surface = image.convertToFormat(QImage::Format_RGB32);
    return static_cast<HBITMAP>(Register(std::move(b)));
}

// A PNG-compressed image as modern icon files hold them: alpha decides the mask.
HICON IconFromPng(const BYTE* data, size_t size, bool isIcon, POINT hotspot)
{
    QImage png = QImage::fromData(data, int(size), "PNG").convertToFormat(QImage::Format_ARGB32);
    if (png.isNull())
        return nullptr;
    QImage mask(png.size(), QImage::Format_RGB32), color(png.size(), QImage::Format_RGB32);
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            QRgb p = png.pixel(x, y);
            bool clear = qAlpha(p) < 128;
            mask.setPixel(x, y, clear ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            color.setPixel(x, y, clear ? qRgb(0, 0, 0) : (p | 0xFF000000u));
        }
    auto icon = std::make_unique<Icon>();
    icon->mask = BitmapFromImage(mask, 1);
    icon->color = BitmapFromImage(color, 32);
    icon->isIcon = isIcon;
    icon->hotspot = hotspot;
    return AddIcon(std::move(icon));
}

}  // namespace

HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL isIcon, DWORD, int, int, UINT)
{
    if (!bits)
        return nullptr;
    POINT hotspot{0, 0};
    if (!isIcon) {
        if (size < 4)
            return nullptr;
        hotspot = {bits[0] | bits[1] << 8, bits[2] | bits[3] << 8};
        bits += 4;
        size -= 4;
    }
    if (size >= 8 && std::memcmp(bits, "\x89PNG", 4) == 0)
        return IconFromPng(bits, size, isIcon, hotspot);
    auto format = ParseDibInfo(bits, size, DIB_RGB_COLORS, nullptr);
    if (!format || format->compression != BI_RGB || format->height % 2 != 0 || format->topDown)
        return nullptr;
    // The header's height covers both halves: XOR picture, then the one-bit AND mask.
    DibFormat picture = *format;
    picture.height = format->height / 2;
    DibFormat and1;
    and1.width = picture.width;
    and1.height = picture.height;
    and1.bitCount = 1;
    and1.colors = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    size_t xorBytes = size_t(picture.stride()) * picture.height, andBytes = size_t(and1.stride()) * and1.height;
    if (format->headerBytes + xorBytes > size)
        return nullptr;
    const BYTE* pixels = bits + format->headerBytes;
    QImage color = DecodeDib(picture, pixels, xorBytes);
    size_t andAvailable = size - format->headerBytes - xorBytes;
    QImage mask = DecodeDib(and1, pixels + xorBytes, std::min(andBytes, andAvailable));
    if (andAvailable < andBytes)
        mask.fill(qRgb(0, 0, 0));  // no mask stored: all opaque
    auto icon = std::make_unique<Icon>();
    icon->mask = BitmapFromImage(mask, 1);
    icon->color = BitmapFromImage(color, 32);
    icon->isIcon = isIcon;
    icon->hotspot = isIcon ? POINT{picture.width / 2, picture.height / 2} : hotspot;
    if (!icon->mask || !icon->color)
        return nullptr;
    return AddIcon(std::move(icon));
}

HICON CreateIconFromFileData(const void* data, size_t size, int width, int height)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    if (!p || size < 6 || p[0] != 0 || p[1] != 0 || (p[2] != 1 && p[2] != 2) || p[3] != 0)
        return nullptr;
    bool isIcon = p[2] == 1;
    int count = p[4] | p[5] << 8;
    if (count == 0 || size < 6 + size_t(count) * 16)
        return nullptr;
    if (width == 0)
        width = ::GetSystemMetrics(SM_CXICON);
    if (height == 0)
        height = ::GetSystemMetrics(SM_CYICON);
    // The entry closest in size, then the deepest.
    int best = -1;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const BYTE* e = p + 6 + i * 16;
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256, depth = isIcon ? (e[6] | e[7] << 8) : 0;
        long score = long(std::abs(w - width) + std::abs(h - height)) * 1000 - depth;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    const BYTE* e = p + 6 + best * 16;
    DWORD bytes = DWORD(e[8] | e[9] << 8 | e[10] << 16 | DWORD(e[11]) << 24);
    DWORD offset = DWORD(e[12] | e[13] << 8 | e[14] << 16 | DWORD(e[15]) << 24);
    if (offset > size || bytes > size - offset)
        return nullptr;
    if (isIcon)
        return CreateIconFromResourceEx(p + offset, bytes, TRUE, 0x30000, width, height, 0);
    // A cursor file keeps its hot spot in the directory entry.
    std::vector<BYTE> resource{e[4], e[5], e[6], e[7]};
    resource.insert(resource.end(), p + offset, p + offset + bytes);
    return CreateIconFromResourceEx(resource.data(), DWORD(resource.size()), FALSE, 0x30000, width, height, 0);
}
