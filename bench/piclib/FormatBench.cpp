// The library's own decoders on the same 12-megapixel picture stored in each of their formats,
// next to the BMP decoder, whose time is close to what allocating the bitmap costs; PCX also on
// a photo-like picture, whose bytes rarely repeat.
#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Width = 4000;
constexpr int Height = 3000;

using Bytes = std::vector<uint8_t>;

void putLE(Bytes& out, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void putBE(Bytes& out, uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// Channel c (0 red, 1 green, 2 blue) of pixel (x, y), counted from the top: smooth with texture.
uint8_t sample(int x, int y, int c)
{
    uint32_t noise = uint32_t(x * 73856093u ^ y * 19349663u ^ c * 83492791u);
    int base = c == 0 ? x * 255 / Width : c == 1 ? y * 255 / Height : (x + y) / 31 * 7;
    return uint8_t(base + int(noise >> 29));
}

// A photograph's statistics instead: broad shapes of light and colour over the whole range, with
// fine texture and sensor noise, so runs are rare and many bytes need a run marker to be stored.
uint8_t photoSample(int x, int y, int c)
{
    const double u = double(x) / Width, v = double(y) / Height;
    const double light = 128 + 80 * std::sin(6.1 * u + 2.3 * v + c) + 45 * std::sin(17.0 * v - 9.0 * u + 2 * c);
    const double texture = 14 * std::sin(0.9 * x + 0.4 * y) * std::sin(0.35 * y - 0.7 * x + c);
    const uint32_t noise = uint32_t(x * 73856093u ^ y * 19349663u ^ c * 83492791u) * 2654435761u;
    return uint8_t(std::clamp(light + texture + int(noise >> 28) - 8, 0.0, 255.0));
}

Bytes bmp()
{
    Bytes out = {'B', 'M'};
    uint32_t line = Width * 3, size = 54 + line * Height;
    putLE(out, size, 4);
    putLE(out, 0, 4);
    putLE(out, 54, 4);
    for (uint32_t v : {40u, uint32_t(Width), uint32_t(Height)})
        putLE(out, v, 4);
    putLE(out, 1, 2);
    putLE(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        putLE(out, 0, 4);
    for (int y = Height - 1; y >= 0; --y)
        for (int x = 0; x < Width; ++x)
            for (int c : {2, 1, 0})
                out.push_back(sample(x, y, c));
    return out;
}

Bytes tga()
{
    Bytes out = {0, 0, 2};
    out.insert(out.end(), 9, 0);
    putLE(out, Width, 2);
    putLE(out, Height, 2);
    out.push_back(24);
    out.push_back(0x20);  // top down
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            for (int c : {2, 1, 0})
                out.push_back(sample(x, y, c));
    return out;
}

Bytes sgi()
{
    Bytes out;
    putBE(out, 474, 2);
    out.push_back(0);  // uncompressed
    out.push_back(1);  // one byte per channel
    for (uint32_t v : {3u, uint32_t(Width), uint32_t(Height), 3u})
        putBE(out, v, 2);
    out.resize(512, 0);
    for (int c = 0; c < 3; ++c)
        for (int y = Height - 1; y >= 0; --y)
            for (int x = 0; x < Width; ++x)
                out.push_back(sample(x, y, c));
    return out;
}

// Run-length coded PCX, three planes of 8 bits.
Bytes pcxOf(uint8_t (*valueAt)(int x, int y, int c))
{
    Bytes out = {10, 5, 1, 8};
    for (uint32_t v : {0u, 0u, uint32_t(Width - 1), uint32_t(Height - 1), 72u, 72u})
        putLE(out, v, 2);
    out.insert(out.end(), 49, 0);
    out.push_back(3);
    putLE(out, Width, 2);
    putLE(out, 1, 2);
    out.resize(128, 0);
    for (int y = 0; y < Height; ++y)
        for (int c = 0; c < 3; ++c)
            for (int x = 0; x < Width;) {
                uint8_t v = valueAt(x, y, c);
                int run = 1;
                while (x + run < Width && run < 63 && valueAt(x + run, y, c) == v)
                    ++run;
                if (run > 1 || (v & 0xC0) == 0xC0)
                    out.push_back(uint8_t(0xC0 | run));
                out.push_back(v);
                x += run;
            }
    return out;
}

Bytes pcx()
{
    return pcxOf(sample);
}

Bytes pcxPhoto()
{
    return pcxOf(photoSample);
}

Bytes ppm()
{
    std::string header = "P6\n" + std::to_string(Width) + " " + std::to_string(Height) + "\n255\n";
    Bytes out(header.begin(), header.end());
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            for (int c = 0; c < 3; ++c)
                out.push_back(sample(x, y, c));
    return out;
}

// PackBits of one row: runs of three or more equal bytes repeat, the rest go as literals.
Bytes packBits(const Bytes& row)
{
    Bytes out;
    for (size_t x = 0; x < row.size();) {
        size_t run = 1;
        while (x + run < row.size() && run < 128 && row[x + run] == row[x])
            ++run;
        if (run >= 3) {
            out.push_back(uint8_t(257 - run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        size_t literal = 0;
        while (x + literal < row.size() && literal < 128 &&
               !(x + literal + 2 < row.size() && row[x + literal] == row[x + literal + 1] &&
                 row[x + literal] == row[x + literal + 2]))
            ++literal;
        out.push_back(uint8_t(literal - 1));
        out.insert(out.end(), row.begin() + long(x), row.begin() + long(x + literal));
        x += literal;
    }
    return out;
}

Bytes channelRow(int y, int c)
{
    Bytes row(Width);
    for (int x = 0; x < Width; ++x)
        row[x] = sample(x, y, c);
    return row;
}

// Three 8-bit channels, each row PackBits coded after a table of packed row lengths.
Bytes psd()
{
    Bytes out = {'8', 'B', 'P', 'S'};
    putBE(out, 1, 2);
    out.insert(out.end(), 6, 0);
    putBE(out, 3, 2);
    putBE(out, Height, 4);
    putBE(out, Width, 4);
    putBE(out, 8, 2);
    putBE(out, 3, 2);
    for (int section = 0; section < 3; ++section)
        putBE(out, 0, 4);
    putBE(out, 1, 2);
    std::vector<Bytes> rows;
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < Height; ++y)
            rows.push_back(packBits(channelRow(y, c)));
    for (const Bytes& row : rows)
        putBE(out, uint32_t(row.size()), 2);
    for (const Bytes& row : rows)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}

// A deep ILBM: 24 bit planes (red in planes 0-7), each plane row PackBits coded.
Bytes iff()
{
    const int planeRow = (Width + 15) / 16 * 2;
    Bytes body;
    for (int y = 0; y < Height; ++y)
        for (int p = 0; p < 24; ++p) {
            Bytes plane(planeRow, 0);
            for (int x = 0; x < Width; ++x)
                if ((sample(x, y, p / 8) >> (p % 8)) & 1)
                    plane[x / 8] |= uint8_t(0x80 >> (x % 8));
            const Bytes packed = packBits(plane);
            body.insert(body.end(), packed.begin(), packed.end());
        }
    Bytes out = {'F', 'O', 'R', 'M'};
    putBE(out, uint32_t(4 + 28 + 8 + body.size() + (body.size() & 1)), 4);
    out.insert(out.end(), {'I', 'L', 'B', 'M', 'B', 'M', 'H', 'D'});
    putBE(out, 20, 4);
    for (uint32_t v : {uint32_t(Width), uint32_t(Height), 0u, 0u})
        putBE(out, v, 2);
    out.insert(out.end(), {24, 0, 1, 0});
    putBE(out, 0, 2);
    out.insert(out.end(), {1, 1});
    putBE(out, Width, 2);
    putBE(out, Height, 2);
    out.insert(out.end(), {'B', 'O', 'D', 'Y'});
    putBE(out, uint32_t(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1)
        out.push_back(0);
    return out;
}

// A version 2 picture holding one packed 32-bit direct-bits image: each row the red, green
// and blue planes, PackBits coded after its length.
Bytes pict()
{
    Bytes out(512, 0);
    putBE(out, 0, 2);
    for (uint32_t v : {0u, 0u, uint32_t(Height), uint32_t(Width)})
        putBE(out, v, 2);
    for (uint32_t v : {0x0011u, 0x02FFu, 0x0C00u})
        putBE(out, v, 2);
    out.insert(out.end(), 24, 0);
    putBE(out, 0x009A, 2);
    putBE(out, 0xFF, 4);
    putBE(out, 0x8000 | (Width * 4), 2);
    for (uint32_t v : {0u, 0u, uint32_t(Height), uint32_t(Width), 0u, 4u})
        putBE(out, v, 2);
    for (uint32_t v : {0u, 72u << 16, 72u << 16})
        putBE(out, v, 4);
    for (uint32_t v : {16u, 32u, 3u, 8u})
        putBE(out, v, 2);
    out.insert(out.end(), 12, 0);
    for (uint32_t v : {0u, 0u, uint32_t(Height), uint32_t(Width), 0u, 0u, uint32_t(Height), uint32_t(Width), 0u})
        putBE(out, v, 2);
    for (int y = 0; y < Height; ++y) {
        Bytes row;
        for (int c = 0; c < 3; ++c) {
            const Bytes plane = channelRow(y, c);
            row.insert(row.end(), plane.begin(), plane.end());
        }
        const Bytes packed = packBits(row);
        putBE(out, uint32_t(packed.size()), 2);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    putBE(out, 0x00FF, 2);
    return out;
}

void decode(benchmark::State& state, Bytes (*make)())
{
    static std::vector<std::pair<Bytes (*)(), Bytes>> made;
    const Bytes* bytes = nullptr;
    for (auto& [maker, file] : made)
        if (maker == make)
            bytes = &file;
    if (!bytes)
        bytes = &made.emplace_back(make, make()).second;
    PLAnyPicDecoder decoder;
    for (auto _ : state) {
        PLAnyBmp picture;
        decoder.MakeBmpFromMemory(bytes->data(), static_cast<int>(bytes->size()), &picture);
        benchmark::DoNotOptimize(picture.GetLine(0));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Width) * Height);
}

} // namespace

BENCHMARK_CAPTURE(decode, bmp, bmp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, tga, tga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, sgi, sgi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, pcx, pcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, pcx_photo, pcxPhoto)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, ppm, ppm)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, psd, psd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, iff, iff)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, pict, pict)->Unit(benchmark::kMillisecond);
