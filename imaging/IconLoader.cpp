#include "imaging/IconLoader.h"

#include "platform/core/File.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"

#include <array>
#include <cstring>
#include <vector>

const COLORREF g_KeyColours[16] = {0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x000080, 0x0000FF, 0x008080, 0x00FFFF,
                                   0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000, 0x800080, 0xFF00FF};

namespace {

constexpr size_t kKeyCount = std::size(g_KeyColours);

// A bottom-up 24-bit DIB section of the size, and its pixels.
HBITMAP CreateSection(int width, int height, BYTE** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<BYTE*>(pixels);
    return section;
}

// Packed blue, green, red triples, one per pixel, as the section holds them row by row.
std::vector<BYTE> Triples(const BYTE* bits, int width, int height)
{
    std::vector<BYTE> triples;
    const DWORD stride = DibRowBytes(width, 24);
    for (int y = 0; y < height; ++y)
        triples.insert(triples.end(), bits + y * stride, bits + y * stride + width * 3);
    return triples;
}

bool ReadWhole(CFile* file, std::vector<BYTE>& bytes)
{
    ULONGLONG length = file->GetLength();
    if (length == 0 || length > 0x1000000)
        return false;
    bytes.resize(size_t(length));
    file->SeekToBegin();
    UINT read = file->Read(bytes.data(), UINT(length));
    file->SeekToBegin();
    return read == length;
}

// Draws part of the icon into a fresh section; the pixels as triples.
std::vector<BYTE> Render(HICON icon, int width, int height, UINT part, HDC memory)
{
    BYTE* bits = nullptr;
    HBITMAP section = CreateSection(width, height, &bits);
    if (!section)
        return {};
    HGDIOBJ old = ::SelectObject(memory, section);
    DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, part);
    ::SelectObject(memory, old);
    std::vector<BYTE> triples = Triples(bits, width, height);
    ::DeleteObject(section);
    return triples;
}

}  // namespace

int FindUnusedKeyColour(const BYTE* pixels, const BYTE* mask, size_t count)
{
    std::array<size_t, kKeyCount> uses{};
    bool transparent = false;
    for (size_t i = 0; i < count; ++i) {
        if (mask[i]) {
            transparent = true;
            continue;
        }
        // The bytes run blue, green, red; read as one dword they would swap red and blue.
        COLORREF colour = RGB(pixels[i * 3 + 2], pixels[i * 3 + 1], pixels[i * 3]);
        for (size_t k = 0; k < kKeyCount; ++k)
            uses[k] += g_KeyColours[k] == colour;
    }
    if (!transparent)
        return -1;
    for (size_t k = 1; k < kKeyCount; ++k)
        if (uses[k] == 0)
            return int(k);
    size_t least = 0;
    for (size_t k = 1; k < kKeyCount; ++k)
        if (uses[k] < uses[least])
            least = k;
    return int(least);
}

HBITMAP LoadIconAsBitmap(CFile* file, COLORREF* keyColour, int)
{
    std::vector<BYTE> bytes;
    if (!file || !ReadWhole(file, bytes))
        return nullptr;
    HICON icon = CreateIconFromFileData(bytes.data(), bytes.size(), 0, 0);
    if (!icon)
        return nullptr;
    ICONINFO iconInfo{};
    BITMAP bm{};
    if (GetIconInfo(icon, &iconInfo)) {
        ::GetObject(iconInfo.hbmColor ? iconInfo.hbmColor : iconInfo.hbmMask, sizeof(bm), &bm);
        if (iconInfo.hbmColor)
            ::DeleteObject(iconInfo.hbmColor);
        ::DeleteObject(iconInfo.hbmMask);
    }
    if (!iconInfo.hbmColor && bm.bmHeight)
        bm.bmHeight /= 2;
    HBITMAP result = nullptr;
    BYTE* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    if (bm.bmWidth > 0 && bm.bmHeight > 0 && (result = CreateSection(bm.bmWidth, bm.bmHeight, &bits))) {
        std::vector<BYTE> maskTriples = Render(icon, bm.bmWidth, bm.bmHeight, DI_MASK, memory);
        std::vector<BYTE> image = Render(icon, bm.bmWidth, bm.bmHeight, DI_IMAGE, memory);
        std::vector<BYTE> mask(maskTriples.size() / 3);
        for (size_t i = 0; i < mask.size(); ++i)
            mask[i] = maskTriples[i * 3] != 0;
        int key = FindUnusedKeyColour(image.data(), mask.data(), std::min(mask.size(), image.size() / 3));
        COLORREF fill = key < 0 ? RGB(255, 255, 255) : g_KeyColours[key];
        if (key >= 0 && keyColour)
            *keyColour = fill;
        HGDIOBJ old = ::SelectObject(memory, result);
        CDC::FromHandle(memory)->FillSolidRect(0, 0, bm.bmWidth, bm.bmHeight, fill);
        DrawIconEx(memory, 0, 0, icon, bm.bmWidth, bm.bmHeight, 0, nullptr, DI_NORMAL);
        ::SelectObject(memory, old);
    }
    ::DeleteDC(memory);
    DestroyIcon(icon);
    return result;
}
