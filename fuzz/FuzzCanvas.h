// A small 32-bit bitmap selected into a memory DC, for fuzz targets that draw what they read.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class FuzzCanvas {
public:
    FuzzCanvas(int width, int height)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    ~FuzzCanvas() { m_dc.SelectObject(m_old); }
    FuzzCanvas(const FuzzCanvas&) = delete;
    FuzzCanvas& operator=(const FuzzCanvas&) = delete;

    CDC& Dc() { return m_dc; }
    HDC Handle() const { return m_dc.GetSafeHdc(); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
