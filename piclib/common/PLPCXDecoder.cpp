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
        const uint8_t* const lastRead = m_End - 10;
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
