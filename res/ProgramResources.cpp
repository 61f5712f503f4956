#include "res/ProgramResources.h"
#include "res/ResourceParts.h"

#include "View/HyperView.h"
#include "View/HyperFrame.h"
#include "View/HyperTextEdit.h"
#include "View/MyView.h"
#include "projects/CatManager.h"
#include "projects/CatWnd.h"
#include "View/NotesView.h"
#include "View/RulerBar.h"
#include "shell/SelectLanguageDlg.h"
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
    {CMyView::ToolNote, "Sticky Note\nSticky Note"},
    {CMyView::ToolSoundNote, "Sound Note\nSound Note"},
    {CMyView::ToolRTFNote, "RTF Note\nRTF Note"},
    {CMyView::ToolOleObject, "Inserts Ole Object in worksheet\nOle Object"},
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
    {26624, "<N/A>"},
    {146, "<Options>"},
    {149, "<Language>"},
    {144, "<Could not open the dictionary files. Please check the files %1 and %2.>"},
    {145, "<Spelling check is complete.>"},
    {8100, "<Next>"},
    {8101, "<Previous>"},
    {8102, "<Month>"},
    {8103, "<Year>"},
    {8104, "<Resizable Calender>"},
    {8105, "<Now Here>"},
    {8106, "<Calendar>"},
    {8107, "<Week day>"},
    {8108, "<Week number>"},
    {8109, "<Date from next month>"},
    {8110, "<Date from previous month>"},
    {8111, "<Month>"},
    {8112, "<Today>"},
    {27455, "<Layer>"},
    {27456, "<Standard>"},
    {27479, "<Standard Noticelayer>"},
    {1088, "<Add new layer\nAdd new layer>"},
    {1089, "<Add new noticelayer\nAdd new noticelayer>"},
    {1032, "<Delete selected layer\nDelete selected layer>"},
    {157, "https://www.korvane.example/"},
    {27042, "No hatch\nNone"},
    {27301, "No shadow\nNone"},
    // Catalogues.
    {28591, "New Catalog"},
    {28595, "Icon Files (*.ico, *.exe, *.dll, *.bmp)"},
    {28596, "*.ico;*.exe;*.dll;*.bmp"},
    {28597, "MS Sans Serif"},
    {28598, "Small Fonts"},
    {CCatWnd::CmdCopy, "Copy selected catalog item\nCopy Item"},
    {CCatWnd::CmdPaste, "Paste the clipboard contents into the catalog\nPaste Item"},
    {CCatWnd::CmdRemove, "Remove selected item from the catalog\nRemove Item"},
    {60675, "Display icons and names\nIcons and Names"},
    {60676, "Display only icons\nIcons Only"},
    {60677, "Display only names\nNames Only"},
    {60678, "Display one column of items\nSingle column"},
    {CCatManager::CmdNew, "Create a new catalog\nNew Catalog"},
    {CCatManager::CmdOpen, "Open an existing catalog\nOpen Catalog"},
    {CCatManager::CmdClose, "Close the active catalog\nClose Catalog"},
    {CCatWnd::CmdChangeIcon, "Change icon\nChange Icon"},
    {CCatManager::CmdActivate, "Activate this catalog\nActivate Catalog"},
    {CCatWnd::CmdEditIcon, "Edit icon\nEdit Icon"},
    {CCatView::CmdAddToCatalog, "Add selected object(s) to catalog\nAdd To Catalog"},
    // The ink layer's commands.
    {CNotesView::CmdEnableInkLayer, "<Enable/Disable Inklayer\nEnable/Disable Inklayer>"},
    {CNotesView::CmdInkStroke, "<Stroke\nStroke>"},
    {CNotesView::CmdInkEraser, "<Eraser\nEraser>"},
    {CNotesView::CmdInkSelectionTool, "<Selection Tool\nSelection Tool>"},
    {CNotesView::CmdInkDelete, "<Delete\nDelete>"},
    {CHyperView::UndoAligning, "Aligning"},
    {CHyperView::UndoSpacing, "Spacing"},
    {CHyperView::UndoGroup, "Group/Ungroup"},
    {27232, "Group"},
    {28566, "Select zoom level\nZoom In or Out"},
    {28570, "Resize selected objects to have the same size as the selected object\nMake Same Size"},
    {28571, "Bring to front or send to back\nTo Front or Back"},
    {256, "Rotate\nRotate"},
    // Freehand drawing, formatting, in-place text editing and the rulers.
    {CFreeHandView::CmdFreehand, "Add polyline using freehand method\nFreehand"},
    {CHyperTextEdit::UndoTextEdit, "Text Edit"},
    {CHyperTextEdit::SpellCompleteText, "Spelling check is complete."},
    {CRulerWnd::FontTextId, "-9,0,0,0,400,0,0,0,0,0,0,0,34,Sans"},
    {CRulerBar::CmdInches, "Set units to inches\nInches"},
    {CRulerBar::CmdCentimetres, "Set units to centimeter\nCentimeter"},
};

// The main frame's command that locks or unlocks the active catalogue.
constexpr UINT kToggleCatalogLock = 33842;
// The main frame's command that shows the catalogue pane.
constexpr UINT kShowCatalogManager = 33968;

std::vector<MenuTemplateItem> CatalogHeaderItems()
{
    return {Command(CCatManager::CmdNew, "&New"), Command(CCatManager::CmdOpen, "&Open..."),
            Command(CCatManager::CmdClose, "&Close")};
}

std::vector<MenuTemplateItem> CatalogMenu()
{
    return {Command(CCatManager::CmdNew, "&New"), Command(CCatManager::CmdOpen, "&Open..."),
            Command(CCatManager::CmdClose, "&Close"), Separator(),
            Command(CCatView::CmdAddToCatalog, "&Add To Catalog"), Command(kToggleCatalogLock, "&Lock"), Separator(),
            Command(kShowCatalogManager, "Catalog &Manager")};
}

// The entry menu of the catalogue window and the menu of the catalogue headers.
void RegisterCatalogueMenus()
{
    RegisterMenuResource(28580,
                         {Popup("Item", {Command(CCatWnd::CmdCopy, "&Copy"), Command(CCatWnd::CmdPaste, "&Paste"),
                                         Command(CCatWnd::CmdRemove, "&Remove"), Separator(),
                                         Popup("&View", {Command(60675, "Icons and &Names"),
                                                         Command(60676, "&Icons Only"),
                                                         Command(60677, "&Names Only")}),
                                         Popup("I&con", {Command(CCatWnd::CmdChangeIcon, "&Change Icon"),
                                                         Command(CCatWnd::CmdEditIcon, "&Edit Icon")}),
                                         Separator(), Popup("C&atalog", CatalogHeaderItems())})});
    std::vector<MenuTemplateItem> header = {Command(CCatManager::CmdActivate, "&Activate"), Separator()};
    for (MenuTemplateItem& item : CatalogHeaderItems())
        header.push_back(std::move(item));
    RegisterMenuResource(28581, {Popup("Catalog", header)});
}

// The formatting commands of the selection.
MenuTemplateItem FormatMenu()
{
    return Popup("F&ormat",
                 {Command(CHyperFmtView::CmdBold, "&Bold"), Command(CHyperFmtView::CmdItalic, "&Italic"), Separator(),
                  Command(60582, "&Left"), Command(60583, "&Center"), Command(60584, "&Right"), Separator(),
                  Popup("Line &Width", {Command(27176, "None"), Command(27177, "1 Point"), Command(27178, "2 Point"),
                                        Command(27179, "3 Point"), Command(27180, "4 Point"),
                                        Command(27181, "5 Point")}),
                  Popup("Line &Style", {Command(27169, "Solid (-----)"), Command(27170, "Dash (- - -)"),
                                        Command(27171, "Dot (.....)"), Command(27172, "Dash-Dot (-.-.-)"),
                                        Command(27173, "Dash-Dot-Dot (- * *)")}),
                  Popup("&Arrowhead Type", {Command(27186, "None (-----)"), Command(27187, "Right (----->)"),
                                            Command(27188, "Left (<-----)"), Command(27189, "Both (<<--->>)")}),
                  Popup("&Hatch Style", {Command(27042, "None"), Command(27043, "Horizontal"), Command(27044, "Vertical"),
                                         Command(27045, "Diagonal"), Command(27046, "Diagonal Reverse"),
                                         Command(27047, "Cross"), Command(27048, "Diagonal Cross")}),
                  Popup("S&hadow Style", {Command(27301, "None"), Command(27302, "Top Left"), Command(27303, "Top Right"),
                                          Command(27304, "Bottom Left"), Command(27305, "Bottom Right")}),
                  Separator(), Command(CHyperFmtView::CmdForeColor, "&Foreground Colour"),
                  Command(CHyperFmtView::CmdForeAutomatic, "Automatic Foreground"),
                  Command(CHyperFmtView::CmdForeMoreColors, "More Foreground Colors..."),
                  Command(CHyperFmtView::CmdBackColor, "Bac&kground Colour"),
                  Command(CHyperFmtView::CmdBackAutomatic, "Automatic Background"),
                  Command(CHyperFmtView::CmdBackMoreColors, "More Background Colors...")});
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
                  Command(60557, "U&nrotate"), Command(60597, "&Edit Points"), Command(60598, "Open/C&lose"),
                  Separator(),
                  Command(CHyperView::CmdObjects, "&Objects..."), Command(60443, "S&nap Points"),
                  Command(CHyperView::CmdRoute, "Rou&te"), Command(60561, "Zoom &In"), Command(60562, "Zoom O&ut"),
                  Command(60564, "&Zoom 1:1")});
}

MenuTemplateItem ViewMenu()
{
    return Popup("&View", {Popup("T&hemes", {Command(33967, "Office 2000"), Command(33958, "Office XP"),
                                          Command(33964, "Office 2003"), Command(33966, "Windows XP")}),
                        Command(35001, "C&ustomize..."), Command(32804, "&Options..."), Command(CSelectLanguageDlg::CmdSelectLanguage, "Dictionary &Language..."), Command(32824, "Ca&lender"), Separator(),
                        Command(CHyperFrame::CmdEditView, "&Edit View"), Command(CHyperView::CmdGrid, "&Grid"),
                        Command(CHyperView::CmdGridSettings, "Grid &Settings..."),
                        Command(CHyperFrame::CmdRuler, "R&uler"), Command(CMyView::CmdBirdsEye, "&Bird's-Eye View"),
                        Separator(),
                        Command(23038, "&Catalog"), Command(23033, "&Project Manager"),
                        Command(33918, "P&roperties..."), Command(60441, "&Layers Manager"),
                        Command(34042, "L&earning Center"), Command(34043, "&Taskpane"), Command(34037, "&Mark...")});
}

MenuTemplateItem HelpMenu()
{
    return Popup("&Help", {Command(57667, "&Content and Index"), Command(33881, "&Tips and Tricks"), Separator(),
                        Command(33888, "&Support"), Command(33889, "&Update"), Command(33890, "&Homepage"),
                        Separator(), Command(ID_APP_ABOUT, "&Info")});
}

// The menu of every document type: the frame's commands and those of the page.
std::vector<MenuTemplateItem> DocumentMenu()
{
    return {
        Popup("&File", {Command(ID_FILE_NEW, "&New\tCtrl+N"), Command(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        Command(ID_FILE_CLOSE, "&Close"), Command(ID_FILE_SAVE, "&Save\tCtrl+S"),
                        Command(ID_FILE_SAVE_AS, "Save &As..."), Command(33854, "Save A&ll"), Separator(),
                        Command(ID_FILE_PRINT_PREVIEW, "Print Pre&view"), Command(ID_FILE_PRINT, "&Print..."),
                        ExportMenu(), MailMenuCommand(), Separator(),
                        Command(57606, "Print Set&up..."), Separator(), Command(ID_FILE_MRU_FILE1, "Recent File"),
                        Separator(), Command(ID_APP_EXIT, "E&xit")}),
        Popup("&Edit", {Command(CHyperView::CmdUndo, "&Undo\tCtrl+Z"), Command(CHyperView::CmdRedo, "&Redo\tCtrl+Y"),
                        Separator(), Command(CHyperView::CmdCut, "Cu&t\tCtrl+X"),
                        Command(CHyperView::CmdCopy, "&Copy\tCtrl+C"), Command(CHyperView::CmdPaste, "&Paste\tCtrl+V"),
                        Command(CHyperOleView::CmdPasteSpecial, "Paste &Special..."),
                        Command(CHyperView::CmdDelete, "&Delete\tDel"), Separator(),
                        Command(CHyperView::CmdSelectAll, "Select &All\tCtrl+A"), Separator(),
                        Command(CHyperView::CmdProperties, "P&roperties..."),
                        Command(CHyperOleView::CmdObjectProperties, "&Object Properties...")}),
        ArrangeMenu(),
        ViewMenu(),
        Popup("&Insert", {Command(CHyperView::ToolSelect, "&Select"), Command(CMyView::ToolRectangle, "&Rectangle"),
                          Command(CMyView::ToolFrame, "&Frame"), Command(CMyView::ToolText, "&Text"),
                          Command(CMyView::ToolEllipse, "&Ellipse"), Command(CMyView::ToolArc, "&Arc"),
                          Command(CMyView::ToolLine, "&Line"),
                          Command(CMyView::ToolPolyline, "&Polyline"), Command(CMyView::ToolFreehand, "Free&hand"),
                          Command(CMyView::ToolConnector, "&Connector"), Command(CMyView::ToolBitmap, "&Bitmap"),
                          Command(CMyView::ToolHilite, "&Hilite"), Command(CMyView::ToolGraphic, "&Graphic"),
                          Command(CHyperView::CmdGraphics, "Gra&phics"),
                          Command(CMyView::ToolNote, "&Note"), Command(CMyView::ToolSoundNote, "&Sound Note"),
                          Command(CMyView::ToolRTFNote, "R&TF Note"), Command(CMyView::ToolOleObject, "&OLE Object"),
                          Command(CHyperOleView::CmdInsertObject, "New Em&bedded Object..."),
                          Separator(), Command(CFreeHandView::CmdFreehand, "Freehand &Drawing")}),
        ProjectMenu(),
        Popup("&Catalog", CatalogMenu()),
        // The ink layer.
        Popup("In&k", {Command(CNotesView::CmdEnableInkLayer, "&Enable/Disable Inklayer"), Separator(),
                       Command(CNotesView::CmdInkStroke, "&Stroke"), Command(CNotesView::CmdInkEraser, "&Eraser"),
                       Command(CNotesView::CmdInkSelectionTool, "Se&lection Tool"),
                       Command(CNotesView::CmdInkDelete, "&Delete"), Separator(),
                       Popup("&Pen", {Command(33989, "Red"), Command(33990, "Blue"), Command(33991, "Green"),
                                      Command(33992, "Black")}),
                       Popup("&Marker", {Command(33995, "Red"), Command(33994, "Blue"), Command(33996, "Green"),
                                         Command(33993, "Black")}),
                       Popup("&Highlighter", {Command(34001, "Pink"), Command(33998, "Turquoise"),
                                              Command(33999, "Green"), Command(34002, "Yellow")}),
                       Separator(), Command(CNotesView::CmdCopyAsText, "Copy as &Text"),
                       Command(CNotesView::CmdSignatureDialog, "Si&gnature...")}),
        FormatMenu(), ToolsMenu(),
        Popup("&Window", {Command(34032, "&Close All"), Command(34031, "&Toggle Position"),
                          Command(ID_WINDOW_CASCADE, "&Cascade"), Command(ID_WINDOW_TILE_HORZ, "&Tile")}),
        HelpMenu(),
    };
}

// Without a document the frame's menu holds what works on none.
std::vector<MenuTemplateItem> FrameMenu()
{
    return {
        Popup("&File", {Command(ID_FILE_NEW, "&New\tCtrl+N"), Command(ID_FILE_OPEN, "&Open...\tCtrl+O"), Separator(),
                        Command(57606, "Print Set&up..."), Separator(), Command(ID_FILE_MRU_FILE1, "Recent File"),
                        Separator(), Command(ID_APP_EXIT, "E&xit")}),
        ViewMenu(), ProjectMenu(), Popup("&Catalog", CatalogMenu()), ToolsMenu(), HelpMenu(),
    };
}

void RegisterMenus()
{
    RegisterMenuResource(IDR_MAINFRAME, FrameMenu());
    for (UINT documentType : {IDR_DOCUMENT, IDR_PROJECT, IDR_CATALOG})
        RegisterMenuResource(documentType, DocumentMenu());
    RegisterMenuResource(28566, {Command(60561, "Zoom &In"), Command(60562, "Zoom &Out"), Command(60564, "Zoom &1:1")});
    RegisterMenuResource(28571, {Command(60439, "Bring to &Front"), Command(60440, "Send to &Back")});
    RegisterMenuResource(CRulerBar::MenuId, {Popup("Ruler", {Command(CRulerBar::CmdInches, "Inches"),
                                                             Command(CRulerBar::CmdCentimetres, "Centimeters"),
                                                             Command(CRulerBar::CmdZoomSwitch, "Zoom")})});
    RegisterMenuResource(290, {Popup("Tab", {Command(ID_FILE_SAVE, "&Save"), Command(ID_FILE_CLOSE, "&Close"),
                                             Separator(), Command(34032, "Close &All")})});
    RegisterCatalogueMenus();
    RegisterDropDownMenus();
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
    RegisterCommandTexts();
    for (const StringEntry& entry : kStrings)
        RegisterStringResource(entry.id, entry.text);
    RegisterMenus();
    RegisterAccelerators();
    RegisterToolBars();
    RegisterPictures();
    RegisterDialogs();
    RegisterProjectResources();
    RegisterListEditResources();
    RegisterSpellResources();
    RegisterPreviewResources();
    RegisterPropertyTexts();
    RegisterPaintResources();
    RegisterOleResources();
    RegisterMainViewResources();
    RegisterExportResources();
}
