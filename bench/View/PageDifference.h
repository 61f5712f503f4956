// Compares a page drawn by the view with the reference QPainter drew on a QImage.
#pragma once

#include "bench/View/PageScreen.h"

#include <QImage>

#include <cstdio>
#include <string>

// Where the view's pixels first differ from the reference's; empty when they are the same.
inline std::string FirstDifference(const PageScreen& screen, const QImage& reference)
{
    for (int y = 0; y < reference.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        for (int x = 0; x < reference.width(); ++x) {
            const COLORREF ours = screen.Pixel(x, y), theirs = RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
            if (ours != theirs) {
                char text[128];
                std::snprintf(text, sizeof text, "the page differs from QPainter's at (%d, %d): %06X, not %06X", x, y,
                              unsigned(ours), unsigned(theirs));
                return text;
            }
        }
    }
    return {};
}
