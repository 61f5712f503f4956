#include "imaging/ipl/IplColorKernel.h"

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Placement {
    const IplImage* image;
    char* data;
    int step;
    int planeRows;
    int channel[3];
    int count;
};

Placement place(const IplImage* image, const char* data, int step, int planeRows, OwnSide side)
{
    Placement p{image, const_cast<char*>(data), step, planeRows, {0, 1, 2}, side == OwnSide::Grey ? 1 : 3};
    if (side != OwnSide::Rgb)
        return p;
    const char* seq = image->channelSeq;
    if (image->dataOrder == iplDataOrderPixel) {
        if (seq[0] != 'R')
            p.channel[0] = 2, p.channel[2] = 0;
        return p;
    }
    const char letters[3] = {'R', 'G', 'B'};
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < std::min(image->nChannels, 4); ++i)
            if (seq[i] == letters[k]) {
                p.channel[k] = i;
                break;
            }
    return p;
}

char* rowOf(const Placement& p, int y, int channel)
{
    int64_t row = y;
    if (p.image->dataOrder == iplDataOrderPlane)
        row += static_cast<int64_t>(channel) * p.planeRows;
    return p.data + row * p.step;
}

int64_t elementOf(const Placement& p, int x, int channel)
{
    return p.image->dataOrder == iplDataOrderPlane ? x : static_cast<int64_t>(x) * p.image->nChannels + channel;
}

double load(const Placement& p, int x, int y, int k)
{
    int c = p.channel[k];
    uint32_t raw = ownLoadElement(rowOf(p, y, c), p.image->depth, elementOf(p, x, c));
    switch (p.image->depth) {
    case iplDepth8s: return static_cast<int8_t>(raw);
    case iplDepth16s: return static_cast<int16_t>(raw);
    case iplDepth32s: return static_cast<int32_t>(raw);
    case iplDepth32f: {
        float f;
        std::memcpy(&f, &raw, 4);
        return f;
    }
    default: return raw;
    }
}

void store(const Placement& p, int x, int y, int k, double v)
{
    int c = p.channel[k];
    uint32_t raw;
    if (p.image->depth == iplDepth32f) {
        auto f = static_cast<float>(v);
        std::memcpy(&raw, &f, 4);
    } else {
        raw = static_cast<uint32_t>(static_cast<int64_t>(v));
    }
    ownStoreElement(rowOf(p, y, c), p.image->depth, elementOf(p, x, c), raw);
}

} // namespace

void ownSetModelLetters(const IplImage* dst, const char* letters)
{
    auto* target = const_cast<IplImage*>(dst);
    std::memset(target->colorModel, 0, 4);
    std::memset(target->channelSeq, 0, 4);
    std::memcpy(target->colorModel, letters, 3);
    std::memcpy(target->channelSeq, letters, 3);
}

void ownColourKernel(const OwnColourJob& job, OwnSide from, OwnSide to, const OwnPixel& pixel)
{
    Placement src = place(job.src, job.srcData, job.srcStep, job.srcPlaneRows, from);
    Placement dst = place(job.dst, job.dstData, job.dstStep, job.dstPlaneRows, to);
    double in[3], out[3];
    for (int y = 0; y < job.rows; ++y)
        for (int x = 0; x < job.columns; ++x) {
            for (int k = 0; k < src.count; ++k)
                in[k] = load(src, x, y, k);
            pixel(in, out);
            for (int k = 0; k < dst.count; ++k)
                store(dst, x, y, k, out[k]);
        }
}

bool ownColourDepthRefused(const OwnColourJob& job, std::initializer_list<int> accepted, const char* func,
                           const char* message, const char* module)
{
    for (int depth : accepted)
        if (job.src->depth == depth)
            return false;
    ownError(iplStsBadArg, func, message, module);
    return true;
}

OwnRange ownDepthRange(int depth)
{
    switch (depth) {
    case iplDepth8u: return {0, 255};
    case iplDepth16u: return {0, 65535};
    case iplDepth8s: return {-128, 127};
    case iplDepth16s: return {-32768, 32767};
    default: return {-2147483648.0L, 2147483647.0L};
    }
}

double ownClampTruncate(long double v, OwnRange range)
{
    if (std::isnan(v))
        return 0;
    return static_cast<double>(std::trunc(std::clamp(v, range.low, range.high)));
}
