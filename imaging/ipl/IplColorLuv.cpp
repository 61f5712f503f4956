// CIE LUV on floating-point images and PhotoYCC to RGB through its display table.
#include "imaging/ipl/IplColorKernel.h"

#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using Real = long double;

constexpr float kUn = 0.1978f;
constexpr float kVn = 0.4683f;

// Display levels of linear PhotoYCC values 0..360.
const uint8_t kDisplay[361] = {
    0, 1, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17,
    18, 19, 20, 22, 23, 24, 25, 26, 28, 29, 30, 31, 33, 34, 35, 36, 38, 39, 40, 41,
    43, 44, 45, 47, 48, 49, 51, 52, 53, 55, 56, 57, 59, 60, 61, 63, 64, 65, 67, 68,
    70, 71, 72, 74, 75, 76, 78, 79, 81, 82, 83, 85, 86, 88, 89, 91, 92, 93, 95, 96,
    98, 99, 101, 102, 103, 105, 106, 108, 109, 111, 112, 113, 115, 116, 118, 119, 121, 122, 123, 125,
    126, 128, 129, 130, 132, 133, 134, 136, 137, 138, 140, 141, 142, 144, 145, 146, 148, 149, 150, 152,
    153, 154, 155, 157, 158, 159, 160, 162, 163, 164, 165, 166, 168, 169, 170, 171, 172, 174, 175, 176,
    177, 178, 179, 180, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191, 192, 194, 195, 196, 197, 198,
    199, 200, 201, 202, 203, 204, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 213, 214, 215, 216,
    217, 217, 218, 219, 220, 221, 221, 222, 223, 223, 224, 225, 225, 226, 227, 227, 228, 229, 229, 230,
    230, 231, 231, 232, 233, 233, 234, 234, 235, 235, 236, 236, 236, 237, 237, 238, 238, 238, 239, 239,
    240, 240, 240, 241, 241, 241, 242, 242, 242, 242, 243, 243, 243, 244, 244, 244, 244, 245, 245, 245,
    245, 245, 246, 246, 246, 246, 246, 247, 247, 247, 247, 247, 247, 248, 248, 248, 248, 248, 248, 249,
    249, 249, 249, 249, 249, 249, 249, 249, 250, 250, 250, 250, 250, 250, 250, 250, 250, 250, 251, 251,
    251, 251, 251, 251, 251, 251, 251, 251, 251, 251, 251, 251, 252, 252, 252, 252, 252, 252, 252, 252,
    252, 252, 252, 252, 252, 252, 252, 252, 252, 253, 253, 253, 253, 253, 253, 253, 253, 253, 253, 253,
    253, 253, 253, 253, 253, 253, 253, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254,
    254, 254, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
};

Real dot(const float row[3], const double* in)
{
    return row[0] * static_cast<Real>(in[0]) + row[1] * static_cast<Real>(in[1]) + row[2] * static_cast<Real>(in[2]);
}


// Forward: black (X + 15Y + 3Z of 0) takes the white point's chromaticity, so u and v are 0.
void rgbToLuv(const double* rgb, double* luv)
{
    Real x = dot(ownRgbToXyz[0], rgb), y = dot(ownRgbToXyz[1], rgb), z = dot(ownRgbToXyz[2], rgb);
    Real l = 116 * std::cbrt(3.03951367781155L * y) - 16;
    Real d = x + 15 * y + 3 * z;
    Real u = d == 0 ? kUn : 4 * x / d;
    Real v = d == 0 ? kVn : 9 * y / d;
    luv[0] = static_cast<double>(l);
    luv[1] = static_cast<double>(13 * l * (u - kUn));
    luv[2] = static_cast<double>(13 * l * (v - kVn));
}

// Inverse: L of 0 takes the white point's chromaticity; v' of 0 gives X = Z = 0.
void luvToRgb(const double* luv, double* rgb)
{
    Real l = luv[0];
    Real cube = (l + 16) * 0.0086206896f;
    Real y = 0.329f * cube * cube * cube;
    Real u = l == 0 ? kUn : luv[1] / (13 * l) + kUn;
    Real v = l == 0 ? kVn : luv[2] / (13 * l) + kVn;
    Real x = v == 0 ? 0 : 9 * y * u / (4 * v);
    Real z = v == 0 ? 0 : y * (12 - 3 * u - 20 * v) / (4 * v);
    const double xyz[3] = {static_cast<double>(x), static_cast<double>(y), static_cast<double>(z)};
    for (int k = 0; k < 3; ++k)
        rgb[k] = static_cast<double>(dot(ownXyzToRgb[k], xyz));
}

uint8_t display(Real linear)
{
    if (std::isnan(linear))
        return 0;
    return kDisplay[static_cast<int>(std::clamp(std::trunc(linear), Real{0}, Real{360}))];
}

} // namespace

void ownRGB2LUV(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "LUV");
    if (!ownColourDepthRefused(job, {iplDepth32f}, "ownRGB2LUV", "Error input depth. 32F is valid now", "ownluv"))
        ownColourKernel(job, OwnSide::Rgb, OwnSide::Model, rgbToLuv);
}

void ownLUV2RGB(const OwnColourJob& job)
{
    if (!ownColourDepthRefused(job, {iplDepth32f}, "ownLUV2RGB", "Error input depth. 32F is valid now", "ownluv"))
        ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, luvToRgb);
}

void ownYCC2RGB(const OwnColourJob& job)
{
    if (ownColourDepthRefused(job, {iplDepth8u}, "ownYCC2RGB", "Error input depth. 8U is valid now", "ownycc"))
        return;
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, [](const double* ycc, double* rgb) {
        Real y = ycc[0], c1 = ycc[1], c2 = ycc[2];
        rgb[0] = display(1.3584f * y + 1.8215f * c2 - 249.55f);
        rgb[1] = display(1.3584f * y - 0.4303f * c1 - 0.9271f * c2 + 194.14f);
        rgb[2] = display(1.3584f * y + 2.2179f * c1 - 345.99f);
    });
}
