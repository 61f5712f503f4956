// Decoding a 12-megapixel JPEG and PNG, next to djpeg and ImageMagick on the same files.
#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"
#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLMemSink.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <png.h>
#include <string>
#include <vector>

namespace {

constexpr int Width = 4000;
constexpr int Height = 3000;

// A photo-like picture: smooth gradients with some texture.
void fillPicture(PLBmp& bmp)
{
    bmp.CreateFromBits(Width, Height, 32, false, false, nullptr, 0, {0, 0});
    uint32_t noise = 12345;
    for (int y = 0; y < Height; ++y) {
        auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
        for (int x = 0; x < Width; ++x) {
            noise = noise * 1664525 + 1013904223;
            const int n = (noise >> 28) - 8;
            line[x] = {uint8_t((x * 255 / Width + n) & 0xFF), uint8_t((y * 255 / Height + n) & 0xFF),
                       uint8_t(((x + y) / 31 * 7 + n) & 0xFF), 255};
        }
    }
}

std::vector<uint8_t> encodeJpeg(PLBmp& bmp)
{
    PLJPEGEncoder encoder;
    encoder.SetQuality(90);
    PLMemSink sink;
    sink.Open("bench", Width * Height * 4);
    encoder.SaveBmp(&bmp, &sink);
    return {sink.GetBytes(), sink.GetBytes() + sink.GetDataSize()};
}

void appendPng(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> encodePng(PLBmp& bmp)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendPng, nullptr);
    png_set_IHDR(png, info, Width, Height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_write_image(png, bmp.GetLineArray());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct Pictures {
    std::vector<uint8_t> jpeg;
    std::vector<uint8_t> png;
    std::string jpegPath;
    std::string pngPath;
};

void save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

const Pictures& pictures()
{
    static const Pictures p = [] {
        PLAnyBmp bmp;
        fillPicture(bmp);
        Pictures made{encodeJpeg(bmp), encodePng(bmp), "", ""};
        const auto folder = std::filesystem::temp_directory_path();
        made.jpegPath = (folder / "piclib_bench_12mp.jpg").string();
        made.pngPath = (folder / "piclib_bench_12mp.png").string();
        save(made.jpegPath, made.jpeg);
        save(made.pngPath, made.png);
        return made;
    }();
    return p;
}

void decode(benchmark::State& state, const std::vector<uint8_t>& bytes)
{
    PLAnyPicDecoder decoder;
    for (auto _ : state) {
        PLAnyBmp bmp;
        decoder.MakeBmpFromMemory(bytes.data(), static_cast<int>(bytes.size()), &bmp);
        benchmark::DoNotOptimize(bmp.GetLine(0));
    }
}

void runTool(benchmark::State& state, const std::string& command)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        state.SkipWithError(("could not run: " + command).c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system((command + " >/dev/null 2>&1").c_str()));
}

void BM_DecodeJpeg12MP(benchmark::State& state)
{
    decode(state, pictures().jpeg);
}

void BM_DecodePng12MP(benchmark::State& state)
{
    decode(state, pictures().png);
}

// Same settings as the decoder: float DCT, no fancy upsampling.
void BM_DjpegJpeg12MP(benchmark::State& state)
{
    runTool(state, "djpeg -dct float -nosmooth -outfile /dev/null " + pictures().jpegPath);
}

void BM_ConvertPng12MP(benchmark::State& state)
{
    runTool(state, "convert " + pictures().pngPath + " rgba:/dev/null");
}

void BM_ConvertJpeg12MP(benchmark::State& state)
{
    runTool(state, "convert " + pictures().jpegPath + " rgba:/dev/null");
}

} // namespace

BENCHMARK(BM_DecodeJpeg12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegJpeg12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertJpeg12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodePng12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertPng12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
