// The shared shape of the colour-model kernels: a block of rows of a source and a
// destination, the placement of the components on each side, and one pixel formula.
#pragma once

#include <functional>
#include <initializer_list>

struct IplImage;

struct OwnColourJob {
    const IplImage* src;
    const IplImage* dst;
    const char* srcData;
    char* dstData;
    int srcStep;
    int rows;
    int columns;
    int dstStep;
    int srcPlaneRows;
    int dstPlaneRows;
};

// Where the components of a side sit: an RGB side by its channel sequence letters, a model
// side in the order of the model's name, a grey side in its first channel.
enum class OwnSide { Rgb, Model, Grey };

using OwnPixel = std::function<void(const double* in, double* out)>;

// Converts the block pixel by pixel; results are stored as they come (already clamped and truncated).
void ownColourKernel(const OwnColourJob& job, OwnSide from, OwnSide to, const OwnPixel& pixel);
// Writes the model's letters into the destination's colour model and channel sequence.
void ownSetModelLetters(const IplImage* dst, const char* letters);

// Reports a source depth outside the accepted ones; true when refused.
bool ownColourDepthRefused(const OwnColourJob& job, std::initializer_list<int> accepted, const char* func,
                           const char* message, const char* module);
// The value range of a depth, for clamping results.
struct OwnRange {
    long double low;
    long double high;
};
OwnRange ownDepthRange(int depth);
// Clamped to the range, then truncated toward zero.
double ownClampTruncate(long double v, OwnRange range);

// The RGB to CIE XYZ matrix (BT.709 primaries, D65 white) and its inverse.
extern const float ownRgbToXyz[3][3];
extern const float ownXyzToRgb[3][3];

// Kernels; each checks its depths, reports refusals under its own name and converts the block.
void ownRGB2YCrCb(const OwnColourJob& job);
void ownYCrCb2RGB(const OwnColourJob& job);
void ownRGB2XYZ(const OwnColourJob& job);
void ownXYZ2RGB(const OwnColourJob& job);
void ownRGB2YUV(const OwnColourJob& job);
void ownYUV2RGB(const OwnColourJob& job);
void ownRGB2HSV(const OwnColourJob& job);
void ownHSV2RGB(const OwnColourJob& job);
void ownRGB2HLS(const OwnColourJob& job);
void ownHLS2RGB(const OwnColourJob& job);
void ownColorToGray(const OwnColourJob& job);
void ownGrayToColor(const OwnColourJob& job, float fractR, float fractG, float fractB);
void ownRGB2LUV(const OwnColourJob& job);
void ownLUV2RGB(const OwnColourJob& job);
void ownYCC2RGB(const OwnColourJob& job);
