#include "imaging/ipl/IplCopy.h"

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplPieceWalk.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

constexpr const char* kModule = "iplSCE";

bool checkImages(const char* func, std::initializer_list<const IplImage*> images)
{
    for (const IplImage* image : images) {
        if (ownCheckImage(image)) {
            ownError(iplGetErrorStatus(), func, "Incorrect Image", kModule);
            return false;
        }
    }
    return true;
}

// Reports every layout mismatch of a pair; true when there was none.
bool matchingPair(const char* func, const IplImage* src, const IplImage* dst)
{
    bool ok = true;
    if (src->depth != dst->depth)
        ok = false, ownError(iplStsBadArg, func, "srcImage->depth != dstImage->depth", kModule);
    if (src->origin != dst->origin)
        ok = false, ownError(iplStsBadArg, func, "srcImage->origin != dstImage->origin", kModule);
    bool orderMatters = src->depth != iplDepth1u && !(src->nChannels == 1 && dst->nChannels == 1);
    if (orderMatters && src->dataOrder != dst->dataOrder)
        ok = false, ownError(iplStsBadArg, func, "srcImage->dataOrder != dstImage->dataOrder", kModule);
    return ok;
}

// The mask in force for two images: their shared or single mask, or a new combined one.
bool pairMask(const char* func, IplImage* a, IplImage* b, IplImage** mask, bool* made)
{
    IplImage* masks[] = {a ? a->maskImage : nullptr, b ? b->maskImage : nullptr};
    int status = ownCombineMasks(masks, 2, mask, made);
    if (status < 0) {
        ownError(iplStsBackTrace, func, "", kModule);
        return false;
    }
    return status == 0;
}

const char* tileText(int mode)
{
    return mode == iplTileWrite ? "Error get tile to write" : "Error get tile to read";
}

// One pass of op over a pair (src may be null), untiled or tile by tile.
void runPair(const char* func, OwnOp op, IplImage* src, IplImage* dst, const IplImage* mask, uint32_t value)
{
    bool tiled = (src && src->tileInfo) || dst->tileInfo;
    if (!tiled) {
        if (ownApplyUntiled(op, src, nullptr, dst, mask, value, true) == OwnApply::ChannelMismatch)
            ownError(-2, func, "srcImage COI != dstImage COI", kModule);
        return;
    }
    int height, width;
    ownCommonSize({dst, src, mask}, 1, &height, &width);
    if (height < 1)
        return;
    int writeMode = op == OwnOp::Swap ? iplTileWrite : iplTileRead;
    OwnPiece pieces[] = {{dst, iplTileWrite}, {src, writeMode}};
    int count = src ? 2 : 1;
    bool mismatch = false;
    int failed = ownWalkPieces(pieces, count, mask, height, width, [&](IplImage* const* works, const IplImage* m, int, int) {
        mismatch = ownApplyUntiled(op, src ? works[1] : nullptr, nullptr, works[0], m, value, true) ==
                   OwnApply::ChannelMismatch;
        return !mismatch;
    });
    if (mismatch)
        ownError(-2, func, "srcImage COI != dstImage COI", kModule);
    else if (failed >= 0)
        ownError(-2, func, tileText(pieces[failed].mode), kModule);
}

void copyOrExchange(const char* func, OwnOp op, IplImage* src, IplImage* dst)
{
    if (!checkImages(func, {src, dst}) || !matchingPair(func, src, dst) || src == dst)
        return;
    IplImage* mask = nullptr;
    bool made = false;
    if (!pairMask(func, src, dst, &mask, &made))
        return;
    runPair(func, op, src, dst, mask, 0);
    if (made)
        iplReleaseImage(mask, iplImageHeader | iplImageData);
}

int clampToDepth(int depth, int value)
{
    switch (depth) {
    case iplDepth1u: return std::clamp(value, 0, 1);
    case iplDepth8u: return std::clamp(value, 0, 255);
    case iplDepth8s: return std::clamp(value, -128, 127);
    case iplDepth16u: return std::clamp(value, 0, 65535);
    case iplDepth16s: return std::clamp(value, -32768, 32767);
    default: return value;
    }
}

// The fill behind iplSet and iplSetFP; false when it failed and has been reported.
bool fill(const char* func, IplImage* image, int value)
{
    if (!checkImages(func, {image}))
        return false;
    if (image->depth == iplDepth32f) {
        ownError(-17, func, "You should use iplSetFP for this image", kModule);
        return false;
    }
    uint32_t pattern = ownReplicate(image->depth, clampToDepth(image->depth, value));
    return !ownNestedFails([&] { runPair(func, OwnOp::Fill, nullptr, image, image->maskImage, pattern); });
}

} // namespace

void iplCopy(IplImage* srcImage, IplImage* dstImage)
{
    copyOrExchange("iplCopy", OwnOp::Copy, srcImage, dstImage);
}

void iplExchange(IplImage* srcImage, IplImage* dstImage)
{
    copyOrExchange("iplExchange", OwnOp::Swap, srcImage, dstImage);
}

void iplSet(IplImage* image, int value)
{
    fill("iplSet", image, value);
}

void iplSetFP(IplImage* image, float value)
{
    if (!image) {
        ownError(iplStsBadArg, "iplSetFP", "dstImage==0", kModule);
        return;
    }
    if (image->depth != iplDepth32f) {
        ownError(-17, "iplSetFP", "You should use iplSet for this image", kModule);
        return;
    }
    int bits;
    std::memcpy(&bits, &value, 4);
    image->depth = iplDepth32s;
    bool ok = fill("iplSetFP", image, bits);
    image->depth = iplDepth32f;
    if (!ok)
        ownError(iplStsBackTrace, "iplSetFP", "", kModule);
}
