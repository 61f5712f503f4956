#include "objects/kinds/BitmapCache.h"

#include "imaging/ExtDib.h"
#include "imaging/TransparentDraw.h"
#include "objects/kinds/DisplayDepth.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

CBitmapCache::~CBitmapCache()
{
    Release();
}

void CBitmapCache::Build(CExtDib& picture, CDC* windowDc, BOOL evenWhenEmpty, CPalette* palette)
{
    Release();
    if (!evenWhenEmpty && picture.m_kind == CExtDib::None)
        return;
    m_dc = std::make_unique<CDC>();
    m_dc->CreateCompatibleDC(windowDc);
    int screenBits = GetDisplayBitsPerPixel();
    if (picture.GetSize() && screenBits <= 8 && picture.GetBitCount() > 8)
        ReduceToScreen(picture, screenBits);
    SelectPicture(picture, palette);
}

// The picture drawn into a bitmap of the screen's depth and taken back from it.
void CBitmapCache::ReduceToScreen(CExtDib& picture, int screenBits)
{
    CBitmap device;
    if (!device.CreateBitmap(picture.GetWidth(), std::abs(picture.GetHeight()), 1, static_cast<UINT>(screenBits),
                             nullptr))
        return;
    CBitmap* old = m_dc->SelectObject(&device);
    picture.Draw(m_dc.get(), 0, 0);
    m_dc->SelectObject(old);
    CExtDib reduced;
    reduced.m_kind = picture.m_kind;
    reduced.m_name = picture.m_name;
    reduced.m_colour = picture.m_colour;
    if (reduced.CreateFromBitmap(m_dc.get(), &device, static_cast<UINT>(screenBits), FALSE))
        picture.CopyFrom(reduced);
}

void CBitmapCache::SelectPicture(CExtDib& picture, CPalette* palette)
{
    CPalette* oldPalette = palette ? m_dc->SelectPalette(palette, TRUE) : nullptr;
    if (palette)
        m_dc->RealizePalette();
    CBitmap* previous = picture.SelectIntoDC(m_dc.get(), &m_size);
    m_previous = previous ? previous->GetSafeHandle() : nullptr;
    if (palette)
        m_dc->SelectPalette(oldPalette, TRUE);
}

void CBitmapCache::Release()
{
    if (!m_dc)
        return;
    if (m_previous) {
        HGDIOBJ made = ::SelectObject(m_dc->GetSafeHdc(), m_previous);
        ::DeleteObject(made);
    }
    m_dc.reset();
    m_previous = nullptr;
    m_size = CSize(0, 0);
}

void CBitmapCache::Draw(const CExtDib& picture, POINT at, CSize source, CSize destination, CDC* target) const
{
    if (m_dc && m_previous)
        DrawBitmapTransparent(m_dc->GetCurrentBitmap(), &at, &source, &destination, picture.m_colour, target, FALSE);
}
