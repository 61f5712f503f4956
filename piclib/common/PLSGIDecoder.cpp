#include "piclib/common/PLSGIDecoder.h"

#include "piclib/common/PLReadHelpers.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLPixel32.h"
#include "piclib/common/PLRows.h"
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

namespace {

// Sample x of a row of one or two bytes per sample.
uint8_t sampleAt(const uint8_t* row, int x, int bytesPerChannel)
{
    return bytesPerChannel == 2 ? PLScale16To8(PLWordBE(row + 2 * x)) : row[x];
}

} // namespace

// The planes were checked to be all there in Open: they are read in one piece and each
// output line is put together from the rows of every plane at once.
void PLSGIDecoder::GetImage(PLBmp& bmp)
{
    const int width = m_Header.xSize, height = m_Header.ySize, depth = m_Header.bytesPerChannel;
    const int64_t rowBytes = int64_t(width) * depth, planeBytes = rowBytes * height;
    const uint8_t* planes = GetDataSource()->ReadBytes(int(planeBytes * m_Header.zSize));
    for (int row = 0; row < height; ++row) {
        const uint8_t* red = planes + row * rowBytes;
        uint8_t* line = bmp.GetLine(height - 1 - row);
        if (GetBitsPerPixel() == 8) {
            for (int x = 0; x < width; ++x)
                line[x] = sampleAt(red, x, depth);
            continue;
        }
        const uint8_t* green = red + planeBytes;
        const uint8_t* blue = green + planeBytes;
        const uint8_t* alpha = m_Header.zSize == 4 ? blue + planeBytes : nullptr;
        auto* pixels = reinterpret_cast<PLPixel32*>(line);
        if (depth == 1) {
            PLWeavePlanes(pixels, width, red, green, blue, alpha);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            pixels[x].r = sampleAt(red, x, depth);
            pixels[x].g = sampleAt(green, x, depth);
            pixels[x].b = sampleAt(blue, x, depth);
            pixels[x].a = alpha ? sampleAt(alpha, x, depth) : 255;
        }
    }
}
