#include "shell/ControlButtons.h"

#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/toolkit/XTPPaintManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CControlButtonLine, CXTPControlButton)
IMPLEMENT_DYNCREATE(CControlButtonStyle, CXTPControlButton)
IMPLEMENT_DYNCREATE(CControlButtonArrow, CXTPControlButton)
IMPLEMENT_DYNCREATE(CControlButtonPen, CXTPControlButton)

namespace {

constexpr int kArrowStart = 27187, kArrowEnd = 27188, kArrowBoth = 27189;

COLORREF InkOf(const CXTPControl* control)
{
    return ::GetSysColor(control->GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

void DrawFace(CDC* dc, CXTPControl* control)
{
    CString caption = control->GetCaption();
    control->SetCaption("");
    XTPPaintManager()->DrawButton(dc, control);
    control->SetCaption(caption);
}

void DrawCentredCaption(CDC* dc, CXTPControl* control)
{
    CRect rect = control->GetRect();
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(InkOf(control));
    dc->DrawText(control->GetCaption(), &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

// Dash patterns of the style ids, as lengths of ink and gap in turn.
struct DashPattern {
    int style;
    int lengths[8];
    int count;
};
constexpr DashPattern kDashes[] = {
    {27170, {10, 3}, 2},
    {27171, {3, 3}, 2},
    {27172, {10, 3, 3, 3}, 4},
    {27173, {10, 3, 3, 3, 3, 3}, 6},
};

void FillTriangle(CDC* dc, POINT tip, int direction, COLORREF colour)
{
    const POINT points[3] = {tip, {tip.x + direction * 7, tip.y - 4}, {tip.x + direction * 7, tip.y + 4}};
    CBrush brush;
    brush.CreateSolidBrush(colour);
    CBrush* old = dc->SelectObject(&brush);
    dc->Polygon(points, 3);
    dc->SelectObject(old);
}

} // namespace

CSize CControlButtonLine::GetSize(CDC* dc) { return CSize(160, std::max<int>(dc->GetTextExtent(" ", 1).cy, 16)); }

void CControlButtonLine::Draw(CDC* dc)
{
    DrawFace(dc, this);
    if (m_width <= 0) {
        DrawCentredCaption(dc, this);
        return;
    }
    CRect rect = GetRect();
    rect.DeflateRect(2, 2);
    CString text;
    text.Format("%2.2f", m_width);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(InkOf(this));
    dc->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER);
    const int thickness = static_cast<int>(m_width);
    const int left = rect.left + dc->GetTextExtent(text).cx + 6, top = GetRect().CenterPoint().y - thickness / 2;
    dc->FillSolidRect(CRect(left, top, GetRect().right - 3, top + thickness), InkOf(this));
}

void CControlButtonLine::Copy(const CXTPControl* source)
{
    CXTPControlButton::Copy(source);
    if (const auto* line = dynamic_cast<const CControlButtonLine*>(source))
        m_width = line->m_width;
}

void CControlButtonStyle::Draw(CDC* dc)
{
    DrawFace(dc, this);
    const CRect rect = GetRect();
    const int top = rect.CenterPoint().y - 1, right = rect.right - 3;
    const DashPattern* pattern = nullptr;
    for (const DashPattern& row : kDashes)
        if (row.style == m_style)
            pattern = &row;
    for (int x = rect.left + 3, i = 0; x < right; ++i) {
        const int length = pattern ? pattern->lengths[i % pattern->count] : 5;
        if (!pattern || i % 2 == 0)
            dc->FillSolidRect(CRect(x, top, std::min(x + length, right), top + 3), InkOf(this));
        x += length;
    }
}

void CControlButtonStyle::Copy(const CXTPControl* source)
{
    CXTPControlButton::Copy(source);
    if (const auto* style = dynamic_cast<const CControlButtonStyle*>(source))
        m_style = style->m_style;
}

CSize CControlButtonArrow::GetSize(CDC* dc)
{
    return CSize(120, m_arrow ? 18 : CXTPControlButton::GetSize(dc).cy);
}

void CControlButtonArrow::Draw(CDC* dc)
{
    DrawFace(dc, this);
    if (!m_arrow) {
        DrawCentredCaption(dc, this);
        return;
    }
    const CRect rect = GetRect();
    const int y = rect.CenterPoint().y, left = rect.left + 4, right = rect.right - 4;
    dc->FillSolidRect(CRect(left, y, right, y + 1), InkOf(this));
    if (m_arrow == kArrowStart || m_arrow == kArrowBoth)
        FillTriangle(dc, {left, y}, 1, InkOf(this));
    if (m_arrow == kArrowEnd || m_arrow == kArrowBoth)
        FillTriangle(dc, {right, y}, -1, InkOf(this));
}

void CControlButtonArrow::Copy(const CXTPControl* source)
{
    CXTPControlButton::Copy(source);
    if (const auto* arrow = dynamic_cast<const CControlButtonArrow*>(source))
        m_arrow = arrow->m_arrow;
}

namespace {

template <typename Button>
Button* createControl(UINT id, DWORD_PTR parameter)
{
    auto* button = new Button;
    button->SetID(id);
    button->SetParameter(parameter);
    return button;
}

// A 32-bit value after the button's own record; read whole before it changes the value.
void serializeValue(CArchive& ar, int& value)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(value);
        return;
    }
    LONG read = 0;
    ar >> read;
    value = read;
}

} // namespace

CControlButtonLine* CControlButtonLine::CreateControl(UINT id, DWORD_PTR parameter)
{
    return createControl<CControlButtonLine>(id, parameter);
}

void CControlButtonLine::Serialize(CArchive& ar)
{
    CXTPControlButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_width;
        return;
    }
    double width = 0;
    ar >> width;
    m_width = width;
}

CControlButtonStyle* CControlButtonStyle::CreateControl(UINT id, DWORD_PTR parameter)
{
    return createControl<CControlButtonStyle>(id, parameter);
}

void CControlButtonStyle::Serialize(CArchive& ar)
{
    CXTPControlButton::Serialize(ar);
    serializeValue(ar, m_style);
}

CControlButtonArrow* CControlButtonArrow::CreateControl(UINT id, DWORD_PTR parameter)
{
    return createControl<CControlButtonArrow>(id, parameter);
}

void CControlButtonArrow::Serialize(CArchive& ar)
{
    CXTPControlButton::Serialize(ar);
    serializeValue(ar, m_arrow);
}

CControlButtonPen* CControlButtonPen::CreateControl(UINT id, DWORD_PTR parameter)
{
    return createControl<CControlButtonPen>(id, parameter);
}

void CControlButtonPen::SetValues(const LONG (&values)[kValueCount])
{
    std::copy(std::begin(values), std::end(values), m_values);
}

CSize CControlButtonPen::GetSize(CDC* dc)
{
    const CSize text = dc->GetTextExtent(m_name);
    return CSize(std::max<int>(text.cx, 120), text.cy);
}

void CControlButtonPen::Draw(CDC* dc)
{
    XTPPaintManager()->FillControlBackground(dc, this);
    CFont* old = dc->SelectObject(XTPPaintManager()->GetFont());
    CRect rect = GetRect();
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(InkOf(this));
    dc->DrawText(m_name, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(old);
}

void CControlButtonPen::Copy(const CXTPControl* source)
{
    CXTPControlButton::Copy(source);
    if (const auto* pen = dynamic_cast<const CControlButtonPen*>(source)) {
        SetValues(pen->m_values);
        m_flag = pen->m_flag;
        m_name = pen->m_name;
    }
}

void CControlButtonPen::Serialize(CArchive& ar)
{
    CXTPControlButton::Serialize(ar);
    if (ar.IsStoring()) {
        for (LONG value : m_values)
            ar << value;
        ar << static_cast<LONG>(m_flag);
        ar << m_name;
        return;
    }
    // Read whole before anything changes: a short record leaves the pen as it was.
    LONG values[kValueCount] = {};
    for (LONG& value : values)
        ar >> value;
    LONG flag = 0;
    CString name;
    ar >> flag >> name;
    SetValues(values);
    m_flag = flag != 0;
    m_name = name;
}
