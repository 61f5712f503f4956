#include "piclib/common/PLJPEGEncoder.h"

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLExifData.h"

#include <algorithm>

PLJPEGEncoder::PLJPEGEncoder()
{
    PLJpegInitErrorState(m_Error);
    m_Info.err = &m_Error.pub;
    jpeg_create_compress(&m_Info);
}

PLJPEGEncoder::~PLJPEGEncoder()
{
    jpeg_destroy_compress(&m_Info);
}

void PLJPEGEncoder::SetExifData(std::unique_ptr<PLExifData> exif)
{
    m_pExifData = std::move(exif);
}

void PLJPEGEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink)
{
    // Freed on every path, so a failed encode never leaves it for the next picture.
    const std::unique_ptr<PLExifData> exif = std::move(m_pExifData);
    if (bmp->GetBitsPerPixel() == 32)
        return compress(*bmp, sink, exif.get());
    PLAnyBmp full;
    full.CopyFrom(*bmp, 32);
    compress(full, sink, exif.get());
}

void PLJPEGEncoder::compress(PLBmp& bmp, PLDataSink* sink, const PLExifData* exif)
{
    uint8_t** lines = bmp.GetLineArray();
    const auto height = static_cast<JDIMENSION>(bmp.GetHeight());
    const PLPoint resolution = bmp.GetResolution();
    bmp.Lock(true, false);
    const bool ok = PLJpegRun(m_Error, [&] {
        PLJpegSetSinkDestination(&m_Info, sink);
        m_Info.image_width = static_cast<JDIMENSION>(bmp.GetWidth());
        m_Info.image_height = height;
        m_Info.input_components = 4;
        m_Info.in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(&m_Info);
        m_Info.X_density = static_cast<UINT16>(resolution.x);
        m_Info.Y_density = static_cast<UINT16>(resolution.y);
        m_Info.dct_method = JDCT_FLOAT;
        if (m_Quality != 0)
            jpeg_set_quality(&m_Info, m_Quality, TRUE);
        m_Info.optimize_coding = m_bOptimizeCoding;
        m_Info.smoothing_factor = m_SmoothingFactor;
        if (m_DensityX || m_DensityY) {
            m_Info.density_unit = 1;
            m_Info.X_density = static_cast<UINT16>(m_DensityX);
            m_Info.Y_density = static_cast<UINT16>(m_DensityY);
        }
        jpeg_start_compress(&m_Info, TRUE);
        if (exif)
            exif->WriteAsMarker(&m_Info);
        while (m_Info.next_scanline < height) {
            const JDIMENSION row = m_Info.next_scanline;
            if (jpeg_write_scanlines(&m_Info, lines + row, std::min<JDIMENSION>(32, height - row)) == 0)
                break;
        }
        jpeg_finish_compress(&m_Info);
    });
    bmp.Unlock();
    if (!ok)
        PLJpegRaise(m_Error, reinterpret_cast<j_common_ptr>(&m_Info));
}
