#include "imaging/ipl/IplReduce.h"

#include "imaging/ipl/IplColorWalk.h"
#include "imaging/ipl/IplCopy.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <initializer_list>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kFunc = "iplReduceBits";
constexpr const char* kKernelModule = "owncolor";

double g_jitterFraction[1024];
int32_t g_jitterOffset[1024];

enum class Pair { S32To16, S32To8, S32To1, U16To8, U16To1, U8To1, Refused };

Pair pairOf(int srcDepth, int dstDepth)
{
    if (srcDepth == iplDepth32s)
        return dstDepth == iplDepth16u ? Pair::S32To16 : dstDepth == iplDepth8u ? Pair::S32To8
             : dstDepth == iplDepth1u ? Pair::S32To1 : Pair::Refused;
    if (srcDepth == iplDepth16u)
        return dstDepth == iplDepth8u ? Pair::U16To8 : dstDepth == iplDepth1u ? Pair::U16To1 : Pair::Refused;
    if (srcDepth == iplDepth8u)
        return dstDepth == iplDepth1u ? Pair::U8To1 : Pair::Refused;
    return Pair::Refused;
}

const char* refusalText(int srcDepth)
{
    switch (srcDepth) {
    case iplDepth32s: return "Error out depth. 32S to 16U,8U,1U conversion is valid now";
    case iplDepth16u: return "Error out depth. 16U to 8U,1U conversion is valid now";
    case iplDepth8u: return "Error out depth. 8U to 1U conversion is valid now";
    default: return "Error input depth. 32S,16U,8U input is valid now";
    }
}

uint32_t convert(Pair pair, uint32_t v)
{
    switch (pair) {
    case Pair::S32To16: return ((v >> 16) + 0x8000u) & 0xFFFFu;
    case Pair::S32To8: return ((v >> 24) + 0x80u) & 0xFFu;
    case Pair::S32To1: return static_cast<int32_t>(v) > 0;
    case Pair::U16To8: return v >> 8;
    case Pair::U16To1: return v > 0x7FFF;
    default: return v > 127;
    }
}

// The fixed-point jitter rule of one pair.
struct JitterRule {
    int64_t unit;
    int64_t skip;
    int64_t roundLimit;
    int64_t noiseUnit;
    bool keepRounding;
    int64_t low;
    int64_t high;
};

JitterRule ruleOf(Pair pair)
{
    constexpr int64_t max31 = 2147483647;
    switch (pair) {
    case Pair::U8To1: return {16, 0xF0, 17, 16, true, 0, 255};
    case Pair::U16To8:
    case Pair::U16To1: return {256, 0xFF00, 257, 256, true, 0, 65535};
    case Pair::S32To16: return {65536, 0x7FFF0000, 65537, 65536, false, 0, max31};
    case Pair::S32To8: return {1 << 24, 0x7F000000, (1 << 24) + 1, 1 << 24, false, 0, max31};
    default: return {int64_t{1} << 31, INT64_MAX, max31, max31, false, -max31 - 1, max31};
    }
}

int64_t jitterElement(const JitterRule& rule, int64_t v, int x, int y, int amplitude)
{
    if (v >= rule.skip)
        return v;
    int i1 = (x + 4 * y + g_jitterOffset[x % 1024]) % 1024;
    int i2 = (y + 4 * x + g_jitterOffset[y % 1024]) % 1024;
    int64_t fraction = v % rule.unit;
    int64_t rounded = v;
    if (fraction <= static_cast<int64_t>(std::floor(static_cast<double>(rule.roundLimit) * g_jitterFraction[i1])))
        rounded += rule.unit;
    auto noise = static_cast<int64_t>(2.0 * amplitude * g_jitterFraction[i2] + 0.5) - amplitude;
    int64_t result = rounded + noise * rule.noiseUnit;
    if (result >= rule.low && result <= rule.high)
        return result;
    return rule.keepRounding ? rounded : v;
}

int64_t signedElement(int depth, uint32_t raw)
{
    return depth == iplDepth32s ? static_cast<int32_t>(raw) : static_cast<int64_t>(raw);
}

// Converts a block element by element; with an amplitude, each element is jittered first.
void convertBlock(const char* func, const IplImage* srcImage, const IplImage* dstImage, const OwnBlock& src,
                  const OwnBlock& dst, int amplitude)
{
    Pair pair = pairOf(srcImage->depth, dstImage->depth);
    if (pair == Pair::Refused) {
        ownError(iplStsBadArg, func, refusalText(srcImage->depth), kKernelModule);
        return;
    }
    bool plane = srcImage->dataOrder == iplDataOrderPlane;
    int planes = plane ? srcImage->nChannels : 1;
    int64_t elements = static_cast<int64_t>(dst.columns) * (plane ? 1 : srcImage->nChannels);
    JitterRule rule = ruleOf(pair);
    for (int p = 0; p < planes; ++p) {
        for (int y = 0; y < dst.rows; ++y) {
            const char* from = src.data + (static_cast<int64_t>(p) * src.planeRows + y) * src.rowStep;
            char* to = dst.data + (static_cast<int64_t>(p) * dst.planeRows + y) * dst.rowStep;
            for (int64_t e = 0; e < elements; ++e) {
                uint32_t raw = ownLoadElement(from, srcImage->depth, e);
                if (amplitude)
                    raw = static_cast<uint32_t>(
                        jitterElement(rule, signedElement(srcImage->depth, raw), static_cast<int>(e), y, amplitude));
                ownStoreElement(to, dstImage->depth, e, convert(pair, raw));
            }
        }
    }
}

bool refused(IplImage* src, IplImage* dst, int jitterType)
{
    if (jitterType < 0 || jitterType >= 9) {
        ownError(iplStsBadArg, kFunc, "(jitterType<0)||( jitterType >= 9)", "iplcolor");
        return true;
    }
    for (const IplImage* image : {src, dst}) {
        if (ownCheckImage(image)) {
            ownError(iplGetErrorStatus(), kFunc, "Incorrect Image", "iplcolor");
            return true;
        }
    }
    if (!ownCheckImagePair(src, dst, kFunc))
        return true;
    if (src->roi || dst->roi || src->nChannels != dst->nChannels || src->dataOrder != dst->dataOrder ||
        src->origin != dst->origin) {
        ownError(iplStsBadArg, kFunc, "incompatibleimages", "iplcolor");
        return true;
    }
    return false;
}

int planeRowsOf(const IplImage* image)
{
    return image->tileInfo ? image->tileInfo->height : image->height;
}

// Converts (and, unless told otherwise, dithers) every destination block.
void blockPath(IplImage* src, IplImage* dst, int jitterType, int ditherType, int levelShift, bool dither)
{
    int column = -1, row = -1, x, y, width, height;
    int dstStep = ownImageRowStep(dst);
    while (char* data = ownNextTile(dst, &column, &row, &x, &y, &width, &height, iplTileWrite)) {
        int srcStep = 0;
        char* block = ownGetRect(src, x, y, width, height, &srcStep);
        if (!block) {
            ownError(iplStsNoMem, kFunc, "Out of memory", "iplcolor");
        } else {
            OwnBlock from{block, srcStep, height, width, height};
            OwnBlock to{data, dstStep, height, width, planeRowsOf(dst)};
            if (jitterType)
                ownjitter_rect(src, dst, from, to, jitterType);
            else
                ownReduceBits(src, dst, from, to);
            if (dither && ditherType != iplDitherNone)
                own_dither_rect(dst, ditherType, to, levelShift, x, y);
        }
        ownReleaseTile(dst, column, row, iplTileRelease);
        iplAlignedFree(block);
    }
}

// Error diffusion over a tiled destination runs over the whole raster, across tile borders.
void diffuseTiled(IplImage* dst, int ditherType, int levelShift)
{
    int step = 0;
    char* whole = ownGetRect(dst, 0, 0, dst->width, dst->height, &step);
    IplImage* view = whole ? iplCreateImageHeader(dst->nChannels, dst->alphaChannel, dst->depth, dst->colorModel,
                                                  dst->channelSeq, dst->dataOrder, dst->origin, dst->align,
                                                  dst->width, dst->height, nullptr, nullptr, 0, nullptr)
                           : nullptr;
    if (!view) {
        iplAlignedFree(whole);
        ownError(iplStsNoMem, "own_dither_tiled_errprop", "Out of memory", kKernelModule);
        return;
    }
    view->imageData = whole;
    own_dither_rect(view, ditherType, {whole, step, dst->height, dst->width, dst->height}, levelShift, 0, 0);
    iplCopy(view, dst);
    iplReleaseImage(view, iplImageHeader);
    iplAlignedFree(whole);
}

} // namespace

const double* ownJitterFraction() { return g_jitterFraction; }
const int32_t* ownJitterOffset() { return g_jitterOffset; }

void ownInitJitterTables()
{
    for (double& fraction : g_jitterFraction)
        fraction = static_cast<double>(std::rand() % 1024) / 1024.0;
    for (int32_t& offset : g_jitterOffset)
        offset = std::rand() % 1024;
}

void ownReduceBits(const IplImage* srcImage, const IplImage* dstImage, const OwnBlock& src, const OwnBlock& dst)
{
    convertBlock("ownReduceBits", srcImage, dstImage, src, dst, 0);
}

void ownjitter_rect(const IplImage* srcImage, const IplImage* dstImage, const OwnBlock& src, const OwnBlock& dst,
                    int amplitude)
{
    convertBlock("ownjitter_rect", srcImage, dstImage, src, dst, amplitude);
}

void iplReduceBits(IplImage* srcImage, IplImage* dstImage, int jitterType, int ditherType, int levelShift)
{
    if (refused(srcImage, dstImage, jitterType))
        return;
    if (!srcImage->tileInfo && !dstImage->tileInfo && ditherType == iplDitherNone && jitterType == 0) {
        int rows = std::min(srcImage->height, dstImage->height);
        int columns = std::min(srcImage->width, dstImage->width);
        ownReduceBits(srcImage, dstImage, {srcImage->imageData, srcImage->widthStep, rows, columns, srcImage->height},
                      {dstImage->imageData, dstImage->widthStep, rows, columns, dstImage->height});
        return;
    }
    int bits = ownDepthBits(dstImage->depth);
    if (levelShift < 0)
        levelShift = 0;
    else if (levelShift > bits)
        levelShift = bits / 2;
    if (jitterType)
        ownInitJitterTables();
    bool diffusion = ditherType == iplDitherFloydSteinberg || ditherType == iplDitherJarvisJudiceNinke ||
                     ditherType == iplDitherStucki;
    if (dstImage->tileInfo && diffusion) {
        blockPath(srcImage, dstImage, jitterType, ditherType, levelShift, false);
        diffuseTiled(dstImage, ditherType, levelShift);
        return;
    }
    blockPath(srcImage, dstImage, jitterType, ditherType, levelShift, true);
}
