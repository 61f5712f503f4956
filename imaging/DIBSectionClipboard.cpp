// The canvas's bitmap exchange with the clipboard.
#include "imaging/DIBSection.h"

#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"

UINT CDIBSection::CanPaste()
{
    UINT formats[] = {CF_BITMAP};
    int found = ::GetPriorityClipboardFormat(formats, 1);
    return found > 0 ? UINT(found) : 0;
}

CSize CDIBSection::GetClipboardBitmapSize()
{
    CSize size(0, 0);
    if (!::OpenClipboard(nullptr))
        return size;
    BITMAP bm {};
    if (auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)); bitmap && ::GetObject(bitmap, sizeof bm, &bm))
        size = CSize(bm.bmWidth, std::abs(bm.bmHeight));
    ::CloseClipboard();
    return size;
}

CRect CDIBSection::ClipboardArea(const CRect* rect) const
{
    return rect ? *rect : CRect(0, 0, GetWidth(), GetHeight());
}

BOOL CDIBSection::Paste(const CRect* rect, BOOL takePalette)
{
    COleDataObject data;
    if (!m_hBitmap || !data.AttachClipboard() || !data.IsDataAvailable(CF_BITMAP) || !::OpenClipboard(nullptr))
        return FALSE;
    CRect area = ClipboardArea(rect);
    BOOL done = WithMemoryDC([&](CDC& target) { return PasteInto(&target, area, takePalette); });
    ::CloseClipboard();
    return done;
}

// With the clipboard open: its bitmap at its own size at the area's top-left, clipped to the area.
BOOL CDIBSection::PasteInto(CDC* target, const CRect& area, BOOL takePalette)
{
    auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP bm {};
    CDC source;
    if (!bitmap || !::GetObject(bitmap, sizeof bm, &bm) || !source.CreateCompatibleDC(target))
        return FALSE;
    if (auto palette = static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE))) {
        ::SelectPalette(source.GetSafeHdc(), palette, TRUE);
        source.RealizePalette();
        if (takePalette && SetPalette(CPalette::FromHandle(palette))) {
            target->SelectPalette(&m_Palette, TRUE);
            target->RealizePalette();
        }
    }
    HGDIOBJ old = source.SelectObject(bitmap);
    target->IntersectClipRect(area);
    BOOL done = target->BitBlt(area.left, area.top, bm.bmWidth, std::abs(bm.bmHeight), &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    return done;
}

BOOL CDIBSection::PasteTransparent(const CRect* rect, COLORREF colour, BOOL takePalette)
{
    CRect area = ClipboardArea(rect);
    CDIBSection piece;
    LOGPALETTE* palette = GetLogPalette();
    if (!m_hBitmap || !piece.Create(area.Width(), area.Height(), 1, GetBitCount(), nullptr, palette))
        return FALSE;
    if (m_nColorTableSize)
        piece.SetColorTable(UINT(m_nColorTableSize), m_Info.colours);
    piece.FillSolid(colour);
    if (!piece.Paste(nullptr, takePalette))
        return FALSE;
    BOOL done = WithMemoryDC(
        [&](CDC& target) { return piece.DrawTransparent(&target, area.left, area.top, colour, nullptr, nullptr); });
    if (takePalette && piece.m_nColorTableSize) {
        SetColorTable(UINT(piece.m_nColorTableSize), piece.m_Info.colours);
        CreateSectionPalette();
    }
    return done;
}

BOOL CDIBSection::CopyToClipboard(const CRect* rect)
{
    CRect area = ClipboardArea(rect);
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CBitmap bitmap;
    CDC memory;
    BOOL made = bitmap.CreateCompatibleBitmap(&screen, area.Width(), area.Height()) && memory.CreateCompatibleDC(&screen);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!m_hBitmap || !made)
        return FALSE;
    CBitmap* old = memory.SelectObject(&bitmap);
    POINT origin = area.TopLeft();
    SIZE size = area.Size();
    BOOL drawn = Draw(&memory, 0, 0, &origin, &size);
    memory.SelectObject(old);
    if (!drawn || !::OpenClipboard(nullptr))
        return FALSE;
    ::EmptyClipboard();
    if (LOGPALETTE* palette = GetLogPalette()) {
        CPalette copy;
        if (copy.CreatePalette(palette))
            ::SetClipboardData(CF_PALETTE, copy.Detach());
    }
    ::SetClipboardData(CF_BITMAP, bitmap.Detach());
    ::CloseClipboard();
    return TRUE;
}
