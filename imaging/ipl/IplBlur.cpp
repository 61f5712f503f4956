#include "imaging/ipl/IplBlur.h"

#include "imaging/ipl/IplByteBox.h"
#include "imaging/ipl/IplChannelSink.h"
#include "imaging/ipl/IplCopy.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplLogic.h"
#include "imaging/ipl/IplPickedRows.h"
#include "imaging/ipl/IplPieceWalk.h"
#include "imaging/ipl/IplRoi.h"
#include "imaging/ipl/IplRowRing.h"

#include <algorithm>
#include <initializer_list>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr const char* kFunc = "iplBlur";
constexpr const char* kModule = "iplblur";

// Round-to-nearest division of a window sum by the box area, exact for every sum. Sums below
// 2^31 take a multiply by a 64-bit reciprocal of twice the area, exact in that range.
struct RoundDivider {
    int64_t area;
    double inverse;
    unsigned __int128 reciprocal;

    explicit RoundDivider(int64_t boxArea)
        : area(boxArea), inverse(1.0 / static_cast<double>(boxArea)),
          reciprocal(((unsigned __int128)1 << 64) / static_cast<uint64_t>(2 * boxArea) + 1)
    {
    }

    int64_t operator()(int64_t sum) const
    {
        if (sum >= 0 && sum < (int64_t{1} << 31) && area < (int64_t{1} << 31))
            return static_cast<int64_t>((static_cast<uint64_t>(2 * sum + area) * reciprocal) >> 64);
        auto q = static_cast<int64_t>((static_cast<double>(sum) + 0.5 * static_cast<double>(area)) * inverse);
        int64_t r = sum - q * area;
        while (2 * r < -area) { --q; r += area; }
        while (2 * r >= area) { ++q; r -= area; }
        return q;
    }
};

// Where the box reads (the bordered scratch copy) and what it writes.
struct BoxJob {
    const char* scratch;
    int64_t rowStep;
    int64_t pixelStep;    // bytes (elements for 1-bit)
    int64_t channelStep;  // bytes (elements for 1-bit)
    int channels;
    int firstSource;      // 0-based channel in the scratch copy
    int nCols;
    int nRows;
    RoundDivider divide;
    const IplImage* mask; // combined mask, W x H, or null
};

struct Target {
    char* base;           // destination region origin of this piece
    int64_t rowStep;
    int64_t pixelStep;
    int64_t channelStep;
    int firstChannel;     // 0-based
};

template <class T>
T load(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void store(char* p, int64_t v)
{
    auto t = static_cast<T>(v);
    std::memcpy(p, &t, sizeof t);
}

bool maskAllows(const BoxJob& job, int x, int y)
{
    if (!job.mask)
        return true;
    return ownLoadElement(job.mask->imageData + static_cast<int64_t>(y) * job.mask->widthStep, iplDepth1u, x) != 0;
}

// Copies the samples of one scratch row that a piece reads into a packed row (column-major by channel).
template <class T>
void gatherRow(const BoxJob& job, int row, int x0, int columns, T* packed)
{
    const char* base = job.scratch + static_cast<int64_t>(row) * job.rowStep + static_cast<int64_t>(x0) * job.pixelStep +
                       static_cast<int64_t>(job.firstSource) * job.channelStep;
    int n = job.channels;
    if (job.channelStep == static_cast<int64_t>(sizeof(T)) && job.pixelStep == n * job.channelStep) {
        std::memcpy(packed, base, sizeof(T) * static_cast<size_t>(columns) * n);
        return;
    }
    for (int c = 0; c < columns; ++c)
        for (int k = 0; k < n; ++k)
            packed[static_cast<size_t>(c) * n + k] = load<T>(base + c * job.pixelStep + k * job.channelStep);
}

// Running column sums down the rows and a running window sum along each row.
template <class T>
void boxKernel(const BoxJob& job, const Target& out, int x0, int y0, int width, int height)
{
    int n = job.channels;
    size_t span = static_cast<size_t>(width + job.nCols - 1) * n;
    std::vector<int64_t> sums(span, 0);
    std::vector<T> leaving(span), entering(span);
    for (int row = y0; row < y0 + job.nRows; ++row) {
        gatherRow(job, row, x0, width + job.nCols - 1, entering.data());
        for (size_t i = 0; i < span; ++i)
            sums[i] += entering[i];
    }
    std::vector<int64_t> window(static_cast<size_t>(n));
    size_t reach = static_cast<size_t>(job.nCols) * n;
    for (int j = 0; j < height; ++j) {
        std::fill(window.begin(), window.end(), 0);
        for (size_t i = 0; i < reach; ++i)
            window[i % n] += sums[i];
        char* row = out.base + static_cast<int64_t>(j) * out.rowStep;
        for (int i = 0; i < width; ++i) {
            char* pixel = row + i * out.pixelStep + out.firstChannel * out.channelStep;
            const int64_t* drop = sums.data() + static_cast<size_t>(i) * n;
            bool write = maskAllows(job, x0 + i, y0 + j);
            for (int k = 0; k < n; ++k) {
                if (write)
                    store<T>(pixel + k * out.channelStep, job.divide(window[k]));
                if (i + 1 < width)
                    window[k] += drop[reach + k] - drop[k];
            }
        }
        if (j + 1 == height)
            break;
        gatherRow(job, y0 + j, x0, width + job.nCols - 1, leaving.data());
        gatherRow(job, y0 + j + job.nRows, x0, width + job.nCols - 1, entering.data());
        for (size_t i = 0; i < span; ++i)
            sums[i] += static_cast<int64_t>(entering[i]) - leaving[i];
    }
}

// 1-bit images: a bit is set when the mean is at least one half.
void bitKernel(const BoxJob& job, const Target& out, int x0, int y0, int width, int height)
{
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            if (!maskAllows(job, x0 + i, y0 + j))
                continue;
            int64_t sum = 0;
            for (int r = 0; r < job.nRows; ++r)
                for (int c = 0; c < job.nCols; ++c)
                    sum += ownLoadElement(job.scratch + (y0 + j + r) * job.rowStep, iplDepth1u, x0 + i + c);
            ownStoreElement(out.base + j * out.rowStep, iplDepth1u, out.pixelStep + i, 2 * sum >= job.divide.area);
        }
    }
}

// The common case, 8-bit samples of whole pixels and no mask, has a kernel of its own.
bool wholeBytePixels(int depth, const BoxJob& job, const Target& out)
{
    int64_t n = job.channels;
    return depth == iplDepth8u && !job.mask && ownByteBoxFits(job.channels, job.divide.area) &&
           job.firstSource == 0 && job.channelStep == 1 && job.pixelStep == n && out.channelStep == 1 &&
           out.pixelStep == n && out.firstChannel == 0;
}

// Rows of the bordered scratch copy that one piece of the destination reads.
class ScratchRows : public OwnBoxRows {
public:
    ScratchRows(const BoxJob& job, int x0, int y0)
        : origin_(reinterpret_cast<const uint8_t*>(job.scratch) + static_cast<int64_t>(y0) * job.rowStep +
                  static_cast<int64_t>(x0) * job.channels),
          step_(job.rowStep)
    {
    }
    const uint8_t* row(int index) override { return origin_ + index * step_; }

private:
    const uint8_t* origin_;
    int64_t step_;
};

// False when the kernel could not get its sums.
bool runKernel(int depth, const BoxJob& job, const Target& out, int x0, int y0, int width, int height)
{
    if (wholeBytePixels(depth, job, out)) {
        ScratchRows rows(job, x0, y0);
        OwnBoxRegion region(reinterpret_cast<uint8_t*>(out.base), out.rowStep);
        return ownByteBoxKernel(rows, {job.channels, job.nCols, job.nRows}, region, width, height);
    }
    switch (depth) {
    case iplDepth1u: bitKernel(job, out, x0, y0, width, height); break;
    case iplDepth8u: boxKernel<uint8_t>(job, out, x0, y0, width, height); break;
    case iplDepth8s: boxKernel<int8_t>(job, out, x0, y0, width, height); break;
    case iplDepth16u: boxKernel<uint16_t>(job, out, x0, y0, width, height); break;
    case iplDepth16s: boxKernel<int16_t>(job, out, x0, y0, width, height); break;
    default: boxKernel<int32_t>(job, out, x0, y0, width, height); break;
    }
    return true;
}

// The destination region origin of an untiled (or working) header.
Target targetOf(const IplImage* image, int firstChannel)
{
    int width, height, x;
    char* origin = ownRoiPointer(image, &width, &height, 0, &x);
    int64_t element = ownElemSize(image->depth);
    bool plane = image->dataOrder == iplDataOrderPlane;
    if (image->depth == iplDepth1u)
        return {origin, image->widthStep, x, 0, firstChannel};  // the bit offset of the region
    return {origin, image->widthStep, plane ? element : element * image->nChannels,
            plane ? static_cast<int64_t>(image->height) * image->widthStep : element, firstChannel};
}

bool argumentsRefused(const IplImage* src, const IplImage* dst, int nCols, int nRows, int anchorX, int anchorY)
{
    for (const IplImage* image : {src, dst}) {
        if (ownCheckImage(image)) {
            ownError(iplGetErrorStatus(), kFunc, "Incorrect Image", kModule);
            return true;
        }
    }
    const char* refusal = nullptr;
    if (src->depth != dst->depth) refusal = "(srcImage->depth!=dstImage->depth)";
    else if (nRows < 0 || nCols < 0) refusal = "(nRows<0||nCols<0)";
    else if (anchorX < 0 || anchorY < 0) refusal = "(anchorX<0||anchorY<0)";
    else if (anchorX >= nCols || anchorY >= nRows) refusal = "(anchorX>=nCols||anchorY>=nRows)";
    else if (src->depth == iplDepth32f) refusal = "(srcImage->depth==32)";
    if (refusal)
        ownError(iplStsBadArg, kFunc, refusal, kModule);
    return refusal != nullptr;
}

struct Plan {
    OwnRect src;
    OwnRect dst;
    int srcFirst;
    int dstFirst;
    int channels;
    int width;
    int height;
};

bool shrinkToMask(const IplImage* mask, Plan& plan)
{
    if (!mask)
        return true;
    int x, y, w, h, first, last;
    if (!ownGetRoiRect(mask, &x, &y, &w, &h, &first, &last)) {
        ownError(-18, kFunc, "bad alpha channel's number", kModule);
        return false;
    }
    plan.width = std::min(plan.width, w);
    plan.height = std::min(plan.height, h);
    return true;
}

bool makePlan(const IplImage* src, const IplImage* dst, Plan& plan)
{
    int srcLast, dstLast;
    if (!ownGetRoiRect(dst, &plan.dst.x, &plan.dst.y, &plan.dst.width, &plan.dst.height, &plan.dstFirst, &dstLast) ||
        !ownGetRoiRect(src, &plan.src.x, &plan.src.y, &plan.src.width, &plan.src.height, &plan.srcFirst, &srcLast)) {
        ownError(-18, kFunc, "bad alpha channel's number", kModule);
        return false;
    }
    plan.channels = dstLast - plan.dstFirst + 1;
    if (srcLast - plan.srcFirst + 1 != plan.channels) {
        ownError(-15, kFunc, "bad channel's number", kModule);
        return false;
    }
    plan.width = std::min(plan.src.width, plan.dst.width);
    plan.height = std::min(plan.src.height, plan.dst.height);
    return shrinkToMask(src->maskImage, plan) && shrinkToMask(dst->maskImage, plan);
}

struct MaskDeleter {
    void operator()(IplImage* image) const { iplReleaseImage(image, iplImageAll); }
};
using MaskPtr = std::unique_ptr<IplImage, MaskDeleter>;

// A mask of one plain bit plane without a region of interest already reads as the combined mask,
// unless the blur writes into its bits.
bool readsAsIs(const IplImage* mask, const IplImage* dst)
{
    std::less<const char*> before;
    const bool written = before(mask->imageData, dst->imageData + dst->imageSize) &&
                         before(dst->imageData, mask->imageData + mask->imageSize);
    return mask->depth == iplDepth1u && mask->nChannels == 1 && !mask->roi && !mask->tileInfo && mask->imageData &&
           !written;
}

// The AND of both images' masks over W x H in `result`, or null when neither has one; `use` is
// the mask to read, a single plain mask itself rather than a copy.
bool combinedMask(IplImage* src, IplImage* dst, const Plan& plan, MaskPtr& result, const IplImage*& use)
{
    IplImage* first = src->maskImage ? src->maskImage : dst->maskImage;
    use = first;
    if (!first || (!(src->maskImage && dst->maskImage) && readsAsIs(first, dst)))
        return true;
    result.reset(iplCreateImageHeader(1, 0, iplDepth1u, "GRAY", "G", first->dataOrder, first->origin, first->align,
                                      plan.width, plan.height, nullptr, nullptr, 0, nullptr));
    if (result)
        iplAllocateImage(result.get(), 0, 0);
    if (!result || !result->imageData) {
        ownError(iplStsNoMem, kFunc, "Allocation failure", kModule);
        return false;
    }
    iplCopy(first, result.get());
    if (src->maskImage && dst->maskImage)
        iplAnd(result.get(), dst->maskImage, result.get());
    use = result.get();
    return true;
}

void reportNoMemory()
{
    ownError(iplStsNoMem, kFunc, "Allocation failure", kModule);
}

void blurInto(IplImage* dst, const BoxJob& job, const Plan& plan)
{
    if (!dst->tileInfo) {
        if (!runKernel(dst->depth, job, targetOf(dst, plan.dstFirst - 1), 0, 0, plan.width, plan.height))
            reportNoMemory();
        return;
    }
    IplROI whole{0, plan.dst.x, plan.dst.y, plan.width, plan.height};
    IplImage view = *dst;
    view.roi = &whole;
    OwnPiece piece{&view, iplTileWrite};
    int failed = ownWalkPieces(&piece, 1, nullptr, plan.height, plan.width,
                               [&](IplImage* const* works, const IplImage*, int x, int y) {
        return runKernel(dst->depth, job, targetOf(works[0], plan.dstFirst - 1), x, y, works[0]->roi->width,
                         works[0]->roi->height);
    });
    if (failed == -2)
        reportNoMemory();
    else if (failed >= 0)
        ownError(-2, kFunc, "Error get tile to write", kModule);
}

struct Box {
    int nCols;
    int nRows;
    int anchorX;
    int anchorY;
};

// The scratch rectangle: where it starts in the source and how far it reaches.
struct Reach {
    int x;
    int y;
    int64_t width;
    int64_t height;
};

Reach reachOf(const Plan& plan, const Box& box)
{
    return {plan.src.x - box.anchorX, plan.src.y - box.anchorY, int64_t{plan.width} + box.nCols - 1,
            int64_t{plan.height} + box.nRows - 1};
}

// Sums of a whole scratch row and its coordinates stay within their 32-bit limits.
bool reachFits(const Reach& reach, int channels)
{
    return reach.width * channels * static_cast<int64_t>(sizeof(int64_t)) <= INT32_MAX && reach.height <= INT32_MAX &&
           reach.x + reach.width <= INT32_MAX && reach.y + reach.height <= INT32_MAX;
}

// Untiled 8-bit pixel-order images blur from a ring of rows fetched as the box reaches them.
bool streams(const IplImage* src, const IplImage* dst, const Box& box)
{
    auto plainBytes = [&](const IplImage* image) {
        return image->depth == iplDepth8u && image->dataOrder == iplDataOrderPixel && !image->tileInfo;
    };
    return plainBytes(src) && plainBytes(dst) && ownByteBoxFits(src->nChannels, int64_t{box.nCols} * box.nRows);
}

// The kernel takes whole pixels at once, so every channel of the source is blurred, except that
// one channel of several is taken out of the rows first. Only the channels asked for, at the
// pixels the mask allows, reach the destination.
bool blurRows(OwnBoxRows& rows, int channels, int first, IplImage* dst, const Plan& plan, const Box& box,
              const IplImage* mask)
{
    auto* origin = reinterpret_cast<uint8_t*>(targetOf(dst, 0).base);
    const OwnByteBox kernel{channels, box.nCols, box.nRows};
    if (!mask && channels == plan.channels && dst->nChannels == plan.channels) {
        OwnBoxRegion region(origin, dst->widthStep);
        return ownByteBoxKernel(rows, kernel, region, plan.width, plan.height);
    }
    OwnChannelSink picked({channels, first, plan.channels, dst->nChannels, plan.dstFirst - 1}, origin,
                          dst->widthStep, plan.width, mask);
    return picked.allocated() && ownByteBoxKernel(rows, kernel, picked, plan.width, plan.height);
}

bool blurRing(OwnRowRing& ring, int ringWidth, const IplImage* src, IplImage* dst, const Plan& plan, const Box& box,
              const IplImage* mask)
{
    if (plan.channels > 1 || src->nChannels == 1)
        return blurRows(ring, src->nChannels, plan.srcFirst - 1, dst, plan, box, mask);
    OwnPickedRows picked(ring, src->nChannels, plan.srcFirst - 1, ringWidth, box.nRows);
    return picked.allocated() && blurRows(picked, 1, 0, dst, plan, box, mask);
}

void blurStreamed(const IplImage* src, IplImage* dst, const Plan& plan, const Box& box, const IplImage* mask)
{
    Reach reach = reachOf(plan, box);
    OwnRowRing rows(src, reach.x, reach.y, static_cast<int>(reach.width), box.nRows);
    if (!rows.allocated() || !rows.keepFrom(dst, plan.dst.y, static_cast<int>(reach.height)) ||
        !blurRing(rows, static_cast<int>(reach.width), src, dst, plan, box, mask))
        reportNoMemory();
}

// Every other case blurs from a bordered copy of the whole scratch rectangle.
void blurFromCopy(IplImage* src, IplImage* dst, const Plan& plan, const Box& box, const IplImage* mask)
{
    Reach reach = reachOf(plan, box);
    int rowStep = 0;
    char* scratch = ownGetRect(src, reach.x, reach.y, static_cast<int>(reach.width), static_cast<int>(reach.height),
                               &rowStep);
    if (!scratch) {
        reportNoMemory();
        return;
    }
    bool plane = src->dataOrder == iplDataOrderPlane;
    int64_t element = src->depth == iplDepth1u ? 1 : ownElemSize(src->depth);
    BoxJob job{scratch, rowStep, plane ? element : element * src->nChannels,
               plane ? reach.height * rowStep : element, plan.channels, plan.srcFirst - 1, box.nCols, box.nRows,
               RoundDivider(int64_t{box.nCols} * box.nRows), mask};
    blurInto(dst, job, plan);
    iplAlignedFree(scratch);
}

} // namespace

void iplBlur(IplImage* srcImage, IplImage* dstImage, int nCols, int nRows, int anchorX, int anchorY)
{
    if (argumentsRefused(srcImage, dstImage, nCols, nRows, anchorX, anchorY))
        return;
    if (nCols == 1 && nRows == 1) {
        iplCopy(srcImage, dstImage);
        return;
    }
    Plan plan{};
    MaskPtr combined;
    const IplImage* mask = nullptr;
    if (!makePlan(srcImage, dstImage, plan) || plan.width < 1 || plan.height < 1 ||
        !combinedMask(srcImage, dstImage, plan, combined, mask))
        return;
    Box box{nCols, nRows, anchorX, anchorY};
    if (!reachFits(reachOf(plan, box), plan.channels))
        reportNoMemory();
    else if (streams(srcImage, dstImage, box))
        blurStreamed(srcImage, dstImage, plan, box, mask);
    else
        blurFromCopy(srcImage, dstImage, plan, box, mask);
}
