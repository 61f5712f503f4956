#include "piclib/common/PLIFF85Decoder.h"

#include "piclib/common/PLReadHelpers.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLIFF85.h"
#include "piclib/common/PLPackBits.h"
#include "piclib/common/PLRows.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int DeepPlanes = 24;

// HAM8 carries 6-bit values, HAM6 4-bit ones moved to the high nibble.
uint8_t hamLevel(uint32_t data, int dataBits)
{
    return static_cast<uint8_t>(dataBits == 6 ? data * 4 + data / 16 : data * 16);
}

// One step of a matrix transpose: the bits of a under mask << shift trade places with the bits
// of b under mask. Words are 64-bit integers or vectors of them.
template <class Word>
void swapMasked(Word& a, Word& b, int shift, uint64_t mask)
{
    const Word t = ((a >> shift) ^ b) & mask;
    b ^= t;
    a ^= t << shift;
}

// Byte 7 - p holds the bits of eight pixels in plane p, the leftmost pixel highest; the result
// holds the pixels, byte i the bits of pixel i. The bytes form an 8 x 8 bit matrix that is
// mirrored on its other diagonal, which leaves no byte swap to do.
template <class Word>
Word pixelsOfPlanes(Word m)
{
    swapMasked(m, m, 36, 0x000000000F0F0F0Full);
    swapMasked(m, m, 18, 0x0000333300003333ull);
    swapMasked(m, m, 9, 0x0055005500550055ull);
    return m;
}

// Planes first to first + count - 1 of the eight pixels from x on: byte i of the result holds
// the bits of pixel x + i.
inline uint64_t gatherPlanes(const uint8_t* row, int planeRow, int first, int count, int x)
{
    uint64_t m = 0;
    for (int p = 0; p < count; ++p)
        m |= uint64_t(row[(first + p) * planeRow + x / 8]) << (56 - 8 * p);
    return pixelsOfPlanes(m);
}

// Sixteen bytes of a plane row; the compiler turns the shuffles below into the processor's
// interleaving instructions, which regroup many plane bytes at once.
using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Pairs8 = uint16_t __attribute__((vector_size(16)));
using Quads4 = uint32_t __attribute__((vector_size(16)));
using Words2 = uint64_t __attribute__((vector_size(16)));

// Units of a and b taken in turn, from the first or the second half of both.
template <class Units>
Units zip(Units a, Units b, bool high)
{
    constexpr int n = sizeof(Units) / sizeof(a[0]);
    if constexpr (n == 16)
        return high ? __builtin_shufflevector(a, b, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31)
                    : __builtin_shufflevector(a, b, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    else if constexpr (n == 8)
        return high ? __builtin_shufflevector(a, b, 4, 12, 5, 13, 6, 14, 7, 15)
                    : __builtin_shufflevector(a, b, 0, 8, 1, 9, 2, 10, 3, 11);
    else
        return high ? __builtin_shufflevector(a, b, 2, 6, 3, 7) : __builtin_shufflevector(a, b, 0, 4, 1, 5);
}

// 128 pixels of eight planes from byte `at` of each plane row, one byte a pixel. Three rounds
// of interleaving put the bytes of one group of eight pixels together, highest plane first;
// then two groups at a time are turned into pixels.
void gatherBlock(const uint8_t* planes, int planeRow, int at, uint8_t* out)
{
    Bytes16 bytes[8];
    for (int p = 0; p < 8; ++p)
        std::memcpy(&bytes[7 - p], planes + p * planeRow + at, 16);
    Pairs8 pairs[8];
    for (int i = 0; i < 8; ++i)
        pairs[i] = Pairs8(zip(bytes[i & 6], bytes[(i & 6) + 1], i & 1));
    Quads4 quads[8];
    for (int i = 0; i < 8; ++i) {
        const int first = (i & 4) + (i >> 1 & 1);
        quads[i] = Quads4(zip(pairs[first], pairs[first + 2], i & 1));
    }
    for (int i = 0; i < 8; ++i) {
        Words2 words = Words2(zip(quads[i >> 1], quads[(i >> 1) + 4], i & 1));
        words = pixelsOfPlanes(words);
        std::memcpy(out + 16 * i, &words, 16);
    }
}

} // namespace

void PLIFF85Decoder::Open(PLDataSource* source)
{
    Trace(2, "Decoding IFF-85 header.\n");
    m_bHaveHeader = m_bHavePalette = m_bHaveBody = false;
    m_ViewportMode = 0;
    m_PaletteSize = 0;
    std::fill(std::begin(m_Palette), std::end(m_Palette), PLPixel32{0, 0, 0, 255});
    if (PLDWordBE(source->PeekBytes(8)) != PL_IFF_FORM)
        raiseError(PL_ERRWRONG_SIGNATURE, "File is not a single-form IFF.");
    source->Skip(4);
    const int64_t formEnd = int64_t(PLReadDWordBE(source)) + 8;
    m_FormType = PLReadDWordBE(source);
    if (m_FormType == PL_IFF_PBM)
        Trace(2, "Form type: PBM\n");
    else if (m_FormType == PL_IFF_ILBM)
        Trace(2, "Form type: ILBM\n");
    else
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown form type.");
    readChunks(source, formEnd);
    if (!m_bHaveHeader)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Header not found.");
    if (!m_bHavePalette && m_Header.planes <= 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Palette not found.");
    if (!m_bHaveBody)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Body not found.");
    checkGeometry(source, source->GetBytesConsumed(), formEnd);
    const bool transparent = m_Header.masking == MaskTransparentColour;
    const int bpp = m_Header.planes > 8 || isHAM() || transparent ? 32 : 8;
    SetBmpInfo({m_Header.width, m_Header.height}, bpp, {0, 0}, transparent, false);
}

void PLIFF85Decoder::readChunks(PLDataSource* source, int64_t formEnd)
{
    int64_t offset = 12;
    while (offset < formEnd - 1) {
        const uint32_t id = PLReadDWordBE(source);
        const uint32_t size = PLReadDWordBE(source);
        offset += 8;
        if (id == PL_IFF_BODY) {
            m_BodySize = size;
            m_bHaveBody = true;
            return;
        }
        if (id == PL_IFF_BMHD) {
            readHeader(source, size);
        } else if (id == PL_IFF_CMAP) {
            readPalette(source, size);
        } else if (id == PL_IFF_CAMG) {
            if (size != 4)
                raiseError(PL_ERRFORMAT_UNKNOWN, "Unexpected CAMG size.");
            m_ViewportMode = PLReadDWordBE(source);
        } else {
            PLSkipLength(source, size);
        }
        // Chunks of odd size are followed by a pad byte.
        const uint32_t pad = size & 1;
        PLSkipLength(source, std::min<uint32_t>(pad, source->GetBytesLeft()));
        offset += int64_t(size) + pad;
    }
}

void PLIFF85Decoder::readHeader(PLDataSource* source, uint32_t size)
{
    if (size != 20)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unexpected header size.");
    const uint8_t* h = source->ReadBytes(20);
    BitmapHeader& b = m_Header;
    b.width = PLWordBE(h);
    b.height = PLWordBE(h + 2);
    b.x = static_cast<int16_t>(PLWordBE(h + 4));
    b.y = static_cast<int16_t>(PLWordBE(h + 6));
    b.planes = h[8];
    b.masking = h[9];
    b.compression = h[10];
    b.pad = h[11];
    b.transparentColour = PLWordBE(h + 12);
    b.xAspect = h[14];
    b.yAspect = h[15];
    b.pageWidth = static_cast<int16_t>(PLWordBE(h + 16));
    b.pageHeight = static_cast<int16_t>(PLWordBE(h + 18));
    static const char* const Maskings[] = {"No masking.\n", "Has mask plane.\n", "Has transparent colour.\n", "Lasso"};
    if (b.masking > MaskLasso)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown masking technique.");
    Trace(2, Maskings[b.masking]);
    if (b.compression > 1)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown compression method.");
    Trace(2, b.compression ? "Byte run encoding.\n" : "No compression.\n");
    m_bHaveHeader = true;
}

void PLIFF85Decoder::readPalette(PLDataSource* source, uint32_t size)
{
    const uint32_t count = size / 3;
    if (count > 256)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Too many CMAP entries.");
    const uint8_t* rgb = source->ReadBytes(static_cast<int>(size));
    for (uint32_t i = 0; i < count; ++i)
        m_Palette[i] = {rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 255};
    m_PaletteSize = static_cast<int>(count);
    m_bHavePalette = true;
}

int PLIFF85Decoder::rowBytes() const
{
    if (m_FormType == PL_IFF_PBM)
        return (m_Header.width + 1) & ~1;
    const int planes = m_Header.planes + (m_Header.masking == MaskPlane ? 1 : 0);
    return planeRowBytes() * planes;
}

void PLIFF85Decoder::checkGeometry(PLDataSource* source, int64_t bodyOffset, int64_t formEnd) const
{
    const int planes = m_Header.planes;
    if (m_FormType == PL_IFF_PBM ? planes != 8 : (planes > 8 && planes != DeepPlanes))
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported number of planes.");
    if (isHAM() && planes != 6 && planes != 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported number of HAM planes.");
    const int64_t rowSize = rowBytes();
    const int64_t height = m_Header.height;
    // A ByteRun1 row takes at least two bytes for every 128 it produces.
    const int64_t smallest = m_Header.compression ? height * ((rowSize + 127) / 128) * 2 : rowSize * height;
    if (m_Header.compression ? m_BodySize < smallest : m_BodySize != smallest)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unexpected body size.");
    if (bodyOffset + m_BodySize > formEnd)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Body extends beyond form.");
    if (m_BodySize > static_cast<uint32_t>(source->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    const int colourBits = isHAM() ? planes - 2 : planes;
    if (planes <= 8 && m_PaletteSize > (1 << colourBits))
        raiseError(PL_ERRFORMAT_UNKNOWN, "Too many CMAP entries.");
}

void PLIFF85Decoder::GetImage(PLBmp& bmp)
{
    Trace(2, "Decoding IFF-85 body.\n");
    if (GetBitsPerPixel() == 8)
        bmp.SetPaletteEntries(m_Palette);
    PLLockGuard lock(bmp);
    PLDataSource* source = GetDataSource();
    m_BodyLeft = m_BodySize;
    std::vector<uint8_t> row(rowBytes());
    std::vector<uint32_t> values(m_Header.width);
    const bool deep = m_FormType == PL_IFF_ILBM && m_Header.planes == DeepPlanes;
    std::vector<uint8_t> components;
    for (int y = 0; y < m_Header.height; ++y) {
        const uint8_t* planes = readRow(source, row);
        if (deep) {
            writeDeepLine(planes, reinterpret_cast<PLPixel32*>(bmp.GetLine(y)), components);
            continue;
        }
        combinePlanes(planes, values);
        writeLine(values, bmp.GetLine(y));
    }
}

const uint8_t* PLIFF85Decoder::readRow(PLDataSource* source, std::vector<uint8_t>& row)
{
    const int size = static_cast<int>(row.size());
    if (m_Header.compression == 0) {
        m_BodyLeft -= size;
        return source->ReadBytes(size);
    }
    const int available = static_cast<int>(std::min<int64_t>(m_BodyLeft, source->GetBytesLeft()));
    const PLPackBitsResult r = PLExpandPackBits(source->PeekBytes(available), available, row.data(), size);
    if (r.overrun || r.produced < size)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unexpected body size.");
    source->Skip(r.used);
    m_BodyLeft -= r.used;
    return row.data();
}

// Bit x of plane p becomes bit p of pixel x; PBM rows hold one byte a pixel. Eight planes are
// combined at a time.
void PLIFF85Decoder::combinePlanes(const uint8_t* row, std::vector<uint32_t>& values) const
{
    const int width = m_Header.width;
    if (m_FormType == PL_IFF_PBM) {
        std::copy(row, row + width, values.begin());
        return;
    }
    std::fill(values.begin(), values.end(), 0u);
    for (int first = 0; first < m_Header.planes; first += 8)
        for (int x = 0; x < width; x += 8) {
            const uint64_t bytes = gatherPlanes(row, planeRowBytes(), first, std::min(8, m_Header.planes - first), x);
            for (int i = 0; i < std::min(8, width - x); ++i)
                values[x + i] |= uint32_t((bytes >> (8 * i)) & 0xFF) << first;
        }
}

// Deep pictures hold red, green and blue in eight planes each: every component row is
// gathered whole, then the three are woven into the line.
void PLIFF85Decoder::writeDeepLine(const uint8_t* row, PLPixel32* line, std::vector<uint8_t>& components) const
{
    const int width = m_Header.width, planeRow = planeRowBytes();
    const size_t stride = size_t(planeRow) * 8;
    components.resize(3 * stride);
    for (int c = 0; c < 3; ++c) {
        uint8_t* out = components.data() + c * stride;
        int x = 0;
        for (; x / 8 + 16 <= planeRow; x += 128)
            gatherBlock(row + 8 * c * planeRow, planeRow, x / 8, out + x);
        for (; x < width; x += 8) {
            const uint64_t bytes = gatherPlanes(row, planeRow, 8 * c, 8, x);
            std::memcpy(out + x, &bytes, 8);
        }
    }
    PLWeavePlanes(line, width, components.data(), components.data() + stride, components.data() + 2 * stride);
}

void PLIFF85Decoder::writeLine(const std::vector<uint32_t>& values, uint8_t* line) const
{
    const int width = m_Header.width;
    if (GetBitsPerPixel() == 8) {
        std::copy(values.begin(), values.end(), line);
        return;
    }
    auto* pixels = reinterpret_cast<PLPixel32*>(line);
    if (isHAM())
        return writeHAMLine(values, pixels);
    for (int x = 0; x < width; ++x) {
        const uint32_t v = values[x];
        pixels[x] = m_Palette[v & 0xFF];
        pixels[x].a = v == m_Header.transparentColour ? 0 : 255;
    }
}

void PLIFF85Decoder::writeHAMLine(const std::vector<uint32_t>& values, PLPixel32* line) const
{
    const int dataBits = m_Header.planes - 2;
    PLPixel32 held{0, 0, 0, 255};
    for (size_t x = 0; x < values.size(); ++x) {
        const uint32_t control = values[x] >> dataBits;
        const uint32_t data = values[x] & ((1u << dataBits) - 1);
        switch (control) {
        case 0: held = m_Palette[data]; break;
        case 1: held.b = hamLevel(data, dataBits); break;
        case 2: held.r = hamLevel(data, dataBits); break;
        default: held.g = hamLevel(data, dataBits); break;
        }
        line[x] = held;
    }
}
