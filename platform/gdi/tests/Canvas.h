// A small white memory bitmap to draw on, and its pixels as text for comparing.
#pragma once

#include "platform/gdi/Dc.h"

#include <map>
#include <string>
#include <vector>

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 255, 255)) : m_width(width), m_height(height)
    {
        dc.CreateCompatibleDC(nullptr);
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, background);
        dc.SetBkColor(RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(m_old); }

    // Clips drawing to two rectangles, a region of more than one part.
    void ClipToTwoParts(const RECT& first, const RECT& second)
    {
        CRgn region, other;
        region.CreateRectRgnIndirect(&first);
        other.CreateRectRgnIndirect(&second);
        region.CombineRgn(&region, &other, RGN_OR);
        dc.SelectClipRgn(&region);
    }

    // Device pixel, whatever mapping and clipping the DC has.
    COLORREF Pixel(int x, int y) const
    {
        COLORREF c = CLR_INVALID;
        Scan([&](int px, int py, COLORREF v) {
            if (px == x && py == y)
                c = v;
        });
        return c;
    }

    // One character per pixel: '.' white, '#' black, 'r' red, 'g' green, 'b' blue, 'y' yellow, '?' other.
    std::string Art() const
    {
        static const std::map<COLORREF, char> legend = {{RGB(255, 255, 255), '.'}, {RGB(0, 0, 0), '#'},
                                                        {RGB(255, 0, 0), 'r'},       {RGB(0, 255, 0), 'g'},
                                                        {RGB(0, 0, 255), 'b'},       {RGB(255, 255, 0), 'y'}};
        std::string s;
        Scan([&](int x, int, COLORREF v) {
            auto it = legend.find(v);
            s += it == legend.end() ? '?' : it->second;
            if (x == m_width - 1)
                s += '\n';
        });
        return s;
    }

    // Bounding box of the pixels that differ from the background, right and bottom exclusive.
    RECT Ink(COLORREF background = RGB(255, 255, 255)) const
    {
        RECT r{m_width, m_height, 0, 0};
        Scan([&](int x, int y, COLORREF v) {
            if (v == background)
                return;
            r.left = std::min<LONG>(r.left, x);
            r.top = std::min<LONG>(r.top, y);
            r.right = std::max<LONG>(r.right, x + 1);
            r.bottom = std::max<LONG>(r.bottom, y + 1);
        });
        return r;
    }

    // Every pixel, row by row, for comparing colours the legend of Art() does not name.
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> pixels;
        Scan([&](int, int, COLORREF v) { pixels.push_back(v); });
        return pixels;
    }

    int Count(COLORREF color) const
    {
        int n = 0;
        Scan([&](int, int, COLORREF v) { n += v == color; });
        return n;
    }

    CDC dc;
    CBitmap bitmap;

private:
    template <typename F>
    void Scan(F f) const
    {
        CDC& d = const_cast<CDC&>(dc);
        int saved = d.SaveDC();
        d.SetMapMode(MM_TEXT);
        d.SetViewportOrg(0, 0);
        d.SetWindowOrg(0, 0);
        d.SelectClipRgn(nullptr);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                f(x, y, d.GetPixel(x, y));
        d.RestoreDC(saved);
    }

    int m_width;
    int m_height;
    CBitmap* m_old = nullptr;
};

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
