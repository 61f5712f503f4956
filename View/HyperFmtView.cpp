// What every formatting command uses: the targets, the property lookup with its alternate,
// applying a value as one undo step, querying the selection and its update state.
#include "View/HyperFmtView.h"

#include "objects/FontDescriptor.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"

#include <cstdio>
#include <memory>
#include <utility>

IMPLEMENT_DYNCREATE(CHyperFmtView, CFreeHandView)

namespace {

long ValueOf(const CPropOb* property, BOOL asInt)
{
    if (asInt) {
        int value = 0;
        property->GetIntValue(&value);
        return value;
    }
    long value = 0;
    property->GetLongValue(&value);
    return value;
}

// Twips to points to pixels at 96 dots an inch.
void TakeCharFormat(LOGFONT& font, const CHARFORMAT& format)
{
    if (format.dwMask & CFM_FACE) {
        std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", format.szFaceName);
        font.lfPitchAndFamily = format.bPitchAndFamily;
    }
    if (format.dwMask & CFM_CHARSET)
        font.lfCharSet = format.bCharSet;
    if (format.dwMask & CFM_SIZE)
        font.lfHeight = -static_cast<int>(format.yHeight * 0.05 * 1.3333334 + 0.5);
}

void SetValue(CPropOb* property, long value, BOOL asInt)
{
    if (asInt)
        property->SetIntValue(static_cast<int>(value));
    else
        property->SetLongValue(value);
}

} // namespace

LOGFONT CHyperFmtView::FontOf(CPropOb* property)
{
    CString text;
    property->GetStringValue(text);
    CFontDescriptor font;
    font.FromString(text);
    return font.GetLogFont();
}

std::vector<CHyperBaseOb*> CHyperFmtView::GetTargets() const
{
    std::vector<CHyperBaseOb*> targets{GetCurrentObject()};
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(m_selection.GetAt(i));
        if (object != targets.front())
            targets.push_back(object);
    }
    return targets;
}

CPropOb* CHyperFmtView::FindProperty(CHyperBaseOb* target, UINT id, int alternate)
{
    auto create = [this, target](UINT which) {
        return target ? target->CreateProperty(which, 0) : CreateFormatProperty(which);
    };
    CPropOb* property = create(id);
    if (!property && alternate >= 0)
        property = create(static_cast<UINT>(alternate));
    return property;
}

CPropOb* CHyperFmtView::CreateFormatProperty(UINT id)
{
    CHyperViewOb* page = GetPageObject();
    if (id == FontId)
        return page ? new CPropFont(id, &page->Font) : nullptr;
    if (id == BackColorId) {
        if (m_useObjectDefaults)
            return new CPropColor(id, &m_defaultBackColor);
        return page ? new CPropColor(id, &page->Color) : nullptr;
    }
    if (!m_useObjectDefaults)
        return nullptr;
    switch (id) {
    case ForeColorId:
        return new CPropColor(id, &m_defaultForeColor);
    case HatchStyleId:
        return new CPropCombo(id, reinterpret_cast<DWORD*>(&m_defaultHatchStyle));
    case ShadowStyleId:
        return new CPropCombo(id, reinterpret_cast<DWORD*>(&m_defaultShadowStyle));
    case AlignmentId:
        return new CPropCombo(id, reinterpret_cast<DWORD*>(&m_defaultConnectorStyle));
    case LineStyleId:
        return new CPropCombo(id, reinterpret_cast<DWORD*>(&m_defaultPenStyle));
    case LineWidthId:
        return new CPropInt(id, &m_defaultPenWidth, 1, 10);
    case ArrowheadId:
        return new CPropCombo(id, reinterpret_cast<DWORD*>(&m_defaultLineStyle));
    default:
        return nullptr;
    }
}

// Nothing changes, and no undo step is taken, when no target has the property.
template <typename Set>
void CHyperFmtView::ApplyProperty(UINT id, int alternate, Set set)
{
    const std::vector<CHyperBaseOb*> targets = GetTargets();
    std::vector<std::pair<CHyperBaseOb*, std::unique_ptr<CPropOb>>> found;
    for (CHyperBaseOb* target : targets)
        if (CPropOb* property = FindProperty(target, id, alternate))
            found.emplace_back(target, property);
    if (found.empty())
        return;
    PushUndo(CreateUndoRecord(UndoProperties), FALSE);
    for (auto& [target, property] : found) {
        set(property.get());
        property->OnValueChanged();
    }
    CHyperBaseOb* primary = targets.front() ? targets.front() : GetPageObject();
    if (primary)
        primary->UpdateLayout(0, 0);
    for (size_t i = 1; i < targets.size() && targets.size() >= 2; ++i)
        static_cast<CHyperOb*>(targets[i])->Refresh(FALSE);
    UpdateGroupRects();
    if (CDocument* document = GetDocument())
        document->SetModifiedFlag(TRUE);
    if (m_hWnd)
        Invalidate(FALSE);
}

long CHyperFmtView::QueryProperty(UINT id, int alternate, BOOL asInt)
{
    for (CHyperBaseOb* target : GetTargets())
        if (std::unique_ptr<CPropOb> property{FindProperty(target, id, alternate)})
            return ValueOf(property.get(), asInt);
    return 0;
}

long CHyperFmtView::ApplyLongProperty(long value, UINT id, int alternate, BOOL query)
{
    if (query)
        return QueryProperty(id, alternate, FALSE);
    ApplyProperty(id, alternate, [value](CPropOb* property) { property->SetLongValue(value); });
    return 0;
}

int CHyperFmtView::ApplyIntProperty(int value, UINT id, int alternate, BOOL query)
{
    if (query)
        return static_cast<int>(QueryProperty(id, alternate, TRUE));
    ApplyProperty(id, alternate, [value](CPropOb* property) { property->SetIntValue(value); });
    return 0;
}

void CHyperFmtView::ApplyLinked(UINT id, int alternate, long value, BOOL asInt)
{
    const BOOL record = m_recordUndo;
    m_recordUndo = FALSE;
    ApplyProperty(id, alternate, [value, asInt](CPropOb* property) { SetValue(property, value, asInt); });
    m_recordUndo = record;
}

void CHyperFmtView::ApplyFont(const FontModifier* modifier, const CHARFORMAT* format)
{
    ApplyProperty(FontId, NoAlternate, [this, modifier, format](CPropOb* property) {
        CString text;
        property->GetStringValue(text);
        CFontDescriptor font;
        font.FromString(text);
        LOGFONT& logFont = font.GetLogFont();
        if (logFont.lfHeight == 0)
            GetPageFont(&logFont);
        if (modifier && *modifier == FontModifier::Bold)
            logFont.lfWeight = logFont.lfWeight == FW_BOLD ? FW_NORMAL : FW_BOLD;
        else if (modifier)
            logFont.lfItalic = !logFont.lfItalic;
        else if (format)
            TakeCharFormat(logFont, *format);
        property->SetStringValue(font.ToString());
    });
}

int CHyperFmtView::UpdateFromSelection(CCmdUI* cmdUI, const Comparator& comparator, UINT id, int alternate,
                                       BOOL* found)
{
    const std::vector<CHyperBaseOb*> targets = GetTargets();
    int state = 0;
    BOOL held = FALSE;
    for (size_t i = 0; i < targets.size(); ++i) {
        std::unique_ptr<CPropOb> property{FindProperty(targets[i], id, alternate)};
        if (!property) {
            if (held)
                break;
            continue;
        }
        const int answer = comparator(property.get(), !held);
        state = !held ? answer : (answer == 2 ? 2 : state);
        held = TRUE;
    }
    if (found)
        *found = IsEditMode() && held;
    if (cmdUI)
        cmdUI->SetCheck(state);
    return state;
}

int CHyperFmtView::UpdateValue(CCmdUI* cmdUI, UINT id, int alternate, long itemValue, BOOL asInt)
{
    long first = 0;
    return UpdateFromSelection(
        cmdUI,
        [&first, itemValue, asInt](CPropOb* property, BOOL isFirst) {
            const long value = ValueOf(property, asInt);
            if (isFirst) {
                first = value;
                return value == itemValue ? 1 : 0;
            }
            return value != first ? 2 : 0;
        },
        id, alternate, nullptr);
}
