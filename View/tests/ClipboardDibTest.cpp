// Pictures other programs put on the clipboard: the packed DIB becomes the bytes of a .bmp file
// whose header says where the pixels start, and a block too short for its header is refused.
#include "View/HyperOleViewDib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void Put32(Bytes& bytes, size_t at, DWORD value) { std::memcpy(&bytes[at], &value, 4); }
void Put16(Bytes& bytes, size_t at, WORD value) { std::memcpy(&bytes[at], &value, 2); }

DWORD Get32(const Bytes& bytes, size_t at)
{
    DWORD value = 0;
    std::memcpy(&value, &bytes[at], 4);
    return value;
}

// A 40-byte header and `extra` bytes after it.
Bytes Dib(int width, int height, WORD bits, DWORD compression, DWORD sizeImage, DWORD clrUsed, size_t extra)
{
    Bytes dib(40 + extra, 0x5A);
    Put32(dib, 0, 40);                           // biSize
    Put32(dib, 4, static_cast<DWORD>(width));    // biWidth
    Put32(dib, 8, static_cast<DWORD>(height));   // biHeight
    Put16(dib, 12, 1);                           // biPlanes
    Put16(dib, 14, bits);                        // biBitCount
    Put32(dib, 16, compression);                 // biCompression
    Put32(dib, 20, sizeImage);                   // biSizeImage
    Put32(dib, 24, 0);                           // biXPelsPerMeter
    Put32(dib, 28, 0);                           // biYPelsPerMeter
    Put32(dib, 32, clrUsed);                     // biClrUsed
    Put32(dib, 36, 0);                           // biClrImportant
    return dib;
}

TEST(ClipboardDibTest, TheFileHeaderPointsPastTheColourTable)
{
    struct Case {
        const char* name;
        Bytes dib;
        DWORD bitsOffset;
        size_t packedBytes;
    };
    const Case cases[] = {
        // 2 x 2 at 24 bits: rows of 8 bytes, no colour table.
        {"true colour", Dib(2, 2, 24, 0, 16, 0, 16), 14 + 40, 40 + 16},
        // 8 bits without a count of used colours: all 256 of them.
        {"full palette", Dib(4, 1, 8, 0, 4, 0, 1024 + 4), 14 + 40 + 1024, 40 + 1024 + 4},
        // 8 bits naming two used colours.
        {"two colours", Dib(4, 1, 8, 0, 4, 2, 8 + 4), 14 + 40 + 8, 40 + 8 + 4},
        // No image size: 3 x 2 at 24 bits is two rows of 12 bytes.
        {"size from the rows", Dib(3, 2, 24, 0, 0, 0, 24), 14 + 40, 40 + 24},
        // Bit-field masks stand between the header and the pixels.
        {"bit fields", Dib(1, 1, 32, 3, 4, 0, 12 + 4), 14 + 40 + 12, 40 + 12 + 4},
        // Runs of eight bits: 255 pixels from two bytes, and the end code.
        {"runs", Dib(255, 1, 8, 1, 4, 2, 8 + 4), 14 + 40 + 8, 40 + 8 + 4},
        // Top-down rows count the same.
        {"top down", Dib(2, -2, 24, 0, 0, 0, 16), 14 + 40, 40 + 16},
    };
    for (const Case& c : cases) {
        const Bytes file = BmpFileFromPackedDib(c.dib.data(), c.dib.size());
        ASSERT_EQ(file.size(), 14 + c.packedBytes) << c.name;
        EXPECT_EQ(file[0], 'B') << c.name;
        EXPECT_EQ(file[1], 'M') << c.name;
        EXPECT_EQ(Get32(file, 2), 14 + c.packedBytes) << c.name;
        EXPECT_EQ(Get32(file, 6), 0u) << c.name << ": reserved";
        EXPECT_EQ(Get32(file, 10), c.bitsOffset) << c.name;
        EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), c.dib.begin())) << c.name;
    }
}

TEST(ClipboardDibTest, BlocksThatCannotHoldWhatTheyClaimAreRefused)
{
    Bytes shortHeader = Dib(2, 2, 24, 0, 16, 0, 16);
    Put32(shortHeader, 0, 12);
    Bytes hugeHeader = Dib(2, 2, 24, 0, 16, 0, 16);
    Put32(hugeHeader, 0, 4096);
    Bytes noPlanes = Dib(2, 2, 24, 0, 16, 0, 16);
    Put16(noPlanes, 12, 0);
    Bytes cutHeader = Dib(2, 2, 24, 0, 16, 0, 16);
    cutHeader.resize(30);
    struct Case {
        const char* name;
        Bytes dib;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header cut short", cutHeader},
        {"pixels cut short", Dib(2, 2, 24, 0, 16, 0, 15)},
        {"palette cut short", Dib(4, 1, 8, 0, 4, 0, 1000)},
        {"huge image size", Dib(2, 2, 24, 0, 0xFFFFFFF0u, 0, 16)},
        {"huge width", Dib(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 0, 0, 16)},
        {"old header", shortHeader},
        {"header beyond the block", hugeHeader},
        {"no planes", noPlanes},
        {"no pixels", Dib(0, 0, 24, 0, 0, 0, 0)},
        {"8000 x 8000 from two bytes of runs", Dib(8000, 8000, 8, 1, 2, 2, 8 + 2)},
        {"runs of four bits for more than they can draw", Dib(-600, 600, 4, 2, 1000, 2, 8 + 1000)},
        {"8000 x 8000 from two bytes of an unknown compression", Dib(8000, 8000, 8, 0x401, 2, 2, 8 + 2)},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(BmpFileFromPackedDib(c.dib.data(), c.dib.size()).empty()) << c.name;
    EXPECT_TRUE(BmpFileFromPackedDib(nullptr, 100).empty());
}

} // namespace
