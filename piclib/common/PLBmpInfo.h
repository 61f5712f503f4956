// Description of a picture: size, depth, resolution and the alpha and grey flags.
#pragma once

#include "piclib/common/PLObject.h"
#include "piclib/common/PLPoint.h"

class PLBmpInfo : public PLObject {
public:
    PLBmpInfo() = default;
    PLBmpInfo(const PLPoint& size, int bpp, const PLPoint& resolution, bool alpha, bool greyscale);

    void SetBmpInfo(const PLPoint& size, int bpp, const PLPoint& resolution, bool alpha, bool greyscale);
    void SetBmpInfo(const PLBmpInfo& other) { *this = other; }

    const PLPoint& GetSize() const { return m_Size; }
    int GetWidth() const { return m_Size.x; }
    int GetHeight() const { return m_Size.y; }
    int GetBitsPerPixel() const { return m_bpp; }
    const PLPoint& GetResolution() const { return m_Resolution; }
    bool HasAlpha() const { return m_bAlphaChannel; }
    bool IsGreyscale() const { return m_bIsGreyscale; }

protected:
    PLPoint m_Size;
    int m_bpp = 0;
    PLPoint m_Resolution;
    bool m_bAlphaChannel = false;
    bool m_bIsGreyscale = false;
};
