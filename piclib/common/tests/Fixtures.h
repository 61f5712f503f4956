// Reading the fixture pictures and comparing decoded bitmaps with reference pixels.
#pragma once

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fixture picture, what it must decode to, and how far its pixels may stray from the reference.
struct Fixture {
    const char* file;
    int bpp;
    bool alpha;
    bool grey;
    int tolerance;
};

// The fixture's file name as a test name.
struct FixtureTestName {
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        std::string name = info.param.file;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    }
};

inline std::vector<uint8_t> FixtureBytes(const std::string& name)
{
    std::ifstream in(std::string(VANTREL_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void DecodeBytes(const std::vector<uint8_t>& bytes, PLBmp& bmp, int bpp = 0)
{
    PLAnyPicDecoder decoder;
    decoder.MakeBmpFromMemory(bytes.data(), static_cast<int>(bytes.size()), &bmp, bpp);
}

// RGBA bytes of every pixel, rows from the top, whatever the bitmap's depth.
inline std::vector<uint8_t> RgbaOf(const PLBmp& bmp)
{
    PLAnyBmp full;
    full.CopyFrom(bmp, 32);
    std::vector<uint8_t> out;
    for (int y = 0; y < full.GetHeight(); ++y) {
        const auto* line = reinterpret_cast<const PLPixel32*>(full.GetLine(y));
        for (int x = 0; x < full.GetWidth(); ++x)
            out.insert(out.end(), {line[x].r, line[x].g, line[x].b, line[x].a});
    }
    return out;
}

// The largest difference between two byte arrays of equal length, -1 if the lengths differ.
inline int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size())
        return -1;
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(int(a[i]) - int(b[i])));
    return largest;
}
