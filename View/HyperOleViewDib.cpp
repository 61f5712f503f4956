#include "View/HyperOleViewDib.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr DWORD kMinInfoBytes = 40;
constexpr DWORD kBitFields = 3;
constexpr size_t kBitFieldMaskBytes = 12;
// Plain rows hold at least a pixel in every eight bits; two bytes of runs draw at most 255
// pixels, and a blank line's end code a few hundred more.
constexpr uint64_t kMaxPixelsPerByte = 256;

DWORD Dword(const BYTE* at)
{
    DWORD value = 0;
    std::memcpy(&value, at, 4);
    return value;
}

WORD Word(const BYTE* at)
{
    WORD value = 0;
    std::memcpy(&value, at, 2);
    return value;
}

void PutDword(BYTE* at, DWORD value) { std::memcpy(at, &value, 4); }

// Width or height: negative heights stand for top-down rows.
uint64_t Extent(const BYTE* at)
{
    return static_cast<uint64_t>(std::abs(int64_t{static_cast<int32_t>(Dword(at))}));
}

// The colour table: the used colours, or all of a palette picture when none are named.
uint64_t ColourTableBytes(DWORD clrUsed, unsigned bits)
{
    if (clrUsed)
        return uint64_t{clrUsed} * 4;
    return bits < 16 ? (uint64_t{1} << bits) * 4 : 0;
}

// The pixel bytes the header names; without a size, rows of 32-bit aligned pixels.
uint64_t ImageBytes(const BYTE* dib, unsigned bits)
{
    const DWORD sizeImage = Dword(dib + 20);
    if (sizeImage)
        return sizeImage;
    const uint64_t stride = (Extent(dib + 4) * bits + 31) / 32 * 4;
    return stride * Extent(dib + 8);
}

// Pixels that a few bytes (of runs, or of an unknown compression) claim for a huge picture
// would keep every later step busy with the whole picture; real pictures don't reach that far.
bool BytesCanFill(const BYTE* dib, uint64_t imageBytes)
{
    return Extent(dib + 4) * Extent(dib + 8) <= imageBytes * kMaxPixelsPerByte;
}

} // namespace

std::vector<BYTE> BmpFileFromPackedDib(const BYTE* dib, size_t size)
{
    if (!dib || size < kMinInfoBytes)
        return {};
    const DWORD infoBytes = Dword(dib);
    const unsigned bits = unsigned{Word(dib + 12)} * Word(dib + 14);
    if (infoBytes < kMinInfoBytes || infoBytes > size || bits == 0 || bits > 32)
        return {};
    uint64_t tableBytes = ColourTableBytes(Dword(dib + 32), bits);
    if (Dword(dib + 16) == kBitFields && infoBytes == kMinInfoBytes)
        tableBytes += kBitFieldMaskBytes;
    const uint64_t imageBytes = ImageBytes(dib, bits);
    const uint64_t packedBytes = infoBytes + tableBytes + imageBytes;
    if (imageBytes == 0 || packedBytes > size || !BytesCanFill(dib, imageBytes))
        return {};
    std::vector<BYTE> file(kFileHeaderBytes + packedBytes);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(&file[2], static_cast<DWORD>(file.size()));
    PutDword(&file[10], static_cast<DWORD>(kFileHeaderBytes + infoBytes + tableBytes));
    std::memcpy(&file[kFileHeaderBytes], dib, static_cast<size_t>(packedBytes));
    return file;
}
