#include "imaging/ipl/IplRowRing.h"

#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

// How the pixels beyond one side are made: a constant byte, or a coordinate mapped inside.
struct OwnRowRing::Rule {
    bool constant;
    int mode;
    uint8_t value;
};

namespace {

bool constantMode(int mode)
{
    return mode == iplBorderConstant || mode > iplBorderWrap || mode < 0;
}

// The source row a scratch row copies, or -1 when it is a constant.
int bufferRow(const IplImage* image, int y)
{
    if (y >= 0 && y < image->height)
        return y;
    int mode = image->borderMode[y < 0 ? iplSideTopIndex : iplSideBottomIndex];
    return constantMode(mode) ? -1 : ownMapBorderCoord(y, image->height, mode);
}

bool dataOverlaps(const IplImage* a, const IplImage* b)
{
    std::less<const char*> before;
    return before(a->imageData, b->imageData + b->imageSize) && before(b->imageData, a->imageData + a->imageSize);
}

} // namespace

OwnRowRing::OwnRowRing(const IplImage* source, int x, int y, int width, int nRows)
    : source_(source), x_(x), y_(y), width_(width), slots_(nRows + 1),
      lineBytes_(static_cast<size_t>(width) * source->nChannels), nRows_(nRows)
{
    lines_.reset(new (std::nothrow) uint8_t[lineBytes_ * slots_]);
}

bool OwnRowRing::keepFrom(const IplImage* destination, int dstY, int rowCount)
{
    if (!dataOverlaps(source_, destination))
        return true;
    keptSlot_.reset(new (std::nothrow) int[static_cast<size_t>(rowCount)]);
    if (!keptSlot_)
        return false;
    // Other headers over the same pixels may lay them out differently: every later row is kept.
    bool sameRows = source_->imageData == destination->imageData && source_->widthStep == destination->widthStep;
    int count = 0;
    // Before row r is fetched, destination rows dstY .. dstY + r - nRows have been written.
    for (int r = 0; r < rowCount; ++r) {
        int read = bufferRow(source_, y_ + r);
        bool overwritten = r >= nRows_ && (!sameRows || (read >= dstY && read <= int64_t{dstY} + r - nRows_));
        keptSlot_[r] = overwritten ? count++ : -1;
    }
    kept_.reset(new (std::nothrow) uint8_t[lineBytes_ * count]);
    if (!kept_)
        return false;
    for (int r = 0; r < rowCount; ++r)
        if (keptSlot_[r] >= 0)
            fetch(y_ + r, keptLine(r));
    return true;
}

uint8_t* OwnRowRing::keptLine(int index) const
{
    return kept_.get() + static_cast<size_t>(keptSlot_[index]) * lineBytes_;
}

const uint8_t* OwnRowRing::row(int index)
{
    if (keptSlot_ && keptSlot_[index] >= 0) {
        fetched_ = std::max(fetched_, index + 1);
        return keptLine(index);
    }
    uint8_t* line = lines_.get() + static_cast<size_t>(index % slots_) * lineBytes_;
    if (index == fetched_) {
        fetch(y_ + index, line);
        ++fetched_;
    }
    return line;
}

OwnRowRing::Rule OwnRowRing::sideRule(int side) const
{
    int mode = source_->borderMode[side];
    return {constantMode(mode), mode, static_cast<uint8_t>(source_->borderConst[side])};
}

// Rows beyond the top or bottom follow that side's rule in both coordinates, corners included.
void OwnRowRing::fetch(int sourceRow, uint8_t* line) const
{
    auto rowStart = [&](int y) {
        return reinterpret_cast<const uint8_t*>(source_->imageData) + static_cast<int64_t>(y) * source_->widthStep;
    };
    if (sourceRow >= 0 && sourceRow < source_->height) {
        fillLine(rowStart(sourceRow), sideRule(iplSideLeftIndex), sideRule(iplSideRightIndex), line);
        return;
    }
    Rule rule = sideRule(sourceRow < 0 ? iplSideTopIndex : iplSideBottomIndex);
    if (rule.constant)
        std::memset(line, rule.value, lineBytes_);
    else
        fillLine(rowStart(ownMapBorderCoord(sourceRow, source_->height, rule.mode)), rule, rule, line);
}

void OwnRowRing::fillLine(const uint8_t* sourceRow, const Rule& left, const Rule& right, uint8_t* line) const
{
    const int n = source_->nChannels;
    auto outside = [&](int column, const Rule& rule) {
        uint8_t* pixel = line + static_cast<size_t>(column) * n;
        if (rule.constant)
            std::memset(pixel, rule.value, static_cast<size_t>(n));
        else
            std::memcpy(pixel, sourceRow + static_cast<int64_t>(ownMapBorderCoord(x_ + column, source_->width, rule.mode)) * n,
                        static_cast<size_t>(n));
    };
    int insideStart = static_cast<int>(std::clamp(-int64_t{x_}, int64_t{0}, int64_t{width_}));
    int insideEnd = static_cast<int>(std::clamp(int64_t{source_->width} - x_, int64_t{insideStart}, int64_t{width_}));
    for (int column = 0; column < insideStart; ++column)
        outside(column, left);
    if (insideEnd > insideStart)
        std::memcpy(line + static_cast<size_t>(insideStart) * n, sourceRow + static_cast<int64_t>(x_ + insideStart) * n,
                    static_cast<size_t>(insideEnd - insideStart) * n);
    for (int column = insideEnd; column < width_; ++column)
        outside(column, right);
}
