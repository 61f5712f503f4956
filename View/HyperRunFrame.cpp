#include "View/HyperRunFrame.h"

#include "View/HyperRunView.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/ViewSettings.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperRunFrame, CMDIChildWndEx)

CHyperRunFrame::CHyperRunFrame() = default;

CHyperRunFrame::~CHyperRunFrame()
{
    UnregisterFrame();
}

CHyperRunFrame* AsHyperRunFrame(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CHyperRunFrame)) ? static_cast<CHyperRunFrame*>(wnd) : nullptr;
}

void CHyperRunFrame::AddView(CHyperRunView* view)
{
    if (!m_firstView)
        m_firstView = view;
    else
        m_furtherViews.Add(view);
}

void CHyperRunFrame::GetLayoutRect(CRect* rect)
{
    GetClientRect(rect);
    rect->right -= 4;
    rect->bottom -= 4;
}

void CHyperRunFrame::RegisterFrame()
{
    if (!m_registrationPending)
        return;
    CViewSettings& settings = GetViewSettings();
    settings.m_openFrames.Add(this);
    ++settings.m_frameCounter;
    m_registrationPending = FALSE;
}

void CHyperRunFrame::UnregisterFrame()
{
    CObArray& frames = GetViewSettings().m_openFrames;
    for (INT_PTR i = frames.GetSize() - 1; i >= 0; --i) {
        if (frames[i] == this)
            frames.RemoveAt(i);
    }
}

BOOL CHyperRunFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    const POINT next = GetViewSettings().m_nextFramePosition;
    if (next.x == -1 && next.y == -1) {
        cs.x = 0;
        cs.y = 0;
    } else {
        cs.x = next.x;
        cs.y = next.y;
        auto* main = static_cast<CFrameWnd*>(AfxGetMainWnd());
        CControlBar* toolBar = main && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? main->GetControlBar(MainToolBarId)
                                                                                : nullptr;
        if (toolBar && toolBar->IsWindowVisible()) {
            CRect bar;
            toolBar->GetWindowRect(&bar);
            cs.y -= bar.Height();
        }
    }
    return CMDIChildWndEx::PreCreateWindow(cs);
}

void CHyperRunFrame::OnNcDestroy()
{
    UnregisterFrame();
    CMDIChildWndEx::OnNcDestroy();
}

namespace {
constexpr int HelpAboutWindow = 1;
constexpr UINT HelpByContext = 1;
constexpr int HitInside = 8;
}

BOOL CHyperRunFrame::OnHelpInfo(HELPINFO* info)
{
    CHyperRunView* view = AsHyperRunView(GetActiveView());
    if (view && info->iContextType == HelpAboutWindow) {
        CPoint point = info->MousePos;
        view->ScreenToClient(&point);
        point.Offset(-2, -2);
        view->DeviceToLogical(&point, nullptr);
        int helpId = view->GetPageObject() ? view->GetPageObject()->HelpContextID : 0;
        for (INT_PTR i = 0; i < view->GetObjects().GetSize(); ++i) {
            CHyperOb* object = view->GetObjectAtIndex(i);
            if (object->HitTest(point) == HitInside) {
                helpId = object->HelpContextID;
                break;
            }
        }
        if (helpId != 0)
            AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(helpId), HelpByContext);
    }
    return CMDIChildWndEx::OnHelpInfo(info);
}

BEGIN_MESSAGE_MAP(CHyperRunFrame, CMDIChildWndEx)
    ON_WM_NCDESTROY()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()
