#include "piclib/common/PLPCXDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLRows.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>
#include <tmmintrin.h>

static_assert(std::endian::native == std::endian::little, "run markers are found in little-endian words");

namespace {

constexpr int64_t MaxDecodedBytes = int64_t(1) << 30;
// A run packet of two bytes yields at most 63 bytes.
constexpr int MaxRunLength = 63;

} // namespace

void PLPCXDecoder::Open(PLDataSource* source)
{
    Trace(2, "Decoding PCX.\n");
    readHeader(source);
    checkHeader();
    SetBmpInfo({m_Width, m_Height}, 32, {m_Header.hRes, m_Header.vRes}, false, false);
}

void PLPCXDecoder::readHeader(PLDataSource* source)
{
    Header& h = m_Header;
    h.manufacturer = source->ReadByte();
    h.version = source->ReadByte();
    h.encoding = source->ReadByte();
    h.bitsPerPixel = source->ReadByte();
    h.xMin = source->ReadWordLE();
    h.yMin = source->ReadWordLE();
    h.xMax = source->ReadWordLE();
    h.yMax = source->ReadWordLE();
    h.hRes = source->ReadWordLE();
    h.vRes = source->ReadWordLE();
    std::memcpy(h.colorMap, source->ReadBytes(48), 48);
    h.reserved = source->ReadByte();
    h.planes = source->ReadByte();
    h.bytesPerLine = source->ReadWordLE();
    h.paletteInfo = source->ReadWordLE();
    source->Skip(58);
    m_Width = h.xMax - h.xMin + 1;
    m_Height = h.yMax - h.yMin + 1;
}

void PLPCXDecoder::checkHeader() const
{
    const Header& h = m_Header;
    if (h.manufacturer != 10)
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pcx: Not a PCX file.");
    if (h.encoding != 1)
        raiseError(PL_ERRWRONG_SIGNATURE, "File has unknown encoding scheme.");
    const int bits = h.bitsPerPixel;
    if (bits == 1) {
        if (h.planes > 4)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Can't handle image with more than 4 planes.");
    } else if ((bits != 2 && bits != 4 && bits != 8) || (h.planes != 1 && h.planes != 3)) {
        raiseError(PL_ERRFORMAT_UNKNOWN, "Can't handle bits per pixel image with planes.");
    }
    if (m_Width <= 0 || m_Height <= 0 || h.planes == 0)
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pcx: Invalid picture size.");
    // Each plane's line must hold the width's pixels.
    const int pixelBits = h.planes == 1 ? bits : (bits == 8 ? 8 : 1);
    if (int64_t(h.bytesPerLine) * 8 < int64_t(m_Width) * pixelBits)
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pcx: Bytes per line too small for the width.");
    PLCheckBitmapSize(m_Width, m_Height, 32);
    if (int64_t(h.bytesPerLine) * h.planes * m_Height > MaxDecodedBytes)
        raiseError(PL_ERRNO_MEMORY, "Out of memory.");
}

namespace {

// For eight bytes and a mask of those to drop, the byte shuffle that packs the others to the
// front, and how many they are.
struct PackTable {
    uint64_t order[256];
    uint8_t kept[256];
};

constexpr PackTable makePackTable()
{
    PackTable table{};
    for (int mask = 0; mask < 256; ++mask) {
        int k = 0;
        for (int i = 0; i < 8; ++i)
            if (!((mask >> i) & 1))
                table.order[mask] |= uint64_t(i) << (8 * k++);
        table.kept[mask] = uint8_t(k);
        for (; k < 8; ++k)
            table.order[mask] |= uint64_t(0x80) << (8 * k);
    }
    return table;
}

constexpr PackTable Pack = makePackTable();

// Asked while static objects are made: the feature table may not be filled in yet.
const bool HasByteShuffle = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
}();

// The bytes of a 16-bit mask as a vector: 0xFF where the bit is set.
__attribute__((target("ssse3"))) __m128i bytesOfMask(unsigned mask)
{
    const __m128i spread = _mm_shuffle_epi8(_mm_cvtsi32_si128(int(mask)), _mm_set_epi64x(0x0101010101010101ll, 0));
    const __m128i bit = _mm_set1_epi64x(int64_t(0x8040201008040201ull));
    return _mm_cmpeq_epi8(_mm_and_si128(spread, bit), bit);
}

// Sixteen bytes at a time while every run among them is of one or two bytes, as for the bytes of
// 0xC0 and above and the few repeats in a photograph: a marker of two becomes its value, markers
// of one are dropped, and the rest is packed with a byte shuffle. In a stretch of bytes of 0xC0 and
// above every other one is a marker, counted from where the stretch starts; a marker that ends a
// block takes the next block's first byte as its value. Stops before the first block with a longer
// run, at a packet; in + 16 must stay readable up to lastRead.
__attribute__((target("ssse3"))) void packShortRuns(const uint8_t*& in, uint8_t*& out, const uint8_t* lastRead,
                                                   const uint8_t* lastWrite)
{
    const __m128i lowestMarker = _mm_set1_epi8(char(0xC0));
    const __m128i one = _mm_set1_epi8(char(0xC1)), two = _mm_set1_epi8(char(0xC2));
    unsigned carried = 0, carriedTwo = 0;
    while (in <= lastRead && out <= lastWrite) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const unsigned high =
            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, lowestMarker), bytes))) & ~carried;
        const unsigned starts = high & ~(high << 1);
        const unsigned evenStretches = (high ^ (high + (starts & 0x5555u))) & high;
        const unsigned markers = (evenStretches & 0x5555u) | (high & ~evenStretches & 0xAAAAu);
        const unsigned ones = markers & unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, one)));
        const unsigned twos = markers & unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, two)));
        if (markers != (ones | twos))
            break;
        const __m128i ahead = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 1));
        const __m128i doubled = bytesOfMask(twos);
        const __m128i values = _mm_or_si128(_mm_and_si128(doubled, ahead), _mm_andnot_si128(doubled, bytes));
        const unsigned low = ones & 0xFF, upper = ones >> 8;
        const __m128i order = _mm_set_epi64x(int64_t(Pack.order[upper] + 0x0808080808080808ull), int64_t(Pack.order[low]));
        const __m128i packed = _mm_shuffle_epi8(values, order);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + Pack.kept[low]), _mm_srli_si128(packed, 8));
        out += Pack.kept[low] + Pack.kept[upper];
        in += 16;
        carried = markers >> 15;
        carriedTwo = twos >> 15;
    }
    // A marker whose value was not reached is read again, and what it made is made again.
    in -= carried;
    out -= carriedTwo;
}

// Run-length packets read straight from the source's block, handed out a line at a time; a
// run may go on into the next line but not past the end of the picture.
class RunReader {
public:
    RunReader(PLDataSource* source, int64_t total)
        : m_Source(source), m_Start(source->GetCurrentPointer()), m_In(m_Start),
          m_End(m_Start + source->GetBytesLeft()), m_Left(total)
    {
    }

    // A run that goes on past count is carried into the next call.
    void Fill(uint8_t* out, size_t count)
    {
        const size_t carried = std::min(count, m_Pending);
        PLFillRun(out, static_cast<int>(carried), m_Value);
        out += carried;
        count -= carried;
        m_Pending -= carried;
        fillWithRoom(out, count);
        while (count > 0) {
            const uint8_t b = next();
            if ((b & 0xC0) != 0xC0) {
                *out++ = b;
                --count;
                --m_Left;
                continue;
            }
            const size_t run = b & 0x3F;
            const uint8_t value = next();
            if (int64_t(run) > m_Left)
                throw PLTextException(PL_ERRINTERNAL, "repeat count spans end of image.");
            m_Left -= int64_t(run);
            const size_t n = std::min(count, run);
            fillRun(out, n, count, value);
            out += n;
            count -= n;
            m_Pending = run - n;
            m_Value = value;
        }
    }

    // Tells the source how much was used.
    void Finish() { m_Source->Skip(static_cast<int>(m_In - m_Start)); }

private:
    // The bulk of a line: while a whole run fits and a word can be read past the next packet,
    // literal bytes are copied a word at a time up to the next run marker. A run fits the line
    // here, and so never reaches past the end of the picture.
    void fillWithRoom(uint8_t*& out, size_t& count)
    {
        // Up to seven literals go before a run: a packet starts with room for those and 64 more.
        constexpr size_t room = 7 + 64;
        if (count < room || m_End - m_In < 10)
            return;
        const uint8_t* in = m_In;
        uint8_t* next = out;
        uint8_t* const lastStart = out + count - room;
        uint8_t* const lastBlockOut = out + count - 16;
        const uint8_t* const lastRead = m_End - 10;
        const uint8_t* const lastBlockIn = m_End - 17;
        while (next <= lastStart && in <= lastRead) {
            uint64_t word;
            std::memcpy(&word, in, 8);
            std::memcpy(next, &word, 8);
            const uint64_t markers = word & (word << 1) & 0x8080808080808080ull;
            if (markers == 0) {
                in += 8;
                next += 8;
                continue;
            }
            const int literals = std::countr_zero(markers) >> 3;
            in += literals;
            next += literals;
            const size_t run = in[0] & 0x3F;
            fillRun(next, run, 64, in[1]);
            in += 2;
            next += run;
            if (run <= 2 && HasByteShuffle)
                packShortRuns(in, next, lastBlockIn, lastBlockOut);
        }
        const auto made = static_cast<size_t>(next - out);
        m_Left -= int64_t(made);
        count -= made;
        out = next;
        m_In = in;
    }

    // Runs are at most 63 bytes: where the line has room, whole words are written (one for the
    // short runs of photographs, eight for longer ones), and the packets that follow overwrite
    // the excess. The pattern is made in a
    // register: memset went through a one-byte store read back whole, which stalled every run.
    static void fillRun(uint8_t* out, size_t n, size_t room, uint8_t value)
    {
        if (room < 64)
            return PLFillRun(out, static_cast<int>(n), value);
        const uint64_t pattern = 0x0101010101010101ull * value;
        std::memcpy(out, &pattern, 8);
        if (n > 8)
            for (int i = 8; i < 64; i += 8)
                std::memcpy(out + i, &pattern, 8);
    }

    uint8_t next()
    {
        if (m_In == m_End)
            throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
        return *m_In++;
    }

    PLDataSource* m_Source;
    const uint8_t* m_Start;
    const uint8_t* m_In;
    const uint8_t* m_End;
    int64_t m_Left;
    size_t m_Pending = 0;
    uint8_t m_Value = 0;
};

} // namespace

void PLPCXDecoder::GetImage(PLBmp& bmp)
{
    Trace(2, "PCX getimage.\n");
    PLDataSource* source = GetDataSource();
    checkLayout();
    const size_t lineBytes = size_t(m_Header.bytesPerLine) * m_Header.planes;
    const int64_t total = int64_t(lineBytes) * m_Height;
    // Refuse before allocating what the data left cannot fill.
    if (total > int64_t(source->GetBytesLeft()) * MaxRunLength)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    const bool paletteAfterData = m_Header.bitsPerPixel == 8 && m_Header.planes == 1;
    std::vector<uint8_t> data(paletteAfterData ? size_t(total) : lineBytes);
    RunReader runs(source, total);
    if (paletteAfterData) {
        runs.Fill(data.data(), data.size());
        runs.Finish();
    }
    readPalette(source);
    PLLockGuard lock(bmp);
    std::vector<uint8_t> indices(static_cast<size_t>(m_Header.bytesPerLine) * 8);
    for (int y = 0; y < m_Height; ++y) {
        const uint8_t* line = data.data() + (paletteAfterData ? lineBytes * y : 0);
        if (!paletteAfterData)
            runs.Fill(data.data(), lineBytes);
        writeLine(line, reinterpret_cast<PLPixel32*>(bmp.GetLine(y)), indices.data());
    }
    if (!paletteAfterData)
        runs.Finish();
}

void PLPCXDecoder::readPalette(PLDataSource* source)
{
    std::fill(std::begin(m_Palette), std::end(m_Palette), PLPixel32{0, 0, 0, 255});
    for (int i = 0; i < 16; ++i)
        m_Palette[i] = PLPixel32::FromRGBA(m_Header.colorMap[i][0], m_Header.colorMap[i][1], m_Header.colorMap[i][2], 255);
    if (m_Header.bitsPerPixel == 8 && m_Header.planes == 1) {
        source->Skip(1);
        const uint8_t* rgb = source->ReadBytes(3 * 256);
        for (int i = 0; i < 256; ++i)
            m_Palette[i] = PLPixel32::FromRGBA(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 255);
    } else if (m_Header.bitsPerPixel == 1 && m_Header.planes == 1) {
        m_Palette[0] = {0, 0, 0, 255};
        m_Palette[1] = {255, 255, 255, 255};
    }
}

void PLPCXDecoder::checkLayout() const
{
    const int planes = m_Header.planes, bits = m_Header.bitsPerPixel;
    const bool rgb = planes == 3 && bits == 8;
    if (!rgb && planes > 4)
        raiseError(PL_ERRINTERNAL, "Can't handle more than 4 planes.");
    if (!rgb && planes > 1 && bits > 1)
        raiseError(PL_ERRINTERNAL, "Can't handle more than 1 bit per pixel.");
}

void PLPCXDecoder::writeLine(const uint8_t* src, PLPixel32* dst, uint8_t* indices) const
{
    const int bytesPerLine = m_Header.bytesPerLine;
    if (m_Header.planes == 3 && m_Header.bitsPerPixel == 8) {
        PLWeavePlanes(dst, m_Width, src, src + bytesPerLine, src + 2 * bytesPerLine);
        return;
    }
    if (m_Header.planes == 1)
        unpackLine(src, indices);
    else
        combinePlanes(src, indices);
    for (int x = 0; x < m_Width; ++x)
        dst[x] = m_Palette[indices[x]];
}

// Packed pixels of one plane, most significant bits first.
void PLPCXDecoder::unpackLine(const uint8_t* src, uint8_t* indices) const
{
    const int bits = m_Header.bitsPerPixel;
    const int perByte = 8 / bits, mask = (1 << bits) - 1;
    for (int i = 0; i < m_Header.bytesPerLine; ++i)
        for (int k = 0; k < perByte; ++k)
            indices[i * perByte + k] = static_cast<uint8_t>((src[i] >> (8 - bits * (k + 1))) & mask);
}

// One bit per plane; plane p contributes bit p of the index.
void PLPCXDecoder::combinePlanes(const uint8_t* src, uint8_t* indices) const
{
    const int bytesPerLine = m_Header.bytesPerLine;
    std::memset(indices, 0, static_cast<size_t>(bytesPerLine) * 8);
    for (int p = 0; p < m_Header.planes; ++p)
        for (int i = 0; i < bytesPerLine * 8; ++i)
            if (src[p * bytesPerLine + i / 8] & (0x80 >> (i % 8)))
                indices[i] |= static_cast<uint8_t>(1 << p);
}
