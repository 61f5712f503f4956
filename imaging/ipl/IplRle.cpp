#include "imaging/ipl/IplRle.h"

#include <algorithm>
#include <new>

namespace {

constexpr OwnRleResult kOk = {0, nullptr};
constexpr OwnRleResult kBroken = {-5, "Impossible to decompress RLE DIB"};

struct Texts {
    const char* width;
    const char* height;
    const char* delta;
    const char* memory;
};

constexpr Texts kRle8 = {"Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)",
                         "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)",
                         "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)",
                         "Not enough memory to decompress BI_RLE8 DIB at DIB"};
constexpr Texts kRle4 = {"Incorrect format of BI_RLE4 DIB (mismatch biWidth)",
                         "Incorrect format of BI_RLE4 DIB (mismatch biHeight)",
                         "Incorrect format of BI_RLE4 DIB (bad Delta command)",
                         "Not enough memory to decompress BI_RLE4 DIB at DIB"};

class Decoder {
public:
    Decoder(const uint8_t* data, size_t size, bool rle4, int width, int height, std::vector<uint8_t>& out)
        : data_(data), size_(size), rle4_(rle4), width_(width), height_(height), out_(out),
          texts_(rle4 ? kRle4 : kRle8)
    {
    }

    OwnRleResult run()
    {
        while (pos_ + 2 <= size_) {
            uint8_t count = data_[pos_++];
            uint8_t value = data_[pos_++];
            OwnRleResult r = count ? encoded(count, value) : escape(value);
            if (r.status || done_)
                return r;
        }
        return pos_ == size_ ? kOk : kBroken;
    }

private:
    // Pixels are written only inside the image; a run past a row or the last row stops here.
    OwnRleResult room(int count) const
    {
        if (y_ >= height_)
            return {-5, texts_.height};
        if (x_ + count > width_)
            return {-5, texts_.width};
        return kOk;
    }

    uint8_t pixel(const uint8_t* bytes, int i) const
    {
        if (!rle4_)
            return bytes[i];
        return (i % 2 == 0) ? bytes[i / 2] >> 4 : bytes[i / 2] & 0x0F;
    }

    OwnRleResult encoded(int count, uint8_t value)
    {
        if (OwnRleResult r = room(count); r.status)
            return r;
        uint8_t pair[1] = {value};
        uint8_t* row = out_.data() + static_cast<size_t>(y_) * width_;
        for (int i = 0; i < count; ++i)
            row[x_ + i] = rle4_ ? pixel(pair, i % 2) : value;
        x_ += count;
        return kOk;
    }

    OwnRleResult escape(uint8_t code)
    {
        switch (code) {
        case 0:
            x_ = 0;
            ++y_;
            return kOk;
        case 1:
            done_ = true;
            return kOk;
        case 2: {
            if (pos_ + 2 > size_)
                return kBroken;
            int dx = data_[pos_++], dy = data_[pos_++];
            if (x_ + dx > width_ || y_ + dy > height_ || (dy == 0 && y_ >= height_))
                return {-5, texts_.delta};
            x_ += dx;
            y_ += dy;
            return kOk;
        }
        default:
            return absolute(code);
        }
    }

    OwnRleResult absolute(int count)
    {
        size_t bytes = rle4_ ? (static_cast<size_t>(count) + 1) / 2 : static_cast<size_t>(count);
        size_t padded = bytes + (bytes & 1);
        if (pos_ + bytes > size_)
            return kBroken;
        if (OwnRleResult r = room(count); r.status)
            return r;
        uint8_t* row = out_.data() + static_cast<size_t>(y_) * width_;
        for (int i = 0; i < count; ++i)
            row[x_ + i] = pixel(data_ + pos_, i);
        x_ += count;
        pos_ = std::min(size_, pos_ + padded);
        return kOk;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool rle4_;
    int width_;
    int height_;
    std::vector<uint8_t>& out_;
    Texts texts_;
    int x_ = 0;
    int y_ = 0;
    bool done_ = false;
};

class Encoder {
public:
    Encoder(uint8_t* out, size_t capacity, bool rle4) : out_(out), capacity_(capacity), rle4_(rle4) {}

    bool row(const uint8_t* pixels, int width)
    {
        int x = 0;
        while (x < width) {
            int run = runLength(pixels, x, width);
            if (run >= 3 || width - x < 3) {
                int count = std::min(run, 255);
                uint8_t value = rle4_ ? static_cast<uint8_t>((pixels[x] << 4) | (count > 1 ? pixels[x + 1] : 0))
                                      : pixels[x];
                if (!put(static_cast<uint8_t>(count)) || !put(value))
                    return false;
                x += count;
                continue;
            }
            int literal = literalLength(pixels, x, width);
            if (!put(0) || !put(static_cast<uint8_t>(literal)))
                return false;
            size_t bytes = 0;
            for (int i = 0; i < literal; i += rle4_ ? 2 : 1, ++bytes) {
                uint8_t v = rle4_ ? static_cast<uint8_t>((pixels[x + i] << 4) | (i + 1 < literal ? pixels[x + i + 1] : 0))
                                  : pixels[x + i];
                if (!put(v))
                    return false;
            }
            if ((bytes & 1) && !put(0))
                return false;
            x += literal;
        }
        return true;
    }

    bool finishRow(bool last) { return put(0) && put(last ? 1 : 0); }
    size_t written() const { return used_; }

private:
    // Pixels from x that one encoded run covers: equal bytes, or for RLE4 an alternating pair.
    int runLength(const uint8_t* p, int x, int width) const
    {
        int n = 1;
        while (x + n < width && n < 255 && p[x + n] == p[x + (rle4_ ? n % 2 : 0)])
            ++n;
        return n;
    }

    int literalLength(const uint8_t* p, int x, int width) const
    {
        int n = 0;
        while (x + n < width && n < 255 && (n < 3 || runLength(p, x + n, width) < 3))
            ++n;
        return n;
    }

    bool put(uint8_t byte)
    {
        if (used_ >= capacity_)
            return false;
        out_[used_++] = byte;
        return true;
    }

    uint8_t* out_;
    size_t capacity_;
    bool rle4_;
    size_t used_ = 0;
};

} // namespace

OwnRleResult ownDecompressRle(const uint8_t* data, size_t size, bool rle4, int width, int height,
                              std::vector<uint8_t>& indices)
{
    const Texts& texts = rle4 ? kRle4 : kRle8;
    if (width < 1 || height < 1)
        return {-5, texts.height};
    if (static_cast<int64_t>(width) * height > INT32_MAX)
        return {-4, texts.memory};
    try {
        indices.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return {-4, texts.memory};
    }
    return Decoder(data, size, rle4, width, height, indices).run();
}

OwnRleResult ownCompressRle(const uint8_t* indices, int width, int height, bool rle4, uint8_t* out,
                            size_t capacity, size_t* written)
{
    Encoder encoder(out, capacity, rle4);
    for (int y = 0; y < height; ++y) {
        if (!encoder.row(indices + static_cast<size_t>(y) * width, width) || !encoder.finishRow(y + 1 == height))
            return {-4, rle4 ? "Not enough memory to compress DIB at BI_RLE4 DIB"
                             : "Not enough memory to compress DIB at BI_RLE8 DIB"};
    }
    *written = encoder.written();
    return kOk;
}
