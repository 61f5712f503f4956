// The formatting commands and their update handlers, as tables of menu items and of the
// tool-bar buttons that step through their values.
#include "View/HyperFmtView.h"

#include "View/ColourChooser.h"
#include "objects/PropOb.h"
#include "platform/toolkit/XTPControl.h"
#include "platform/ui/CmdUI.h"

#include <climits>
#include <iterator>

namespace {

using Link = CHyperFmtView::LinkedChange;

struct ValueItems {
    UINT first;
    UINT last;
    UINT property;
    int alternate;
    int updateAlternate;
    BOOL asInt;
    int values[7];
    Link link;
};

constexpr ValueItems kValueItems[] = {
    {60582, 60584, CHyperFmtView::AlignmentId, CHyperFmtView::LayoutId, CHyperFmtView::LayoutId, FALSE, {0, 6, 2},
     Link::None},
    {27176, 27181, CHyperFmtView::LineWidthId, CHyperFmtView::BorderWidthId, CHyperFmtView::BorderWidthId, TRUE,
     {0, 1, 2, 3, 4, 5}, Link::SolidUnlessWidthOne},
    {27169, 27173, CHyperFmtView::LineStyleId, CHyperFmtView::NoAlternate, CHyperFmtView::BorderWidthId, FALSE,
     {0, 1, 2, 3, 4}, Link::WidthOneUnlessSolid},
    {27186, 27189, CHyperFmtView::ArrowheadId, CHyperFmtView::NoAlternate, CHyperFmtView::NoAlternate, FALSE,
     {0, 1, 2, 3}, Link::None},
    {27042, 27048, CHyperFmtView::HatchStyleId, CHyperFmtView::NoAlternate, CHyperFmtView::NoAlternate, FALSE,
     {CHyperFmtView::NoHatch, 0, 1, 2, 3, 4, 5}, Link::None},
    {27301, 27305, CHyperFmtView::ShadowStyleId, CHyperFmtView::NoAlternate, CHyperFmtView::NoAlternate, FALSE,
     {0, 1, 2, 3, 4}, Link::None},
};

struct CycleButton {
    UINT id;
    UINT property;
    int alternate;
    BOOL asInt;
    int (*next)(int);
    Link link;
};

constexpr CycleButton kCycleButtons[] = {
    {27174, CHyperFmtView::LineWidthId, CHyperFmtView::BorderWidthId, TRUE, [](int v) { return v + 1 >= 6 ? 0 : v + 1; },
     Link::SolidUnlessWidthOne},
    {27168, CHyperFmtView::LineStyleId, CHyperFmtView::NoAlternate, FALSE, [](int v) { return (v + 1) % 5; },
     Link::WidthOneUnlessSolid},
    {27185, CHyperFmtView::ArrowheadId, CHyperFmtView::NoAlternate, FALSE, [](int v) { return (v + 1) & 3; },
     Link::None},
    {28575, CHyperFmtView::HatchStyleId, CHyperFmtView::NoAlternate, FALSE,
     [](int v) {
         if (v == CHyperFmtView::NoHatch)
             return 0;
         const int next = (v + 1) % 7;
         return next == 6 ? CHyperFmtView::NoHatch : next;
     },
     Link::None},
    {28576, CHyperFmtView::ShadowStyleId, CHyperFmtView::NoAlternate, FALSE, [](int v) { return (v + 1) % 5; },
     Link::None},
};

const ValueItems* FindItems(UINT id)
{
    for (const ValueItems& items : kValueItems)
        if (id >= items.first && id <= items.last)
            return &items;
    return nullptr;
}

const CycleButton* FindButton(UINT id)
{
    for (const CycleButton& button : kCycleButtons)
        if (button.id == id)
            return &button;
    return nullptr;
}

} // namespace

// The value, then the change it brings along, in the same undo step.
void CHyperFmtView::ApplyWithLink(int value, UINT property, int alternate, BOOL asInt, LinkedChange link)
{
    if (asInt)
        ApplyIntProperty(value, property, alternate, FALSE);
    else
        ApplyLongProperty(value, property, alternate, FALSE);
    if (link == Link::SolidUnlessWidthOne && value != 1)
        ApplyLinked(LineStyleId, NoAlternate, 0, FALSE);
    else if (link == Link::WidthOneUnlessSolid && value != 0)
        ApplyLinked(LineWidthId, BorderWidthId, 1, TRUE);
}

BEGIN_MESSAGE_MAP(CHyperFmtView, CFreeHandView)
    ON_COMMAND_RANGE(60582, 60584, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(60582, 60584, OnUpdateValueItem)
    ON_COMMAND_RANGE(27176, 27181, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(27176, 27181, OnUpdateValueItem)
    ON_COMMAND_RANGE(27169, 27173, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(27169, 27173, OnUpdateValueItem)
    ON_COMMAND_RANGE(27186, 27189, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(27186, 27189, OnUpdateValueItem)
    ON_COMMAND_RANGE(27042, 27048, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(27042, 27048, OnUpdateValueItem)
    ON_COMMAND_RANGE(27301, 27305, OnValueItem)
    ON_UPDATE_COMMAND_UI_RANGE(27301, 27305, OnUpdateValueItem)
    ON_COMMAND_RANGE(27174, 27174, OnCycleButton)
    ON_COMMAND_RANGE(27168, 27168, OnCycleButton)
    ON_COMMAND_RANGE(27185, 27185, OnCycleButton)
    ON_COMMAND_RANGE(28575, 28576, OnCycleButton)
    ON_UPDATE_COMMAND_UI_RANGE(27174, 27174, OnUpdateCycleButton)
    ON_UPDATE_COMMAND_UI_RANGE(27168, 27168, OnUpdateCycleButton)
    ON_UPDATE_COMMAND_UI_RANGE(27185, 27185, OnUpdateCycleButton)
    ON_UPDATE_COMMAND_UI_RANGE(28575, 28576, OnUpdateCycleButton)
    ON_COMMAND(CHyperFmtView::CmdBold, OnBold)
    ON_UPDATE_COMMAND_UI(CHyperFmtView::CmdBold, OnUpdateBold)
    ON_COMMAND(CHyperFmtView::CmdItalic, OnItalic)
    ON_UPDATE_COMMAND_UI(CHyperFmtView::CmdItalic, OnUpdateItalic)
    ON_COMMAND_RANGE(60550, 60551, OnColorCommand)
    ON_UPDATE_COMMAND_UI_RANGE(60550, 60551, OnUpdateColorCommand)
    ON_COMMAND_RANGE(60619, 60622, OnColorCommand)
    ON_UPDATE_COMMAND_UI_RANGE(60619, 60622, OnUpdateColorCommand)
    // The colour grids are enabled with their commands; without a handler they would be disabled.
    ON_UPDATE_COMMAND_UI_RANGE(CHyperFmtView::ForeColorSelector, CHyperFmtView::BackColorSelector, OnUpdateColorCommand)
    ON_UPDATE_COMMAND_UI(CHyperFmtView::FontNameBox, OnUpdateFontBox)
    ON_UPDATE_COMMAND_UI(CHyperFmtView::FontSizeBox, OnUpdateFontBox)
    ON_NOTIFY_RANGE(XTPN_COMBOQUERY, CHyperFmtView::FontNameBox, CHyperFmtView::FontNameBox, OnFontQuery)
    ON_NOTIFY_RANGE(XTPN_COMBOQUERY, CHyperFmtView::FontSizeBox, CHyperFmtView::FontSizeBox, OnFontQuery)
    ON_NOTIFY_RANGE(XTPN_COMBOEXECUTE, CHyperFmtView::FontNameBox, CHyperFmtView::FontNameBox, OnFontExecute)
    ON_NOTIFY_RANGE(XTPN_COMBOEXECUTE, CHyperFmtView::FontSizeBox, CHyperFmtView::FontSizeBox, OnFontExecute)
    ON_NOTIFY_RANGE(XTPN_EXECUTE, CHyperFmtView::ForeColorSelector, CHyperFmtView::BackColorSelector, OnColorSelector)
END_MESSAGE_MAP()

void CHyperFmtView::OnValueItem(UINT id)
{
    const ValueItems* items = FindItems(id);
    if (!items)
        return;
    ApplyWithLink(items->values[id - items->first], items->property, items->alternate, items->asInt,
                  items->link);
}

void CHyperFmtView::OnUpdateValueItem(CCmdUI* cmdUI)
{
    if (const ValueItems* items = FindItems(cmdUI->m_nID))
        UpdateValue(cmdUI, items->property, items->updateAlternate, items->values[cmdUI->m_nID - items->first],
                    items->asInt);
}

void CHyperFmtView::OnCycleButton(UINT id)
{
    const CycleButton* button = FindButton(id);
    if (!button)
        return;
    const int current = static_cast<int>(button->asInt ? ApplyIntProperty(0, button->property, button->alternate, TRUE)
                                                       : ApplyLongProperty(0, button->property, button->alternate, TRUE));
    ApplyWithLink(button->next(current), button->property, button->alternate, button->asInt, button->link);
}

// Drop-down buttons stay unchecked unless the selection is mixed.
void CHyperFmtView::OnUpdateCycleButton(CCmdUI* cmdUI)
{
    if (const CycleButton* button = FindButton(cmdUI->m_nID))
        UpdateValue(cmdUI, button->property, button->alternate, LONG_MIN, button->asInt);
}

void CHyperFmtView::OnBold()
{
    const FontModifier bold = FontModifier::Bold;
    ApplyFont(&bold);
}

void CHyperFmtView::OnItalic()
{
    const FontModifier italic = FontModifier::Italic;
    ApplyFont(&italic);
}

namespace {

BOOL IsBold(const LOGFONT& font)
{
    return font.lfWeight == FW_BOLD;
}

BOOL IsItalic(const LOGFONT& font)
{
    return font.lfItalic != 0;
}

} // namespace

// Checked when the first font has the attribute, indeterminate when the fonts disagree on it.
void CHyperFmtView::UpdateFontAttribute(CCmdUI* cmdUI, BOOL (*attribute)(const LOGFONT&))
{
    m_fontCache.lfHeight = NotCollected;
    UpdateFromSelection(
        cmdUI,
        [this, attribute](CPropOb* property, BOOL first) {
            const LOGFONT font = FontOf(property);
            if (!first)
                return attribute(font) != attribute(m_fontCache) ? 2 : 0;
            m_fontCache = font;
            return attribute(font) ? 1 : 0;
        },
        FontId, NoAlternate, nullptr);
}

void CHyperFmtView::OnUpdateBold(CCmdUI* cmdUI)
{
    UpdateFontAttribute(cmdUI, IsBold);
}

void CHyperFmtView::OnUpdateItalic(CCmdUI* cmdUI)
{
    UpdateFontAttribute(cmdUI, IsItalic);
}

void CHyperFmtView::ApplyColor(BOOL foreground)
{
    if (foreground)
        ApplyLongProperty(static_cast<long>(m_currentForeColor), ForeColorId, TextColorId, FALSE);
    else
        ApplyLongProperty(static_cast<long>(m_currentBackColor), BackColorId, NoAlternate, FALSE);
}

void CHyperFmtView::ChooseMoreColors(BOOL foreground)
{
    m_colorCache = static_cast<COLORREF>(NotCollected);
    UpdateFromSelection(
        nullptr,
        [this](CPropOb* property, BOOL first) {
            long value = 0;
            property->GetLongValue(&value);
            if (first)
                m_colorCache = static_cast<COLORREF>(value);
            return 0;
        },
        foreground ? ForeColorId : BackColorId, foreground ? static_cast<int>(TextColorId) : NoAlternate, nullptr);
    const BOOL known = m_colorCache != static_cast<COLORREF>(NotCollected) && m_colorCache != Automatic;
    COLORREF colour = known ? m_colorCache : Automatic;
    ColourChooser choose = GetColourChooser();
    if (!choose || !choose(colour, this))
        return;
    (foreground ? m_currentForeColor : m_currentBackColor) = colour;
    ApplyColor(foreground);
}

void CHyperFmtView::OnColorCommand(UINT id)
{
    switch (id) {
    case CmdForeAutomatic:
        m_currentForeColor = Automatic;
        break;
    case CmdBackAutomatic:
        m_currentBackColor = Automatic;
        break;
    case CmdForeMoreColors:
    case CmdBackMoreColors:
        ChooseMoreColors(id == CmdForeMoreColors);
        return;
    default:
        break;
    }
    ApplyColor(id == CmdForeColor || id == CmdForeAutomatic);
}

void CHyperFmtView::OnUpdateColorCommand(CCmdUI* cmdUI)
{
    const BOOL foreground = cmdUI->m_nID == CmdForeColor || cmdUI->m_nID == CmdForeAutomatic
        || cmdUI->m_nID == CmdForeMoreColors || cmdUI->m_nID == ForeColorSelector;
    BOOL found = FALSE;
    UpdateFromSelection(
        nullptr, [](CPropOb*, BOOL) { return 0; }, foreground ? ForeColorId : BackColorId,
        foreground ? static_cast<int>(TextColorId) : NoAlternate, &found);
    cmdUI->Enable(found);
}
