// The property editors of the fields every page object has.
#include "objects/HyperOb.h"

#include "objects/HyperTracker.h"
#include "objects/LayerFmt.h"
#include "objects/ObjectHost.h"
#include "objects/PropBasic.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/SnapPointSet.h"

namespace {

enum : UINT {
    CodeId = 27142,
    LeftId = 27136,
    RightId = 27137,
    TopId = 27138,
    BottomId = 27139,
    ToolTipId = 27381,
    HelpContextId = 27380,
    UrlId = 27390,
    BackColorId = 27154,
    ForeColorId = 27155,
    FontId = 27158,
    LayerId = 27455,
    RotateAngleId = 27049,
    AnchorsId = 27441,
    TagId = 27433,
    DragOverId = 27466,
    DragDropId = 27468,
    PumpDataId = 27256,
    ClickId = 27257,
    ChangeId = 27258,
    InitializeId = 27262,
    CursorId = 27382,
};

// Steps of the base list: ids, and whether grouped selections leave them out.
struct ListStep {
    UINT id;
    bool ungroupedOnly;
};
constexpr ListStep baseList[] = {
    { CodeId, false },
    { LeftId, true },
    { RightId, true },
    { TopId, true },
    { BottomId, true },
    { ToolTipId, true },
    { HelpContextId, true },
    { UrlId, true },
    { BackColorId, false },
    { ForeColorId, false },
    { FontId, false },
    { LayerId, false },
    { RotateAngleId, false },
};

CPropCombo* ChoiceEditor(UINT nameId, int* field)
{
    auto* editor = new CPropCombo(nameId, reinterpret_cast<DWORD*>(field));
    editor->m_kind = 4;
    return editor;
}

} // namespace

CPropOb* CHyperOb::CreateProperty(UINT propertyId, BOOL)
{
    // Editors point into the rectangle and angle, which stay in the tracker from now on.
    CHyperObTracker* tracker = GetTracker();
    CRect& rect = tracker->m_rect;
    COLORREF color;
    switch (propertyId) {
    case CodeId: {
        auto* editor = new CPropCodeStr(propertyId, &Code, this);
        // Connectors name the object by its Code.
        CSnapPointSet* points = GetSnapPoints(FALSE);
        if (points && points->HasConnections())
            editor->m_editable = 0;
        return editor;
    }
    case LeftId:
        return new CPropLong(propertyId, &rect.left);
    case RightId:
        return new CPropLong(propertyId, &rect.right);
    case TopId:
        return new CPropLong(propertyId, &rect.top);
    case BottomId:
        return new CPropLong(propertyId, &rect.bottom);
    case ToolTipId:
        return new CPropStr(propertyId, &EditRare().toolTip);
    case HelpContextId:
        return new CPropLong(propertyId, &HelpContextID);
    case UrlId:
        return new CPropUrlEditCombo(propertyId, &EditRare().url);
    case BackColorId:
        return GetBackColor(&color) ? new CPropCustColor(propertyId, &BackColor) : nullptr;
    case ForeColorId:
        return GetForeColor(&color) ? new CPropCustColor(propertyId, &ForeColor) : nullptr;
    case FontId:
        return new CPropFont(propertyId, &Font);
    case LayerId:
        return CreateLayerProperty(propertyId);
    case RotateAngleId:
        return new CPropDbl(propertyId, &tracker->RotateAngle);
    case TagId:
        return new CPropStr(propertyId, &EditRare().tag);
    case CursorId: {
        CPropCombo* editor = ChoiceEditor(propertyId, &CursorPointer);
        FillCursorChoices(editor->m_choices);
        return editor;
    }
    default:
        return CreateEventProperty(propertyId);
    }
}

CPropOb* CHyperOb::CreateLayerProperty(UINT propertyId)
{
    CPropCombo* editor = ChoiceEditor(propertyId, &LayerID);
    if (const CLayerFmt* layers = GetHost()->GetLayerList())
        for (INT_PTR i = 0; i < layers->GetSize(); ++i)
            editor->AddChoice(layers->GetLayerItem(i)->m_name, static_cast<DWORD>(layers->GetLayerItem(i)->GetId()));
    return editor;
}

CPropOb* CHyperOb::CreateEventProperty(UINT propertyId)
{
    switch (propertyId) {
    case PumpDataId:
        return new CPropBasic(propertyId, &PumpDataEvent);
    case ClickId:
    case ChangeId:
        return new CPropBasic(propertyId, &ClickEvent);
    case InitializeId:
        return new CPropBasic(propertyId, &InitializeEvent);
    case DragOverId:
        return new CPropBasic(propertyId, &DragOverEvent);
    case DragDropId:
        return new CPropBasic(propertyId, &DragDropEvent);
    default:
        return nullptr;
    }
}

void CHyperOb::CollectProperties(CObArray& list, BOOL argument)
{
    auto add = [&](UINT id) {
        if (CPropOb* editor = CreateProperty(id, argument))
            list.Add(editor);
    };
    BOOL grouped = GetHost()->IsSelectionGrouped();
    for (const ListStep& step : baseList)
        if (!step.ungroupedOnly || !grouped)
            add(step.id);
    if (GetSnapPoints(FALSE))
        add(AnchorsId);
    add(TagId);
    if (!HasOpenOleItem()) {
        add(DragOverId);
        add(DragDropId);
    }
}
