#include "imaging/ipl/IplPickedRows.h"
#include "imaging/ipl/IplStrided.h"

#include <algorithm>
#include <new>

OwnPickedRows::OwnPickedRows(OwnBoxRows& pixels, int channels, int channel, int width, int nRows)
    : pixels_(pixels), channels_(channels), channel_(channel), width_(static_cast<size_t>(width)), slots_(nRows + 1),
      lines_(new (std::nothrow) uint8_t[width_ * static_cast<size_t>(slots_)]),
      held_(new (std::nothrow) int[static_cast<size_t>(slots_)])
{
    if (held_)
        std::fill_n(held_.get(), slots_, -1);
}

const uint8_t* OwnPickedRows::row(int index)
{
    const int slot = index % slots_;
    uint8_t* line = lines_.get() + static_cast<size_t>(slot) * width_;
    if (held_[slot] == index)
        return line;
    held_[slot] = index;
    const uint8_t* from = pixels_.row(index) + channel_;
    GatherStrided(static_cast<size_t>(channels_), from, line, static_cast<size_t>(width_));
    return line;
}
