#include "piclib/common/PLBmpInfo.h"

PLBmpInfo::PLBmpInfo(const PLPoint& size, int bpp, const PLPoint& resolution, bool alpha, bool greyscale)
{
    SetBmpInfo(size, bpp, resolution, alpha, greyscale);
}

void PLBmpInfo::SetBmpInfo(const PLPoint& size, int bpp, const PLPoint& resolution, bool alpha, bool greyscale)
{
    m_Size = size;
    m_bpp = bpp;
    m_Resolution = resolution;
    m_bAlphaChannel = alpha;
    m_bIsGreyscale = greyscale;
}
