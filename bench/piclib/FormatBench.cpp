// The library's own decoders on the same 12-megapixel picture stored in each of their formats,
// next to the BMP decoder, whose time is close to what allocating the bitmap costs.
#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"

#include <benchmark/benchmark.h>

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
Bytes pcx()
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
                uint8_t v = sample(x, y, c);
                int run = 1;
                while (x + run < Width && run < 63 && sample(x + run, y, c) == v)
                    ++run;
                if (run > 1 || (v & 0xC0) == 0xC0)
                    out.push_back(uint8_t(0xC0 | run));
                out.push_back(v);
                x += run;
            }
    return out;
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
BENCHMARK_CAPTURE(decode, ppm, ppm)->Unit(benchmark::kMillisecond);
