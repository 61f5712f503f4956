// Where on a screenshot something is: the box around the pixels of one colour, or around the
// pixels two pictures disagree on.
#pragma once

#include <QImage>
#include <QPoint>

#include <algorithm>
#include <functional>

namespace e2e {

struct PixelBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
    QPoint Centre() const { return QPoint((left + right) / 2, (top + bottom) / 2); }
};

// The box around the pixels of a width × height area for which `hit` answers true.
inline PixelBox BoxWhere(int width, int height, const std::function<bool(int, int)>& hit)
{
    PixelBox box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (hit(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

inline PixelBox BoxOf(const QImage& image, QRgb colour)
{
    return BoxWhere(image.width(), image.height(),
                    [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF); });
}

// How many pixels of the picture have the colour.
inline int CountColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return count;
}

inline PixelBox Differences(const QImage& a, const QImage& b)
{
    return BoxWhere(std::min(a.width(), b.width()), std::min(a.height(), b.height()),
                    [&](int x, int y) { return a.pixel(x, y) != b.pixel(x, y); });
}

} // namespace e2e
