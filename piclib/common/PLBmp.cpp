#include "piclib/common/PLBmp.h"

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLFilterQuantize.h"

#include <algorithm>
#include <cstring>

namespace {

const PLPixel32 DefaultWhite{255, 255, 255, 255};
const PLPixel32 DefaultBlack{0, 0, 0, 255};

uint16_t pack16(const PLPixel32& c)
{
    return static_cast<uint16_t>((c.r & 0xF8) << 8 | (c.g & 0xFC) << 3 | c.b >> 3);
}

PLPixel32 expand16(uint16_t w)
{
    return {static_cast<uint8_t>((w & 0x1F) << 3), static_cast<uint8_t>((w >> 3) & 0xFC),
            static_cast<uint8_t>((w >> 8) & 0xF8), 255};
}

PLPixel32 oneBitColour(const PLBmpBase& bmp, int index)
{
    if (const PLPixel32* pal = bmp.GetPalette())
        return pal[index];
    return index ? DefaultBlack : DefaultWhite;
}

// Colour of one pixel of any depth, alpha 255 where the depth carries none.
PLPixel32 colourAt(const PLBmpBase& bmp, const uint8_t* line, int x)
{
    switch (bmp.GetBitsPerPixel()) {
    case 1:
        return oneBitColour(bmp, (line[x / 8] >> (7 - x % 8)) & 1);
    case 8:
        return bmp.GetPalette()[line[x]];
    case 16:
        return expand16(static_cast<uint16_t>(line[2 * x] | line[2 * x + 1] << 8));
    case 24:
        return {line[3 * x], line[3 * x + 1], line[3 * x + 2], 255};
    default:
        return reinterpret_cast<const PLPixel32*>(line)[x];
    }
}

void storeColour(uint8_t* line, int x, int bpp, const PLPixel32& c)
{
    switch (bpp) {
    case 1:
        if (c.r < 128 && c.g < 128 && c.b < 128)
            line[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        break;
    case 16: {
        const uint16_t w = pack16(c);
        line[2 * x] = static_cast<uint8_t>(w);
        line[2 * x + 1] = static_cast<uint8_t>(w >> 8);
        break;
    }
    case 24:
        line[3 * x] = c.b;
        line[3 * x + 1] = c.g;
        line[3 * x + 2] = c.r;
        break;
    default:
        reinterpret_cast<PLPixel32*>(line)[x] = c;
    }
}

int packedLineBytes(int width, int bpp)
{
    return static_cast<int>((static_cast<int64_t>(width) * bpp + 7) / 8);
}

} // namespace

void PLBmp::Create(const PLBmpInfo& info)
{
    CreateFromBits(info.GetWidth(), info.GetHeight(), info.GetBitsPerPixel(), info.HasAlpha(),
                   info.IsGreyscale(), nullptr, 0, info.GetResolution());
}

void PLBmp::CreateFromBits(int width, int height, int bpp, bool alpha, bool greyscale,
                           const uint8_t* bits, int stride, const PLPoint& resolution)
{
    ReleaseStorage();
    AllocateStorage(width, height, bpp, alpha, greyscale);
    m_Resolution = resolution;
    if (!bits)
        return;
    // Whole bytes of a line, so that a partly used last byte is copied too.
    const int bytes = std::min(packedLineBytes(width, bpp), GetLineBytes());
    if (stride == 0)
        stride = packedLineBytes(width, bpp);
    for (int y = 0; y < height; ++y, bits += stride)
        std::memcpy(m_pLineArray[y], bits, bytes);
}

void PLBmp::Lock(bool, bool)
{
    ++m_LockCount;
}

void PLBmp::Unlock()
{
    --m_LockCount;
}

void PLBmp::SetQuantizationMode(int ditherType, int paletteType)
{
    m_DitherType = ditherType;
    m_PaletteType = paletteType;
}

void PLBmp::SetupBitmap(int width, int height, int bpp, bool alpha, bool greyscale)
{
    PLBmpBase::SetupBitmap(width, height, bpp, alpha, greyscale);
    BuildLineArray();
}

void PLBmp::SetHasAlphaChannel(bool alpha)
{
    if (!m_bAlphaChannel && alpha) {
        if (m_bpp == 32) {
            for (int y = 0; y < GetHeight(); ++y) {
                auto* line = reinterpret_cast<PLPixel32*>(m_pLineArray[y]);
                for (int x = 0; x < GetWidth(); ++x)
                    line[x].a = 255;
            }
        } else if (m_pClrTab) {
            for (int i = 0; i < GetNumColors(); ++i)
                m_pClrTab[i].a = 255;
        }
    }
    m_bAlphaChannel = alpha;
}

void PLBmp::CopyFrom(const PLBmpBase& source, int bpp)
{
    if (&source == this && (bpp == 0 || bpp == m_bpp))
        return;
    if (&source == this) {
        PLAnyBmp copy;
        copy.CopyFrom(source);
        CopyFrom(copy, bpp);
        return;
    }
    if (bpp == 0 || bpp == source.GetBitsPerPixel()) {
        ReleaseStorage();
        AllocateStorage(source.GetWidth(), source.GetHeight(), source.GetBitsPerPixel(),
                        source.HasAlpha(), source.IsGreyscale());
        // Line lengths differ between padded and unpadded storage.
        const int bytes = std::min(GetLineBytes(), packedLineBytes(GetWidth(), m_bpp));
        for (int y = 0; y < GetHeight(); ++y)
            std::memcpy(m_pLineArray[y], source.GetLine(y), bytes);
        if (m_bpp <= 8)
            SetPaletteEntries(source.GetPalette());
        m_Resolution = source.GetResolution();
        return;
    }
    CreateFromBits(source.GetWidth(), source.GetHeight(), bpp, source.HasAlpha() && bpp == 32,
                   source.IsGreyscale() && bpp == 8, nullptr, 0, {0, 0});
    convertFrom(source);
    m_Resolution = source.GetResolution();
}

void PLBmp::convertFrom(const PLBmpBase& source)
{
    const int srcBpp = source.GetBitsPerPixel();
    if (m_bpp == 8 && srcBpp == 1) {
        m_pClrTab[0] = oneBitColour(source, 0);
        m_pClrTab[1] = oneBitColour(source, 1);
        m_pClrTab[0].a = m_pClrTab[1].a = 255;
        for (int y = 0; y < GetHeight(); ++y) {
            const uint8_t* src = source.GetLine(y);
            for (int x = 0; x < GetWidth(); ++x)
                m_pLineArray[y][x] = (src[x / 8] >> (7 - x % 8)) & 1;
        }
        return;
    }
    if (m_bpp == 8) {
        // Colour sources reach 8 bits through the quantiser, which reads 32-bit pixels.
        PLAnyBmp full;
        const PLBmpBase* colours = &source;
        if (srcBpp != 32) {
            full.CopyFrom(source, 32);
            colours = &full;
        }
        PLFilterQuantize quantize(m_PaletteType, m_DitherType);
        quantize.Apply(*colours, *this);
        return;
    }
    if (m_bpp == 1) {
        m_pClrTab[0] = DefaultWhite;
        m_pClrTab[1] = DefaultBlack;
    }
    for (int y = 0; y < GetHeight(); ++y) {
        const uint8_t* src = source.GetLine(y);
        uint8_t* dst = m_pLineArray[y];
        if (m_bpp == 1)
            std::memset(dst, 0, GetLineBytes());
        for (int x = 0; x < GetWidth(); ++x)
            storeColour(dst, x, m_bpp, colourAt(source, src, x));
    }
}
