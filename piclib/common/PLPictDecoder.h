// Reads the first raster image of a Macintosh PICT file (version 1 or 2): bit maps,
// pixel maps, direct bits and embedded JPEG data.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <vector>

class PLJPEGDecoder;

class PLPictDecoder : public PLPicDecoder {
public:
    // JPEG data inside pictures goes to jpegDecoder (not owned); without one it is refused.
    explicit PLPictDecoder(PLJPEGDecoder* jpegDecoder);

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

private:
    enum Kind { KindNone, KindDirectBits, KindJPEG, KindPixMap, KindBitMap };
    struct Rect {
        int16_t top = 0, left = 0, bottom = 0, right = 0;
        int Width() const { return right - left; }
        int Height() const { return bottom - top; }
    };
    struct PixMap {
        Rect bounds;
        uint16_t version = 0;
        uint16_t packType = 0;
        uint32_t packSize = 0;
        uint32_t hRes = 0;
        uint32_t vRes = 0;
        uint16_t pixelType = 0;
        uint16_t pixelSize = 0;
        uint16_t cmpCount = 0;
        uint16_t cmpSize = 0;
        uint32_t planeBytes = 0;
        uint32_t pmTable = 0;
        uint32_t reserved = 0;
    };

    void readVersion(PLDataSource* source);
    void interpretOpcodes(PLDataSource* source);
    bool interpretOpcode(PLDataSource* source, int opcode);
    bool interpretTableOpcode(PLDataSource* source, int opcode);
    void skipOtherOpcode(PLDataSource* source, int opcode);
    void skipPixPat(PLDataSource* source);
    void readImageOpcode(PLDataSource* source, int opcode);
    void readDirectBits(PLDataSource* source, bool region);
    bool readJPEG(PLDataSource* source);
    void readPixMap(PLDataSource* source);
    void describePixMap();
    void checkBounds(const Rect& bounds) const;
    void readColourTable(PLDataSource* source, PLPixel32* palette);
    void skipRegion(PLDataSource* source);

    int rowBytesFor(int width, int pixelSize) const;
    const uint8_t* readRow(PLDataSource* source, int rowBytes, int unitBytes);
    void decode8BitRows(PLBmp& bmp, PLDataSource* source);
    void decode32BitRows(PLBmp& bmp, PLDataSource* source, int components);
    void decodeGeneral(PLBmp& bmp, PLDataSource* source, int pixelSize, int width, int height);
    void decodeByKind(PLBmp& bmp, PLDataSource* source);

    PLJPEGDecoder* m_pJPEGDec;
    Kind m_Kind = KindNone;
    int m_Version = 2;
    PixMap m_PixMap;
    int m_RowBytes = 0;
    Rect m_BitMapBounds;
    bool m_bRegion = false;
    bool m_bPacked = true;
    bool m_bJPEGOpen = false;
    std::vector<uint8_t> m_Row;
};
