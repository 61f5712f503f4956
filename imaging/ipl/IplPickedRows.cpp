#include "imaging/ipl/IplPickedRows.h"

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

namespace {

// With the stride known the compiler vectorises the gather, with byte shuffles where the
// processor has them.
template <size_t Stride>
__attribute__((target_clones("avx2", "ssse3", "default"))) void gather(const uint8_t* from, uint8_t* line,
                                                                      size_t count)
{
    for (size_t x = 0; x < count; ++x)
        line[x] = from[x * Stride];
}

} // namespace

const uint8_t* OwnPickedRows::row(int index)
{
    const int slot = index % slots_;
    uint8_t* line = lines_.get() + static_cast<size_t>(slot) * width_;
    if (held_[slot] == index)
        return line;
    held_[slot] = index;
    const uint8_t* from = pixels_.row(index) + channel_;
    switch (channels_) {
    case 2: gather<2>(from, line, width_); break;
    case 3: gather<3>(from, line, width_); break;
    default: gather<4>(from, line, width_); break;
    }
    return line;
}
