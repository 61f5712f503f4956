#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"

#include <gtest/gtest.h>

namespace {

// A stand-in for the window layer: one window whose client area is a 20 x 10 image.
QImage* g_surface = nullptr;
int g_released = 0;

HDC Acquire(CWnd*, int kind, RECT* paintRect)
{
    if (kind == 2)
        *paintRect = {0, 0, 20, 10};
    return gdi::CreateSurfaceDc(g_surface, gdi::DcKind::Window);
}

void Release(CWnd*, HDC hdc, int)
{
    ++g_released;
    DeleteDC(hdc);
}

TEST(WindowDcs, ClientAndPaintDcsDrawIntoTheWindowSurface)
{
    QImage surface(20, 10, QImage::Format_RGB32);
    surface.fill(qRgb(255, 255, 255));
    g_surface = &surface;
    SetWindowDcHooks({Acquire, Release});
    {
        CClientDC dc(nullptr);
        EXPECT_EQ(20, dc.GetDeviceCaps(HORZRES));
        dc.FillSolidRect(0, 0, 5, 5, RGB(255, 0, 0));
    }
    {
        CPaintDC dc(nullptr);
        EXPECT_EQ(20, dc.PaintRect().right);
        dc.SetPixel(19, 9, RGB(0, 0, 255));
    }
    EXPECT_EQ(2, g_released);
    EXPECT_EQ(qRgb(255, 0, 0), surface.pixel(4, 4));
    EXPECT_EQ(qRgb(0, 0, 255), surface.pixel(19, 9));
    SetWindowDcHooks({});
    g_surface = nullptr;
    CWindowDC nowhere(nullptr);  // without a window layer the DC draws nowhere, harmlessly
    EXPECT_TRUE(nowhere.Rectangle(0, 0, 10, 10));
    EXPECT_EQ(CLR_INVALID, nowhere.GetPixel(1, 1));
}

}  // namespace
