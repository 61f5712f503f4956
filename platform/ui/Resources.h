// The resource registry: menus, accelerators, dialog templates and binary resources
// (bitmaps, icons, cursors) by numeric id, filled at start-up from res/. String tables live
// with CString in the core layer.
#pragma once

#include "platform/core/BinaryResources.h"
#include "platform/ui/UiTypes.h"

#include <string>
#include <vector>

struct MenuTemplateItem {
    UINT flags = 0; // MF_* flags; an item with children is a pop-up
    UINT id = 0;
    std::string text;
    std::vector<MenuTemplateItem> children;
};

// Positions and sizes in dialog units.
struct DialogItemTemplate {
    std::string className; // "button", "edit", "static", "listbox", "combobox", "scrollbar" or a registered class
    std::string text;
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    WORD fontSize = 8;
    std::vector<DialogItemTemplate> items;
};

// A tool bar: button size and the command ids of its buttons (0 is a separator).
struct ToolBarTemplate {
    WORD width = 16;
    WORD height = 15;
    std::vector<UINT> items;
};

void RegisterMenuResource(UINT id, std::vector<MenuTemplateItem> items);
const std::vector<MenuTemplateItem>* FindMenuResource(UINT id);

void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> entries);
const std::vector<ACCEL>* FindAcceleratorResource(UINT id);

void RegisterDialogResource(UINT id, DialogTemplate dialog);
const DialogTemplate* FindDialogResource(UINT id);

void RegisterToolBarResource(UINT id, ToolBarTemplate toolBar);
const ToolBarTemplate* FindToolBarResource(UINT id);
// The bitmap of a tool bar's pictures at 32 x 32, for large icons, is named after the tool bar.
std::string LargeToolBarBitmapName(UINT toolBarId);

// A registered bitmap file as a device bitmap the caller deletes; NULL when the file is
// missing or its header, colour table or bits run past its end.
HBITMAP LoadBitmapFromFile(const std::vector<BYTE>* file);
HBITMAP LoadBitmapResource(UINT id);

// Dialog units to pixels for the standard dialog font: 4 horizontal and 8 vertical units per
// character cell of 6 x 13 pixels.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
