// Reading the pixels of a packed DIB of any depth and compression, and the checks every
// DIB entry point makes on a bitmap header.
#pragma once

#include "imaging/ipl/IplDib.h"

#include <cstdint>
#include <vector>

struct OwnQuad {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t alpha;
};

// The bitmap header checks; reports with func and returns false on a refusal.
// compact: the texts without spaces inside the outer parentheses, as the converters write them.
bool ownDibHeaderRefused(const BITMAPINFOHEADER* dib, const char* func, bool compact);
int ownDibHeight(const BITMAPINFOHEADER* dib);
const RGBQUAD* ownDibColors(const BITMAPINFOHEADER* dib);
uint8_t* ownDibBits(BITMAPINFOHEADER* dib);

// Whether an image row is a bitmap's stored row of the same index (else the order flips).
inline int ownDibRowOfImageRow(const BITMAPINFOHEADER* dib, int origin, int imageRow)
{
    bool bottomUp = dib->biHeight >= 0;
    bool sameOrder = bottomUp == (origin == 1);
    return sameOrder ? imageRow : ownDibHeight(dib) - 1 - imageRow;
}

class OwnDibReader {
public:
    explicit OwnDibReader(BITMAPINFOHEADER* dib);
    // Expands run-length rows first; {0, nullptr} on success.
    int expand(const char** context);
    OwnQuad quad(int x, int storedRow) const;
    // The stored index of an indexed bitmap (0 for others).
    uint8_t index(int x, int storedRow) const;

private:
    uint32_t word(int x, int storedRow) const;
    const BITMAPINFOHEADER* dib_;
    const RGBQUAD* colors_;
    int colorCount_;
    const uint8_t* bits_;
    int rowSize_;
    uint32_t masks_[4];
    std::vector<uint8_t> expanded_;
};
