// Bordered rows of an untiled 8-bit pixel-order image, fetched as a box reaches them into a
// ring of nRows + 1 lines: a blur needs no bordered copy of its whole source, and may write the
// rows that the box has read while it still needs them. Rows that the destination would overwrite
// before the box reaches them are fetched first and kept apart.
#pragma once

#include "imaging/ipl/IplByteBox.h"

#include <memory>

struct IplImage;

class OwnRowRing : public OwnBoxRows {
public:
    // Row 0 is source row y; rows span width pixels from source column x.
    OwnRowRing(const IplImage* source, int x, int y, int width, int nRows);
    bool allocated() const { return lines_ != nullptr; }
    // Fetches at once, and keeps apart, each of the first rowCount rows that a destination region
    // from row dstY on would overwrite before the box reaches it (the destination gains a row each
    // time the box leaves one); false when out of memory.
    bool keepFrom(const IplImage* destination, int dstY, int rowCount);
    const uint8_t* row(int index) override;

private:
    struct Rule;
    Rule sideRule(int side) const;
    uint8_t* keptLine(int index) const;
    void fetch(int sourceRow, uint8_t* line) const;
    void fillLine(const uint8_t* sourceRow, const Rule& left, const Rule& right, uint8_t* line) const;

    const IplImage* source_;
    int x_;
    int y_;
    int width_;
    int slots_;
    size_t lineBytes_;
    std::unique_ptr<uint8_t[]> lines_;
    int nRows_;
    int fetched_ = 0;
    std::unique_ptr<int[]> keptSlot_;  // per row, its line among the kept ones, or -1
    std::unique_ptr<uint8_t[]> kept_;
};
