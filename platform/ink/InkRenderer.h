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
    // Ink space to the pixels of one DC: x * sx + ox, y * sy + oy.
    struct PixelMap {
        double sx, sy, ox, oy;
    };
    PixelMap MapFor(HDC dc) const;
    std::vector<POINT> DevicePath(HDC dc, const InkStrokeDisp& stroke) const;
    SIZE PenSize(HDC dc, const InkDrawingAttributes& attributes) const;
    // Strokes of one pen a pixel wide, as one path.
    void DrawThinLines(CDC& dc, const std::shared_ptr<InkStrokeDisp>* strokes, size_t count) const;

    double m_scaleX = 1, m_scaleY = 1, m_offsetX = 0, m_offsetY = 0, m_penScale = 1;
};
