// The pixel work of soft shadows: 24-bit DIB sections, the box blur of the mask and the blend
// of the shadow colour over the background through the mask.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/gdi/GdiTypes.h"

// A bottom-up 24-bit DIB section whose width is rounded up to a multiple of 32 pixels;
// the bitmap is deleted with the object. Empty (no bitmap) when it cannot be made.
class CDibSection24 {
public:
    explicit CDibSection24(SIZE size);
    ~CDibSection24();
    CDibSection24(const CDibSection24&) = delete;
    CDibSection24& operator=(const CDibSection24&) = delete;

    BOOL IsValid() const { return m_bitmap != nullptr; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    BYTE* GetBits() const { return m_bits; }
    // The rounded size.
    SIZE GetSize() const { return m_size; }
    DWORD GetPixelCount() const { return static_cast<DWORD>(m_size.cx) * static_cast<DWORD>(m_size.cy); }
    void Fill(COLORREF colour);

private:
    HBITMAP m_bitmap = nullptr;
    BYTE* m_bits = nullptr;
    SIZE m_size {};
};

// Box-blurs the section in place with a kernel of twice the blur and the blur as its anchor,
// zero outside the image. A library error leaves it unblurred.
void BlurBitmap(CDibSection24& section, SIZE blur);
// Each background pixel becomes the colour over it with the mask's red byte times the
// opacity (0 to 1) as alpha.
void BlendShadowColor(BYTE* background, const BYTE* mask, DWORD pixelCount, COLORREF colour, float opacity);
