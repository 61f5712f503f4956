// Reads ZSoft PCX pictures (palette pictures of 1 to 8 bits, 1-bit planes, 24-bit
// RGB planes) into 32-bit bitmaps.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <vector>

class PLPCXDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;

private:
    struct Header {
        uint8_t manufacturer = 0;
        uint8_t version = 0;
        uint8_t encoding = 0;
        uint8_t bitsPerPixel = 0;
        uint16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
        uint16_t hRes = 0, vRes = 0;
        uint8_t colorMap[16][3] = {};
        uint8_t reserved = 0;
        uint8_t planes = 0;
        uint16_t bytesPerLine = 0;
        uint16_t paletteInfo = 0;
    };

    void readHeader(PLDataSource* source);
    void checkHeader() const;
    void checkLayout() const;
    void readPalette(PLDataSource* source);
    void writeLine(const uint8_t* src, PLPixel32* dst, uint8_t* indices) const;
    void unpackLine(const uint8_t* src, uint8_t* indices) const;
    void combinePlanes(const uint8_t* src, uint8_t* indices) const;

    Header m_Header;
    int m_Width = 0;
    int m_Height = 0;
    PLPixel32 m_Palette[256]{};
};
