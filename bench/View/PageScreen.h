// A page drawn into a memory bitmap of a window's size, prepared as a window's paint DC is:
// clipped to the area to paint and mapped by the view. The page benchmarks share it.
#pragma once

#include "View/HyperRunView.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class PageScreen {
public:
    PageScreen(int width, int height) : m_width(width), m_height(height)
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    ~PageScreen() { m_dc.SelectObject(m_old); }
    PageScreen(const PageScreen&) = delete;
    PageScreen& operator=(const PageScreen&) = delete;

    // The view paints the area (device pixels) on white, the whole bitmap by default.
    void Paint(CHyperRunView& view, RECT area = {0, 0, 0, 0})
    {
        if (area.right <= area.left)
            area = {0, 0, m_width, m_height};
        const int saved = m_dc.SaveDC();
        CRgn region;
        region.CreateRectRgn(area.left, area.top, area.right, area.bottom);
        m_dc.SelectClipRgn(&region);
        m_dc.FillSolidRect(area.left, area.top, area.right - area.left, area.bottom - area.top, RGB(255, 255, 255));
        view.OnPrepareDC(&m_dc, nullptr);
        view.OnDraw(&m_dc);
        m_dc.RestoreDC(saved);
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Pixel(int x, int y) const { return m_dc.GetPixel(x, y); }
    CDC* DC() { return &m_dc; }

private:
    int m_width;
    int m_height;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
