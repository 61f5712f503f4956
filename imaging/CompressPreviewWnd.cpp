#include "imaging/CompressPreviewWnd.h"

#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWinBmp.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/WinApp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

BEGIN_MESSAGE_MAP(CCompressPreviewWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// A fresh, exclusively created file for the JPEG; removed by the destructor on every path.
class TempJpeg {
public:
    TempJpeg()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tmpXXXXXX.jpg").string();
        int fd = mkstemps(pattern.data(), 4);
        if (fd >= 0) {
            close(fd);
            m_path = pattern;
        }
    }
    ~TempJpeg()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
    }
    TempJpeg(const TempJpeg&) = delete;
    TempJpeg& operator=(const TempJpeg&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

void CCompressPreviewWnd::SetPicture(COXDIB picture)
{
    m_source = picture;
    m_result = picture;
}

void CCompressPreviewWnd::SetZoom(int zoom)
{
    m_zoom = zoom;
    if (GetSafeHwnd())
        Invalidate(TRUE);
}

void CCompressPreviewWnd::CompressInto(const char* path, int& sizeKb)
{
    HDC screen = ::GetDC(GetSafeHwnd());
    CDC dc;
    dc.Attach(screen);
    std::unique_ptr<CBitmap> device(m_source.MakeBitmap(&dc));
    dc.Detach();
    ::ReleaseDC(GetSafeHwnd(), screen);
    if (!device)
        throw PLTextException(1, "The picture could not be prepared for compression.");
    PLWinBmp original;
    original.CreateFromHBitmap(static_cast<HBITMAP>(device->GetSafeHandle()));
    device->DeleteObject();

    PLJPEGEncoder encoder;
    encoder.SetQuality(m_quality);
    encoder.MakeFileFromBmp(path, &original);
    std::error_code error;
    sizeKb = int(std::filesystem::file_size(path, error) / 1024);

    PLWinBmp decoded;
    PLJPEGDecoder decoder;
    decoder.MakeBmpFromFile(path, &decoded);
    CBitmap shown;
    CDC memory;
    screen = ::GetDC(nullptr);
    dc.Attach(screen);
    shown.CreateCompatibleBitmap(&dc, decoded.GetWidth(), decoded.GetHeight());
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&shown);
    decoded.Draw(memory.GetSafeHdc(), 0, 0, SRCCOPY);
    memory.SelectObject(old);
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
    COXDIB result;
    if (result.BitmapToDIB(static_cast<HBITMAP>(shown.GetSafeHandle())))
        m_result = result;
}

int CCompressPreviewWnd::RenderPreview(int quality)
{
    m_quality = quality;
    int sizeKb = 0;
    TempJpeg file;
    try {
        if (file.path().empty())
            throw PLTextException(2, "No temporary file could be created.");
        CompressInto(file.path().c_str(), sizeKb);
    } catch (PLTextException& e) {
        AfxMessageBox(e.GetText());
    }
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return sizeKb;
}

CRect CCompressPreviewWnd::FitRect(CSize picture, const CRect& client)
{
    if (picture.cx <= 0 || picture.cy <= 0)
        return CRect(client.left, client.top, client.left, client.top);
    if (picture.cy <= picture.cx) {
        int height = int(int64_t(picture.cy) * client.Width() / picture.cx);
        int top = client.top + (client.Height() - height) / 2;
        return CRect(client.left, top, client.right, top + height);
    }
    int width = int(int64_t(picture.cx) * client.Height() / picture.cy);
    int left = client.left + (client.Width() - width) / 2;
    return CRect(left, client.top, left + width, client.bottom);
}

CRect CCompressPreviewWnd::ZoomSource(CSize picture, int zoom)
{
    if (zoom <= 1)
        return CRect(0, 0, picture.cx, picture.cy);
    const double scale = std::sqrt(double(zoom));
    int width = int(picture.cx / scale);
    int height = int(picture.cy / scale);
    int left = (picture.cx - width) / 2;
    int top = (picture.cy - height) / 2;
    return CRect(left, top, left + width, top + height);
}

void CCompressPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CSize size = m_result.GetSize();
    m_result.Paint(&dc, FitRect(size, client), ZoomSource(size, m_zoom));
}
