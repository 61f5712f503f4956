// One channel of the whole-pixel rows of another row source, packed: a blur of one channel of
// several then sums that channel alone.
#pragma once

#include "imaging/ipl/IplByteBox.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class OwnPickedRows : public OwnBoxRows {
public:
    // Rows of width pixels of two to four samples each, for a box of nRows; `channel` is 0-based.
    OwnPickedRows(OwnBoxRows& pixels, int channels, int channel, int width, int nRows);
    bool allocated() const { return lines_ && held_; }
    const uint8_t* row(int index) override;

private:
    OwnBoxRows& pixels_;
    int channels_;
    int channel_;
    size_t width_;
    // A line for each row of the box and one more: the kernel still reads the row that leaves
    // the box while it asks for the one that enters. Each row is picked once.
    int slots_;
    std::unique_ptr<uint8_t[]> lines_;
    std::unique_ptr<int[]> held_;  // per line, the row it holds, or -1
};
