#include "View/HyperOleViewDib.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr DWORD kMinInfoBytes = 40;
constexpr DWORD kBitFields = 3;
constexpr size_t kBitFieldMaskBytes = 12;

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
    const auto width = static_cast<int32_t>(Dword(dib + 4));
    const auto height = static_cast<int32_t>(Dword(dib + 8));
    const uint64_t stride = (uint64_t(std::abs(int64_t{width})) * bits + 31) / 32 * 4;
    return stride * uint64_t(std::abs(int64_t{height}));
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
    if (imageBytes == 0 || packedBytes > size)
        return {};
    std::vector<BYTE> file(kFileHeaderBytes + packedBytes);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(&file[2], static_cast<DWORD>(file.size()));
    PutDword(&file[10], static_cast<DWORD>(kFileHeaderBytes + infoBytes + tableBytes));
    std::memcpy(&file[kFileHeaderBytes], dib, static_cast<size_t>(packedBytes));
    return file;
}
