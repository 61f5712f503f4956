// The resources of the page exports and of mail: the export options, JPEG quality and TIFF
// options dialogs, their texts, and the menu items that start them.
#include "res/ResourceParts.h"

#include "View/MyView.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace {

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE;

constexpr StringRow kStrings[] = {
    {150, "<HTML Files (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*||>"},
    {151, "<Before: %i KB>"},
    {152, "<After: %i KB>"},
    {153, "<Retrieving Object Information.>"},
    {158, "<Error creating the image. The currently selected image would have a size over %1 MB. Please reduce the "
          "settings (zoom-level or resolution) and try again.>"},
    {159, "<Writing Image>"},
    {160, "<Writing Html>"},
    {161, "<Low>"},
    {162, "<Normal>"},
    {163, "<High>"},
    {165, "<JPEG (*.jpg)|*.jpg||>"},
    {167, "<TIFF (*.tif)|*.tif||>"},
    {168, "<Bitmap (*.bmp)|*.bmp||>"},
    {169, "<PDF Files (*.pdf)|*.pdf||>"},
    {61702, "Failed to print document."},
    {61840, "Unable to load mail system support."},
    {61841, "Mail system DLL is invalid."},
    {61842, "Send Mail failed to send message."},
};

DialogTemplate Modal(const char* caption, short cx, short cy, std::vector<DialogItemTemplate> items)
{
    DialogTemplate t = ModalBox(caption, cx, cy);
    t.items = std::move(items);
    return t;
}

void RegisterExportDialogs()
{
    RegisterDialogResource(212, Modal("<Save as Website>", 186, 112, {
        {"button", "<Options>", 0xFFFF, kLabel | BS_GROUPBOX, 0, 7, 7, 172, 78},
        {"static", "<Zoom Level>:", 0xFFFF, kLabel, 0, 14, 22, 60, 8},
        {"combobox", "", 1040, kList, 0, 78, 20, 94, 100},
        {"static", "<File Format>:", 0xFFFF, kLabel, 0, 14, 42, 60, 8},
        {"combobox", "", 1041, kList, 0, 78, 40, 50, 60},
        {"button", "<Adjust...>", 1053, kButton, 0, 132, 40, 40, 14},
        {"static", "<Resolution>:", 0xFFFF, kLabel, 0, 14, 62, 60, 8},
        {"combobox", "", 1054, kList, 0, 78, 60, 94, 60},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 74, 92, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 129, 92, 50, 14}}));
    RegisterDialogResource(216, Modal("<JPEG Quality>", 300, 190, {
        {"static", "<Before>:", 1046, kLabel, 0, 7, 7, 138, 8},
        {"static", "", 1043, kLabel | WS_BORDER, 0, 7, 18, 138, 100},
        {"static", "<After>:", 1047, kLabel, 0, 155, 7, 138, 8},
        {"static", "", 1044, kLabel | WS_BORDER, 0, 155, 18, 138, 100},
        {"button", "<Zoom Up>", 1050, kButton | BS_OWNERDRAW, 0, 7, 124, 60, 20},
        {"button", "<Zoom Down>", 1051, kButton | BS_OWNERDRAW, 0, 71, 124, 60, 20},
        {"static", "<Quality>:", 0xFFFF, kLabel, 0, 7, 152, 40, 8},
        {"static", "<100%>", 0xFFFF, kLabel, 0, 50, 152, 24, 8},
        {TRACKBAR_CLASS, "", 1042, kButton | TBS_HORZ, 0, 76, 148, 150, 16},
        {"static", "<30%>", 0xFFFF, kLabel, 0, 230, 152, 24, 8},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 188, 170, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 243, 170, 50, 14}}));
    RegisterDialogResource(388, Modal("<TIFF Options>", 160, 60, {
        {"static", "<Compression:>", 1116, kLabel, 0, 7, 9, 50, 8},
        {"combobox", "", 1117, kList, 0, 60, 7, 93, 60},
        {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 48, 39, 50, 14},
        {"button", "<Cancel>", IDCANCEL, kButton, 0, 103, 39, 50, 14}}));
}

} // namespace

MenuTemplateItem ExportMenu()
{
    return Popup("E&xport", {Command(CMyView::CmdSaveAsWebsite, "Save as &Web site..."),
                             Command(CMyView::CmdExportGraphic, "&Graphic..."),
                             Command(CMyView::CmdExportPdf, "&PDF...")});
}

MenuTemplateItem MailMenuCommand()
{
    return Command(CMyView::CmdMailForRevision, "E-&Mail (Revision)...");
}

void RegisterExportResources()
{
    RegisterStringRows(kStrings);
    RegisterExportDialogs();
}
