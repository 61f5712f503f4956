#include "imaging/ipl/IplLogic.h"

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplPieceWalk.h"

#include <string>
#include <initializer_list>

namespace {

struct Operation {
    const char* func;
    const char* module;
    OwnOp op;
};

int processedChannels(const IplImage* image)
{
    if (image->roi && image->roi->coi)
        return 1;
    return image->nChannels - (image->alphaChannel > 0 ? 1 : 0);
}

// Names of the images in reports: "srcImageA", "srcImageB" (or "srcImage") and "dstImage".
struct Named {
    IplImage* image;
    const char* name;
    const char* channels;
};

bool checkSources(const Operation& op, const Named* sources, int count, IplImage* dst)
{
    for (int i = 0; i <= count; ++i) {
        const IplImage* image = i < count ? sources[i].image : dst;
        if (ownCheckImage(image)) {
            ownError(iplGetErrorStatus(), op.func, "Incorrect Image", op.module);
            return false;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (sources[i].image->depth != dst->depth) {
            std::string text = std::string("(") + sources[i].name + "->depth != dstImage->depth)";
            ownError(iplStsBadArg, op.func, text.c_str(), op.module);
            return false;
        }
    }
    for (int i = 0; i < count && dst->depth != iplDepth1u; ++i) {
        if (sources[i].image->dataOrder != dst->dataOrder) {
            std::string text = std::string("(") + sources[i].name + "->dataOrder != dstImage->dataOrder)";
            ownError(iplStsBadArg, op.func, text.c_str(), op.module);
            return false;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (processedChannels(sources[i].image) != processedChannels(dst)) {
            std::string text = std::string("(") + sources[i].channels + " != nChDst)";
            ownError(iplStsBadArg, op.func, text.c_str(), op.module);
            return false;
        }
    }
    return true;
}

void tileFailure(const Operation& op, const char* name, const char* relation)
{
    std::string text = std::string("(") + name + "->tileInfo->tileData " + relation + " ((void*)(0)))";
    ownError(iplStsBadArg, op.func, text.c_str(), op.module);
}

void run(const Operation& op, const Named* sources, int count, IplImage* dst, int value)
{
    if (!checkSources(op, sources, count, dst))
        return;
    IplImage* masks[] = {sources[0].image->maskImage, count > 1 ? sources[1].image->maskImage : nullptr,
                         dst->maskImage};
    IplImage* mask = nullptr;
    bool made = false;
    int status = ownCombineMasks(masks, 3, &mask, &made);
    if (status == 1)
        return;
    if (status < 0) {
        ownError(iplStsNoMem, op.func, "Out of memory", op.module);
        return;
    }
    IplImage* a = sources[0].image;
    IplImage* b = count > 1 ? sources[1].image : nullptr;
    uint32_t pattern = ownReplicate(dst->depth, value);
    if (dst->depth == iplDepth32f) {
        ownError(iplStsBadArg, op.func, "This function does not support depth 32F", op.module);
    } else if (!a->tileInfo && !(b && b->tileInfo) && !dst->tileInfo) {
        ownApplyUntiled(op.op, a, b, dst, mask, pattern, false);
    } else {
        int height, width;
        ownCommonSize({dst, a, b, mask}, 1, &height, &width);
        OwnPiece pieces[] = {{dst, iplTileWrite}, {a, iplTileRead}, {b, iplTileRead}};
        int failed = height < 1 ? -1 : ownWalkPieces(pieces, count + 1, mask, height, width,
                                                      [&](IplImage* const* works, const IplImage* m, int, int) {
            ownApplyUntiled(op.op, works[1], count > 1 ? works[2] : nullptr, works[0], m, pattern, false);
            return true;
        });
        if (failed >= 0)
            tileFailure(op, failed == 0 ? "dstImage" : sources[failed - 1].name, "==");
    }
    if (made)
        iplReleaseImage(mask, iplImageHeader | iplImageData);
}

} // namespace

void iplAnd(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage)
{
    Named sources[] = {{srcImageA, "srcImageA", "nChSrcA"}, {srcImageB, "srcImageB", "nChSrcB"}};
    run({"iplAnd", "ipland", OwnOp::And}, sources, 2, dstImage, 0);
}

void iplOr(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage)
{
    Named sources[] = {{srcImageA, "srcImageA", "nChSrcA"}, {srcImageB, "srcImageB", "nChSrcB"}};
    run({"iplOr", "iplor", OwnOp::Or}, sources, 2, dstImage, 0);
}

void iplXorS(IplImage* srcImage, IplImage* dstImage, int value)
{
    Named sources[] = {{srcImage, "srcImage", "nChSrc"}};
    run({"iplXorS", "iplxors", OwnOp::XorS}, sources, 1, dstImage, value);
}
