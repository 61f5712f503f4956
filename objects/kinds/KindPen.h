// The outline pen of a drawn object, selected for as long as it lives: no pen for a width of
// 0, and the one-pixel pen for a width of 1 below 100 per cent, where a pen of width 1 would
// grow with the mapping.
#pragma once

#include "platform/gdi/GdiObject.h"

class CDC;

class KindPen {
public:
    KindPen(CDC* dc, int width, int style, COLORREF color, int zoomPercent);
    ~KindPen();
    KindPen(const KindPen&) = delete;
    KindPen& operator=(const KindPen&) = delete;

private:
    CDC* m_dc;
    CPen m_pen;
    HGDIOBJ m_old = nullptr;
};
