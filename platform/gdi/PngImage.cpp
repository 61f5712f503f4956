#include "platform/gdi/PngImage.h"

#include <QImage>

bool DecodePng(const BYTE* data, size_t size, ArgbPixels& out)
{
    if (!data || size == 0 || size > static_cast<size_t>(INT32_MAX))
        return false;
    const QImage image = QImage::fromData(data, static_cast<int>(size), "PNG").convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    out.width = image.width();
    out.height = image.height();
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(row, row + out.width, out.pixels.begin() + static_cast<ptrdiff_t>(y) * out.width);
    }
    return true;
}
