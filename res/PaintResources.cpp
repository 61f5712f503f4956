// The resources of the bitmap and icon editors and of the Edit Bitmap dialog: their dialog
// templates, the paint tool bar and the texts they show.
#include "res/ResourceParts.h"

#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace {

DialogItemTemplate Item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy};
}

DialogTemplate Sizable(const char* caption, short cx, short cy)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    return t;
}

constexpr DWORD kButton = WS_TABSTOP;
constexpr DWORD kPaint = WS_TABSTOP | WS_BORDER;
constexpr UINT kIdSizeGrip = 28023;

void RegisterEditorTemplates()
{
    DialogTemplate bitmap = Sizable("Bitmap Editor", 470, 300);
    bitmap.items = {Item("static", "", 28005, 0, 5, 4, 455, 16),
                    Item("MFCPaintCtrl", "", 28004, kPaint, 5, 24, 395, 270),
                    Item(TRACKBAR_CLASS, "", 28000, WS_TABSTOP | TBS_VERT | TBS_AUTOTICKS, 408, 24, 18, 180),
                    Item("static", "10%", 28001, 0, 428, 26, 30, 8),
                    Item("static", "100%", 28002, 0, 428, 50, 30, 8),
                    Item("static", "600%", 28003, 0, 428, 196, 30, 8),
                    Item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 408, 240, 52, 14),
                    Item("button", "Cancel", IDCANCEL, kButton, 408, 260, 52, 14),
                    Item("static", "", kIdSizeGrip, 0, 460, 290, 10, 10)};
    RegisterDialogResource(28101, bitmap);

    DialogTemplate icon = Sizable("Icon Editor", 470, 200);
    icon.items = {Item("static", "", 28005, 0, 5, 4, 455, 16),
                  Item("MFCPaintCtrl", "", 28004, kPaint, 5, 24, 160, 160),
                  Item("static", "", 28006, SS_BLACKFRAME, 200, 30, 32, 32),
                  Item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 408, 150, 52, 14),
                  Item("button", "Cancel", IDCANCEL, kButton, 408, 170, 52, 14),
                  Item("static", "", kIdSizeGrip, 0, 460, 190, 10, 10)};
    RegisterDialogResource(28102, icon);

    DialogTemplate size = Sizable("Bitmap Dimensionen", 180, 96);
    size.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    size.items = {Item("static", "Width", 28007, 0, 7, 9, 40, 8),
                  Item("edit", "", 28008, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 50, 7, 50, 12),
                  Item("static", "Height", 28009, 0, 7, 25, 40, 8),
                  Item("edit", "", 28010, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 50, 23, 50, 12),
                  Item("static", "Schema", 0xFFFF, 0, 7, 43, 40, 8),
                  Item("combobox", "", 28012, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 50, 41, 70, 80),
                  Item("button", "Customize", 28011, WS_TABSTOP | BS_AUTOCHECKBOX, 7, 60, 100, 10),
                  Item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 123, 7, 50, 14),
                  Item("button", "Cancel", IDCANCEL, kButton, 123, 24, 50, 14)};
    RegisterDialogResource(28103, size);

    DialogTemplate text = Sizable("Text Input", 200, 70);
    text.style = WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
    constexpr DWORD kToggle = WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE;
    constexpr DWORD kText = WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
    text.items = {Item("button", "Font...", 28013, WS_TABSTOP, 4, 3, 40, 13),
                  Item("button", "L", 28017, kToggle, 48, 3, 14, 13),
                  Item("button", "C", 28018, kToggle, 62, 3, 14, 13),
                  Item("button", "R", 28019, kToggle, 76, 3, 14, 13),
                  Item("button", "B", 28020, kToggle, 96, 3, 14, 13),
                  Item("button", "I", 28021, kToggle, 110, 3, 14, 13),
                  Item("button", "U", 28022, kToggle, 124, 3, 14, 13),
                  Item("edit", "", 28014, kText | ES_LEFT, 4, 20, 192, 46),
                  Item("edit", "", 28015, kText | ES_CENTER, 4, 20, 192, 46),
                  Item("edit", "", 28016, kText | ES_RIGHT, 4, 20, 192, 46)};
    RegisterDialogResource(28104, text);
}

void RegisterEditBitmapTemplate()
{
    DialogTemplate t = Sizable("Edit Bitmap", 260, 170);
    t.items = {Item("static", "", 27687, SS_SUNKEN, 7, 7, 180, 120),
               Item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 195, 7, 58, 14),
               Item("button", "Cancel", IDCANCEL, kButton, 195, 24, 58, 14),
               Item("button", "Copy", 57634, kButton, 195, 46, 58, 14),
               Item("button", "Paste", 57637, kButton, 195, 63, 58, 14),
               Item("button", "Load...", 27678, kButton, 195, 80, 58, 14),
               Item("button", "Clear", 57632, kButton, 195, 97, 58, 14),
               Item("button", "Edit...", 27680, kButton, 195, 114, 58, 14),
               Item("button", "RLE", 27685, WS_TABSTOP | BS_AUTOCHECKBOX, 195, 133, 58, 10),
               Item("button", "Link", 27686, WS_TABSTOP | BS_AUTOCHECKBOX, 195, 146, 58, 10),
               Item("edit", "", 27688, WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 7, 132, 180, 12),
               Item("static", "Transparent color:", 27723, 0, 7, 152, 70, 8),
               Item("combobox", "", 27649, WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL, 80, 150,
                    107, 120)};
    RegisterDialogResource(27914, t);
}

} // namespace

void RegisterPaintResources()
{
    RegisterEditorTemplates();
    RegisterEditBitmapTemplate();
    // The paint tool bar takes its buttons from its own table; its pictures come with the artwork.
    RegisterToolBarResource(28133, ToolBarTemplate{16, 15, {}});
    RegisterStringResource(26632, "(Bitmap)");
}
