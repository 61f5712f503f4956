// Views: attached to a document at creation, activated through their frame, drawn on paint.
#include "platform/ui/View.h"

#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = AfxFrameOrView;
    }
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc) {
        OnPrepareDC(dc);
        OnDraw(dc);
    }
    EndPaint(&ps);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    int result = CWnd::OnMouseActivate(desktop, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame()) {
        HWND focus = ::GetFocus();
        if (frame->GetActiveView() == this && focus != m_hWnd && !::IsChild(m_hWnd, focus))
            OnActivateView(TRUE, this, this);
        else
            frame->SetActiveView(this);
    }
    return result;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL activate, CView* activateView, CView*)
{
    if (activate && activateView == this && m_hWnd)
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}
BOOL CView::IsSelected(const CObject*) const { return FALSE; }

DWORD CView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return 0; }
DWORD CView::OnDragOver(COleDataObject*, DWORD, CPoint) { return 0; }
void CView::OnDragLeave() {}
BOOL CView::OnDrop(COleDataObject*, DWORD, CPoint) { return FALSE; }
DWORD CView::OnDropEx(COleDataObject*, DWORD, DWORD, CPoint) { return static_cast<DWORD>(-1); }

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

// Without a print dialog the whole range is printed; an empty range prints nothing.
BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    return info && info->GetMinPage() <= info->GetMaxPage();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handlerInfo);
}

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()
