// The parts of the program's resources that are registered from their own files.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

#include <functional>
#include <span>
#include <utility>
#include <vector>

inline MenuTemplateItem Command(UINT id, const char* text) { return {MF_STRING, id, text, {}}; }
inline MenuTemplateItem Separator() { return {MF_SEPARATOR, 0, "", {}}; }
inline MenuTemplateItem Popup(const char* text, std::vector<MenuTemplateItem> items)
{
    return {MF_POPUP, 0, text, std::move(items)};
}

// A centred modal dialog with a caption, cx x cy dialog units, in the dialogs' font.
inline DialogTemplate ModalBox(const char* caption, short cx, short cy)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    return t;
}

void RegisterToolBars();
// String resources, a row each.
struct StringRow {
    UINT id;
    const char* text;
};
void RegisterStringRows(std::span<const StringRow> rows);

// The menus behind the tool bars' split buttons.
void RegisterDropDownMenus();
// The prompts and tool tips of the commands.
void RegisterCommandTexts();
void RegisterPictures();
void RegisterDialogs();
void RegisterProjectResources();
void RegisterListEditResources();
void RegisterSpellResources();
void RegisterOleResources();
void RegisterPreviewResources();

// The menu-bar drop-down of the project commands.
MenuTemplateItem ProjectMenu();
void RegisterPropertyTexts();
void RegisterPaintResources();

// A 24-bit bitmap file, point by point.
std::vector<BYTE> PictureFile(int width, int height, const std::function<COLORREF(int, int)>& pixel);
// The main view's context menus and texts, and the Tools drop-down of the menu bar.
void RegisterMainViewResources();
MenuTemplateItem ToolsMenu();
// The export commands' drop-down, the mail command and the dialogs and texts behind them.
MenuTemplateItem ExportMenu();
MenuTemplateItem MailMenuCommand();
void RegisterExportResources();
