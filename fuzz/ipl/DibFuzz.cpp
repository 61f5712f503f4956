// Packed bitmaps of every depth and compression from arbitrary bytes: the first 40 bytes are
// the header, the rest fills the colour table and the rows, laid out as large as the header
// says. The image made from them must lie inside the bitmap or in memory of its own.
#include "imaging/ipl/IplDib.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int64_t kMaxPixels = 1 << 16;
// Rows of the largest picture at 32 bits (a column of 65,536 pixels); larger blocks only make
// each input slower.
constexpr int64_t kMaxBlock = 4 * kMaxPixels;

// Bytes the header asks for after itself, counted without the library's help; -1 when too many.
int64_t BytesAfterHeader(const BITMAPINFOHEADER& h)
{
    int64_t entries = h.biClrUsed;
    if (h.biBitCount <= 8 && !entries)
        entries = int64_t(1) << h.biBitCount;
    if (h.biCompression == BI_BITFIELDS)
        entries = std::max<int64_t>(entries, 3);
    int64_t height = std::abs(int64_t(h.biHeight));
    if (h.biWidth <= 0 || int64_t(h.biWidth) * height > kMaxPixels || entries > kMaxBlock)
        return -1;
    int64_t rows = (int64_t(h.biWidth) * h.biBitCount + 31) / 32 * 4 * height;
    if (h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4)
        rows = h.biSizeImage;
    if (rows > kMaxBlock)
        return -1;
    return 4 * entries + rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BITMAPINFOHEADER header;
    if (size < sizeof header)
        return 0;
    iplRedirectError(iplSilentReport);
    iplSetErrorMode(iplErrModeSilent);
    std::memcpy(&header, data, sizeof header);
    int64_t after = BytesAfterHeader(header);
    if (after < 0)
        return 0;
    // Exactly as large as the header says, so that a read past it is caught; what the input
    // doesn't fill is zero. Filled by memcpy and memset: an element-wise fill took a quarter
    // of the time.
    const size_t length = sizeof header + size_t(after);
    std::unique_ptr<uint64_t[]> block(new uint64_t[length / 8 + 1]);
    auto* bytes = reinterpret_cast<uint8_t*>(block.get());
    const size_t given = std::min(size, length);
    std::memcpy(bytes, data, given);
    std::memset(bytes + given, 0, (length / 8 + 1) * 8 - given);
    BOOL clone = 0;
    IplImage* image = iplTranslateDIB(reinterpret_cast<BITMAPINFOHEADER*>(bytes), &clone);
    if (!image)
        return 0;
    // Reads every byte the image claims, wherever it lives.
    volatile uint8_t sum = 0;
    for (int i = 0; i < image->imageSize; ++i)
        sum = sum + uint8_t(image->imageData[i]);
    iplReleaseImage(image, clone ? iplImageAll : iplImageHeader);
    return 0;
}
