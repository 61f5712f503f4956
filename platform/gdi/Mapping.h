// Private to platform/gdi: logical to device coordinates of a DC.
#pragma once

#include "platform/gdi/GdiState.h"

#include <QRect>

#include <algorithm>
#include <cstdint>

namespace gdi {

// a + b (or a - b - c) held to the 32-bit range: coordinates from files can be anything.
inline int Sum(int64_t a, int64_t b, int64_t c = 0)
{
    return int(std::clamp<int64_t>(a + b + c, INT32_MIN, INT32_MAX));
}
// v * num / den rounded half away from zero, without overflow.
int Scale(int64_t v, int num, int den);
QPoint ToDevice(const Dc& dc, POINT p);
// ToDevice of many points at once: a DC that does not scale only shifts them.
void ToDevicePoints(const Dc& dc, const POINT* points, int count, QPoint* device);
POINT ToLogical(const Dc& dc, QPoint p);
// Logical rectangle to a normalised device rectangle (right and bottom exclusive).
QRect ToDeviceRect(const Dc& dc, int x1, int y1, int x2, int y2);
// No surface is this large; longer lengths draw the same and are cut to it so sums can't overflow.
constexpr int kMaxDeviceLength = 1 << 20;
// Device length of a logical length along x, at most kMaxDeviceLength.
int DeviceLength(const Dc& dc, int length);
// Device length of a logical width along x (at least 1 for a nonzero width).
int DeviceWidth(const Dc& dc, int width);
void ApplyIsotropic(Attributes& a);

}  // namespace gdi
