// Border rules per side and reads of single pixels at any position, inside or outside.
#pragma once

#include <cstdint>

struct IplImage;

constexpr int iplBorderConstant = 0;
constexpr int iplBorderReplicate = 1;
constexpr int iplBorderReflect = 2;
constexpr int iplBorderWrap = 3;

// Side indexes into borderMode/borderConst and their mask bits.
constexpr int iplSideTopIndex = 0;
constexpr int iplSideBottomIndex = 1;
constexpr int iplSideLeftIndex = 2;
constexpr int iplSideRightIndex = 3;
constexpr int iplSideTop = 1;
constexpr int iplSideBottom = 2;
constexpr int iplSideLeft = 4;
constexpr int iplSideRight = 8;
constexpr int iplSideAll = 15;

void iplSetImageBorderMode(IplImage* image, int mode, int sides, int constValue);

// Position class flags: 1 above, 2 below, 4 left, 8 right; 0 inside.
int ownPositionClass(const IplImage* image, int x, int y);
// One channel (counted from 1) of a pixel inside the image, tiled or not.
uint32_t ownPixelRead(const IplImage* image, int x, int y, int channel);
// One channel of a pixel anywhere, outside positions following the side's border rule.
uint32_t ownPixelWithBorder(const IplImage* image, int x, int y, int channel);

// Maps a coordinate outside 0..n-1 back inside by a non-constant border mode.
int ownMapBorderCoord(int v, int n, int mode);
