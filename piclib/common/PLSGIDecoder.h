// Reads uncompressed SGI image files of one, three or four channels.
#pragma once

#include "piclib/common/PLPicDecoder.h"

class PLSGIDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;

private:
    struct Header {
        uint16_t magic = 0;
        uint8_t storage = 0;
        uint8_t bytesPerChannel = 0;
        uint16_t dimension = 0;
        uint16_t xSize = 0;
        uint16_t ySize = 0;
        uint16_t zSize = 0;
        uint32_t colourMap = 0;
    };

    void readHeader(PLDataSource* source);

    Header m_Header;
};
