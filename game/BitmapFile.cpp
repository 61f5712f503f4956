#include "game/BitmapFile.h"

#include "platform/gdi/Dib.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstring>
#include <memory>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr long kMaxFileBytes = 64L << 20;

DWORD ReadDword(const BYTE* p)
{
    DWORD v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

std::optional<PackedBitmap> ParseBitmapFile(const std::vector<BYTE>& file)
{
    if (file.size() < kFileHeaderBytes + sizeof(BITMAPINFOHEADER) || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    BITMAPINFOHEADER h;
    std::memcpy(&h, file.data() + kFileHeaderBytes, sizeof(h));
    const WORD depths[] = {1, 4, 8, 16, 24, 32};
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > file.size() - kFileHeaderBytes ||
        h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1 ||
        std::find(std::begin(depths), std::end(depths), h.biBitCount) == std::end(depths))
        return std::nullopt;
    const DWORD maxColours = h.biBitCount <= 8 ? (1u << h.biBitCount) : 0;
    const DWORD colours = h.biClrUsed ? h.biClrUsed : maxColours;
    if (colours > maxColours)
        return std::nullopt;
    const size_t tableEnd = kFileHeaderBytes + h.biSize + size_t(colours) * sizeof(RGBQUAD);
    const DWORD offset = ReadDword(file.data() + 10);
    const DWORD imageBytes = DibImageSize(&h);
    if (imageBytes == 0 || offset < tableEnd || offset > file.size() || file.size() - offset < imageBytes)
        return std::nullopt;
    PackedBitmap bitmap;
    h.biSize = sizeof(BITMAPINFOHEADER);
    bitmap.infoWords.resize((sizeof(h) + colours * sizeof(RGBQUAD)) / 4);
    std::memcpy(bitmap.infoWords.data(), &h, sizeof(h));
    std::memcpy(reinterpret_cast<BYTE*>(bitmap.infoWords.data()) + sizeof(h), file.data() + tableEnd - colours * 4,
                colours * sizeof(RGBQUAD));
    bitmap.bits = file.data() + offset;
    bitmap.width = int(h.biWidth);
    bitmap.height = int(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    bitmap.colours = int(colours);
    return bitmap;
}

std::optional<std::vector<BYTE>> ReadWholeFile(const char* path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path, "rb"), std::fclose);
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const long size = std::ftell(f.get());
    if (size < 0 || size > kMaxFileBytes || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return std::nullopt;
    std::vector<BYTE> bytes(static_cast<size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}
