#include "imaging/ipl/IplRegion.h"

#include "imaging/ipl/IplImage.h"

#include <algorithm>

void ownRegionSize(const IplImage* image, int clip, int* height, int* width)
{
    const IplROI* roi = image->roi;
    if (!roi) {
        *height = image->height;
        *width = image->width;
        return;
    }
    int w = roi->width;
    int h = roi->height;
    if (w < 1 || h < 1) {
        *height = *width = 0;
        return;
    }
    if (clip) {
        if (roi->xOffset >= image->width || roi->yOffset >= image->height) {
            *height = *width = 0;
            return;
        }
        int x = roi->xOffset;
        int y = roi->yOffset;
        if (x < 0) { w += x; x = 0; }
        if (y < 0) { h += y; y = 0; }
        w = std::min(w, image->width - x);
        h = std::min(h, image->height - y);
        if (w < 1 || h < 1) {
            *height = *width = 0;
            return;
        }
    }
    *height = h;
    *width = w;
}

void ownCommonSize(std::initializer_list<const IplImage*> images, int clip, int* height, int* width)
{
    *height = *width = INT32_MAX;
    for (const IplImage* other : images) {
        if (!other)
            continue;
        int h, w;
        ownRegionSize(other, clip, &h, &w);
        *height = std::min(*height, h);
        *width = std::min(*width, w);
    }
    if (*height < 1 || *width < 1)
        *height = *width = 0;
}

int ownRegionStart(const IplImage* image, OwnRegion* region, bool alphaCoiEmpty)
{
    const IplROI* roi = image->roi;
    bool alpha = image->alphaChannel > 0;
    if (roi && alpha && alphaCoiEmpty && roi->coi == image->nChannels)
        return 0;
    if (!roi && alpha && image->nChannels == 1)
        return 0;
    int c = roi ? roi->coi : 0;
    if (alpha && c == 0)
        c = -1;
    int x = roi ? std::max(roi->xOffset, 0) : 0;
    int y = roi ? std::max(roi->yOffset, 0) : 0;
    int64_t element = ownElemSize(image->depth);
    int64_t planeStep = static_cast<int64_t>(image->height) * image->widthStep;
    bool plane = image->dataOrder == iplDataOrderPlane;
    int64_t offset = static_cast<int64_t>(y) * image->widthStep;
    if (plane)
        offset += (c > 1 ? (c - 1) * planeStep : 0) + x * element;
    else
        offset += element * (static_cast<int64_t>(x) * image->nChannels + (c > 1 ? c - 1 : 0));
    region->data = image->imageData + offset;
    region->rowStep = image->widthStep;
    region->channels = c >= 1 ? 1 : image->nChannels - (c == -1 ? 1 : 0);
    region->channelStep = plane ? planeStep : element;
    region->pixelStep = plane ? element : element * image->nChannels;
    region->bitX = image->depth == iplDepth1u ? x : 0;
    region->depth = image->depth;
    return region->channels > 0 ? 1 : 0;
}
