// The image header every operation of the library works on, with its region-of-interest
// and tile records, creation, checking, allocation and release.
#pragma once

#include <cstddef>
#include <cstdint>

struct IplImage;

// Tile callback: (image, tile column, tile row, mode); mode 1 read, 2 write, 4 hand back.
using IplCallBack = void (*)(const IplImage* image, int xIndex, int yIndex, int mode);

constexpr int iplTileRead = 1;
constexpr int iplTileWrite = 2;
constexpr int iplTileRelease = 4;

struct IplROI {
    int coi;
    int xOffset;
    int yOffset;
    int width;
    int height;
};

struct IplTileInfo {
    IplCallBack tileCallback;
    int tileId;
    char* tileData;
    int width;
    int height;
};

struct IplImage {
    int headerSize;
    int headerId;
    int nChannels;
    int alphaChannel;
    int depth;
    char colorModel[4];
    char channelSeq[4];
    int dataOrder;
    int origin;
    int align;
    int width;
    int height;
    IplROI* roi;
    IplImage* maskImage;
    int imageTag;
    IplTileInfo* tileInfo;
    int imageSize;
    char* imageData;
    int widthStep;
    int borderMode[4];
    int borderConst[4];
    char* allocatedData;
};

constexpr int iplDepthSign = static_cast<int>(0x80000000u);
constexpr int iplDepth1u = 1;
constexpr int iplDepth8u = 8;
constexpr int iplDepth16u = 16;
constexpr int iplDepth32f = 32;
constexpr int iplDepth8s = iplDepthSign | 8;
constexpr int iplDepth16s = iplDepthSign | 16;
constexpr int iplDepth32s = iplDepthSign | 32;

constexpr int iplDataOrderPixel = 0;
constexpr int iplDataOrderPlane = 1;
constexpr int iplOriginTl = 0;
constexpr int iplOriginBl = 1;
constexpr int iplAlignDword = 4;
constexpr int iplAlignQword = 8;

// Release flags.
constexpr int iplImageHeader = 1;
constexpr int iplImageData = 2;
constexpr int iplImageRoi = 4;
constexpr int iplImageTile = 8;
constexpr int iplImageMask = 16;
constexpr int iplImageAll = 31;

// Bits per channel without the sign bit.
inline int ownDepthBits(int depth) { return depth & 0x7FFFFFFF; }
// Bytes per element (0 for 1-bit images).
inline int ownElemSize(int depth) { return ownDepthBits(depth) / 8; }

IplImage* iplCreateImageHeader(int nChannels, int alphaChannel, int depth, const char* colorModel,
                               const char* channelSeq, int dataOrder, int origin, int align, int width,
                               int height, IplROI* roi, IplImage* maskImage, int imageTag,
                               IplTileInfo* tileInfo);
void iplAllocateImage(IplImage* image, int doFill, int fillValue);
void iplAllocateImageFP(IplImage* image, int doFill, float fillValue);
void iplReleaseImage(IplImage* image, int flags);
// Allocates an image's data without fill; on failure reports -4 with the text, releases the header, false.
bool ownAllocateOrRelease(IplImage* image, const char* funcName, const char* context, const char* module);
void iplReleaseImageData(IplImage* image);
void iplReleaseImageHeader(IplImage* image);
int ownCheckImage(const IplImage* image);

// Row size by the row size rule; -1 when it does not fit a 32-bit size.
int iplRowStep(int dataOrder, int depth, int align, int nChannels, int width);
int iplTileRowStep(const IplImage* image);
// Whole pixel data size for a row step; -1 when it does not fit a 32-bit size.
int ownImageSize(int dataOrder, int nChannels, int widthStep, int height);

IplROI* iplCreateRoi(int coi, int xOffset, int yOffset, int width, int height);
void iplDeleteRoi(IplROI* roi);
IplTileInfo* iplCreateTileInfo(IplCallBack callback, int tileId, int width, int height);
void iplSetTileInfo(IplTileInfo* tileInfo, IplCallBack callback, int tileId, int width, int height);

void* iplAlignedAlloc(size_t n);
void* iplAlignedAlloc16(size_t n);
void* iplAlignedAlloc32(size_t n);
void* iplAlignedAlloc64(size_t n);
void iplAlignedFree(void* block);
