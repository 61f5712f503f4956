// The resources of the interactive spelling check: its suggestions and options dialogs and
// the text of an empty suggestion list.
#include "res/ResourceParts.h"

#include "controls/SpellCheckDlg.h"
#include "controls/SpellOptionsDlg.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace {

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLine = WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ;

DialogTemplate Box(const char* caption, short cx, short cy, std::vector<DialogItemTemplate> items)
{
    DialogTemplate box;
    box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    box.cx = cx;
    box.cy = cy;
    box.caption = caption;
    box.items = std::move(items);
    return box;
}

// The buttons stand in one column on the right, 17 units apart, in groups under two lines.
DialogTemplate SpellCheck()
{
    using D = CSpellCheckDlg;
    return Box("<Spelling>", 240, 160, {
        {"static", "<Not in dictionary>:", 0xFFFF, kLabel, 0, 7, 7, 150, 9},
        {"edit", "", D::kWordId, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0, 7, 17, 155, 12},
        {"static", "<Change to>:", 0xFFFF, WS_CHILD, 0, 7, 34, 150, 9},
        {"static", "<Suggestions>:", 0xFFFF, kLabel, 0, 7, 34, 150, 9},
        {"combobox", "", D::kReplacementId, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_SIMPLE | CBS_AUTOHSCROLL, 0, 7, 44,
         155, 109},
        {"button", "<Ignore>", D::kIgnoreId, kButton | BS_DEFPUSHBUTTON, 0, 172, 7, 60, 14},
        {"button", "<Ignore All>", D::kIgnoreAllId, kButton, 0, 172, 24, 60, 14},
        {"static", "", 0xFFFF, kLine, 0, 172, 42, 60, 1},
        {"button", "<Change>", D::kChangeId, kButton, 0, 172, 47, 60, 14},
        {"button", "<Change All>", D::kChangeAllId, kButton, 0, 172, 64, 60, 14},
        {"button", "<Add>", D::kAddId, kButton, 0, 172, 81, 60, 14},
        {"static", "", 0xFFFF, kLine, 0, 172, 99, 60, 1},
        {"button", "<Suggest>", D::kSuggestId, kButton, 0, 172, 104, 60, 14},
        {"button", "<Options...>", D::kOptionsId, kButton, 0, 172, 121, 60, 14},
        {"button", "<Close>", IDCANCEL, kButton, 0, 172, 139, 60, 14}});
}

DialogTemplate SpellOptions()
{
    using D = CSpellOptionsDlg;
    return Box("<Options>", 170, 72, {
        {"button", "<Always suggest>", D::kAlwaysSuggestId, kCheck, 0, 7, 7, 156, 10},
        {"button", "<Ignore Words in UPPERCASE>", D::kIgnoreUppercaseId, kCheck, 0, 7, 20, 156, 10},
        {"button", "<Ignore Words with numbers>", D::kIgnoreNumbersId, kCheck, 0, 7, 33, 156, 10},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 30, 51, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 90, 51, 50, 14}});
}

} // namespace

void RegisterSpellResources()
{
    RegisterDialogResource(CSpellCheckDlg::IDD, SpellCheck());
    RegisterDialogResource(CSpellOptionsDlg::IDD, SpellOptions());
    RegisterStringResource(CSpellCheckDlg::kNoSuggestionsText, "(No Suggestions)");
}
