#include "imaging/ipl/IplDib.h"

#include "imaging/ipl/IplDibPixels.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplReduce.h"
#include "imaging/ipl/IplRle.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

constexpr const char* kFunc = "iplConvertToDIB";
constexpr const char* kModule = "ipldib";

struct ImageDeleter {
    void operator()(IplImage* image) const { iplReleaseImage(image, iplImageAll); }
};
using ScratchImage = std::unique_ptr<IplImage, ImageDeleter>;

bool refuse(const char* context)
{
    ownError(iplStsBadArg, kFunc, context, kModule);
    return true;
}

bool argumentsRefused(IplImage* image, const BITMAPINFOHEADER* dib, int dither, int paletteConversion)
{
    if (ownCheckImage(image)) {
        ownError(iplGetErrorStatus(), kFunc, "Incorrect Image", kModule);
        return true;
    }
    if (!dib) return refuse("dib==0");
    if (image->nChannels <= 0 || image->nChannels > 4) return refuse("(image->nChannels <= 0 || image->nChannels > 4)");
    if (image->depth & iplDepthSign) return refuse("(image->depth & 0x80000000)");
    if (image->alphaChannel != 0 && image->alphaChannel != 4)
        return refuse("(image->alphaChannel != 0 && image->alphaChannel != 4)");
    if (dib->biBitCount == 32 && image->nChannels != 4) return refuse("(image->nChannels != 4)");
    if (dib->biBitCount != 32 && image->nChannels != 3 && image->nChannels != 1)
        return refuse("(image->nChannels != 3 && image->nChannels != 1)");
    if (image->width != dib->biWidth || image->height != ownDibHeight(dib))
        return refuse("(image->width != dib->biWidth || image->height != abs(dib->biHeight))");
    if (ownDibHeaderRefused(dib, kFunc, true))
        return true;
    if (dither != 8 && dither != 1) return refuse("(dither != 8 && dither != 1 )");
    if (paletteConversion != 0 && paletteConversion != 1 && paletteConversion != 2)
        return refuse("(paletteConversion != 0 && paletteConversion != 1 && paletteConversion != 2 )");
    if (image->tileInfo) return refuse("(image->tileInfo != 0)");
    return false;
}

// Reads one pixel of an image as blue, green, red and alpha bytes by its channel sequence.
class ImageReader {
public:
    explicit ImageReader(const IplImage* image) : image_(image)
    {
        const char* seq = image->channelSeq;
        if (!std::memcmp(seq, "G\0\0\0", 4) || !std::memcmp(seq, "GRAY", 4))
            order_ = {0, 0, 0, -1};
        else if (!std::memcmp(seq, "BGR\0", 4) || !std::memcmp(seq, "BGRA", 4))
            order_ = {0, 1, 2, 3};
        else if (!std::memcmp(seq, "RGB\0", 4) || !std::memcmp(seq, "RGBA", 4))
            order_ = {2, 1, 0, 3};
        else
            known_ = false;
    }
    bool known() const { return known_; }

    OwnQuad at(int x, int y) const
    {
        uint8_t v[4];
        for (int k = 0; k < 4; ++k)
            v[k] = order_[k] >= 0 && order_[k] < image_->nChannels ? sample(x, y, order_[k]) : 0;
        return {v[0], v[1], v[2], v[3]};
    }

private:
    // Deeper samples keep their top byte; 1-bit samples become 0 or 255.
    uint8_t sample(int x, int y, int c) const
    {
        uint32_t raw = ownLoadElement(ownChannelRow(image_, y, c), image_->depth, ownChannelElement(image_, x, c));
        int bits = ownDepthBits(image_->depth);
        if (image_->depth == iplDepth32f) {
            float f;
            std::memcpy(&f, &raw, 4);
            return static_cast<uint8_t>(std::clamp(f, 0.0f, 255.0f));
        }
        if (bits == 1)
            return raw ? 255 : 0;
        return static_cast<uint8_t>(raw >> (bits - 8));
    }

    const IplImage* image_;
    std::array<int, 4> order_{};
    bool known_ = true;
};

uint32_t packField(uint8_t v, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask >> shift);
    uint32_t scaled = width >= 8 ? static_cast<uint32_t>(v) << (width - 8) : static_cast<uint32_t>(v) >> (8 - width);
    return (scaled << shift) & mask;
}

void writeDirect(const IplImage* image, const ImageReader& reader, BITMAPINFOHEADER* dib)
{
    uint8_t* bits = ownDibBits(dib);
    int rowSize = ownDibRowSize(dib);
    uint32_t masks[3] = {0x7C00u, 0x03E0u, 0x001Fu};
    if (dib->biBitCount == 32)
        masks[0] = 0xFF0000u, masks[1] = 0xFF00u, masks[2] = 0xFFu;
    if (dib->biCompression == BI_BITFIELDS)
        std::memcpy(masks, ownDibColors(dib), 12);
    for (int y = 0; y < image->height; ++y) {
        uint8_t* row = bits + static_cast<size_t>(ownDibRowOfImageRow(dib, image->origin, y)) * rowSize;
        for (int x = 0; x < image->width; ++x) {
            OwnQuad q = reader.at(x, y);
            if (dib->biBitCount == 24) {
                row[3 * x] = q.blue, row[3 * x + 1] = q.green, row[3 * x + 2] = q.red;
                continue;
            }
            uint32_t v = packField(q.red, masks[0]) | packField(q.green, masks[1]) | packField(q.blue, masks[2]);
            if (dib->biBitCount == 16) {
                row[2 * x] = static_cast<uint8_t>(v), row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                continue;
            }
            v |= packField(q.alpha, ~(masks[0] | masks[1] | masks[2]) & 0xFF000000u);
            std::memcpy(row + 4 * static_cast<size_t>(x), &v, 4);
        }
    }
}

RGBQUAD quadOf(int r, int g, int b)
{
    return {static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

// The fixed colour table: black and white, the sixteen standard colours, or a colour cube and greys.
std::vector<RGBQUAD> standardColours(int n)
{
    static const int vga[16][3] = {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
                                   {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
                                   {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<RGBQUAD> table;
    if (n == 2)
        return {quadOf(0, 0, 0), quadOf(255, 255, 255)};
    if (n <= 16) {
        for (int i = 0; i < n; ++i)
            table.push_back(quadOf(vga[i][0], vga[i][1], vga[i][2]));
        return table;
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(quadOf(51 * r, 51 * g, 51 * b));
    int greys = n - 216;
    for (int i = 0; greys > 0 && i < greys; ++i)
        table.push_back(quadOf(255 * i / std::max(1, greys - 1), 255 * i / std::max(1, greys - 1),
                               255 * i / std::max(1, greys - 1)));
    table.resize(static_cast<size_t>(n));
    return table;
}

std::vector<RGBQUAD> greyRamp(int n)
{
    std::vector<RGBQUAD> table;
    for (int i = 0; i < n; ++i) {
        int v = n > 1 ? 255 * i / (n - 1) : 0;
        table.push_back(quadOf(v, v, v));
    }
    return table;
}

// The boundary between two different values nearest the middle of a sorted box.
template <class Key>
size_t splitPoint(const std::vector<OwnQuad>& sorted, size_t begin, size_t end, Key key)
{
    size_t middle = begin + (end - begin) / 2;
    for (size_t up = middle, down = middle; up < end || down > begin; ++up, --down) {
        if (up < end && up > begin && key(sorted[up]) != key(sorted[up - 1]))
            return up;
        if (down > begin && down < end && key(sorted[down]) != key(sorted[down - 1]))
            return down;
    }
    return middle;
}

// Median cut: split the box with the widest channel at its median until there are n boxes.
std::vector<RGBQUAD> medianCut(std::vector<OwnQuad> colours, int n)
{
    struct Box { size_t begin, end; };
    std::vector<Box> boxes = {{0, colours.size()}};
    auto channel = [](const OwnQuad& q, int c) { return c == 0 ? q.red : c == 1 ? q.green : q.blue; };
    auto widest = [&](const Box& box, int* which) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            auto [lo, hi] = std::minmax_element(colours.begin() + box.begin, colours.begin() + box.end,
                                                [&](const OwnQuad& a, const OwnQuad& b) { return channel(a, c) < channel(b, c); });
            int range = channel(*hi, c) - channel(*lo, c);
            if (range > best) best = range, *which = c;
        }
        return best;
    };
    while (static_cast<int>(boxes.size()) < n) {
        int pick = -1, which = 0, bestRange = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int c;
            int range = boxes[i].end - boxes[i].begin > 1 ? widest(boxes[i], &c) : 0;
            if (range > bestRange) bestRange = range, pick = static_cast<int>(i), which = c;
        }
        if (pick < 0)
            break;
        Box box = boxes[static_cast<size_t>(pick)];
        auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [&](const OwnQuad& a, const OwnQuad& b) { return channel(a, which) < channel(b, which); });
        size_t middle = splitPoint(colours, box.begin, box.end, [&](const OwnQuad& q) { return channel(q, which); });
        boxes[static_cast<size_t>(pick)] = {box.begin, middle};
        boxes.push_back({middle, box.end});
    }
    std::vector<RGBQUAD> table;
    for (const Box& box : boxes) {
        uint64_t sum[3] = {0, 0, 0};
        for (size_t i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += channel(colours[i], c);
        uint64_t count = std::max<uint64_t>(1, box.end - box.begin);
        table.push_back(quadOf(static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
                               static_cast<int>(sum[2] / count)));
    }
    table.resize(static_cast<size_t>(n), quadOf(0, 0, 0));
    return table;
}

uint8_t nearest(const RGBQUAD* table, int n, const OwnQuad& q)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < n; ++i) {
        long dr = table[i].rgbRed - q.red, dg = table[i].rgbGreen - q.green, db = table[i].rgbBlue - q.blue;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
    }
    return static_cast<uint8_t>(best);
}

bool prepareTable(const IplImage* image, const ImageReader& reader, BITMAPINFOHEADER* dib, int paletteConversion)
{
    int n = std::min(ownDibPaletteSize(dib), 1 << dib->biBitCount);
    auto* table = reinterpret_cast<RGBQUAD*>(const_cast<RGBQUAD*>(ownDibColors(dib)));
    std::vector<RGBQUAD> made;
    if (paletteConversion == 1) {
        made = image->nChannels == 1 ? greyRamp(n) : standardColours(n);
    } else if (paletteConversion == 2) {
        std::vector<OwnQuad> colours;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                colours.push_back(reader.at(x, y));
        made = medianCut(std::move(colours), n);
        if (made.empty()) {
            ownError(iplStsInternal, kFunc, "Error of creating medcut palette", kModule);
            return false;
        }
    }
    std::copy(made.begin(), made.end(), table);
    return true;
}

void writeIndexed(const IplImage* image, const ImageReader& reader, BITMAPINFOHEADER* dib)
{
    int n = std::min(ownDibPaletteSize(dib), 1 << dib->biBitCount);
    const RGBQUAD* table = ownDibColors(dib);
    bool rle = dib->biCompression == BI_RLE8 || dib->biCompression == BI_RLE4;
    int rowSize = rle ? dib->biWidth : ownDibRowSize(dib);
    std::vector<uint8_t> packed;
    uint8_t* out = ownDibBits(dib);
    if (rle) {
        packed.assign(static_cast<size_t>(rowSize) * image->height, 0);
        out = packed.data();
    }
    std::unordered_map<uint32_t, uint8_t> cache;
    for (int y = 0; y < image->height; ++y) {
        uint8_t* row = out + static_cast<size_t>(ownDibRowOfImageRow(dib, image->origin, y)) * rowSize;
        for (int x = 0; x < image->width; ++x) {
            OwnQuad q = reader.at(x, y);
            uint32_t key = static_cast<uint32_t>(q.red) << 16 | q.green << 8 | q.blue;
            auto found = cache.find(key);
            uint8_t i = found != cache.end() ? found->second : (cache[key] = nearest(table, n, q));
            if (rle || dib->biBitCount == 8)
                row[x] = i;
            else if (dib->biBitCount == 4)
                row[x / 2] = static_cast<uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | i : (row[x / 2] & 0x0F) | i << 4);
            else
                row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~(0x80 >> x % 8)) | (i & 1) << (7 - x % 8));
        }
    }
    if (!rle)
        return;
    size_t written = 0;
    OwnRleResult r = ownCompressRle(packed.data(), dib->biWidth, image->height, dib->biCompression == BI_RLE4,
                                    ownDibBits(dib), dib->biSizeImage, &written);
    if (r.status)
        ownError(r.status, kFunc, r.context, "ownrle");
    else
        dib->biSizeImage = static_cast<DWORD>(written);
}

// A scratch 8-bit copy of a deeper image, reduced with the dither given; null on failure.
IplImage* reduced(IplImage* image, int dither)
{
    IplImage* scratch = iplCreateImageHeader(image->nChannels, image->alphaChannel, iplDepth8u, image->colorModel,
                                             image->channelSeq, image->dataOrder, image->origin, image->align,
                                             image->width, image->height, nullptr, nullptr, 0, nullptr);
    if (!scratch) {
        ownError(iplStsNoMem, kFunc, "Not enough memory to allocate header for temporal image", kModule);
        return nullptr;
    }
    if (!ownAllocateOrRelease(scratch, kFunc, "Not enough memory to allocate data for temporal image", kModule))
        return nullptr;
    if (ownNestedFails([&] { iplReduceBits(image, scratch, 0, dither, 1); })) {
        iplReleaseImage(scratch, iplImageAll);
        return nullptr;
    }
    return scratch;
}

} // namespace

void iplConvertToDIB(IplImage* image, BITMAPINFOHEADER* dib, int dither, int paletteConversion)
{
    if (argumentsRefused(image, dib, dither, paletteConversion))
        return;
    WORD count = dib->biBitCount;
    if (count != 1 && count != 4 && count != 8 && count != 16 && count != 24 && count != 32) {
        refuse("dib->biBitCount is bad");
        return;
    }
    ScratchImage scratch;
    if (dither != 1 && ownDepthBits(image->depth) > 8) {
        scratch.reset(reduced(image, dither));
        if (!scratch)
            return;
        image = scratch.get();
    }
    ImageReader reader(image);
    if (!reader.known()) {
        refuse("image->channelSeq unsupport");
        return;
    }
    if (count >= 16) {
        writeDirect(image, reader, dib);
        return;
    }
    if (prepareTable(image, reader, dib, paletteConversion))
        writeIndexed(image, reader, dib);
}
