// The resources of the project pane: its dialogs, the tree's context menus and its texts.
#include "res/ResourceParts.h"

#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TreeCtrl.h"

namespace {

DialogItemTemplate Item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate {cls, text, id, WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy};
}

void RegisterProjectDialogs()
{
    DialogTemplate password = ModalBox("Passwordcheck", 186, 45);
    password.items = {Item("edit", "", 1105, WS_TABSTOP | WS_BORDER | ES_PASSWORD | ES_AUTOHSCROLL, 17, 7, 149, 14),
                      Item("button", "OK", 1107, WS_TABSTOP | BS_DEFPUSHBUTTON, 17, 24, 72, 14),
                      Item("button", "Cancel", 1108, WS_TABSTOP, 93, 24, 72, 14)};
    RegisterDialogResource(365, password);

    DialogTemplate newProject = ModalBox("<New Project>", 200, 80);
    newProject.items = {Item("static", "<Name:>", 0xFFFF, 0, 7, 9, 50, 8),
                        Item("edit", "", 23071, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 60, 7, 133, 14),
                        Item("static", "<Projects:>", 0xFFFF, 0, 7, 29, 50, 8),
                        Item("combobox", "", 23072, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 60, 27, 133, 80),
                        Item("button", "<OK>", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 88, 59, 50, 14),
                        Item("button", "<Cancel>", IDCANCEL, WS_TABSTOP, 143, 59, 50, 14)};
    RegisterDialogResource(23011, newProject);

    DialogTemplate openProject = ModalBox("<Open Project>", 200, 60);
    openProject.items = {Item("static", "<Project:>", 0xFFFF, 0, 7, 9, 50, 8),
                         Item("combobox", "", 23071, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 60, 7, 133, 80),
                         Item("button", "<Browse...>", 23070, WS_TABSTOP, 7, 39, 60, 14),
                         Item("button", "<OK>", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 88, 39, 50, 14),
                         Item("button", "<Cancel>", IDCANCEL, WS_TABSTOP, 143, 39, 50, 14)};
    RegisterDialogResource(23012, openProject);

    DialogTemplate confirm = ModalBox("<Confirm Remove>", 180, 52);
    confirm.items = {Item("button", "<Delete selected file as well?>", 23070, WS_TABSTOP | BS_AUTOCHECKBOX, 7, 7, 166, 12),
                     Item("button", "<Yes>", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 68, 31, 50, 14),
                     Item("button", "<No>", IDCANCEL, WS_TABSTOP, 123, 31, 50, 14)};
    RegisterDialogResource(23005, confirm);

    DialogTemplate markers;
    markers.style = WS_CHILD | DS_CONTROL;
    markers.cx = 120;
    markers.cy = 160;
    markers.fontName = "MS Sans Serif";
    markers.items = {Item(WC_TREEVIEW, "", 1090,
                          WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES |
                              TVS_TRACKSELECT | TVS_FULLROWSELECT,
                          0, 0, 120, 145),
                     Item("button", "<Use as filter>", 1092, WS_TABSTOP | BS_AUTOCHECKBOX, 3, 148, 114, 10)};
    RegisterDialogResource(322, markers);
}

MenuTemplateItem Sorting()
{
    return Popup("<Sorting...>", {Command(34025, "<None>"), Command(34026, "<By Name>"), Command(34027, "<By Date>")});
}

void RegisterProjectMenus()
{
    RegisterMenuResource(
        23006,
        {Popup("Member", {Command(23025, "<Edit Object>"), Command(23026, "<View Object>"),
                          Command(23031, "<Run Object>"), Command(23037, "<Rename>"), Separator(),
                          Command(23023, "<Insert from File...>"), Command(23024, "<Remove>"), Separator(), Sorting(),
                          Separator(), Command(34035, "<Cut>"), Command(34036, "<Copy>"), Command(34034, "<Insert>"),
                          Separator(), Command(34039, "<Create Desktoplink>"), Separator(),
                          Command(34023, "<Delete Project>"), Command(23020, "<New Project...>"),
                          Command(34021, "<New Subproject>"), Command(23021, "<Open Project...>"),
                          Command(34022, "<Insert Project...>"), Command(23022, "<Close Project>")})});
    RegisterMenuResource(
        23007,
        {Popup("Project", {Command(23023, "<Insert from File...>"), Separator(), Sorting(), Separator(),
                           Popup("<Icon>", {Command(34040, "<Load Icon...>"), Command(34033, "<Edit Icon>")}),
                           Separator(), Command(34035, "<Cut>"), Command(34036, "<Copy>"), Command(34034, "<Insert>"),
                           Separator(), Command(34039, "<Create Desktoplink>"), Separator(),
                           Command(23020, "<New Project...>"), Command(34021, "<New Subproject>"),
                           Command(23021, "<Open Project...>"), Command(34022, "<Insert Project...>"),
                           Command(23037, "<Rename Project>"), Command(23022, "<Close Project>"),
                           Command(34023, "<Delete Project>")})});
}

} // namespace

MenuTemplateItem ProjectMenu()
{
    return Popup("&Project", {Command(23020, "&New Project..."), Command(23021, "&Open Project..."),
                              Command(34022, "&Insert Project..."), Command(23029, "&Save Project"),
                              Command(23022, "&Close Project"), Command(34023, "&Delete Project"), Separator(),
                              Command(34021, "New &Subproject"),
                              Command(23032, "New &Form"), Command(23023, "Insert from &File..."),
                              Command(23024, "&Remove"), Command(23026, "&View Object"),
                              Command(33856, "&Iterate through project's worksheet"), Separator(),
                              Command(34038, "Set &Password"), Command(23028, "Toggle F&olders"),
                              Popup("S&orting", {Command(34025, "&None"), Command(34026, "By &Name"),
                                                 Command(34027, "By &Date")})});
}

void RegisterProjectResources()
{
    RegisterStringResource(23051, "<Project Files (*.prj)>");
    RegisterStringResource(23052, "*.prj");
    RegisterStringResource(23055, "Project ");
    RegisterProjectDialogs();
    RegisterProjectMenus();
}
