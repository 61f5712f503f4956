#include "piclib/common/PLTIFFEncoder.h"

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLDataSink.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLTiffMemory.h"

#include <string>
#include <vector>

namespace {

bool darker(const PLPixel32& a, const PLPixel32& b)
{
    return a.r < b.r && a.g < b.g && a.b < b.b;
}

} // namespace

void PLTIFFEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink)
{
    // Only 1, 8 and 32 bits have a TIFF layout here; other depths go through 32.
    const int bpp = bmp->GetBitsPerPixel();
    if (bpp == 1 || bpp == 8 || bpp == 32)
        return encode(*bmp, sink);
    PLAnyBmp full;
    full.CopyFrom(*bmp, 32);
    encode(full, sink);
}

void PLTIFFEncoder::encode(PLBmp& bmp, PLDataSink* sink)
{
    size_t written = 0;
    std::string errors;
    TIFF* tif = TIFFOpenMem(sink->GetWritePointer(), static_cast<size_t>(sink->GetSpaceLeft()), &written, &errors);
    if (!tif)
        raiseError(PL_ERRFORMAT_UNKNOWN, errors.empty() ? "Can't open TIFF output." : errors.c_str());
    setBaseTags(bmp, tif);
    DoTiffEncode(&bmp, tif);
    const bool flushed = TIFFFlush(tif) == 1;
    TIFFClose(tif);
    if (!flushed || !errors.empty()) {
        if (written >= static_cast<size_t>(sink->GetSpaceLeft()))
            raiseError(PL_ERREND_OF_FILE, "Buffer overflow while encoding.\n");
        raiseError(PL_ERRFORMAT_UNKNOWN, errors.empty() ? "Writing TIFF failed." : errors.c_str());
    }
    sink->Advance(static_cast<int>(written));
}

void PLTIFFEncoder::setBaseTags(PLBmp& bmp, TIFF* tif) const
{
    const int bpp = bmp.GetBitsPerPixel();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(bmp.GetWidth()));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(bmp.GetHeight()));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(bpp > 8 ? 8 : bpp));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(bpp <= 8 ? 1 : bmp.HasAlpha() ? 4 : 3));
    if (bpp == 32 && bmp.HasAlpha()) {
        const uint16_t extra[1] = {EXTRASAMPLE_ASSOCALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    TIFFSetField(tif, TIFFTAG_COMPRESSION, m_Compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(bmp.GetResolution().x));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(bmp.GetResolution().y));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (bpp == 1) {
        const PLPixel32* pal = bmp.GetPalette();
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
                     darker(pal[0], pal[1]) ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_MINISWHITE);
    } else if (bpp == 8) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
    } else if (bpp == 32) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    }
}

void PLTIFFEncoder::DoTiffEncode(PLBmp* bmp, TIFF* tif)
{
    const int width = bmp->GetWidth();
    const int bpp = bmp->GetBitsPerPixel();
    if (bpp == 8) {
        // Colour map entries as full 16-bit intensities, as TIFF readers expect.
        std::vector<uint16_t> red(256), green(256), blue(256);
        for (int i = 0; i < 256; ++i) {
            const PLPixel32& entry = bmp->GetPalette()[i];
            red[i] = static_cast<uint16_t>(entry.r * 257);
            green[i] = static_cast<uint16_t>(entry.g * 257);
            blue[i] = static_cast<uint16_t>(entry.b * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }
    const int samples = bpp == 32 ? (bmp->HasAlpha() ? 4 : 3) : 0;
    std::vector<uint8_t> row(static_cast<size_t>(width) * (samples ? samples : 1) + 8);
    for (int y = 0; y < bmp->GetHeight(); ++y) {
        uint8_t* data = bmp->GetLine(y);
        if (samples) {
            const auto* src = reinterpret_cast<const PLPixel32*>(data);
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &row[static_cast<size_t>(x) * samples];
                p[0] = src[x].r, p[1] = src[x].g, p[2] = src[x].b;
                if (samples == 4)
                    p[3] = src[x].a;
            }
            data = row.data();
        }
        if (TIFFWriteScanline(tif, data, static_cast<uint32_t>(y), 0) != 1)
            return;
    }
}
