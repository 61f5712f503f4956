// Decoding a 12-megapixel JPEG (4:2:0 and 4:4:4) next to libjpeg-turbo called directly, and a
// PNG; both also next to ImageMagick on the same files.
#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"
#include "platform/core/HugePages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
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

// Quality 90 and the float DCT, as the project's encoder; `sampling` 1 keeps the colour at full
// size (4:4:4), 2 halves it both ways (4:2:0, the encoder's own choice).
std::vector<uint8_t> encodeJpeg(PLBmp& bmp, int sampling)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    info.dct_method = JDCT_FLOAT;
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = sampling;
    jpeg_start_compress(&info, TRUE);
    jpeg_write_scanlines(&info, bmp.GetLineArray(), Height);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(bytes, bytes + size);
    std::free(bytes);
    return out;
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
    std::vector<uint8_t> jpeg444;
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
        Pictures made{encodeJpeg(bmp, 2), encodeJpeg(bmp, 1), encodePng(bmp), "", ""};
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

// libjpeg-turbo called in this process with the decoder's settings (float DCT, no fancy
// upsampling, four bytes a pixel) into a fresh zeroed block per picture on huge pages where the
// system grants them, as the decoder's bitmap is.
void decodeWithLibjpeg(benchmark::State& state, const std::vector<uint8_t>& bytes)
{
    for (auto _ : state) {
        jpeg_decompress_struct info{};
        jpeg_error_mgr error{};
        info.err = jpeg_std_error(&error);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, bytes.data(), bytes.size());
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGRX;
        info.do_fancy_upsampling = FALSE;
        info.dct_method = JDCT_FLOAT;
        jpeg_start_decompress(&info);
        const size_t stride = size_t(info.output_width) * 4;
        auto* pixels = static_cast<uint8_t*>(std::calloc(stride * info.output_height, 1));
        AdviseHugePages(pixels, stride * info.output_height);
        std::vector<uint8_t*> lines(info.output_height);
        for (size_t y = 0; y < lines.size(); ++y)
            lines[y] = pixels + y * stride;
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, lines.data() + info.output_scanline, info.output_height - info.output_scanline);
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels[0]);
        std::free(pixels);
    }
}

void BM_DecodeJpeg12MP(benchmark::State& state)
{
    decode(state, pictures().jpeg);
}

void BM_LibjpegJpeg12MP(benchmark::State& state)
{
    decodeWithLibjpeg(state, pictures().jpeg);
}

void BM_DecodeJpeg444_12MP(benchmark::State& state)
{
    decode(state, pictures().jpeg444);
}

void BM_LibjpegJpeg444_12MP(benchmark::State& state)
{
    decodeWithLibjpeg(state, pictures().jpeg444);
}

void BM_DecodePng12MP(benchmark::State& state)
{
    decode(state, pictures().png);
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
BENCHMARK(BM_LibjpegJpeg12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeJpeg444_12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibjpegJpeg444_12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertJpeg12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodePng12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertPng12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
