// The abstract bitmap: concrete classes supply the storage, this class creates,
// copies and converts between bit depths.
#pragma once

#include "piclib/common/PLBmpBase.h"

class PLBmp : public PLBmpBase {
public:
    virtual void Create(const PLBmpInfo& info);
    virtual void CreateFromBits(int width, int height, int bpp, bool alpha, bool greyscale,
                                const uint8_t* bits, int stride, const PLPoint& resolution);
    virtual int GetMemoryUsed() const = 0;
    virtual int GetLineBytes() const = 0;
    virtual void Lock(bool readable, bool writable);
    virtual void Unlock();

    // Makes this bitmap a copy of source at the given depth (0: the source's depth).
    void CopyFrom(const PLBmpBase& source, int bpp = 0);
    void SetHasAlphaChannel(bool alpha);

    int GetLockCount() const { return m_LockCount; }
    int GetDitherType() const { return m_DitherType; }
    int GetPaletteType() const { return m_PaletteType; }
    void SetQuantizationMode(int ditherType, int paletteType);

protected:
    void SetupBitmap(int width, int height, int bpp, bool alpha, bool greyscale) override;
    virtual void AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale) = 0;
    virtual void BuildLineArray() = 0;
    virtual void ReleaseStorage() = 0;

private:
    void convertFrom(const PLBmpBase& source);

    int m_LockCount = 0;
    int m_DitherType = 0;
    int m_PaletteType = 2;
};
