#include "imaging/TransparentDraw.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <functional>
#include <vector>

namespace {

// A memory DC compatible with dc that holds bitmap while it lives.
class MemoryDC : public CDC {
public:
    MemoryDC(CDC* dc, CBitmap* bitmap)
    {
        CreateCompatibleDC(dc);
        m_old = SelectObject(bitmap);
    }
    ~MemoryDC() override { SelectObject(m_old); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

private:
    CBitmap* m_old = nullptr;
};

// Calls draw with the top left of every copy that reaches into the clip box.
void ForEachTile(CDC* dc, POINT origin, CSize size, const std::function<void(int, int)>& draw)
{
    CRect clip;
    dc->GetClipBox(&clip);
    if (size.cx <= 0 || size.cy <= 0 || clip.IsRectEmpty())
        return;
    auto firstStep = [](LONG from, LONG edge, LONG step) {
        LONG offset = (edge - from) % step;
        return edge - (offset < 0 ? offset + step : offset);
    };
    for (LONG y = firstStep(origin.y, clip.top, size.cy); y < clip.bottom; y += size.cy)
        for (LONG x = firstStep(origin.x, clip.left, size.cx); x < clip.right; x += size.cx)
            draw(x, y);
}

// A printer gets the pixels as a DIB rather than a device bitmap.
void PrintBitmap(CDC* dc, CBitmap* bitmap, POINT at, CSize source, CSize target)
{
    BITMAP bm{};
    bitmap->GetBitmap(&bm);
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    HBITMAP handle = static_cast<HBITMAP>(bitmap->GetSafeHandle());
    if (!GetDIBits(dc->GetSafeHdc(), handle, 0, UINT(bm.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(header),
                   DIB_RGB_COLORS))
        return;
    std::vector<BYTE> bits(DibImageSize(header));
    if (bits.empty() || !GetDIBits(dc->GetSafeHdc(), handle, 0, UINT(bm.bmHeight), bits.data(),
                                   reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS))
        return;
    StretchDIBits(dc->GetSafeHdc(), at.x, at.y, target.cx, target.cy, 0, bm.bmHeight - source.cy, source.cx,
                  source.cy, bits.data(), reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
}

void DrawPlain(CDC* dc, CBitmap* bitmap, POINT at, CSize source, CSize target)
{
    if (dc->IsPrinting())
        return PrintBitmap(dc, bitmap, at, source, target);
    MemoryDC memory(dc, bitmap);
    if (source == target) {
        dc->BitBlt(at.x, at.y, target.cx, target.cy, &memory, 0, 0, SRCCOPY);
        return;
    }
    int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(at.x, at.y, target.cx, target.cy, &memory, 0, 0, source.cx, source.cy, SRCCOPY);
    dc->SetStretchBltMode(oldMode);
}

// Masks out the key colour: in one copy where the device can, else picture AND inverse mask,
// background AND mask, the two ORed.
void DrawMasked(CDC* dc, CBitmap* bitmap, POINT at, CSize source, CSize target, COLORREF key)
{
    {
        MemoryDC sourceDC(dc, bitmap);
        if (dc->TransparentBlt(at.x, at.y, target.cx, target.cy, &sourceDC, 0, 0, source.cx, source.cy, key))
            return;
    }
    const int w = target.cx;
    const int h = target.cy;
    CBitmap work, mask, inverse, background;
    if (!work.CreateCompatibleBitmap(dc, w, h) || !mask.CreateBitmap(w, h, 1, 1, nullptr) ||
        !inverse.CreateBitmap(w, h, 1, 1, nullptr) || !background.CreateCompatibleBitmap(dc, w, h))
        return;
    MemoryDC workDC(dc, &work);
    {
        MemoryDC sourceDC(dc, bitmap);
        workDC.SetStretchBltMode(COLORONCOLOR);
        if (source == target)
            workDC.BitBlt(0, 0, w, h, &sourceDC, 0, 0, SRCCOPY);
        else
            workDC.StretchBlt(0, 0, w, h, &sourceDC, 0, 0, source.cx, source.cy, SRCCOPY);
    }
    MemoryDC maskDC(dc, &mask);
    MemoryDC inverseDC(dc, &inverse);
    MemoryDC backgroundDC(dc, &background);
    workDC.SetBkColor(key);
    maskDC.BitBlt(0, 0, w, h, &workDC, 0, 0, SRCCOPY);
    inverseDC.BitBlt(0, 0, w, h, &maskDC, 0, 0, NOTSRCCOPY);
    backgroundDC.BitBlt(0, 0, w, h, dc, at.x, at.y, SRCCOPY);
    for (CDC* colour : {static_cast<CDC*>(&workDC), static_cast<CDC*>(&backgroundDC)}) {
        colour->SetTextColor(RGB(0, 0, 0));
        colour->SetBkColor(RGB(255, 255, 255));
    }
    workDC.BitBlt(0, 0, w, h, &inverseDC, 0, 0, SRCAND);
    backgroundDC.BitBlt(0, 0, w, h, &maskDC, 0, 0, SRCAND);
    backgroundDC.BitBlt(0, 0, w, h, &workDC, 0, 0, SRCPAINT);
    dc->BitBlt(at.x, at.y, w, h, &backgroundDC, 0, 0, SRCCOPY);
}

}  // namespace

void DrawBitmapTransparent(CBitmap* bitmap, POINT* destination, CSize* sourceSize, CSize* destinationSize,
                           COLORREF keyColour, CDC* dc, BOOL tile)
{
    if (!bitmap || !destination || !sourceSize || !destinationSize || !dc)
        return;
    const POINT at = *destination;
    const CSize source = *sourceSize;
    const CSize target = *destinationSize;
    const bool masked = keyColour != kNoKeyColour && !dc->IsPrinting();
    if (!tile) {
        if (masked)
            DrawMasked(dc, bitmap, at, source, target, keyColour);
        else
            DrawPlain(dc, bitmap, at, source, target);
        return;
    }
    // Tiles are copies at the bitmap's own size, each masked on its own when there is a key.
    ForEachTile(dc, at, source, [&](int x, int y) {
        if (masked)
            DrawMasked(dc, bitmap, POINT{x, y}, source, source, keyColour);
        else
            DrawPlain(dc, bitmap, POINT{x, y}, source, source);
    });
}
