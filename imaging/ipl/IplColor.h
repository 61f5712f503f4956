// Whole-image conversions between RGB and grey, HSV, HLS, CIE XYZ, YUV, YCrCb and CIE LUV,
// and from PhotoYCC to RGB.
#pragma once

struct IplImage;

void iplColorToGray(IplImage* srcImage, IplImage* dstImage);
void iplGrayToColor(IplImage* srcImage, IplImage* dstImage, float fractR, float fractG, float fractB);
void iplRGB2HSV(IplImage* srcImage, IplImage* dstImage);
void iplHSV2RGB(IplImage* srcImage, IplImage* dstImage);
void iplRGB2HLS(IplImage* srcImage, IplImage* dstImage);
void iplHLS2RGB(IplImage* srcImage, IplImage* dstImage);
void iplRGB2XYZ(IplImage* srcImage, IplImage* dstImage);
void iplXYZ2RGB(IplImage* srcImage, IplImage* dstImage);
void iplRGB2YUV(IplImage* srcImage, IplImage* dstImage);
void iplYUV2RGB(IplImage* srcImage, IplImage* dstImage);
void iplRGB2YCrCb(IplImage* srcImage, IplImage* dstImage);
void iplYCrCb2RGB(IplImage* srcImage, IplImage* dstImage);
void iplYCC2RGB(IplImage* srcImage, IplImage* dstImage);
void iplRGB2LUV(IplImage* srcImage, IplImage* dstImage);
void iplLUV2RGB(IplImage* srcImage, IplImage* dstImage);
