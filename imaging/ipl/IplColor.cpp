#include "imaging/ipl/IplColor.h"

#include "imaging/ipl/IplColorKernel.h"
#include "imaging/ipl/IplColorWalk.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>

namespace {

constexpr const char* kModule = "iplcolor";

bool prefix(const char* field, const char* text, size_t n)
{
    return std::strncmp(field, text, n) == 0;
}

bool isRgb(const IplImage* image)
{
    return prefix(image->colorModel, "RGB", 3) && (prefix(image->channelSeq, "RGB", 3) || prefix(image->channelSeq, "BGR", 3));
}

bool isGrey(const IplImage* image)
{
    return (prefix(image->colorModel, "GRA", 3) || prefix(image->colorModel, "Gra", 3)) && image->channelSeq[0] == 'G';
}

// An image of a named model: colour model and channel sequence both start with its three letters.
std::function<bool(const IplImage*)> model(const char* letters)
{
    return [letters](const IplImage* image) {
        return prefix(image->colorModel, letters, 3) && prefix(image->channelSeq, letters, 3);
    };
}

bool anyImage(const IplImage*) { return true; }

enum class Rule { RgbOut, ModelIn, ToGrey, FromGrey };

struct Entry {
    const char* name;
    std::function<bool(const IplImage*)> source;
    std::function<bool(const IplImage*)> destination;
    Rule rule;
    bool compareDepth;
};

// The pair rules; the YUV pair compares element widths instead, since its sides differ in sign.
bool compatible(const Entry& entry, const IplImage* src, const IplImage* dst)
{
    if (!entry.source(src) || !entry.destination(dst))
        return false;
    // The colour side must hold three channels, or the kernels would read or write past its pixels.
    if (entry.rule == Rule::ToGrey)
        return (dst->dataOrder == iplDataOrderPlane || dst->nChannels == 1) && src->origin == dst->origin &&
               src->nChannels >= 3;
    if (entry.rule == Rule::FromGrey)
        return (src->depth == dst->depth || (src->depth == iplDepth1u && dst->depth == iplDepth8u)) &&
               (src->dataOrder == iplDataOrderPlane || src->nChannels == 1) && src->origin == dst->origin &&
               dst->nChannels >= 3;
    bool depths = entry.compareDepth ? src->depth == dst->depth : ownDepthBits(src->depth) == ownDepthBits(dst->depth);
    return !src->roi && !dst->roi && src->nChannels >= 3 && dst->nChannels == 3 && depths &&
           src->dataOrder == dst->dataOrder && src->origin == dst->origin;
}

int planeRows(const IplImage* image)
{
    return image->tileInfo ? image->tileInfo->height : image->height;
}

using Kernel = std::function<void(const OwnColourJob&)>;

void walk(IplImage* src, IplImage* dst, const Kernel& kernel)
{
    if (!src->tileInfo && !dst->tileInfo) {
        kernel({src, dst, src->imageData, dst->imageData, ownImageRowStep(src), std::min(src->height, dst->height),
                std::min(src->width, dst->width), ownImageRowStep(dst), planeRows(src), planeRows(dst)});
        return;
    }
    int column = -1, row = -1, x, y, width, height;
    while (char* tile = ownNextTile(dst, &column, &row, &x, &y, &width, &height, iplTileWrite)) {
        int step = 0;
        char* block = ownGetRect(src, x, y, width, height, &step);
        if (block)
            kernel({src, dst, block, tile, step, height, width, ownImageRowStep(dst), height, planeRows(dst)});
        else
            ownError(iplStsNoMem, "ownGetRect", "Out of memory", kModule);
        iplAlignedFree(block);
        ownReleaseTile(dst, column, row, iplTileRelease);
    }
}

void convert(const Entry& entry, IplImage* src, IplImage* dst, const Kernel& kernel)
{
    for (const IplImage* image : {src, dst}) {
        if (ownCheckImage(image)) {
            ownError(iplGetErrorStatus(), entry.name, "Incorrect Image", kModule);
            return;
        }
    }
    if (!ownCheckImagePair(src, dst, entry.name))
        return;
    if (!compatible(entry, src, dst)) {
        ownError(iplStsBadArg, entry.name, "incompatibleimages", kModule);
        return;
    }
    walk(src, dst, kernel);
}

void rgbOut(const char* name, IplImage* src, IplImage* dst, void (*kernel)(const OwnColourJob&), bool depth = true)
{
    convert({name, isRgb, anyImage, Rule::RgbOut, depth}, src, dst, kernel);
}

void modelIn(const char* name, const char* letters, IplImage* src, IplImage* dst, void (*kernel)(const OwnColourJob&),
             bool depth = true)
{
    convert({name, model(letters), isRgb, Rule::ModelIn, depth}, src, dst, kernel);
}

} // namespace

void iplColorToGray(IplImage* srcImage, IplImage* dstImage)
{
    convert({"iplColorToGray", isRgb, isGrey, Rule::ToGrey, false}, srcImage, dstImage, ownColorToGray);
}

void iplGrayToColor(IplImage* srcImage, IplImage* dstImage, float fractR, float fractG, float fractB)
{
    convert({"iplGrayToColor", isGrey, isRgb, Rule::FromGrey, false}, srcImage, dstImage,
            [&](const OwnColourJob& job) { ownGrayToColor(job, fractR, fractG, fractB); });
}

void iplRGB2HSV(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2HSV", srcImage, dstImage, ownRGB2HSV); }
void iplHSV2RGB(IplImage* srcImage, IplImage* dstImage) { modelIn("iplHSV2RGB", "HSV", srcImage, dstImage, ownHSV2RGB); }
void iplRGB2HLS(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2HLS", srcImage, dstImage, ownRGB2HLS); }
void iplHLS2RGB(IplImage* srcImage, IplImage* dstImage) { modelIn("iplHLS2RGB", "HLS", srcImage, dstImage, ownHLS2RGB); }
void iplRGB2XYZ(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2XYZ", srcImage, dstImage, ownRGB2XYZ); }
void iplXYZ2RGB(IplImage* srcImage, IplImage* dstImage) { modelIn("iplXYZ2RGB", "XYZ", srcImage, dstImage, ownXYZ2RGB); }
void iplRGB2YUV(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2YUV", srcImage, dstImage, ownRGB2YUV, false); }
void iplYUV2RGB(IplImage* srcImage, IplImage* dstImage)
{
    modelIn("iplYUV2RGB", "YUV", srcImage, dstImage, ownYUV2RGB, false);
}
void iplRGB2YCrCb(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2YCrCb", srcImage, dstImage, ownRGB2YCrCb); }
void iplYCrCb2RGB(IplImage* srcImage, IplImage* dstImage)
{
    modelIn("iplYCrCb2RGB", "YCr", srcImage, dstImage, ownYCrCb2RGB);
}
void iplYCC2RGB(IplImage* srcImage, IplImage* dstImage) { modelIn("iplYCC2RGB", "YCC", srcImage, dstImage, ownYCC2RGB); }
void iplRGB2LUV(IplImage* srcImage, IplImage* dstImage) { rgbOut("iplRGB2LUV", srcImage, dstImage, ownRGB2LUV); }
void iplLUV2RGB(IplImage* srcImage, IplImage* dstImage) { modelIn("iplLUV2RGB", "LUV", srcImage, dstImage, ownLUV2RGB); }
