#include "View/PageExportPicture.h"

#include "View/HyperRunView.h"
#include "View/PageExport.h"
#include "View/PageExportHost.h"
#include "objects/HyperOb.h"
#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLTIFFEncoder.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWinBmp.h"
#include "platform/core/FilePath.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/sys/AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

constexpr UINT IDS_RETRIEVING_OBJECTS = 153;
constexpr double kScreenBitsPerPixel = 32;
// Beyond this many pixels the picture, its copy and the encoder's buffer would not fit in
// memory together.
constexpr double kMaxPixels = double(1 << 26);

// The screen's dots per inch, read from a screen DC released at once.
CSize ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const CSize dpi(::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return {std::max<LONG>(dpi.cx, 1), std::max<LONG>(dpi.cy, 1)};
}

// Draws the objects bottom of the stacking order first, at the view's zoom of the request.
void DrawObjects(CHyperRunView& view, CDC& dc, const CPageRenderRequest& request, CExportProgress& progress)
{
    const int oldZoom = view.GetZoom();
    view.SetZoom(std::atoi(request.zoomText));
    progress.Step();
    for (INT_PTR i = view.GetObjects().GetSize() - 1; i >= 0; --i) {
        view.GetObjectAtIndex(i)->Draw(&dc);
        progress.Step();
    }
    view.SetZoom(oldZoom);
}

// The bitmap, bitmapSize pixels, maps the screen's dots per inch to `scale` device pixels.
BOOL DrawIntoPicture(CHyperRunView& view, const CPageRenderRequest& request, CSize bitmapSize, int scale,
                     CExportOptions& options, CExportProgress& progress)
{
    const CSize dpi = ScreenDpi();
    const CSize extent = view.GetObjectExtent();
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    const BOOL created = bitmap.CreateCompatibleBitmap(&screen, bitmapSize.cx, bitmapSize.cy);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!created)
        return FALSE;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.SetMapMode(MM_ANISOTROPIC);
    memory.SetWindowExt(dpi.cx, dpi.cy);
    memory.SetViewportExt(scale, scale);
    memory.FillSolidRect(CRect(0, 0, extent.cx, extent.cy), RGB(255, 255, 255));
    DrawObjects(view, memory, request, progress);
    memory.SelectObject(old);
    COXDIB picture;
    if (!picture.BitmapToDIB(static_cast<HBITMAP>(bitmap.GetSafeHandle())))
        return FALSE;
    options.picture = picture;
    return TRUE;
}

// The picture as the picture library holds it: a copy of the packed DIB.
std::unique_ptr<PLWinBmp> LibraryBitmap(const COXDIB& picture)
{
    HGLOBAL handle = picture.GetHandle();
    auto* header = handle ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(handle)) : nullptr;
    if (!header)
        throw PLTextException(PL_ERRINTERNAL, "There is no picture to write.");
    auto bitmap = std::make_unique<PLWinBmp>();
    try {
        bitmap->CreateFromPackedDIB(header, GlobalSize(handle));
    } catch (...) {
        GlobalUnlock(handle);
        throw;
    }
    GlobalUnlock(handle);
    return bitmap;
}

BOOL Encode(PLPicEncoder& encoder, const COXDIB& picture, const CString& path, CString& error)
{
    try {
        std::unique_ptr<PLWinBmp> bitmap = LibraryBitmap(picture);
        PLMemSink sink;
        if (sink.Open(static_cast<LPCTSTR>(path), PLPicEncoder::NarrowSinkSize(bitmap->GetMemoryUsed())) != 0)
            throw PLTextException(PL_ERRNO_MEMORY, "Not enough memory to write the picture.");
        encoder.SaveBmp(bitmap.get(), &sink);
        const std::string_view bytes(reinterpret_cast<const char*>(sink.GetBytes()), size_t(sink.GetDataSize()));
        if (WriteFileAtomically(SystemPathFromName(path), bytes))
            return TRUE;
        error = "The file " + path + " could not be written.";
    } catch (const PLTextException& e) {
        error = e.GetText();
    }
    return FALSE;
}

} // namespace

BOOL RenderPagePicture(
    CHyperRunView& view, const CPageRenderRequest& request, CExportOptions& options, double& megabytes)
{
    const int count = static_cast<int>(view.GetObjects().GetSize());
    CExportProgress progress(0, (count + 4) * 10, 10, IDS_RETRIEVING_OBJECTS);
    progress.Step(2);
    const CSize extent = view.GetObjectExtent();
    const int width = static_cast<int>(extent.cx * request.zoom);
    const int height = static_cast<int>(extent.cy * request.zoom);
    progress.Step();
    const CSize dpi = ScreenDpi();
    const double pageZoom = 1.0;
    const int scale = static_cast<int>(std::floor(request.resolution * pageZoom * request.zoom + 0.5));
    const double bitmapWidth = std::trunc(double(extent.cx) * scale / dpi.cx);
    const double bitmapHeight = std::trunc(double(extent.cy) * scale / dpi.cy);
    megabytes = kScreenBitsPerPixel * bitmapHeight * bitmapWidth / 8 / 1048576;
    if (bitmapWidth < 1 || bitmapHeight < 1 || bitmapWidth * bitmapHeight > kMaxPixels)
        return FALSE;
    const CSize size(static_cast<LONG>(bitmapWidth), static_cast<LONG>(bitmapHeight));
    if (!DrawIntoPicture(view, request, size, scale, options, progress))
        return FALSE;
    options.pictureWidth = width;
    options.pictureHeight = height;
    return TRUE;
}

BOOL WriteExportPicture(const CExportOptions& options, const CString& format, const CString& path, CString& error)
{
    if (format == "JPEG") {
        PLJPEGEncoder encoder;
        encoder.SetQuality(options.jpegQuality);
        return Encode(encoder, options.picture, path, error);
    }
    if (format == "TIFF") {
        PLTIFFEncoder encoder;
        encoder.SetCompression(options.tiffCompression);
        return Encode(encoder, options.picture, path, error);
    }
    if (format == "BMP") {
        COXDIB picture = options.picture;
        if (picture.Write(path))
            return TRUE;
        error = "The file " + path + " could not be written.";
        return FALSE;
    }
    error = "The picture format " + format + " is not known.";
    return FALSE;
}
