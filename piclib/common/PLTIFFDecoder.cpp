#include "piclib/common/PLTIFFDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLLockGuard.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLTiffMemory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int64_t MaxRasterPixels = (int64_t(1) << 30) / 4;
constexpr uint64_t MaxDecodedBytes = uint64_t(1) << 30;

struct RGBAImage {
    TIFFRGBAImage image{};
    bool begun = false;
    ~RGBAImage()
    {
        if (begun)
            TIFFRGBAImageEnd(&image);
    }
};

uint16_t field16(TIFF* tif, uint32_t tag, uint16_t fallback)
{
    uint16_t value = fallback;
    TIFFGetFieldDefaulted(tif, tag, &value);
    return value;
}

// Stored samples unchanged: no premultiplying of the alpha.
void putRGBAUnchanged(TIFFRGBAImage* img, uint32_t* cp, uint32_t, uint32_t, uint32_t w, uint32_t h,
                      int32_t fromskew, int32_t toskew, unsigned char* pp)
{
    const int samples = img->samplesperpixel;
    fromskew *= samples;
    for (; h > 0; --h) {
        for (uint32_t x = 0; x < w; ++x, pp += samples)
            *cp++ = uint32_t(pp[0]) | uint32_t(pp[1]) << 8 | uint32_t(pp[2]) << 16 | uint32_t(pp[3]) << 24;
        cp += toskew;
        pp += fromskew;
    }
}

// How many times its size stored data can grow when decoded, generously, so that no real
// picture is refused.
uint64_t maxExpansion(int compression, uint64_t lineBytes)
{
    switch (compression) {
    case COMPRESSION_NONE:
        return 4; // a cut-off file still shows its first lines
    case COMPRESSION_PACKBITS:
        return 128;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
        return 8 * std::max<uint64_t>(lineBytes, 1); // a blank line may take one bit
    default:
        return uint64_t(1) << 16;
    }
}

int toDpi(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min(value, double(INT_MAX)));
}

uint8_t sampleAt(const uint8_t* line, int64_t bitOffset, int bits)
{
    if (bits == 8)
        return line[bitOffset / 8];
    // Samples of 3, 5, 6 or 7 bits may cross a byte boundary.
    int value = 0;
    for (int64_t bit = bitOffset; bit < bitOffset + bits; ++bit)
        value = value << 1 | ((line[bit / 8] >> (7 - bit % 8)) & 1);
    return static_cast<uint8_t>(value);
}

} // namespace

PLTIFFDecoder::~PLTIFFDecoder()
{
    closeHandle();
}

void PLTIFFDecoder::onWarning(const char* module, const char* text)
{
    char message[600];
    if (module)
        std::snprintf(message, sizeof message, "Warning in LIBTIFF(%s): %s\n", module, text);
    else
        std::snprintf(message, sizeof message, "Warning in LIBTIFF: %s\n", text);
    Trace(2, message);
}

void PLTIFFDecoder::checkErrors()
{
    if (m_Errors.empty())
        return;
    const std::string text = m_Errors + "\n";
    m_Errors.clear();
    Trace(0, text.c_str());
    raiseError(PL_ERRFORMAT_UNKNOWN, text.c_str());
}

const char* PLTIFFDecoder::lastMessage(const char* fallback) const
{
    return m_Errors.empty() ? fallback : m_Errors.c_str();
}

void PLTIFFDecoder::Open(PLDataSource* source)
{
    closeHandle();
    m_Errors.clear();
    auto* data = const_cast<uint8_t*>(source->GetCurrentPointer());
    m_DataSize = source->GetBytesLeft();
    m_pTif = TIFFOpenMem(data, static_cast<size_t>(m_DataSize), nullptr, &m_Errors, onWarning);
    if (!m_pTif)
        raiseError(PL_ERRWRONG_SIGNATURE, lastMessage("Not a TIFF file."));
    checkErrors();
    readDescription();
    checkErrors();
}

void PLTIFFDecoder::readDescription()
{
    uint32_t width = 0, height = 0;
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_IMAGELENGTH, &height);
    const int bits = field16(m_pTif, TIFFTAG_BITSPERSAMPLE, 1);
    const int samples = field16(m_pTif, TIFFTAG_SAMPLESPERPIXEL, 1);
    const int photometric = field16(m_pTif, TIFFTAG_PHOTOMETRIC, 0xFFFF);
    const bool tiled = TIFFIsTiled(m_pTif);
    m_bLoColor = !tiled && (samples == 1 || samples == 2) && bits >= 1 && bits <= 8;
    if (m_bLoColor && samples == 2 && bits < 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Can't handle two samples of fewer than 8 bits.");
    const int bpp = !m_bLoColor ? 32 : (samples == 1 && bits == 1) ? 1 : 8;
    const int w = static_cast<int>(std::min<uint32_t>(width, INT_MAX));
    const int h = static_cast<int>(std::min<uint32_t>(height, INT_MAX));
    PLCheckBitmapSize(w, h, bpp);
    checkDecodedSize(tiled, samples, h);
    const bool grey = photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK;
    const bool alpha = samples == 4 && (grey || photometric == PHOTOMETRIC_RGB || photometric == PHOTOMETRIC_PALETTE);
    SetBmpInfo({w, h}, bpp, readResolution(), alpha, grey);
}

// libtiff allocates a whole tile or strip before it decodes into it: neither it nor the picture
// may need more than a fixed bound or more than the stored data can decode to.
void PLTIFFDecoder::checkDecodedSize(bool tiled, int samples, int height)
{
    const uint64_t lineBytes = TIFFScanlineSize64(m_pTif);
    const bool planes = field16(m_pTif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == PLANARCONFIG_SEPARATE;
    const uint64_t block = tiled ? TIFFTileSize64(m_pTif) : TIFFStripSize64(m_pTif);
    checkErrors();
    // Each factor is bounded before the next multiplication, so nothing overflows.
    const uint64_t rows = static_cast<uint64_t>(height) * (planes ? samples : 1);
    if (block > MaxDecodedBytes || lineBytes > MaxDecodedBytes || (rows && lineBytes > MaxDecodedBytes / rows))
        raiseError(PL_ERRNO_MEMORY, "Out of memory allocating TIFF buffer.");
    const uint64_t needed = std::max(block, lineBytes * rows);
    const auto stored = static_cast<uint64_t>(m_DataSize);
    if (needed > stored * maxExpansion(field16(m_pTif, TIFFTAG_COMPRESSION, COMPRESSION_NONE), lineBytes))
        raiseError(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
}

// Dots per inch; 1 or less means unknown, as does a unit without absolute meaning.
PLPoint PLTIFFDecoder::readResolution() const
{
    float x = 0, y = 0;
    uint16_t unit = RESUNIT_INCH;
    TIFFGetField(m_pTif, TIFFTAG_XRESOLUTION, &x);
    TIFFGetField(m_pTif, TIFFTAG_YRESOLUTION, &y);
    TIFFGetField(m_pTif, TIFFTAG_RESOLUTIONUNIT, &unit);
    double dx = x > 1.0f ? x : 0.0, dy = y > 1.0f ? y : 0.0;
    if (unit == RESUNIT_CENTIMETER) {
        dx = std::round(dx * 2.54);
        dy = std::round(dy * 2.54);
    } else if (unit != RESUNIT_INCH) {
        dx = dy = 0;
    }
    return {toDpi(dx), toDpi(dy)};
}

void PLTIFFDecoder::GetImage(PLBmp& bmp)
{
    if (!m_pTif)
        raiseError(PL_ERRINTERNAL, "TIFF decoder not open.");
    if (m_bLoColor)
        DoLoColor(bmp);
    else
        DoHiColor(bmp);
}

void PLTIFFDecoder::DoHiColor(PLBmp& bmp)
{
    RGBAImage rgba;
    char message[1024] = "";
    rgba.begun = TIFFRGBAImageOK(m_pTif, message) && TIFFRGBAImageBegin(&rgba.image, m_pTif, 0, message);
    m_Errors.clear();
    if (!rgba.begun)
        raiseError(PL_ERRWRONG_SIGNATURE, "TIFF subformat not supported.");
    const int width = GetWidth(), height = GetHeight();
    if (int64_t(width) * height > MaxRasterPixels)
        raiseError(PL_ERRNO_MEMORY, "Out of memory allocating TIFF buffer.");
    std::unique_ptr<uint32_t[]> raster(new (std::nothrow) uint32_t[size_t(width) * height]);
    if (!raster)
        raiseError(PL_ERRNO_MEMORY, "Out of memory allocating TIFF buffer.");
    TIFFRGBAImage& img = rgba.image;
    if (img.samplesperpixel == 4 && img.bitspersample == 8 && img.photometric == PHOTOMETRIC_RGB && img.isContig)
        img.put.contig = putRGBAUnchanged;
    if (!TIFFRGBAImageGet(&img, raster.get(), width, height))
        raiseError(PL_ERRWRONG_SIGNATURE, lastMessage("Reading the TIFF picture failed."));
    checkErrors();
    PLLockGuard lock(bmp);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = raster.get() + size_t(height - 1 - y) * width;
        auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = PLPixel32::FromRGBA(TIFFGetR(row[x]), TIFFGetG(row[x]), TIFFGetB(row[x]), TIFFGetA(row[x]));
    }
}

void PLTIFFDecoder::DoLoColor(PLBmp& bmp)
{
    const int bits = field16(m_pTif, TIFFTAG_BITSPERSAMPLE, 1);
    const int samples = field16(m_pTif, TIFFTAG_SAMPLESPERPIXEL, 1);
    int photometric = field16(m_pTif, TIFFTAG_PHOTOMETRIC, 0xFFFF);
    if (photometric != PHOTOMETRIC_MINISWHITE && photometric != PHOTOMETRIC_MINISBLACK &&
        photometric != PHOTOMETRIC_PALETTE) {
        Trace(2, "unexpected PhotometricInterpretation, default to PHOTOMETRIC_MINISWHITE");
        photometric = PHOTOMETRIC_MINISWHITE;
    }
    PLPixel32 palette[256];
    buildPalette(palette, bits, photometric);
    readLoColorLines(bmp, bits, samples);
    bmp.SetPaletteEntries(palette);
}

void PLTIFFDecoder::buildPalette(PLPixel32* palette, int bits, int photometric)
{
    std::fill(palette, palette + 256, PLPixel32{0, 0, 0, 255});
    const int n = 1 << bits;
    if (photometric != PHOTOMETRIC_PALETTE) {
        const int step = 255 / (n - 1);
        for (int i = 0; i < n; ++i) {
            const auto grey = static_cast<uint8_t>(i * step);
            palette[photometric == PHOTOMETRIC_MINISBLACK ? i : n - 1 - i] = {grey, grey, grey, 255};
        }
        return;
    }
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(m_pTif, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Palette TIFF without a colour map.");
    const bool wide = std::any_of(red, red + n, [](uint16_t v) { return v >= 256; }) ||
                      std::any_of(green, green + n, [](uint16_t v) { return v >= 256; }) ||
                      std::any_of(blue, blue + n, [](uint16_t v) { return v >= 256; });
    auto channel = [wide](uint16_t v) { return static_cast<uint8_t>(wide ? v * 255 / 65535 : v); };
    for (int i = 0; i < n; ++i)
        palette[i] = PLPixel32::FromRGBA(channel(red[i]), channel(green[i]), channel(blue[i]), 255);
}

void PLTIFFDecoder::readLoColorLines(PLBmp& bmp, int bits, int samples)
{
    const tmsize_t lineSize = TIFFScanlineSize(m_pTif);
    checkErrors();
    const int width = GetWidth(), height = GetHeight();
    // Separate planes give the first sample's line alone.
    const int stride = field16(m_pTif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == PLANARCONFIG_SEPARATE ? 1 : samples;
    if (lineSize <= 0 || lineSize < (int64_t(width) * stride * bits + 7) / 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unexpected TIFF scan line size.");
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(static_cast<size_t>(lineSize));
    } catch (const std::bad_alloc&) {
        raiseError(PL_ERRNO_MEMORY, "Out of memory allocating TIFF buffer.");
    }
    PLLockGuard lock(bmp);
    for (int row = 0; row < height; ++row) {
        if (TIFFReadScanline(m_pTif, buffer.data(), static_cast<uint32_t>(row), 0) == -1) {
            // A damaged end still shows the picture; a damaged start does not.
            if (row < height / 3)
                raiseError(PL_ERRINTERNAL, lastMessage("Reading a TIFF scan line failed."));
            m_Errors.clear();
            continue;
        }
        uint8_t* line = bmp.GetLine(row);
        if (GetBitsPerPixel() == 1) {
            std::memcpy(line, buffer.data(), std::min<size_t>(buffer.size(), bmp.GetLineBytes()));
            continue;
        }
        for (int x = 0; x < width; ++x)
            line[x] = sampleAt(buffer.data(), int64_t(x) * stride * bits, bits);
    }
    m_Errors.clear();
}

void PLTIFFDecoder::Close()
{
    closeHandle();
    PLPicDecoder::Close();
}

void PLTIFFDecoder::closeHandle()
{
    if (m_pTif)
        TIFFClose(m_pTif);
    m_pTif = nullptr;
}
