// What copy, fill, exchange and the logical operations share: the combined mask of several
// images, one pass of a kernel over untiled headers, and the walk over tiled images in pieces
// that each lie within one tile of every tiled image.
#pragma once

#include "imaging/ipl/IplKernels.h"

#include <functional>

struct IplImage;

// The AND of the masks given (nulls skipped): null with *made false when there is none or one
// (then *single is that mask), a new image otherwise (*made true; release with flags 3).
// Returns -4 when the new mask cannot be made, 1 when the masks share no area, else 0.
int ownCombineMasks(IplImage* const* masks, int count, IplImage** result, bool* made);

enum class OwnApply { Done, Nothing, ChannelMismatch };

// Runs op over the common region of the headers (a, b may be null; mask may be null).
OwnApply ownApplyUntiled(OwnOp op, const IplImage* a, const IplImage* b, const IplImage* dst,
                         const IplImage* mask, uint32_t value, bool alphaCoiEmpty);

struct OwnPiece {
    IplImage* image;
    int mode;
};

// Called per piece with the working headers, the mask's and the piece's place in the region.
using OwnPieceCall = std::function<bool(IplImage* const* works, const IplImage* maskWork, int x, int y)>;

// Walks the common height x width region in pieces; each tiled image's tile is fetched with its
// mode (a header given twice is fetched once) and handed back after the piece. Returns -1 when
// done, the index of the image whose tile did not come, or -2 when a piece call failed.
int ownWalkPieces(const OwnPiece* pieces, int count, const IplImage* mask, int height, int width,
                  const OwnPieceCall& call);
