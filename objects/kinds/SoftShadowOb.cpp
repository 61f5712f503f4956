#include "objects/kinds/SoftShadowOb.h"

#include "imaging/ExtDib.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/VersionTag.h"
#include "objects/kinds/DisplayDepth.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/ShadowPixels.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstring>

namespace {
constexpr KindTextChoice softChoices[] = {{"0 - <No>", 0}, {"1 - <Yes>", 1}};
constexpr UINT NumberKind = 1;
constexpr UINT ColourControl = 27649;

CPropLong* MakeLongEditor(UINT propertyId, LONG* field)
{
    auto* editor = new CPropLong(propertyId, field);
    editor->m_kind = NumberKind;
    return editor;
}

// A memory DC holding a DIB section while it lives.
class SectionDc {
public:
    explicit SectionDc(HBITMAP bitmap)
    {
        dc.CreateCompatibleDC(nullptr);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
    }
    ~SectionDc() { ::SelectObject(dc.GetSafeHdc(), old); }
    SectionDc(const SectionDc&) = delete;
    SectionDc& operator=(const SectionDc&) = delete;

    CDC dc;
    HGDIOBJ old;
};

void DrawRectMask(CDibSection24& mask, const CRect& all, const CRect& inside)
{
    SectionDc memory(mask.GetBitmap());
    memory.dc.PatBlt(0, 0, all.Width(), all.Height(), BLACKNESS);
    memory.dc.FillSolidRect(&inside, RGB(255, 255, 255));
}

// White wherever the picture, stretched into the inside rectangle, is not its transparent colour.
void DrawPictureMask(CDibSection24& mask, const CRect& inside, const CExtDib& picture)
{
    CDibSection24 drawn(mask.GetSize());
    if (!drawn.IsValid())
        return;
    drawn.Fill(picture.m_colour);
    {
        SectionDc memory(drawn.GetBitmap());
        picture.StretchDraw(&memory.dc, inside.left, inside.top, inside.Width(), inside.Height());
    }
    ::GdiFlush();
    std::memset(mask.GetBits(), 0, static_cast<size_t>(mask.GetPixelCount()) * 3);
    for (DWORD i = 0; i < mask.GetPixelCount(); ++i) {
        const BYTE* p = drawn.GetBits() + 3 * static_cast<size_t>(i);
        const COLORREF value = (static_cast<COLORREF>(p[0]) << 16) | (static_cast<COLORREF>(p[1]) << 8) | p[2];
        if (value != picture.m_colour)
            std::memset(mask.GetBits() + 3 * static_cast<size_t>(i), 255, 3);
    }
}
}

void CSoftShadowOb::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        for (LONG value : {OffsetX, OffsetY, BlurX, BlurY, InflateX, InflateY, static_cast<LONG>(Color), Opacity,
                           static_cast<LONG>(BackColor), Soft})
            archive << static_cast<DWORD>(value);
        return;
    }
    const BOOL tagged = tag.Read();
    for (LONG* field : {&OffsetX, &OffsetY, &BlurX, &BlurY, &InflateX, &InflateY})
        *field = ReadInt32(archive);
    Color = static_cast<COLORREF>(ReadInt32(archive));
    Opacity = ReadInt32(archive);
    BackColor = tagged ? static_cast<COLORREF>(ReadInt32(archive)) : static_cast<COLORREF>(-1);
    Soft = tag.GetVersion() >= 2 ? ReadInt32(archive) : 0;
}

void CSoftShadowOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperOb::CopyFrom(base);
    auto* other = dynamic_cast<const CSoftShadowOb*>(base);
    if (!other || other == this)
        return;
    OffsetX = other->OffsetX;
    OffsetY = other->OffsetY;
    BlurX = other->BlurX;
    BlurY = other->BlurY;
    InflateX = other->InflateX;
    InflateY = other->InflateY;
    Color = other->Color;
    Opacity = other->Opacity;
    BackColor = other->BackColor;
    Soft = other->Soft;
}

CRect CSoftShadowOb::GetShadowRect(const RECT& rect, POINT offset) const
{
    CRect shadow(rect);
    shadow.OffsetRect(offset);
    shadow.InflateRect(InflateX, InflateY);
    if (IsTrueColorDisplay())
        shadow.InflateRect(BlurX, BlurY);
    return shadow;
}

// The footprint inside the whole area; the blur spreads it back out to the shadow rectangle.
CRect CSoftShadowOb::GetMaskRect(const CRect& shadow, const CRect& all) const
{
    CRect mask(shadow);
    mask.OffsetRect(-all.left, -all.top);
    if (IsTrueColorDisplay()) {
        mask.OffsetRect(BlurX, BlurY);
        mask.InflateRect(-2 * BlurX, -2 * BlurY);
    }
    return mask;
}

BOOL CSoftShadowOb::RenderShadow(CDC* target, const CExtDib* picture, const RECT& rcObject, POINT offset,
                                 COLORREF back) const
{
    const CRect shadow = GetShadowRect(rcObject, offset);
    CRect all;
    all.UnionRect(shadow, CRect(rcObject));
    CDibSection24 background(all.Size());
    CDibSection24 mask(all.Size());
    if (!background.IsValid() || !mask.IsValid())
        return TRUE;
    background.Fill(back);
    const CRect inside = GetMaskRect(shadow, all);
    if (picture && picture->HasTransparentColour())
        DrawPictureMask(mask, inside, *picture);
    else
        DrawRectMask(mask, all, inside);
    ::GdiFlush();
    if (IsTrueColorDisplay())
        BlurBitmap(mask, CSize(BlurX, BlurY));
    BlendShadowColor(background.GetBits(), mask.GetBits(), background.GetPixelCount(), Color,
                     static_cast<float>(Opacity) * 0.01f);
    SectionDc memory(background.GetBitmap());
    target->BitBlt(all.left, all.top, all.Width(), all.Height(), &memory.dc, 0, 0, SRCCOPY);
    return TRUE;
}

CPropOb* CSoftShadowOb::CreateProperty(UINT code, UINT propertyId, BOOL withChoices)
{
    switch (code) {
    case BackColorId: {
        if (IsTrueColorDisplay())
            return MakeColorEditor(propertyId, &BackColor);
        auto* editor = new CPropColor(propertyId, &BackColor);
        editor->m_controlId = ColourControl;
        return editor;
    }
    case ColorId:
        return MakeColorEditor(propertyId, &Color);
    case OffsetXId:
        return MakeLongEditor(propertyId, &OffsetX);
    case OffsetYId:
        return MakeLongEditor(propertyId, &OffsetY);
    case BlurXId:
        return MakeLongEditor(propertyId, &BlurX);
    case BlurYId:
        return MakeLongEditor(propertyId, &BlurY);
    case SoftId:
        return MakeChoiceEditor(propertyId, &Soft, softChoices, 2, withChoices);
    default:
        return nullptr;
    }
}
