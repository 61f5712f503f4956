#include "objects/kinds/BitmapCache.h"

#include "imaging/ExtDib.h"
#include "imaging/TransparentDraw.h"
#include "objects/kinds/DisplayDepth.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <cstdlib>

CBitmapCache::CBitmapCache() = default;

CBitmapCache::~CBitmapCache() = default;

void CBitmapCache::Build(CExtDib& picture, CDC* windowDc, BOOL evenWhenEmpty, CPalette* palette)
{
    Release();
    if (!evenWhenEmpty && picture.m_kind == CExtDib::None)
        return;
    m_built = TRUE;
    CDC memory;
    memory.CreateCompatibleDC(windowDc);
    const int screenBits = GetDisplayBitsPerPixel();
    if (picture.GetSize() && screenBits <= 8 && picture.GetBitCount() > 8)
        ReduceToScreen(&memory, picture, screenBits);
    TakePicture(&memory, picture, palette);
}

// The picture drawn into a bitmap of the screen's depth and taken back from it.
void CBitmapCache::ReduceToScreen(CDC* memory, CExtDib& picture, int screenBits)
{
    CBitmap device;
    if (!device.CreateBitmap(picture.GetWidth(), std::abs(picture.GetHeight()), 1, static_cast<UINT>(screenBits),
                             nullptr))
        return;
    CBitmap* old = memory->SelectObject(&device);
    picture.Draw(memory, 0, 0);
    memory->SelectObject(old);
    CExtDib reduced;
    if (!reduced.CreateFromBitmap(memory, &device, static_cast<UINT>(screenBits), FALSE))
        return;
    reduced.m_kind = picture.m_kind;
    reduced.m_name = picture.m_name;
    reduced.m_colour = picture.m_colour;
    picture.CopyFrom(reduced);
}

void CBitmapCache::TakePicture(CDC* memory, CExtDib& picture, CPalette* palette)
{
    CPalette* oldPalette = palette ? memory->SelectPalette(palette, TRUE) : nullptr;
    if (palette)
        memory->RealizePalette();
    CBitmap* previous = picture.SelectIntoDC(memory, &m_size);
    if (palette)
        memory->SelectPalette(oldPalette, TRUE);
    if (!previous)
        return;
    m_bitmap = std::make_unique<CBitmap>();
    m_bitmap->Attach(::SelectObject(memory->GetSafeHdc(), previous->GetSafeHandle()));
}

void CBitmapCache::Release()
{
    m_bitmap.reset();
    m_built = FALSE;
    m_size = CSize(0, 0);
}

void CBitmapCache::Draw(const CExtDib& picture, POINT at, CSize source, CSize destination, CDC* target) const
{
    if (m_bitmap)
        DrawBitmapTransparent(m_bitmap.get(), &at, &source, &destination, picture.m_colour, target, FALSE);
}
