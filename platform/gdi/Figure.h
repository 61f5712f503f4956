// Private to platform/gdi: drawing a figure with the DC's pen and brush.
#pragma once

#include "platform/gdi/GdiState.h"

namespace gdi {

// A figure in device "vertex space": a vertex (x, y) stands for the pixel (x, y). Filling
// samples pixel centres, so right and bottom edges stay outside; the pen runs through the
// centres of the vertex pixels.
struct Figure {
    QPainterPath path;
    bool filled = false;
};

void DrawFigure(Dc& dc, const Figure& figure);
// An open polyline through device points, drawn as DrawFigure would draw its path.
void DrawPolyline(Dc& dc, const QPolygon& device);
// Fills a device region with a brush through the given mix mode.
void FillDeviceRegion(Dc& dc, const QRegion& rgn, const Brush& brush, int rop2);
// The same for a rectangle, without building a region where the drawable area is one rectangle.
void FillDeviceRect(Dc& dc, const QRect& rect, const Brush& brush, int rop2);
// Draws a device rectangle (right and bottom inclusive) as DrawFigure draws its outline and fill,
// side by side and span by span, for a solid one-pixel pen, a solid brush or none, and a drawable
// area of one rectangle. Returns false, having drawn nothing, for any other rectangle or state.
bool DrawThinRect(Dc& dc, const QRect& rect);
// Device box of a logical rectangle for an outlined shape, shrunk for an inside-frame pen.
QRectF ShapeBox(const Dc& dc, int x1, int y1, int x2, int y2);

}  // namespace gdi
