// Reads JPEG pictures with libjpeg from the unread rest of the source.
#pragma once

#include "piclib/common/PLJpegGlue.h"
#include "piclib/common/PLPicDecoder.h"

#include <memory>

class PLExifData;

class PLJPEGDecoder : public PLPicDecoder {
public:
    PLJPEGDecoder();
    ~PLJPEGDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

    // Fast decoding skips fancy upsampling; on by default.
    void SetFast(bool fast) { m_bFast = fast; }

    // The Exif data of the open picture, null before Open and after Close.
    PLExifData* GetExifData() const { return m_pExifData.get(); }
    // Hands the Exif data over, for instance to an encoder that writes it back.
    std::unique_ptr<PLExifData> TakeExifData();

private:
    void readPixels(PLBmp& bmp);

    jpeg_decompress_struct m_Info{};
    PLJpegErrorState m_Error;
    bool m_bFast = true;
    std::unique_ptr<PLExifData> m_pExifData;
};
