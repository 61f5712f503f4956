// Reads IFF-85 pictures: planar ILBM and chunky PBM forms with palettes, hold-and-modify
// (HAM6 and HAM8), a transparent colour, and 24-plane deep ILBMs.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <vector>

class PLIFF85Decoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;

private:
    struct BitmapHeader {
        uint16_t width = 0;
        uint16_t height = 0;
        int16_t x = 0;
        int16_t y = 0;
        uint8_t planes = 0;
        uint8_t masking = 0;
        uint8_t compression = 0;
        uint8_t pad = 0;
        uint16_t transparentColour = 0;
        uint8_t xAspect = 0;
        uint8_t yAspect = 0;
        int16_t pageWidth = 0;
        int16_t pageHeight = 0;
    };
    enum { MaskNone = 0, MaskPlane = 1, MaskTransparentColour = 2, MaskLasso = 3 };

    void readChunks(PLDataSource* source, int64_t formEnd);
    void readHeader(PLDataSource* source, uint32_t size);
    void readPalette(PLDataSource* source, uint32_t size);
    void checkGeometry(PLDataSource* source, int64_t bodyOffset, int64_t formEnd) const;
    bool isHAM() const { return (m_ViewportMode & 0x800) != 0; }
    int planeRowBytes() const { return (m_Header.width + 15) / 16 * 2; }
    int rowBytes() const;
    const uint8_t* readRow(PLDataSource* source, std::vector<uint8_t>& row);
    void combinePlanes(const uint8_t* row, std::vector<uint32_t>& values) const;
    void writeDeepLine(const uint8_t* row, PLPixel32* line, std::vector<uint8_t>& components) const;
    void writeLine(const std::vector<uint32_t>& values, uint8_t* line) const;
    void writeHAMLine(const std::vector<uint32_t>& values, PLPixel32* line) const;

    uint32_t m_FormType = 0;
    BitmapHeader m_Header;
    PLPixel32 m_Palette[256]{};
    int m_PaletteSize = 0;
    uint32_t m_ViewportMode = 0;
    uint32_t m_BodySize = 0;
    int64_t m_BodyLeft = 0;
    bool m_bHaveHeader = false;
    bool m_bHavePalette = false;
    bool m_bHaveBody = false;
};
