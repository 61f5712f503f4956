// Region geometry shared by copy, fill, exchange and the logical operations: region sizes,
// the first element of a region and the tiles a region covers.
#pragma once

#include <cstdint>
#include <initializer_list>

struct IplImage;

// Where a region's elements lie: channel k of pixel x in row y is at
// data + y * rowStep + x * pixelStep + k * channelStep. 1-bit regions address bits from bitX.
struct OwnRegion {
    char* data;
    int64_t rowStep;
    int channels;
    int64_t channelStep;
    int64_t pixelStep;
    int bitX;
    int depth;
};

// Region size of one image; 0 x 0 when empty. With clip, it is cut to the image.
void ownRegionSize(const IplImage* image, int clip, int* height, int* width);
// Smallest height and width over the region sizes of the images given (nulls skipped).
void ownCommonSize(std::initializer_list<const IplImage*> images, int clip, int* height, int* width);
// First element of a region; 0 when only the alpha channel would be processed.
// alphaCoiEmpty: a channel of interest that is the alpha channel means nothing to do.
int ownRegionStart(const IplImage* image, OwnRegion* region, bool alphaCoiEmpty = true);
