#include "imaging/ipl/IplPieceWalk.h"

#include "imaging/ipl/IplImage.h"
#include "imaging/ipl/IplRoi.h"

#include <algorithm>
#include <vector>

namespace {

void regionOrigin(const IplImage* image, int* x, int* y)
{
    *x = image->roi ? std::max(0, image->roi->xOffset) : 0;
    *y = image->roi ? std::max(0, image->roi->yOffset) : 0;
}

struct Walker {
    const OwnPiece* pieces;
    int count;
    std::vector<IplImage> works;
    std::vector<IplROI> rois;
    std::vector<int> owner;   // index of the first entry with the same header
    std::vector<char*> fetched;
    std::vector<int> originX, originY;

    explicit Walker(const OwnPiece* p, int n)
        : pieces(p), count(n), works(static_cast<size_t>(n)), rois(static_cast<size_t>(n)),
          owner(static_cast<size_t>(n)), fetched(static_cast<size_t>(n)), originX(static_cast<size_t>(n)),
          originY(static_cast<size_t>(n))
    {
        for (int i = 0; i < n; ++i) {
            owner[i] = i;
            for (int j = 0; j < i; ++j)
                if (pieces[j].image == pieces[i].image) { owner[i] = j; break; }
            regionOrigin(pieces[i].image, &originX[i], &originY[i]);
        }
    }

    int modeOf(int i) const
    {
        int mode = iplTileRead;
        for (int j = 0; j < count; ++j)
            if (owner[j] == i && pieces[j].mode == iplTileWrite)
                mode = iplTileWrite;
        return mode;
    }

    // Rows or columns left in the current tile of image i at offset (x, y) of the region.
    int rowsLeft(int i, int y) const
    {
        const IplTileInfo* t = pieces[i].image->tileInfo;
        return t ? t->height - (originY[i] + y) % t->height : INT32_MAX;
    }
    int columnsLeft(int i, int x) const
    {
        const IplTileInfo* t = pieces[i].image->tileInfo;
        return t ? t->width - (originX[i] + x) % t->width : INT32_MAX;
    }

    void release(int upTo, int x, int y)
    {
        for (int i = upTo - 1; i >= 0; --i) {
            const IplImage* image = pieces[i].image;
            if (owner[i] != i || !image->tileInfo || !fetched[i])
                continue;
            image->tileInfo->tileData = fetched[i];
            image->tileInfo->tileCallback(image, (originX[i] + x) / image->tileInfo->width,
                                          (originY[i] + y) / image->tileInfo->height, iplTileRelease);
            fetched[i] = nullptr;
        }
    }

    // Fetches the tiles of the piece at (x, y) and builds the working headers; the failing index or -1.
    int prepare(int x, int y, int width, int height)
    {
        for (int i = 0; i < count; ++i) {
            if (owner[i] != i)
                continue;
            const IplImage* image = pieces[i].image;
            IplImage& work = works[i];
            work = *image;
            work.maskImage = nullptr;
            int coi = image->roi ? image->roi->coi : 0;
            rois[i] = {coi, originX[i] + x, originY[i] + y, width, height};
            work.roi = &rois[i];
            if (!image->tileInfo)
                continue;
            IplTileInfo* tile = image->tileInfo;
            tile->tileCallback(image, rois[i].xOffset / tile->width, rois[i].yOffset / tile->height, modeOf(i));
            fetched[i] = tile->tileData;
            if (!fetched[i]) {
                release(i, x, y);
                return i;
            }
            work.tileInfo = nullptr;
            work.imageData = fetched[i];
            work.width = tile->width;
            work.height = tile->height;
            work.widthStep = iplTileRowStep(image);
            work.imageSize = ownImageSize(image->dataOrder, image->nChannels, work.widthStep, tile->height);
            rois[i].xOffset %= tile->width;
            rois[i].yOffset %= tile->height;
        }
        return -1;
    }
};

} // namespace

int ownCombineMasks(IplImage* const* masks, int count, IplImage** result, bool* made)
{
    *made = false;
    *result = nullptr;
    std::vector<IplImage*> present;
    for (int i = 0; i < count; ++i)
        if (masks[i] && std::find(present.begin(), present.end(), masks[i]) == present.end())
            present.push_back(masks[i]);
    if (present.size() < 2) {
        *result = present.empty() ? nullptr : present.front();
        return 0;
    }
    int height = INT32_MAX, width = INT32_MAX;
    for (IplImage* mask : present) {
        int h, w;
        ownRegionSize(mask, 1, &h, &w);
        height = std::min(height, h);
        width = std::min(width, w);
    }
    if (height < 1 || width < 1)
        return 1;
    IplImage* combined = iplCreateImageHeader(1, 0, iplDepth1u, "GRAY", "G", iplDataOrderPlane,
                                              present.front()->origin, iplAlignQword, width, height, nullptr,
                                              nullptr, 0, nullptr);
    if (!combined)
        return -4;
    iplAllocateImage(combined, 1, 1);
    if (!combined->imageData) {
        iplReleaseImage(combined, iplImageHeader);
        return -4;
    }
    for (IplImage* mask : present)
        ownApplyUntiled(OwnOp::And, combined, mask, combined, nullptr, 0, true);
    *result = combined;
    *made = true;
    return 0;
}

OwnApply ownApplyUntiled(OwnOp op, const IplImage* a, const IplImage* b, const IplImage* dst,
                         const IplImage* mask, uint32_t value, bool alphaCoiEmpty)
{
    int height, width;
    ownCommonSize({dst, a, b, mask}, 1, &height, &width);
    if (height < 1 || width < 1)
        return OwnApply::Nothing;
    bool alpha = (a && a->alphaChannel) || (b && b->alphaChannel) || dst->alphaChannel;
    bool whole = op != OwnOp::Copy && op != OwnOp::Swap && op != OwnOp::Fill && !mask && a &&
                 ownIsWholeImage(a, dst, alpha) && (!b || ownIsWholeImage(b, dst, alpha));
    if (whole) {
        ownWholeBuffer(op, a, b, dst, value);
        return OwnApply::Done;
    }
    OwnRegion ra{}, rb{}, rd{}, rm{};
    if (!ownRegionStart(dst, &rd, alphaCoiEmpty) || (a && !ownRegionStart(a, &ra, alphaCoiEmpty)) ||
        (b && !ownRegionStart(b, &rb, alphaCoiEmpty)))
        return OwnApply::Nothing;
    if ((a && ra.channels != rd.channels) || (b && rb.channels != rd.channels))
        return OwnApply::ChannelMismatch;
    if (mask)
        ownRegionStart(mask, &rm, alphaCoiEmpty);
    ownRegionKernel(op, a ? &ra : nullptr, b ? &rb : nullptr, rd, height, width, value, mask ? &rm : nullptr);
    return OwnApply::Done;
}

int ownWalkPieces(const OwnPiece* pieces, int count, const IplImage* mask, int height, int width,
                  const OwnPieceCall& call)
{
    Walker walker(pieces, count);
    int maskX = 0, maskY = 0;
    if (mask)
        regionOrigin(mask, &maskX, &maskY);
    IplImage maskWork = mask ? *mask : IplImage{};
    IplROI maskRoi{};
    std::vector<IplImage*> works(static_cast<size_t>(count));
    for (int y = 0; y < height;) {
        int band = height - y;
        for (int i = 0; i < count; ++i)
            band = std::min(band, walker.rowsLeft(i, y));
        for (int x = 0; x < width;) {
            int piece = width - x;
            for (int i = 0; i < count; ++i)
                piece = std::min(piece, walker.columnsLeft(i, x));
            int failed = walker.prepare(x, y, piece, band);
            if (failed >= 0)
                return failed;
            for (int i = 0; i < count; ++i)
                works[i] = &walker.works[walker.owner[i]];
            maskRoi = {0, maskX + x, maskY + y, piece, band};
            maskWork.roi = &maskRoi;
            bool ok = call(works.data(), mask ? &maskWork : nullptr, x, y);
            walker.release(count, x, y);
            if (!ok)
                return -2;
            x += piece;
        }
        y += band;
    }
    return -1;
}
