// Pixel-wise AND and OR of two images and XOR with a constant, for every integer depth.
#pragma once

struct IplImage;

void iplAnd(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage);
void iplOr(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage);
void iplXorS(IplImage* srcImage, IplImage* dstImage, int value);
