// How an item shows: a picture as itself, any other file as its desktop icon (or a page
// glyph when the desktop has none) above its name.
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/ItemPackage.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>

#include <cstring>

namespace {

// The icon presentation in pixels: a 32-pixel icon over a line of text.
constexpr SIZE kIconBox = {96, 64};
constexpr int kIconSize = 32;
// Previews are drawn from at most this many pixels on the longer side.
constexpr int kMaxPreviewSide = 2048;
constexpr int kHimetricPerInch = 2540;
constexpr int kPixelsPerInch = 96;

QByteArray Bytes(const std::vector<BYTE>& data)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

QImage Decode(const std::vector<BYTE>& data)
{
    QByteArray bytes = Bytes(data);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    if (std::max(size.width(), size.height()) > kMaxPreviewSide)
        reader.setScaledSize(size.scaled(kMaxPreviewSide, kMaxPreviewSide, Qt::KeepAspectRatio));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

void Blit(HDC hdc, const RECT& bounds, const QImage& image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width();
    info.bmiHeader.biHeight = -image.height(); // top-down rows, as the image holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<BYTE> bits(static_cast<size_t>(image.width()) * 4 * static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(&bits[static_cast<size_t>(y) * image.width() * 4], image.constScanLine(y),
                    static_cast<size_t>(image.width()) * 4);
    StretchDIBits(hdc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, 0, 0,
                  image.width(), image.height(), bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

QMimeType TypeOf(const CString& name, const std::vector<BYTE>& data)
{
    return QMimeDatabase().mimeTypeForFileNameAndData(QString::fromUtf8(ToUtf8(name)), Bytes(data));
}

// A white page with a folded corner, in black.
void DrawPageGlyph(CDC* dc, const RECT& box)
{
    CBrush white(RGB(255, 255, 255));
    CBrush* oldBrush = dc->SelectObject(&white);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&black);
    POINT page[] = {{box.left, box.top},
                    {box.right - 8, box.top},
                    {box.right, box.top + 8},
                    {box.right, box.bottom},
                    {box.left, box.bottom}};
    dc->Polygon(page, 5);
    dc->MoveTo(box.right - 8, box.top);
    dc->LineTo(box.right - 8, box.top + 8);
    dc->LineTo(box.right, box.top + 8);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void DrawIconAndName(CDC* dc, const RECT& bounds, const CString& name, const QMimeType& type)
{
    int centre = (bounds.left + bounds.right) / 2;
    RECT icon = {centre - kIconSize / 2, bounds.top + 4, centre + kIconSize / 2, bounds.top + 4 + kIconSize};
    QIcon desktop = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    QImage picture = desktop.isNull() ? QImage() : desktop.pixmap(kIconSize).toImage();
    if (!picture.isNull())
        Blit(dc->GetSafeHdc(), icon, picture.convertToFormat(QImage::Format_RGB32));
    else
        DrawPageGlyph(dc, {icon.left + 4, icon.top, icon.right - 4, icon.bottom});
    RECT label = {bounds.left, icon.bottom + 4, bounds.right, bounds.bottom};
    int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(name, &label, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    dc->SetBkMode(oldMode);
}

} // namespace

namespace ole {

SIZE PictureSize(const std::vector<BYTE>& data)
{
    QByteArray bytes = Bytes(data);
    QBuffer buffer(&bytes);
    QSize size = QImageReader(&buffer).size();
    return size.isValid() ? SIZE{size.width(), size.height()} : SIZE{0, 0};
}

} // namespace ole

BOOL COleClientItem::GetExtent(LPSIZE lpSize, DVASPECT)
{
    if (!lpSize || !m_package)
        return FALSE;
    SIZE pixels = ole::PictureSize(m_package->data);
    if (pixels.cx <= 0 || pixels.cy <= 0)
        pixels = kIconBox;
    lpSize->cx = MulDiv(pixels.cx, kHimetricPerInch, kPixelsPerInch);
    lpSize->cy = MulDiv(pixels.cy, kHimetricPerInch, kPixelsPerInch);
    return TRUE;
}

BOOL COleClientItem::GetCachedExtent(LPSIZE lpSize, DVASPECT nDrawAspect) { return GetExtent(lpSize, nDrawAspect); }

BOOL COleClientItem::Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT)
{
    if (!pDC || !lpBounds || !m_package)
        return FALSE;
    QImage picture = Decode(m_package->data);
    if (!picture.isNull())
        Blit(pDC->GetSafeHdc(), *lpBounds, picture);
    else
        DrawIconAndName(pDC, *lpBounds, m_package->fileName, TypeOf(m_package->fileName, m_package->data));
    return TRUE;
}

void COleClientItem::GetUserType(USERCLASSTYPE nUserClassType, CString& rString) const
{
    rString.Empty();
    if (!m_package || nUserClassType == USERCLASSTYPE_APPNAME)
        return;
    rString = CStringFromUtf8(TypeOf(m_package->fileName, m_package->data).comment().toUtf8().toStdString());
}
