#include "View/MyView.h"

#include "View/HyperTextEdit.h"
#include "View/MainViewHost.h"
#include "View/ViewPropertyDialog.h"
#include "objects/GenViewOb.h"
#include "objects/ViewSettings.h"
#include "imaging/ExtDib.h"
#include "objects/kinds/ArcGen.h"
#include "objects/kinds/BitmapGen.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/HiliteGen.h"
#include "objects/kinds/HyperOleGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/PolyLineGen.h"
#include "objects/kinds/RTFGen.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/ShapeGen.h"
#include "objects/kinds/SoundGen.h"
#include "objects/kinds/StickyGen.h"
#include "objects/kinds/TextGen.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

#include <memory>

IMPLEMENT_DYNCREATE(CMyView, CCatView)

BEGIN_MESSAGE_MAP(CMyView, CCatView)
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(CmdBirdsEye, OnBirdsEye)
    ON_WM_LBUTTONDBLCLK()
    ON_COMMAND(CmdUpdateLayout, OnUpdateLayout)
    ON_UPDATE_COMMAND_UI(CmdUpdateLayout, OnUpdateUpdateLayout)
    ON_COMMAND(CmdHiliteShape, OnHiliteShape)
    ON_UPDATE_COMMAND_UI(CmdHiliteShape, OnUpdateHiliteShape)
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenuKey)
    ON_COMMAND(CmdSpellCheck, OnSpellCheck)
    ON_UPDATE_COMMAND_UI(CmdSpellCheck, OnUpdateSpellCheck)
    ON_COMMAND(CmdAlarmCheck, OnAlarmCheck)
    ON_COMMAND(CmdAlarmsOff, OnAlarmsOff)
    ON_COMMAND(CmdLanguage, OnLanguage)
    ON_COMMAND(CmdLanguageDictionaries, OnLanguageDictionaries)
    ON_COMMAND(CmdOtherDictionaries, OnOtherDictionaries)
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_COMMAND(CmdOptions, OnOptions)
    ON_WM_TIMER()
    ON_COMMAND(CmdHelpContents, OnHelpContents)
    ON_WM_DROPFILES()
    ON_COMMAND(CMyView::CmdSaveAsWebsite, OnSaveAsWebsite)
    ON_COMMAND(CMyView::CmdExportGraphic, OnExportGraphic)
    ON_COMMAND(CMyView::CmdExportPdf, OnExportPdf)
    ON_UPDATE_COMMAND_UI(CMyView::CmdSaveAsWebsite, OnUpdateExport)
    ON_UPDATE_COMMAND_UI(CMyView::CmdExportGraphic, OnUpdateExport)
    ON_UPDATE_COMMAND_UI(CMyView::CmdExportPdf, OnUpdateExport)
    ON_COMMAND(CMyView::CmdMailForRevision, OnMailForRevision)
    ON_UPDATE_COMMAND_UI(CMyView::CmdMailForRevision, OnUpdateMailForRevision)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kGridAndSnap = 6;
constexpr DWORD kGridStep10 = 0x000A000A;
constexpr UINT kListTemplate = 163;
constexpr int kListTabs = 2;
constexpr UINT kNormalCaption = 8012;

struct ToolEntry {
    UINT toolId;
    CRuntimeClass* (*runtimeClass)();
};

constexpr ToolEntry kTools[] = {
    {CMyView::ToolConnector, [] { return RUNTIME_CLASS(CConnectGen); }},
    {CMyView::ToolGraphic, [] { return RUNTIME_CLASS(CShapeGen); }},
    {CMyView::ToolText, [] { return RUNTIME_CLASS(CTextGen); }},
    {CMyView::ToolNote, [] { return RUNTIME_CLASS(CStickyGen); }},
    {CMyView::ToolRTFNote, [] { return RUNTIME_CLASS(CRTFGen); }},
    {CMyView::ToolSoundNote, [] { return RUNTIME_CLASS(CSoundGen); }},
    {CMyView::ToolHilite, [] { return RUNTIME_CLASS(CHiliteGen); }},
    {CMyView::ToolLine, [] { return RUNTIME_CLASS(CLineGen); }},
    {CMyView::ToolFreehand, [] { return RUNTIME_CLASS(CPolyLineGen); }},
    {CMyView::ToolPolyline, [] { return RUNTIME_CLASS(CLineGen); }},
    {CMyView::ToolRectangle, [] { return RUNTIME_CLASS(CBorderGen); }},
    {CMyView::ToolEllipse, [] { return RUNTIME_CLASS(CCircleGen); }},
    {CMyView::ToolArc, [] { return RUNTIME_CLASS(CArcGen); }},
    {CMyView::ToolBitmap, [] { return RUNTIME_CLASS(CBitmapGen); }},
    {CMyView::ToolOleObject, [] { return RUNTIME_CLASS(CHyperOleGen); }},
    {CMyView::ToolFrame, [] { return RUNTIME_CLASS(CRectGen); }},
};

// Set while no view is active; the first view activated from another one brings back the panes.
BOOL g_viewDeactivated = TRUE;

} // namespace

CMyView::CMyView()
{
    m_pageFlags = kGridAndSnap;
    m_gridStep = kGridStep10;
    CViewSettings& settings = GetViewSettings();
    settings.m_lastPastePosition = {LOWORD(kGridStep10), HIWORD(kGridStep10)};
    settings.m_selectTrackFlags[1] = 1;
    settings.m_thumbnailSwitch = 0;
    settings.m_reserved = 0;
    settings.m_undoLevels = 10;
    m_showSnapPoints = TRUE;
    PassSpellOptions();
    m_handCursor = ::LoadCursor(nullptr, IDC_HAND);
}

CMyView::~CMyView()
{
    StoreSpellOptions();
}

CHyperViewOb* CMyView::CreatePageObject()
{
    SetPageObject(new CGenViewOb);
    return m_pageObject;
}

void CMyView::RegisterTools()
{
    for (const ToolEntry& entry : kTools)
        SetToolClass(entry.toolId, entry.runtimeClass());
}

// A dropped file is the picture; otherwise the Edit Bitmap dialog of the view's property dialog
// lets the user load, paste, edit or clear it, with its preview.
BOOL CMyView::EditPicture(CObject* picture)
{
    auto* dib = dynamic_cast<CExtDib*>(picture);
    if (!dib)
        return FALSE;
    if (!m_droppedPicture.IsEmpty())
        return dib->Load(m_droppedPicture, CExtDib::Embedded, TRUE);
    std::unique_ptr<CViewPropertyDialog> dialog(CreatePropertyDialog());
    if (!dialog || !dialog->EditPicture(dib, this))
        return FALSE;
    // The new object takes the picture's size when it is first drawn: all of it is drawn then.
    Invalidate();
    return TRUE;
}

CViewPropertyDialog* CMyView::CreatePropertyDialog()
{
    PropertyDialogFactory factory = GetPropertyDialogFactory();
    return factory ? factory(this, kListTemplate, kListTabs, kNormalCaption) : nullptr;
}

void CMyView::OnInitialUpdate()
{
    CCatView::OnInitialUpdate();
    DragAcceptFiles(TRUE);
    StartAlarmTimer();
}

void CMyView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    if (!activate) {
        g_viewDeactivated = TRUE;
    } else if (g_viewDeactivated && deactiveView) {
        GetMainViewHost().RestorePanes(this);
        g_viewDeactivated = FALSE;
    }
    CCatView::OnActivateView(activate, activateView, deactiveView);
}

// The objects of the page when the whole page is asked for or nothing is selected, else the
// selection (the primary object alone when it is the only one).
void CMyView::CollectTargets(CObArray& out) const
{
    CHyperOb* current = GetCurrentObject();
    if (!m_wholePage && m_selection.GetSize() > 1)
        out.Copy(m_selection);
    else if (!m_wholePage && (current || m_selection.GetSize() == 1))
        out.Add(current ? current : m_selection.GetAt(0));
    else
        out.Copy(GetObjects());
}
