#include "piclib/common/PLJPEGDecoder.h"

#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLExifData.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>

PLJPEGDecoder::PLJPEGDecoder()
{
    PLJpegInitErrorState(m_Error);
    m_Info.err = &m_Error.pub;
    jpeg_create_decompress(&m_Info);
}

PLJPEGDecoder::~PLJPEGDecoder()
{
    jpeg_destroy_decompress(&m_Info);
}

void PLJPEGDecoder::Open(PLDataSource* source)
{
    // Data embedded in another format starts mid-source: only the rest belongs to us.
    const uint8_t* data = source->GetCurrentPointer();
    const size_t length = static_cast<size_t>(source->GetBytesLeft());
    m_pExifData = std::make_unique<PLExifData>();
    const bool ok = PLJpegRun(m_Error, [&] {
        PLJpegSetMemorySource(&m_Info, data, length, source);
        jpeg_save_markers(&m_Info, JPEG_APP0 + 1, 0xFFFF);
        jpeg_read_header(&m_Info, TRUE);
    });
    if (!ok)
        PLJpegRaise(m_Error, reinterpret_cast<j_common_ptr>(&m_Info));
    // Damaged metadata must not cost the user the picture: keep what was read before the fault.
    try {
        m_pExifData->ReadFromMarkers(m_Info.marker_list);
    } catch (const PLTextException& e) {
        Trace(1, e.GetText());
    }
    const bool grey = m_Info.out_color_space == JCS_GRAYSCALE;
    if (m_Info.jpeg_color_space == JCS_CMYK || m_Info.jpeg_color_space == JCS_YCCK)
        m_Info.out_color_space = JCS_CMYK;
    else if (!grey)
        m_Info.out_color_space = JCS_EXT_BGRX;
    PLPoint resolution{m_Info.X_density, m_Info.Y_density};
    if (m_Info.X_density == 1 || m_Info.Y_density == 1)
        resolution = {0, 0};
    else if (m_Info.density_unit == 2)
        resolution = {static_cast<int>(m_Info.X_density * 2.54), static_cast<int>(m_Info.Y_density * 2.54)};
    SetBmpInfo({static_cast<int>(m_Info.image_width), static_cast<int>(m_Info.image_height)}, grey ? 8 : 32,
               resolution, false, grey);
}

void PLJPEGDecoder::GetImage(PLBmp& bmp)
{
    bmp.Lock(false, true);
    try {
        readPixels(bmp);
    } catch (...) {
        bmp.Unlock();
        throw;
    }
    bmp.Unlock();
}

void PLJPEGDecoder::readPixels(PLBmp& bmp)
{
    if (m_bFast)
        m_Info.do_fancy_upsampling = FALSE;
    m_Info.dct_method = JDCT_FLOAT;
    uint8_t** lines = bmp.GetLineArray();
    const auto height = static_cast<JDIMENSION>(bmp.GetHeight());
    const bool ok = PLJpegRun(m_Error, [&] {
        jpeg_start_decompress(&m_Info);
        while (m_Info.output_scanline < std::min(m_Info.output_height, height)) {
            const JDIMENSION row = m_Info.output_scanline;
            jpeg_read_scanlines(&m_Info, lines + row, std::min<JDIMENSION>(32, height - row));
        }
        jpeg_finish_decompress(&m_Info);
    });
    if (!ok)
        PLJpegRaise(m_Error, reinterpret_cast<j_common_ptr>(&m_Info));
}

std::unique_ptr<PLExifData> PLJPEGDecoder::TakeExifData()
{
    return std::move(m_pExifData);
}

void PLJPEGDecoder::Close()
{
    m_pExifData.reset();
    jpeg_abort_decompress(&m_Info);
    PLPicDecoder::Close();
}
