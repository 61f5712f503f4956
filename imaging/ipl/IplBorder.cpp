#include "imaging/ipl/IplBorder.h"

#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRoi.h"


namespace {

uint32_t readUntiled(const char* data, int widthStep, int height, const IplImage* image, int x, int y,
                     int channel)
{
    const char* row = data + static_cast<int64_t>(y) * widthStep;
    int64_t element = x;
    if (image->dataOrder == iplDataOrderPlane)
        row += static_cast<int64_t>(channel - 1) * height * widthStep;
    else
        element = static_cast<int64_t>(x) * image->nChannels + channel - 1;
    return ownLoadElement(row, image->depth, element);
}

uint32_t readTiled(const IplImage* image, int x, int y, int channel)
{
    IplTileInfo* tile = image->tileInfo;
    int column = x / tile->width;
    int row = y / tile->height;
    tile->tileCallback(image, column, row, iplTileRead);
    char* data = tile->tileData;
    uint32_t value = 0;
    if (data)
        value = readUntiled(data, iplTileRowStep(image), tile->height, image, x % tile->width,
                            y % tile->height, channel);
    tile->tileData = data;
    tile->tileCallback(image, column, row, iplTileRelease);
    return value;
}

// The side (index) whose rule governs a position of the given class; -1 inside.
int governingSide(int positionClass)
{
    if (positionClass & iplSideTop) return iplSideTopIndex;
    if (positionClass & iplSideBottom) return iplSideBottomIndex;
    if (positionClass & iplSideLeft) return iplSideLeftIndex;
    if (positionClass & iplSideRight) return iplSideRightIndex;
    return -1;
}

} // namespace

void iplSetImageBorderMode(IplImage* image, int mode, int sides, int constValue)
{
    if (!image)
        return;
    for (int side = 0; side < 4; ++side) {
        if (sides & (1 << side)) {
            image->borderMode[side] = mode;
            image->borderConst[side] = constValue;
        }
    }
}

int ownPositionClass(const IplImage* image, int x, int y)
{
    int flags = 0;
    if (y < 0) flags |= iplSideTop;
    if (y >= image->height) flags |= iplSideBottom;
    if (x < 0) flags |= iplSideLeft;
    if (x >= image->width) flags |= iplSideRight;
    return flags;
}

uint32_t ownPixelRead(const IplImage* image, int x, int y, int channel)
{
    if (image->tileInfo)
        return readTiled(image, x, y, channel);
    return readUntiled(image->imageData, image->widthStep, image->height, image, x, y, channel);
}

int ownMapBorderCoord(int v, int n, int mode)
{
    if (v >= 0 && v < n)
        return v;
    int64_t w = v;
    if (mode == iplBorderReplicate)
        return v < 0 ? 0 : n - 1;
    if (mode == iplBorderReflect) {
        int64_t period = 2 * static_cast<int64_t>(n);
        w %= period;
        if (w < -n) w += period;
        if (w >= n) w -= period;
        return static_cast<int>(w < 0 ? -w - 1 : w);
    }
    w %= n;
    return static_cast<int>(w < 0 ? w + n : w);
}

uint32_t ownPixelWithBorder(const IplImage* image, int x, int y, int channel)
{
    int side = governingSide(ownPositionClass(image, x, y));
    if (side < 0)
        return ownPixelRead(image, x, y, channel);
    int mode = image->borderMode[side];
    if (mode == iplBorderConstant || mode > iplBorderWrap || mode < 0)
        return static_cast<uint32_t>(image->borderConst[side]);
    return ownPixelRead(image, ownMapBorderCoord(x, image->width, mode),
                        ownMapBorderCoord(y, image->height, mode), channel);
}
