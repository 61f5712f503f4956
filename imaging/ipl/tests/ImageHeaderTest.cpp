#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

using namespace ipltest;

namespace {

struct CreateCase {
    const char* name;
    int nChannels, alpha, depth;
    const char* model;
    int order, origin, align, width, height;
    int expected;
};

TEST(ImageHeader, CreationRefusals)
{
    const CreateCase cases[] = {
        {"zero height", 1, 0, iplDepth8u, "GRAY", 0, 0, 4, 5, 0, -10},
        {"zero width", 1, 0, iplDepth8u, "GRAY", 0, 0, 4, 0, 5, -10},
        {"no channels", 0, 0, iplDepth8u, "GRAY", 0, 0, 4, 5, 5, -15},
        {"1-bit two channels", 2, 0, iplDepth1u, "GRAY", 0, 0, 4, 5, 5, -16},
        {"null model", 1, 0, iplDepth8u, nullptr, 0, 0, 4, 5, 5, -14},
        {"depth 12", 1, 0, 12, "GRAY", 0, 0, 4, 5, 5, -17},
        {"alpha above channels", 3, 4, iplDepth8u, "RGB", 0, 0, 4, 5, 5, -18},
        {"negative alpha", 3, -1, iplDepth8u, "RGB", 0, 0, 4, 5, 5, -18},
        {"data order 2", 3, 0, iplDepth8u, "RGB", 2, 0, 4, 5, 5, -19},
        {"origin 2", 3, 0, iplDepth8u, "RGB", 0, 2, 4, 5, 5, -20},
        {"align 2", 3, 0, iplDepth8u, "RGB", 0, 0, 2, 5, 5, -21},
        {"row too large", 4, 0, iplDepth32s, "RGB", 0, 0, 4, 0x8000000, 1, -10},
        {"image too large", 1, 0, iplDepth8u, "GRAY", 0, 0, 4, 65536, 65536, -10},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        IplImage* image = iplCreateImageHeader(c.nChannels, c.alpha, c.depth, c.model, "G", c.order, c.origin,
                                               c.align, c.width, c.height, nullptr, nullptr, 0, nullptr);
        EXPECT_EQ(image, nullptr) << c.name;
        ASSERT_EQ(recorder.all().size(), 1u) << c.name;
        EXPECT_EQ(recorder.lastStatus(), c.expected) << c.name;
        EXPECT_EQ(recorder.lastContext(), "Incorrect data-ins") << c.name;
        EXPECT_EQ(recorder.all()[0].func, "iplCreateImageHeader");
        EXPECT_EQ(recorder.all()[0].file, "iplalloc");
    }
}

TEST(ImageHeader, AlphaEqualToChannelsIsAccepted)
{
    ImagePtr image(iplCreateImageHeader(4, 4, iplDepth8u, "RGBA", "BGRA", 0, 0, 4, 3, 3, nullptr, nullptr, 7, nullptr));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->headerSize, static_cast<int>(sizeof(IplImage)));
    EXPECT_EQ(std::string(image->colorModel, 4), "RGBA");
    EXPECT_EQ(std::string(image->channelSeq, 4), "BGRA");
    EXPECT_EQ(image->imageTag, 7);
    EXPECT_EQ(image->imageData, nullptr);
    EXPECT_EQ(image->allocatedData, nullptr);
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(image->borderMode[side], 0);
        EXPECT_EQ(image->borderConst[side], 0);
    }
}

struct StepCase {
    int nChannels, depth, order, align, width, height;
    int widthStep, imageSize;
};

TEST(ImageHeader, RowStepAndImageSize)
{
    const StepCase cases[] = {
        {3, iplDepth8u, iplDataOrderPixel, 4, 5, 7, 16, 16 * 7},
        {3, iplDepth8u, iplDataOrderPlane, 4, 5, 7, 8, 8 * 7 * 3},
        {3, iplDepth8u, iplDataOrderPixel, 8, 5, 7, 16, 16 * 7},
        {3, iplDepth8u, iplDataOrderPlane, 8, 5, 7, 8, 8 * 7 * 3},
        {3, iplDepth8u, iplDataOrderPixel, 8, 6, 2, 24, 48},
        {1, iplDepth8u, iplDataOrderPixel, 8, 9, 2, 16, 32},
        {1, iplDepth1u, iplDataOrderPixel, 4, 33, 3, 8, 24},
        {1, iplDepth1u, iplDataOrderPixel, 4, 32, 3, 4, 12},
        {1, iplDepth1u, iplDataOrderPixel, 8, 1, 3, 8, 24},
        {2, iplDepth16s, iplDataOrderPixel, 4, 3, 2, 12, 24},
        {2, iplDepth16u, iplDataOrderPlane, 8, 3, 2, 8, 32},
        {4, iplDepth32f, iplDataOrderPixel, 4, 3, 1, 48, 48},
    };
    for (const auto& c : cases) {
        ImagePtr image(iplCreateImageHeader(c.nChannels, 0, c.depth, "RGB", "BGR", c.order, 0, c.align, c.width,
                                            c.height, nullptr, nullptr, 0, nullptr));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->widthStep, c.widthStep) << c.nChannels << " " << c.width << " " << c.align;
        EXPECT_EQ(image->imageSize, c.imageSize);
        EXPECT_EQ(iplRowStep(c.order, c.depth, c.align, c.nChannels, c.width), c.widthStep);
    }
}

TEST(ImageHeader, AllocationFillsAndAligns)
{
    struct Case { int depth; int align; int fill; uint32_t word; };
    const Case cases[] = {
        {iplDepth8u, 4, 0x1234, 0x34343434},
        {iplDepth8s, 8, -1, 0xFFFFFFFF},
        {iplDepth16u, 8, 0x12345, 0x23452345},
        {iplDepth1u, 4, 3, 0xFFFFFFFF},
        {iplDepth1u, 4, 2, 0},
        {iplDepth32s, 4, 0x01020304, 0x01020304},
    };
    for (const auto& c : cases) {
        ImagePtr image(iplCreateImageHeader(1, 0, c.depth, "GRAY", "G", 0, 0, c.align, 13, 3, nullptr, nullptr, 0,
                                            nullptr));
        iplAllocateImage(image.get(), 1, c.fill);
        ASSERT_NE(image->imageData, nullptr);
        EXPECT_NE(image->allocatedData, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(image->imageData) % c.align, 0u);
        for (int i = 0; i < image->imageSize; i += 4) {
            uint32_t word;
            std::memcpy(&word, image->imageData + i, 4);
            EXPECT_EQ(word, c.word) << i;
        }
    }
    ImagePtr floats(iplCreateImageHeader(1, 0, iplDepth32f, "GRAY", "G", 0, 0, 4, 3, 3, nullptr, nullptr, 0, nullptr));
    iplAllocateImageFP(floats.get(), 1, 1.5f);
    float v;
    std::memcpy(&v, floats->imageData + 4, 4);
    EXPECT_EQ(v, 1.5f);
}

TEST(ImageHeader, AllocationRefusals)
{
    ImagePtr plain = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr floats(iplCreateImageHeader(1, 0, iplDepth32f, "GRAY", "G", 0, 0, 4, 3, 3, nullptr, nullptr, 0, nullptr));
    ImagePtr bytes(iplCreateImageHeader(1, 0, iplDepth8u, "GRAY", "G", 0, 0, 4, 3, 3, nullptr, nullptr, 0, nullptr));
    struct Case { const char* name; void (*call)(IplImage*); IplImage* image; const char* context; };
    const Case cases[] = {
        {"null", [](IplImage* i) { iplAllocateImage(i, 0, 0); }, nullptr, "( image == ((void *)0) )"},
        {"has data", [](IplImage* i) { iplAllocateImage(i, 0, 0); }, plain.get(), "( image->imageData != ((void *)0) )"},
        {"float", [](IplImage* i) { iplAllocateImage(i, 0, 0); }, floats.get(), "( image->depth == 32 )"},
        {"not float", [](IplImage* i) { iplAllocateImageFP(i, 0, 0); }, bytes.get(), "( image->depth != 32 )"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        c.call(c.image);
        EXPECT_EQ(recorder.lastStatus(), -5) << c.name;
        EXPECT_EQ(recorder.lastContext(), c.context) << c.name;
    }
    EXPECT_EQ(bytes->imageData, nullptr);
    bytes->width = 0;
    ReportRecorder recorder;
    iplAllocateImage(bytes.get(), 0, 0);
    EXPECT_EQ(recorder.lastStatus(), -10);
    EXPECT_EQ(recorder.lastContext(), "Incorrect data-ins");
}

TEST(ImageHeader, ReleaseFlags)
{
    std::vector<char> borrowed(64, 7);
    IplImage* image = iplCreateImageHeader(1, 0, iplDepth8u, "GRAY", "G", 0, 0, 4, 4, 4, iplCreateRoi(0, 1, 1, 2, 2),
                                           nullptr, 0, nullptr);
    image->imageData = borrowed.data();
    iplReleaseImage(image, iplImageData);
    EXPECT_EQ(image->imageData, borrowed.data());
    iplReleaseImage(image, iplImageRoi);
    EXPECT_EQ(image->roi, nullptr);
    iplReleaseImageData(image);
    EXPECT_EQ(image->imageData, nullptr);
    iplReleaseImageHeader(image);
    EXPECT_EQ(borrowed[0], 7);

    ImagePtr mask = makeImage(1, iplDepth1u, 4, 4);
    IplImage* owner = iplCreateImageHeader(1, 0, iplDepth8u, "GRAY", "G", 0, 0, 4, 4, 4, nullptr, mask.release(), 0,
                                           iplCreateTileInfo([](const IplImage*, int, int, int) {}, 0, 8, 8));
    iplReleaseImage(owner, iplImageAll);
    iplReleaseImage(nullptr, iplImageAll);
}

struct CheckCase {
    const char* name;
    void (*spoil)(IplImage* image, IplImage* mask);
    int expected;
};

TEST(ImageHeader, CheckImageStatuses)
{
    const CheckCase cases[] = {
        {"sound", [](IplImage*, IplImage*) {}, 0},
        {"no data", [](IplImage* i, IplImage*) { i->imageData = nullptr; }, -12},
        {"zero size", [](IplImage* i, IplImage*) { i->imageSize = 0; }, -10},
        {"zero step", [](IplImage* i, IplImage*) { i->widthStep = 0; }, -13},
        {"short step", [](IplImage* i, IplImage*) { i->widthStep = 8; }, -13},
        {"size below rows", [](IplImage* i, IplImage*) { i->imageSize -= 1; }, -10},
        {"depth", [](IplImage* i, IplImage*) { i->depth = 7; }, -17},
        {"align", [](IplImage* i, IplImage*) { i->align = 16; }, -21},
        {"mask depth 8", [](IplImage* i, IplImage* m) { m->depth = 8; i->maskImage = m; }, -117},
        {"mask height 0", [](IplImage* i, IplImage* m) { m->height = 0; i->maskImage = m; }, -110},
        {"coi", [](IplImage* i, IplImage*) { i->roi = iplCreateRoi(4, 0, 0, 1, 1); }, -24},
        {"roi size", [](IplImage* i, IplImage*) { i->roi = iplCreateRoi(0, 0, 0, 0, 1); }, -25},
        {"roi offset", [](IplImage* i, IplImage*) { i->roi = iplCreateRoi(0, -1, 0, 1, 1); }, -11},
    };
    for (const auto& c : cases) {
        ImagePtr image = makeImage(3, iplDepth8u, 5, 3);
        ImagePtr mask = makeImage(1, iplDepth1u, 5, 3);
        c.spoil(image.get(), mask.get());
        iplSetErrorStatus(0);
        EXPECT_EQ(ownCheckImage(image.get()), c.expected) << c.name;
        EXPECT_EQ(iplGetErrorStatus(), c.expected) << c.name;
        image->maskImage = nullptr;
    }
    EXPECT_EQ(ownCheckImage(nullptr), -9);
}

TEST(ImageHeader, TileChecks)
{
    IplCallBack none = [](const IplImage*, int, int, int) {};
    struct Case { IplCallBack callback; int w; int h; int expected; };
    const Case cases[] = {{none, 8, 16, 0}, {nullptr, 8, 8, -22}, {none, 12, 8, -23}, {none, 8, 0, -23}};
    for (const auto& c : cases) {
        ImagePtr image(iplCreateImageHeader(1, 0, iplDepth8u, "GRAY", "G", 0, 0, 4, 20, 20, nullptr, nullptr, 0,
                                            iplCreateTileInfo(c.callback, 0, c.w, c.h)));
        EXPECT_EQ(ownCheckImage(image.get()), c.expected);
        EXPECT_EQ(iplTileRowStep(image.get()), c.expected ? 0 : c.w);
    }
}

TEST(ImageHeader, AlignedAllocatorAlignsAndFrees)
{
    for (size_t n : {1u, 7u, 8u, 100u}) {
        for (void* block : {iplAlignedAlloc(n), iplAlignedAlloc16(n), iplAlignedAlloc32(n), iplAlignedAlloc64(n)}) {
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 8, 0u);
            std::memset(block, 0xAB, n);
            iplAlignedFree(block);
        }
    }
    iplAlignedFree(nullptr);
    EXPECT_EQ(iplAlignedAlloc64(SIZE_MAX / 4), nullptr);
}

} // namespace
