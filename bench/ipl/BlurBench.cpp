// Box blur of a 4000 x 3000 24-bit picture with a 10 x 10 box, the soft-shadow set-up.
// compare-imagemagick.sh runs the same blur through ImageMagick for a reference time.
#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplImage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

IplImage* makePicture(int width, int height)
{
    IplImage* image = iplCreateImageHeader(3, 0, iplDepth8u, "RGB", "BGR", iplDataOrderPixel, iplOriginBl,
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

void BM_BoxBlur10x10(benchmark::State& state)
{
    IplImage* image = makePicture(4000, 3000);
    for (auto _ : state) {
        iplBlur(image, image, 10, 10, 5, 5);
        benchmark::DoNotOptimize(image->imageData[0]);
    }
    state.SetItemsProcessed(state.iterations() * 4000LL * 3000LL);
    iplReleaseImage(image, iplImageAll);
}
BENCHMARK(BM_BoxBlur10x10)->Unit(benchmark::kMillisecond);

} // namespace
