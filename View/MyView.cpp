#include "View/MyView.h"

#include "objects/GenViewOb.h"
#include "objects/ViewSettings.h"
#include "objects/kinds/ArcGen.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/TextGen.h"

IMPLEMENT_DYNCREATE(CMyView, CHyperView)

namespace {

constexpr DWORD kGridAndSnap = 6;
constexpr DWORD kGridStep10 = 0x000A000A;

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
