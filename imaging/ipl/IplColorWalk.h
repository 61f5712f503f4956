// What the colour-model conversions and the bit reduction share: the pair check and the
// walk over the blocks (the whole image, or one tile at a time) of a destination.
#pragma once

struct IplImage;

// 1 when both headers exist and each has pixel data or tiles; otherwise reports and returns 0.
int ownCheckImagePair(const IplImage* srcImage, const IplImage* dstImage, const char* funcName);
// Bytes from one row to the next: widthStep, or the row size of one tile.
int ownImageRowStep(const IplImage* image);
// The next block of a walk started with column = row = -1; null when there is none.
char* ownNextTile(const IplImage* image, int* column, int* row, int* x, int* y, int* width, int* height, int mode);
void ownTileSize(const IplImage* image, int column, int row, int* width, int* height);
void ownReleaseTile(const IplImage* image, int column, int row, int mode);
