// Small images for the tests: allocated or tiled images, a plain per-pixel accessor that
// serves as the reference, and a recorder for the error reports.
#pragma once

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ipltest {

struct Report {
    int status;
    std::string func;
    std::string context;
    std::string file;
};

// Installs a recording report function for the life of the object.
class ReportRecorder {
public:
    ReportRecorder()
    {
        reports().clear();
        iplSetErrorStatus(0);
        previous_ = iplRedirectError(record);
    }
    ~ReportRecorder() { iplRedirectError(previous_); }
    const std::vector<Report>& all() const { return reports(); }
    bool any() const { return !reports().empty(); }
    std::string lastContext() const { return reports().empty() ? "" : reports().back().context; }
    int lastStatus() const { return reports().empty() ? 0 : reports().back().status; }

private:
    static std::vector<Report>& reports()
    {
        static std::vector<Report> list;
        return list;
    }
    static int record(int status, const char* func, const char* context, const char* file, int)
    {
        reports().push_back({status, func ? func : "", context ? context : "", file ? file : ""});
        return status;
    }
    IplErrorCallBack previous_;
};

struct ImageDeleter {
    void operator()(IplImage* image) const { iplReleaseImage(image, iplImageAll); }
};
using ImagePtr = std::unique_ptr<IplImage, ImageDeleter>;

inline ImagePtr makeImage(int nChannels, int depth, int width, int height, int dataOrder = iplDataOrderPixel,
                          int align = iplAlignDword, int alphaChannel = 0)
{
    const char* model = nChannels == 1 ? "GRAY" : (nChannels == 4 ? "RGBA" : "RGB");
    const char* seq = nChannels == 1 ? "G" : (nChannels == 4 ? "BGRA" : "BGR");
    ImagePtr image(iplCreateImageHeader(nChannels, alphaChannel, depth, model, seq, dataOrder, iplOriginTl, align,
                                        width, height, nullptr, nullptr, 0, nullptr));
    if (image && depth == iplDepth32f)
        iplAllocateImageFP(image.get(), 1, 0);
    else if (image)
        iplAllocateImage(image.get(), 1, 0);
    return image;
}

// Address of channel c (0-based) of pixel (x, y), from the header fields alone.
inline char* rowOf(const IplImage* image, char* data, int widthStep, int height, int y, int c)
{
    int64_t row = image->dataOrder == iplDataOrderPlane ? static_cast<int64_t>(c) * height + y : y;
    return data + row * widthStep;
}

inline uint32_t getAt(const IplImage* image, char* data, int widthStep, int height, int x, int y, int c)
{
    char* row = rowOf(image, data, widthStep, height, y, c);
    int64_t e = image->dataOrder == iplDataOrderPlane ? x : static_cast<int64_t>(x) * image->nChannels + c;
    switch (image->depth & 0x7FFFFFFF) {
    case 1: return (static_cast<uint8_t>(row[e / 8]) >> (7 - e % 8)) & 1;
    case 8: return static_cast<uint8_t>(row[e]);
    case 16: { uint16_t v; std::memcpy(&v, row + 2 * e, 2); return v; }
    default: { uint32_t v; std::memcpy(&v, row + 4 * e, 4); return v; }
    }
}

inline void setAt(const IplImage* image, char* data, int widthStep, int height, int x, int y, int c, uint32_t v)
{
    char* row = rowOf(image, data, widthStep, height, y, c);
    int64_t e = image->dataOrder == iplDataOrderPlane ? x : static_cast<int64_t>(x) * image->nChannels + c;
    switch (image->depth & 0x7FFFFFFF) {
    case 1: {
        auto bit = static_cast<uint8_t>(0x80 >> (e % 8));
        row[e / 8] = static_cast<char>((v & 1) ? (row[e / 8] | bit) : (row[e / 8] & ~bit));
        break;
    }
    case 8: row[e] = static_cast<char>(v); break;
    case 16: { auto w = static_cast<uint16_t>(v); std::memcpy(row + 2 * e, &w, 2); break; }
    default: std::memcpy(row + 4 * e, &v, 4); break;
    }
}

// A tiled image whose tiles live in memory; the callback serves them by tileId and counts calls.
class TiledImage {
public:
    TiledImage(int nChannels, int depth, int width, int height, int tileW, int tileH,
               int dataOrder = iplDataOrderPixel, int alphaChannel = 0)
    {
        const char* model = nChannels == 1 ? "GRAY" : "RGB";
        const char* seq = nChannels == 1 ? "G" : "BGR";
        id_ = nextId()++;
        registry()[id_] = this;
        tile_ = iplCreateTileInfo(callback, id_, tileW, tileH);
        image_.reset(iplCreateImageHeader(nChannels, alphaChannel, depth, model, seq, dataOrder, iplOriginTl,
                                          iplAlignDword, width, height, nullptr, nullptr, 0, tile_));
        step_ = iplTileRowStep(image_.get());
        columns_ = (width + tileW - 1) / tileW;
        rows_ = (height + tileH - 1) / tileH;
        int planes = dataOrder == iplDataOrderPlane ? nChannels : 1;
        for (int i = 0; i < columns_ * rows_; ++i)
            tiles_.emplace_back(static_cast<size_t>(step_) * tileH * planes, 0);
    }
    ~TiledImage() { registry().erase(id_); }
    IplImage* get() const { return image_.get(); }
    uint32_t at(int x, int y, int c) const
    {
        auto& t = const_cast<std::vector<char>&>(tiles_[tileIndex(x, y)]);
        return getAt(image_.get(), t.data(), step_, tile_->height, x % tile_->width, y % tile_->height, c);
    }
    void set(int x, int y, int c, uint32_t v)
    {
        auto& t = tiles_[tileIndex(x, y)];
        setAt(image_.get(), t.data(), step_, tile_->height, x % tile_->width, y % tile_->height, c, v);
    }
    int fetches = 0;
    int releases = 0;
    bool failFetch = false;
    std::vector<std::pair<int, int>> releaseOrder;

private:
    size_t tileIndex(int x, int y) const
    {
        return static_cast<size_t>((y / tile_->height) * columns_ + x / tile_->width);
    }
    static std::map<int, TiledImage*>& registry()
    {
        static std::map<int, TiledImage*> map;
        return map;
    }
    static int& nextId()
    {
        static int id = 1;
        return id;
    }
    static void callback(const IplImage* image, int x, int y, int mode)
    {
        TiledImage* self = registry()[image->tileInfo->tileId];
        if (mode == iplTileRelease) {
            ++self->releases;
            self->releaseOrder.emplace_back(x, y);
            image->tileInfo->tileData = nullptr;
            return;
        }
        ++self->fetches;
        bool inside = x >= 0 && y >= 0 && x < self->columns_ && y < self->rows_;
        image->tileInfo->tileData =
            (inside && !self->failFetch) ? self->tiles_[static_cast<size_t>(y * self->columns_ + x)].data() : nullptr;
    }
    ImagePtr image_;
    IplTileInfo* tile_;
    int id_;
    int step_;
    int columns_;
    int rows_;
    std::vector<std::vector<char>> tiles_;
};

inline uint32_t at(const IplImage* image, int x, int y, int c)
{
    return getAt(image, image->imageData, image->widthStep, image->height, x, y, c);
}
inline void set(const IplImage* image, int x, int y, int c, uint32_t v)
{
    setAt(image, image->imageData, image->widthStep, image->height, x, y, c, v);
}

// Deterministic pattern values for filling test images.
inline uint32_t pattern(int x, int y, int c, int seed = 0)
{
    uint32_t v = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                 static_cast<uint32_t>(c) * 83492791u ^ static_cast<uint32_t>(seed) * 2654435761u;
    return v ^ (v >> 13);
}

inline uint32_t maskOfDepth(int depth)
{
    int bits = depth & 0x7FFFFFFF;
    return bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
}

inline void fillPattern(const IplImage* image, int seed = 0)
{
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            for (int c = 0; c < image->nChannels; ++c)
                set(image, x, y, c, pattern(x, y, c, seed) & maskOfDepth(image->depth));
}

// Empty when equal, else where the first difference lies.
inline std::string firstDifference(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected)
{
    if (actual.size() != expected.size())
        return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            return "element " + std::to_string(i) + ": " + std::to_string(actual[i]) + " expected " +
                   std::to_string(expected[i]);
    return "";
}

} // namespace ipltest
