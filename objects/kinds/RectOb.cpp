#include "objects/kinds/RectOb.h"

#include "objects/HyperTracker.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/SectionTag.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CRectOb, CHyperOb, 0)

namespace {
constexpr KindChoice borderStyles[] = {
    {27204, CRectOb::StylePlain},
    {27205, CRectOb::Style3D},
    {27206, CRectOb::StyleSunken},
    {27207, CRectOb::StyleRaised},
};
constexpr KindChoice alignments[] = {
    {27161, CRectOb::AlignLeft},
    {27162, CRectOb::AlignCentre},
    {27163, CRectOb::AlignRight},
};
}

CRectOb::CRectOb()
    : Text("?")
    , m_hitBand(BorderWidth + 1)
{
}

void CRectOb::Serialize(CArchive& archive)
{
    CHyperOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CRectOb::StoreFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    archive << static_cast<DWORD>(BackColor) << static_cast<DWORD>(BorderColor) << static_cast<DWORD>(BorderWidth)
            << static_cast<DWORD>(BorderStyle) << Text << static_cast<DWORD>(Alignment)
            << static_cast<DWORD>(ForeColor);
    Font.Serialize(archive);
    archive << static_cast<DWORD>(HiliteColor);
}

void CRectOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    BOOL tagged = tag.Read();
    BackColor = static_cast<COLORREF>(ReadInt32(archive));
    BorderColor = static_cast<COLORREF>(ReadInt32(archive));
    BorderWidth = ReadInt32(archive);
    BorderStyle = ReadInt32(archive);
    archive >> Text;
    Alignment = ReadInt32(archive);
    ForeColor = static_cast<COLORREF>(ReadInt32(archive));
    Font.Serialize(archive);
    // The oldest layout has no tag; its hilite colour, when there is one, follows a section mark.
    if (tagged || CSectionTag(&archive, HiliteSection).Probe())
        HiliteColor = static_cast<COLORREF>(ReadInt32(archive));
}

CPropOb* CRectOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperOb::CreateProperty(propertyId, withChoices))
        return editor;
    switch (propertyId) {
    case BorderColorId:
        return MakeColorEditor(propertyId, &BorderColor);
    case HiliteColorId:
        return MakeColorEditor(propertyId, &HiliteColor);
    case TextId:
        return new CPropStr(propertyId, &Text, TextLimit);
    case AlignmentId:
        return MakeChoiceEditor(propertyId, &Alignment, alignments, 3, withChoices);
    case BorderWidthId: {
        CRect rect;
        GetRect(&rect, nullptr);
        return new CPropInt(propertyId, &BorderWidth, 0, (rect.Width() - 1) / 2);
    }
    case BorderStyleId:
        return MakeChoiceEditor(propertyId, &BorderStyle, borderStyles, 4, withChoices);
    default:
        return nullptr;
    }
}

void CRectOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {BorderColorId, HiliteColorId, BorderStyleId, BorderWidthId, TextId, AlignmentId};
    AppendProperties(this, list, ids, 6, withChoices);
}

void CRectOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperOb::CopyFrom(base);
    auto* other = dynamic_cast<const CRectOb*>(base);
    if (!other || other == this)
        return;
    BorderColor = other->BorderColor;
    BorderWidth = other->BorderWidth;
    HiliteColor = other->HiliteColor;
    BorderStyle = other->BorderStyle;
    Text = other->Text;
    Alignment = other->Alignment;
}

void CRectOb::ApplyDefaults()
{
    SetRect(CRect(0, 0, DefaultWidth, DefaultHeight));
    CHyperOb::ApplyDefaults();
    SetMinimumSize();
}

void CRectOb::RecalcRect()
{
    SetMinimumSize();
    CHyperOb::RecalcRect();
}

CSize CRectOb::GetMinimumSize() const
{
    int side = 2 * BorderWidth + 1;
    return CSize(side, side);
}

void CRectOb::SetMinimumSize()
{
    if (m_tracker)
        m_tracker->m_sizeMin = GetMinimumSize();
}

int CRectOb::GetTextAlign() const
{
    if (Alignment == AlignLeft || Alignment == AlignRight)
        return Alignment;
    return 1;
}

void CRectOb::SetText(LPCTSTR text)
{
    Text = text;
    SetEditPending(TRUE);
}

BOOL CRectOb::GetText(CString& text) const
{
    text = Text;
    return TRUE;
}

int CRectOb::HitTest(CPoint point)
{
    if (!HasShape())
        return CRectTracker::hitNothing;
    int hit = HitTestFrame(point);
    if (hit != CRectTracker::hitMiddle || !IsTransparent())
        return hit;
    CRect rect;
    return IsInHollowCentre(*GetRect(&rect, nullptr), m_hitBand, point) ? CRectTracker::hitNothing : hit;
}
