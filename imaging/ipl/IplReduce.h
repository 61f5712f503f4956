// Bit reduction: deeper images into shallower ones, with optional jitter before the
// conversion and dithering (error diffusion or ordered) of the converted result.
#pragma once

#include <cstdint>

struct IplImage;

constexpr int iplDitherNone = 1;
constexpr int iplDitherFloydSteinberg = 2;
constexpr int iplDitherJarvisJudiceNinke = 4;
constexpr int iplDitherStucki = 8;
constexpr int iplDitherBayer = 16;

void iplReduceBits(IplImage* srcImage, IplImage* dstImage, int jitterType, int ditherType, int levelShift);

// A block of rows: plane c of a plane-order image starts planeRows rows after plane c - 1.
struct OwnBlock {
    char* data;
    int rowStep;
    int rows;
    int columns;
    int planeRows;
};

void ownReduceBits(const IplImage* srcImage, const IplImage* dstImage, const OwnBlock& src, const OwnBlock& dst);
void ownjitter_rect(const IplImage* srcImage, const IplImage* dstImage, const OwnBlock& src, const OwnBlock& dst,
                    int amplitude);
// Dithers a converted block in place; tileColumn/tileRow place it for the ordered matrix.
void own_dither_rect(const IplImage* dstImage, int ditherType, const OwnBlock& block, int levelShift, int originX,
                     int originY);
void ownInitJitterTables();

// The noise tables (for tests of the jitter rule).
const double* ownJitterFraction();
const int32_t* ownJitterOffset();
