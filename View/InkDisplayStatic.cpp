#include "View/InkDisplayStatic.h"

#include "platform/gdi/Dc.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRenderer.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CInkDisplayStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CInkDisplayStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawInkToFit(dc, client, m_ink.get());
}

void DrawInkToFit(CDC& dc, const RECT& client, InkDisp* ink)
{
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    if (!ink || !ink->StrokeCount())
        return;
    const InkStrokes strokes = ink->Strokes();
    const RECT box = strokes.GetBoundingBox();
    InkRenderer renderer;
    RECT area = client;
    renderer.PixelToInkSpace(dc.GetSafeHdc(), area);
    renderer.Move(-box.left, -box.top);
    double factor = 1.0;
    const double boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
    if (boxWidth > area.right - area.left)
        factor = (area.right - area.left) / boxWidth;
    if (boxHeight > area.bottom - area.top)
        factor = std::min(factor, (area.bottom - area.top) / boxHeight);
    renderer.ScaleTransform(factor, factor, true);
    renderer.Move(area.left, area.top);
    renderer.Draw(dc, strokes);
}
