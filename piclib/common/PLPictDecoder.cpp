#include "piclib/common/PLPictDecoder.h"

#include "piclib/common/PLReadHelpers.h"
#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLPackBits.h"
#include "piclib/common/PLRows.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr const char* R = "reserved";
const char* const OpcodeNames[0xA2] = {
    "NOP", "Clip", "BkPat", "TxFont", "TxFace", "TxMode", "SpExtra", "PnSize", "PnMode", "PnPat", "FillPat", "OvSize",
    "Origin", "TxSize", "FgColor", "BkColor", "TxRatio", "Version", "BkPixPat", "PnPixPat", "FillPixPat", "PnLocHFrac",
    "ChExtra", R, R, R, "RGBFgCol", "RGBBkCol", "HiliteMode", "HiliteColor", "DefHilite", "OpColor", "Line", "LineFrom",
    "ShortLine", "ShortLineFrom", R, R, R, R, "LongText", "DHText", "DVText", "DHDVText", R, R, R, R, "frameRect",
    "paintRect", "eraseRect", "invertRect", "fillRect", R, R, R, "frameSameRect", "paintSameRect", "eraseSameRect",
    "invertSameRect", "fillSameRect", R, R, R, "frameRRect", "paintRRect", "eraseRRect", "invertRRect", "fillRRrect", R,
    R, R, "frameSameRRect", "paintSameRRect", "eraseSameRRect", "invertSameRRect", "fillSameRRect", R, R, R,
    "frameOval", "paintOval", "eraseOval", "invertOval", "fillOval", R, R, R, "frameSameOval", "paintSameOval",
    "eraseSameOval", "invertSameOval", "fillSameOval", R, R, R, "frameArc", "paintArc", "eraseArc", "invertArc",
    "fillArc", R, R, R, "frameSameArc", "paintSameArc", "eraseSameArc", "invertSameArc", "fillSameArc", R, R, R,
    "framePoly", "paintPoly", "erasePoly", "invertPoly", "fillPoly", R, R, R, "frameSamePoly", "paintSamePoly",
    "eraseSamePoly", "invertSamePoly", "fillSamePoly", R, R, R, "frameRgn", "paintRgn", "eraseRgn", "invertRgn",
    "fillRgn", R, R, R, "frameSameRgn", "paintSameRgn", "eraseSameRgn", "invertSameRgn", "fillSameRgn", R, R, R,
    "BitsRect", "BitsRgn", R, R, R, R, R, R, "PackBitsRect", "PackBitsRgn", "Opcode_9A", R, R, R, R, R, "ShortComment",
    "LongComment"};

constexpr int LengthWord = -1;

// Data bytes of the opcodes 0x00 to 0xA1 that have no handler of their own.
int dataLength(int op)
{
    auto in = [op](int first, int last) { return op >= first && op <= last; };
    if (op == 0x04 || op == 0x11)
        return 1;
    if (op == 0x03 || op == 0x05 || op == 0x08 || op == 0x0D || op == 0x15 || op == 0x16 || op == 0x23 || op == 0xA0)
        return 2;
    if (op == 0x06 || op == 0x07 || op == 0x0B || op == 0x0C || op == 0x0E || op == 0x0F || op == 0x21 ||
        in(0x68, 0x6F))
        return 4;
    if (op == 0x1A || op == 0x1B || op == 0x1D || op == 0x1F || op == 0x22)
        return 6;
    if (op == 0x02 || op == 0x09 || op == 0x0A || op == 0x10 || op == 0x20 || in(0x30, 0x37) || in(0x40, 0x47) ||
        in(0x50, 0x57))
        return 8;
    if (in(0x60, 0x67))
        return 12;
    if (in(0x24, 0x27) || in(0x2C, 0x2F) || in(0x92, 0x97) || in(0x9B, 0x9F))
        return LengthWord;
    return 0;
}

// Text and region opcodes carry data whose length the table does not know.
bool hasUnknownLength(int op)
{
    return (op >= 0x28 && op <= 0x2B) || (op >= 0x80 && op <= 0x87);
}

template <class... Args>
void traceFormat(int level, const char* pattern, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, args...);
    PLPicDecoder::Trace(level, text);
}

} // namespace

PLPictDecoder::PLPictDecoder(PLJPEGDecoder* jpegDecoder)
    : m_pJPEGDec(jpegDecoder)
{
}

void PLPictDecoder::Open(PLDataSource* source)
{
    Trace(2, "Decoding mac pict.\n");
    m_Kind = KindNone;
    m_bRegion = false;
    m_bPacked = true;
    source->Skip(512);
    readVersion(source);
    interpretOpcodes(source);
}

void PLPictDecoder::readVersion(PLDataSource* source)
{
    source->Skip(10);
    uint8_t byte = source->ReadByte();
    while (byte == 0)
        byte = source->ReadByte();
    if (byte != 0x11)
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pict: Version number missing.");
    const uint8_t version = source->ReadByte();
    if (version == 2 && source->ReadByte() != 0xFF)
        raiseError(PL_ERRWRONG_SIGNATURE, "Illegal version number.");
    if (version != 1 && version != 2)
        raiseError(PL_ERRWRONG_SIGNATURE, "Illegal version number.");
    m_Version = version;
    traceFormat(2, "PICT version %d found.\n", m_Version);
}

void PLPictDecoder::interpretOpcodes(PLDataSource* source)
{
    for (;;) {
        int opcode;
        if (m_Version == 2) {
            if (source->GetBytesConsumed() & 1)
                source->Skip(1);
            opcode = PLReadWordBE(source);
        } else {
            opcode = source->ReadByte();
        }
        if (opcode == 0xFF || opcode == 0xFFFF) {
            Trace(2, "Opcode: End of pict.\n");
            raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "PICT contained only vector data!\n");
        }
        if (interpretOpcode(source, opcode))
            return;
    }
}

// Returns true once an image opcode has described the picture.
bool PLPictDecoder::interpretOpcode(PLDataSource* source, int opcode)
{
    if (opcode <= 0xA1)
        return interpretTableOpcode(source, opcode);
    if (opcode == 0x0C00) {
        Trace(2, "Opcode: Header.\n");
        source->Skip(24);
        return false;
    }
    if (opcode == 0x8200)
        return readJPEG(source);
    skipOtherOpcode(source, opcode);
    return false;
}

bool PLPictDecoder::interpretTableOpcode(PLDataSource* source, int opcode)
{
    if (OpcodeNames[opcode] == R)
        traceFormat(2, "Opcode: reserved=0x%x\n", opcode);
    else
        traceFormat(2, "Opcode: %s\n", OpcodeNames[opcode]);
    if (hasUnknownLength(opcode))
        raiseError(PL_ERRFORMAT_UNKNOWN, "PICT opcode of unknown length.");
    switch (opcode) {
    case 0x01: {
        const uint16_t size = PLReadWordBE(source);
        if (size < 2)
            raiseError(PL_ERRFORMAT_UNKNOWN, "PICT region size below 2.");
        source->Skip(size - 2);
        return false;
    }
    case 0x12:
    case 0x13:
    case 0x14:
        skipPixPat(source);
        return false;
    case 0x70: case 0x71: case 0x72: case 0x73: case 0x74: case 0x75: case 0x76: case 0x77:
        skipRegion(source);
        return false;
    case 0x90:
    case 0x91:
    case 0x98:
    case 0x99:
        readImageOpcode(source, opcode);
        return true;
    case 0x9A:
    case 0x9B:
        readDirectBits(source, opcode == 0x9B);
        return true;
    case 0xA1:
        source->Skip(2);
        source->Skip(PLReadWordBE(source));
        return false;
    default: {
        const int length = dataLength(opcode);
        source->Skip(length == LengthWord ? PLReadWordBE(source) : length);
        return false;
    }
    }
}

void PLPictDecoder::skipOtherOpcode(PLDataSource* source, int opcode)
{
    traceFormat(2, "Opcode: reserved 0x%x.\n", opcode);
    if (opcode >= 0xA2 && opcode <= 0xAF)
        source->Skip(PLReadWordBE(source));
    else if ((opcode >= 0xB0 && opcode <= 0xCF) || (opcode >= 0x8000 && opcode <= 0x80FF))
        return;
    else if ((opcode >= 0xD0 && opcode <= 0xFE) || opcode >= 0x1FA4)
        PLSkipLength(source, PLReadDWordBE(source));
    else
        source->Skip((opcode >> 7) & 0xFF);
}

void PLPictDecoder::skipRegion(PLDataSource* source)
{
    Trace(3, "Skipping polygon or region.\n");
    const uint16_t size = PLReadWordBE(source);
    if (size < 2)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PICT region size below 2.");
    source->Skip(size - 2);
}

void PLPictDecoder::skipPixPat(PLDataSource* source)
{
    const uint16_t type = PLReadWordBE(source);
    if (type == 2) {
        // The alignment before the next opcode skips the colour's sixth byte.
        source->Skip(8 + 5);
        return;
    }
    if (type != 1)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown pattern type in pixPat.");
    source->Skip(8);
    m_RowBytes = PLReadWordBE(source);
    readPixMap(source);
    PLPixel32 palette[256];
    readColourTable(source, palette);
    const int rowBytes = rowBytesFor(m_PixMap.bounds.Width(), m_PixMap.pixelSize);
    checkBounds(m_PixMap.bounds);
    for (int y = 0; y < m_PixMap.bounds.Height(); ++y)
        readRow(source, rowBytes, 1);
}

void PLPictDecoder::readImageOpcode(PLDataSource* source, int opcode)
{
    m_bRegion = opcode == 0x91 || opcode == 0x99;
    // BitsRect and BitsRgn store their rows unpacked.
    m_bPacked = opcode >= 0x98;
    m_RowBytes = PLReadWordBE(source);
    if (m_RowBytes & 0x8000) {
        readPixMap(source);
        describePixMap();
        m_Kind = KindPixMap;
        return;
    }
    Trace(2, "Reading version 1 bitmap.\n");
    const uint8_t* b = source->ReadBytes(8);
    m_BitMapBounds = {static_cast<int16_t>(PLWordBE(b)), static_cast<int16_t>(PLWordBE(b + 2)),
                      static_cast<int16_t>(PLWordBE(b + 4)), static_cast<int16_t>(PLWordBE(b + 6))};
    const Rect& r = m_BitMapBounds;
    traceFormat(2, "%s (%d,%d) (%d,%d).\n", "  Bounds", r.left, r.top, r.right, r.bottom);
    source->Skip(16);
    checkBounds(r);
    SetBmpInfo({r.Width(), r.Height()}, 8, {0, 0}, false, false);
    m_Kind = KindBitMap;
}

void PLPictDecoder::readDirectBits(PLDataSource* source, bool region)
{
    m_bRegion = region;
    m_bPacked = true;
    source->Skip(4);
    m_RowBytes = PLReadWordBE(source);
    readPixMap(source);
    source->Skip(18);
    describePixMap();
    m_Kind = KindDirectBits;
}

bool PLPictDecoder::readJPEG(PLDataSource* source)
{
    Trace(2, "Opcode: JPEG.\n");
    const uint32_t length = PLReadDWordBE(source);
    const int searched = static_cast<int>(std::min<uint32_t>(length, source->GetBytesLeft()));
    const uint8_t* data = source->PeekBytes(searched);
    static const uint8_t Marker[] = {0xFF, 0xD8, 0xFF};
    const uint8_t* found = std::search(data, data + searched, std::begin(Marker), std::end(Marker));
    if (found == data + searched)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "PICT file contains unrecognized quicktime data.\n");
    if (!m_pJPEGDec)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Library not compiled for PICT/JPEG.");
    source->Skip(static_cast<int>(found - data));
    m_bJPEGOpen = true;
    m_pJPEGDec->Open(source);
    SetBmpInfo(*m_pJPEGDec);
    m_Kind = KindJPEG;
    return true;
}

void PLPictDecoder::readPixMap(PLDataSource* source)
{
    const uint8_t* p = source->ReadBytes(44);
    PixMap& m = m_PixMap;
    m.bounds = {static_cast<int16_t>(PLWordBE(p)), static_cast<int16_t>(PLWordBE(p + 2)),
                static_cast<int16_t>(PLWordBE(p + 4)), static_cast<int16_t>(PLWordBE(p + 6))};
    m.version = PLWordBE(p + 8);
    m.packType = PLWordBE(p + 10);
    m.packSize = PLDWordBE(p + 12);
    m.hRes = PLDWordBE(p + 16) >> 16;
    m.vRes = PLDWordBE(p + 20) >> 16;
    m.pixelType = PLWordBE(p + 24);
    m.pixelSize = PLWordBE(p + 26);
    m.cmpCount = PLWordBE(p + 28);
    m.cmpSize = PLWordBE(p + 30);
    m.planeBytes = PLDWordBE(p + 32);
    m.pmTable = PLDWordBE(p + 36);
    m.reserved = PLDWordBE(p + 40);
    Trace(2, "PixMap header info:\n");
    traceFormat(2, "%s (%d,%d) (%d,%d).\n", "  Bounds:", m.bounds.left, m.bounds.top, m.bounds.right, m.bounds.bottom);
    traceFormat(2, "  version: 0x%x\n", m.version);
    traceFormat(2, "  packType: %d\n", m.packType);
    traceFormat(2, "  packSize: %ld\n", long(m.packSize));
    traceFormat(2, "  hRes: %ld\n", long(m.hRes));
    traceFormat(2, "  vRes: %ld\n", long(m.vRes));
    traceFormat(2, "  pixelSize: %d\n", m.pixelSize);
    traceFormat(2, "  cmpCount: %d\n", m.cmpCount);
    traceFormat(2, "  cmpSize: %d.\n", m.cmpSize);
    traceFormat(2, "  planeBytes: %ld.\n", long(m.planeBytes));
}

void PLPictDecoder::checkBounds(const Rect& bounds) const
{
    if (bounds.Width() < 0 || bounds.Height() < 0)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Invalid PICT bounds.");
    PLCheckBitmapSize(bounds.Width(), bounds.Height(), 32);
}

void PLPictDecoder::describePixMap()
{
    const PixMap& m = m_PixMap;
    checkBounds(m.bounds);
    const int bpp = m.pixelSize > 8 ? 32 : 8;
    SetBmpInfo({m.bounds.Width(), m.bounds.Height()}, bpp,
               {static_cast<int>(m.hRes), static_cast<int>(m.vRes)}, bpp == 32 && m.cmpCount == 4, false);
}

void PLPictDecoder::readColourTable(PLDataSource* source, PLPixel32* palette)
{
    Trace(3, "Getting color table info.\n");
    source->Skip(4);
    const uint16_t flags = PLReadWordBE(source);
    const int size = PLReadWordBE(source) + 1;
    traceFormat(2, "Palette Size:  %d\n", size);
    if (size > 256)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Colour table of more than 256 entries.");
    Trace(3, "Reading Palette.\n");
    std::fill(palette, palette + 256, PLPixel32{0, 0, 0, 255});
    const uint8_t* entries = source->ReadBytes(8 * size);
    for (int i = 0; i < size; ++i) {
        const uint8_t* e = entries + 8 * i;
        const int value = (flags & 0x8000) ? i : PLWordBE(e);
        if (value >= size)
            raiseError(PL_ERRFORMAT_UNKNOWN, "pixel value greater than colour table size.");
        palette[value] = PLPixel32::FromRGBA(e[2], e[4], e[6], 255);
    }
}

// Row bytes of the image, with the flag bits cleared; 0 means the width.
int PLPictDecoder::rowBytesFor(int width, int pixelSize) const
{
    const int stored = m_RowBytes & 0x3FFF;
    const int64_t needed = (int64_t(width) * pixelSize + 7) / 8;
    const int rowBytes = stored != 0 ? stored : static_cast<int>(needed);
    if (rowBytes < needed)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PICT row bytes below the width.");
    return rowBytes;
}

// One row: raw when the image is unpacked or narrow, else PackBits after its length.
const uint8_t* PLPictDecoder::readRow(PLDataSource* source, int rowBytes, int unitBytes)
{
    if (!m_bPacked || rowBytes < 8)
        return source->ReadBytes(rowBytes);
    const int packedLength = rowBytes < 251 ? source->ReadByte() : PLReadWordBE(source);
    m_Row.resize(rowBytes);
    const uint8_t* packed = source->ReadBytes(packedLength);
    if (PLExpandPackBits(packed, packedLength, m_Row.data(), rowBytes, unitBytes).overrun)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PackBits run exceeds the PICT row.");
    return m_Row.data();
}

void PLPictDecoder::decode8BitRows(PLBmp& bmp, PLDataSource* source)
{
    const int width = GetWidth();
    const int rowBytes = rowBytesFor(width, 8);
    for (int y = 0; y < GetHeight(); ++y)
        std::copy_n(readRow(source, rowBytes, 1), width, bmp.GetLine(y));
}

// Packed 32-bit rows hold each component's plane in turn: [alpha,] red, green, blue.
void PLPictDecoder::decode32BitRows(PLBmp& bmp, PLDataSource* source, int components)
{
    const int width = GetWidth();
    if (components != 3 && components != 4)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PICT pixel maps need three or four components.");
    const int rowBytes = rowBytesFor(width, 8 * components);
    const int first = components - 3;
    for (int y = 0; y < GetHeight(); ++y) {
        const uint8_t* row = readRow(source, rowBytes, 1);
        PLWeavePlanes(reinterpret_cast<PLPixel32*>(bmp.GetLine(y)), width, row + first * width,
                      row + (first + 1) * width, row + (first + 2) * width, components == 4 ? row : nullptr);
    }
}

void PLPictDecoder::decodeGeneral(PLBmp& bmp, PLDataSource* source, int pixelSize, int width, int height)
{
    if (pixelSize != 1 && pixelSize != 2 && pixelSize != 4 && pixelSize != 8 && pixelSize != 16) {
        const std::string text = "Illegal bpp value in unpackbits: " + std::to_string(pixelSize) + "\n";
        raiseError(PL_ERRFORMAT_UNKNOWN, text.c_str());
    }
    const int rowBytes = rowBytesFor(width, pixelSize);
    const int unitBytes = pixelSize == 16 ? 2 : 1;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = readRow(source, rowBytes, unitBytes);
        uint8_t* line = bmp.GetLine(y);
        if (pixelSize == 16) {
            auto* pixels = reinterpret_cast<PLPixel32*>(line);
            for (int x = 0; x < width; ++x) {
                const int w = PLWordBE(row + 2 * x);
                pixels[x] = {uint8_t((w & 0x1F) << 3), uint8_t(((w >> 5) & 0x1F) << 3),
                             uint8_t(((w >> 10) & 0x1F) << 3), 255};
            }
            continue;
        }
        const int perByte = 8 / pixelSize;
        const int mask = (1 << pixelSize) - 1;
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<uint8_t>((row[x / perByte] >> (8 - pixelSize * (x % perByte + 1))) & mask);
    }
}

void PLPictDecoder::GetImage(PLBmp& bmp)
{
    if (m_Kind == KindJPEG) {
        m_pJPEGDec->GetImage(bmp);
    } else {
        PLLockGuard lock(bmp);
        decodeByKind(bmp, GetDataSource());
    }
    m_Kind = KindNone;
}

void PLPictDecoder::decodeByKind(PLBmp& bmp, PLDataSource* source)
{
    const int pixelSize = m_PixMap.pixelSize;
    if (m_Kind == KindBitMap) {
        source->Skip(2);
        if (m_bRegion)
            skipRegion(source);
        // Set bits are black.
        const PLPixel32 palette[2] = {{255, 255, 255, 255}, {0, 0, 0, 255}};
        std::copy(palette, palette + 2, bmp.GetPalette());
        return decodeGeneral(bmp, source, 1, GetWidth(), GetHeight());
    }
    if (m_Kind == KindPixMap) {
        PLPixel32 palette[256];
        readColourTable(source, palette);
        if (GetBitsPerPixel() == 8)
            bmp.SetPaletteEntries(palette);
        source->Skip(18);
        if (m_bRegion)
            skipRegion(source);
    } else if (m_bRegion) {
        skipRegion(source);
    }
    if (pixelSize == 8)
        return decode8BitRows(bmp, source);
    if (pixelSize == 32)
        return decode32BitRows(bmp, source, m_PixMap.cmpCount);
    decodeGeneral(bmp, source, pixelSize, GetWidth(), GetHeight());
}

void PLPictDecoder::Close()
{
    if (m_bJPEGOpen) {
        m_pJPEGDec->Close();
        m_bJPEGOpen = false;
    }
    m_Kind = KindNone;
    PLPicDecoder::Close();
}
