// Reads the first directory of TIFF pictures with libtiff: low-colour strips line by
// line into 1- or 8-bit bitmaps with a palette, everything else through libtiff's
// RGBA reader into 32-bit bitmaps.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <string>
#include <tiffio.h>

class PLTIFFDecoder : public PLPicDecoder {
public:
    ~PLTIFFDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

private:
    void readDescription();
    void checkDecodedSize(bool tiled, int samples, int height);
    PLPoint readResolution() const;
    void DoHiColor(PLBmp& bmp);
    void DoLoColor(PLBmp& bmp);
    void buildPalette(PLPixel32* palette, int bitsPerSample, int photometric);
    void readLoColorLines(PLBmp& bmp, int bitsPerSample, int samplesPerPixel);
    static void onWarning(const char* module, const char* text);
    // Raises code 2 with libtiff's first error since the last check, if any.
    void checkErrors();
    const char* lastMessage(const char* fallback) const;
    void closeHandle();

    TIFF* m_pTif = nullptr;
    std::string m_Errors;
    int m_DataSize = 0;
    bool m_bLoColor = false;
};
