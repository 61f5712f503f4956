// The parts of the program's resources that are registered from their own files.
#pragma once

#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

#include <utility>
#include <vector>

inline MenuTemplateItem Command(UINT id, const char* text) { return {MF_STRING, id, text, {}}; }
inline MenuTemplateItem Separator() { return {MF_SEPARATOR, 0, "", {}}; }
inline MenuTemplateItem Popup(const char* text, std::vector<MenuTemplateItem> items)
{
    return {MF_POPUP, 0, text, std::move(items)};
}

void RegisterToolBars();
void RegisterPictures();
void RegisterDialogs();
void RegisterProjectResources();

// The menu-bar drop-down of the project commands.
MenuTemplateItem ProjectMenu();
void RegisterPropertyTexts();
// The main view's context menus and texts, and the Tools drop-down of the menu bar.
void RegisterMainViewResources();
MenuTemplateItem ToolsMenu();
