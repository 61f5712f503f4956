#include "objects/HyperViewOb.h"

#include "objects/LayerFmt.h"
#include "objects/ObjectHost.h"
#include "objects/PropBasic.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropListValue.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/SectionTag.h"
#include "objects/VersionTag.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <climits>

IMPLEMENT_SERIAL(CHyperViewOb, CHyperBaseOb, 0)

namespace {

CPropCombo* YesNoEditor(UINT nameId, int* field)
{
    auto* editor = new CPropCombo(nameId, reinterpret_cast<DWORD*>(field));
    editor->m_kind = 4;
    editor->AddChoiceById(27146, 0);
    editor->AddChoiceById(27147, 1);
    return editor;
}

} // namespace

CHyperViewOb::CHyperViewOb() : Color(GetSysColor(COLOR_WINDOW))
{
    for (CObValue* value : {&InitializeEvent, &TerminateEvent, &ClickEvent, &m_fourthValue})
        value->Reset();
    for (CObValue* value : {&DragOverEvent, &DragDropEvent, &DragEnterEvent}) {
        value->Reset();
        value->SetExtras(value->GetExtra1(), "*");
    }
    Font.GetLogFont() = GetViewSettings().m_defaultFont;
}

CHyperViewOb::~CHyperViewOb() = default;

void CHyperViewOb::SetScrollWidth(long width)
{
    m_scrollWidth = static_cast<int>(std::clamp(width, 0L, static_cast<long>(MaxScrollSize)));
    NotifyChanged();
}

void CHyperViewOb::SetScrollHeight(long height)
{
    m_scrollHeight = static_cast<int>(std::clamp(height, 0L, static_cast<long>(MaxScrollSize)));
    NotifyChanged();
}

void CHyperViewOb::SetScrollBars(int scrollBars)
{
    ScrollBars = scrollBars;
    NotifyChanged();
}

void CHyperViewOb::SetColor(COLORREF color)
{
    Color = color;
    NotifyChanged();
}

void CHyperViewOb::NotifyChanged()
{
    if (CObjectHost* host = GetObjectHost(m_view))
        host->OnObjectChanged(this);
}

void CHyperViewOb::UpdateLayout(int, BOOL)
{
    if (CObjectHost* host = GetObjectHost(m_view))
        host->InvalidateDevice(CRect(-0x8000, -0x8000, 0x7FFF, 0x7FFF), TRUE);
}

void CHyperViewOb::SetView(CHyperRunView* view)
{
    m_view = view;
    Code = GetTypeName();
    if (!m_layers) {
        CreateLayerList();
        m_layers->AddDefaultLayers();
    }
}

void CHyperViewOb::CreateLayerList()
{
    m_layers = std::make_unique<CLayerFmt>();
}

COLORREF CHyperViewOb::GetColor() const
{
    return Color == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : Color;
}

void CHyperViewOb::CopyFrom(const CHyperBaseOb* base)
{
    auto* other = dynamic_cast<const CHyperViewOb*>(base);
    if (!other || other == this)
        return;
    Code = other->Code;
    m_autoRecord = other->m_autoRecord;
    m_reportLock = other->m_reportLock;
    PrintScale = other->PrintScale;
    ScrollBars = other->ScrollBars;
    m_scrollWidth = other->m_scrollWidth;
    m_scrollHeight = other->m_scrollHeight;
    Color = other->Color;
    m_thirdMode = other->m_thirdMode;
    InitializeEvent = other->InitializeEvent;
    TerminateEvent = other->TerminateEvent;
    ClickEvent = other->ClickEvent;
    m_fourthValue = other->m_fourthValue;
    Font = other->Font;
    CursorPointer = other->CursorPointer;
    ToolTipText = other->ToolTipText;
    HelpContextID = other->HelpContextID;
    m_formCode = other->m_formCode;
    m_tagText = other->m_tagText;
    Tag = other->Tag;
    DragOverEvent = other->DragOverEvent;
    DragDropEvent = other->DragDropEvent;
    DragEnterEvent = other->DragEnterEvent;
    m_layers.reset();
    if (other->m_layers) {
        CreateLayerList();
        m_layers->CopyFrom(other->m_layers.get());
    }
}

CHyperViewOb* CHyperViewOb::Clone() const
{
    auto* clone = static_cast<CHyperViewOb*>(GetRuntimeClass()->CreateObject());
    clone->CopyFrom(this);
    return clone;
}

void CHyperViewOb::SerializeLastEvents(CArchive& archive)
{
    DragOverEvent.Serialize(archive);
    DragDropEvent.Serialize(archive);
    DragEnterEvent.Serialize(archive);
}

void CHyperViewOb::SerializeRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    if (!archive.IsStoring()) {
        if (tag.Read())
            LoadTagged(archive, tag.GetVersion());
        else
            LoadUntagged(archive);
        return;
    }
    tag.Write();
    archive << Color << m_autoRecord << m_reportLock << PrintScale << m_thirdMode << ScrollBars
            << static_cast<WORD>(m_scrollWidth) << static_cast<WORD>(m_scrollHeight);
    for (CObValue* value : {&InitializeEvent, &TerminateEvent, &ClickEvent, &m_fourthValue})
        value->Serialize(archive);
    Font.Serialize(archive);
    archive << CursorPointer << ToolTipText << HelpContextID << m_formCode;
    if (m_layers) {
        m_layers->Serialize(archive);
    } else {
        CLayerFmt empty;
        empty.Serialize(archive);
    }
    archive << m_tagText << static_cast<BYTE>(0) << static_cast<BYTE>(1);
    SerializeLastEvents(archive);
    archive << static_cast<BYTE>(0);
}

void CHyperViewOb::LoadTagged(CArchive& archive, int version)
{
    archive >> Color >> m_autoRecord >> m_reportLock >> PrintScale >> m_thirdMode;
    if (version >= 1) {
        WORD width = 0, height = 0;
        archive >> ScrollBars >> width >> height;
        m_scrollWidth = width;
        m_scrollHeight = height;
    }
    if (version >= 2) {
        for (CObValue* value : {&InitializeEvent, &TerminateEvent, &ClickEvent, &m_fourthValue})
            value->Serialize(archive);
        Font.Serialize(archive);
        archive >> CursorPointer >> ToolTipText >> HelpContextID >> m_formCode;
    }
    CreateLayerList();
    if (version >= 3)
        m_layers->Serialize(archive);
    if (m_layers->GetSize() == 0)
        m_layers->AddDefaultLayers();
    if (version >= 4) {
        BYTE skipped = 0, hasEvents = 0;
        archive >> m_tagText >> skipped >> hasEvents;
        if (hasEvents)
            SerializeLastEvents(archive);
        archive >> skipped;
    }
}

void CHyperViewOb::LoadUntagged(CArchive& archive)
{
    archive >> Color;
    if (CSectionTag(&archive, 0x22222222).Probe())
        archive >> m_autoRecord;
    if (CSectionTag(&archive, 0x33333333).Probe())
        archive >> m_reportLock >> PrintScale;
    if (CSectionTag(&archive, 0x44444444).Probe())
        archive >> m_thirdMode;
    // A page from before layers still needs its default layers.
    CreateLayerList();
    m_layers->AddDefaultLayers();
}

CPropOb* CHyperViewOb::CreateProperty(UINT propertyId, BOOL)
{
    switch (propertyId) {
    case FormCodeId:
        return new CPropCodeStr(propertyId, &m_formCode, this);
    case PrintScaleId:
        return new CPropDbl(propertyId, &PrintScale);
    case ScrollBarsId:
        return YesNoEditor(propertyId, &ScrollBars);
    case ScrollWidthId:
        return new CPropInt(propertyId, &m_scrollWidth, 0, MaxScrollSize);
    case ScrollHeightId:
        return new CPropInt(propertyId, &m_scrollHeight, 0, MaxScrollSize);
    case ColorId: {
        auto* editor = new CPropColor(propertyId, &Color);
        editor->m_captionId = 27151;
        return editor;
    }
    case FontId: {
        auto* editor = new CPropFont(propertyId, &Font);
        editor->m_captionId = 26653;
        return editor;
    }
    case HelpContextId:
        return new CPropInt(propertyId, &HelpContextID, INT_MIN, INT_MAX);
    case LayersId:
        return m_layers ? new CPropLayer(propertyId, m_layers.get()) : nullptr;
    case TagId:
        return new CPropStr(propertyId, &m_tagText);
    case AutoRecordId: {
        CPropCombo* editor = YesNoEditor(propertyId, &m_autoRecord);
        editor->AddChoiceById(27292, 2);
        return editor;
    }
    case ReportLockId:
        return YesNoEditor(propertyId, &m_reportLock);
    case ToolTipId:
        return new CPropStr(propertyId, &ToolTipText);
    case CursorId: {
        auto* editor = new CPropCombo(propertyId, reinterpret_cast<DWORD*>(&CursorPointer));
        editor->m_kind = 4;
        FillCursorChoices(editor->m_choices);
        return editor;
    }
    default:
        return CreateEventProperty(propertyId);
    }
}

CPropOb* CHyperViewOb::CreateEventProperty(UINT propertyId)
{
    struct Event {
        UINT id;
        CObValue CHyperViewOb::*field;
        int group;
    };
    static constexpr Event events[] = {
        { DragOverId, &CHyperViewOb::DragOverEvent, 0 },
        { DragDropId, &CHyperViewOb::DragDropEvent, 0 },
        { DragEnterId, &CHyperViewOb::DragEnterEvent, 0 },
        { InitializeId, &CHyperViewOb::InitializeEvent, CPropBasic::PageEventGroup },
        { TerminateId, &CHyperViewOb::TerminateEvent, CPropBasic::PageEventGroup },
        { ClickId, &CHyperViewOb::ClickEvent, CPropBasic::PageEventGroup },
    };
    for (const Event& event : events)
        if (event.id == propertyId)
            return new CPropBasic(propertyId, &(this->*event.field), event.group);
    return nullptr;
}

void CHyperViewOb::CollectProperties(CObArray& list, BOOL argument)
{
    static constexpr UINT ids[] = {FormCodeId, PrintScaleId, ScrollBarsId, ScrollWidthId, ScrollHeightId,
                                   ColorId,    FontId,       HelpContextId, LayersId,     TagId,
                                   DragOverId, DragDropId,   DragEnterId};
    for (UINT id : ids) {
        if (CPropOb* editor = CreateProperty(id, argument))
            list.Add(editor);
    }
}
