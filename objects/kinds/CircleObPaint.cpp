// Drawing and hit testing of the ellipse.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/kinds/CircleOb.h"
#include "objects/kinds/KindPen.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

namespace {
// Where the shadow falls, by shadow style 1 to 4; every other style falls below right.
constexpr int S = CCircleOb::ShadowOffset;
constexpr POINT shadowOffsets[] = {{-S, -S}, {S, -S}, {-S, S}, {S, S}};
}

int CCircleOb::HitTest(CPoint point)
{
    int hit = CHyperDrawOb::HitTest(point);
    if (hit != CRectTracker::hitMiddle || IsRotated())
        return hit;
    CRect rect;
    CRgn curve;
    curve.CreateEllipticRgnIndirect(GetRect(&rect, nullptr));
    return curve.PtInRegion(point) ? hit : CRectTracker::hitNothing;
}

void CCircleOb::Draw(CDC* dc)
{
    if (IsRotated()) {
        DrawOutline(dc);
        DrawAlarmBitmap(dc);
        return;
    }
    CRect r;
    GetRect(&r, nullptr);
    DrawShadow(dc, r);
    COLORREF back, fore;
    GetBackColor(&back);
    GetForeColor(&fore);
    KindPen pen(dc, PenWidth, PenStyle, fore, GetHost()->GetZoomPercent());
    CBrush brush;
    if (HatchStyle == NoHatch)
        brush.CreateSolidBrush(back);
    else
        brush.CreateHatchBrush(HatchStyle, fore);
    CBrush* oldBrush = dc->SelectObject(&brush);
    if (IsTransparent()) {
        int oldMode = dc->SetBkMode(TRANSPARENT);
        POINT side {r.left, (r.top + r.bottom + 1) / 2};
        dc->Arc(&r, side, side);
        dc->SetBkMode(oldMode);
    } else {
        COLORREF oldBack = dc->SetBkColor(back);
        dc->Ellipse(&r);
        dc->SetBkColor(oldBack);
    }
    dc->SelectObject(oldBrush);
    DrawAlarmBitmap(dc);
}

void CCircleOb::DrawShadow(CDC* dc, const CRect& r)
{
    int style = 0;
    if (!GetShadowStyle(&style) || style == 0)
        return;
    POINT offset = style >= 1 && style <= 4 ? shadowOffsets[style - 1] : shadowOffsets[3];
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    CBrush brush(shadow);
    CPen pen(PS_SOLID, 1, shadow);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    CRect shifted = r;
    shifted.OffsetRect(offset.x, offset.y);
    dc->Ellipse(&shifted);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}
