// Writes bitmaps as TIFF through libtiff into a data sink.
#pragma once

#include "piclib/common/PLPicEncoder.h"

#include <cstdint>
#include <tiffio.h>

class PLTIFFEncoder : public PLPicEncoder {
public:
    void DoEncode(PLBmp* bmp, PLDataSink* sink) override;
    virtual void DoTiffEncode(PLBmp* bmp, TIFF* tif);

    void SetCompression(uint16_t compression) { m_Compression = compression; }

private:
    void setBaseTags(PLBmp& bmp, TIFF* tif) const;
    void encode(PLBmp& bmp, PLDataSink* sink);

    uint16_t m_Compression = COMPRESSION_PACKBITS;
};
