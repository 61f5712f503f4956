// Converts between ink space (0.01 mm) and a device context's pixels, and draws strokes into
// a CDC. The view transform (Move, ScaleTransform) applies to every conversion and drawing;
// each new transform applies after the ones before.
#pragma once

#include "platform/ink/InkStrokes.h"

class CDC;

class InkRenderer {
public:
    void PixelToInkSpace(HDC dc, POINT& point) const;
    void InkSpaceToPixel(HDC dc, POINT& point) const;
    void PixelToInkSpace(HDC dc, RECT& rect) const;
    void InkSpaceToPixel(HDC dc, RECT& rect) const;

    void Move(double dx, double dy);
    void ScaleTransform(double horizontal, double vertical, bool applyOnPenWidth = true);
    void ResetTransform();

    // Strokes go to the DC's device pixels, whatever its mapping; with `attributes` the
    // strokes are drawn with those instead of their own.
    void Draw(CDC& dc, const InkStrokes& strokes) const;
    void DrawStroke(CDC& dc, const InkStrokeDisp& stroke, const InkDrawingAttributes* attributes = nullptr) const;

private:
    // Pixels per inch of a DC, read once for a whole drawing.
    struct Dpi {
        double x, y;
    };
    // Ink space to the pixels of one DC: x * sx + ox, y * sy + oy.
    struct PixelMap {
        double sx, sy, ox, oy;
    };
    static Dpi DpiOf(HDC dc);
    PixelMap MapFor(Dpi dpi) const;
    void PixelToInk(Dpi dpi, POINT& point) const;
    void InkToPixel(Dpi dpi, POINT& point) const;
    // Writes the stroke's device points from out on; returns the end of what it wrote.
    static POINT* DevicePath(const PixelMap& map, const InkStrokeDisp& stroke, POINT* out);
    SIZE PenSize(Dpi dpi, const InkDrawingAttributes& attributes) const;
    void DrawStroke(CDC& dc, Dpi dpi, const InkStrokeDisp& stroke, const InkDrawingAttributes& attributes) const;
    // Strokes of one pen a pixel wide, as one path.
    void DrawThinLines(CDC& dc, Dpi dpi, const std::shared_ptr<InkStrokeDisp>* strokes, size_t count) const;

    double m_scaleX = 1, m_scaleY = 1, m_offsetX = 0, m_offsetY = 0, m_penScale = 1;
};
