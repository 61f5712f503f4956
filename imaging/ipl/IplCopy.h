// Copying, filling and swapping pixels, honouring regions, channels of interest, masks and tiles.
#pragma once

struct IplImage;

void iplCopy(IplImage* srcImage, IplImage* dstImage);
void iplSet(IplImage* image, int value);
void iplSetFP(IplImage* image, float value);
void iplExchange(IplImage* srcImage, IplImage* dstImage);
