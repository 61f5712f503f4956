// Reads Windows and OS/2 bitmap files.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

class PLBmpDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

private:
    struct Header {
        uint32_t size = 0;
        int32_t width = 0;
        int32_t height = 0;
        uint16_t planes = 0;
        uint16_t bitCount = 0;
        uint32_t compression = 0;
        uint32_t imageSize = 0;
        int32_t xPelsPerMeter = 0;
        int32_t yPelsPerMeter = 0;
        uint32_t colorsUsed = 0;
        uint32_t colorsImportant = 0;
    };

    int readFileHeader(PLDataSource* source);
    void readInfoHeader(PLDataSource* source);
    void readPalette(PLDataSource* source, int entryBytes);
    void seekToPixels(PLDataSource* source, int fileStart, int dataOffset);
    uint8_t* lineOf(PLBmp& bmp, int fileLine) const;
    void decode1Bit(PLBmp& bmp, PLDataSource* source);
    void decode4Bit(PLBmp& bmp, PLDataSource* source);
    void decode8Bit(PLBmp& bmp, PLDataSource* source);
    void decodeRLE(PLBmp& bmp, PLDataSource* source, bool nibbles);
    void decodeTrueColour(PLBmp& bmp, PLDataSource* source);
    void decode32WithMasks(PLBmp& bmp, PLDataSource* source);
    static void skipPadding(PLDataSource* source, int lineBytes);
    static void makeOpaqueIfAlphaUnused(PLBmp& bmp);

    PLPixel32 m_Palette[256]{};
    Header m_Header;
    bool m_bHaveHeader = false;
    bool m_bTopDown = false;
    uint32_t m_Masks[4] = {0, 0, 0, 0};
};
