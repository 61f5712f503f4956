#include "imaging/ipl/IplDib.h"

#include "imaging/ipl/IplDibPixels.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRle.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kModule = "ipldib";

uint8_t field(uint32_t pixel, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = std::countr_zero(mask);
    uint32_t v = (pixel & mask) >> shift;
    int width = std::popcount(mask >> shift);
    return static_cast<uint8_t>(width >= 8 ? v >> (width - 8) : v << (8 - width));
}

uint8_t luma(const OwnQuad& q)
{
    return static_cast<uint8_t>((q.red * 299 + q.green * 587 + q.blue * 114 + 500) / 1000);
}

// The channel layout a channel sequence names: 1 grey, 3 or 4 colour; 0 unknown. swapped: red first.
int sequenceChannels(const char* seq, bool* swapped)
{
    *swapped = false;
    if (!std::memcmp(seq, "G\0\0\0", 4) || !std::memcmp(seq, "GRAY", 4))
        return 1;
    if (!std::memcmp(seq, "BGR\0", 4))
        return 3;
    if (!std::memcmp(seq, "BGRA", 4))
        return 4;
    *swapped = true;
    if (!std::memcmp(seq, "RGB\0", 4))
        return 3;
    if (!std::memcmp(seq, "RGBA", 4))
        return 4;
    return 0;
}

const char* imageRefusal(const IplImage* image)
{
    if (image->alphaChannel < 0) return "( image->alphaChannel < 0 )";
    if (image->nChannels < image->alphaChannel) return "( image->nChannels < image->alphaChannel )";
    if (image->dataOrder != 0 && image->dataOrder != 1) return "( (image->dataOrder != 0) && (image->dataOrder != 1) )";
    if (image->origin != 0 && image->origin != 1) return "( (image->origin != 0 ) && (image->origin != 1 ) )";
    if (image->align != 4 && image->align != 8) return "( (image->align != 4 ) && (image->align != 8 ) )";
    if (image->height <= 0) return "(image->height <= 0)";
    if (image->width <= 0) return "(image->width <= 0)";
    if (image->imageSize <= 0) return "(image->imageSize <= 0)";
    if (image->widthStep <= 0) return "(image->widthStep <= 0)";
    if (!image->imageData) return "(image->imageData == 0)";
    return nullptr;
}

bool layoutRefused(const IplImage* image, const BITMAPINFOHEADER* dib, int* channels, bool* swapped)
{
    const char* func = "iplConvertFromDIB";
    if (image->width < dib->biWidth || image->height < ownDibHeight(dib)) {
        ownError(-10, func, "Image size is too small", kModule);
        return true;
    }
    *channels = sequenceChannels(image->channelSeq, swapped);
    if (*channels == 0 || *channels > image->nChannels) {
        ownError(iplStsBadArg, func, "image->channelSeq unsupport", kModule);
        return true;
    }
    bool bits = image->depth == iplDepth1u && dib->biBitCount == 1;
    if (image->depth != iplDepth8u && image->depth != iplDepth8s && !bits) {
        ownError(iplStsBadArg, func, "image->depth unsupport", kModule);
        return true;
    }
    return false;
}

// Where the samples of one image row go: each channel's row, found once per row, and the
// distance between a row's pixels.
struct RowTarget {
    char* rows[4];
    int64_t pixelStep;
    int64_t channelStep;
};

RowTarget rowTarget(IplImage* image, int y, int channels)
{
    RowTarget target{};
    for (int c = 0; c < channels; ++c)
        target.rows[c] = ownChannelRow(image, y, c);
    target.pixelStep = ownChannelElement(image, 1, 0) - ownChannelElement(image, 0, 0);
    target.channelStep = ownChannelElement(image, 0, 1) - ownChannelElement(image, 0, 0);
    return target;
}

void storePixel(const RowTarget& target, int depth, int x, int channels, bool swapped, const OwnQuad& q,
                uint8_t grey)
{
    uint8_t samples[4] = {q.blue, q.green, q.red, q.alpha};
    if (swapped)
        std::swap(samples[0], samples[2]);
    if (channels == 1)
        samples[0] = grey;
    for (int c = 0; c < channels; ++c)
        ownStoreElement(target.rows[c], depth, x * target.pixelStep + c * target.channelStep, samples[c]);
}

// The form a translated image takes for a bitmap: channels, depth, texts, shared or converted.
struct Form {
    int nChannels;
    int alphaChannel;
    int depth;
    const char* model;
    const char* seq;
    bool shared;
};

Form formOf(const BITMAPINFOHEADER* dib, bool* known)
{
    bool gray = ownIsGrayPalette(ownDibColors(dib), ownDibPaletteSize(dib));
    const Form rgb = {3, 0, iplDepth8u, "RGB", "BGR", false};
    *known = true;
    switch (dib->biBitCount) {
    case 1: return gray ? Form{1, 0, iplDepth1u, "GRAY", "G", true} : rgb;
    case 4: return gray ? Form{1, 0, iplDepth8u, "GRAY", "G", false} : rgb;
    case 8: return gray ? Form{1, 0, iplDepth8u, "GRAY", "G", dib->biCompression != BI_RLE8} : rgb;
    case 16: return rgb;
    case 24: return {3, 0, iplDepth8u, "RGB", "BGR", true};
    case 32: return {4, 4, iplDepth8u, "RGBA", "BGRA", dib->biCompression != BI_BITFIELDS};
    default: *known = false; return rgb;
    }
}

} // namespace

int ownDibPaletteSize(const BITMAPINFOHEADER* dib)
{
    int used = static_cast<int>(std::min<DWORD>(dib->biClrUsed, 1u << 16));
    switch (dib->biBitCount) {
    case 1: case 4: case 8: return used ? used : 1 << dib->biBitCount;
    case 16: case 32: return dib->biCompression == BI_BITFIELDS ? 3 : (dib->biCompression == BI_RGB ? 0 : used);
    case 24: return 0;
    default: return used;
    }
}

bool ownIsGrayPalette(const RGBQUAD* colors, int n)
{
    if (n < 2)
        return false;
    for (int i = 0; i < n; ++i) {
        int v = 255 * i / (n - 1);
        if (colors[i].rgbRed != v || colors[i].rgbGreen != v || colors[i].rgbBlue != v)
            return false;
    }
    return true;
}

int ownDibRowSize(const BITMAPINFOHEADER* dib)
{
    int64_t size = (static_cast<int64_t>(dib->biWidth) * dib->biBitCount + 31) / 32 * 4;
    return size > INT32_MAX || size < 0 ? -1 : static_cast<int>(size);
}

int ownDibHeight(const BITMAPINFOHEADER* dib)
{
    int64_t height = dib->biHeight;
    return static_cast<int>(std::min<int64_t>(height < 0 ? -height : height, INT32_MAX));
}

const RGBQUAD* ownDibColors(const BITMAPINFOHEADER* dib)
{
    return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const char*>(dib) + dib->biSize);
}

uint8_t* ownDibBits(BITMAPINFOHEADER* dib)
{
    return reinterpret_cast<uint8_t*>(dib) + dib->biSize + 4 * static_cast<size_t>(ownDibPaletteSize(dib));
}

bool ownDibHeaderRefused(const BITMAPINFOHEADER* dib, const char* func, bool compact)
{
    const char* refusal = nullptr;
    DWORD c = dib->biCompression;
    if (dib->biSize != sizeof(BITMAPINFOHEADER))
        refusal = compact ? "(dib->biSize != sizeof(BITMAPINFOHEADER))" : "( dib->biSize != sizeof(BITMAPINFOHEADER) )";
    else if (dib->biPlanes != 1)
        refusal = "(dib->biPlanes != 1)";
    else if (c != 0 && c != 1 && c != 2 && c != 3)
        refusal = "(dib->biCompression != 0) && (dib->biCompression != 1) && (dib->biCompression != 2) && "
                  "(dib->biCompression != 3)";
    else if (dib->biBitCount != 8 && c == BI_RLE8)
        refusal = "(dib->biBitCount != 8) && (dib->biCompression == 1)";
    else if (dib->biBitCount != 4 && c == BI_RLE4)
        refusal = "(dib->biBitCount != 4) && (dib->biCompression == 2)";
    else if (dib->biHeight < 0 && (c == BI_RLE8 || c == BI_RLE4))
        refusal = "(dib->biHeight < 0) && ( (dib->biCompression == 1) || (dib->biCompression == 2) )";
    else if (dib->biWidth < 1 || dib->biHeight == 0 || dib->biHeight == INT32_MIN || ownDibRowSize(dib) < 0)
        refusal = "dib->biWidth or dib->biHeight is bad";
    if (refusal)
        ownError(iplStsBadArg, func, refusal, kModule);
    return refusal != nullptr;
}

OwnDibReader::OwnDibReader(BITMAPINFOHEADER* dib)
    : dib_(dib), colors_(ownDibColors(dib)), colorCount_(ownDibPaletteSize(dib)), bits_(ownDibBits(dib)),
      rowSize_(ownDibRowSize(dib)), masks_{0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}
{
    if (dib->biBitCount == 16) {
        const uint32_t rgb555[4] = {0x7C00u, 0x03E0u, 0x001Fu, 0u};
        std::memcpy(masks_, rgb555, sizeof masks_);
    }
    if (dib->biCompression == BI_BITFIELDS) {
        std::memcpy(masks_, colors_, 12);
        masks_[3] = dib->biBitCount == 32 ? ~(masks_[0] | masks_[1] | masks_[2]) : 0;
    }
}

int OwnDibReader::expand(const char** context)
{
    DWORD c = dib_->biCompression;
    if (c != BI_RLE8 && c != BI_RLE4)
        return 0;
    OwnRleResult r = ownDecompressRle(bits_, dib_->biSizeImage, c == BI_RLE4, dib_->biWidth, ownDibHeight(dib_),
                                      expanded_);
    *context = r.context;
    return r.status;
}

uint32_t OwnDibReader::word(int x, int storedRow) const
{
    const uint8_t* row = bits_ + static_cast<size_t>(storedRow) * rowSize_;
    if (dib_->biBitCount == 16)
        return row[2 * x] | row[2 * x + 1] << 8;
    uint32_t v;
    std::memcpy(&v, row + 4 * static_cast<size_t>(x), 4);
    return v;
}

uint8_t OwnDibReader::index(int x, int storedRow) const
{
    if (!expanded_.empty())
        return expanded_[static_cast<size_t>(storedRow) * dib_->biWidth + x];
    const uint8_t* row = bits_ + static_cast<size_t>(storedRow) * rowSize_;
    switch (dib_->biBitCount) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    case 8: return row[x];
    default: return 0;
    }
}

OwnQuad OwnDibReader::quad(int x, int storedRow) const
{
    if (dib_->biBitCount <= 8) {
        uint8_t i = index(x, storedRow);
        if (i >= colorCount_)
            return {0, 0, 0, 0};
        return {colors_[i].rgbBlue, colors_[i].rgbGreen, colors_[i].rgbRed, 0};
    }
    if (dib_->biBitCount == 24) {
        const uint8_t* p = bits_ + static_cast<size_t>(storedRow) * rowSize_ + 3 * static_cast<size_t>(x);
        return {p[0], p[1], p[2], 0};
    }
    uint32_t v = word(x, storedRow);
    return {field(v, masks_[2]), field(v, masks_[1]), field(v, masks_[0]), field(v, masks_[3])};
}

void iplConvertFromDIB(BITMAPINFOHEADER* dib, IplImage* image)
{
    const char* func = "iplConvertFromDIB";
    if (!dib || !image) {
        ownError(iplStsBadArg, func, !dib ? "dib==0" : "image==0", kModule);
        return;
    }
    if (const char* refusal = imageRefusal(image)) {
        ownError(iplStsBadArg, func, refusal, kModule);
        return;
    }
    int channels;
    bool swapped;
    if (ownDibHeaderRefused(dib, func, true) || layoutRefused(image, dib, &channels, &swapped))
        return;
    OwnDibReader reader(dib);
    const char* context = nullptr;
    if (int status = reader.expand(&context)) {
        ownError(status, func, context, "ownrle");
        return;
    }
    bool indexGrey = dib->biBitCount == 8 || image->depth == iplDepth1u;
    for (int y = 0; y < ownDibHeight(dib); ++y) {
        int stored = ownDibRowOfImageRow(dib, image->origin, y);
        const RowTarget target = rowTarget(image, y, channels);
        for (int x = 0; x < dib->biWidth; ++x) {
            OwnQuad q = reader.quad(x, stored);
            uint8_t grey = indexGrey ? reader.index(x, stored) : (dib->biBitCount <= 8 ? q.red : luma(q));
            storePixel(target, image->depth, x, channels, swapped, q, grey);
        }
    }
}

IplImage* iplTranslateDIB(BITMAPINFOHEADER* dib, BOOL* cloneData)
{
    const char* func = "iplTranslateDIB";
    if (!dib || !cloneData) {
        ownError(iplStsBadArg, func, !dib ? "( dib == ((void *)0) )" : "( cloneData == ((void *)0) )", kModule);
        return nullptr;
    }
    if (ownDibHeaderRefused(dib, func, false))
        return nullptr;
    bool known;
    Form form = formOf(dib, &known);
    if (!known) {
        ownError(iplStsBadArg, func, "dib->biBitCount is bad", kModule);
        return nullptr;
    }
    uint8_t* bits = ownDibBits(dib);
    int rowSize = ownDibRowSize(dib);
    int align = (!form.shared || (reinterpret_cast<uintptr_t>(bits) % 8 == 0 && rowSize % 8 == 0)) ? 8 : 4;
    IplImage* image = iplCreateImageHeader(form.nChannels, form.alphaChannel, form.depth, form.model, form.seq,
                                           form.shared ? iplDataOrderPixel : iplDataOrderPlane,
                                           dib->biHeight >= 0 ? iplOriginBl : iplOriginTl, align, dib->biWidth,
                                           ownDibHeight(dib), nullptr, nullptr, 0, nullptr);
    if (!image) {
        ownError(iplStsNoMem, func, "Not enough memory to allocate header for destination image", kModule);
        return nullptr;
    }
    *cloneData = form.shared ? 0 : 1;
    if (form.shared) {
        image->widthStep = rowSize;
        image->imageSize = ownImageSize(iplDataOrderPixel, 1, rowSize, image->height);
        image->imageData = reinterpret_cast<char*>(bits);
        return image;
    }
    if (!ownAllocateOrRelease(image, func, "Not enough memory to allocate data for destination image", kModule))
        return nullptr;
    if (ownNestedFails([&] { iplConvertFromDIB(dib, image); })) {
        iplReleaseImage(image, iplImageAll);
        return nullptr;
    }
    return image;
}
