// A picture kept as a device-dependent bitmap, so that drawing blits instead of converting
// pixels at every paint. The bitmap stays out of any DC between draws: a bitmap can be
// selected into one DC at a time, and drawing selects it.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/gdi/GdiTypes.h"

#include <memory>

class CBitmap;
class CDC;
class CExtDib;
class CPalette;

class CBitmapCache {
public:
    CBitmapCache();
    ~CBitmapCache();
    CBitmapCache(const CBitmapCache&) = delete;
    CBitmapCache& operator=(const CBitmapCache&) = delete;

    // Replaces the cache with the picture selected into a DC compatible with the window's DC
    // (the screen for NULL). A picture with more colours than a palette screen shows is
    // first reduced to the screen's depth, and the picture itself takes the reduced copy.
    void Build(CExtDib& picture, CDC* windowDc, BOOL evenWhenEmpty, CPalette* palette);
    void Release();
    BOOL IsBuilt() const { return m_built; }
    CSize GetSize() const { return m_size; }

    // Copies the source size from the cache to the position, scaled to the destination size,
    // leaving out the picture's transparent colour.
    void Draw(const CExtDib& picture, POINT at, CSize source, CSize destination, CDC* target) const;
    void DrawUnscaled(const CExtDib& picture, POINT at, CSize size, CDC* target) const
    {
        Draw(picture, at, size, size, target);
    }

private:
    void ReduceToScreen(CDC* memory, CExtDib& picture, int screenBits);
    void TakePicture(CDC* memory, CExtDib& picture, CPalette* palette);

    std::unique_ptr<CBitmap> m_bitmap;
    BOOL m_built = FALSE;
    CSize m_size;
};
