// Drawing of the labelled frame: fill, frame styles and the label cut into the top edge.
#include "objects/ObjectHost.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/RectOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

#include <initializer_list>

namespace {
constexpr int LabelInset = 7;
// Stored alignments reach DrawText as its format; these flags would keep it from drawing.
constexpr UINT NonDrawingFormats = DT_CALCRECT;

COLORREF OrSystem(COLORREF color, int index)
{
    return color == static_cast<COLORREF>(-1) ? GetSysColor(index) : color;
}

void Deflate(RECT* rect, int by)
{
    CRect r(rect);
    r.DeflateRect(by, by);
    *rect = r;
}

// A polyline in a one-pixel pen of the colour.
void Lines(CDC* dc, COLORREF color, std::initializer_list<POINT> points)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    auto it = points.begin();
    dc->MoveTo(*it);
    for (++it; it != points.end(); ++it)
        dc->LineTo(*it);
    dc->SelectObject(old);
}
}

void CRectOb::Draw(CDC* dc)
{
    CRect r;
    GetRect(&r, nullptr);
    COLORREF back;
    GetBackColor(&back);
    CBrush backBrush(back);
    if (!IsTransparent())
        dc->FillRect(&r, &backBrush);
    m_hitBand = BorderWidth + 1;
    CSize extent(0, 0);
    CFont font;
    CFont* oldFont = nullptr;
    if (!Text.IsEmpty()) {
        LOGFONT logFont;
        GetFont(&logFont, TRUE);
        font.CreateFontIndirect(&logFont);
        oldFont = dc->SelectObject(&font);
        extent = dc->GetTextExtent(Text);
        m_hitBand = extent.cy;
    }
    CRect outer(r.left, r.top + extent.cy * 3 / 8, r.right, r.bottom);
    CRect frame = outer;
    DrawFrame(dc, &frame, &outer);
    if (!Text.IsEmpty()) {
        DrawLabel(dc, r, extent, back, &backBrush);
        dc->SelectObject(oldFont);
    }
}

void CRectOb::DrawLabel(CDC* dc, const CRect& r, CSize extent, COLORREF back, CBrush* backBrush)
{
    COLORREF fore;
    GetForeColor(&fore);
    COLORREF oldText = dc->SetTextColor(fore);
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldBack = dc->SetBkColor(back);
    CRect t = r;
    t.DeflateRect(LabelInset, 0);
    int x = t.left;
    if (Alignment == AlignRight)
        x = t.right - extent.cx - 4;
    else if (Alignment == AlignCentre)
        x = t.left + (t.right - extent.cx - t.left) / 2 - 2;
    CRect label(x + 2, t.top - 2, x + extent.cx + 4, t.top - 2 + extent.cy);
    CRect clip(t.left + 2, t.top - 2, t.right, t.top - 2 + extent.cy);
    m_textRect1.IntersectRect(&label, &clip);
    m_textRect2 = clip;
    dc->FillRect(&m_textRect1, backBrush);
    CRect drawn = m_textRect1;
    UINT format = Alignment == AlignCentre ? DT_CENTER : static_cast<UINT>(Alignment) & ~NonDrawingFormats;
    dc->DrawText(Text, &drawn, format);
    dc->SetTextColor(oldText);
    dc->SetBkMode(oldMode);
    dc->SetBkColor(oldBack);
}

void CRectOb::DrawFrame(CDC* dc, RECT* frame, const RECT* outer)
{
    COLORREF dark = OrSystem(BorderColor, COLOR_BTNSHADOW);
    COLORREF light = OrSystem(HiliteColor, COLOR_BTNHIGHLIGHT);
    COLORREF back;
    GetBackColor(&back);
    int width = DrawableWidth(BorderWidth, *outer);
    if (BorderStyle == Style3D && !dc->IsPrinting()) {
        dc->DrawEdge(frame, EDGE_ETCHED, BF_RECT);
        Deflate(frame, 2);
        return;
    }
    if (BorderStyle == Style3D) {
        --frame->right;
        --frame->bottom;
    }
    if (BorderStyle == StylePlain) {
        CPen pen(PS_SOLID, width == 1 && GetHost()->GetZoomPercent() < 100 ? 0 : width, dark);
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(frame);
        dc->SelectObject(oldPen);
        if (oldBrush)
            dc->SelectObject(oldBrush->GetSafeHandle());
        return;
    }
    CBrush darkBrush(dark);
    for (int i = BorderStyle == Style3D ? 1 : 0; i < width; ++i) {
        dc->FrameRect(frame, &darkBrush);
        Deflate(frame, 1);
    }
    if (BorderStyle == Style3D) {
        CRect edge(outer->left + 1, outer->top + 1, outer->right, outer->bottom);
        CBrush lightBrush(light);
        dc->FrameRect(&edge, &lightBrush);
    } else if (BorderStyle == StyleSunken) {
        DrawSunkenLines(dc, *outer, width, light, back);
    } else if (BorderStyle == StyleRaised) {
        DrawRaisedLines(dc, *outer, width, light, back);
    }
}

void CRectOb::DrawSunkenLines(CDC* dc, const RECT& o, int width, COLORREF light, COLORREF back)
{
    for (int i = 0; i < width; ++i)
        Lines(dc, light, {{o.left + i + 1, o.bottom - i - 1}, {o.right - i - 1, o.bottom - i - 1}, {o.right - i - 1, o.top + i}});
    if (width < 2)
        return;
    int k = width - 1;
    Lines(dc, RGB(0, 0, 0), {{o.left + k, o.bottom - k - 2}, {o.left + k, o.top + k}, {o.right - k - 1, o.top + k}});
    Lines(dc, back, {{o.left + k + 1, o.bottom - k - 1}, {o.right - k - 1, o.bottom - k - 1}, {o.right - k - 1, o.top + k}});
}

void CRectOb::DrawRaisedLines(CDC* dc, const RECT& o, int width, COLORREF light, COLORREF back)
{
    for (int i = 0; i < width; ++i)
        Lines(dc, light, {{o.left + i, o.bottom - i - 2}, {o.left + i, o.top + i}, {o.right - i - 1, o.top + i}});
    if (width < 2)
        return;
    int k = width - 1;
    Lines(dc, RGB(0, 0, 0), {{o.left, o.bottom - 1}, {o.right - 1, o.bottom - 1}, {o.right - 1, o.top - 1}});
    Lines(dc, back, {{o.left + k, o.bottom - k - 2}, {o.left + k, o.top + k}, {o.right - k - 1, o.top + k}});
}
