// Packed DIBs for the tests: a header, its colour table or masks and rows in one 8-byte
// aligned block.
#pragma once

#include "imaging/ipl/IplDib.h"

#include <cstring>
#include <vector>

namespace ipltest {

class Dib {
public:
    Dib(int width, int height, int bitCount, DWORD compression = BI_RGB, int colours = -1, size_t dataBytes = 0,
        size_t shift = 0)
        : shift_(shift)
    {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof(BITMAPINFOHEADER);
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(bitCount);
        h.biCompression = compression;
        h.biClrUsed = colours < 0 ? 0 : static_cast<DWORD>(colours);
        tableBytes_ = 4 * static_cast<size_t>(ownDibPaletteSize(&h));
        size_t rows = static_cast<size_t>(height < 0 ? -height : height) * DibRowBytes(width, h.biBitCount);
        dataBytes_ = dataBytes ? dataBytes : rows;
        h.biSizeImage = static_cast<DWORD>(dataBytes_);
        storage_.assign((shift + sizeof h + tableBytes_ + dataBytes_) / 8 + 2, 0);
        std::memcpy(header(), &h, sizeof h);
    }
    BITMAPINFOHEADER* header() { return reinterpret_cast<BITMAPINFOHEADER*>(reinterpret_cast<char*>(storage_.data()) + shift_); }
    RGBQUAD* colours() { return reinterpret_cast<RGBQUAD*>(reinterpret_cast<char*>(header()) + sizeof(BITMAPINFOHEADER)); }
    uint8_t* bits() { return reinterpret_cast<uint8_t*>(colours()) + tableBytes_; }
    size_t dataBytes() const { return dataBytes_; }
    std::vector<uint8_t> data() { return std::vector<uint8_t>(bits(), bits() + dataBytes_); }
    void setMasks(DWORD red, DWORD green, DWORD blue)
    {
        DWORD masks[3] = {red, green, blue};
        std::memcpy(colours(), masks, 12);
    }
    void greyRamp(int n)
    {
        for (int i = 0; i < n; ++i) {
            auto v = static_cast<BYTE>(255 * i / (n - 1));
            colours()[i] = {v, v, v, 0};
        }
    }
    void colourTable(int n)
    {
        for (int i = 0; i < n; ++i)
            colours()[i] = {static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i * 11), static_cast<BYTE>(i * 91), 0};
    }

private:
    std::vector<uint64_t> storage_;
    size_t shift_;
    size_t tableBytes_ = 0;
    size_t dataBytes_ = 0;
};

} // namespace ipltest
