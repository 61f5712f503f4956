// Reads PNG pictures with libpng.
#pragma once

#include "piclib/common/PLPicDecoder.h"

#include <exception>
#include <png.h>
#include <string>

class PLPNGDecoder : public PLPicDecoder {
public:
    ~PLPNGDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

private:
    static void readData(png_structp png, png_bytep data, size_t length);
    static void onError(png_structp png, png_const_charp message);
    static void onWarning(png_structp png, png_const_charp message);
    template <class F>
    void run(F&& f);
    void setTransformations();
    void setPalette(PLBmp& bmp);
    void destroy();

    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    int m_ColorType = 0;
    int m_BitDepth = 0;
    std::exception_ptr m_Pending;
    std::string m_Message;
};
