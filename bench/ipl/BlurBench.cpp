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

IplImage* makePicture(int channels, int width, int height)
{
    IplImage* image = iplCreateImageHeader(channels, 0, iplDepth8u, channels == 4 ? "RGBA" : "RGB",
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

// Arguments: channels, box side.
void BM_BoxBlur(benchmark::State& state)
{
    int side = static_cast<int>(state.range(1));
    IplImage* image = makePicture(static_cast<int>(state.range(0)), 4000, 3000);
    for (auto _ : state) {
        iplBlur(image, image, side, side, side / 2, side / 2);
        benchmark::DoNotOptimize(image->imageData[0]);
    }
    state.SetItemsProcessed(state.iterations() * 4000LL * 3000LL);
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlur)->ArgsProduct({{3, 4}, {3, 10, 51, 101}})->Unit(benchmark::kMillisecond);

} // namespace
