#include "imaging/ipl/IplColorWalk.h"

#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"

#include <initializer_list>

int ownCheckImagePair(const IplImage* srcImage, const IplImage* dstImage, const char* funcName)
{
    if (!srcImage || !dstImage) {
        ownError(iplStsBadArg, funcName, "null_image_pointer", "owncolor");
        return 0;
    }
    for (const IplImage* image : {srcImage, dstImage}) {
        if (!image->imageData && !image->tileInfo) {
            ownError(iplStsBadArg, funcName, "null_data_pointer", "owncolor");
            return 0;
        }
    }
    return 1;
}

int ownImageRowStep(const IplImage* image)
{
    if (image->imageData)
        return image->widthStep;
    return iplRowStep(image->dataOrder, image->depth, image->align, image->nChannels, image->tileInfo->width);
}

void ownTileSize(const IplImage* image, int column, int row, int* width, int* height)
{
    const IplTileInfo* tile = image->tileInfo;
    *width = tile->width;
    *height = tile->height;
    if (tile->width * static_cast<long long>(column + 1) > image->width)
        *width = image->width - tile->width * column;
    if (tile->height * static_cast<long long>(row + 1) > image->height)
        *height = image->height - tile->height * row;
}

char* ownNextTile(const IplImage* image, int* column, int* row, int* x, int* y, int* width, int* height, int mode)
{
    bool started = *column >= 0 && *row >= 0;
    if (!image->tileInfo) {
        if (started)
            return nullptr;
        *column = *row = *x = *y = 0;
        *width = image->width;
        *height = image->height;
        return image->imageData;
    }
    IplTileInfo* tile = image->tileInfo;
    if (started) {
        ++*column;
    } else {
        *column = *row = 0;
    }
    tile->tileData = nullptr;
    if (static_cast<long long>(*column) * tile->width < image->width)
        tile->tileCallback(image, *column, *row, mode);
    if (!tile->tileData) {
        *column = 0;
        ++*row;
        if (static_cast<long long>(*row) * tile->height < image->height)
            tile->tileCallback(image, *column, *row, mode);
    }
    *x = *column * tile->width;
    *y = *row * tile->height;
    if (tile->tileData)
        ownTileSize(image, *column, *row, width, height);
    return tile->tileData;
}

void ownReleaseTile(const IplImage* image, int column, int row, int mode)
{
    if (image->tileInfo)
        image->tileInfo->tileCallback(image, column, row, mode);
}
