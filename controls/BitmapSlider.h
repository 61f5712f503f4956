// A slider drawn from bitmaps: a channel and a thumb, each with an optional active variant
// and a transparent colour. Dragging posts WM_SLIDER_MOVING to the parent; releasing posts
// WM_SLIDER_MOVED to the main window, keys post it to the parent, and both tell the audio
// manager.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Static.h"

constexpr UINT WM_SLIDER_MOVING = 0x28D1;
constexpr UINT WM_SLIDER_MOVED = 0x28D2;
// Take the transparent colour from the pixel (x, y) of the bitmap.
constexpr COLORREF SliderColourFromPixel = 0xFF000000;

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider() = default;

    void SetRangeMax(int maximum, BOOL redraw = FALSE);
    void SetRangeMin(int minimum, BOOL redraw = FALSE);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetPos(int position);
    int GetPos() const { return m_pos; }
    int GetRangeMin() const { return m_min; }
    int GetRangeMax() const { return m_max; }
    void SetPageSize(int step) { m_page = step; }
    void SetMargins(int left, int top, int right, int bottom);
    void SetVertical(BOOL vertical) { m_vertical = vertical; }
    void SetDrawFocusRect(BOOL draw, BOOL redraw = FALSE);
    void Enable(BOOL enable = TRUE);
    BOOL IsDragging() const { return m_dragging; }

    BOOL SetChannelBitmaps(UINT id, UINT activeId, BOOL transparent, COLORREF transparentColour = SliderColourFromPixel,
                           int x = 0, int y = 0);
    BOOL SetThumbBitmaps(UINT id, UINT activeId, BOOL transparent, COLORREF transparentColour = SliderColourFromPixel,
                         int x = 0, int y = 0);

    // Where the thumb's centre lies for a position, and back; along the slider's axis.
    int PosToPixel(int position) const;
    int PixelToPos(int pixel) const;

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    DECLARE_MESSAGE_MAP()

private:
    struct Pictures {
        CBitmap image, mask, active, activeMask;
        BOOL set = FALSE, transparent = FALSE, hasActive = FALSE;
        int width = 0, height = 0;
        void Clear();
    };
    BOOL LoadPictures(Pictures& pictures, UINT id, UINT activeId, BOOL transparent, COLORREF colour, int x, int y);
    void DrawPicture(CDC& dc, CBitmap& image, CBitmap& mask, BOOL transparent, int x, int y, int cx, int cy, int srcX,
                     int srcY);
    void DrawChannel(CDC& dc);
    void DrawThumb(CDC& dc);
    void ChannelSizeFromClient();
    CRect ThumbRect() const;
    int Travel() const;
    int Along(CPoint point) const { return m_vertical ? point.y : point.x; }
    void Report(UINT message, CWnd* receiver);

    int m_max = 100, m_min = 0, m_pos = 0, m_page = 20;
    int m_channelWidth = 0, m_channelHeight = 0;
    int m_marginLeft = 0, m_marginTop = 0, m_marginRight = 0, m_marginBottom = 0;
    CPoint m_lastThumb{-1, -1};
    CBitmap m_background;
    int m_dragOffset = 0;
    BOOL m_vertical = FALSE, m_dragging = FALSE, m_hasFocus = FALSE, m_focusRectDrawn = FALSE;
    BOOL m_drawFocusRect = TRUE, m_enabled = TRUE;
    Pictures m_channel, m_thumb;
};
