#include "res/ProgramResources.h"
#include "res/ResourceParts.h"

#include "View/HyperView.h"
#include "View/MyView.h"
#include "objects/kinds/BorderOb.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <vector>

namespace {

struct StringEntry {
    UINT id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Vantrel Q8"},
    {IDR_DOCUMENT, "VantrelQ8\nDocument \n\nVantrel Q8 Files (*.trn)\n.trn\nVantrelQ8.Document\nKorvane\xAE Vantrel Q8 Document"},
    {130, "VantrelQ8\nDocument \n\nVantrel Q8 Projects (*.prj)\n.prj\nVantrelQ8.Project\nKorvane\xAE Vantrel Q8 Project"},
    {131, "VantrelQ8\nDocument \n\nVantrel Q8 Catalogs (*.cat)\n.cat\nVantrelQ8.Catalog\nKorvane\xAE Vantrel Q8 Catalog"},
    {101, "<OLE initialization failed. Make sure that the OLE libraries are the correct version.>"},
    {140, "https://www.korvane.example/support"},
    {141, "https://www.korvane.example/update"},
    {142, "https://www.korvane.example/"},
    {143, "https://www.korvane.example/"},
    {148, "https://www.korvane.example/dictionaries/dictionaries.ins"},
    {164, "https://www.korvane.example/dictionaries/themes.ins"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    // The title a new worksheet's frame starts with.
    {26633, "Untitled"},
    {CHyperView::ToolSelect, "Select objects\nSelect"},
    {CMyView::ToolRectangle, "Insert a rectangle\nRectangle"},
    {CBorderOb::TypeNameId, "Border\nBorder"},
    {CMyView::ToolFrame, "Insert a labelled frame\nFrame"},
    // The type names of these kinds share the ids of their tools.
    {CMyView::ToolText, "Inserts Text object in worksheet\nText"},
    {CMyView::ToolEllipse, "Inserts Ellipse object in worksheet\nEllipse"},
    {CMyView::ToolArc, "Inserts Arc object in worksheet\nArc"},
    {CMyView::ToolBitmap, "Inserts Bitmap object in worksheet\nBitmap"},
    {CMyView::ToolHilite, "Marks an object with Hilite\nHilite"},
    {CMyView::ToolGraphic, "Inserts generic graphic object\nGeneric Graphic"},
    {CMyView::ToolLine, "Inserts Line object in worksheet\nLine"},
    {CMyView::ToolPolyline, "Inserts Polyline object in worksheet\nPolyline"},
    {CMyView::ToolFreehand, "Freehand\nFreehand"},
    {CMyView::ToolConnector, "Inserts Connector object\nConnector"},
    {CHyperView::UndoEditPoints, "Edit Points"},
    {CHyperView::UndoImport, "Import"},
    {CHyperView::UndoTabOrder, "Tab Order"},
    {CHyperView::UndoInsert, "Insert"},
    {CHyperView::UndoNudge, "Move/Resize"},
    {CHyperView::UndoMoveResize, "Move/Resize"},
    {CHyperView::UndoZOrder, "Z-Order"},
    {CHyperView::UndoProperties, "Properties"},
    {CHyperView::UndoDelete, "Delete"},
    {CHyperView::UndoRotate, "Rotate"},
    {27009, "Grid spacing must be even"},
    {CHyperView::UndoAligning, "Aligning"},
    {CHyperView::UndoSpacing, "Spacing"},
    {CHyperView::UndoGroup, "Group/Ungroup"},
    {27232, "Group"},
    {28566, "Select zoom level\nZoom In or Out"},
    {28570, "Resize selected objects to have the same size as the selected object\nMake Same Size"},
    {28571, "Bring to front or send to back\nTo Front or Back"},
    {256, "Rotate\nRotate"},
};

MenuTemplateItem Command(UINT id, const char* text)
{
    return {MF_STRING, id, text, {}};
}

MenuTemplateItem Separator()
{
    return {MF_SEPARATOR, 0, "", {}};
}

MenuTemplateItem Popup(const char* text, std::vector<MenuTemplateItem> items)
{
    return {MF_POPUP, 0, text, std::move(items)};
}

// The arrangement commands of the editing view.
MenuTemplateItem ArrangeMenu()
{
    return Popup("&Arrange",
                 {Popup("&Align", {Command(60417, "&Left"), Command(60418, "&Right"), Command(60419, "&Top"),
                                   Command(60420, "&Bottom"), Command(60425, "&Horz. Center"),
                                   Command(60426, "&Vert. Center")}),
                  Popup("Make &Same Size", {Command(60427, "&Width"), Command(60428, "&Height"), Command(60429, "&Both")}),
                  Popup("&Center in View", {Command(60423, "&Horizontal"), Command(60424, "&Vertical")}),
                  Popup("S&pace Evenly", {Command(60421, "&Across"), Command(60422, "&Down")}),
                  Popup("&Order", {Command(CHyperView::CmdToFront, "Bring to &Front"),
                                   Command(CHyperView::CmdToBack, "Send to &Back"),
                                   Command(CHyperView::CmdForward, "Bring F&orward"),
                                   Command(CHyperView::CmdBackward, "Send Back&ward")}),
                  Separator(), Command(60565, "&Group"), Command(60566, "&Ungroup"), Command(60567, "&Regroup"),
                  Separator(), Command(60548, "&Free Rotate"), Command(60558, "Rotate Righ&t"),
                  Command(60557, "U&nrotate"), Command(60597, "&Edit Points"), Separator(),
                  Command(60443, "S&nap Points"), Command(60561, "Zoom &In"), Command(60562, "Zoom O&ut"),
                  Command(60564, "&Zoom 1:1")});
}

// The command bars show one menu bar for the frame and every document window.
std::vector<MenuTemplateItem> MainMenu()
{
    return {
        Popup("&File", {Command(ID_FILE_NEW, "&New\tCtrl+N"), Command(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        Command(ID_FILE_CLOSE, "&Close"), Command(ID_FILE_SAVE, "&Save\tCtrl+S"),
                        Command(ID_FILE_SAVE_AS, "Save &As..."), Command(33854, "Save A&ll"), Separator(),
                        Command(57606, "Print Set&up..."), Separator(), Command(ID_FILE_MRU_FILE1, "Recent File"),
                        Separator(), Command(ID_APP_EXIT, "E&xit")}),
        Popup("&Edit", {Command(CHyperView::CmdUndo, "&Undo\tCtrl+Z"), Command(CHyperView::CmdRedo, "&Redo\tCtrl+Y"),
                        Separator(), Command(CHyperView::CmdCut, "Cu&t\tCtrl+X"),
                        Command(CHyperView::CmdCopy, "&Copy\tCtrl+C"), Command(CHyperView::CmdPaste, "&Paste\tCtrl+V"),
                        Command(CHyperView::CmdDelete, "&Delete\tDel"), Separator(),
                        Command(CHyperView::CmdSelectAll, "Select &All\tCtrl+A")}),
        ArrangeMenu(),
        Popup("&View", {Popup("T&hemes", {Command(33967, "Office 2000"), Command(33958, "Office XP"),
                                          Command(33964, "Office 2003"), Command(33966, "Windows XP")}),
                        Command(35001, "C&ustomize..."), Separator(), Command(CHyperView::CmdGrid, "&Grid"),
                        Command(CHyperView::CmdGridSettings, "Grid &Settings..."), Separator(),
                        Command(23038, "&Catalog"), Command(23033, "&Project Manager"),
                        Command(33918, "P&roperties..."), Command(60441, "&Layers Manager"),
                        Command(34042, "L&earning Center"), Command(34043, "&Taskpane"), Command(34037, "&Mark...")}),
        Popup("&Insert", {Command(CHyperView::ToolSelect, "&Select"), Command(CMyView::ToolRectangle, "&Rectangle"),
                          Command(CMyView::ToolFrame, "&Frame"), Command(CMyView::ToolText, "&Text"),
                          Command(CMyView::ToolEllipse, "&Ellipse"), Command(CMyView::ToolArc, "&Arc"),
                          Command(CMyView::ToolLine, "&Line"),
                          Command(CMyView::ToolPolyline, "&Polyline"), Command(CMyView::ToolFreehand, "Free&hand"),
                          Command(CMyView::ToolConnector, "&Connector"), Command(CMyView::ToolBitmap, "&Bitmap"),
                          Command(CMyView::ToolHilite, "&Hilite"), Command(CMyView::ToolGraphic, "&Graphic")}),
        Popup("&Window", {Command(34032, "&Close All"), Command(34031, "&Toggle Position"),
                          Command(ID_WINDOW_CASCADE, "&Cascade"), Command(ID_WINDOW_TILE_HORZ, "&Tile")}),
        Popup("&Help", {Command(57667, "&Content and Index"), Command(33881, "&Tips and Tricks"), Separator(),
                        Command(33888, "&Support"), Command(33889, "&Update"), Command(33890, "&Homepage"),
                        Separator(), Command(ID_APP_ABOUT, "&Info")}),
    };
}

void RegisterMenus()
{
    RegisterMenuResource(IDR_MAINFRAME, MainMenu());
    RegisterMenuResource(290, {Popup("Tab", {Command(ID_FILE_SAVE, "&Save"), Command(ID_FILE_CLOSE, "&Close"),
                                             Separator(), Command(34032, "Close &All")})});
}

void RegisterAccelerators()
{
    const BYTE ctrl = FVIRTKEY | FCONTROL;
    std::vector<ACCEL> keys = {
        {ctrl, 'N', static_cast<WORD>(ID_FILE_NEW)},
        {ctrl, 'O', static_cast<WORD>(ID_FILE_OPEN)},
        {ctrl, 'S', static_cast<WORD>(ID_FILE_SAVE)},
        {ctrl, 'Z', static_cast<WORD>(CHyperView::CmdUndo)},
        {ctrl, 'Y', static_cast<WORD>(CHyperView::CmdRedo)},
        {FVIRTKEY, VK_DELETE, static_cast<WORD>(CHyperView::CmdDelete)},
        {ctrl, 'X', static_cast<WORD>(CHyperView::CmdCut)},
        {ctrl, 'C', static_cast<WORD>(CHyperView::CmdCopy)},
        {ctrl, 'V', static_cast<WORD>(CHyperView::CmdPaste)},
        {ctrl, 'A', static_cast<WORD>(CHyperView::CmdSelectAll)},
    };
    RegisterAcceleratorResource(IDR_MAINFRAME, keys);
    RegisterAcceleratorResource(IDR_DOCUMENT, keys);
}

} // namespace

void RegisterProgramResources()
{
    for (const StringEntry& entry : kStrings)
        RegisterStringResource(entry.id, entry.text);
    RegisterMenus();
    RegisterAccelerators();
    RegisterToolBars();
    RegisterPictures();
    RegisterDialogs();
}
