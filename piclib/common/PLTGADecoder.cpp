#include "piclib/common/PLTGADecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLTextException.h"

namespace {

enum { Mapped = 1, TrueColour = 2, Grey = 3, RLEMapped = 9, RLETrueColour = 10, RLEGrey = 11 };

int bytesOf(int bits)
{
    return bits <= 8 ? 1 : (bits + 7) / 8;
}

bool isPixelForm(int bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

void PLTGADecoder::Open(PLDataSource* source)
{
    Trace(2, "Decoding TGA.\n");
    readHeader(source);
    source->Skip(m_Header.idLength);
    checkHeader();
    const int depth = m_Header.pixelDepth;
    const int bpp = depth > 8 ? 32 : 8;
    PLCheckBitmapSize(m_Header.width, m_Header.height, bpp);
    const int type = m_Header.imageType;
    const bool mappedAlpha = isMapped() && m_Header.colorMapBits == 32;
    const bool alpha = depth == 32 || (depth == 16 && (hasAttributeBit() || mappedAlpha));
    SetBmpInfo({m_Header.width, m_Header.height}, bpp, {0, 0}, alpha, type == Grey || type == RLEGrey);
}

void PLTGADecoder::readHeader(PLDataSource* source)
{
    Header& h = m_Header;
    h.idLength = source->ReadByte();
    h.colorMapType = source->ReadByte();
    h.imageType = source->ReadByte();
    h.colorMapStart = source->ReadWordLE();
    h.colorMapLength = source->ReadWordLE();
    h.colorMapBits = source->ReadByte();
    h.xOrigin = source->ReadWordLE();
    h.yOrigin = source->ReadWordLE();
    h.width = source->ReadWordLE();
    h.height = source->ReadWordLE();
    h.pixelDepth = source->ReadByte();
    h.descriptor = source->ReadByte();
}

void PLTGADecoder::checkHeader() const
{
    const int depth = m_Header.pixelDepth;
    if (depth == 0 || (depth > 8 && !isPixelForm(depth)))
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported TGA pixel depth.");
    // Indices are bytes or words; grey values bytes.
    if (isMapped() && depth > 8 && depth != 16)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported TGA pixel depth.");
    if ((m_Header.imageType == Grey || m_Header.imageType == RLEGrey) && depth > 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported TGA pixel depth.");
}

bool PLTGADecoder::isMapped() const
{
    return m_Header.imageType == Mapped || m_Header.imageType == RLEMapped;
}

// 16-bit true-colour pixels carry alpha in bit 15 when the descriptor counts an attribute bit.
bool PLTGADecoder::hasAttributeBit() const
{
    return !isMapped() && (m_Header.descriptor & 0x0F) != 0;
}

void PLTGADecoder::GetImage(PLBmp& bmp)
{
    PLDataSource* source = GetDataSource();
    readColorMap(source, bmp);
    const int type = m_Header.imageType;
    if (type == Grey || type == RLEGrey)
        bmp.SetGreyscalePalette();
    const bool rle = type == RLEMapped || type == RLETrueColour || type == RLEGrey;
    if (!rle && type != Mapped && type != TrueColour && type != Grey)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown TGA image type.");
    const bool topDown = m_Header.descriptor & 0x20;
    PLLockGuard lock(bmp);
    for (int y = 0; y < m_Header.height; ++y) {
        uint8_t* line = bmp.GetLine(topDown ? y : m_Header.height - 1 - y);
        if (rle)
            readRLELine(source, line);
        else
            readLine(source, line);
    }
}

void PLTGADecoder::readColorMap(PLDataSource* source, PLBmp& bmp)
{
    m_ColorMap.clear();
    if (m_Header.colorMapType == 0)
        return;
    const int bits = m_Header.colorMapBits, length = m_Header.colorMapLength;
    if (!isMapped()) {
        source->Skip(length * bytesOf(bits));
        return;
    }
    if (!isPixelForm(bits))
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unsupported TGA colour map entry size.");
    const uint8_t* stored = source->ReadBytes(length * bytesOf(bits));
    m_ColorMap.assign(m_Header.colorMapStart + length, PLPixel32{0, 0, 0, 255});
    for (int i = 0; i < length; ++i)
        m_ColorMap[m_Header.colorMapStart + i] = readPixel(stored + i * bytesOf(bits), bits);
    if (bmp.GetBitsPerPixel() == 8)
        for (int i = 0; i < 256 && i < static_cast<int>(m_ColorMap.size()); ++i)
            bmp.GetPalette()[i] = m_ColorMap[i];
}

PLPixel32 PLTGADecoder::readPixel(const uint8_t* stored, int bits) const
{
    if (bits == 24)
        return {stored[0], stored[1], stored[2], 255};
    if (bits == 32)
        return {stored[0], stored[1], stored[2], stored[3]};
    const int w = stored[0] | stored[1] << 8;
    const bool transparent = bits == 16 && hasAttributeBit() && !(w & 0x8000);
    return {static_cast<uint8_t>((w & 0x1F) << 3), static_cast<uint8_t>((w >> 2) & 0xF8),
            static_cast<uint8_t>((w >> 7) & 0xF8), static_cast<uint8_t>(transparent ? 0 : 255)};
}

void PLTGADecoder::storePixel(uint8_t* line, int x, const uint8_t* stored) const
{
    if (m_Header.descriptor & 0x10)
        x = m_Header.width - 1 - x;
    const int depth = m_Header.pixelDepth;
    if (depth <= 8) {
        line[x] = stored[0];
        return;
    }
    auto* pixels = reinterpret_cast<PLPixel32*>(line);
    if (!isMapped()) {
        pixels[x] = readPixel(stored, depth);
        return;
    }
    const size_t index = stored[0] | stored[1] << 8;
    pixels[x] = index < m_ColorMap.size() ? m_ColorMap[index] : PLPixel32{0, 0, 0, 255};
}

void PLTGADecoder::readLine(PLDataSource* source, uint8_t* line)
{
    const int width = m_Header.width, depth = m_Header.pixelDepth, bytes = bytesOf(depth);
    const uint8_t* stored = source->ReadBytes(width * bytes);
    // Unmirrored true colour, the common case, without the per-pixel choices of storePixel.
    if (!(m_Header.descriptor & 0x10) && !isMapped() && (depth == 24 || depth == 32)) {
        auto* pixels = reinterpret_cast<PLPixel32*>(line);
        for (int x = 0; x < width; ++x, stored += bytes)
            pixels[x] = {stored[0], stored[1], stored[2], depth == 32 ? stored[3] : uint8_t(255)};
        return;
    }
    for (int x = 0; x < width; ++x)
        storePixel(line, x, stored + x * bytes);
}

// Packets that run past the end of the line are cut there.
void PLTGADecoder::readRLELine(PLDataSource* source, uint8_t* line)
{
    const int width = m_Header.width, bytes = bytesOf(m_Header.pixelDepth);
    int x = 0;
    while (x < width) {
        const uint8_t h = source->ReadByte();
        const int count = (h & 0x7F) + 1;
        const bool run = h & 0x80;
        const uint8_t* stored = source->ReadBytes(run ? bytes : count * bytes);
        for (int i = 0; i < count && x < width; ++i)
            storePixel(line, x++, run ? stored : stored + i * bytes);
    }
}
