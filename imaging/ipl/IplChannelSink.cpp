#include "imaging/ipl/IplChannelSink.h"

#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplStrided.h"

#include <algorithm>
#include <cstring>
#include <new>

OwnChannelSink::OwnChannelSink(const OwnChannelPick& pick, uint8_t* origin, int64_t rowStep, int width,
                               const IplImage* mask)
    : pick_(pick), origin_(origin), rowStep_(rowStep), width_(width), mask_(mask),
      lineBytes_(static_cast<size_t>(width) * pick.sourceChannels),
      line_(new (std::nothrow) uint8_t[lineBytes_]), keep_(new (std::nothrow) uint8_t[lineBytes_]),
      rowKeep_(new (std::nothrow) uint8_t[lineBytes_])
{
    if (!allocated())
        return;
    const int n = pick.sourceChannels;
    for (size_t k = 0; k < lineBytes_; ++k) {
        const int channel = static_cast<int>(k % n);
        const bool taken = channel >= pick.sourceFirst && channel < pick.sourceFirst + pick.channels;
        keep_[k] = taken ? 0 : 0xFF;
    }
}

bool OwnChannelSink::sameLayout() const
{
    return pick_.sourceChannels == pick_.targetChannels && pick_.sourceFirst == pick_.targetFirst;
}

void OwnChannelSink::written(int j)
{
    if (sameLayout())
        blend(j);
    else
        pick(j);
}

// The channel pattern, and every byte of the pixels the mask refuses; eight pixels a mask byte.
const uint8_t* OwnChannelSink::keepOfRow(int j) const
{
    if (!mask_)
        return keep_.get();
    const auto* bits = reinterpret_cast<const uint8_t*>(mask_->imageData) + static_cast<int64_t>(j) * mask_->widthStep;
    const size_t n = static_cast<size_t>(pick_.sourceChannels);
    std::memcpy(rowKeep_.get(), keep_.get(), lineBytes_);
    const int bytes = (width_ + 7) / 8;
    for (int b = 0; b < bytes;) {
        if (bits[b] == 0xFF) {
            ++b;
            continue;
        }
        if (bits[b] == 0) {
            int end = b + 1;
            while (end < bytes && bits[end] == 0)
                ++end;
            const size_t from = static_cast<size_t>(b) * 8 * n;
            std::memset(rowKeep_.get() + from, 0xFF, std::min(lineBytes_, static_cast<size_t>(end) * 8 * n) - from);
            b = end;
            continue;
        }
        for (int i = b * 8; i < b * 8 + 8 && i < width_; ++i)
            if (!((bits[b] >> (7 - i % 8)) & 1))
                std::memset(rowKeep_.get() + static_cast<size_t>(i) * n, 0xFF, n);
        ++b;
    }
    return rowKeep_.get();
}

void OwnChannelSink::blend(int j) const
{
    uint8_t* out = origin_ + j * rowStep_;
    const uint8_t* means = line_.get();
    const uint8_t* keep = keepOfRow(j);
    // A word at a time: the destination row may lie anywhere, so nothing is assumed about overlap.
    size_t k = 0;
    for (; k + 8 <= lineBytes_; k += 8) {
        uint64_t was, mean, kept;
        std::memcpy(&was, out + k, 8);
        std::memcpy(&mean, means + k, 8);
        std::memcpy(&kept, keep + k, 8);
        const uint64_t now = (was & kept) | (mean & ~kept);
        std::memcpy(out + k, &now, 8);
    }
    for (; k < lineBytes_; ++k)
        out[k] = static_cast<uint8_t>((out[k] & keep[k]) | (means[k] & ~keep[k]));
}

void OwnChannelSink::pick(int j) const
{
    uint8_t* out = origin_ + j * rowStep_ + pick_.targetFirst;
    const uint8_t* means = line_.get() + pick_.sourceFirst;
    const uint8_t* bits = mask_ ? reinterpret_cast<const uint8_t*>(mask_->imageData) + static_cast<int64_t>(j) * mask_->widthStep
                                : nullptr;
    if (!bits && pick_.channels == 1 && pick_.sourceChannels == 1) {
        if (pick_.targetChannels >= 2 && pick_.targetChannels <= 4)
            return ScatterStrided(static_cast<size_t>(pick_.targetChannels), means, out, static_cast<size_t>(width_));
    }
    for (int i = 0; i < width_; ++i) {
        if (bits && !((bits[i / 8] >> (7 - i % 8)) & 1))
            continue;
        for (int c = 0; c < pick_.channels; ++c)
            out[static_cast<int64_t>(i) * pick_.targetChannels + c] = means[static_cast<size_t>(i) * pick_.sourceChannels + c];
    }
}
