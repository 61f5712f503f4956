// What scripts see of every page object.
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/LayerFmt.h"
#include "objects/ObjectHost.h"
#include "objects/ScriptTag.h"
#include "platform/ole/DispatchMap.h"

#include <algorithm>
#include <cmath>

BEGIN_DISPATCH_MAP(CHyperOb, CHyperBaseOb)
    DISP_FUNCTION_ID(CHyperOb, "OnUpdateResize", 0x501, OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CHyperOb, "OnUpdate", 0x502, OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CHyperOb, "Move", 0x503, Move, VT_EMPTY, VTS_I4 VTS_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Left", 0x504, GetLeft, SetLeft, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Top", 0x505, GetTop, SetTop, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Right", 0x506, GetRight, SetRight, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Bottom", 0x507, GetBottom, SetBottom, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Enable", DISPID_ENABLED, GetEnable, SetEnable, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Visible", 0x508, GetVisible, SetVisible, VT_I4)
    DISP_PROPERTY_ID(CHyperOb, "CursorPointer", 0x509, CursorPointer, VT_I4)
    DISP_PROPERTY_ID(CHyperOb, "HelpContextID", 0x50A, HelpContextID, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "ToolTipText", 0x50B, GetToolTipText, SetToolTipText, VT_BSTR)
    DISP_PROPERTY_EX_ID(CHyperOb, "BackColor", DISPID_BACKCOLOR, GetBackColorValue, SetBackColorValue, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "ForeColor", DISPID_FORECOLOR, GetForeColorValue, SetForeColorValue, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "Font", DISPID_FONT, GetFontText, SetFontText, VT_BSTR)
    DISP_PROPERTY_EX_ID(CHyperOb, "LayerName", 0x50C, GetLayerName, SetNotSupported, VT_BSTR)
    DISP_PROPERTY_EX_ID(CHyperOb, "Tag", 0x50F, GetTag, SetTag, VT_VARIANT)
    DISP_PROPERTY_ID(CHyperOb, "GroupID", 0x51D, GroupID, VT_I4)
    DISP_PROPERTY_ID(CHyperOb, "LayerID", 0x51E, LayerID, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperOb, "RotateAngle", 0x510, GetRotateAngleValue, SetRotateAngleValue, VT_R8)
    DISP_PROPERTY_ID(CHyperOb, "DfltIsLocked", 0x513, DfltIsLocked, VT_BOOL)
    DISP_PROPERTY_ID(CHyperOb, "DfltCanDelete", 0x515, DfltCanDelete, VT_BOOL)
    DISP_PROPERTY_ID(CHyperOb, "DfltCanResize", 0x516, DfltCanResize, VT_BOOL)
    DISP_PROPERTY_ID(CHyperOb, "DfltCanRot", 0x518, DfltCanRot, VT_BOOL)
    DISP_PROPERTY_ID(CHyperOb, "DfltCanInlineEditText", 0x519, DfltCanInlineEditText, VT_BOOL)
    DISP_PROPERTY_ID(CHyperOb, "DfltCanEditPoints", 0x51A, DfltCanEditPoints, VT_BOOL)
END_DISPATCH_MAP()

namespace {
// Coordinates are stored in 16 bits.
constexpr long MinCoordinate = -32768;
constexpr long MaxCoordinate = 32767;

LONG ClampCoordinate(long value)
{
    return static_cast<LONG>(std::clamp(value, MinCoordinate, MaxCoordinate));
}

// The largest part of the offset that keeps both edges within the stored range.
long ClampOffset(long delta, LONG low, LONG high)
{
    return std::clamp(delta, MinCoordinate - low, MaxCoordinate - high);
}

CString LiteralOf(long value)
{
    CString text;
    text.Format("%ld", value);
    return text;
}
}

void CHyperOb::Move(long dx, long dy)
{
    CRect rect;
    GetRect(&rect, nullptr);
    rect.OffsetRect(static_cast<int>(ClampOffset(dx, std::min(rect.left, rect.right), std::max(rect.left, rect.right))),
        static_cast<int>(ClampOffset(dy, std::min(rect.top, rect.bottom), std::max(rect.top, rect.bottom))));
    SetRect(rect);
    NotifyDispChanged();
}

void CHyperOb::SetSide(LONG RECT::*side, long value)
{
    Rect().*side = ClampCoordinate(value);
    CRect rect;
    GetRect(&rect, nullptr);
    SetRect(rect);
    NotifyDispChanged();
}

long CHyperOb::GetLeft() const
{
    CRect rect;
    return GetRect(&rect, nullptr)->left;
}

long CHyperOb::GetTop() const
{
    CRect rect;
    return GetRect(&rect, nullptr)->top;
}

long CHyperOb::GetRight() const
{
    CRect rect;
    return GetRect(&rect, nullptr)->right;
}

long CHyperOb::GetBottom() const
{
    CRect rect;
    return GetRect(&rect, nullptr)->bottom;
}

void CHyperOb::SetLeft(long value)
{
    SetSide(&RECT::left, value);
}

void CHyperOb::SetTop(long value)
{
    SetSide(&RECT::top, value);
}

void CHyperOb::SetRight(long value)
{
    SetSide(&RECT::right, value);
}

void CHyperOb::SetBottom(long value)
{
    SetSide(&RECT::bottom, value);
}

// The field is compared with its own integer, so a hidden object can still be switched; the
// notification follows only a change of what shows.
void CHyperOb::SetEnable(long value)
{
    if (value == Enable.GetLong())
        return;
    BOOL was = IsEnabled();
    Enable.Set(CObValue::KindLiteral, LiteralOf(value));
    if (IsEnabled() != was)
        NotifyDispChanged();
}

void CHyperOb::SetVisible(long value)
{
    if (value == Visible.GetLong())
        return;
    BOOL was = IsVisible();
    Visible.Set(CObValue::KindLiteral, LiteralOf(value));
    if (IsVisible() != was)
        NotifyDispChanged();
}

void CHyperOb::SetBackColorValue(long color)
{
    BackColor = static_cast<COLORREF>(color);
    NotifyDispChanged();
}

void CHyperOb::SetForeColorValue(long color)
{
    ForeColor = static_cast<COLORREF>(color);
    NotifyDispChanged();
}

void CHyperOb::SetFontText(LPCTSTR text)
{
    Font.FromString(text);
    NotifyDispChanged();
}

CString CHyperOb::GetLayerName() const
{
    const CLayerFmt* layers = GetHost()->GetLayerList();
    int index = layers ? layers->FindLayerIndex(LayerID) : -1;
    return index >= 0 ? layers->GetLayerItem(index)->m_name : CString();
}

VARIANT CHyperOb::GetTag() const
{
    return ReadScriptTag(Rare().tagValue, GetTagText());
}

void CHyperOb::SetTag(const VARIANT& value)
{
    CString text = GetTagText();
    WriteScriptTag(EditRare().tagValue, text, value);
    SetTagText(text);
}

void CHyperOb::SetRotateAngleValue(double angle)
{
    if (!std::isfinite(angle))
        return;
    SetRotateAngle(angle);
    NotifyDispChanged();
}
