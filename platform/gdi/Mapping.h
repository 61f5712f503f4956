// Private to platform/gdi: logical to device coordinates of a DC.
#pragma once

#include "platform/gdi/GdiState.h"

#include <QPointF>
#include <QRect>

namespace gdi {

// v * num / den rounded half away from zero, without overflow.
int Scale(int64_t v, int num, int den);
QPoint ToDevice(const Dc& dc, POINT p);
QPointF ToDeviceF(const Dc& dc, double x, double y);
POINT ToLogical(const Dc& dc, QPoint p);
// Logical rectangle to a normalised device rectangle (right and bottom exclusive).
QRect ToDeviceRect(const Dc& dc, int x1, int y1, int x2, int y2);
// Device length of a logical width along x (at least 1 for a nonzero width).
int DeviceWidth(const Dc& dc, int width);
void ApplyIsotropic(Attributes& a);

}  // namespace gdi
