// The shape's caption layout and its drawing: picture and shadow, highlight frame, caption.
#include "objects/kinds/ShapeOb.h"

#include "objects/ObjectHost.h"
#include "objects/kinds/PagePixels.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace {
constexpr int SmallZoom = 100;

// The object's font selected into a DC while it lives.
class SelectedFont {
public:
    SelectedFont(CDC* dc, const LOGFONT& font)
        : m_dc(dc)
    {
        m_font.CreateFontIndirect(&font);
        m_old = dc->SelectObject(&m_font);
    }
    ~SelectedFont() { m_dc->SelectObject(m_old); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_old;
};
}

UINT CShapeOb::GetDrawTextFlags() const
{
    return (Alignment == AlignCenter ? DT_CENTER : static_cast<UINT>(Alignment)) | DT_WORDBREAK;
}

void CShapeOb::LayoutText(CDC* dc)
{
    CDC screen;
    if (!dc) {
        screen.CreateCompatibleDC(nullptr);
        dc = &screen;
    }
    LOGFONT logFont = Font.GetLogFont();
    GetEffectiveFont(&logFont);
    SelectedFont font(dc, logFont);
    TEXTMETRIC metrics {};
    dc->GetTextMetrics(&metrics);
    const CSize extent = dc->GetTextExtent(Text);
    CRect rect;
    GetRect(&rect, nullptr);
    const int width = std::max<int>(extent.cx + 2, MinimumLabelWidth);
    CRect label;
    label.left = rect.left + (rect.Width() / 2 - width / 2);
    label.right = label.left + width;
    label.top = rect.bottom - (2 * metrics.tmHeight + 2);
    label.bottom = rect.bottom;
    m_textRect1 = label;
    CRect text = label;
    const int xoff = Alignment == AlignRight ? width - 1 : Alignment == AlignCenter ? width / 2 : 0;
    dc->DrawText(Text.IsEmpty() ? CString("X") : Text, &text, GetDrawTextFlags() | DT_CALCRECT);
    text.IntersectRect(text, label);
    text.OffsetRect(label.left + xoff - text.left, (label.Height() - text.Height()) / 2);
    if (Alignment == AlignCenter)
        text.OffsetRect(-text.Width() / 2, 0);
    else if (Alignment == AlignRight)
        text.OffsetRect(-text.Width(), 0);
    m_textRect2 = text;
}

void CShapeOb::Draw(CDC* dc)
{
    CBitmapShadowOb::Draw(dc);
    if (HighlightFrame)
        DrawFrame(dc);
    DrawCaption(dc);
}

void CShapeOb::DrawFrame(CDC* dc)
{
    CRect rect;
    GetRect(&rect, nullptr);
    const CPagePixels pixels(dc, &rect);
    CBrush brush(FrameColor == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_HIGHLIGHT) : FrameColor);
    for (int i = 0; i < FrameWidth; ++i) {
        rect.InflateRect(1, 1);
        dc->FrameRect(&rect, &brush);
    }
}

// Below 100 % the caption is laid out and drawn at the device's own scale in a memory DC over
// a copy of the pixels under it, then copied back.
void CShapeOb::DrawCaption(CDC* dc)
{
    if (dc->IsPrinting() || GetHost()->GetZoomPercent() >= SmallZoom) {
        LayoutText(dc);
        DrawCaptionOn(dc);
        return;
    }
    CDC memory;
    memory.CreateCompatibleDC(dc);
    memory.SetMapMode(MM_TEXT);
    LayoutText(&memory);
    const CRect text = m_textRect2;
    CBitmap pixels;
    if (text.IsRectEmpty() || !pixels.CreateCompatibleBitmap(dc, text.Width(), text.Height()))
        return;
    CBitmap* old = memory.SelectObject(&pixels);
    memory.BitBlt(0, 0, text.Width(), text.Height(), dc, text.left, text.top, SRCCOPY);
    memory.SetViewportOrg(-text.left, -text.top);
    DrawCaptionOn(&memory);
    memory.SetViewportOrg(0, 0);
    dc->BitBlt(text.left, text.top, text.Width(), text.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CShapeOb::DrawCaptionOn(CDC* dc)
{
    if (Text.IsEmpty())
        return;
    COLORREF back = 0;
    COLORREF fore = 0;
    GetBackColor(&back);
    GetForeColor(&fore);
    const COLORREF oldBack = dc->SetBkColor(back);
    const COLORREF oldFore = dc->SetTextColor(fore);
    const int oldMode = dc->SetBkMode(IsTransparent() ? TRANSPARENT : OPAQUE);
    LOGFONT logFont = Font.GetLogFont();
    GetEffectiveFont(&logFont);
    SelectedFont font(dc, logFont);
    CRect text = m_textRect2;
    dc->DrawText(Text, &text, GetDrawTextFlags());
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldFore);
    dc->SetBkColor(oldBack);
}
