#include "objects/kinds/TextOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropText.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"

IMPLEMENT_SERIAL(CTextOb, CBorderOb, 0)

BEGIN_DISPATCH_MAP(CTextOb, CBorderOb)
    DISP_PROPERTY_NOTIFY_ID(CTextOb, "Text", 1329, Text, NotifyDispChanged, VT_BSTR)
    DISP_PROPERTY_NOTIFY_ID(CTextOb, "Alignment", 1330, Alignment, NotifyDispChanged, VT_I4)
    DISP_PROPERTY_EX_ID(CTextOb, "Orientation", 1331, GetOrientation, SetOrientation, VT_I4)
    DISP_DEFVALUE(CTextOb, "Text")
END_DISPATCH_MAP()

namespace {
constexpr KindChoice alignments[] = {
    {27161, CTextOb::AlignLeft},
    {27162, CTextOb::AlignCentre},
    {27163, CTextOb::AlignRight},
};
constexpr KindChoice orientations[] = {
    {27166, CTextOb::Horizontal},
    {27165, CTextOb::VerticalUp},
    {27167, CTextOb::VerticalDown},
};
constexpr KindChoice disableChoice = {27196, CBorderOb::StyleHidden};
// Room below the box in which the wrapped text is measured.
constexpr int MeasureDepth = 1000;
}

CTextOb::CTextOb()
    : Text("?")
{
    PenWidth = 0;
}

void CTextOb::Serialize(CArchive& archive)
{
    CBorderOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CTextOb::StoreFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    archive << Text << static_cast<DWORD>(Alignment);
    Font.Serialize(archive);
    archive << static_cast<DWORD>(Font.GetLogFont().lfEscapement);
}

void CTextOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    archive >> Text;
    Alignment = ReadInt32(archive);
    // Before version 1 the colours travelled here instead of in the border's part.
    if (tag.GetVersion() < 1) {
        ForeColor = static_cast<COLORREF>(ReadInt32(archive));
        BackColor = static_cast<COLORREF>(ReadInt32(archive));
    }
    Font.Serialize(archive);
    Font.GetLogFont().lfEscapement = ReadInt32(archive);
}

void CTextOb::SetOrientation(long escapement)
{
    Font.GetLogFont().lfEscapement = static_cast<LONG>(escapement);
    NotifyDispChanged();
}

CPropOb* CTextOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    CPropOb* editor = CBorderOb::CreateProperty(propertyId, withChoices);
    if (editor && propertyId == BackColorId && (BorderStyle & StyleHidden) && BackColor == static_cast<COLORREF>(-1)) {
        // An invisible box has no background to choose.
        delete editor;
        return nullptr;
    }
    if (editor && propertyId == BorderStyleId && withChoices)
        static_cast<CPropCombo*>(editor)->AddChoiceById(disableChoice.textId, static_cast<DWORD>(disableChoice.value));
    if (editor)
        return editor;
    switch (propertyId) {
    case TextId:
        return new CPropStr(propertyId, &Text);
    case AlignmentId:
        return MakeChoiceEditor(propertyId, &Alignment, alignments, 3, withChoices);
    case OrientationId:
        return MakeChoiceEditor(propertyId, &Font.GetLogFont().lfEscapement, orientations, 3, withChoices);
    default:
        return nullptr;
    }
}

void CTextOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CBorderOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {TextId, AlignmentId};
    AppendProperties(this, list, ids, 2, withChoices);
}

void CTextOb::CopyFrom(const CHyperBaseOb* base)
{
    CBorderOb::CopyFrom(base);
    auto* other = dynamic_cast<const CTextOb*>(base);
    if (!other || other == this)
        return;
    Text = other->Text;
    Alignment = other->Alignment;
}

void CTextOb::ApplyDefaults()
{
    int alignment = Alignment;
    if (GetHost()->GetDefaultTextAlignment(&alignment))
        Alignment = alignment;
    CBorderOb::ApplyDefaults();
    // A text box takes the view's pen style, hatch and shadow, but never an outline.
    PenWidth = 0;
    SetMinimumSize();
    SetRect(CRect(0, 0, DefaultWidth, DefaultHeight));
}

int CTextOb::GetTextAlign() const
{
    if (Alignment == AlignLeft || Alignment == AlignRight)
        return Alignment;
    return 1;
}

BOOL CTextOb::CanRotate() const
{
    return Text.Find('\n') < 0 && m_scalableFont;
}

void CTextOb::SetText(LPCTSTR text)
{
    Text = text;
    SetEditPending(TRUE);
}

int CTextOb::GetText(CString& text) const
{
    text = Text;
    return TRUE;
}

UINT CTextOb::WrapFormat() const
{
    UINT align = Alignment == AlignLeft ? DT_LEFT : Alignment == AlignRight ? DT_RIGHT : DT_CENTER;
    return DT_WORDBREAK | align;
}

void CTextOb::UpdateLayout(int recalc, BOOL hint)
{
    if (Text.IsEmpty() || GroupID >= 0 || !IsUpright()) {
        CBorderOb::UpdateLayout(recalc, hint);
        return;
    }
    CRect rect;
    GetRect(&rect, nullptr);
    int needed = NeededBottom();
    // The box grows to fit its text and never shrinks on its own.
    if (rect.bottom < needed) {
        rect.bottom = needed;
        SetRect(rect);
    }
    CBorderOb::UpdateLayout(TRUE, hint);
}

int CTextOb::NeededBottom()
{
    CRect r;
    GetRect(&r, nullptr);
    int inset = PenWidth + 1;
    r.DeflateRect(inset, inset);
    r.bottom += MeasureDepth;
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    LOGFONT logFont;
    GetFont(&logFont, TRUE);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* old = measure.SelectObject(&font);
    measure.DrawText(Text, &r, DT_CALCRECT | WrapFormat());
    measure.SelectObject(old);
    return r.bottom + inset;
}
