#include "objects/HyperDrawOb.h"

#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropDatetime.h"
#include "objects/PropNumber.h"
#include "objects/ShellServices.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Resources.h"

IMPLEMENT_SERIAL(CHyperDrawOb, CHyperOb, 0)

namespace {

// Finds the editor with the name id in the list, or NULL.
template <typename Editor>
Editor* FindEditor(CObArray& list, UINT nameId)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        auto* editor = static_cast<CPropOb*>(list.GetAt(i));
        if (editor->GetNameId() == nameId)
            return dynamic_cast<Editor*>(editor);
    }
    return nullptr;
}

CPropCombo* MakeChoiceEditor(UINT nameId, int* field, UINT firstTextId, const int* values, int count)
{
    auto* editor = new CPropCombo(nameId, reinterpret_cast<DWORD*>(field));
    editor->m_kind = 4;
    for (int i = 0; i < count; ++i)
        editor->AddChoiceById(firstTextId + static_cast<UINT>(i), static_cast<DWORD>(values[i]));
    return editor;
}

// The picture at the device point, through a mask that is white where the picture shows
// the colour of its first pixel.
void DrawTransparent(CDC* dc, POINT at, CBitmap& picture)
{
    BITMAP size {};
    picture.GetObject(sizeof(size), &size);
    CDC source, mask;
    CBitmap maskBits;
    source.CreateCompatibleDC(dc);
    mask.CreateCompatibleDC(dc);
    maskBits.CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr);
    CBitmap* oldSource = source.SelectObject(&picture);
    CBitmap* oldMask = mask.SelectObject(&maskBits);
    source.SetBkColor(source.GetPixel(0, 0));
    mask.BitBlt(0, 0, size.bmWidth, size.bmHeight, &source, 0, 0, SRCCOPY);
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBack = dc->SetBkColor(RGB(255, 255, 255));
    dc->BitBlt(at.x, at.y, size.bmWidth, size.bmHeight, &source, 0, 0, SRCINVERT);
    dc->BitBlt(at.x, at.y, size.bmWidth, size.bmHeight, &mask, 0, 0, SRCAND);
    dc->BitBlt(at.x, at.y, size.bmWidth, size.bmHeight, &source, 0, 0, SRCINVERT);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    source.SelectObject(oldSource);
    mask.SelectObject(oldMask);
}

} // namespace

void CHyperDrawOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperOb::CopyFrom(base);
    auto* other = dynamic_cast<const CHyperDrawOb*>(base);
    if (!other || other == this)
        return;
    PenWidth = other->PenWidth;
    PenStyle = other->PenStyle;
    HatchStyle = other->HatchStyle;
    ShadowStyle = other->ShadowStyle;
}

void CHyperDrawOb::ApplyDefaults()
{
    CObjectHost::PenDefaults defaults;
    if (GetHost()->GetDefaultPen(&defaults)) {
        PenWidth = defaults.penWidth;
        PenStyle = defaults.penStyle;
        HatchStyle = defaults.hatchStyle;
        ShadowStyle = defaults.shadowStyle;
    }
    CHyperOb::ApplyDefaults();
}

void CHyperDrawOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CHyperOb::GetUpdateRect(out, dc);
    int shadow = 0;
    if (GetShadowStyle(&shadow) && shadow != 0)
        out->InflateRect(ShadowMargin, ShadowMargin);
}

BOOL CHyperDrawOb::GetPenWidth(int* width) const
{
    if (width)
        *width = PenWidth;
    return TRUE;
}

BOOL CHyperDrawOb::GetPenStyle(int* style) const
{
    if (style)
        *style = PenStyle;
    return TRUE;
}

BOOL CHyperDrawOb::SetPenWidth(int width)
{
    PenWidth = width;
    return width;
}

BOOL CHyperDrawOb::SetPenStyle(int style)
{
    PenStyle = style;
    return style;
}

BOOL CHyperDrawOb::SetHatchStyle(int style)
{
    HatchStyle = style;
    return style;
}

BOOL CHyperDrawOb::SetShadowStyle(int style)
{
    ShadowStyle = style;
    return style;
}

CPropOb* CHyperDrawOb::CreateProperty(UINT propertyId, BOOL argument)
{
    if (CPropOb* editor = CHyperOb::CreateProperty(propertyId, argument))
        return editor;
    switch (propertyId) {
    case LineWidthId:
        return GetPenWidth(nullptr) ? new CLinePropWidth(propertyId, &PenWidth) : nullptr;
    case LineStyleId:
        return GetPenStyle(nullptr) ? new CLinePropStyle(propertyId, reinterpret_cast<DWORD*>(&PenStyle)) : nullptr;
    case HatchStyleId: {
        static constexpr int hatches[] = {NoHatch, 0, 1, 2, 3, 4, 5};
        return GetHatchStyle(nullptr) ? MakeChoiceEditor(propertyId, &HatchStyle, 27042, hatches, 7) : nullptr;
    }
    case ShadowStyleId: {
        static constexpr int shadows[] = {0, 1, 2, 3, 4};
        return GetShadowStyle(nullptr) ? MakeChoiceEditor(propertyId, &ShadowStyle, 27301, shadows, 5) : nullptr;
    }
    case CreationDateId:
        return new CPropFixedDatetime(propertyId, CreationDate.Edit());
    case AlarmSoundId: {
        auto* editor = new CPropFile(propertyId, &EditRare().alarmSound);
        editor->m_filterId = SoundFilterId;
        return editor;
    }
    case AlarmTimeId:
        return new CPropCustDatetime(propertyId, &EditRare().alarmTime);
    case AlarmActiveId:
        return new CPropAlarmActive(propertyId, reinterpret_cast<DWORD*>(&AlarmActive));
    default:
        return nullptr;
    }
}

void CHyperDrawOb::CollectProperties(CObArray& list, BOOL argument)
{
    CHyperOb::CollectProperties(list, argument);
    static constexpr UINT ids[] = {LineWidthId,    LineStyleId, HatchStyleId, ShadowStyleId,
                                   CreationDateId, AlarmSoundId, AlarmTimeId, AlarmActiveId};
    for (UINT id : ids) {
        if (CPropOb* editor = CreateProperty(id, argument))
            list.Add(editor);
    }
    auto* alarmTime = FindEditor<CPropCustDatetime>(list, AlarmTimeId);
    auto* alarmSwitch = FindEditor<CPropAlarmActive>(list, AlarmActiveId);
    if (alarmTime && alarmSwitch)
        alarmTime->m_linkedSwitch = alarmSwitch;
    auto* width = FindEditor<CLinePropWidth>(list, LineWidthId);
    auto* style = FindEditor<CLinePropStyle>(list, LineStyleId);
    if (width && style)
        LinkLineEditors(width, style);
}

void CHyperDrawOb::SetAlarmSignal(BOOL signal)
{
    m_alarmSignal = signal;
    InvalidateArea(nullptr);
}

void CHyperDrawOb::DrawAlarmBitmap(CDC* dc)
{
    if (!m_alarmSignal || !GetShellServices().GetSettingInt("Alarm.Showbitmap", 1))
        return;
    CBitmap picture;
    if (!picture.Attach(LoadBitmapResource(AlarmBitmapId)))
        return;
    CRect rect;
    GetRect(&rect, nullptr);
    POINT corner = rect.TopLeft();
    dc->LPtoDP(&corner);
    int mapMode = dc->SetMapMode(MM_TEXT);
    DrawTransparent(dc, corner, picture);
    dc->SetMapMode(mapMode);
}
