#include "imaging/ipl/IplByteBox.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <emmintrin.h>
#include <memory>
#include <new>

namespace {

// One pixel's window sums, a channel a lane; lanes past the pixel's channels carry the window
// sums of the next pixel's channels (or of zero padding), so they stay in range and are dropped.
typedef int32_t Lanes __attribute__((vector_size(16)));
constexpr size_t kLanes = 4;

// Boxes up to this area divide in single precision, larger ones in double precision.
constexpr int64_t kFloatArea = 13107;
// Window sums and their doubled form 2 x sum + area stay within 31 bits.
constexpr int64_t kLargestArea = int64_t{1} << 22;

// Round-half-up quotient sum / area = floor(x / d) with x = 2 sum + area and d = 2 area, taken as
// x times c, the smallest Real not below 1 / d, truncated. x < 256 d is exact in a Real, and x c
// is never below the true quotient q. It exceeds x / d <= q + 1 - 1 / d by less than
// 256 d (c - 1 / d) < 256 ulp(1), and rounding the product moves a value below 256 by at most
// half ulp(255) = 64 ulp(1); so it truncates to q with floats while 320 ulp(1) < 1 / d, that is
// d < 26214, and with doubles for every area here.
template <class Real>
struct RoundingScale {
    typedef Real Reals __attribute__((vector_size(4 * sizeof(Real))));

    explicit RoundingScale(int32_t boxArea) : area(boxArea)
    {
        auto divisor = static_cast<Real>(2 * boxArea);
        scale = Real(1) / divisor;
        if (std::fma(scale, divisor, Real(-1)) < 0)
            scale = std::nextafter(scale, Real(1));
    }

    // The window is kept as x = 2 sum + area.
    Lanes start(Lanes sums) const { return sums + sums + area; }
    Lanes operator()(Lanes doubled) const
    {
        return __builtin_convertvector(__builtin_convertvector(doubled, Reals) * scale, Lanes);
    }

    int32_t area;
    Real scale;
};

// SSE2, which every x86-64 processor has, widens the column sums and narrows the means: the
// compiler turns the portable forms of both into a scalar step per lane.
Lanes loadLanes(const uint16_t* sums)
{
    __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums));
    return reinterpret_cast<Lanes>(_mm_unpacklo_epi16(four, _mm_setzero_si128()));
}

Lanes loadLanes(const uint32_t* sums)
{
    return reinterpret_cast<Lanes>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums)));
}

void storeMeans(Lanes means, uint8_t* out, size_t bytes)
{
    __m128i words = _mm_packs_epi32(reinterpret_cast<__m128i>(means), reinterpret_cast<__m128i>(means));
    auto four = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    std::memcpy(out, &four, bytes);
}

template <class Sum>
void enterRow(Sum* sums, const uint8_t* entering, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        sums[i] = static_cast<Sum>(sums[i] + entering[i]);
}

template <class Sum>
void moveRow(Sum* sums, const uint8_t* entering, const uint8_t* leaving, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        sums[i] = static_cast<Sum>(sums[i] + entering[i] - leaving[i]);
}

// One output row from the column sums: the window starts on the first nCols columns and then
// adds the column that enters and drops the one that leaves, pixel by pixel.
template <class Sum, class Real>
void slideRow(const Sum* sums, const OwnByteBox& box, int width, const RoundingScale<Real>& mean, uint8_t* out)
{
    const int n = box.channels;
    Lanes first{};
    for (int c = 0; c < box.nCols; ++c)
        first += loadLanes(sums + c * n);
    Lanes window = mean.start(first);
    const Sum* drop = sums;
    const Sum* add = sums + static_cast<size_t>(box.nCols) * n;
    auto next = [&](int i, size_t bytes) {
        storeMeans(mean(window), out + static_cast<size_t>(i) * n, bytes);
        Lanes step = loadLanes(add + static_cast<size_t>(i) * n) - loadLanes(drop + static_cast<size_t>(i) * n);
        window += step + step;
    };
    // Whole lanes are stored while they stay inside the row; the next pixel overwrites the surplus.
    int wide = std::max(0, width + 1 - static_cast<int>(kLanes + n - 1) / n);
#pragma GCC unroll 4
    for (int i = 0; i < wide; ++i)
        next(i, kLanes);
    for (int i = wide; i < width; ++i)
        next(i, static_cast<size_t>(n));
}

// One channel: four pixels a step. Their windows are the first one's plus the running total of
// the column differences between them, formed in the lanes.
template <class Sum, class Real>
void slideSingle(const Sum* sums, const OwnByteBox& box, int width, const RoundingScale<Real>& mean, uint8_t* out)
{
    int32_t first = 0;
    for (int c = 0; c < box.nCols; ++c)
        first += sums[c];
    int32_t doubled = mean.start(Lanes{first, 0, 0, 0})[0];
    const Sum* add = sums + box.nCols;
    const Lanes none{};
    int i = 0;
    for (; i + static_cast<int>(kLanes) <= width; i += kLanes) {
        Lanes step = loadLanes(add + i) - loadLanes(sums + i);
        step += __builtin_shufflevector(step, none, 4, 0, 1, 2);
        step += __builtin_shufflevector(step, none, 4, 4, 0, 1);
        const Lanes before = __builtin_shufflevector(step, none, 4, 0, 1, 2);
        storeMeans(mean(doubled + before + before), out + i, kLanes);
        doubled += 2 * step[3];
    }
    for (; i < width; ++i) {
        storeMeans(mean(Lanes{doubled, 0, 0, 0}), out + i, 1);
        doubled += 2 * (static_cast<int32_t>(add[i]) - static_cast<int32_t>(sums[i]));
    }
}

template <class Sum, class Real>
bool runKernel(OwnBoxRows& rows, const OwnByteBox& box, OwnBoxSink& out, int width, int height)
{
    size_t span = static_cast<size_t>(width + box.nCols - 1) * box.channels;
    // The last pixel's lanes reach past the last column sum.
    std::unique_ptr<Sum[]> sums(new (std::nothrow) Sum[span + kLanes]());
    if (!sums)
        return false;
    RoundingScale<Real> mean(box.nCols * box.nRows);
    for (int r = 0; r < box.nRows; ++r)
        enterRow(sums.get(), rows.row(r), span);
    for (int j = 0; j < height; ++j) {
        if (box.channels == 1)
            slideSingle(sums.get(), box, width, mean, out.line(j));
        else
            slideRow(sums.get(), box, width, mean, out.line(j));
        out.written(j);
        if (j + 1 == height)
            break;
        const uint8_t* leaving = rows.row(j);
        moveRow(sums.get(), rows.row(j + box.nRows), leaving, span);
    }
    return true;
}

// Column sums fit 16 bits while a column holds at most 257 rows of 255.
template <class Real>
bool runWithSums(OwnBoxRows& rows, const OwnByteBox& box, OwnBoxSink& out, int width, int height)
{
    if (255 * int64_t{box.nRows} <= UINT16_MAX)
        return runKernel<uint16_t, Real>(rows, box, out, width, height);
    return runKernel<uint32_t, Real>(rows, box, out, width, height);
}

} // namespace

bool ownByteBoxFits(int channels, int64_t area)
{
    return channels >= 1 && channels <= 4 && area >= 1 && area <= kLargestArea;
}

bool ownByteBoxKernel(OwnBoxRows& rows, const OwnByteBox& box, OwnBoxSink& out, int width, int height)
{
    if (int64_t{box.nCols} * box.nRows <= kFloatArea)
        return runWithSums<float>(rows, box, out, width, height);
    return runWithSums<double>(rows, box, out, width, height);
}

uint8_t ownByteBoxMean(int32_t sum, int32_t area)
{
    Lanes sums = {sum, 0, 0, 0};
    auto mean = [&](const auto& scale) { return static_cast<uint8_t>(scale(scale.start(sums))[0]); };
    if (area <= kFloatArea)
        return mean(RoundingScale<float>(area));
    return mean(RoundingScale<double>(area));
}
