#include "View/MyView.h"

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
#include "platform/ui/CommonDialogs.h"

IMPLEMENT_DYNCREATE(CMyView, CCatView)

BEGIN_MESSAGE_MAP(CMyView, CCatView)
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
constexpr const char* kPictureFilter =
    "Pictures|*.bmp;*.dib;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.tga;*.pcx;*.pgm;*.ppm;*.pnm;*.psd;*.sgi;*.rgb;"
    "*.pct;*.pict;*.iff;*.lbm;*.wmf;*.emf|All files|*.*||";

struct ToolEntry {
    UINT toolId;
    CRuntimeClass* (*runtimeClass)();
};

constexpr ToolEntry kTools[] = {
    {CMyView::ToolRectangle, [] { return RUNTIME_CLASS(CBorderGen); }},
    {CMyView::ToolFrame, [] { return RUNTIME_CLASS(CRectGen); }},
    {CMyView::ToolText, [] { return RUNTIME_CLASS(CTextGen); }},
    {CMyView::ToolEllipse, [] { return RUNTIME_CLASS(CCircleGen); }},
    {CMyView::ToolArc, [] { return RUNTIME_CLASS(CArcGen); }},
    {CMyView::ToolBitmap, [] { return RUNTIME_CLASS(CBitmapGen); }},
    {CMyView::ToolHilite, [] { return RUNTIME_CLASS(CHiliteGen); }},
    {CMyView::ToolGraphic, [] { return RUNTIME_CLASS(CShapeGen); }},
    {CMyView::ToolLine, [] { return RUNTIME_CLASS(CLineGen); }},
    {CMyView::ToolPolyline, [] { return RUNTIME_CLASS(CLineGen); }},
    {CMyView::ToolFreehand, [] { return RUNTIME_CLASS(CPolyLineGen); }},
    {CMyView::ToolConnector, [] { return RUNTIME_CLASS(CConnectGen); }},
    {CMyView::ToolNote, [] { return RUNTIME_CLASS(CStickyGen); }},
    {CMyView::ToolSoundNote, [] { return RUNTIME_CLASS(CSoundGen); }},
    {CMyView::ToolRTFNote, [] { return RUNTIME_CLASS(CRTFGen); }},
    {CMyView::ToolOleObject, [] { return RUNTIME_CLASS(CHyperOleGen); }},
};

} // namespace

CMyView::CMyView()
{
    m_pageFlags = kGridAndSnap;
    m_gridStep = kGridStep10;
    CViewSettings& settings = GetViewSettings();
    settings.m_lastPastePosition = {0, 0};
    settings.m_selectTrackFlags[1] = 1;
    settings.m_thumbnailSwitch = 0;
    settings.m_reserved = 0;
    settings.m_undoLevels = 10;
    m_showSnapPoints = TRUE;
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

BOOL CMyView::EditPicture(CObject* picture)
{
    auto* dib = dynamic_cast<CExtDib*>(picture);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPictureFilter, this);
    return dib && dialog.DoModal() == IDOK && dib->Load(dialog.GetPathName(), CExtDib::Embedded, TRUE);
}
