#include "piclib/common/PLSGIDecoder.h"

#include "piclib/common/PLReadHelpers.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLPixel32.h"
#include "piclib/common/PLTextException.h"

namespace {

constexpr uint16_t SGIMagic = 474;

[[noreturn]] void refuse(int code, const char* text)
{
    throw PLTextException(code, text);
}

} // namespace

void PLSGIDecoder::readHeader(PLDataSource* source)
{
    const uint8_t* h = source->ReadBytes(512);
    m_Header.magic = PLWordBE(h);
    m_Header.storage = h[2];
    m_Header.bytesPerChannel = h[3];
    m_Header.dimension = PLWordBE(h + 4);
    m_Header.xSize = PLWordBE(h + 6);
    m_Header.ySize = PLWordBE(h + 8);
    m_Header.zSize = PLWordBE(h + 10);
    m_Header.colourMap = PLDWordBE(h + 104);
}

void PLSGIDecoder::Open(PLDataSource* source)
{
    Trace(2, "Decoding SGI.\n");
    readHeader(source);
    const Header& h = m_Header;
    if (h.magic != SGIMagic)
        refuse(PL_ERRWRONG_SIGNATURE, "SGI decoder invoked for non-SGI file.");
    if (h.zSize == 2)
        refuse(PL_ERRFORMAT_NOT_SUPPORTED, "Two-channel SGI RGB files are not supported.");
    if (h.zSize != 1 && h.zSize != 3 && h.zSize != 4)
        refuse(PL_ERRFORMAT_NOT_SUPPORTED, "SGI RGB files need one, three or four channels.");
    if (h.dimension == 1)
        refuse(PL_ERRFORMAT_NOT_SUPPORTED, "One-dimensional SGI RGB files are not supported.");
    if (h.storage == 1)
        refuse(PL_ERRFORMAT_NOT_SUPPORTED, "Compressed SGI RGB files are not supported.");
    if (h.bytesPerChannel != 1 && h.bytesPerChannel != 2)
        refuse(PL_ERRFORMAT_NOT_SUPPORTED, "SGI RGB files need one or two bytes per channel.");
    // All samples must be there before the picture is allocated.
    const int64_t needed = int64_t(h.xSize) * h.ySize * h.zSize * h.bytesPerChannel;
    if (needed > source->GetBytesLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    const int bpp = h.zSize == 1 ? 8 : 32;
    SetBmpInfo({h.xSize, h.ySize}, bpp, {0, 0}, h.zSize == 4, h.zSize == 1 && h.colourMap == 0);
}

uint8_t PLSGIDecoder::readSample(PLDataSource* source) const
{
    if (m_Header.bytesPerChannel == 2)
        return PLScale16To8(PLReadWordBE(source));
    return source->ReadByte();
}

void PLSGIDecoder::GetImage(PLBmp& bmp)
{
    PLDataSource* source = GetDataSource();
    const int width = m_Header.xSize, height = m_Header.ySize;
    if (GetBitsPerPixel() == 8) {
        for (int row = 0; row < height; ++row) {
            uint8_t* line = bmp.GetLine(height - 1 - row);
            for (int x = 0; x < width; ++x)
                line[x] = readSample(source);
        }
        return;
    }
    // Channel 0 is red, 1 green, 2 blue, 3 alpha.
    static constexpr uint8_t PLPixel32::*Components[] = {&PLPixel32::r, &PLPixel32::g, &PLPixel32::b, &PLPixel32::a};
    if (m_Header.zSize == 3)
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
            for (int x = 0; x < width; ++x)
                line[x].a = 255;
        }
    for (int c = 0; c < m_Header.zSize; ++c)
        for (int y = height - 1; y >= 0; --y) {
            auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
            for (int x = 0; x < width; ++x)
                line[x].*Components[c] = readSample(source);
        }
}
