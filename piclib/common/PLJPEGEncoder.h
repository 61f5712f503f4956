// Writes bitmaps as JPEG through libjpeg.
#pragma once

#include "piclib/common/PLJpegGlue.h"
#include "piclib/common/PLPicEncoder.h"

#include <memory>

class PLExifData;

class PLJPEGEncoder : public PLPicEncoder {
public:
    PLJPEGEncoder();
    ~PLJPEGEncoder() override;

    void DoEncode(PLBmp* bmp, PLDataSink* sink) override;

    // 0 keeps libjpeg's default quality.
    void SetQuality(int quality) { m_Quality = quality; }
    void SetOptimizeCoding(bool optimize) { m_bOptimizeCoding = optimize; }
    void SetSmoothingFactor(int smoothing) { m_SmoothingFactor = smoothing; }
    void SetDensity(unsigned x, unsigned y) { m_DensityX = x, m_DensityY = y; }
    // Written as the picture's APP1 marker by the next encode, which then frees it.
    void SetExifData(std::unique_ptr<PLExifData> exif);

private:
    void compress(PLBmp& bmp, PLDataSink* sink, const PLExifData* exif);

    jpeg_compress_struct m_Info{};
    PLJpegErrorState m_Error;
    int m_Quality = 0;
    bool m_bOptimizeCoding = false;
    int m_SmoothingFactor = 0;
    unsigned m_DensityX = 0;
    unsigned m_DensityY = 0;
    std::unique_ptr<PLExifData> m_pExifData;
};
