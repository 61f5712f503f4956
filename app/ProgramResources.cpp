#include "app/ProgramResources.h"

#include "View/HyperView.h"
#include "View/MyView.h"
#include "objects/kinds/BorderOb.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

struct StringEntry {
    UINT id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Vantrel"},
    {IDR_DOCUMENT, "\nWorksheet\nVantrel Worksheet\nVantrel Files (*.trn)\n.trn\nVantrel.Document\nVantrel Worksheet"},
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

std::vector<MenuTemplateItem> FileMenu(bool withDocument)
{
    std::vector<MenuTemplateItem> items = {Command(ID_FILE_NEW, "&New\tCtrl+N"), Command(ID_FILE_OPEN, "&Open...\tCtrl+O")};
    if (withDocument)
        items.insert(items.end(), {Command(ID_FILE_CLOSE, "&Close"), Command(ID_FILE_SAVE, "&Save\tCtrl+S"),
                                   Command(ID_FILE_SAVE_AS, "Save &As...")});
    items.insert(items.end(), {Separator(), Command(ID_APP_EXIT, "E&xit")});
    return items;
}

MenuTemplateItem WindowMenu()
{
    return Popup("&Window", {Command(ID_WINDOW_CASCADE, "&Cascade"), Command(ID_WINDOW_TILE_HORZ, "&Tile")});
}

void RegisterMenus()
{
    RegisterMenuResource(IDR_MAINFRAME, {Popup("&File", FileMenu(false)), WindowMenu()});
    RegisterMenuResource(
        IDR_DOCUMENT,
        {Popup("&File", FileMenu(true)),
         Popup("&Edit", {Command(CHyperView::CmdUndo, "&Undo\tCtrl+Z"), Command(CHyperView::CmdRedo, "&Redo\tCtrl+Y"),
                         Separator(), Command(CHyperView::CmdDelete, "&Delete\tDel")}),
         Popup("&Insert", {Command(CHyperView::ToolSelect, "&Select"), Command(CMyView::ToolRectangle, "&Rectangle"),
                           Command(CMyView::ToolFrame, "&Frame"), Command(CMyView::ToolText, "&Text"),
                           Command(CMyView::ToolEllipse, "&Ellipse"), Command(CMyView::ToolArc, "&Arc"),
                           Command(CMyView::ToolLine, "&Line"), Command(CMyView::ToolPolyline, "&Polyline"),
                           Command(CMyView::ToolFreehand, "Free&hand"), Command(CMyView::ToolConnector, "&Connector"),
                           Command(CMyView::ToolBitmap, "&Bitmap"), Command(CMyView::ToolHilite, "&Hilite"),
                           Command(CMyView::ToolGraphic, "&Graphic")}),
         Popup("&View", {Command(CHyperView::CmdGrid, "&Grid"), Command(CHyperView::CmdGridSettings, "Grid &Settings...")}),
         WindowMenu()});
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
}
