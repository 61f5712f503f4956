// A page view without a window that draws into an off-screen bitmap of the page's size.
#pragma once

#include "View/MyView.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class OffscreenPage {
public:
    OffscreenPage(int width, int height) : m_size(width, height)
    {
        m_screen.CreateCompatibleDC(nullptr);
        m_dc.CreateCompatibleDC(&m_screen);
        m_bitmap.CreateCompatibleBitmap(&m_screen, width, height);
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    ~OffscreenPage() { m_dc.SelectObject(m_old); }
    OffscreenPage(const OffscreenPage&) = delete;
    OffscreenPage& operator=(const OffscreenPage&) = delete;

    // Everything on a white page.
    void Repaint()
    {
        const CRect area(CPoint(0, 0), m_size);
        m_dc.FillSolidRect(&area, RGB(255, 255, 255));
        m_view.DrawObjects(&m_dc, area);
    }

    CMyView m_view;
    CDC m_dc;

private:
    CSize m_size;
    CDC m_screen;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
