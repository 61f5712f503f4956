// Rows of means of whole source pixels of which only some channels go into the destination, and
// only at the pixels a 1-bit mask allows; the rest of the destination keeps its samples.
#pragma once

#include "imaging/ipl/IplByteBox.h"

#include <cstdint>
#include <memory>

struct IplImage;

// Which samples of a pixel of means go where in a destination pixel; channels are 0-based.
struct OwnChannelPick {
    int sourceChannels;
    int sourceFirst;
    int channels;
    int targetChannels;
    int targetFirst;
};

class OwnChannelSink : public OwnBoxSink {
public:
    // The mask, if any, has a bit for each pixel of the width x height region at origin.
    OwnChannelSink(const OwnChannelPick& pick, uint8_t* origin, int64_t rowStep, int width, const IplImage* mask);
    bool allocated() const { return line_ && keep_ && rowKeep_; }
    uint8_t* line(int) override { return line_.get(); }
    void written(int j) override;

private:
    bool sameLayout() const;
    const uint8_t* keepOfRow(int j) const;
    void blend(int j) const;
    void pick(int j) const;

    OwnChannelPick pick_;
    uint8_t* origin_;
    int64_t rowStep_;
    int width_;
    const IplImage* mask_;
    size_t lineBytes_;
    std::unique_ptr<uint8_t[]> line_;
    // In the same layout: 0xFF at each byte of a row that the destination keeps.
    std::unique_ptr<uint8_t[]> keep_;
    std::unique_ptr<uint8_t[]> rowKeep_;
};
