#include "platform/gdi/DibCodec.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace gdi {

namespace {

DWORD ReadDword(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }
WORD ReadWord(const BYTE* p) { return WORD(p[0] | p[1] << 8); }

bool ValidDepth(WORD bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Shift and width of a channel mask, for scaling a field to eight bits.
void MaskShape(DWORD mask, int& shift, int& width)
{
    shift = 0;
    width = 0;
    if (!mask)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++width;
    }
}

int Field(DWORD v, DWORD mask)
{
    int shift, width;
    MaskShape(mask, shift, width);
    if (width == 0)
        return 0;
    DWORD f = (v & mask) >> shift;
    DWORD max = (width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1);
    return int((uint64_t(f) * 255 + max / 2) / max);
}

DWORD PackField(int value, DWORD mask)
{
    int shift, width;
    MaskShape(mask, shift, width);
    if (width == 0)
        return 0;
    DWORD max = (width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1);
    return DWORD((uint64_t(value) * max + 127) / 255) << shift & mask;
}

void DefaultMasks(DibFormat& f)
{
    if (f.bitCount == 16) {
        f.masks[0] = 0x7C00;
        f.masks[1] = 0x03E0;
        f.masks[2] = 0x001F;
    } else {
        f.masks[0] = 0xFF0000;
        f.masks[1] = 0x00FF00;
        f.masks[2] = 0x0000FF;
    }
}

}  // namespace

int NearestColor(const std::vector<QRgb>& colors, QRgb c)
{
    int best = 0, bestDist = INT_MAX;
    for (size_t i = 0; i < colors.size(); ++i) {
        int dr = qRed(colors[i]) - qRed(c), dg = qGreen(colors[i]) - qGreen(c), db = qBlue(colors[i]) - qBlue(c);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
            if (d == 0)
                break;
        }
    }
    return best;
}

std::optional<DibFormat> ParseDibInfo(const void* info, size_t available, UINT usage, const Palette* palette)
{
    if (!info || available < 4)
        return std::nullopt;
    const BYTE* p = static_cast<const BYTE*>(info);
    DWORD size = ReadDword(p);
    DibFormat f;
    bool core = size == sizeof(BITMAPCOREHEADER);
    if (core) {
        if (available < size)
            return std::nullopt;
        f.width = ReadWord(p + 4);
        f.height = ReadWord(p + 6);
        f.bitCount = ReadWord(p + 10);
    } else {
        if (size < sizeof(BITMAPINFOHEADER) || size > 1024 || available < size)
            return std::nullopt;
        f.width = LONG(ReadDword(p + 4));
        f.height = LONG(ReadDword(p + 8));
        f.bitCount = ReadWord(p + 14);
        f.compression = ReadDword(p + 16);
    }
    if (f.height < 0) {
        if (f.height == INT32_MIN)
            return std::nullopt;
        f.height = -f.height;
        f.topDown = true;
    }
    if (f.width <= 0 || f.height <= 0 || f.width > 32767 || f.height > 32767 || !ValidDepth(f.bitCount) ||
        int64_t(f.width) * f.height > (1 << 28))
        return std::nullopt;
    bool rle = f.compression == BI_RLE8 || f.compression == BI_RLE4;
    if ((f.compression == BI_RLE8 && f.bitCount != 8) || (f.compression == BI_RLE4 && f.bitCount != 4) ||
        (rle && f.topDown) || (f.compression == BI_BITFIELDS && f.bitCount != 16 && f.bitCount != 32) ||
        f.compression > BI_BITFIELDS)
        return std::nullopt;
    size_t offset = size;
    DefaultMasks(f);
    if (f.compression == BI_BITFIELDS) {
        // Headers of 52 bytes and more carry the masks inside; shorter ones are followed by them.
        bool inside = size >= sizeof(BITMAPINFOHEADER) + 12;
        const BYTE* m = p + (inside ? sizeof(BITMAPINFOHEADER) : size);
        if (!inside) {
            if (available < offset + 12)
                return std::nullopt;
            offset += 12;
        }
        for (int i = 0; i < 3; ++i)
            f.masks[i] = ReadDword(m + 4 * i);
    }
    DWORD used = core ? 0 : ReadDword(p + 32);
    size_t count = f.bitCount <= 8 ? (used ? used : (1u << f.bitCount)) : used;
    if (f.bitCount <= 8 && count > (1u << f.bitCount))
        count = 1u << f.bitCount;
    if (count > 256)
        return std::nullopt;
    size_t entry = usage == DIB_PAL_COLORS ? 2 : core ? 3 : 4;
    if (available < offset + count * entry)
        return std::nullopt;
    if (f.bitCount <= 8) {
        for (size_t i = 0; i < count; ++i) {
            const BYTE* e = p + offset + i * entry;
            if (usage == DIB_PAL_COLORS) {
                WORD index = ReadWord(e);
                const PALETTEENTRY* pe =
                    palette && index < palette->entries.size() ? &palette->entries[index] : nullptr;
                f.colors.push_back(pe ? qRgb(pe->peRed, pe->peGreen, pe->peBlue) : qRgb(0, 0, 0));
            } else {
                f.colors.push_back(qRgb(e[2], e[1], e[0]));
            }
        }
        f.colors.resize(size_t(1) << f.bitCount, qRgb(0, 0, 0));
    }
    f.headerBytes = offset + count * entry;
    DWORD sizeImage = core ? 0 : ReadDword(p + 20);
    f.imageBytes = rle ? sizeImage : size_t(f.stride()) * f.height;
    return f;
}

void DecodeRle(const BYTE* data, size_t size, int width, int height, bool four, std::vector<BYTE>& index)
{
    index.assign(size_t(width) * height, 0);
    int x = 0, y = 0;  // y counts from the bottom row
    size_t i = 0;
    auto put = [&](BYTE v) {
        if (x < width && y < height)
            index[size_t(y) * width + x] = v;
        ++x;
    };
    while (i + 1 < size && y < height) {
        BYTE n = data[i], c = data[i + 1];
        i += 2;
        if (n > 0) {
            for (int k = 0; k < n && x < width; ++k)
                put(four ? BYTE((k % 2 == 0) ? c >> 4 : c & 0xF) : c);
            continue;
        }
        if (c == 0) {
            x = 0;
            ++y;
        } else if (c == 1) {
            return;
        } else if (c == 2) {
            if (i + 1 >= size)
                return;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {
            size_t bytes = four ? (c + 1) / 2 : c;
            if (i + bytes > size)
                return;
            for (int k = 0; k < c && x < width; ++k)
                put(four ? BYTE((k % 2 == 0) ? data[i + k / 2] >> 4 : data[i + k / 2] & 0xF) : data[i + k]);
            i += (bytes + 1) & ~size_t(1);
        }
    }
}

namespace {

constexpr int kLongestRun = 255;
constexpr int kShortestAbsolute = 3;  // counts 0 to 2 are the escapes

// Pixels from x on that one encoded run covers, at most `most`.
int RunAt(const BYTE* row, int x, int width, bool four, int most)
{
    int n = 1;
    while (x + n < width && n < most && row[x + n] == row[x + (four ? n % 2 : 0)])
        ++n;
    return n;
}

BYTE Packed(const BYTE* pixels, int count, bool four)
{
    return four ? BYTE(pixels[0] << 4 | (count > 1 ? pixels[1] & 0xF : 0)) : pixels[0];
}

void EncodeRleRow(const BYTE* row, int width, bool four, std::vector<BYTE>& out)
{
    // A run shorter than this costs more than the pixels it saves from an absolute run.
    const int worth = four ? 4 : 3;
    int x = 0;
    while (x < width) {
        const int run = RunAt(row, x, width, four, kLongestRun);
        int plain = 1;
        while (run < worth && x + plain < width && plain < kLongestRun &&
               RunAt(row, x + plain, width, four, worth) < worth)
            ++plain;
        if (run >= worth || plain < kShortestAbsolute) {
            const int count = run >= worth ? run : std::min(run, plain);
            out.insert(out.end(), {BYTE(count), Packed(row + x, count, four)});
            x += count;
            continue;
        }
        out.insert(out.end(), {0, BYTE(plain)});
        const size_t start = out.size();
        for (int i = 0; i < plain; i += four ? 2 : 1)
            out.push_back(Packed(row + x + i, plain - i, four));
        if ((out.size() - start) % 2)
            out.push_back(0);
        x += plain;
    }
}

}  // namespace

std::vector<BYTE> EncodeRle(const std::vector<BYTE>& index, int width, int height, bool four)
{
    std::vector<BYTE> out;
    for (int y = 0; y < height; ++y) {
        EncodeRleRow(index.data() + size_t(y) * width, width, four, out);
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

void DecodeRow(const DibFormat& f, const BYTE* src, QRgb* row)
{
    for (int x = 0; x < f.width; ++x) {
        switch (f.bitCount) {
        case 1: row[x] = f.colors[(src[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: row[x] = f.colors[(src[x / 2] >> ((x % 2) ? 0 : 4)) & 0xF]; break;
        case 8: row[x] = f.colors[src[x]]; break;
        case 16: {
            DWORD v = ReadWord(src + 2 * x);
            row[x] = qRgb(Field(v, f.masks[0]), Field(v, f.masks[1]), Field(v, f.masks[2]));
            break;
        }
        case 24: row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
        case 32: {
            DWORD v = ReadDword(src + 4 * x);
            row[x] = qRgb(Field(v, f.masks[0]), Field(v, f.masks[1]), Field(v, f.masks[2]));
            break;
        }
        default: break;
        }
    }
}

void EncodeRow(const DibFormat& f, const QRgb* row, BYTE* dst)
{
    std::memset(dst, 0, f.stride());
    QRgb last = 0;
    int lastIndex = -1;
    for (int x = 0; x < f.width; ++x) {
        QRgb c = row[x];
        if (f.bitCount <= 8) {
            if (lastIndex < 0 || c != last) {
                lastIndex = NearestColor(f.colors, c);
                last = c;
            }
            int v = lastIndex;
            if (f.bitCount == 1)
                dst[x / 8] |= BYTE(v << (7 - x % 8));
            else if (f.bitCount == 4)
                dst[x / 2] |= BYTE(v << ((x % 2) ? 0 : 4));
            else
                dst[x] = BYTE(v);
            continue;
        }
        if (f.bitCount == 24) {
            dst[3 * x] = BYTE(qBlue(c));
            dst[3 * x + 1] = BYTE(qGreen(c));
            dst[3 * x + 2] = BYTE(qRed(c));
            continue;
        }
        DWORD v = PackField(qRed(c), f.masks[0]) | PackField(qGreen(c), f.masks[1]) | PackField(qBlue(c), f.masks[2]);
        if (f.bitCount == 16) {
            dst[2 * x] = BYTE(v);
            dst[2 * x + 1] = BYTE(v >> 8);
        } else {
            std::memcpy(dst + 4 * x, &v, 4);
        }
    }
}

QImage DecodeDib(const DibFormat& f, const BYTE* bits, size_t size)
{
    QImage img(f.width, f.height, QImage::Format_RGB32);
    if (img.isNull())
        return img;
    img.fill(qRgb(0, 0, 0));
    if (!bits)
        return img;
    if (f.compression == BI_RLE8 || f.compression == BI_RLE4) {
        std::vector<BYTE> index;
        DecodeRle(bits, size, f.width, f.height, f.compression == BI_RLE4, index);
        for (int y = 0; y < f.height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(f.height - 1 - y));
            for (int x = 0; x < f.width; ++x)
                row[x] = f.colors[index[size_t(y) * f.width + x] & (f.colors.size() - 1)];
        }
        return img;
    }
    DWORD stride = f.stride();
    for (int y = 0; y < f.height && (size_t(y) + 1) * stride <= size; ++y)
        DecodeRow(f, bits + size_t(y) * stride, reinterpret_cast<QRgb*>(img.scanLine(f.topDown ? y : f.height - 1 - y)));
    return img;
}

void EncodeDib(const DibFormat& f, const QImage& image, BYTE* out)
{
    DWORD stride = f.stride();
    std::memset(out, 0, size_t(stride) * f.height);
    if (image.width() < f.width || image.height() < f.height)
        return;
    for (int y = 0; y < f.height; ++y)
        EncodeRow(f, reinterpret_cast<const QRgb*>(image.constScanLine(f.topDown ? y : f.height - 1 - y)),
                  out + size_t(y) * stride);
}

}  // namespace gdi
