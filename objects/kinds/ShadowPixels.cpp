#include "objects/kinds/ShadowPixels.h"

#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplDib.h"
#include "imaging/ipl/IplError.h"
#include "imaging/ipl/IplImage.h"
#include "objects/RgbDibHeader.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstring>
#include <vector>

CDibSection24::CDibSection24(SIZE size)
{
    const RECT rect {0, 0, size.cx, size.cy};
    BITMAPINFO info {};
    if (!MakeRgbDibHeader(&rect, &info.bmiHeader))
        return;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::GdiFlush();
    if (!bitmap || !bits) {
        if (bitmap)
            ::DeleteObject(bitmap);
        return;
    }
    m_bitmap = bitmap;
    m_bits = static_cast<BYTE*>(bits);
    m_size = {info.bmiHeader.biWidth, info.bmiHeader.biHeight};
}

CDibSection24::~CDibSection24()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

void CDibSection24::Fill(COLORREF colour)
{
    const BYTE pixel[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    for (DWORD i = 0; i < GetPixelCount(); ++i)
        std::memcpy(m_bits + 3 * static_cast<size_t>(i), pixel, 3);
}

namespace {
constexpr const char* BlurModule = "objects/kinds/ShadowPixels";

// TRUE when the step failed and the report says to stop.
bool StepFailed(const char* step, int line)
{
    return iplGetErrorStatus() < 0 && iplReportError(iplStsBackTrace, "BlurBitmap", step, BlurModule, line) != 0;
}
}

// The pixels follow the header directly, where the library looks for a 24-bit DIB's rows.
void BlurBitmap(CDibSection24& section, SIZE blur)
{
    const size_t pixelBytes = static_cast<size_t>(section.GetPixelCount()) * 3;
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + pixelBytes);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    const RECT rect {0, 0, section.GetSize().cx, section.GetSize().cy};
    MakeRgbDibHeader(&rect, header);
    std::memcpy(block.data() + sizeof(BITMAPINFOHEADER), section.GetBits(), pixelBytes);
    iplSetErrorMode(iplErrModeParent);
    BOOL cloned = FALSE;
    IplImage* image = iplTranslateDIB(header, &cloned);
    if (!image || StepFailed("iplTranslateDIB", __LINE__))
        return;
    iplSetImageBorderMode(image, iplBorderConstant, iplSideAll, 0);
    iplBlur(image, image, 2 * blur.cx, 2 * blur.cy, blur.cx, blur.cy);
    const bool blurred = !StepFailed("iplBlur", __LINE__);
    if (blurred)
        iplConvertToDIB(image, header, 1, 0);
    const bool converted = blurred && !StepFailed("iplConvertToDIB", __LINE__);
    if (converted)
        std::memcpy(section.GetBits(), block.data() + sizeof(BITMAPINFOHEADER), pixelBytes);
    // Rows the library did not copy belong to the block.
    iplReleaseImage(image, cloned ? iplImageAll : iplImageAll & ~iplImageData);
}

void BlendShadowColor(BYTE* background, const BYTE* mask, DWORD pixelCount, COLORREF colour, float opacity)
{
    const float components[3] = {static_cast<float>(GetBValue(colour)), static_cast<float>(GetGValue(colour)),
                                 static_cast<float>(GetRValue(colour))};
    for (DWORD i = 0; i < pixelCount; ++i) {
        BYTE* pixel = background + 3 * static_cast<size_t>(i);
        const float alpha = mask[3 * static_cast<size_t>(i) + 2] * (1.0f / 255.0f) * opacity;
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<BYTE>(pixel[c] * (1.0f - alpha) + alpha * (components[c] / 255.0f) * 255.0f);
    }
}
