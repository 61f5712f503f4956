// The templates of the Properties dialogs and their context menu, and the factory through
// which the editing views make them.
#include "controls/PropertiesDlg.h"

#include "View/MyView.h"
#include "controls/CatPropertiesDlg.h"
#include "controls/MyPropertiesDlg.h"
#include "platform/ui/Resources.h"

namespace {

DialogItemTemplate Item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy};
}

DialogTemplate PropertiesTemplate()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    t.cx = 120;
    t.cy = 230;
    t.caption = "Properties";
    const DWORD combo = WS_VSCROLL | WS_TABSTOP;
    const DWORD toggle = BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP;
    t.items = {
        Item("combobox", "", CPropertiesDlg::ObjectCombo, CBS_DROPDOWNLIST | combo, 4, 4, 74, 100),
        Item("button", "1:1", CPropertiesDlg::DrillButton, toggle, 80, 4, 17, 13),
        Item("button", "PIN", CPropertiesDlg::PinButton, toggle, 99, 4, 17, 13),
        Item("static", "TABS", CPropertiesDlg::TabStrip, SS_LEFT, 4, 20, 112, 12),
        Item("listbox", "", CPropEditDlg::ListControl,
             LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 4,
             32, 112, 172),
        Item("edit", "", CPropEditDlg::EditControl, ES_AUTOHSCROLL, 60, 40, 60, 11),
        Item("combobox", "", CPropEditDlg::ChoiceControl, CBS_DROPDOWNLIST | combo, 60, 40, 60, 100),
        Item("combobox", "", CPropEditDlg::ColourComboControl,
             CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | combo, 60, 40, 60, 100),
        Item("combobox", "", CPropEditDlg::UrlComboControl, CBS_DROPDOWN | CBS_AUTOHSCROLL | combo, 60, 40, 60, 100),
        Item("button", "...", CPropEditDlg::BrowseControl, WS_TABSTOP, 4, 210, 20, 14),
        Item("button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 210, 36, 14),
        Item("button", "Cancel", IDCANCEL, WS_TABSTOP, 80, 210, 36, 14),
    };
    return t;
}

MenuTemplateItem Command(UINT id, const char* text)
{
    return {MF_STRING, id, text, {}};
}

// The main view edits through its own layer of the dialog.
CViewPropertyDialog* MakePropertyDialog(CHyperView* view, UINT templateId, int tabs, UINT firstTabId)
{
    if (dynamic_cast<CMyView*>(view))
        return new CMyPropertiesDlg(view);
    // A catalogue page edits with its own layer of the dialog, other OLE views with theirs.
    CPropertiesDlg* dialog = nullptr;
    if (dynamic_cast<CCatView*>(view))
        dialog = new CCatPropertiesDlg(templateId, view);
    else if (dynamic_cast<CHyperOleView*>(view))
        dialog = new CHyperOlePropertiesDlg(templateId, view);
    else
        dialog = new CPropertiesDlg(templateId, view);
    dialog->SetTabs(tabs, firstTabId);
    return dialog;
}

} // namespace

void RegisterPropertyDialogTemplates()
{
    for (UINT id : {CPropertiesDlg::ViewTemplate, CPropertiesDlg::ListTemplate, 27930u})
        if (!FindDialogResource(id))
            RegisterDialogResource(id, PropertiesTemplate());
    if (FindMenuResource(CPropertiesDlg::ContextMenu))
        return;
    RegisterMenuResource(CPropertiesDlg::ContextMenu,
                         {{MF_POPUP, 0, "Properties",
                           {Command(CPropertiesDlg::DrillButton, "Drill Multi"),
                            Command(CPropertiesDlg::CmdSaveAsDefault, "Save As Default"),
                            Command(CPropertiesDlg::CmdClearDefault, "Clear Default"),
                            Command(CPropertiesDlg::CmdDelete, "Delete"), {MF_SEPARATOR, 0, "", {}},
                            Command(CPropertiesDlg::CmdSort, "Sort")}}});
}

void RegisterPropertyDialogFactory()
{
    RegisterPropertyDialogTemplates();
    SetPropertyDialogFactory(MakePropertyDialog);
}
