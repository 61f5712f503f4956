// How an operation finds its rectangle and channels, addresses pixels, walks tiles and
// fetches any rectangle (also one reaching outside the image) into a private buffer.
#pragma once

#include <cstdint>

struct IplImage;

struct OwnRect {
    int x;
    int y;
    int width;
    int height;
};

// Rectangle and 1-based channel range of an operation; 0 when the alpha channel lies inside the range.
int ownGetRoiRect(const IplImage* image, int* x, int* y, int* width, int* height, int* firstChannel,
                  int* lastChannel);
void ownClipRoi(const IplImage* image, OwnRect* rect);
char* ownRoiPointer(const IplImage* image, int* width, int* height, int channel, int* x);
int ownIsWholeImage(const IplImage* a, const IplImage* b, int flag);

// Fetches count tiles of tile row y from column x on (column stepping by step) for reading;
// 1 if any came back null. Release hands them back from the last to the first.
int ownFetchTileRow(const IplImage* image, char** tiles, int count, int x, int y, int step);
void ownReleaseTileRow(const IplImage* image, char** tiles, int count, int x, int y, int step);

// New buffer (iplAlignedFree) holding the rectangle in the image's layout, rows padded to its
// alignment; positions outside the image follow its border rules. Null on failure.
char* ownGetRect(const IplImage* image, int x, int y, int width, int height, int* rowStep);

// Copies count bits between any bit phases, most significant bit first, keeping the
// destination bits outside the run and reading no source byte outside it.
void ownCopyBits(const uint8_t* source, uint8_t* destination, int64_t sourceBit, int64_t destinationBit,
                 int64_t count);
// Row start and element index of channel c (0-based) of pixel x in row y of an untiled image.
char* ownChannelRow(const IplImage* image, int y, int c);
int64_t ownChannelElement(const IplImage* image, int x, int c);

// Writes one element (bits, byte, word or dword by depth) and reads one back.
void ownStoreElement(char* row, int depth, int64_t element, uint32_t value);
uint32_t ownLoadElement(const char* row, int depth, int64_t element);
