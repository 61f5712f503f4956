#include "objects/kinds/ShapeOb.h"

#include "objects/ObjectHost.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CShapeOb, CBitmapShadowOb, 0)

namespace {
constexpr KindTextChoice alignments[] = {
    {"0 - <Left>", CShapeOb::AlignLeft}, {"1 - <Center>", CShapeOb::AlignCenter}, {"2 - <Right>", CShapeOb::AlignRight}};
constexpr const char* breads[] = {"Toast", "Whitebread", "Rye"};
constexpr UINT ChoiceKind = 17;
constexpr UINT TextKind = 3;
constexpr UINT SecondPage = 1;

struct Direction {
    int value;
    POINT offset;
};
constexpr Direction directions[] = {{0, {0, 0}}, {1, {-6, -6}}, {2, {6, -6}}, {3, {-6, 6}}, {4, {6, 6}}};

// An editor of the second page named by its own text.
CPropOb* OnSecondPage(CPropOb* editor, const char* name)
{
    editor->m_page = SecondPage;
    editor->m_nameText = name;
    return editor;
}

CPropStr* MakeTextEditor(UINT propertyId, CString* field)
{
    auto* editor = new CPropStr(propertyId, field);
    editor->m_kind = TextKind;
    return editor;
}

template <typename Editor>
Editor* FindEditor(const CObArray& list, UINT id)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (static_cast<CPropOb*>(list[i])->GetNameId() == id)
            return dynamic_cast<Editor*>(static_cast<CPropOb*>(list[i]));
    return nullptr;
}
}

void CShapeOb::Serialize(CArchive& archive)
{
    CBitmapShadowOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CShapeOb::StoreFields(CArchive& archive)
{
    CVersionTag(&archive, this, RecordVersion).Write();
    archive << static_cast<DWORD>(ShadowDirection) << static_cast<DWORD>(BackColor) << static_cast<DWORD>(ForeColor)
            << Text << static_cast<DWORD>(Alignment);
    Font.Serialize(archive);
    archive << ChoiceText << ButtonText;
    Blob.Serialize(archive);
}

void CShapeOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    const BOOL tagged = tag.Read();
    ShadowDirection = ReadInt32(archive);
    BackColor = static_cast<COLORREF>(ReadInt32(archive));
    ForeColor = static_cast<COLORREF>(ReadInt32(archive));
    archive >> Text;
    Alignment = ReadInt32(archive);
    Font.Serialize(archive);
    if (tagged)
        archive >> ChoiceText >> ButtonText;
    if (tag.GetVersion() >= 1)
        Blob.Serialize(archive);
}

void CShapeOb::CopyFrom(const CHyperBaseOb* base)
{
    CBitmapShadowOb::CopyFrom(base);
    auto* other = dynamic_cast<const CShapeOb*>(base);
    if (!other || other == this)
        return;
    ShadowDirection = other->ShadowDirection;
    BackColor = other->BackColor;
    ForeColor = other->ForeColor;
    Text = other->Text;
    Alignment = other->Alignment;
    Font = other->Font;
    ChoiceText = other->ChoiceText;
    ButtonText = other->ButtonText;
    Blob = other->Blob;
}

void CShapeOb::ApplyDefaults()
{
    CBitmapOb::ApplyDefaults();
    if (CSnapPointSet* set = GetSnapPoints(FALSE))
        set->SetPositionMask(0);
}

void CShapeOb::SetHighlightFrame(BOOL on)
{
    if (HighlightFrame == on)
        return;
    HighlightFrame = on;
    InvalidateArea(nullptr);
}

int CShapeOb::GetTextAlign() const
{
    return Alignment == AlignLeft ? 0 : Alignment == AlignRight ? 2 : 1;
}

BOOL CShapeOb::GetForeColor(COLORREF* colour) const
{
    if (colour)
        *colour = ForeColor == static_cast<COLORREF>(-1) ? 0 : ForeColor;
    return TRUE;
}

int CShapeOb::HitTest(CPoint point)
{
    const int hit = CBitmapShadowOb::HitTest(point);
    if (hit != -1)
        return hit;
    return m_textRect2.PtInRect(point) ? 8 : -1;
}

void CShapeOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CBitmapShadowOb::GetUpdateRect(out, dc);
    if (HighlightFrame)
        out->InflateRect(FrameWidth, FrameWidth);
    out->UnionRect(*out, m_textRect2);
}

void CShapeOb::UpdateLayout(int render, BOOL hint)
{
    CBitmapShadowOb::UpdateLayout(render, hint);
    LayoutText(nullptr);
    CRect label = m_textRect1;
    CObjectHost* host = GetHost();
    host->LogicalToDevice(reinterpret_cast<POINT*>(&label.left), 2);
    host->InvalidateDevice(label, TRUE);
}

CPropOb* CShapeOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    CPropOb* base = CBitmapShadowOb::CreateProperty(propertyId, withChoices);
    switch (propertyId) {
    case CSoftShadowOb::OffsetXId:
    case CSoftShadowOb::OffsetYId: {
        delete base;
        auto* editor = new CPropShadowLong(propertyId, propertyId == CSoftShadowOb::OffsetXId ? &m_shadow.OffsetX
                                                                                              : &m_shadow.OffsetY);
        editor->m_kind = 1;
        return editor;
    }
    case ShadowStyleId: {
        delete base;
        auto* editor = new CPropShapeShadow(propertyId, &ShadowDirection, &m_shadow);
        if (withChoices)
            editor->AddChoice("<99 - Non-standard>", NonStandardShadow);
        return editor;
    }
    case AnchorSnapsId:
        return base;
    default:
        break;
    }
    if (base)
        return base;
    switch (propertyId) {
    case TextId:
        return MakeTextEditor(propertyId, &Text);
    case AlignmentId:
        return MakeChoiceEditor(propertyId, &Alignment, alignments, 3, withChoices);
    case ChoiceId: {
        auto* editor = new CPropEditCombo(propertyId, &ChoiceText);
        editor->m_controlId = CPropOb::EditComboControl;
        editor->m_kind = ChoiceKind;
        for (const char* bread : breads)
            editor->AddChoice(bread, 0);
        return OnSecondPage(editor, "Choice");
    }
    case ButtonTextId:
        return OnSecondPage(MakeTextEditor(propertyId, &ButtonText), "BtnText");
    case BlobId:
        return OnSecondPage(new CPropBlob(propertyId, &Blob), "Blob");
    default:
        return nullptr;
    }
}

void CShapeOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CBitmapShadowOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {TextId, AlignmentId, ChoiceId, ButtonTextId, BlobId};
    AppendProperties(this, list, ids, 5, withChoices);
    auto* direction = FindEditor<CPropShapeShadow>(list, ShadowStyleId);
    auto* x = FindEditor<CPropShadowLong>(list, CSoftShadowOb::OffsetXId);
    auto* y = FindEditor<CPropShadowLong>(list, CSoftShadowOb::OffsetYId);
    if (direction) {
        direction->m_partnerX = x;
        direction->m_partnerY = y;
    }
    if (x) {
        x->m_direction = direction;
        x->m_partnerY = y;
    }
    if (y) {
        y->m_direction = direction;
        y->m_partnerX = x;
    }
}

CPropShapeShadow::CPropShapeShadow(UINT nameId, int* direction, CSoftShadowOb* shadow)
    : CPropShadowCombo(nameId, reinterpret_cast<DWORD*>(direction))
    , m_shadow(shadow)
{
}

void CPropShapeShadow::DropLinkTo(const CPropOb* gone)
{
    if (m_partnerX == gone)
        m_partnerX = nullptr;
    if (m_partnerY == gone)
        m_partnerY = nullptr;
}

void CPropShapeShadow::OnValueChanged()
{
    const int value = static_cast<int>(m_partnerX ? m_edited : *m_field);
    const Direction* found = nullptr;
    for (const Direction& direction : directions)
        if (direction.value == value)
            found = &direction;
    if (found) {
        m_shadow->OffsetX = found->offset.x;
        m_shadow->OffsetY = found->offset.y;
    }
    if (m_partnerX)
        m_partnerX->m_edited = m_shadow->OffsetX;
    if (m_partnerY)
        m_partnerY->m_edited = m_shadow->OffsetY;
    if (m_partnerX || m_partnerY)
        NotifyListChanged();
}
