#include "objects/kinds/ConnectOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropText.h"
#include "objects/ScriptText.h"
#include "objects/TextThroughMemory.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"

#include <cmath>
#include <vector>

IMPLEMENT_SERIAL(CConnectOb, CConnectL0, 0)

namespace {

constexpr KindChoice alignments[] = {
    {27161, CConnectOb::AlignLeft},
    {27162, CConnectOb::AlignCentre},
    {27163, CConnectOb::AlignRight},
};

UINT AlignmentFormat(int alignment)
{
    switch (alignment) {
    case CConnectOb::AlignLeft:
        return DT_LEFT;
    case CConnectOb::AlignRight:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

} // namespace

void CConnectOb::Serialize(CArchive& archive)
{
    CConnectL0::Serialize(archive);
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        archive << Text << static_cast<DWORD>(Alignment);
        Font.Serialize(archive);
        archive << static_cast<DWORD>(ForeColor);
        return;
    }
    if (!tag.Read())
        return;
    archive >> Text;
    Alignment = ReadInt32(archive);
    Font.Serialize(archive);
    ForeColor = static_cast<COLORREF>(ReadInt32(archive));
}

void CConnectOb::UpdateLayout(int recalc, BOOL hint)
{
    CConnectL0::UpdateLayout(recalc, hint);
    // The label's place is known before it is drawn, so that its area is repainted.
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    LayoutLabel(&measure);
    if (m_textRect2.IsRectEmpty())
        return;
    CRect area = m_textRect2;
    GetHost()->LogicalToDevice(reinterpret_cast<POINT*>(&area.left), 2);
    GetHost()->InvalidateDevice(area, TRUE);
}

CPropOb* CConnectOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    switch (propertyId) {
    case TextId:
        return new CPropStr(propertyId, &Text);
    case AlignmentId:
        return MakeChoiceEditor(propertyId, &Alignment, alignments, 3, withChoices);
    default:
        return CConnectL0::CreateProperty(propertyId, withChoices);
    }
}

void CConnectOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CConnectL0::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {TextId, AlignmentId};
    AppendProperties(this, list, ids, 2, withChoices);
}

void CConnectOb::CopyFrom(const CHyperBaseOb* base)
{
    CConnectL0::CopyFrom(base);
    if (auto* other = dynamic_cast<const CConnectOb*>(base); other && other != this) {
        Text = other->Text;
        Alignment = other->Alignment;
    }
}

int CConnectOb::GetTextAlign() const
{
    return Alignment == AlignLeft ? 0 : Alignment == AlignRight ? 2 : 1;
}

int CConnectOb::GetText(CString& text) const
{
    text = Text;
    return Text.GetLength();
}

// A connector has no fill; only the label's in-place editor asks, and shows the page through.
BOOL CConnectOb::GetBackColor(COLORREF* color) const
{
    CObjectHost* host = GetHost();
    if (!host->IsEditMode() || !host->IsEditingTextOf(this))
        return FALSE;
    *color = static_cast<COLORREF>(-1);
    return TRUE;
}

int CConnectOb::HitTest(CPoint point)
{
    const int hit = CConnectL0::HitTest(point);
    if (hit == -1 && m_textRect1.PtInRect(point))
        return CRectTracker::hitMiddle;
    return hit;
}

void CConnectOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CConnectL0::GetUpdateRect(out, dc);
    if (!m_textRect1.IsRectEmpty())
        out->UnionRect(out, &m_textRect1);
}

CFont* CConnectOb::SelectLabelFont(CDC* dc, CFont* font) const
{
    LOGFONT logFont;
    GetFont(&logFont, TRUE);
    font->CreateFontIndirect(&logFont);
    return dc->SelectObject(font);
}

CPoint CConnectOb::GetLabelCentre() const
{
    const int n = m_outlineCount;
    std::vector<int> lengths(static_cast<size_t>(std::max(n, 1)), 0);
    for (int i = 1; i < n; ++i) {
        const CPoint a = GetPoint(i - 1), b = GetPoint(i);
        lengths[i] = lengths[i - 1] + static_cast<int>(std::hypot(b.x - a.x, b.y - a.y));
    }
    int k = 1;
    while (k < n - 1 && lengths[k] <= lengths[n - 1] / 2.0)
        ++k;
    const CPoint a = GetPoint(k - 1), b = GetPoint(k);
    return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
}

void CConnectOb::LayoutLabel(CDC* dc)
{
    if (IsScriptBlank(Text) || m_outlineCount < 2) {
        m_textRect1.SetRectEmpty();
        m_textRect2.SetRectEmpty();
        return;
    }
    CFont font;
    CFont* oldFont = SelectLabelFont(dc, &font);
    const CSize line = dc->GetTextExtent(Text);
    CRect label;
    GetRect(&label, nullptr);
    dc->DrawText(Text, &label, DT_CALCRECT | AlignmentFormat(Alignment));
    dc->SelectObject(oldFont);
    const CPoint centre = GetLabelCentre();
    label.OffsetRect(centre - label.CenterPoint());
    m_textRect1 = label;
    m_textRect2 = label;
    m_textRect2.InflateRect(30, line.cy);
}

void CConnectOb::Draw(CDC* dc)
{
    CConnectL0::Draw(dc);
    if (m_busy)
        return;
    // Below 100 % the label is measured and drawn at full size, then shrunk onto the page.
    const BOOL shrunk = GetHost()->GetZoomPercent() < 100;
    CDC fullSize;
    if (shrunk)
        fullSize.CreateCompatibleDC(dc);
    LayoutLabel(shrunk ? &fullSize : dc);
    if (m_textRect1.IsRectEmpty())
        return;
    if (shrunk)
        DrawThroughMemory(dc, m_textRect1, [this](CDC* memory) { DrawLabel(memory); });
    else
        DrawLabel(dc);
}

void CConnectOb::DrawLabel(CDC* dc) const
{
    const COLORREF page = GetHost()->GetPageObjectColor();
    CBrush back(page == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : page);
    dc->FillRect(&m_textRect1, &back);
    COLORREF fore = ForeColor;
    GetForeColor(&fore);
    CFont font;
    CFont* oldFont = SelectLabelFont(dc, &font);
    const COLORREF oldColor = dc->SetTextColor(fore);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CRect text = m_textRect1;
    dc->DrawText(Text, &text, DT_WORDBREAK | AlignmentFormat(Alignment));
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
}
