// Loading, creating and reading back the paint control's picture, and its transparency mask.
#include "imaging/paint/PntCtrl.h"

#include "imaging/Dib.h"
#include "platform/gdi/Dc.h"

#include <array>
#include <vector>

BOOL CPntCtrl::SetImage(const CDib* dib)
{
    BOOL loaded = TRUE;
    if (dib && dib->GetBlock() && dib->GetBits()) {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(dib->GetBlock() + sizeof(BITMAPFILEHEADER));
        loaded = m_Image.SetBitmap(info, dib->GetBits());
    } else {
        m_Image.DeleteObject();
    }
    Refresh();
    return loaded;
}

BOOL CPntCtrl::GetImage(CDib* dib)
{
    if (!dib || !HasImage())
        return FALSE;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CPalette* palette = m_Image.GetPalette()->GetSafeHandle() ? m_Image.GetPalette() : nullptr;
    CPalette* old = palette ? screen.SelectPalette(palette, FALSE) : nullptr;
    if (palette)
        screen.RealizePalette();
    const BOOL done = dib->CreateFromBitmap(&screen, CBitmap::FromHandle(m_Image.GetSafeHandle()),
                                            static_cast<UINT>(m_Image.GetBitCount()), FALSE);
    if (palette)
        screen.SelectPalette(old, FALSE);
    return done;
}

BOOL CPntCtrl::CreateImage(int width, int height, int planes, int bitCount)
{
    const BOOL created = m_Image.Create(width, height, planes, bitCount, nullptr, nullptr);
    if (created)
        m_Image.FillSolid(PaletteWhite);
    Refresh();
    return created;
}

void CPntCtrl::Refresh()
{
    SetModified(FALSE);
    ClearUndo();
    ResetSelection();
    if (!m_hWnd)
        return;
    UpdateScrollRanges();
    UpdateOrigin();
    Invalidate();
}

void CPntCtrl::ResetSelection() { m_rcSelection = WholeImage(); }

HBITMAP CPntCtrl::GetMaskBitmap()
{
    m_Mask.DeleteObject();
    if (!HasImage())
        return nullptr;
    const int w = m_Image.GetWidth(), h = m_Image.GetHeight();
    m_Mask.CreateBitmap(w, h, 1, 1, nullptr);
    CDC maskDC;
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* old = maskDC.SelectObject(&m_Mask);
    if (DrawsTransparent()) {
        CDC* canvas = m_Image.GetMemoryDC(nullptr, FALSE);
        const COLORREF back = canvas ? canvas->SetBkColor(m_crTransparent) : 0;
        if (canvas) {
            maskDC.BitBlt(0, 0, w, h, canvas, 0, 0, SRCCOPY);
            canvas->SetBkColor(back);
        }
        m_Image.ReleaseMemoryDC();
    } else {
        maskDC.PatBlt(0, 0, w, h, BLACKNESS);
    }
    maskDC.SelectObject(old);
    return static_cast<HBITMAP>(m_Mask.GetSafeHandle());
}

BOOL CPntCtrl::GetMask(CDib* dib)
{
    if (!dib || !GetMaskBitmap())
        return FALSE;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    return dib->CreateFromBitmap(&screen, &m_Mask, 1, FALSE);
}

int CPntCtrl::ApplyMask(const CDib* mask)
{
    if (!mask || !mask->GetBlock() || !HasImage())
        return 0;
    CBitmap bits;
    if (!bits.CreateBitmap(mask->GetWidth(), mask->GetHeight(), 1, 1, nullptr))
        return -1;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bits);
    mask->Draw(&dc, 0, 0);
    dc.SelectObject(old);
    return ApplyMask(static_cast<HBITMAP>(bits.GetSafeHandle()));
}

// The colour least used under the opaque part of the mask becomes the transparency colour,
// and every masked pixel is painted with it.
int CPntCtrl::ApplyMask(HBITMAP maskHandle)
{
    if (!HasImage() || !m_Image.GetColorTableSize())
        return 0;
    BITMAP bm{};
    CBitmap* mask = CBitmap::FromHandle(maskHandle);
    if (!mask || !mask->GetBitmap(&bm))
        return -1;
    if (bm.bmPlanes * bm.bmBitsPixel != 1 || bm.bmWidth != m_Image.GetWidth() || bm.bmHeight != m_Image.GetHeight())
        return 0;
    CDC maskDC;
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* old = maskDC.SelectObject(mask);
    std::vector<bool> masked(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    std::array<int, 16> counts{};
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            const bool set = (maskDC.GetPixel(x, y) & 0xFFFFFF) != 0;
            masked[static_cast<size_t>(y * bm.bmWidth + x)] = set;
            if (set)
                continue;
            const COLORREF pixel = m_Image.GetPixel(x, y) & 0xFFFFFF;
            for (size_t i = 0; i < counts.size(); ++i)
                counts[i] += g_PaintColours[i].colour == pixel;
        }
    maskDC.SelectObject(old);
    size_t least = counts.size() - 1;
    for (size_t i = counts.size(); i-- > 0 && counts[least] != 0;)
        if (counts[i] < counts[least])
            least = i;
    const COLORREF colour = g_PaintColours[least].colour;
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x)
            if (masked[static_cast<size_t>(y * bm.bmWidth + x)])
                m_Image.SetPixel(x, y, 1, colour);
    SetTransparencyColour(colour);
    return 1;
}
