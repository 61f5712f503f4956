// Reads JPEG pictures with libjpeg from the unread rest of the source.
#pragma once

#include "piclib/common/PLJpegGlue.h"
#include "piclib/common/PLPicDecoder.h"

class PLJPEGDecoder : public PLPicDecoder {
public:
    PLJPEGDecoder();
    ~PLJPEGDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

    // Fast decoding skips fancy upsampling; on by default.
    void SetFast(bool fast) { m_bFast = fast; }

private:
    void readPixels(PLBmp& bmp);

    jpeg_decompress_struct m_Info{};
    PLJpegErrorState m_Error;
    bool m_bFast = true;
};
