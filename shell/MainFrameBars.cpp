// What the main frame supplies while the command bars are built: the drop-down bars behind
// split buttons and menus, and the richer controls that replace plain buttons.
#include "shell/MainFrame.h"

#include "shell/ControlButtons.h"
#include "shell/VantrelApp.h"
#include "platform/toolkit/XTPControlColor.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Resources.h"

#include <span>
#include <vector>

namespace {

enum class Match { Caption, Id, TornOff };
enum class Build { PopupBar, PopupToolBar, KeepTornOff };
enum class Buttons { Unchanged, AllIcon, FirstCaption };
enum class Flag { Unchanged, Set, Clear };

struct BarRule {
    Match match;
    UINT id;          // the control's id, or the tear-off id of a torn-off bar
    LPCTSTR caption;  // language key of the caption
    Build build;
    UINT resource;    // tool bar resource of a popup tool bar
    int width;
    Buttons buttons;
    Flag flag;
    LPCTSTR tearCaption;
    UINT tearId;
};

constexpr BarRule kBarRules[] = {
    {Match::Caption, 0, "Catalog", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Catalog", 28584},
    {Match::Id, 60481, nullptr, Build::PopupToolBar, 406, 200, Buttons::AllIcon, Flag::Unchanged, "Lines", 406},
    {Match::Id, 33807, nullptr, Build::PopupToolBar, 408, 200, Buttons::AllIcon, Flag::Unchanged, "Shapes", 408},
    {Match::Id, 60480, nullptr, Build::PopupToolBar, 410, 200, Buttons::AllIcon, Flag::Unchanged, "Advanced", 410},
    {Match::Id, 33808, nullptr, Build::PopupToolBar, 404, 200, Buttons::AllIcon, Flag::Unchanged, "Pictures", 404},
    {Match::Id, 33983, nullptr, Build::PopupToolBar, 275, 500, Buttons::AllIcon, Flag::Unchanged, "Pens", 275},
    {Match::Id, 34054, nullptr, Build::PopupToolBar, 373, 100, Buttons::Unchanged, Flag::Set, "Note Objects", 373},
    // The zoom drop-down has no tool bar resource of its own: it shows the zoom menu.
    {Match::Id, 28566, nullptr, Build::PopupBar, 0, 100, Buttons::Unchanged, Flag::Set, "Zoom", 1004},
    {Match::Caption, 0, "Project", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Project", 23008},
    {Match::Caption, 0, "Notes", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Note Objects", 373},
    {Match::Caption, 0, "Themes", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Themes", 1005},
    {Match::Caption, 0, "Edit", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Edit", 1003},
    {Match::Caption, 0, "Zoom", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Unchanged, "Zoom", 1004},
    {Match::TornOff, 1000, "Foreground Color", Build::KeepTornOff, 0, 0, Buttons::Unchanged, Flag::Clear, nullptr, 0},
    {Match::TornOff, 1001, "Background Color", Build::KeepTornOff, 0, 0, Buttons::Unchanged, Flag::Clear, nullptr, 0},
    // The Format bar's buttons carry the same captions as the menus: their ids must match first.
    {Match::Id, 28575, nullptr, Build::PopupToolBar, 1006, 46, Buttons::FirstCaption, Flag::Clear, "Hatch Style", 1006},
    {Match::Id, 28576, nullptr, Build::PopupToolBar, 28585, 46, Buttons::FirstCaption, Flag::Clear, "Shadow Style",
     28585},
    {Match::Caption, 0, "Hatch Style", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Clear, "Hatch Style", 1006},
    {Match::Caption, 0, "Shadow Style", Build::PopupBar, 0, 0, Buttons::Unchanged, Flag::Clear, "Shadow Style", 28585},
};


struct ControlRule {
    UINT command;
    UINT toolBar;
    Supply supply;
};

constexpr ControlRule kControlRules[] = {
    {28573, 128, Supply::SplitButton},   {28574, 128, Supply::SplitButton},   {28566, 249, Supply::SplitButton},
    {28567, 27908, Supply::SplitButton}, {28568, 27908, Supply::SplitButton}, {28569, 27908, Supply::SplitButton},
    {28570, 27908, Supply::SplitButton}, {28571, 27908, Supply::SplitButton}, {28572, 27908, Supply::SplitButton},
    {256, 27908, Supply::SplitButton},   {33954, 247, Supply::FontCombo},     {60553, 247, Supply::SizeCombo},
    {28575, 247, Supply::SplitButton},   {28576, 247, Supply::SplitButton},   {33983, 273, Supply::SplitButton},
    {34054, 167, Supply::SplitButton},   {60481, 167, Supply::SplitButton},   {33807, 167, Supply::SplitButton},
    {60480, 167, Supply::SplitButton},   {33808, 167, Supply::SplitButton},   {34051, 371, Supply::AudioWindow},
    {34059, 386, Supply::AudioWindow},
};

struct ColorPicker {
    UINT command;
    UINT automatic, selector, more;
    LPCTSTR tearCaption;
    UINT tearId;
};

constexpr ColorPicker kColorPickers[] = {
    {60551, 60619, 60610, 60620, "Forground Color", 1000},
    {60550, 60621, 60611, 60622, "Background Color", 1001},
};

constexpr UINT kMenuZoom = 28566;
constexpr UINT kCaptionOnlyButtons[] = {27042, 27301};

bool Matches(const BarRule& rule, const CreateBarRequest& request, const CString& caption)
{
    switch (rule.match) {
    case Match::Caption: return request.bPopup && !request.bTearOffBar && caption == GetLanguageText(rule.caption);
    case Match::Id: return request.bPopup && !request.bTearOffBar && request.nID == rule.id;
    case Match::TornOff:
        return request.bTearOffBar && (request.nID == rule.id || caption == GetLanguageText(rule.caption));
    }
    return false;
}

// Each style change lays the bar out again.
void ApplyButtons(CXTPCommandBar* bar, Buttons buttons)
{
    if (buttons == Buttons::AllIcon)
        for (int i = 0; i < bar->GetControlCount(); ++i)
            bar->GetControl(i)->SetStyle(ButtonIcon);
    else if (buttons == Buttons::FirstCaption && bar->GetControlCount() > 0)
        bar->GetControl(0)->SetStyle(ButtonCaption);
}

void ApplyFlag(CXTPCommandBar* bar, Flag flag)
{
    if (flag == Flag::Set)
        bar->SetBarFlags(BarFlagShowExpandButton);
    else if (flag == Flag::Clear)
        bar->SetBarFlags(0, BarFlagShowExpandButton);
}

// A drop-down of buttons made by the frame: tear-off capable, flag cleared.
CXTPPopupToolBar* NewPickerBar(CXTPCommandBars* bars, LPCTSTR tearCaption, UINT tearId)
{
    CXTPPopupToolBar* bar = CXTPPopupToolBar::CreatePopupToolBar(bars);
    bar->SetTearOffPopup(GetLanguageText(tearCaption), tearId, 0);
    bar->SetBarFlags(0, BarFlagShowExpandButton);
    return bar;
}

// The popup takes its own reference to the bar; the frame drops the one it made.
CXTPControl* PopupWith(CXTPControlPopup* popup, CXTPPopupToolBar* bar)
{
    popup->SetCommandBar(bar);
    bar->InternalRelease();
    return popup;
}

CXTPControl* NewColorPicker(CXTPCommandBars* bars, const ColorPicker& picker)
{
    CXTPPopupToolBar* bar = NewPickerBar(bars, picker.tearCaption, picker.tearId);
    auto* automatic = new CXTPControlButtonColor;
    automatic->SetStyle(ButtonCaption);
    bar->GetControls()->Add(automatic, picker.automatic, "");
    bar->GetControls()->Add(new CXTPControlColorSelector, picker.selector, "");
    bar->GetControls()->Add(new CXTPControlButtonColor, picker.more, "");
    return PopupWith(new CXTPControlPopupColor, bar);
}

CXTPControl* NewSplitPopup(CXTPCommandBars* bars, LPCTSTR tearCaption, UINT tearId,
                           std::span<CXTPControl* const> items, UINT firstId)
{
    CXTPPopupToolBar* bar = NewPickerBar(bars, tearCaption, tearId);
    // A width below one entry stacks the entries in a column.
    bar->SetWidth(1);
    UINT id = firstId;
    for (CXTPControl* item : items)
        bar->GetControls()->Add(item, id++, "");
    return PopupWith(CXTPControlPopup::CreateControlPopup(ControlTypeSplitButtonPopup), bar);
}

// The first entry of a picker is "None", shown as text.
CXTPControl* NoneEntry(CXTPControl* control)
{
    control->SetCaption(GetLanguageText("None"));
    control->SetStyle(ButtonCaption);
    return control;
}

// The line drop-downs: the command of their split button, the commands of their entries, their
// tear-off caption and bar id.
struct LinePicker {
    UINT command, first, last;
    const char* tearCaption;
    UINT tearId;
};

constexpr LinePicker kLinePickers[] = {{27174, 27176, 27181, "Line Width", 1007},
                                       {27168, 27169, 27173, "Line Style", 1008},
                                       {27185, 27186, 27189, "Line Arrow", 1009}};

// The entry of a line drop-down for its command, showing the width, dash style or arrow heads
// the command sets (the first widths and arrows entry is "None"); null for other commands. A
// tool bar the user put such an entry on gets it back this way when its commands are read.
CXTPControl* NewPreviewButton(UINT id)
{
    const LinePicker& width = kLinePickers[0];
    if (id >= width.first && id <= width.last)
        return id == width.first ? NoneEntry(new CControlButtonLine(-1.0)) : new CControlButtonLine(double(id - width.first));
    if (id >= kLinePickers[1].first && id <= kLinePickers[1].last)
        return new CControlButtonStyle(static_cast<int>(id));
    const LinePicker& arrow = kLinePickers[2];
    if (id >= arrow.first && id <= arrow.last)
        return id == arrow.first ? NoneEntry(new CControlButtonArrow(0)) : new CControlButtonArrow(static_cast<int>(id));
    return nullptr;
}

CXTPControl* NewLinePicker(CXTPCommandBars* bars, UINT command)
{
    for (const LinePicker& picker : kLinePickers) {
        if (picker.command != command)
            continue;
        std::vector<CXTPControl*> items;
        for (UINT id = picker.first; id <= picker.last; ++id)
            items.push_back(NewPreviewButton(id));
        return NewSplitPopup(bars, picker.tearCaption, picker.tearId, items, picker.first);
    }
    return nullptr;
}

} // namespace

LRESULT CMainFrame::OnCreateCommandBar(WPARAM, LPARAM lParam)
{
    auto* request = reinterpret_cast<CreateBarRequest*>(lParam);
    return request && CreateCommandBar(*request);
}

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    auto* request = reinterpret_cast<CreateControlRequest*>(lParam);
    return request && CreateControl(*request);
}

BOOL CMainFrame::CreateCommandBar(CreateBarRequest& request)
{
    const CString caption = request.strCaption;
    for (const BarRule& rule : kBarRules) {
        if (!Matches(rule, request, caption))
            continue;
        if (rule.build == Build::KeepTornOff) {
            if (request.pCommandBar)
                ApplyFlag(request.pCommandBar, rule.flag);
            return request.pCommandBar != nullptr;
        }
        CXTPPopupBar* bar = nullptr;
        if (rule.build == Build::PopupToolBar) {
            bar = CXTPPopupToolBar::CreatePopupToolBar(GetCommandBars());
            bar->LoadToolBar(rule.resource);
        } else {
            bar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
            if (rule.id == kMenuZoom)
                if (const std::vector<MenuTemplateItem>* items = FindMenuResource(kMenuZoom))
                    bar->LoadMenuItems(*items);
        }
        if (rule.width)
            bar->SetWidth(rule.width);
        ApplyButtons(bar, rule.buttons);
        ApplyFlag(bar, rule.flag);
        bar->SetTearOffPopup(GetLanguageText(rule.tearCaption), rule.tearId, 400);
        request.pCommandBar = bar;
        return TRUE;
    }
    return FALSE;
}

BOOL CMainFrame::CreateControl(CreateControlRequest& request)
{
    const CXTPToolBar* toolBar = nullptr;
    if (request.bToolBar) {
        toolBar = dynamic_cast<const CXTPToolBar*>(request.pCommandBar);
        if (!toolBar)
            return FALSE;
        for (const ControlRule& rule : kControlRules)
            if (rule.command == request.nID && rule.toolBar == toolBar->GetBarID())
                return SupplyToolBarControl(request, rule.supply);
        if (CXTPControl* preview = NewPreviewButton(request.nID)) {
            request.pControl = preview;
            return TRUE;
        }
    }
    if (request.controlType != ControlTypeButton)
        return FALSE;
    for (const ColorPicker& picker : kColorPickers)
        if (picker.command == request.nID) {
            request.pControl = NewColorPicker(GetCommandBars(), picker);
            return TRUE;
        }
    if (CXTPControl* picker = NewLinePicker(GetCommandBars(), request.nID)) {
        request.pControl = picker;
        return TRUE;
    }
    for (UINT id : kCaptionOnlyButtons)
        if (id == request.nID) {
            auto* button = new CXTPControlButton;
            button->SetStyle(ButtonCaption);
            request.pControl = button;
            return TRUE;
        }
    return FALSE;
}

BOOL CMainFrame::SupplyToolBarControl(CreateControlRequest& request, Supply supply)
{
    switch (supply) {
    case Supply::SplitButton: request.controlType = ControlTypeSplitButtonPopup; return TRUE;
    case Supply::FontCombo: {
        auto* box = new CXTPControlFontComboBox(1);
        box->SetDropDownListStyle();
        request.pControl = box;
        return TRUE;
    }
    case Supply::SizeCombo: {
        auto* box = new CXTPControlSizeComboBox;
        box->SetDropDownListStyle();
        request.pControl = box;
        return TRUE;
    }
    case Supply::AudioWindow: break;
    }
    CWnd* window = CreateAudioBarWindow(request.nID, CRect(0, 0, 200, 16));
    if (!window)
        return FALSE;
    auto* custom = new CXTPControlCustom;
    custom->SetControl(window);
    custom->SetBorders(3, 3, 3, 3);
    custom->SetVerticalPositionOption(2);
    request.pControl = custom;
    return TRUE;
}
