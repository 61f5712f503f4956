#include "piclib/common/PLPSDDecoder.h"

#include "piclib/common/PLReadHelpers.h"
#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLPackBits.h"
#include "piclib/common/PLRows.h"
#include "piclib/common/PLTextException.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

enum { ModeGreyscale = 1, ModeIndexed = 2, ModeRGB = 3 };
constexpr uint16_t ResolutionInfo = 0x03ED;

int sectionEndOf(PLDataSource* source, uint32_t length)
{
    if (length > static_cast<uint32_t>(source->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    return source->GetBytesConsumed() + static_cast<int>(length);
}

} // namespace

void PLPSDDecoder::Open(PLDataSource* source)
{
    m_Layers.clear();
    m_LayerCount = 0;
    m_Resolution = {0, 0};
    readHeader(source);
    readColourModeData(source);
    readResources(source);
    describe();
    readLayers(source);
    checkImageData(source);
}

void PLPSDDecoder::readHeader(PLDataSource* source)
{
    const uint8_t* h = source->ReadBytes(26);
    if (std::memcmp(h, "8BPS", 4) != 0)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: This isn't a photoshop file.");
    m_Header.channels = PLWordBE(h + 12);
    m_Header.rows = PLDWordBE(h + 14);
    m_Header.columns = PLDWordBE(h + 18);
    m_Header.bitsPerChannel = PLWordBE(h + 22);
    m_Header.mode = PLWordBE(h + 24);
}

// A 768-byte block is the palette of an indexed document; others (duotone data) are skipped.
void PLPSDDecoder::readColourModeData(PLDataSource* source)
{
    for (int i = 0; i < 256; ++i)
        m_Palette[i] = {0, 0, 0, 255};
    const uint32_t length = PLReadDWordBE(source);
    if (length != 768)
        return PLSkipLength(source, length);
    const uint8_t* p = source->ReadBytes(768);
    for (int i = 0; i < 256; ++i)
        m_Palette[i] = {p[512 + i], p[256 + i], p[i], 255};
}

void PLPSDDecoder::readResources(PLDataSource* source)
{
    const int end = sectionEndOf(source, PLReadDWordBE(source));
    while (source->GetBytesConsumed() < end)
        readResource(source, end);
}

void PLPSDDecoder::readResource(PLDataSource* source, int sectionEnd)
{
    auto inSection = [&](int count) {
        if (count > sectionEnd - source->GetBytesConsumed())
            raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Resource data block exceeds its section.");
        return source->ReadBytes(count);
    };
    if (std::memcmp(inSection(4), "8BIM", 4) != 0)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Wrong signature in resource data block.");
    const uint16_t id = PLWordBE(inSection(2));
    const int nameLength = *inSection(1);
    const std::string name(reinterpret_cast<const char*>(inSection(nameLength)), nameLength);
    Trace(2, "Reading resource:");
    Trace(2, name.c_str());
    Trace(2, "\n");
    if (nameLength % 2 == 0)
        inSection(1);
    const uint32_t size = PLDWordBE(inSection(4));
    const uint32_t padded = size + (size & 1);
    if (padded > static_cast<uint32_t>(sectionEnd - source->GetBytesConsumed()))
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Resource data block exceeds its section.");
    if (id == ResolutionInfo && size >= 16) {
        const uint8_t* r = source->ReadBytes(16);
        m_Resolution = {static_cast<int>(PLDWordBE(r) >> 16), static_cast<int>(PLDWordBE(r + 8) >> 16)};
        source->Skip(static_cast<int>(padded - 16));
    } else {
        source->Skip(static_cast<int>(padded));
    }
}

void PLPSDDecoder::describe()
{
    const Header& h = m_Header;
    if (h.mode != ModeGreyscale && h.mode != ModeIndexed && h.mode != ModeRGB)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported.");
    if (h.bitsPerChannel != 8 && h.bitsPerChannel != 16)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "This PSD channel depth is not supported.");
    if (h.columns == 0 || h.rows == 0 || h.columns > INT32_MAX || h.rows > INT32_MAX)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Invalid picture size.");
    if (h.mode == ModeGreyscale)
        for (int i = 0; i < 256; ++i)
            m_Palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 255};
    const int bpp = h.mode == ModeRGB ? 32 : 8;
    PLCheckBitmapSize(static_cast<int>(h.columns), static_cast<int>(h.rows), bpp);
    SetBmpInfo({static_cast<int>(h.columns), static_cast<int>(h.rows)}, bpp, m_Resolution,
               h.mode == ModeRGB && h.channels > 3, h.mode == ModeGreyscale);
}

void PLPSDDecoder::readLayers(PLDataSource* source)
{
    const uint32_t length = PLReadDWordBE(source);
    m_LayerSectionStart = source->GetBytesConsumed();
    m_LayerSectionLength = length;
    if (length == 0)
        return;
    const int end = sectionEndOf(source, length);
    const uint32_t infoLength = PLReadDWordBE(source);
    if (infoLength > 0) {
        const int16_t stored = static_cast<int16_t>(PLReadWordBE(source));
        m_LayerCount = stored < 0 ? -stored : stored;
        char text[40];
        std::snprintf(text, sizeof text, "Number of layers: %i\n", m_LayerCount);
        Trace(2, text);
        for (int i = 0; i < m_LayerCount; ++i)
            readLayer(source);
    }
    if (source->GetBytesConsumed() > end)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Layer records exceed their section.");
}

void PLPSDDecoder::readLayer(PLDataSource* source)
{
    Layer layer;
    const uint8_t* r = source->ReadBytes(18);
    layer.top = static_cast<int32_t>(PLDWordBE(r));
    layer.left = static_cast<int32_t>(PLDWordBE(r + 4));
    layer.bottom = static_cast<int32_t>(PLDWordBE(r + 8));
    layer.right = static_cast<int32_t>(PLDWordBE(r + 12));
    const int channels = PLWordBE(r + 16);
    const uint8_t* list = source->ReadBytes(channels * 6);
    for (int c = 0; c < channels; ++c)
        layer.channels.push_back({static_cast<int16_t>(PLWordBE(list + 6 * c)), PLDWordBE(list + 6 * c + 2)});
    const uint8_t* blend = source->ReadBytes(12);
    std::memcpy(layer.blendSignature, blend, 4);
    std::memcpy(layer.blendKey, blend + 4, 4);
    layer.opacity = blend[8];
    layer.clipping = blend[9];
    layer.flags = blend[10];
    PLSkipLength(source, PLReadDWordBE(source));
    m_Layers.push_back(std::move(layer));
}

// Raw data or the row-count table must be there before the picture is allocated.
void PLPSDDecoder::checkImageData(PLDataSource* source)
{
    const int64_t toImage = m_LayerSectionStart + m_LayerSectionLength - source->GetBytesConsumed();
    const int64_t left = source->GetBytesLeft() - toImage - 2;
    if (toImage < 0 || left < 0)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    const uint16_t compression = PLWordBE(source->PeekBytes(static_cast<int>(toImage) + 2) + toImage);
    const int64_t rowBytes = compression == 1 ? 2 : int64_t(m_Header.columns) * sampleBytes();
    if (compression <= 1 && int64_t(m_Header.channels) * m_Header.rows * rowBytes > left)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
}

void PLPSDDecoder::GetImage(PLBmp& bmp)
{
    PLDataSource* source = GetDataSource();
    if (GetBitsPerPixel() == 8)
        bmp.SetPaletteEntries(m_Palette);
    if (m_LayerSectionLength > 0)
        source->Skip(m_LayerSectionStart + static_cast<int>(m_LayerSectionLength) - source->GetBytesConsumed());
    const uint16_t compression = PLReadWordBE(source);
    static const char* const Kinds[] = {"No compression\n", "RLE compression\n", "ZIP compression, no prediction\n",
                                        "ZIP compression, prediction\n"};
    if (compression > 3)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Compression unknown.");
    Trace(2, Kinds[compression]);
    if (compression > 1)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Compression type not supported.");
    PLLockGuard lock(bmp);
    decodeLines(bmp, storedRows(source, compression == 1), compression == 1);
    m_Layers.clear();
}

// Every channel row is located before decoding, so each line is written once from all its
// channels instead of once per channel.
std::vector<PLPSDDecoder::StoredRow> PLPSDDecoder::storedRows(PLDataSource* source, bool packed)
{
    const int64_t count = int64_t(m_Header.channels) * GetHeight();
    const int rowBytes = GetWidth() * sampleBytes();
    const uint8_t* lengths = packed ? source->ReadBytes(static_cast<int>(count * 2)) : nullptr;
    std::vector<StoredRow> rows(static_cast<size_t>(count));
    int64_t total = 0;
    for (int64_t i = 0; i < count; ++i) {
        rows[i] = {total, packed ? PLWordBE(lengths + 2 * i) : rowBytes};
        total += rows[i].length;
    }
    if (total > source->GetBytesLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    m_ImageData = source->ReadBytes(static_cast<int>(total));
    return rows;
}

void PLPSDDecoder::decodeLines(PLBmp& bmp, const std::vector<StoredRow>& rows, bool packed) const
{
    const int width = GetWidth();
    const int rowBytes = width * sampleBytes();
    const int used = std::min<int>(m_Header.channels, GetBitsPerPixel() == 8 ? 1 : 4);
    // Missing colour channels read as 0, a missing alpha channel as opaque.
    const std::vector<uint8_t> zeros(width, 0);
    std::vector<uint8_t> expanded(size_t(used) * rowBytes), narrowed(size_t(used) * width);
    const uint8_t* planes[4] = {zeros.data(), zeros.data(), zeros.data(), nullptr};
    for (int y = 0; y < GetHeight(); ++y) {
        for (int c = 0; c < used; ++c) {
            const StoredRow& row = rows[size_t(c) * GetHeight() + y];
            const uint8_t* samples = m_ImageData + row.offset;
            if (packed) {
                uint8_t* target = expanded.data() + size_t(c) * rowBytes;
                const PLPackBitsResult r = PLExpandPackBits(samples, row.length, target, rowBytes);
                if (r.overrun)
                    raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Run-length data exceeds the row.");
                samples = target;
            }
            planes[c] = sampleBytes() == 1 ? samples : narrow(samples, narrowed.data() + size_t(c) * width);
        }
        placeLine(bmp.GetLine(y), planes);
    }
}

const uint8_t* PLPSDDecoder::narrow(const uint8_t* samples, uint8_t* out) const
{
    for (int x = 0; x < GetWidth(); ++x)
        out[x] = PLScale16To8(PLWordBE(samples + 2 * x));
    return out;
}

// Greyscale and indexed documents keep channel 0; RGB ones put channels 0 to 3 into
// red, green, blue and alpha. Further channels (spot colours, extra masks) are dropped.
void PLPSDDecoder::placeLine(uint8_t* line, const uint8_t* const planes[4]) const
{
    const int width = GetWidth();
    if (GetBitsPerPixel() == 8) {
        std::copy_n(planes[0], width, line);
        return;
    }
    PLWeavePlanes(reinterpret_cast<PLPixel32*>(line), width, planes[0], planes[1], planes[2], planes[3]);
}

void PLPSDDecoder::Close()
{
    m_Layers.clear();
    PLPicDecoder::Close();
}
