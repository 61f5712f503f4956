// The stroke object's ink: taking strokes, the group they carry, filtering and copying.
#include "objects/kinds/StrokeOb.h"

#include "objects/ObjectHost.h"
#include "platform/ink/InkDataObject.h"
#include "platform/ole/OleDataSource.h"

#include <algorithm>

IMPLEMENT_SERIAL(CStrokeOb, CHyperOb, 0)

CStrokeOb::CStrokeOb() = default;

void CStrokeOb::SetView(CHyperRunView* view)
{
    if (m_penSizeZoom == 100 && view)
        m_penSizeZoom = GetObjectHost(view)->GetZoomPercent();
    CHyperOb::SetView(view);
}

CHyperOb* CStrokeOb::Clone() const
{
    auto* copy = new CStrokeOb;
    copy->CopyFrom(this);
    copy->m_penSizeZoom = m_penSizeZoom;
    if (m_ink)
        copy->SetInkFiltered(*m_ink, nullptr);
    return copy;
}

BOOL CStrokeOb::FitRectToInk()
{
    RECT box = m_ink ? m_ink->GetBoundingBox() : RECT{0, 0, 0, 0};
    m_renderer.InkSpaceToPixel(nullptr, box);
    GetHost()->DeviceToLogicalPoints(reinterpret_cast<POINT*>(&box), 2);
    box.right = std::max(box.right, box.left + 2);
    box.bottom = std::max(box.bottom, box.top + 2);
    SetRect(CRect(box));
    return TRUE;
}

BOOL CStrokeOb::TakeStroke(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    std::shared_ptr<InkDisp> ink = stroke ? stroke->Ink() : nullptr;
    if (!ink)
        return FALSE;
    InkStrokes one(ink);
    one.Add(stroke);
    return TakeStrokes(one);
}

// The group that most strokes name wins; on equal counts the smaller value.
BOOL CStrokeOb::TakeStrokes(const InkStrokes& strokes)
{
    m_ink = InkDisp::Create();
    m_ink->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
    std::map<int32_t, int> counts;
    for (const auto& stroke : strokes.All())
        if (const auto* value = std::get_if<int32_t>(stroke->ExtendedProperties().Item(GroupProperty)))
            ++counts[*value];
    GroupID = -1;
    int best = 0;
    for (const auto& [value, count] : counts)
        if (count > best) {
            GroupID = value;
            best = count;
        }
    const InkStrokes copies = m_ink->Strokes();
    for (const auto& stroke : copies.All())
        if (stroke->ExtendedProperties().DoesPropertyExist(GroupProperty))
            stroke->ExtendedProperties().Add(GroupProperty, int32_t(GroupID));
    for (const auto& stroke : strokes.All())
        if (stroke->ExtendedProperties().DoesPropertyExist(GroupProperty))
            stroke->ExtendedProperties().Add(GroupProperty, int32_t(GroupID));
    if (m_view)
        m_penSizeZoom = GetHost()->GetZoomPercent();
    RememberPenSizes();
    return FitRectToInk();
}

BOOL CStrokeOb::SetInkStroke(const std::shared_ptr<InkDisp>& ink, const std::shared_ptr<InkStrokeDisp>& stroke)
{
    if (!ink || !stroke)
        return FALSE;
    InkStrokes one(ink);
    one.Add(stroke);
    return SetInkStrokes(ink, &one);
}

BOOL CStrokeOb::SetInkStrokes(const std::shared_ptr<InkDisp>& ink, const InkStrokes* strokes)
{
    if (!ink || !strokes)
        return FALSE;
    m_ink = ink->Clone();
    m_ink->DeleteStrokes();
    m_ink->AddStrokesAtRectangle(*strokes, strokes->GetBoundingBox());
    RememberPenSizes();
    return FitRectToInk();
}

BOOL CStrokeOb::SetInkFiltered(const InkDisp& ink, const std::vector<std::string>* tags)
{
    m_ink = ink.Clone();
    const InkStrokes strokes = m_ink->Strokes();
    if (tags && !tags->empty())
        for (const auto& stroke : strokes.All()) {
            const auto* tag = std::get_if<std::string>(stroke->ExtendedProperties().Item(TagProperty));
            if (!tag || std::find(tags->begin(), tags->end(), *tag) == tags->end())
                m_ink->DeleteStroke(stroke);
        }
    RememberPenSizes();
    return FitRectToInk();
}

BOOL CStrokeOb::ResetInk()
{
    m_ink = InkDisp::Create();
    m_basePenSizes.clear();
    return TRUE;
}

void CStrokeOb::CopyStrokesTo(CStrokeOb& other) const
{
    if (!m_ink)
        return;
    if (!other.m_ink)
        other.ResetInk();
    InkStrokes strokes = m_ink->Strokes();
    other.m_ink->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
    other.RememberPenSizes();
}

// The formats are taken in the order the ink offers them, up to the first it cannot give.
void CStrokeOb::CopyToDataSource(COleDataSource* source) const
{
    std::unique_ptr<InkDataObject> data = m_ink && source ? m_ink->ClipboardCopy() : nullptr;
    if (!data)
        return;
    for (FORMATETC format : data->EnumFormatEtc()) {
        STGMEDIUM medium{};
        if (!data->GetData(format, medium))
            return;
        source->CacheData(format.cfFormat, &medium, &format);
    }
}

void CStrokeOb::RememberPenSizes()
{
    m_basePenSizes.clear();
    m_baseZoom = m_penSizeZoom;
    if (!m_ink)
        return;
    const InkStrokes strokes = m_ink->Strokes();
    for (const auto& stroke : strokes.All())
        m_basePenSizes[stroke->ID()] = {stroke->DrawingAttributes().Width, stroke->DrawingAttributes().Height};
}

// Sizes come from those at take or load time, so zooming away and back gives them again.
void CStrokeOb::ApplyPenSizeZoom(int zoom)
{
    if (zoom == m_penSizeZoom || !m_ink || m_baseZoom <= 0)
        return;
    const InkStrokes strokes = m_ink->Strokes();
    for (const auto& stroke : strokes.All()) {
        auto base = m_basePenSizes.find(stroke->ID());
        if (base == m_basePenSizes.end())
            continue;
        InkDrawingAttributes attributes = stroke->DrawingAttributes();
        attributes.Width = float(int(base->second.first * float(zoom) / float(m_baseZoom)));
        attributes.Height = float(int(base->second.second * float(zoom) / float(m_baseZoom)));
        stroke->SetDrawingAttributes(attributes);
    }
    m_penSizeZoom = zoom;
}
