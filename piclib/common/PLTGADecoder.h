// Reads Truevision Targa pictures: colour-mapped, true-colour and grey, plain or
// run-length encoded.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <vector>

class PLTGADecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;

private:
    struct Header {
        uint8_t idLength = 0;
        uint8_t colorMapType = 0;
        uint8_t imageType = 0;
        uint16_t colorMapStart = 0;
        uint16_t colorMapLength = 0;
        uint8_t colorMapBits = 0;
        uint16_t xOrigin = 0, yOrigin = 0;
        uint16_t width = 0, height = 0;
        uint8_t pixelDepth = 0;
        uint8_t descriptor = 0;
    };

    void readHeader(PLDataSource* source);
    void checkHeader() const;
    bool isMapped() const;
    bool hasAttributeBit() const;
    void readColorMap(PLDataSource* source, PLBmp& bmp);
    PLPixel32 readPixel(const uint8_t* stored, int bits) const;
    void readLine(PLDataSource* source, uint8_t* line);
    void readRLELine(PLDataSource* source, uint8_t* line);
    void storePixel(uint8_t* line, int x, const uint8_t* stored) const;

    Header m_Header;
    std::vector<PLPixel32> m_ColorMap; // by stored index, for 16-bit indices
};
