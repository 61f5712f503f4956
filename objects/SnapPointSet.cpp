#include "objects/SnapPointSet.h"

#include "objects/ConnectorEnds.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"
#include "objects/TextThroughMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Resources.h"

#include <climits>
#include <optional>

namespace {
void DrawTextThroughMemory(CDC* dc, const CRect& rect, const CString& text)
{
    DrawThroughMemory(dc, rect, [&](CDC* memory) {
        memory->SelectObject(dc->GetCurrentFont());
        memory->SetBkColor(dc->GetBkColor());
        memory->SetTextColor(dc->GetTextColor());
        CRect local = rect;
        memory->DrawText(text, &local, DT_CENTER);
    });
}

// Draws 5 x 5 squares on points, filled with the window colour and outlined in the point's
// colour (blue for automatic). A page of boxes has thousands of them, so the pen is made
// again only when the colour changes, and the dc gets its own pen and brush back at the end.
class IndicatorPainter {
public:
    explicit IndicatorPainter(CDC* dc) : m_dc(dc) { }
    ~IndicatorPainter()
    {
        if (m_pen) {
            m_dc->SelectObject(m_oldBrush);
            m_dc->SelectObject(m_oldPen);
        }
    }
    IndicatorPainter(const IndicatorPainter&) = delete;
    IndicatorPainter& operator=(const IndicatorPainter&) = delete;

    void Draw(POINT point, COLORREF color)
    {
        if (color == static_cast<COLORREF>(-1))
            color = RGB(0, 0, 255);
        if (!m_pen) {
            m_pen.emplace(PS_SOLID, 0, color);
            m_brush.CreateSolidBrush(GetSysColor(COLOR_WINDOW));
            m_oldPen = m_dc->SelectObject(&*m_pen);
            m_oldBrush = m_dc->SelectObject(&m_brush);
        } else if (color != m_color) {
            CPen previous;
            previous.Attach(m_pen->Detach());
            m_pen.emplace(PS_SOLID, 0, color);
            m_dc->SelectObject(&*m_pen);
        }
        m_color = color;
        m_dc->Rectangle(point.x - 2, point.y - 2, point.x + 3, point.y + 3);
    }

private:
    CDC* m_dc;
    std::optional<CPen> m_pen;
    COLORREF m_color = 0;
    CBrush m_brush;
    CPen* m_oldPen = nullptr;
    CBrush* m_oldBrush = nullptr;
};
}

void CSnapPointSet::SetPositionMask(UINT mask)
{
    CAnchorFmt& list = GetList();
    list.DeleteAllPoints();
    for (int position = 0; position <= 8; ++position) {
        if (!(mask & (1u << position)))
            continue;
        auto* item = static_cast<CAnchorItem*>(list.CreateItem());
        item->m_position = position;
        item->m_id = list.m_nextId++;
        list.AddItem(item);
    }
}

BOOL CSnapPointSet::HasConnections() const
{
    const CAnchorFmt& list = GetList();
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        if (list.GetAnchor(i)->m_connectionsIn != 0 || list.GetAnchor(i)->m_connectionsOut != 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CSnapPointSet::GetPointPosition(POINT* point, int* idOrIndex, COLORREF* color, BOOL byIndex) const
{
    const CAnchorFmt& list = GetList();
    int id = *idOrIndex;
    if (byIndex)
        id = id >= 0 && id < list.GetSize() ? list.GetAnchor(id)->m_id : -1;
    if (!m_owner) {
        *idOrIndex = -1;
        return FALSE;
    }
    CRect rect;
    m_owner->GetDisplayRect(&rect, FALSE);
    POINT center = {0, 0};
    double angle = 0;
    CGroupInfo* group = m_owner->GetOwnGroupInfo();
    if (m_owner->GetRotateAngle() != 0 && !(group && group->m_hasSnapPoints)) {
        rect = m_owner->GetFrameRect();
        m_owner->GetCenter(&center);
        angle = m_owner->GetRotateAngle();
    }
    POINT place;
    if (!GetSnapPointPosition(list, rect, center, angle, &place, color, id)) {
        *idOrIndex = -1;
        return FALSE;
    }
    if (place.x == point->x && place.y == point->y)
        return FALSE;
    *point = place;
    return TRUE;
}

int CSnapPointSet::DetachConnectors()
{
    CObjectHost* host = m_owner ? GetObjectHost(m_owner->GetView()) : nullptr;
    if (!host || m_owner->Code.IsEmpty())
        return 0;
    int cleared = 0;
    int attachedIndex = 0;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* connector = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CConnectorEnds* ends = connector ? connector->GetEndPoints() : nullptr;
        if (!ends || (ends->m_ends[0].code.IsEmpty() && ends->m_ends[1].code.IsEmpty()))
            continue;
        for (CConnectorEnds::End& end : ends->m_ends) {
            if (end.code != m_owner->Code)
                continue;
            CHyperBaseOb* named = host->FindObject(end.code, nullptr);
            end.code.Empty();
            end.snapId = -1;
            ++cleared;
            host->OnConnectorEndDetached(connector, attachedIndex, named);
            connector->NotifyEndsChanged();
        }
        ++attachedIndex;
    }
    return cleared;
}

BOOL CSnapPointSet::GetIndexedPoint(INT_PTR index, POINT* point, COLORREF* color) const
{
    *point = { INT_MIN, INT_MIN };
    *color = static_cast<COLORREF>(-1);
    int number = static_cast<int>(index);
    return GetPointPosition(point, &number, color, TRUE);
}

void CSnapPointSet::DrawSnapIndicators(CDC* dc, BOOL show)
{
    CObjectHost* host = m_owner ? GetObjectHost(m_owner->GetView()) : nullptr;
    if (!host || !host->IsEditMode() || !show || dc->IsPrinting())
        return;
    CBitmap indicator;
    BITMAP size {};
    if (m_drawsBitmaps && indicator.Attach(LoadBitmapResource(IndicatorBitmapId)))
        indicator.GetObject(sizeof(size), &size);
    CDC source;
    CBitmap* old = nullptr;
    if (indicator.GetSafeHandle()) {
        source.CreateCompatibleDC(dc);
        old = source.SelectObject(&indicator);
        dc->SetStretchBltMode(COLORONCOLOR);
    }
    IndicatorPainter squares(dc);
    for (INT_PTR i = 0; i < GetCount(); ++i) {
        POINT point;
        COLORREF color;
        if (!GetIndexedPoint(i, &point, &color))
            continue;
        if (old)
            dc->StretchBlt(point.x - size.bmWidth / 2, point.y - size.bmHeight / 2, size.bmWidth, size.bmHeight,
                &source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        else
            squares.Draw(point, color);
    }
    if (old)
        source.SelectObject(old);
}

void CExtSnapPointSet::DrawSnapIndicators(CDC* dc, BOOL show)
{
    CHyperOb* owner = GetOwner();
    if (!owner || !show)
        return;
    CObjectHost* host = GetObjectHost(owner->GetView());
    BOOL showSquares = !dc->IsPrinting() && host && host->IsEditMode() && host->ShowsSnapPoints();
    IndicatorPainter squares(dc);
    for (INT_PTR i = 0; i < GetCount(); ++i) {
        POINT point;
        COLORREF color;
        if (!GetIndexedPoint(i, &point, &color))
            continue;
        const CString& text = static_cast<const CAnchorItemEx*>(GetList().GetAnchor(i))->m_text;
        if (!text.IsEmpty())
            DrawPointText(dc, point, text, color);
        else if (showSquares)
            squares.Draw(point, color);
    }
}

void CExtSnapPointSet::AddDrawnBounds(CRect* area) const
{
    if (!GetOwner())
        return;
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    CFont font;
    CreateOwnerFont(font);
    CFont* oldFont = measure.SelectObject(&font);
    for (INT_PTR i = 0; i < GetCount(); ++i) {
        POINT point;
        COLORREF color;
        const CString& text = static_cast<const CAnchorItemEx*>(GetList().GetAnchor(i))->m_text;
        if (text.IsEmpty() || !GetIndexedPoint(i, &point, &color))
            continue;
        CRect rect = TextRect(&measure, point, text);
        // Glyphs may reach a pixel past their cell.
        rect.InflateRect(1, 1);
        area->UnionRect(area, &rect);
    }
    measure.SelectObject(oldFont);
}

void CExtSnapPointSet::CreateOwnerFont(CFont& font) const
{
    CHyperOb* owner = GetOwner();
    LOGFONT logFont = owner->Font.GetLogFont();
    owner->GetEffectiveFont(&logFont);
    font.CreateFontIndirect(&logFont);
}

CRect CExtSnapPointSet::TextRect(CDC* dc, POINT point, const CString& text)
{
    const CSize extent = dc->GetTextExtent(text);
    const int left = point.x - extent.cx / 2, top = point.y - extent.cy / 2;
    return CRect(left, top, left + extent.cx, top + extent.cy);
}

void CExtSnapPointSet::DrawPointText(CDC* dc, POINT point, const CString& text, COLORREF color) const
{
    CHyperOb* owner = GetOwner();
    CFont font;
    CreateOwnerFont(font);
    CFont* oldFont = dc->SelectObject(&font);
    CRect rect = TextRect(dc, point, text);
    COLORREF back, fore;
    owner->GetBackColor(&back);
    owner->GetForeColor(&fore);
    COLORREF oldBack = dc->SetBkColor(back);
    COLORREF oldText = dc->SetTextColor(color == static_cast<COLORREF>(-1) ? fore : color);
    CObjectHost* host = GetObjectHost(owner->GetView());
    if (host && host->GetZoomPercent() < 100)
        DrawTextThroughMemory(dc, rect, text);
    else
        dc->DrawText(text, &rect, DT_CENTER);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    dc->SelectObject(oldFont);
}

BOOL CSnapPointSet::RefreshConnectorEnds(const CObArray* connectors)
{
    if (!m_owner || !HasConnections())
        return FALSE;
    CObArray all;
    if (!connectors) {
        CObjectHost* host = GetObjectHost(m_owner->GetView());
        for (int i = 0; host && i < host->GetObjectCount(); ++i)
            all.Add(host->GetObjectAt(i));
        connectors = &all;
    }
    BOOL moved = FALSE;
    for (INT_PTR i = 0; i < connectors->GetSize(); ++i) {
        auto* connector = dynamic_cast<CHyperOb*>(connectors->GetAt(i));
        CConnectorEnds* ends = connector ? connector->GetEndPoints() : nullptr;
        if (ends && ends->FollowObject(m_owner->Code, this))
            moved = TRUE;
    }
    return moved;
}
