// Box blur of a 4000 x 3000 picture of 3 or 4 channels with boxes of 3, 10, 51 and 101 pixels; 10 x 10
// on 3 channels is the soft-shadow set-up.
// compare-imagemagick.sh runs the same blur through ImageMagick for a reference time.
#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplImage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

IplImage* makePicture(int channels, int width, int height, int alphaChannel = 0)
{
    IplImage* image = iplCreateImageHeader(channels, alphaChannel, iplDepth8u, channels == 4 ? "RGBA" : "RGB",
                                           channels == 4 ? "BGRA" : "BGR", iplDataOrderPixel, iplOriginBl,
                                           iplAlignDword, width, height, nullptr, nullptr, 0, nullptr);
    iplAllocateImage(image, 0, 0);
    unsigned seed = 12345;
    for (int i = 0; i < image->imageSize; ++i) {
        seed = seed * 1103515245u + 12345u;
        image->imageData[i] = static_cast<char>(seed >> 24);
    }
    iplSetImageBorderMode(image, iplBorderConstant, iplSideAll, 0);
    return image;
}

void blurInPlace(benchmark::State& state, IplImage* image, int side)
{
    for (auto _ : state) {
        iplBlur(image, image, side, side, side / 2, side / 2);
        benchmark::DoNotOptimize(image->imageData[0]);
    }
    state.SetItemsProcessed(state.iterations() * 4000LL * 3000LL);
}

// Arguments: channels, box side.
void BM_BoxBlur(benchmark::State& state)
{
    int side = static_cast<int>(state.range(1));
    IplImage* image = makePicture(static_cast<int>(state.range(0)), 4000, 3000);
    blurInPlace(state, image, side);
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlur)->ArgsProduct({{3, 4}, {3, 10, 51, 101}})->Unit(benchmark::kMillisecond);

// The paths that blur part of a picture, each against a 4000 x 3000 picture with a box side as
// argument: the colour of a picture with alpha (4 channels, the fourth kept), one channel of interest
// of three, and three channels where a mask of bands and a disc allows.
void BM_BoxBlurAlpha(benchmark::State& state)
{
    int side = static_cast<int>(state.range(0));
    IplImage* image = makePicture(4, 4000, 3000, 4);
    blurInPlace(state, image, side);
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlurAlpha)->Arg(3)->Arg(10)->Arg(51)->Unit(benchmark::kMillisecond);

void BM_BoxBlurChannel(benchmark::State& state)
{
    int side = static_cast<int>(state.range(0));
    IplImage* image = makePicture(3, 4000, 3000);
    IplROI green{2, 0, 0, 4000, 3000};
    image->roi = &green;
    blurInPlace(state, image, side);
    image->roi = nullptr;
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlurChannel)->Arg(3)->Arg(10)->Arg(51)->Unit(benchmark::kMillisecond);

// Bands of 100 rows alternately allowed and refused, and a disc of radius 1000 in the middle
// allowed everywhere; compare_references.py builds the same mask.
IplImage* makeMask(int width, int height)
{
    IplImage* mask = iplCreateImageHeader(1, 0, iplDepth1u, "GRAY", "G", iplDataOrderPixel, iplOriginBl,
                                          iplAlignDword, width, height, nullptr, nullptr, 0, nullptr);
    iplAllocateImage(mask, 0, 0);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<unsigned char*>(mask->imageData + static_cast<int64_t>(y) * mask->widthStep);
        for (int x = 0; x < width; ++x) {
            int64_t dx = x - width / 2, dy = y - height / 2;
            bool on = (y / 100) % 2 == 0 || dx * dx + dy * dy < 1000 * 1000;
            if (on)
                row[x / 8] = static_cast<unsigned char>(row[x / 8] | (0x80 >> (x % 8)));
            else
                row[x / 8] = static_cast<unsigned char>(row[x / 8] & ~(0x80 >> (x % 8)));
        }
    }
    return mask;
}

void BM_BoxBlurMask(benchmark::State& state)
{
    int side = static_cast<int>(state.range(0));
    IplImage* image = makePicture(3, 4000, 3000);
    IplImage* mask = makeMask(4000, 3000);
    image->maskImage = mask;
    blurInPlace(state, image, side);
    image->maskImage = nullptr;
    iplReleaseImage(mask, iplImageAll);
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlurMask)->Arg(3)->Arg(10)->Arg(51)->Unit(benchmark::kMillisecond);

} // namespace
