// The box blur of interleaved 8-bit pixels of one to four channels, every channel blurred:
// column sums carried down the rows, a window slid along each row with all channels of a pixel
// at once, and an exact round-half-up mean without a division per sample.
#pragma once

#include <cstdint>

// Bordered rows of the box's scratch rectangle, counted from its top. A row stays readable
// until the window has left it; new rows are asked for in order.
class OwnBoxRows {
public:
    virtual ~OwnBoxRows() = default;
    virtual const uint8_t* row(int index) = 0;
};

// Where the rows of means go: row j is written into line(j), which holds the row's samples,
// and then handed over by written(j).
class OwnBoxSink {
public:
    virtual ~OwnBoxSink() = default;
    virtual uint8_t* line(int j) = 0;
    virtual void written(int j) = 0;
};

// Rows of means written straight into an image region.
class OwnBoxRegion : public OwnBoxSink {
public:
    OwnBoxRegion(uint8_t* origin, int64_t rowStep) : origin_(origin), rowStep_(rowStep) {}
    uint8_t* line(int j) override { return origin_ + j * rowStep_; }
    void written(int) override {}

private:
    uint8_t* origin_;
    int64_t rowStep_;
};

struct OwnByteBox {
    int channels;
    int nCols;
    int nRows;
};

// Whether the byte kernel takes this box (larger boxes go to the general kernel).
bool ownByteBoxFits(int channels, int64_t area);

// Writes width x height pixels of means, row by row; false when its sums cannot be allocated.
bool ownByteBoxKernel(OwnBoxRows& rows, const OwnByteBox& box, OwnBoxSink& out, int width, int height);

// The mean of window sums 0 .. 255 x area as the kernel forms it; for the tests of its rounding.
uint8_t ownByteBoxMean(int32_t sum, int32_t area);
