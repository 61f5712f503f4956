// Box blur: every pixel of the destination region becomes the mean of a box of source
// pixels placed by an anchor, with the source's border rules outside the image.
#pragma once

struct IplImage;

void iplBlur(IplImage* srcImage, IplImage* dstImage, int nCols, int nRows, int anchorX, int anchorY);
