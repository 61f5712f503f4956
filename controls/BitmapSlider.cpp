#include "controls/BitmapSlider.h"

#include "platform/ui/Resources.h"

#include <algorithm>

namespace {

constexpr DWORD ROP_DSna = 0x00220326; // destination AND NOT source

// A monochrome mask, white where the picture has the transparent colour; those pixels of the
// picture are blackened so that SRCAND with the mask and SRCPAINT with the picture combine.
void BuildMask(CBitmap& image, CBitmap& mask, int width, int height, COLORREF colour, int x, int y)
{
    CDC imageDC, maskDC;
    imageDC.CreateCompatibleDC(nullptr);
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* oldImage = imageDC.SelectObject(&image);
    mask.CreateBitmap(width, height, 1, 1, nullptr);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    imageDC.SetBkColor(colour == SliderColourFromPixel ? imageDC.GetPixel(x, y) : colour);
    maskDC.BitBlt(0, 0, width, height, &imageDC, 0, 0, SRCCOPY);
    imageDC.SetBkColor(RGB(255, 255, 255));
    imageDC.SetTextColor(RGB(0, 0, 0));
    imageDC.BitBlt(0, 0, width, height, &maskDC, 0, 0, ROP_DSna);
    maskDC.SelectObject(oldMask);
    imageDC.SelectObject(oldImage);
}

BOOL LoadBitmapInto(CBitmap& bitmap, UINT id)
{
    HBITMAP loaded = LoadBitmapResource(id);
    return loaded && bitmap.Attach(loaded);
}

} // namespace

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CBitmapSlider::Pictures::Clear()
{
    for (CBitmap* b : {&image, &mask, &active, &activeMask})
        b->DeleteObject();
    set = hasActive = transparent = FALSE;
    width = height = 0;
}

void CBitmapSlider::SetRangeMax(int maximum, BOOL redraw)
{
    m_max = maximum;
    if (redraw && m_hWnd)
        Invalidate();
}

void CBitmapSlider::SetRangeMin(int minimum, BOOL redraw)
{
    m_min = minimum;
    if (redraw && m_hWnd)
        Invalidate();
}

void CBitmapSlider::SetRange(int minimum, int maximum, BOOL redraw)
{
    SetRangeMin(minimum, FALSE);
    SetRangeMax(maximum, redraw);
}

void CBitmapSlider::SetPos(int position)
{
    m_pos = std::max(std::min(position, m_max), m_min);
    if (m_hWnd)
        Invalidate();
}

void CBitmapSlider::SetMargins(int left, int top, int right, int bottom)
{
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
}

void CBitmapSlider::SetDrawFocusRect(BOOL draw, BOOL redraw)
{
    m_drawFocusRect = draw;
    if (redraw && m_hWnd)
        Invalidate();
}

void CBitmapSlider::Enable(BOOL enable)
{
    m_enabled = enable;
    if (m_hWnd)
        Invalidate();
}

// The pixels the thumb's centre travels along, from its first to its last place.
int CBitmapSlider::Travel() const
{
    return m_vertical ? m_channelHeight - m_marginBottom - m_thumb.height - m_marginTop
                      : m_channelWidth - m_marginRight - m_thumb.width - m_marginLeft;
}

int CBitmapSlider::PosToPixel(int position) const
{
    const int start = m_vertical ? m_thumb.height / 2 + m_marginTop : m_thumb.width / 2 + m_marginLeft;
    if (m_max == m_min)
        return start;
    return start + static_cast<int>(static_cast<double>(position - m_min) / (m_max - m_min) * Travel());
}

int CBitmapSlider::PixelToPos(int pixel) const
{
    const int start = m_vertical ? m_thumb.height / 2 + m_marginTop : m_thumb.width / 2 + m_marginLeft;
    if (Travel() <= 0)
        return m_min;
    return static_cast<int>(static_cast<double>(pixel - start) / Travel() * (m_max - m_min)) + m_min;
}

void CBitmapSlider::ChannelSizeFromClient()
{
    CRect client;
    GetClientRect(&client);
    m_channelWidth = client.Width();
    m_channelHeight = client.Height();
}

BOOL CBitmapSlider::LoadPictures(Pictures& pictures, UINT id, UINT activeId, BOOL transparent, COLORREF colour, int x,
                                 int y)
{
    pictures.Clear();
    if (id == 0)
        return TRUE;
    if (!LoadBitmapInto(pictures.image, id))
        return FALSE;
    BITMAP info{};
    pictures.image.GetBitmap(&info);
    pictures.width = info.bmWidth;
    pictures.height = info.bmHeight;
    if (transparent)
        BuildMask(pictures.image, pictures.mask, pictures.width, pictures.height, colour, x, y);
    if (activeId) {
        if (!LoadBitmapInto(pictures.active, activeId)) {
            pictures.Clear();
            return FALSE;
        }
        if (transparent)
            BuildMask(pictures.active, pictures.activeMask, pictures.width, pictures.height, colour, x, y);
        pictures.hasActive = TRUE;
    }
    pictures.transparent = transparent;
    pictures.set = TRUE;
    return TRUE;
}

BOOL CBitmapSlider::SetChannelBitmaps(UINT id, UINT activeId, BOOL transparent, COLORREF colour, int x, int y)
{
    if (!LoadPictures(m_channel, id, activeId, transparent, colour, x, y))
        return FALSE;
    if (m_channel.set) {
        SetWindowPos(nullptr, 0, 0, m_channel.width, m_channel.height, SWP_NOMOVE | SWP_NOZORDER);
        m_channelWidth = m_channel.width;
        m_channelHeight = m_channel.height;
    } else {
        ChannelSizeFromClient();
    }
    return TRUE;
}

BOOL CBitmapSlider::SetThumbBitmaps(UINT id, UINT activeId, BOOL transparent, COLORREF colour, int x, int y)
{
    if (!LoadPictures(m_thumb, id, activeId, transparent, colour, x, y))
        return FALSE;
    if (!m_channel.set)
        ChannelSizeFromClient();
    return TRUE;
}
