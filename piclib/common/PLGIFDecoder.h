// Reads the first image of a GIF file into an 8-bit bitmap of the logical screen's size.
#pragma once

#include "piclib/common/PLPicDecoder.h"

#include <exception>
#include <gif_lib.h>

class PLGIFDecoder : public PLPicDecoder {
public:
    ~PLGIFDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

private:
    static int readData(GifFileType* gif, GifByteType* buffer, int length);
    // Rethrows what the data source raised inside giflib; true when the call succeeded.
    bool succeeded(int result);
    void printError() const;
    bool readRecords(int& transparentIndex);
    void readExtension(int& transparentIndex);
    void readImage(PLBmp& bmp);
    void setPalette(PLBmp& bmp, int transparentIndex) const;
    void closeHandle();

    GifFileType* m_pGifFile = nullptr;
    std::exception_ptr m_Pending;
};
