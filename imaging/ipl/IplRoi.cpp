#include "imaging/ipl/IplRoi.h"

#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplKernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Layout {
    int depth;
    int nChannels;
    int dataOrder;
    int rowStep;
    int height;
};

// Element index and row start of channel c (0-based) of pixel x in row y of a buffer.
char* elementRow(const Layout& layout, char* data, int y, int c)
{
    int64_t row = y;
    if (layout.dataOrder == iplDataOrderPlane)
        row += static_cast<int64_t>(c) * layout.height;
    return data + row * layout.rowStep;
}

int64_t elementIndex(const Layout& layout, int x, int c)
{
    return layout.dataOrder == iplDataOrderPlane ? x : static_cast<int64_t>(x) * layout.nChannels + c;
}

// Copies the part of a row that lies inside an untiled source (all channels).
void copyInsideRow(const Layout& from, const char* fromData, int fromY, int fromX, const Layout& to,
                   char* toData, int toY, int toX, int count)
{
    int planes = from.dataOrder == iplDataOrderPlane ? from.nChannels : 1;
    int samples = from.dataOrder == iplDataOrderPlane ? 1 : from.nChannels;
    int bits = ownDepthBits(from.depth);
    for (int p = 0; p < planes; ++p) {
        const char* src = elementRow(from, const_cast<char*>(fromData), fromY, p);
        char* dst = elementRow(to, toData, toY, p);
        if (bits == 1) {
            ownCopyBits(reinterpret_cast<const uint8_t*>(src), reinterpret_cast<uint8_t*>(dst), fromX, toX, count);
            continue;
        }
        size_t element = static_cast<size_t>(bits / 8) * samples;
        std::memcpy(dst + element * toX, src + element * fromX, element * count);
    }
}

Layout layoutOf(const IplImage* image)
{
    return {image->depth, image->nChannels, image->dataOrder, image->widthStep, image->height};
}

// Copies the inside part [x0, x1) x [y0, y1) of a tiled image, one tile row at a time.
bool copyInsideTiled(const IplImage* image, const OwnRect& inside, const Layout& to, char* toData, int ox,
                     int oy)
{
    const IplTileInfo* info = image->tileInfo;
    Layout tile = {image->depth, image->nChannels, image->dataOrder, iplTileRowStep(image), info->height};
    int firstColumn = inside.x / info->width;
    int count = (inside.x + inside.width - 1) / info->width - firstColumn + 1;
    std::vector<char*> tiles(static_cast<size_t>(count));
    for (int row = inside.y / info->height; row * info->height < inside.y + inside.height; ++row) {
        if (ownFetchTileRow(image, tiles.data(), count, firstColumn, row, 1)) {
            ownReleaseTileRow(image, tiles.data(), count, firstColumn, row, 1);
            return false;
        }
        int top = std::max(inside.y, row * info->height);
        int bottom = std::min(inside.y + inside.height, (row + 1) * info->height);
        for (int k = 0; k < count; ++k) {
            int left = std::max(inside.x, (firstColumn + k) * info->width);
            int right = std::min(inside.x + inside.width, (firstColumn + k + 1) * info->width);
            for (int y = top; y < bottom; ++y)
                copyInsideRow(tile, tiles[static_cast<size_t>(k)], y - row * info->height,
                              left - (firstColumn + k) * info->width, to, toData, y - oy, left - ox, right - left);
        }
        ownReleaseTileRow(image, tiles.data(), count, firstColumn, row, 1);
    }
    return true;
}

} // namespace

char* ownChannelRow(const IplImage* image, int y, int c)
{
    return elementRow(layoutOf(image), image->imageData, y, c);
}

int64_t ownChannelElement(const IplImage* image, int x, int c)
{
    return elementIndex(layoutOf(image), x, c);
}

int ownGetRoiRect(const IplImage* image, int* x, int* y, int* width, int* height, int* firstChannel,
                  int* lastChannel)
{
    OwnRect rect;
    ownClipRoi(image, &rect);
    *x = rect.x;
    *y = rect.y;
    *width = rect.width;
    *height = rect.height;
    const IplROI* roi = image->roi;
    *firstChannel = (roi && roi->coi) ? roi->coi : 1;
    *lastChannel = (roi && roi->coi) ? roi->coi : image->nChannels;
    if (image->alphaChannel == 0)
        return 1;
    if (image->alphaChannel < *lastChannel)
        return 0;
    if (image->alphaChannel == *lastChannel) {
        --*lastChannel;
        return *lastChannel >= *firstChannel ? 1 : 0;
    }
    return 1;
}

void ownClipRoi(const IplImage* image, OwnRect* rect)
{
    const IplROI* roi = image->roi;
    if (!roi) {
        *rect = {0, 0, image->width, image->height};
        return;
    }
    rect->x = roi->xOffset;
    rect->y = roi->yOffset;
    rect->width = std::max(0, std::min(roi->width, image->width - roi->xOffset));
    rect->height = std::max(0, std::min(roi->height, image->height - roi->yOffset));
}

char* ownRoiPointer(const IplImage* image, int* width, int* height, int channel, int* x)
{
    OwnRect rect;
    ownClipRoi(image, &rect);
    *width = std::max(0, rect.width);
    *height = std::max(0, rect.height);
    *x = rect.x;
    int64_t offset = static_cast<int64_t>(rect.y) * image->widthStep;
    int64_t element = ownElemSize(image->depth);
    if (image->dataOrder == iplDataOrderPlane)
        offset += static_cast<int64_t>(channel) * image->height * image->widthStep + rect.x * element;
    else
        offset += element * (static_cast<int64_t>(rect.x) * image->nChannels + channel);
    return image->imageData + offset;
}

int ownIsWholeImage(const IplImage* a, const IplImage* b, int flag)
{
    auto whole = [](const IplImage* image) {
        const IplROI* roi = image->roi;
        if (!roi)
            return true;
        bool allChannels = roi->coi == 0 || (roi->coi == 1 && image->nChannels == 1);
        return roi->xOffset == 0 && roi->yOffset == 0 && roi->width >= image->width &&
               roi->height >= image->height && allChannels;
    };
    return !flag && a->width == b->width && a->height == b->height && a->imageSize == b->imageSize &&
           a->align == b->align && whole(a) && whole(b);
}

int ownFetchTileRow(const IplImage* image, char** tiles, int count, int x, int y, int step)
{
    int failed = 0;
    for (int k = 0; k < count; ++k) {
        image->tileInfo->tileCallback(image, x + k * step, y, iplTileRead);
        tiles[k] = image->tileInfo->tileData;
        if (!tiles[k])
            failed = 1;
    }
    return failed;
}

void ownReleaseTileRow(const IplImage* image, char** tiles, int count, int x, int y, int step)
{
    for (int k = count - 1; k >= 0; --k) {
        if (!tiles[k])
            continue;
        image->tileInfo->tileData = tiles[k];
        image->tileInfo->tileCallback(image, x + k * step, y, iplTileRelease);
    }
}

namespace {

// Every pixel of a fetched rectangle is written from the picture or its border; only the
// bytes that pad each row to its step are cleared. Packed bits are cleared whole.
void clearPadding(const IplImage* image, char* buffer, int step, int width, int rows)
{
    if (image->depth == iplDepth1u) {
        std::memset(buffer, 0, static_cast<size_t>(step) * rows);
        return;
    }
    const int samples = image->dataOrder == iplDataOrderPlane ? 1 : image->nChannels;
    const size_t used = static_cast<size_t>(width) * samples * ownElemSize(image->depth);
    for (int row = 0; row < rows; ++row)
        std::memset(buffer + static_cast<size_t>(row) * step + used, 0, step - used);
}

} // namespace

char* ownGetRect(const IplImage* image, int x, int y, int width, int height, int* rowStep)
{
    int step = iplRowStep(image->dataOrder, image->depth, image->align, image->nChannels, width);
    int planes = image->dataOrder == iplDataOrderPlane ? image->nChannels : 1;
    // A fetched rectangle is an image of its own and obeys the same size limits.
    bool fits = int64_t{x} + width <= INT32_MAX && int64_t{y} + height <= INT32_MAX &&
                ownImageSize(image->dataOrder, image->nChannels, step, height) >= 0;
    if (step < 0 || width < 1 || height < 1 || !fits)
        return nullptr;
    char* buffer = static_cast<char*>(iplAlignedAlloc(static_cast<size_t>(step) * height * planes));
    if (!buffer)
        return nullptr;
    clearPadding(image, buffer, step, width, height * planes);
    Layout to = {image->depth, image->nChannels, image->dataOrder, step, height};
    OwnRect inside = {std::max(x, 0), std::max(y, 0), 0, 0};
    inside.width = std::min(x + width, image->width) - inside.x;
    inside.height = std::min(y + height, image->height) - inside.y;
    if (inside.width > 0 && inside.height > 0) {
        if (image->tileInfo) {
            if (!copyInsideTiled(image, inside, to, buffer, x, y)) {
                iplAlignedFree(buffer);
                return nullptr;
            }
        } else {
            for (int row = inside.y; row < inside.y + inside.height; ++row)
                copyInsideRow(layoutOf(image), image->imageData, row, inside.x, to, buffer, row - y, inside.x - x,
                              inside.width);
        }
    }
    auto border = [&](int row, int column) {
        for (int c = 0; c < image->nChannels; ++c)
            ownStoreElement(elementRow(to, buffer, row, c), image->depth, elementIndex(to, column, c),
                            ownPixelWithBorder(image, x + column, y + row, c + 1));
    };
    // Only the columns left and right of the picture need the border rule on rows it covers.
    int leftEnd = std::clamp(-int64_t{x}, int64_t{0}, int64_t{width});
    int rightStart = std::clamp(int64_t{image->width} - x, int64_t{leftEnd}, int64_t{width});
    for (int row = 0; row < height; ++row) {
        bool rowInside = y + row >= 0 && y + row < image->height;
        for (int column = 0; column < (rowInside ? leftEnd : width); ++column)
            border(row, column);
        for (int column = rowInside ? rightStart : width; column < width; ++column)
            border(row, column);
    }
    *rowStep = step;
    return buffer;
}

void ownCopyBits(const uint8_t* source, uint8_t* destination, int64_t sourceBit, int64_t destinationBit,
                 int64_t count)
{
    auto bits = [](const uint8_t* data, int64_t bit) {
        return OwnRegion{reinterpret_cast<char*>(const_cast<uint8_t*>(data)) + bit / 8, 0, 1, 0, 0,
                         static_cast<int>(bit % 8), iplDepth1u};
    };
    OwnRegion from = bits(source, sourceBit);
    ownRegionKernel(OwnOp::Copy, &from, nullptr, bits(destination, destinationBit), 1, static_cast<int>(count), 0,
                    nullptr);
}

void ownStoreElement(char* row, int depth, int64_t element, uint32_t value)
{
    switch (ownDepthBits(depth)) {
    case 1: {
        auto* byte = reinterpret_cast<uint8_t*>(row) + element / 8;
        uint8_t bit = static_cast<uint8_t>(0x80u >> (element % 8));
        *byte = static_cast<uint8_t>((value & 1) ? (*byte | bit) : (*byte & ~bit));
        break;
    }
    case 8: row[element] = static_cast<char>(value); break;
    case 16: {
        auto v = static_cast<uint16_t>(value);
        std::memcpy(row + element * 2, &v, 2);
        break;
    }
    default: std::memcpy(row + element * 4, &value, 4); break;
    }
}

uint32_t ownLoadElement(const char* row, int depth, int64_t element)
{
    switch (ownDepthBits(depth)) {
    case 1: return (static_cast<uint8_t>(row[element / 8]) >> (7 - element % 8)) & 1u;
    case 8: return static_cast<uint8_t>(row[element]);
    case 16: {
        uint16_t v;
        std::memcpy(&v, row + element * 2, 2);
        return v;
    }
    default: {
        uint32_t v;
        std::memcpy(&v, row + element * 4, 4);
        return v;
    }
    }
}
