// YCrCb, CIE XYZ and YUV: per-pixel formulas in extended precision from single-precision constants.
#include "imaging/ipl/IplColorKernel.h"

#include "imaging/ipl/IplImage.h"

namespace {

using Real = long double;

constexpr const char* kUnsigned = "Error input depth. 32S ,16U,8U are valid now";
constexpr const char* kSigned = "Error input depth. 32S ,16S,8S are valid now";

Real luma(const double* rgb)
{
    return 0.299f * static_cast<Real>(rgb[0]) + 0.587f * static_cast<Real>(rgb[1]) + 0.114f * static_cast<Real>(rgb[2]);
}

// Chroma offset of the forward direction; the inverse uses one less for 32S (kept as it is).
Real forwardOffset(int depth)
{
    return depth == iplDepth8u ? 127 : depth == iplDepth16u ? 32767 : 1073741824.0L;
}

int64_t inverseOffset(int depth)
{
    return depth == iplDepth8u ? 127 : depth == iplDepth16u ? 32767 : 1073741823;
}

// The signed range of the element width of a depth.
OwnRange signedRange(int depth)
{
    switch (ownDepthBits(depth)) {
    case 8: return {-128, 127};
    case 16: return {-32768, 32767};
    default: return {-2147483648.0L, 2147483647.0L};
    }
}

OwnRange unsignedRange(int depth)
{
    switch (ownDepthBits(depth)) {
    case 8: return {0, 255};
    case 16: return {0, 65535};
    default: return {-2147483648.0L, 2147483647.0L};
    }
}

void matrix(const float m[3][3], const double* in, double* out, OwnRange range)
{
    for (int r = 0; r < 3; ++r) {
        Real v = m[r][0] * static_cast<Real>(in[0]) + m[r][1] * static_cast<Real>(in[1]) + m[r][2] * static_cast<Real>(in[2]);
        out[r] = ownClampTruncate(v, range);
    }
}

} // namespace

const float ownRgbToXyz[3][3] = {{0.4124f, 0.3576f, 0.1805f}, {0.2126f, 0.7151f, 0.0721f}, {0.0193f, 0.1192f, 0.9505f}};
const float ownXyzToRgb[3][3] = {{3.2410f, -1.5374f, -0.4986f}, {-0.9692f, 1.8760f, 0.0416f}, {0.0556f, -0.2040f, 1.0570f}};

void ownRGB2YCrCb(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "YCr");
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, "ownRGB2YCrCb", kUnsigned, "ownycrcb"))
        return;
    OwnRange range = ownDepthRange(job.src->depth);
    Real k = forwardOffset(job.src->depth);
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Model, [&](const double* rgb, double* out) {
        Real y = luma(rgb);
        out[0] = ownClampTruncate(y, range);
        out[1] = ownClampTruncate((rgb[0] - y) * 0.71327f + k, range);
        out[2] = ownClampTruncate((rgb[2] - y) * 0.56433f + k, range);
    });
}

void ownYCrCb2RGB(const OwnColourJob& job)
{
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, "ownYCrCb2RGB", kUnsigned, "ownycrcb"))
        return;
    OwnRange range = ownDepthRange(job.src->depth);
    int64_t k = inverseOffset(job.src->depth);
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, [&](const double* ycc, double* rgb) {
        Real y = ycc[0];
        auto cr = static_cast<Real>(static_cast<int64_t>(ycc[1]) - k);
        auto cb = static_cast<Real>(static_cast<int64_t>(ycc[2]) - k);
        rgb[0] = ownClampTruncate(y + 1.402f * cr + 0.5L, range);
        rgb[1] = ownClampTruncate(y - 0.34414f * cb - 0.71414f * cr + 0.5L, range);
        rgb[2] = ownClampTruncate(y + 1.772f * cb + 0.5L, range);
    });
}

void ownRGB2XYZ(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "XYZ");
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, "ownRGB2XYZ", kUnsigned, "ownxyz"))
        return;
    OwnRange range = ownDepthRange(job.src->depth);
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Model,
                    [&](const double* in, double* out) { matrix(ownRgbToXyz, in, out, range); });
}

void ownXYZ2RGB(const OwnColourJob& job)
{
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, "ownXYZ2RGB", kUnsigned, "ownxyz"))
        return;
    OwnRange range = ownDepthRange(job.src->depth);
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb,
                    [&](const double* in, double* out) { matrix(ownXyzToRgb, in, out, range); });
}

void ownRGB2YUV(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "YUV");
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, "ownRGB2YUV", kUnsigned, "ownyuv"))
        return;
    OwnRange range = signedRange(job.src->depth);
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Model, [&](const double* rgb, double* out) {
        Real y = luma(rgb);
        out[0] = ownClampTruncate(y, range);
        out[1] = ownClampTruncate(rgb[2] - y + 0.5L, range);
        out[2] = ownClampTruncate(rgb[0] - y + 0.5L, range);
    });
}

void ownYUV2RGB(const OwnColourJob& job)
{
    if (ownColourDepthRefused(job, {iplDepth32s, iplDepth16s, iplDepth8s}, "ownYUV2RGB", kSigned, "ownyuv"))
        return;
    OwnRange range = unsignedRange(job.src->depth);
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, [&](const double* yuv, double* rgb) {
        Real y = yuv[0], u = yuv[1], v = yuv[2];
        rgb[0] = ownClampTruncate(y + v + 0.5L, range);
        rgb[1] = ownClampTruncate(y - 0.509f * v - 0.194f * u + 0.5L, range);
        rgb[2] = ownClampTruncate(y + u + 0.5L, range);
    });
}
