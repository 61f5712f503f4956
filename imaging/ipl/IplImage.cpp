#include "imaging/ipl/IplImage.h"

#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplKernels.h"
#include "platform/core/HugePages.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kModule = "iplalloc";
constexpr const char* kDataIns = "Incorrect data-ins";

bool validDepth(int depth)
{
    switch (depth) {
    case iplDepth1u: case iplDepth8u: case iplDepth16u: case iplDepth32f:
    case iplDepth8s: case iplDepth16s: case iplDepth32s:
        return true;
    default:
        return false;
    }
}

// Bytes that one row needs at least (no alignment), for the widthStep sanity test.
int64_t minimalRowBytes(const IplImage* image)
{
    int64_t samples = image->dataOrder == iplDataOrderPixel ? image->nChannels : 1;
    return (static_cast<int64_t>(image->width) * ownDepthBits(image->depth) * samples + 7) / 8;
}

int checkMask(const IplImage* mask)
{
    if (!mask)
        return 0;
    if (mask->depth != iplDepth1u)
        return -117;
    if (mask->tileInfo)
        return -26;
    int status = ownCheckImage(mask);
    return status ? status - 100 : 0;
}

// The header tests shared by creation and allocation; 0 when the fields are sound.
int checkFields(int nChannels, int alphaChannel, int depth, int dataOrder, int origin, int align,
                int width, int height, const IplImage* mask, bool textsMissing)
{
    if (height < 1 || width < 1) return -10;
    if (nChannels < 1) return -15;
    if (nChannels != 1 && depth == iplDepth1u) return -16;
    if (textsMissing) return -14;
    if (!validDepth(depth)) return -17;
    if (alphaChannel < 0 || alphaChannel > nChannels) return -18;
    if (dataOrder != 0 && dataOrder != 1) return -19;
    if (origin != 0 && origin != 1) return -20;
    if (align != 4 && align != 8) return -21;
    int step = iplRowStep(dataOrder, depth, align, nChannels, width);
    if (step < 0 || ownImageSize(dataOrder, nChannels, step, height) < 0) return -10;
    return checkMask(mask);
}

int storeStatus(int status)
{
    if (status)
        iplSetErrorStatus(status);
    return status;
}

int checkTiles(const IplImage* image)
{
    if (!image->tileInfo)
        return 0;
    const IplTileInfo* tile = image->tileInfo;
    if (!tile->tileCallback) return -22;
    if (tile->width < 1 || tile->height < 1 || tile->width % 8 || tile->height % 8) return -23;
    return 0;
}

int checkRoi(const IplImage* image)
{
    const IplROI* roi = image->roi;
    if (!roi)
        return 0;
    if (roi->coi < 0 || roi->coi > image->nChannels) return -24;
    if (roi->height < 1 || roi->width < 1) return -25;
    if (roi->xOffset < 0 || roi->yOffset < 0) return -11;
    return 0;
}

// The untiled layout must hold every row it claims, so kernels never run past the data.
int checkLayout(const IplImage* image)
{
    if (image->tileInfo)
        return 0;
    if (image->widthStep < minimalRowBytes(image)) return -13;
    int planes = image->dataOrder == iplDataOrderPlane ? image->nChannels : 1;
    if (static_cast<int64_t>(image->widthStep) * image->height * planes > image->imageSize) return -10;
    return 0;
}

int checkImage(const IplImage* image)
{
    if (!image) return -9;
    if ((!image->imageData) == (!image->tileInfo)) return -12;
    if (!image->tileInfo && image->imageSize < 1) return -10;
    if (!image->tileInfo && image->widthStep < 1) return -13;
    if (image->width < 1 || image->height < 1) return -10;
    if (image->nChannels < 1) return -15;
    if (image->depth == iplDepth1u && image->nChannels != 1) return -16;
    if (!validDepth(image->depth)) return -17;
    if (image->alphaChannel < 0 || image->alphaChannel > image->nChannels) return -18;
    if (image->dataOrder != 0 && image->dataOrder != 1) return -19;
    if (image->origin != 0 && image->origin != 1) return -20;
    if (image->align != 4 && image->align != 8) return -21;
    if (int status = checkLayout(image)) return status;
    if (int status = checkMask(image->maskImage)) return status;
    if (int status = checkTiles(image)) return status;
    return checkRoi(image);
}

bool refuseAllocation(IplImage* image, bool floatImage, const char* funcName)
{
    if (!image)
        return ownError(iplStsBadArg, funcName, "( image == ((void *)0) )", kModule), true;
    if (image->imageData)
        return ownError(iplStsBadArg, funcName, "( image->imageData != ((void *)0) )", kModule), true;
    if (image->tileInfo)
        return ownError(iplStsBadArg, funcName, "( image->tileInfo != ((void *)0) )", kModule), true;
    if (!floatImage && image->depth == iplDepth32f)
        return ownError(iplStsBadArg, funcName, "( image->depth == 32 )", kModule), true;
    if (floatImage && image->depth != iplDepth32f)
        return ownError(iplStsBadArg, funcName, "( image->depth != 32 )", kModule), true;
    int status = checkFields(image->nChannels, image->alphaChannel, image->depth, image->dataOrder,
                             image->origin, image->align, image->width, image->height, image->maskImage, false);
    if (status)
        return ownError(status, funcName, kDataIns, kModule), true;
    return false;
}

void allocateData(IplImage* image, bool doFill, uint32_t word)
{
    image->widthStep = iplRowStep(image->dataOrder, image->depth, image->align, image->nChannels, image->width);
    image->imageSize = ownImageSize(image->dataOrder, image->nChannels, image->widthStep, image->height);
    size_t bytes = static_cast<size_t>(image->align) + static_cast<size_t>(image->imageSize) - 1;
    char* block = static_cast<char*>(std::malloc(bytes));
    if (!block)
        return;
    image->allocatedData = block;
    uintptr_t address = reinterpret_cast<uintptr_t>(block);
    uintptr_t aligned = (address + image->align - 1) & ~static_cast<uintptr_t>(image->align - 1);
    image->imageData = block + (aligned - address);
    if (!doFill)
        return;
    // imageSize is a multiple of the alignment, so whole words cover it.
    for (int offset = 0; offset + 4 <= image->imageSize; offset += 4)
        std::memcpy(image->imageData + offset, &word, 4);
}

} // namespace

int iplRowStep(int dataOrder, int depth, int align, int nChannels, int width)
{
    int64_t bits = static_cast<int64_t>(width) * ownDepthBits(depth);
    if (dataOrder == iplDataOrderPixel)
        bits *= nChannels;
    int64_t unit = static_cast<int64_t>(align) * 8;
    if (unit <= 0 || bits < 0)
        return -1;
    int64_t step = (bits + unit - 1) / unit * unit / 8;
    return step > INT32_MAX ? -1 : static_cast<int>(step);
}

int ownImageSize(int dataOrder, int nChannels, int widthStep, int height)
{
    int64_t size = static_cast<int64_t>(widthStep) * height;
    if (dataOrder == iplDataOrderPlane)
        size *= nChannels;
    return (widthStep < 0 || size > INT32_MAX) ? -1 : static_cast<int>(size);
}

int iplTileRowStep(const IplImage* image)
{
    if (!image || !image->tileInfo || checkImage(image))
        return 0;
    return iplRowStep(image->dataOrder, image->depth, image->align, image->nChannels, image->tileInfo->width);
}

int ownCheckImage(const IplImage* image)
{
    return storeStatus(checkImage(image));
}

IplImage* iplCreateImageHeader(int nChannels, int alphaChannel, int depth, const char* colorModel,
                               const char* channelSeq, int dataOrder, int origin, int align, int width,
                               int height, IplROI* roi, IplImage* maskImage, int imageTag,
                               IplTileInfo* tileInfo)
{
    int status = checkFields(nChannels, alphaChannel, depth, dataOrder, origin, align, width, height, maskImage,
                             !colorModel || !channelSeq);
    if (status) {
        ownError(status, "iplCreateImageHeader", kDataIns, kModule);
        return nullptr;
    }
    auto* image = static_cast<IplImage*>(iplAlignedAlloc(sizeof(IplImage)));
    if (!image)
        return nullptr;
    *image = IplImage{};
    image->headerSize = static_cast<int>(sizeof(IplImage));
    image->nChannels = nChannels;
    image->alphaChannel = alphaChannel;
    image->depth = depth;
    std::memset(image->colorModel, 0, sizeof image->colorModel);
    std::memcpy(image->colorModel, colorModel, strnlen(colorModel, sizeof image->colorModel));
    std::memset(image->channelSeq, 0, sizeof image->channelSeq);
    std::memcpy(image->channelSeq, channelSeq, strnlen(channelSeq, sizeof image->channelSeq));
    image->dataOrder = dataOrder;
    image->origin = origin;
    image->align = align;
    image->width = width;
    image->height = height;
    image->roi = roi;
    image->maskImage = maskImage;
    image->imageTag = imageTag;
    image->tileInfo = tileInfo;
    image->widthStep = iplRowStep(dataOrder, depth, align, nChannels, width);
    image->imageSize = ownImageSize(dataOrder, nChannels, image->widthStep, height);
    iplSetImageBorderMode(image, iplBorderConstant, iplSideAll, 0);
    return image;
}

void iplAllocateImage(IplImage* image, int doFill, int fillValue)
{
    if (refuseAllocation(image, false, "iplAllocateImage"))
        return;
    allocateData(image, doFill != 0, ownReplicate(image->depth, fillValue));
}

void iplAllocateImageFP(IplImage* image, int doFill, float fillValue)
{
    if (refuseAllocation(image, true, "iplAllocateImageFP"))
        return;
    uint32_t word;
    std::memcpy(&word, &fillValue, 4);
    allocateData(image, doFill != 0, word);
}

bool ownAllocateOrRelease(IplImage* image, const char* funcName, const char* context, const char* module)
{
    iplAllocateImage(image, 0, 0);
    if (image->imageData)
        return true;
    ownError(iplStsNoMem, funcName, context, module);
    iplReleaseImage(image, iplImageHeader);
    return false;
}

void iplReleaseImageData(IplImage* image)
{
    if (!image)
        return;
    std::free(image->allocatedData);
    image->allocatedData = nullptr;
    image->imageData = nullptr;
}

void iplReleaseImage(IplImage* image, int flags)
{
    if (!image)
        return;
    if (flags & iplImageRoi) {
        iplDeleteRoi(image->roi);
        image->roi = nullptr;
    }
    if (flags & iplImageMask) {
        iplReleaseImage(image->maskImage, iplImageHeader | iplImageData | iplImageRoi | iplImageTile);
        image->maskImage = nullptr;
    }
    if (flags & iplImageTile) {
        iplAlignedFree(image->tileInfo);
        image->tileInfo = nullptr;
    }
    if ((flags & iplImageData) && image->allocatedData)
        iplReleaseImageData(image);
    if (flags & iplImageHeader)
        iplAlignedFree(image);
}

void iplReleaseImageHeader(IplImage* image)
{
    iplReleaseImage(image, iplImageHeader);
}

IplROI* iplCreateRoi(int coi, int xOffset, int yOffset, int width, int height)
{
    auto* roi = static_cast<IplROI*>(iplAlignedAlloc(sizeof(IplROI)));
    if (roi)
        *roi = {coi, xOffset, yOffset, width, height};
    return roi;
}

void iplDeleteRoi(IplROI* roi)
{
    iplAlignedFree(roi);
}

IplTileInfo* iplCreateTileInfo(IplCallBack callback, int tileId, int width, int height)
{
    auto* tile = static_cast<IplTileInfo*>(iplAlignedAlloc(sizeof(IplTileInfo)));
    iplSetTileInfo(tile, callback, tileId, width, height);
    return tile;
}

void iplSetTileInfo(IplTileInfo* tileInfo, IplCallBack callback, int tileId, int width, int height)
{
    if (tileInfo)
        *tileInfo = {callback, tileId, nullptr, width, height};
}

// The heap address sits in the whole pointer-sized slot just before the aligned block.
void* iplAlignedAlloc(size_t n)
{
    constexpr size_t slot = sizeof(void*);
    if (n > SIZE_MAX - slot - 8)
        return nullptr;
    char* raw = static_cast<char*>(std::malloc(n + slot + 8));
    if (!raw)
        return nullptr;
    AdviseHugePages(raw, n + slot + 8);
    uintptr_t address = (reinterpret_cast<uintptr_t>(raw) + slot + 7) & ~static_cast<uintptr_t>(7);
    char* block = raw + (address - reinterpret_cast<uintptr_t>(raw));
    std::memcpy(block - slot, &raw, slot);
    return block;
}

void* iplAlignedAlloc16(size_t n) { return n > SIZE_MAX / 2 ? nullptr : iplAlignedAlloc(n * 2); }
void* iplAlignedAlloc32(size_t n) { return n > SIZE_MAX / 4 ? nullptr : iplAlignedAlloc(n * 4); }
void* iplAlignedAlloc64(size_t n) { return n > SIZE_MAX / 8 ? nullptr : iplAlignedAlloc(n * 8); }

void iplAlignedFree(void* block)
{
    if (!block)
        return;
    char* raw;
    std::memcpy(&raw, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
    std::free(raw);
}
