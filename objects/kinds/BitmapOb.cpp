#include "objects/kinds/BitmapOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropListValue.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/PropBitmap.h"
#include "platform/ole/DispatchMap.h"

IMPLEMENT_SERIAL(CBitmapOb, CHyperDrawOb, 0)

BEGIN_DISPATCH_MAP(CBitmapOb, CHyperDrawOb)
    DISP_PROPERTY_NOTIFY_ID(CBitmapOb, "Layout", 1329, Layout, OnUpdate, VT_I4)
    DISP_PROPERTY_EX_ID(CBitmapOb, "Bitmap", 1330, GetBitmap, SetBitmap, VT_BSTR)
    DISP_PROPERTY_EX_ID(CBitmapOb, "TransparentColor", 1332, GetTransparentColor, SetTransparentColor, VT_I4)
END_DISPATCH_MAP()

namespace {
constexpr KindTextChoice layouts[] = {
    {"0 - <Center>", CBitmapOb::LayoutCenter},
    {"1 - <Left>", CBitmapOb::LayoutLeft},
    {"2 - <Right>", CBitmapOb::LayoutRight},
    {"3 - <Stretch>", CBitmapOb::LayoutStretch},
    {"4 - <Size To Fit>", CBitmapOb::LayoutSizeToFit},
};
constexpr UINT BitmapButtonId = 26655;
constexpr UINT AnchorsButtonId = 27440;
constexpr UINT AnchorKind = 12;
}

CBitmapOb::CBitmapOb()
    : m_snapPoints(this)
{
}

CPropOb* CBitmapOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperDrawOb::CreateProperty(propertyId, withChoices))
        return editor;
    switch (propertyId) {
    case BitmapId: {
        auto* editor = new CPropBitmap(propertyId, &m_picture);
        editor->m_captionId = BitmapButtonId;
        editor->m_replaced = [this] { m_jpeg.reset(); };
        return editor;
    }
    case LayoutId:
        return MakeChoiceEditor(propertyId, &Layout, layouts, 5, withChoices);
    case AnchorSnapsId: {
        CAnchorFmt* list = GetSnapPointList(TRUE);
        if (!list)
            return nullptr;
        auto* editor = new CPropAnchor(propertyId, list);
        editor->m_captionId = AnchorsButtonId;
        editor->m_controlId = CPropOb::ButtonControl;
        editor->m_kind = AnchorKind;
        return editor;
    }
    default:
        return nullptr;
    }
}

void CBitmapOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperDrawOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {BitmapId, LayoutId};
    AppendProperties(this, list, ids, 2, withChoices);
}

void CBitmapOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperDrawOb::CopyFrom(base);
    auto* other = dynamic_cast<const CBitmapOb*>(base);
    if (!other || other == this)
        return;
    m_picture.CopyFrom(other->m_picture);
    Layout = other->Layout;
    m_jpeg.reset();
}

void CBitmapOb::ApplyDefaults()
{
    if (CSnapPointSet* set = GetSnapPoints(FALSE))
        set->SetPositionMask(0xF0);
    CHyperDrawOb::ApplyDefaults();
}

CSnapPointSet* CBitmapOb::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, &m_snapPoints);
}

void CBitmapOb::SetPicture(CObject* picture)
{
    auto* dib = dynamic_cast<CExtDib*>(picture);
    if (!dib)
        return;
    m_picture.CopyFrom(*dib);
    m_jpeg.reset();
}

BOOL CBitmapOb::OnInsert()
{
    CExtDib edited;
    edited.CopyFrom(m_picture);
    if (GetHost()->EditPicture(&edited))
        SetPicture(&edited);
    if (m_picture.m_kind == CExtDib::InPlace || m_picture.m_kind == CExtDib::Embedded)
        MakeJpegCopy();
    return TRUE;
}

CString CBitmapOb::GetBitmap() const
{
    return m_picture.m_kind == CExtDib::Linked ? m_picture.m_name : CString();
}

void CBitmapOb::SetBitmap(LPCTSTR name)
{
    CString text(name ? name : "");
    m_jpeg.reset();
    if (text.IsEmpty()) {
        m_picture.m_kind = CExtDib::None;
        m_picture.m_name.Empty();
    } else {
        m_cache.Release();
        m_picture.Load(text, CExtDib::Linked, FALSE);
    }
    OnUpdate();
}

void CBitmapOb::SetTransparentColor(long colour)
{
    m_picture.m_colour = static_cast<COLORREF>(colour);
    OnUpdate();
}

void CBitmapOb::UpdateLayout(int recalc, BOOL hint)
{
    // Remembered first: a size-to-fit object lays itself out again from inside the preparation.
    const BOOL changed = m_picture.IsDifferent(m_lastDrawn);
    m_lastDrawn.CopyFrom(m_picture);
    PrepareBitmapCache(changed);
    CHyperDrawOb::UpdateLayout(recalc, hint);
}

void CBitmapOb::PrepareBitmapCache(BOOL force)
{
    if (force || !m_cache.IsBuilt())
        m_cache.Build(m_picture, nullptr, TRUE, nullptr);
    if (!GetHost()->IsBusy() && HasShape() && Layout == LayoutSizeToFit && GetRotateAngle() == 0.0)
        FitToPicture();
}

void CBitmapOb::FitToPicture()
{
    CRect rect;
    GetRect(&rect, nullptr);
    CRect wanted(rect.TopLeft(), m_cache.GetSize());
    if (wanted == rect)
        return;
    SetRect(wanted);
    UpdateLayout(TRUE, FALSE);
    if (GetHost()->IsEditMode())
        GetHost()->UpdateGroupRects();
}
