// Drawing the bitmap object: from its cache in one of the layouts, or turned through an
// affine copy of the picture and its mask.
#include "objects/kinds/BitmapOb.h"

#include "objects/kinds/PagePixels.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <memory>

namespace {
// Destination AND NOT source: pixels of the source's background colour leave the mask.
constexpr DWORD MaskOutBackground = 0x220326;

// A memory DC compatible with the target holding a new bitmap; the old one goes back on exit.
class Scratch {
public:
    Scratch(CDC* target, CSize size, bool monochrome)
    {
        dc.CreateCompatibleDC(target);
        if (monochrome)
            bitmap.CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
        else
            bitmap.CreateCompatibleBitmap(target, size.cx, size.cy);
        old = dc.SelectObject(&bitmap);
    }
    ~Scratch() { dc.SelectObject(old); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};
}

void CBitmapOb::Draw(CDC* dc)
{
    // Size-to-fit waits while the view is busy adding or loading objects, so the first draw after
    // that may resize the object: the cache and the fit come first.
    PrepareBitmapCache(FALSE);
    if (GetRotateAngle() != 0.0 && m_picture.GetSize()) {
        DrawRotated(dc);
    } else {
        // The cache holds pixels: the picture goes where the DC shows the object's rectangle.
        CRect rect;
        GetRect(&rect, nullptr);
        const CPagePixels pixels(dc, &rect);
        DrawInLayout(dc, rect);
    }
    DrawAlarmBitmap(dc);
}

void CBitmapOb::DrawInLayout(CDC* dc, const CRect& rect)
{
    const CSize cached = m_cache.GetSize();
    if (Layout == LayoutStretch) {
        m_cache.Draw(m_picture, rect.TopLeft(), cached, rect.Size(), dc);
        return;
    }
    const CSize shown(std::min(cached.cx, rect.Width()), std::min(cached.cy, rect.Height()));
    CPoint at = rect.TopLeft();
    if (Layout == LayoutRight) {
        at = CPoint(rect.right - shown.cx, rect.bottom - shown.cy);
    } else if (Layout == LayoutCenter || Layout == LayoutSizeToFit) {
        at.x = rect.left + rect.Width() / 2 - shown.cx / 2;
        at.y = rect.top + rect.Height() / 2 - shown.cy / 2;
    }
    m_cache.DrawUnscaled(m_picture, at, shown, dc);
}

void CBitmapOb::DrawRotated(CDC* dc)
{
    if (!GetOutlineCount())
        RebuildOutline();
    POINT* raw = nullptr;
    const int count = GetRotatedPoints(&raw);
    const std::unique_ptr<POINT[]> corners(raw);
    if (count < 4)
        return;
    const CPagePixels pixels(dc, corners.get(), count);
    const POINT p0 = corners[0], p1 = corners[1], p3 = corners[3];
    const POINT p2 {p1.x + p3.x - p0.x, p1.y + p3.y - p0.y};
    CDib image, mask;
    POINT at {};
    if (!m_picture.AffineTransform(p0.x, p0.y, p1.x, p1.y, p3.x, p3.y, p2.x, p2.y, &image, &mask, &at))
        return;
    const CSize size = image.GetDimensions();
    Scratch picture(dc, size, false);
    image.Draw(&picture.dc, 0, 0);
    Scratch cutout(dc, size, true);
    mask.Draw(&cutout.dc, 0, 0);
    if (m_picture.HasTransparentColour()) {
        picture.dc.SetBkColor(m_picture.m_colour);
        cutout.dc.BitBlt(0, 0, size.cx, size.cy, &picture.dc, 0, 0, MaskOutBackground);
    }
    picture.dc.SetBkColor(RGB(255, 255, 255));
    picture.dc.SetTextColor(RGB(0, 0, 0));
    picture.dc.BitBlt(0, 0, size.cx, size.cy, &cutout.dc, 0, 0, SRCAND);
    const COLORREF oldBack = dc->SetBkColor(RGB(0, 0, 0));
    const COLORREF oldText = dc->SetTextColor(RGB(255, 255, 255));
    dc->BitBlt(at.x, at.y, size.cx, size.cy, &cutout.dc, 0, 0, SRCAND);
    dc->BitBlt(at.x, at.y, size.cx, size.cy, &picture.dc, 0, 0, SRCPAINT);
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}
