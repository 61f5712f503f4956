#include "piclib/common/PLFilterQuantize.h"

#include "piclib/common/PLBmp.h"

#include <algorithm>
#include <utility>

namespace {

enum { R = 0, G = 1, B = 2 };

constexpr int Corners[8][3] = {{0, 0, 0},   {31, 0, 0},  {0, 31, 0},  {0, 0, 31},
                               {31, 31, 0}, {0, 31, 31}, {31, 0, 31}, {31, 31, 31}};

constexpr int OrderedMatrix[16] = {-7, 1, -5, 3, 5, -3, 7, -1, -4, 4, -6, 2, 8, 0, 6, -2};

// Bytes 0, 1, 2 of each entry, byte 3 is 0.
constexpr uint32_t FixedPalette[256] = {
    0x000000, 0xbf0000, 0x00bf00, 0xbfbf00, 0x0000bf, 0xbf00bf, 0x00bfbf, 0xc0c0c0, 0xc0dcc0, 0xa6caf0, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0x005100, 0x515100, 0x855100, 0xb15100, 0xd95100, 0xff5100, 0x008500, 0x518500, 0x858500, 0xb18500, 0xd98500, 0xff8500, 0x00b100, 0x51b100, 0x85b100, 0xb1b100,
    0xd9b100, 0xffb100, 0x00d900, 0x51d900, 0x85d900, 0xb1d900, 0xd9d900, 0xffd900, 0x00ff00, 0x51ff00, 0x85ff00, 0xb1ff00, 0xd9ff00, 0xffff00, 0x000051, 0x510051,
    0x850051, 0xb10051, 0xd90051, 0xff0051, 0x005151, 0x515151, 0x855151, 0xb15151, 0xd95151, 0xff5151, 0x008551, 0x518551, 0x858551, 0xb18551, 0xd98551, 0x378551,
    0x00b151, 0x51b151, 0x85b151, 0xb1b151, 0xd9b151, 0xffb151, 0x00d951, 0x51d951, 0x85d951, 0xb1d951, 0xd9d951, 0xffd951, 0x00ff51, 0x51ff51, 0x85ff51, 0xb1ff51,
    0xd9ff51, 0xffff51, 0x000085, 0x510085, 0x850085, 0xb10085, 0xd90085, 0xff0085, 0x005185, 0x515185, 0x855185, 0xb15185, 0xd95185, 0xff5185, 0x008585, 0x518585,
    0x858585, 0xb18585, 0xd98585, 0xff8585, 0x00b185, 0x51b185, 0x85b185, 0xb1b185, 0xd9b185, 0xffb185, 0x00d985, 0x51d985, 0x85d985, 0xb1d985, 0xd9d985, 0xffd985,
    0x00ff85, 0x51ff85, 0x85ff85, 0xb1ff85, 0xd9ff85, 0xffff85, 0x0000b1, 0x5100b1, 0x8500b1, 0xb100b1, 0xd900b1, 0xff00b1, 0x0051b1, 0x5151b1, 0x8551b1, 0xb151b1,
    0xd951b1, 0xff51b1, 0x0085b1, 0x5185b1, 0x8585b1, 0xb185b1, 0xd985b1, 0xff85b1, 0x00b1b1, 0x51b1b1, 0x85b1b1, 0xb1b1b1, 0xd9b1b1, 0xffb1b1, 0x00d9b1, 0x51d9b1,
    0x85d9b1, 0xb1d9b1, 0xd9d9b1, 0xffd9b1, 0x00ffb1, 0x51ffb1, 0x85ffb1, 0xb1ffb1, 0xd9ffb1, 0xffffb1, 0x0000d9, 0x5100d9, 0x8500d9, 0xb100d9, 0xd900d9, 0xff00d9,
    0x0051d9, 0x5151d9, 0x8551d9, 0xb151d9, 0xd951d9, 0xff51d9, 0x0085d9, 0x5185d9, 0x8585d9, 0xb185d9, 0xd985d9, 0xff85d9, 0x00b1d9, 0x51b1d9, 0x85b1d9, 0xb1b1d9,
    0xd9b1d9, 0xffb1d9, 0x00d9d9, 0x51d9d9, 0x85d9d9, 0xb1d9d9, 0xd9d9d9, 0xffd9d9, 0x00ffd9, 0x51ffd9, 0x85ffd9, 0xb1ffd9, 0xd9ffd9, 0xffffd9, 0x0000ff, 0x5100ff,
    0x8500ff, 0xb100ff, 0xd900ff, 0xff00ff, 0x0051ff, 0x5151ff, 0x8551ff, 0xb151ff, 0xd951ff, 0xff51ff, 0x0085ff, 0x5185ff, 0x8585ff, 0xb185ff, 0xd985ff, 0xff85ff,
    0x00b1ff, 0x51b1ff, 0x85b1ff, 0xb1b1ff, 0xd9b1ff, 0xffb1ff, 0x00d9ff, 0x51d9ff, 0x85d9ff, 0xb1d9ff, 0xd9d9ff, 0xffd9ff, 0x00ffff, 0x51ffff, 0x85ffff, 0xb1ffff,
    0xd9ffff, 0xc4c4c4, 0xc7c7c7, 0xcacaca, 0xcdcdcd, 0xd0d0d0, 0xd3d3d3, 0xd6d6d6, 0xd9d9d9, 0xdcdcdc, 0xdfdfdf, 0xe2e2e2, 0xe5e5e5, 0xe8e8e8, 0xebebeb, 0xeeeeee,
    0xf1f1f1, 0xf4f4f4, 0xf7f7f7, 0xfafafa, 0xfdfdfd, 0x9bcfcf, 0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};

uint8_t clampByte(double v)
{
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

int distance(const PLPixel32& a, const PLPixel32& b)
{
    const int db = a.b - b.b, dg = a.g - b.g, dr = a.r - b.r;
    return db * db + dg * dg + dr * dr;
}

} // namespace

PLFilterQuantize::PLFilterQuantize(int paletteType, int ditherType)
    : m_PaletteType(paletteType), m_DitherType(ditherType), m_Cells(32768)
{
}

const PLPixel32* PLFilterQuantize::GetDefaultPalette()
{
    static const auto palette = [] {
        std::array<PLPixel32, 256> p{};
        for (int i = 0; i < 256; ++i)
            p[i] = {static_cast<uint8_t>(FixedPalette[i] >> 16), static_cast<uint8_t>(FixedPalette[i] >> 8),
                    static_cast<uint8_t>(FixedPalette[i]), 0};
        return p;
    }();
    return palette.data();
}

void PLFilterQuantize::SetUserPalette(const PLPixel32* palette)
{
    m_UserPalette.assign(palette, palette + 256);
}

PLFilterQuantize::Cell& PLFilterQuantize::cellAt(int r, int g, int b) const
{
    return m_Cells[r * 1024 + g * 32 + b];
}

PLFilterQuantize::Cell& PLFilterQuantize::cellOf(const PLPixel32& c) const
{
    return cellAt(c.r >> 3, c.g >> 3, c.b >> 3);
}

void PLFilterQuantize::Apply(const PLBmpBase& source, PLBmp& destination) const
{
    const int width = source.GetWidth();
    const int height = source.GetHeight();
    destination.CreateFromBits(width, height, 8, false, false, nullptr, 0, source.GetResolution());
    std::fill(m_Cells.begin(), m_Cells.end(), Cell{});
    if (m_PaletteType == PLDTHPAL_MEDIAN || m_PaletteType == PLDTHPAL_POPULARITY)
        buildHistogram(source);
    PLPixel32* palette = destination.GetPalette();
    switch (m_PaletteType) {
    case PLDTHPAL_MEDIAN:
        medianCut(palette);
        break;
    case PLDTHPAL_POPULARITY:
        popularity(palette);
        break;
    case PLDTHPAL_DEFAULT:
        destination.SetPaletteEntries(GetDefaultPalette());
        break;
    case PLDTHPAL_USERDEFINED:
        destination.SetPaletteEntries(m_UserPalette.empty() ? GetDefaultPalette() : m_UserPalette.data());
        break;
    default:
        break;
    }
    if (m_DitherType == PLDTH_ORDERED)
        mapOrdered(source, destination);
    else if (m_DitherType == PLDTH_FS)
        mapDiffused(source, destination);
    else
        mapPlain(source, destination);
}

void PLFilterQuantize::buildHistogram(const PLBmpBase& source) const
{
    for (int y = 0; y < source.GetHeight(); ++y) {
        const auto* line = reinterpret_cast<const PLPixel32*>(source.GetLine(y));
        for (int x = 0; x < source.GetWidth(); ++x) {
            Cell& cell = cellOf(line[x]);
            cell.used = true;
            cell.count = std::min<uint32_t>(cell.count + 1, 65535);
        }
    }
}

void PLFilterQuantize::ensureCorners() const
{
    for (const auto& c : Corners)
        cellAt(c[R], c[G], c[B]).used = true;
}

void PLFilterQuantize::medianCut(PLPixel32* palette) const
{
    ensureCorners();
    for (int i = 0; i < 8; ++i) {
        Box& box = m_Boxes[i];
        for (int ch = 0; ch < 3; ++ch)
            box.lower[ch] = box.upper[ch] = box.mean[ch] = Corners[i][ch];
        box.count = 1;
    }
    m_Boxes[8] = Box{{0, 0, 0}, {31, 31, 31}, {0, 0, 0}, 0};
    shrink(m_Boxes[8]);
    for (int n = 9; n < 256; ++n) {
        int chosen = 8;
        for (int i = 9; i < n; ++i)
            if (m_Boxes[i].count > m_Boxes[chosen].count)
                chosen = i;
        if (m_Boxes[chosen].count < 2) {
            for (int i = n; i < 256; ++i)
                m_Boxes[i] = Box{};
            break;
        }
        m_Boxes[n] = m_Boxes[chosen];
        split(m_Boxes[chosen], m_Boxes[n]);
    }
    for (int i = 0; i < 256; ++i) {
        const Box& box = m_Boxes[i];
        auto scale = [&](int ch) { return static_cast<uint8_t>((box.lower[ch] + box.upper[ch]) * 255 / 62); };
        palette[i] = {scale(B), scale(G), scale(R), 0};
    }
}

void PLFilterQuantize::split(Box& oldBox, Box& newBox) const
{
    const int extent[3] = {oldBox.upper[R] - oldBox.lower[R], oldBox.upper[G] - oldBox.lower[G],
                           oldBox.upper[B] - oldBox.lower[B]};
    int axis = B;
    if (extent[R] >= extent[G] && extent[R] >= extent[B])
        axis = R;
    else if (extent[B] <= extent[G])
        axis = G;
    if (extent[axis] == 2) {
        newBox.upper[axis] = newBox.lower[axis];
        oldBox.lower[axis] = oldBox.upper[axis];
    } else {
        int cut = oldBox.mean[axis];
        if (cut == oldBox.upper[axis])
            --cut;
        oldBox.upper[axis] = cut;
        newBox.lower[axis] = cut + 1;
    }
    shrink(newBox);
    shrink(oldBox);
}

void PLFilterQuantize::shrink(Box& box) const
{
    int lower[3] = {31, 31, 31}, upper[3] = {0, 0, 0};
    uint64_t sum[3] = {0, 0, 0}, total = 0;
    for (int r = box.lower[R]; r <= box.upper[R]; ++r)
        for (int g = box.lower[G]; g <= box.upper[G]; ++g)
            for (int b = box.lower[B]; b <= box.upper[B]; ++b) {
                const Cell& cell = cellAt(r, g, b);
                if (!cell.used || cell.count == 0)
                    continue;
                const int coord[3] = {r, g, b};
                for (int ch = 0; ch < 3; ++ch) {
                    lower[ch] = std::min(lower[ch], coord[ch]);
                    upper[ch] = std::max(upper[ch], coord[ch]);
                    sum[ch] += static_cast<uint64_t>(coord[ch]) * cell.count;
                }
                total += cell.count;
            }
    if (total == 0) {
        box.count = 0;
        return;
    }
    for (int ch = 0; ch < 3; ++ch) {
        box.lower[ch] = lower[ch];
        box.upper[ch] = upper[ch];
        box.mean[ch] = static_cast<int>(sum[ch] / total);
    }
    box.count = static_cast<uint32_t>(std::min<uint64_t>(total, 65535));
    if (std::equal(lower, lower + 3, upper))
        box.count = 1;
}

void PLFilterQuantize::popularity(PLPixel32* palette) const
{
    ensureCorners();
    int coord[256][3] = {};
    uint32_t counts[256] = {};
    for (int i = 0; i < 8; ++i)
        std::copy(Corners[i], Corners[i] + 3, coord[i]);
    for (int r = 0; r < 32; ++r)
        for (int g = 0; g < 32; ++g)
            for (int b = 0; b < 32; ++b) {
                const Cell& cell = cellAt(r, g, b);
                if (!cell.used || cell.count <= counts[255])
                    continue;
                int pos = 255;
                counts[pos] = cell.count;
                coord[pos][R] = r, coord[pos][G] = g, coord[pos][B] = b;
                for (; pos > 8 && counts[pos] > counts[pos - 1]; --pos) {
                    std::swap(counts[pos], counts[pos - 1]);
                    std::swap(coord[pos], coord[pos - 1]);
                }
            }
    for (int i = 0; i < 256; ++i)
        palette[i] = {static_cast<uint8_t>(coord[i][B] * 255 / 31), static_cast<uint8_t>(coord[i][G] * 255 / 31),
                      static_cast<uint8_t>(coord[i][R] * 255 / 31), 0};
}

uint8_t PLFilterQuantize::nearest(const PLPixel32& c, const PLPixel32* palette) const
{
    Cell& cell = cellOf(c);
    cell.used = true;
    if (cell.index == 0xFFFFFFFF) {
        uint32_t best = 0;
        int bestDistance = distance(palette[0], c);
        for (uint32_t i = 1; i < 256; ++i) {
            const int d = distance(palette[i], c);
            if (d < bestDistance)
                best = i, bestDistance = d;
        }
        cell.index = best;
    }
    return static_cast<uint8_t>(cell.index);
}

void PLFilterQuantize::mapPlain(const PLBmpBase& source, PLBmp& destination) const
{
    const PLPixel32* palette = destination.GetPalette();
    for (int y = 0; y < source.GetHeight(); ++y) {
        const auto* src = reinterpret_cast<const PLPixel32*>(source.GetLine(y));
        uint8_t* dst = destination.GetLine(y);
        for (int x = 0; x < source.GetWidth(); ++x)
            dst[x] = nearest(src[x], palette);
    }
}

void PLFilterQuantize::mapOrdered(const PLBmpBase& source, PLBmp& destination) const
{
    const PLPixel32* palette = destination.GetPalette();
    const int width = source.GetWidth();
    for (int y = 0; y < source.GetHeight(); ++y) {
        const auto* src = reinterpret_cast<const PLPixel32*>(source.GetLine(y));
        uint8_t* dst = destination.GetLine(y);
        for (int x = 0; x < width; ++x) {
            const int c = width - 1 - x;
            const int offset = 2 * OrderedMatrix[(y & 3) + (c & 3) * 4];
            PLPixel32 p = src[x];
            p.r = clampByte(p.r + offset);
            p.g = clampByte(p.g + offset);
            p.b = clampByte(p.b + offset);
            dst[x] = nearest(p, palette);
        }
    }
}

void PLFilterQuantize::mapDiffused(const PLBmpBase& source, PLBmp& destination) const
{
    const PLPixel32* palette = destination.GetPalette();
    const int width = source.GetWidth();
    std::vector<double> current((width + 2) * 3, 0.0), next((width + 2) * 3, 0.0);
    for (int y = 0; y < source.GetHeight(); ++y) {
        std::fill(next.begin(), next.end(), 0.0);
        const auto* src = reinterpret_cast<const PLPixel32*>(source.GetLine(y));
        uint8_t* dst = destination.GetLine(y);
        const int dir = (y & 1) ? -1 : 1;
        for (int i = 0; i < width; ++i) {
            const int x = dir > 0 ? i : width - 1 - i;
            const int pos = x + 1;
            const double value[3] = {double(src[x].r), double(src[x].g), double(src[x].b)};
            double wanted[3];
            for (int ch = 0; ch < 3; ++ch)
                wanted[ch] = std::clamp(value[ch] + current[pos * 3 + ch], 0.0, 255.0);
            const PLPixel32 p{clampByte(wanted[B]), clampByte(wanted[G]), clampByte(wanted[R]), src[x].a};
            dst[x] = nearest(p, palette);
            const PLPixel32& chosen = palette[dst[x]];
            const double got[3] = {double(chosen.r), double(chosen.g), double(chosen.b)};
            for (int ch = 0; ch < 3; ++ch) {
                const double e = (wanted[ch] - got[ch]) / 16;
                current[(pos + dir) * 3 + ch] += 7 * e;
                next[(pos - dir) * 3 + ch] += 3 * e;
                next[pos * 3 + ch] += 5 * e;
                next[(pos + dir) * 3 + ch] += 1 * e;
            }
        }
        std::swap(current, next);
    }
}
