// Drawing of the border object: frame styles, hard shadow, fill and outline.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/kinds/BorderOb.h"
#include "objects/kinds/KindShared.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>


namespace {
// The two strips of a hard shadow, by shadow style: 1 above left, 2 above right, 3 below
// left, 4 below right. Offsets from the outer rectangle's left, top, right and bottom.
struct Strip {
    int x1, y1, x2, y2;
};
enum Edge { L, T, R, B };
struct StripEdges {
    Edge ex1, ey1, ex2, ey2;
    Strip offset;
};
struct ShadowPlacement {
    StripEdges strips[2];
};
constexpr int S = CBorderOb::ShadowOffset;
constexpr ShadowPlacement shadowPlacements[4] = {
    {{{L, T, L, B, {-S, -S, 0, -S}}, {L, T, R, T, {-S, -S, -S, 0}}}},
    {{{R, T, R, B, {0, -S, S, -S}}, {L, T, R, T, {S, -S, S, 0}}}},
    {{{L, T, L, B, {-S, S, 0, S}}, {L, B, R, B, {-S, 0, -S, S}}}},
    {{{R, T, R, B, {0, S, S, S}}, {L, B, R, B, {S, 0, S, S}}}},
};

int EdgeOf(const RECT& r, Edge edge)
{
    const int edges[] = {r.left, r.top, r.right, r.bottom};
    return edges[edge];
}

CRect StripRect(const RECT& outer, const StripEdges& s)
{
    CRect strip(EdgeOf(outer, s.ex1) + s.offset.x1, EdgeOf(outer, s.ey1) + s.offset.y1,
                EdgeOf(outer, s.ex2) + s.offset.x2, EdgeOf(outer, s.ey2) + s.offset.y2);
    strip.NormalizeRect();
    return strip;
}

void Deflate(RECT* rect, int by)
{
    CRect r(rect);
    r.DeflateRect(by, by);
    *rect = r;
}
}

void CBorderOb::Draw(CDC* dc)
{
    int width = 0;
    if (GetRotateAngle() != 0.0 && GetPenWidth(&width) && width != 0 && !(BorderStyle & StyleHidden)) {
        DrawOutline(dc);
        return;
    }
    CRect outer;
    GetRect(&outer, nullptr);
    CRect inner = outer;
    if (!(BorderStyle & StyleHidden)) {
        DrawFrame(dc, &inner, &outer);
        DrawShadow(dc, &outer);
    }
    FillAndOutline(dc, inner);
}

void CBorderOb::FillAndOutline(CDC* dc, const CRect& inner)
{
    COLORREF back, fore;
    GetBackColor(&back);
    GetForeColor(&fore);
    CBrush fill;
    if (HatchStyle == NoHatch)
        fill.CreateSolidBrush(back);
    else
        fill.CreateHatchBrush(HatchStyle, fore);
    BOOL hidden = (BorderStyle & StyleHidden) != 0;
    if (!IsTransparent() && !hidden && fill.GetSafeHandle()) {
        COLORREF oldBack = dc->SetBkColor(back);
        dc->FillRect(&inner, &fill);
        dc->SetBkColor(oldBack);
    }
    int width = 0;
    GetPenWidth(&width);
    if (width == 0 || hidden || BorderStyle != StyleNormal)
        return;
    if (width == 1 && GetHost()->GetZoomPercent() < 100)
        width = 0;
    width = std::min(width, 2 * DrawableWidth(width, inner));
    CPen pen(PS_SOLID, width, fore);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(&inner);
    dc->SelectObject(oldPen);
    if (oldBrush)
        dc->SelectObject(oldBrush->GetSafeHandle());
}

void CBorderOb::DrawFrame(CDC* dc, RECT* inner, const RECT* outer)
{
    COLORREF light = HiliteColor == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : HiliteColor;
    COLORREF fore;
    GetForeColor(&fore);
    BOOL etched = (BorderStyle & Style3D) != 0;
    if (etched && !dc->IsPrinting()) {
        dc->DrawEdge(inner, EDGE_ETCHED, BF_RECT);
        Deflate(inner, 2);
        return;
    }
    if (etched) {
        --inner->right;
        --inner->bottom;
    }
    if (BorderStyle != StyleNormal) {
        CBrush dark(fore);
        for (int i = etched ? 1 : 0; i < DrawableWidth(PenWidth, *outer); ++i) {
            dc->FrameRect(inner, &dark);
            Deflate(inner, 1);
        }
    }
    if (etched) {
        CBrush brush(light);
        *inner = *outer;
        ++inner->left;
        ++inner->top;
        dc->FrameRect(inner, &brush);
        Deflate(inner, 1);
    } else if (BorderStyle & (StyleSunken | StyleRaised)) {
        DrawRaisedOrSunken(dc, inner, outer, light);
    }
}

void CBorderOb::DrawRaisedOrSunken(CDC* dc, RECT* inner, const RECT* outer, COLORREF light)
{
    CPen pen(PS_SOLID, 1, light);
    CPen* oldPen = dc->SelectObject(&pen);
    *inner = *outer;
    for (int i = 0; i < DrawableWidth(PenWidth, *outer); ++i) {
        const RECT& r = *inner;
        if (BorderStyle & StyleSunken) {
            dc->MoveTo(r.left + 1, r.bottom - 1);
            dc->LineTo(r.right - 1, r.bottom - 1);
            dc->LineTo(r.right - 1, r.top);
        } else {
            dc->MoveTo(r.left, r.bottom - 1);
            dc->LineTo(r.left, r.top);
            dc->LineTo(r.right, r.top);
        }
        Deflate(inner, 1);
    }
    dc->SelectObject(oldPen);
}

void CBorderOb::DrawShadow(CDC* dc, const RECT* outer)
{
    int style = 0;
    GetShadowStyle(&style);
    if (style < 1 || style > 4 || GetRotateAngle() != 0.0)
        return;
    CBrush brush(GetSysColor(COLOR_BTNSHADOW));
    for (const StripEdges& strip : shadowPlacements[style - 1].strips) {
        CRect r = StripRect(*outer, strip);
        dc->FillRect(&r, &brush);
    }
}
