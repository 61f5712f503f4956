#include "piclib/common/PLBmpDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLBmpLock.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

bool isSignature(const uint8_t* s)
{
    static const char* const Signatures[] = {"BM", "BA", "IC", "CI", "CP"};
    return std::any_of(std::begin(Signatures), std::end(Signatures),
                       [&](const char* sig) { return s[0] == sig[0] && s[1] == sig[1]; });
}

int dotsPerInch(int32_t pelsPerMeter)
{
    if (pelsPerMeter <= 0)
        return 0;
    const int dpi = static_cast<int>(pelsPerMeter * 0.0254 + 0.5);
    return dpi < 2 ? 0 : dpi;
}

// Brings a masked channel to 8 bits.
uint8_t channel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 255;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    int width = 0;
    while (shift + width < 32 && ((mask >> (shift + width)) & 1))
        ++width;
    const uint32_t value = (pixel & mask) >> shift;
    if (width >= 8)
        return static_cast<uint8_t>(value >> (width - 8));
    return static_cast<uint8_t>(value * 255 / ((1u << width) - 1));
}

} // namespace

void PLBmpDecoder::Open(PLDataSource* source)
{
    m_bHaveHeader = false;
    std::fill(std::begin(m_Palette), std::end(m_Palette), PLPixel32{0, 0, 0, 255});
    std::fill(std::begin(m_Masks), std::end(m_Masks), 0u);
    const int fileStart = readFileHeader(source);
    const int dataOffset = static_cast<int>(std::min<uint32_t>(source->ReadDWordLE(), INT_MAX));
    readInfoHeader(source);
    seekToPixels(source, fileStart, dataOffset);
    Trace(2, "Bitmap header is ok.\n");
    const int dpiX = dotsPerInch(m_Header.xPelsPerMeter), dpiY = dotsPerInch(m_Header.yPelsPerMeter);
    const int bpp = m_Header.bitCount <= 8 ? 8 : 32;
    SetBmpInfo({m_Header.width, m_Header.height}, bpp, {dpiX, dpiY}, m_Header.bitCount == 32, false);
}

// Skips bitmap-array headers; returns where the file header of the bitmap starts.
int PLBmpDecoder::readFileHeader(PLDataSource* source)
{
    int start = source->GetBytesConsumed();
    const uint8_t* signature = source->ReadBytes(2);
    while (signature[0] == 'B' && signature[1] == 'A') {
        source->Skip(12);
        start = source->GetBytesConsumed();
        signature = source->ReadBytes(2);
    }
    if (!isSignature(signature))
        raiseError(PL_ERRWRONG_SIGNATURE, "Bitmap decoder: This isn't a bitmap.");
    Trace(2, "Bitmap file signature found\n");
    source->Skip(8);
    return start;
}

void PLBmpDecoder::readInfoHeader(PLDataSource* source)
{
    Header& h = m_Header;
    h = Header{};
    h.size = source->ReadDWordLE();
    int entryBytes = 4;
    if (h.size == 12) {
        h.width = source->ReadWordLE();
        h.height = source->ReadWordLE();
        h.planes = source->ReadWordLE();
        h.bitCount = source->ReadWordLE();
        entryBytes = 3;
    } else if (h.size >= 40) {
        h.width = static_cast<int32_t>(source->ReadDWordLE());
        h.height = static_cast<int32_t>(source->ReadDWordLE());
        h.planes = source->ReadWordLE();
        h.bitCount = source->ReadWordLE();
        h.compression = source->ReadDWordLE();
        h.imageSize = source->ReadDWordLE();
        h.xPelsPerMeter = static_cast<int32_t>(source->ReadDWordLE());
        h.yPelsPerMeter = static_cast<int32_t>(source->ReadDWordLE());
        h.colorsUsed = source->ReadDWordLE();
        h.colorsImportant = source->ReadDWordLE();
        // Masks follow a 40-byte header, or sit inside the longer Windows headers.
        const bool bitFields = h.compression == 3 || h.compression == 6;
        const int maskCount = h.size == 40 ? (h.compression == 6 ? 4 : bitFields ? 3 : 0)
                                           : std::min<int>((h.size - 40) / 4, 4);
        for (int i = 0; i < maskCount; ++i)
            m_Masks[i] = source->ReadDWordLE();
        if (h.size > 40)
            source->Skip(static_cast<int>(std::min<uint32_t>(h.size - 40 - 4 * maskCount, INT_MAX)));
        const bool windowsHeader = h.size == 40 || h.size == 52 || h.size == 56 || h.size == 108 || h.size == 124;
        entryBytes = windowsHeader ? 4 : 3;
    } else {
        raiseError(PL_ERRWRONG_SIGNATURE, "Bitmap decoder: Unknown header size.");
    }
    m_bHaveHeader = true;
    m_bTopDown = h.height < 0;
    if (h.width <= 0 || h.height == 0 || h.height == INT_MIN)
        raiseError(PL_ERRWRONG_SIGNATURE, "Bitmap decoder: Invalid picture size.");
    h.height = m_bTopDown ? -h.height : h.height;
    PLCheckBitmapSize(h.width, h.height, 32);
    if (h.bitCount <= 8)
        readPalette(source, entryBytes);
}

void PLBmpDecoder::readPalette(PLDataSource* source, int entryBytes)
{
    const uint32_t maximum = 1u << m_Header.bitCount;
    if (m_Header.colorsUsed > maximum)
        raiseError(PL_ERRWRONG_SIGNATURE, "Bitmap decoder: More colours than the bit depth allows.");
    const uint32_t count = (m_Header.colorsUsed == 0 || m_Header.bitCount < 8) ? maximum : m_Header.colorsUsed;
    Trace(3, "Reading palette.\n");
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = source->ReadBytes(entryBytes);
        m_Palette[i] = {entry[0], entry[1], entry[2], 255};
    }
}

void PLBmpDecoder::seekToPixels(PLDataSource* source, int fileStart, int dataOffset)
{
    const int64_t target = static_cast<int64_t>(fileStart) + dataOffset;
    const int here = source->GetBytesConsumed();
    if (target > here && target < source->GetFileSize())
        source->Skip(static_cast<int>(target - here));
    if (m_Header.compression != 0 && m_Header.bitCount <= 8)
        return;
    // Uncompressed data must be all there before the picture is allocated.
    const int64_t lineBytes = PLPackedLineBytes(m_Header.width, m_Header.bitCount);
    const int64_t needed = ((lineBytes + 3) & ~int64_t(3)) * (m_Header.height - 1) + lineBytes;
    if (m_Header.bitCount <= 32 && needed > source->GetBytesLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
}

uint8_t* PLBmpDecoder::lineOf(PLBmp& bmp, int fileLine) const
{
    return bmp.GetLine(m_bTopDown ? fileLine : m_Header.height - 1 - fileLine);
}

void PLBmpDecoder::GetImage(PLBmp& bmp)
{
    if (GetBitsPerPixel() == 8)
        bmp.SetPaletteEntries(m_Palette);
    PLBmpLock lock(bmp);
    const bool compressed = m_Header.compression != 0;
    switch (m_Header.bitCount) {
    case 1:
        Trace(2, "Decoding 1 bit per pixel bitmap.\n");
        return decode1Bit(bmp, GetDataSource());
    case 4:
        Trace(2, compressed ? "Decoding RLE4-compressed bitmap.\n" : "Decoding uncompressed 4 bit per pixel bitmap.\n");
        return compressed ? decodeRLE(bmp, GetDataSource(), true) : decode4Bit(bmp, GetDataSource());
    case 8:
        Trace(2, compressed ? "Decoding RLE8-compressed bitmap.\n" : "Decoding uncompressed 8 bit per pixel bitmap.\n");
        return compressed ? decodeRLE(bmp, GetDataSource(), false) : decode8Bit(bmp, GetDataSource());
    case 16:
    case 24:
    case 32:
        Trace(2, "Decoding true-color bitmap.\n");
        return decodeTrueColour(bmp, GetDataSource());
    default:
        raiseError(PL_ERRFORMAT_UNKNOWN, "Decoding bmp: Illegal bpp value.");
    }
}

void PLBmpDecoder::Close()
{
    m_bHaveHeader = false;
    PLPicDecoder::Close();
}

void PLBmpDecoder::skipPadding(PLDataSource* source, int lineBytes)
{
    const int padding = ((lineBytes + 3) & ~3) - lineBytes;
    source->Skip(std::min(padding, source->GetBytesLeft()));
}

void PLBmpDecoder::decode1Bit(PLBmp& bmp, PLDataSource* source)
{
    const int width = m_Header.width;
    const int lineBytes = (width + 7) / 8;
    for (int y = 0; y < m_Header.height; ++y) {
        const uint8_t* bits = source->ReadBytes(lineBytes);
        uint8_t* dst = lineOf(bmp, y);
        for (int x = 0; x < width; ++x)
            dst[x] = (bits[x / 8] >> (7 - x % 8)) & 1;
        skipPadding(source, lineBytes);
    }
}

void PLBmpDecoder::decode4Bit(PLBmp& bmp, PLDataSource* source)
{
    const int width = m_Header.width;
    const int lineBytes = (width + 1) / 2;
    for (int y = 0; y < m_Header.height; ++y) {
        const uint8_t* bits = source->ReadBytes(lineBytes);
        uint8_t* dst = lineOf(bmp, y);
        for (int x = 0; x < width; ++x)
            dst[x] = (x & 1) ? bits[x / 2] & 0x0F : bits[x / 2] >> 4;
        skipPadding(source, lineBytes);
    }
}

void PLBmpDecoder::decode8Bit(PLBmp& bmp, PLDataSource* source)
{
    const int width = m_Header.width;
    for (int y = 0; y < m_Header.height; ++y) {
        std::memcpy(lineOf(bmp, y), source->ReadBytes(width), width);
        skipPadding(source, width);
    }
}

// RLE8 and RLE4 share their codes; RLE4 packs two pixels in a byte, high nibble first.
void PLBmpDecoder::decodeRLE(PLBmp& bmp, PLDataSource* source, bool nibbles)
{
    auto pixel = [nibbles](const uint8_t* bytes, int i) {
        return nibbles ? uint8_t((i & 1) ? bytes[i / 2] & 0x0F : bytes[i / 2] >> 4) : bytes[i];
    };
    const int width = m_Header.width;
    int x = 0;
    for (int y = 0; y < m_Header.height;) {
        uint8_t* dst = lineOf(bmp, y);
        const uint8_t* code = source->ReadBytes(2);
        const int n = code[0], e = code[1];
        if (n != 0) {
            for (int i = 0; i < n && x < width; ++i)
                dst[x++] = pixel(code + 1, nibbles ? (i & 1) : 0);
        } else if (e == 0) {
            ++y, x = 0;
        } else if (e == 1) {
            return;
        } else if (e == 2) {
            raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Encountered delta escape.");
        } else {
            const int byteCount = nibbles ? (e + 1) / 2 : e;
            const uint8_t* bytes = source->ReadBytes(byteCount);
            for (int i = 0; i < e && x < width; ++i)
                dst[x++] = pixel(bytes, i);
            if (byteCount & 1)
                source->Skip(1);
        }
    }
}

void PLBmpDecoder::decodeTrueColour(PLBmp& bmp, PLDataSource* source)
{
    const int bitCount = m_Header.bitCount;
    if (bitCount == 32 && (m_Header.compression == 3 || m_Header.compression == 6))
        return decode32WithMasks(bmp, source);
    const int width = m_Header.width;
    const int lineBytes = width * bitCount / 8;
    const bool is565 = bitCount == 16 && m_Header.compression != 0 &&
                       !(m_Masks[0] == 0x7C00 && m_Masks[1] == 0x3E0 && m_Masks[2] == 0x1F);
    for (int y = 0; y < m_Header.height; ++y) {
        const uint8_t* src = source->ReadBytes(lineBytes);
        auto* dst = reinterpret_cast<PLPixel32*>(lineOf(bmp, y));
        for (int x = 0; x < width; ++x) {
            if (bitCount == 32) {
                dst[x] = {src[4 * x], src[4 * x + 1], src[4 * x + 2], src[4 * x + 3]};
            } else if (bitCount == 24) {
                dst[x] = {src[3 * x], src[3 * x + 1], src[3 * x + 2], 255};
            } else {
                const int w = src[2 * x] | src[2 * x + 1] << 8;
                const int shift = is565 ? 0 : 1;
                dst[x] = {static_cast<uint8_t>((w & 0x1F) << 3), static_cast<uint8_t>((w >> (3 - shift)) & 0xF8),
                          static_cast<uint8_t>((w >> (8 - shift)) & 0xF8), 255};
            }
        }
        skipPadding(source, lineBytes);
    }
    if (bitCount == 32)
        makeOpaqueIfAlphaUnused(bmp);
}

void PLBmpDecoder::decode32WithMasks(PLBmp& bmp, PLDataSource* source)
{
    const int width = m_Header.width;
    for (int y = 0; y < m_Header.height; ++y) {
        const uint8_t* src = source->ReadBytes(width * 4);
        auto* dst = reinterpret_cast<PLPixel32*>(lineOf(bmp, y));
        for (int x = 0; x < width; ++x) {
            const uint32_t p = src[4 * x] | src[4 * x + 1] << 8 | src[4 * x + 2] << 16 | uint32_t(src[4 * x + 3]) << 24;
            dst[x] = {channel(p, m_Masks[2]), channel(p, m_Masks[1]), channel(p, m_Masks[0]), channel(p, m_Masks[3])};
        }
    }
    makeOpaqueIfAlphaUnused(bmp);
}

// Most 32-bit files leave the fourth byte at 0 without meaning transparency.
void PLBmpDecoder::makeOpaqueIfAlphaUnused(PLBmp& bmp)
{
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        const auto* line = reinterpret_cast<const PLPixel32*>(bmp.GetLine(y));
        for (int x = 0; x < bmp.GetWidth(); ++x)
            if (line[x].a != 0)
                return;
    }
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
        for (int x = 0; x < bmp.GetWidth(); ++x)
            line[x].a = 255;
    }
}
