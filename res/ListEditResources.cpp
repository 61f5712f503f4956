// The list editors' resources: the object tab order and snap points dialogs and the names of
// the snap-point positions.
#include "res/ResourceParts.h"

#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace {

constexpr DWORD kVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kVisible | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEdit = kVisible | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCheck = kVisible | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kDragList = kVisible | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                            LBS_NOINTEGRALHEIGHT;

constexpr const char* kPositionNames[] = {"<top Left>", "<top Right>", "<bottom Right>", "<bottom Left>", "<top>",
                                          "<right>",    "<bottom>",    "<left>",         "<middle>"};
constexpr UINT kFirstPositionName = 27442;

DialogTemplate Resizable(const char* caption, short cx, short cy, std::vector<DialogItemTemplate> items)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    t.items = std::move(items);
    return t;
}

DialogTemplate TabOrderDialog()
{
    return Resizable("<Object Tab Order>", 222, 186, {
        {"listbox", "", 27668, kDragList, 0, 7, 7, 150, 138},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 165, 7, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 165, 24, 50, 14},
        {"static", "", 27729, kVisible | SS_ETCHEDHORZ, 0, 165, 44, 50, 2},
        {"button", "<Up>", 27682, kButton, 0, 165, 52, 50, 14},
        {"button", "<Down>", 27683, kButton, 0, 165, 69, 50, 14},
        {"button", "<Delete>", 27675, kButton, 0, 165, 86, 50, 14},
        {"button", "<Properties>", 27652, WS_CHILD | WS_TABSTOP, 0, 165, 103, 50, 14},
        {"button", "<Form...>", 27737, WS_CHILD | WS_TABSTOP, 0, 165, 120, 50, 14},
        {"button", "<Object code>", 27720, kVisible | BS_GROUPBOX, 0, 7, 150, 150, 29},
        {"edit", "", 27669, kEdit, 0, 13, 161, 138, 12},
    });
}

std::vector<DialogItemTemplate> SnapPointsControls()
{
    return {
        {"listbox", "", 27668, kDragList, 0, 7, 7, 190, 100},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 205, 7, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 205, 24, 50, 14},
        {"static", "", 27696, kVisible | SS_ETCHEDHORZ, 0, 205, 44, 50, 2},
        {"button", "<Add>", 27681, kButton, 0, 205, 52, 50, 14},
        {"button", "<Delete>", 27675, kButton, 0, 205, 69, 50, 14},
        {"button", "<Up>", 27682, kButton, 0, 205, 86, 50, 14},
        {"button", "<Down>", 27683, kButton, 0, 205, 103, 50, 14},
        {"static", "<Type>:", 27719, kVisible, 0, 7, 115, 40, 9},
        {"combobox", "", 27672, kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 50, 113, 147, 100},
        {"static", "dX:", 27721, kVisible, 0, 7, 132, 20, 9},
        {"edit", "", 27670, kEdit, 0, 30, 130, 30, 12},
        {"static", "dY:", 27742, kVisible, 0, 66, 132, 16, 9},
        {"edit", "", 27740, kEdit, 0, 84, 130, 30, 12},
        {"button", "<by pixel>", 27741, kCheck, 0, 122, 130, 75, 12},
        {"static", "<Max. snapped in>:", 27747, kVisible, 0, 7, 149, 70, 9},
        {"edit", "", 27748, kEdit, 0, 80, 147, 30, 12},
        {"static", "<Out>:", 27743, kVisible, 0, 118, 149, 20, 9},
        {"edit", "", 27744, kEdit, 0, 140, 147, 30, 12},
        {"static", "<Tip>:", 27750, kVisible, 0, 7, 166, 40, 9},
        {"edit", "", 27751, kEdit, 0, 50, 164, 147, 12},
        {"button", "<Use grid offset>/<Snap point colour>:", 27749, kCheck, 0, 7, 181, 190, 12},
        {"static", "dG:", 27745, kVisible, 0, 7, 198, 20, 9},
        {"edit", "", 27746, kEdit, 0, 30, 196, 30, 12},
        {"combobox", "", 27673,
         kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, 0, 66, 196, 80, 100},
    };
}

DialogTemplate SnapPointsDialog()
{
    return Resizable("<Snap Points>", 262, 222, SnapPointsControls());
}

// The same with a field for each point's text.
DialogTemplate SnapPointsWithLabelDialog()
{
    std::vector<DialogItemTemplate> items = SnapPointsControls();
    items.push_back({"static", "<Label>:", 27752, kVisible, 0, 7, 215, 40, 9});
    items.push_back({"edit", "", 27753, kEdit, 0, 50, 213, 147, 12});
    return Resizable("<Snap Points>", 262, 239, std::move(items));
}

} // namespace

void RegisterListEditResources()
{
    RegisterDialogResource(27922, TabOrderDialog());
    RegisterDialogResource(27961, SnapPointsDialog());
    RegisterDialogResource(8080, SnapPointsWithLabelDialog());
    for (UINT i = 0; i < 9; ++i)
        RegisterStringResource(kFirstPositionName + i, kPositionNames[i]);
}
