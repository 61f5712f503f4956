#include "imaging/Dib.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Larger output than any page coordinate can reach is refused rather than allocated.
constexpr int64_t kMaxExtent = 32767;

DWORD GetPixelValue(const BYTE* row, int x, UINT bits)
{
    switch (bits) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    case 8:
        return row[x];
    default: {
        DWORD value = 0;
        std::memcpy(&value, row + size_t(x) * (bits / 8), bits / 8);
        return value;
    }
    }
}

void SetPixelValue(BYTE* row, int x, UINT bits, DWORD value)
{
    switch (bits) {
    case 1:
        row[x / 8] = BYTE(row[x / 8] | (value << (7 - x % 8)));
        break;
    case 4:
        row[x / 2] = BYTE(row[x / 2] | (value << (x % 2 ? 0 : 4)));
        break;
    case 8:
        row[x] = BYTE(value);
        break;
    default:
        std::memcpy(row + size_t(x) * (bits / 8), &value, bits / 8);
        break;
    }
}

}  // namespace

BOOL CDib::AffineTransform(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, CDib* result,
                           CDib* mask, POINT* origin) const
{
    if (!m_size || !result || !mask || m_info->biHeight < 0 ||
        (m_info->biCompression != BI_RGB && m_info->biCompression != BI_BITFIELDS))
        return FALSE;
    const int w = m_info->biWidth;
    const int h = m_info->biHeight;
    const double det = double(x3 - x1) * (y2 - y1) - double(x2 - x1) * (y3 - y1);
    // A line of pixels or collinear corners has no inverse mapping.
    if (w < 2 || h < 2 || det == 0)
        return FALSE;
    const int minX = std::min({x1, x2, x3, x4});
    const int minY = std::min({y1, y2, y3, y4});
    const int64_t W = int64_t(std::max({x1, x2, x3, x4})) - minX + 1;
    const int64_t H = int64_t(std::max({y1, y2, y3, y4})) - minY + 1;
    if (W > kMaxExtent || H > kMaxExtent)
        return FALSE;

    BITMAPINFOHEADER header = *m_info;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = LONG(W);
    header.biHeight = LONG(H);
    header.biSizeImage = DibRowBytes(header.biWidth, header.biBitCount) * DWORD(H);
    const BYTE* table = reinterpret_cast<const BYTE*>(m_info) + m_info->biSize;
    if (!result->CreateBlank(header, table, DibTableBytes(*m_info)))
        return FALSE;
    BITMAPINFOHEADER maskHeader{sizeof(BITMAPINFOHEADER), LONG(W), LONG(H), 1, 1, BI_RGB,
                                DibRowBytes(LONG(W), 1) * DWORD(H), 0, 0, 0, 0};
    const RGBQUAD blackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (!mask->CreateBlank(maskHeader, blackWhite, sizeof(blackWhite))) {
        result->Free();
        return FALSE;
    }

    const DWORD srcStride = DibRowBytes(w, WORD(m_bitCount));
    const DWORD dstStride = DibRowBytes(LONG(W), WORD(m_bitCount));
    const DWORD maskStride = DibRowBytes(LONG(W), 1);
    for (int j = 0; j < H; ++j) {
        BYTE* dstRow = result->m_bits + size_t(H - 1 - j) * dstStride;
        BYTE* maskRow = mask->m_bits + size_t(H - 1 - j) * maskStride;
        const double dy = double(j) + minY - y1;
        for (int i = 0; i < W; ++i) {
            const double dx = double(i) + minX - x1;
            const double sx = std::trunc(dx * (1 - w) * (y3 - y1) / det + dy * (w - 1) * (x3 - x1) / det);
            const double sy = std::trunc(dx * (h - 1) * (y2 - y1) / det + dy * (1 - h) * (x2 - x1) / det);
            if (sx < 0 || sx >= w || sy < 0 || sy >= h)
                continue;
            const BYTE* srcRow = m_bits + size_t(h - 1 - int(sy)) * srcStride;
            SetPixelValue(maskRow, i, 1, 1);
            SetPixelValue(dstRow, i, m_bitCount, GetPixelValue(srcRow, int(sx), m_bitCount));
        }
    }
    if (origin)
        *origin = POINT{minX, minY};
    return TRUE;
}
