#include "View/HyperOleViewDib.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr DWORD kMinInfoBytes = 40;
constexpr DWORD kRle8 = 1;
constexpr DWORD kRle4 = 2;
constexpr DWORD kBitFields = 3;
constexpr size_t kBitFieldMaskBytes = 12;
// Two bytes of runs draw at most 255 pixels; a blank line's end code a few hundred more.
constexpr uint64_t kMaxPixelsPerRunByte = 256;

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

// Run-length pixels that a few bytes claim for a huge picture would keep every later step
// busy with the whole picture; real runs don't reach that far.
bool RunsCanFill(const BYTE* dib, uint64_t imageBytes)
{
    const DWORD compression = Dword(dib + 16);
    if (compression != kRle8 && compression != kRle4)
        return true;
    return Extent(dib + 4) * Extent(dib + 8) <= imageBytes * kMaxPixelsPerRunByte;
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
    if (imageBytes == 0 || packedBytes > size || !RunsCanFill(dib, imageBytes))
        return {};
    std::vector<BYTE> file(kFileHeaderBytes + packedBytes);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(&file[2], static_cast<DWORD>(file.size()));
    PutDword(&file[10], static_cast<DWORD>(kFileHeaderBytes + infoBytes + tableBytes));
    std::memcpy(&file[kFileHeaderBytes], dib, static_cast<size_t>(packedBytes));
    return file;
}
