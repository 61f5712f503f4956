// Turns Windows metafiles (plain or placeable) and enhanced metafiles into pictures by
// playing them into a memory bitmap of the screen's format.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "platform/gdi/GdiTypes.h"

#include <vector>

class PLWinBmp;
struct ENHMETAHEADER;

class PLWEMFDecoder : public PLPicDecoder {
public:
    ~PLWEMFDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

    // An enhanced metafile by the source's name, or by its own header when the name says neither.
    static bool IsEnhanced(PLDataSource* source);

private:
    struct Placeable {
        int16_t left = 0, top = 0, right = 0, bottom = 0;
        uint16_t unitsPerInch = 0;
    };

    void load(PLDataSource* source, bool enhanced);
    void readHeader();
    PLPoint pictureSize() const;
    void selectPalette(PLBmp& bmp, int entries);
    void render(PLWinBmp& bmp);
    void release();

    HENHMETAFILE m_hemf = nullptr;
    HDC m_hdc = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bm = nullptr;
    HPALETTE m_hOldPal = nullptr;
    HGDIOBJ m_hOldBm = nullptr;
    std::vector<uint8_t> m_Header;
    HPALETTE m_hPal = nullptr;
    bool m_bPlaceable = false;
    Placeable m_Placeable;
};
