// Dithering of converted 8- and 16-bit blocks: error diffusion and the ordered 4 x 4 matrix.
#include "imaging/ipl/IplReduce.h"

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kFunc = "own_dither_rect";
constexpr const char* kModule = "owncolor";

struct Share {
    int dx;
    int dy;
    int weight;
};

const Share kFloydSteinberg[] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
const Share kJarvisJudiceNinke[] = {{1, 0, 7}, {2, 0, 5}, {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5},
                                    {2, 1, 3}, {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1}};
const Share kStucki[] = {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4},
                         {2, 1, 2}, {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4}, {1, 2, 2}, {2, 2, 1}};
const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One channel of a block: element (x, y) at base + y * rowStep + x * step elements.
template <class T>
struct Channel {
    char* base;
    int64_t rowStep;
    int64_t step;
    int width;
    int height;

    int64_t get(int x, int y) const
    {
        T v;
        std::memcpy(&v, base + y * rowStep + x * step * static_cast<int64_t>(sizeof(T)), sizeof v);
        return v;
    }
    void put(int x, int y, int64_t v) const
    {
        auto t = static_cast<T>(v);
        std::memcpy(base + y * rowStep + x * step * static_cast<int64_t>(sizeof(T)), &t, sizeof t);
    }
};

int64_t quantise(int64_t v, int64_t q, int64_t maximum)
{
    v = std::min(v, int64_t{65535});
    int64_t b = q * (v / q);
    return std::min(v - b > q / 2 ? b + q : b, maximum);
}

template <class T>
void diffuse(const Channel<T>& ch, const Share* shares, int count, int divisor, int64_t q, int64_t maximum)
{
    for (int y = 0; y < ch.height; ++y) {
        for (int x = 0; x < ch.width; ++x) {
            int64_t old = ch.get(x, y);
            int64_t now = quantise(old, q, maximum);
            ch.put(x, y, now);
            int64_t error = old - now;
            for (int s = 0; s < count; ++s) {
                int nx = x + shares[s].dx, ny = y + shares[s].dy;
                if (nx < 0 || nx >= ch.width || ny >= ch.height)
                    continue;
                int64_t share = shares[s].weight * error / divisor;
                ch.put(nx, ny, std::clamp<int64_t>(ch.get(nx, ny) + share, 0, maximum));
            }
        }
    }
}

template <class T>
void ordered(const Channel<T>& ch, int64_t q, int64_t maximum, int originX, int originY)
{
    for (int y = 0; y < ch.height; ++y)
        for (int x = 0; x < ch.width; ++x) {
            int64_t v = ch.get(x, y);
            int64_t b = q * (v / q);
            int64_t threshold = kBayer[(originX + x) % 4][(originY + y) % 4] * q / 17;
            ch.put(x, y, std::min(v - b > threshold ? b + q : b, maximum));
        }
}

template <class T>
void ditherChannel(const Channel<T>& ch, int ditherType, int64_t q, int originX, int originY)
{
    int64_t maximum = sizeof(T) == 1 ? 255 : 65535;
    switch (ditherType) {
    case iplDitherFloydSteinberg: diffuse(ch, kFloydSteinberg, 4, 16, q, maximum); break;
    case iplDitherJarvisJudiceNinke: diffuse(ch, kJarvisJudiceNinke, 12, 48, q, maximum); break;
    case iplDitherStucki: diffuse(ch, kStucki, 12, 42, q, maximum); break;
    default: ordered(ch, q, maximum, originX, originY); break;
    }
}

bool startsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The channels (0-based) that are dithered; empty when the colour model does not allow it.
std::vector<int> ditheredChannels(const IplImage* image)
{
    char model[5] = {}, seq[5] = {};
    std::memcpy(model, image->colorModel, 4);
    std::memcpy(seq, image->channelSeq, 4);
    bool gray = (startsWith(model, "GRA") || startsWith(model, "Gra")) && seq[0] == 'G';
    bool colour = startsWith(model, "RGB") && (startsWith(seq, "RGB") || startsWith(seq, "BGR"));
    if (!gray && !colour)
        return {};
    if (seq[0] == 'G')
        return {0};
    if (image->dataOrder == iplDataOrderPixel)
        return {0, 1, 2};
    std::vector<int> planes;
    for (int c = 0; c < std::min(image->nChannels, 4); ++c)
        if (seq[c] == 'R' || seq[c] == 'G' || seq[c] == 'B')
            planes.push_back(c);
    return planes;
}

template <class T>
void ditherBlock(const IplImage* image, const std::vector<int>& channels, int ditherType, const OwnBlock& block,
                 int64_t q, int originX, int originY)
{
    bool plane = image->dataOrder == iplDataOrderPlane;
    for (int c : channels) {
        Channel<T> ch{block.data, block.rowStep, plane ? 1 : image->nChannels, block.columns, block.rows};
        ch.base += plane ? static_cast<int64_t>(c) * block.planeRows * block.rowStep
                         : static_cast<int64_t>(c) * static_cast<int64_t>(sizeof(T));
        ditherChannel(ch, ditherType, q, originX, originY);
    }
}

} // namespace

void own_dither_rect(const IplImage* dstImage, int ditherType, const OwnBlock& block, int levelShift, int originX,
                     int originY)
{
    std::vector<int> channels = ditheredChannels(dstImage);
    if (channels.empty()) {
        ownError(iplStsBadArg, kFunc, "errColorModelForDithering", kModule);
        return;
    }
    bool known = ditherType == iplDitherFloydSteinberg || ditherType == iplDitherJarvisJudiceNinke ||
                 ditherType == iplDitherStucki || ditherType == iplDitherBayer;
    if (!known) {
        ownError(iplStsBadArg, kFunc, "errDitherOption", kModule);
        return;
    }
    if (dstImage->depth != iplDepth8u && dstImage->depth != iplDepth16u) {
        ownError(iplStsBadArg, kFunc, "errDepthForDithering", kModule);
        return;
    }
    int64_t full = dstImage->depth == iplDepth8u ? 255 : 65535;
    int64_t q = std::max<int64_t>(1, full >> levelShift);
    if (dstImage->depth == iplDepth8u)
        ditherBlock<uint8_t>(dstImage, channels, ditherType, block, q, originX, originY);
    else
        ditherBlock<uint16_t>(dstImage, channels, ditherType, block, q, originX, originY);
}
