// Run-length coded bitmaps from arbitrary bytes: the first three bytes give width, height and
// RLE4 or RLE8, the rest is the coded data. Expansion must never overrun; what expands must
// survive compression and expansion unchanged.
#include "imaging/ipl/IplDib.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRle.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    iplRedirectError(iplSilentReport);
    iplSetErrorMode(iplErrModeSilent);
    int width = data[0] % 64 + 1;
    int height = data[1] % 64 + 1;
    bool rle4 = data[2] & 1;
    const uint8_t* stream = data + 3;
    size_t length = size - 3;

    std::vector<uint8_t> indices;
    OwnRleResult result = ownDecompressRle(stream, length, rle4, width, height, indices);
    if (result.status == 0) {
        std::vector<uint8_t> packed(static_cast<size_t>(width) * height * 2 + 2 * height + 2);
        size_t written = 0;
        if (ownCompressRle(indices.data(), width, height, rle4, packed.data(), packed.size(), &written).status != 0)
            std::abort();
        std::vector<uint8_t> again;
        if (ownDecompressRle(packed.data(), written, rle4, width, height, again).status != 0 || again != indices)
            std::abort();
    }

    int colours = rle4 ? 16 : 256;
    std::vector<uint64_t> block((sizeof(BITMAPINFOHEADER) + 4 * colours + length) / 8 + 1);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = rle4 ? 4 : 8;
    header->biCompression = rle4 ? BI_RLE4 : BI_RLE8;
    header->biSizeImage = static_cast<DWORD>(length);
    if (length)
        std::memcpy(reinterpret_cast<uint8_t*>(header + 1) + 4 * colours, stream, length);
    BOOL clone = 0;
    iplReleaseImage(iplTranslateDIB(header, &clone), iplImageAll);
    return 0;
}
