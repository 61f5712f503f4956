#include "platform/gdi/Mapping.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Recorder.h"

#include <cstdlib>

namespace gdi {

namespace {

// Rounded half away from zero, as the wide version below.
template <typename Wide>
int RoundedQuotient(Wide p, Wide d)
{
    if (d < 0) {
        p = -p;
        d = -d;
    }
    Wide r = p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d);
    return int(std::clamp<Wide>(r, INT32_MIN, INT32_MAX));
}

}  // namespace

int Scale(int64_t v, int num, int den)
{
    if (den == 0 || num == den)
        return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    // Every point of every figure comes through here: 128-bit division only where 64 bits overflow.
    int64_t product;
    if (!__builtin_mul_overflow(v, int64_t(num), &product) && product > INT64_MIN / 4 && product < INT64_MAX / 4)
        return RoundedQuotient<int64_t>(product, den);
    return RoundedQuotient<__int128>(__int128(v) * num, den);
}

namespace {

// Far beyond any surface, yet room for the margins rectangle arithmetic adds.
int ClampDevice(int64_t v) { return int(std::clamp<int64_t>(v, -(int64_t(1) << 27), int64_t(1) << 27)); }

}  // namespace

QPoint ToDevice(const Dc& dc, POINT p)
{
    const Attributes& a = dc.a;
    return {ClampDevice(int64_t(Scale(int64_t(p.x) - a.winOrg.x, a.vpExt.cx, a.winExt.cx)) + a.vpOrg.x),
            ClampDevice(int64_t(Scale(int64_t(p.y) - a.winOrg.y, a.vpExt.cy, a.winExt.cy)) + a.vpOrg.y)};
}

void ToDevicePoints(const Dc& dc, const POINT* points, int count, QPoint* device)
{
    const Attributes& a = dc.a;
    auto unscaled = [](int viewport, int window) { return window == 0 || viewport == window; };
    if (!unscaled(a.vpExt.cx, a.winExt.cx) || !unscaled(a.vpExt.cy, a.winExt.cy)) {
        for (int i = 0; i < count; ++i)
            device[i] = ToDevice(dc, points[i]);
        return;
    }
    if (a.winOrg.x == 0 && a.winOrg.y == 0 && a.vpOrg.x == 0 && a.vpOrg.y == 0) {
        // The drawing of device pixels, as the ink renderer does it: a copy held to the device range.
        for (int i = 0; i < count; ++i)
            device[i] = QPoint(ClampDevice(points[i].x), ClampDevice(points[i].y));
        return;
    }
    auto shift = [](LONG v, int from, int to) {
        return ClampDevice(std::clamp<int64_t>(int64_t(v) - from, INT32_MIN, INT32_MAX) + to);
    };
    for (int i = 0; i < count; ++i)
        device[i] = QPoint(shift(points[i].x, a.winOrg.x, a.vpOrg.x), shift(points[i].y, a.winOrg.y, a.vpOrg.y));
}

POINT ToLogical(const Dc& dc, QPoint p)
{
    const Attributes& a = dc.a;
    return {ClampDevice(int64_t(Scale(int64_t(p.x()) - a.vpOrg.x, a.winExt.cx, a.vpExt.cx)) + a.winOrg.x),
            ClampDevice(int64_t(Scale(int64_t(p.y()) - a.vpOrg.y, a.winExt.cy, a.vpExt.cy)) + a.winOrg.y)};
}

QRect ToDeviceRect(const Dc& dc, int x1, int y1, int x2, int y2)
{
    QPoint a = ToDevice(dc, {x1, y1}), b = ToDevice(dc, {x2, y2});
    int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    int t = std::min(a.y(), b.y()), bo = std::max(a.y(), b.y());
    return QRect(QPoint(l, t), QPoint(r - 1, bo - 1));
}

int DeviceLength(const Dc& dc, int length)
{
    int64_t device = Scale(length, dc.a.vpExt.cx, dc.a.winExt.cx);
    return int(std::min<int64_t>(device < 0 ? -device : device, kMaxDeviceLength));
}

int DeviceWidth(const Dc& dc, int width)
{
    return width == 0 ? 0 : std::max(DeviceLength(dc, width), 1);
}

void ApplyIsotropic(Attributes& a)
{
    if (a.mapMode != MM_ISOTROPIC || a.winExt.cx == 0 || a.winExt.cy == 0)
        return;
    // Both axes take the smaller scale; signs stay as set.
    double sx = std::abs(double(a.vpExt.cx) / a.winExt.cx), sy = std::abs(double(a.vpExt.cy) / a.winExt.cy);
    if (sx > sy) {
        int v = Scale(std::abs(a.winExt.cx), std::abs(a.vpExt.cy), std::abs(a.winExt.cy));
        a.vpExt.cx = a.vpExt.cx < 0 ? -v : v;
    } else if (sy > sx) {
        int v = Scale(std::abs(a.winExt.cy), std::abs(a.vpExt.cx), std::abs(a.winExt.cx));
        a.vpExt.cy = a.vpExt.cy < 0 ? -v : v;
    }
}

}  // namespace gdi

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

int UnitsPerInch(int mode)
{
    switch (mode) {
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_TWIPS: return 1440;
    default: return 0;
    }
}

}  // namespace

int CDC::SetMapMode(int mode)
{
    Dc* dc = D(m_hDC);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    RecordValue(m_hDC, EMR_SETMAPMODE, DWORD(mode));
    Attributes& a = dc->a;
    int old = a.mapMode;
    a.mapMode = mode;
    if (mode == MM_TEXT) {
        a.winExt = a.vpExt = {1, 1};
    } else if (int upi = UnitsPerInch(mode)) {
        a.winExt = {upi, upi};
        a.vpExt = {dc->dpiX, -dc->dpiY};
    } else if (mode == MM_ISOTROPIC && old != MM_ISOTROPIC && old != MM_ANISOTROPIC) {
        a.winExt = {10, 10};
        a.vpExt = {1, -1};
    }
    return old;
}

int CDC::GetMapMode() const
{
    Dc* dc = D(m_hDC);
    return dc ? dc->a.mapMode : 0;
}

namespace {

POINT SetPoint(HDC h, POINT Attributes::*field, int x, int y, bool offset)
{
    Dc* dc = D(h);
    if (!dc)
        return {0, 0};
    POINT old = dc->a.*field;
    dc->a.*field = offset ? POINT{old.x + x, old.y + y} : POINT{x, y};
    RecordPoint(h, field == &Attributes::winOrg ? EMR_SETWINDOWORGEX : EMR_SETVIEWPORTORGEX, dc->a.*field);
    return old;
}

SIZE SetExtent(HDC h, SIZE Attributes::*field, int cx, int cy)
{
    Dc* dc = D(h);
    if (!dc)
        return {0, 0};
    SIZE old = dc->a.*field;
    if (dc->a.mapMode != MM_ISOTROPIC && dc->a.mapMode != MM_ANISOTROPIC)
        return old;
    if (cx == 0 || cy == 0)
        return old;
    RecordPoint(h, field == &Attributes::winExt ? EMR_SETWINDOWEXTEX : EMR_SETVIEWPORTEXTEX, {cx, cy});
    dc->a.*field = {cx, cy};
    ApplyIsotropic(dc->a);
    return old;
}

}  // namespace

CPoint CDC::SetWindowOrg(int x, int y) { return SetPoint(m_hDC, &Attributes::winOrg, x, y, false); }
CPoint CDC::OffsetWindowOrg(int dx, int dy) { return SetPoint(m_hDC, &Attributes::winOrg, dx, dy, true); }
CPoint CDC::SetViewportOrg(int x, int y) { return SetPoint(m_hDC, &Attributes::vpOrg, x, y, false); }
CPoint CDC::OffsetViewportOrg(int dx, int dy) { return SetPoint(m_hDC, &Attributes::vpOrg, dx, dy, true); }
CPoint CDC::GetWindowOrg() const { Dc* dc = D(m_hDC); return dc ? dc->a.winOrg : POINT{0, 0}; }
CPoint CDC::GetViewportOrg() const { Dc* dc = D(m_hDC); return dc ? dc->a.vpOrg : POINT{0, 0}; }
CSize CDC::SetWindowExt(int cx, int cy) { return SetExtent(m_hDC, &Attributes::winExt, cx, cy); }
CSize CDC::SetViewportExt(int cx, int cy) { return SetExtent(m_hDC, &Attributes::vpExt, cx, cy); }
CSize CDC::GetWindowExt() const { Dc* dc = D(m_hDC); return dc ? dc->a.winExt : SIZE{1, 1}; }
CSize CDC::GetViewportExt() const { Dc* dc = D(m_hDC); return dc ? dc->a.vpExt : SIZE{1, 1}; }

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE e = GetViewportExt();
    return SetViewportExt(MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom));
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE e = GetWindowExt();
    return SetWindowExt(MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom));
}

void CDC::LPtoDP(LPPOINT points, int count) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !points)
        return;
    for (int i = 0; i < count; ++i) {
        QPoint p = ToDevice(*dc, points[i]);
        points[i] = {p.x(), p.y()};
    }
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !points)
        return;
    for (int i = 0; i < count; ++i)
        points[i] = ToLogical(*dc, QPoint(points[i].x, points[i].y));
}

void CDC::LPtoDP(LPRECT rect) const { LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPRECT rect) const { DPtoLP(reinterpret_cast<LPPOINT>(rect), 2); }

void CDC::LPtoDP(LPSIZE size) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !size)
        return;
    size->cx = Scale(size->cx, std::abs(dc->a.vpExt.cx), std::abs(dc->a.winExt.cx));
    size->cy = Scale(size->cy, std::abs(dc->a.vpExt.cy), std::abs(dc->a.winExt.cy));
}

void CDC::DPtoLP(LPSIZE size) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !size)
        return;
    size->cx = Scale(size->cx, std::abs(dc->a.winExt.cx), std::abs(dc->a.vpExt.cx));
    size->cy = Scale(size->cy, std::abs(dc->a.winExt.cy), std::abs(dc->a.vpExt.cy));
}

void CDC::HIMETRICtoDP(LPSIZE size) const
{
    if (!size)
        return;
    size->cx = MulDiv(size->cx, GetDeviceCaps(LOGPIXELSX), 2540);
    size->cy = MulDiv(size->cy, GetDeviceCaps(LOGPIXELSY), 2540);
}

void CDC::DPtoHIMETRIC(LPSIZE size) const
{
    if (!size)
        return;
    size->cx = MulDiv(size->cx, 2540, GetDeviceCaps(LOGPIXELSX));
    size->cy = MulDiv(size->cy, 2540, GetDeviceCaps(LOGPIXELSY));
}

void CDC::HIMETRICtoLP(LPSIZE size) const
{
    HIMETRICtoDP(size);
    DPtoLP(size);
}

void CDC::LPtoHIMETRIC(LPSIZE size) const
{
    LPtoDP(size);
    DPtoHIMETRIC(size);
}
