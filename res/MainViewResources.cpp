// The main view's resources: its context menus, the Tools menu of the menu bar and its texts.
#include "res/ResourceParts.h"

#include "View/HyperView.h"
#include "View/MyView.h"
#include "View/NotesView.h"
#include "platform/core/StringTable.h"

namespace {

constexpr UINT kBirdsEyeView = 37700;
constexpr UINT kObjects = 60442;
constexpr UINT kLayers = 60441;
constexpr UINT kZoomIn = 60561, kZoomOut = 60562, kZoomOne = 60564;

MenuTemplateItem OrderMenu()
{
    return Popup("&Order", {Command(CHyperView::CmdToFront, "Bring to &Front"),
                            Command(CHyperView::CmdToBack, "Send to &Back"),
                            Command(CHyperView::CmdForward, "Bring F&orward"),
                            Command(CHyperView::CmdBackward, "Send Back&ward")});
}

std::vector<MenuTemplateItem> ObjectMenuItems()
{
    return {Command(CHyperView::CmdCut, "Cu&t"), Command(CHyperView::CmdCopy, "&Copy"),
            Command(CHyperView::CmdPaste, "&Paste"), Command(CHyperView::CmdDelete, "&Delete"), Separator(),
            OrderMenu(),
            Popup("&Group", {Command(60565, "&Group"), Command(60566, "&Ungroup"), Command(60567, "&Regroup")}),
            Popup("&Rotate", {Command(60548, "&Free Rotate"), Command(60558, "Rotate Righ&t"),
                              Command(60557, "U&nrotate")}),
            Popup("Co&ntour", {Command(60597, "&Edit Points"), Command(60598, "&Open/Close"),
                               Command(60443, "S&nap Points")}), Separator(),
            Command(CHyperView::CmdProperties, "P&roperties...")};
}

} // namespace

MenuTemplateItem ToolsMenu()
{
    return Popup("&Tools", {Command(CMyView::CmdSpellCheck, "&Spelling Check"),
                            Command(CMyView::CmdLanguage, "&Language..."),
                            Command(CMyView::CmdLanguageDictionaries, "Language &Dictionaries..."),
                            Command(CMyView::CmdOtherDictionaries, "&Other Dictionaries..."), Separator(),
                            Command(CMyView::CmdAlarmsOff, "&Alarms off"),
                            Command(CMyView::CmdHiliteShape, "&Hilite")});
}

void RegisterMainViewResources()
{
    RegisterMenuResource(CMyView::ViewMenu,
                         {Popup("View", {Command(CHyperView::CmdPaste, "&Paste"), Separator(),
                                         Command(kZoomIn, "Zoom &In"), Command(kZoomOut, "Zoom &Out"),
                                         Command(kZoomOne, "Zoom &1:1"), Command(kBirdsEyeView, "&Bird's-Eye View"),
                                         Separator(), Command(kObjects, "O&bjects..."),
                                         Command(kLayers, "&Layers..."),
                                         Command(CHyperView::CmdProperties, "P&roperties...")})});
    RegisterMenuResource(CMyView::ObjectMenu, {Popup("Object", ObjectMenuItems())});
    std::vector<MenuTemplateItem> notice = ObjectMenuItems();
    notice.insert(notice.begin() + 4, Command(CNotesView::CmdCopyAsText, "Copy as &Text"));
    RegisterMenuResource(CMyView::NoticeObjectMenu, {Popup("Object", notice)});
    RegisterStringResource(CMyView::AlarmSoundText, "Alarm.wav");
    RegisterStringResource(CMyView::LinkConfirmText, "Open the file %1?");
    RegisterStringResource(CMyView::LinkRefusedText, "The link %1 is not opened: only web and mail addresses "
                                                     "and documents are.");
}
