#include "platform/ui/PreviewView.h"

#include "platform/gdi/Printer.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {

constexpr int kGap = 8;
constexpr int kShadow = 3;
constexpr int kScreenDpi = 96;
constexpr COLORREF kBackground = RGB(128, 128, 128);
constexpr COLORREF kShadowColor = RGB(64, 64, 64);

// The bar above the preview: its controls answer to the preview, never to the frame, which
// would disable what it does not know.
class CPreviewBar : public CDialogBar {
public:
    HWND m_hWndPreview = nullptr;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
        if (CWnd* preview = CWnd::FromHandlePermanent(m_hWndPreview))
            UpdateDialogControls(preview, FALSE);
    }
};

} // namespace

CPreviewView::CPreviewView() = default;

// The state belongs to the preview from its start; a preview torn down with its frame
// still frees it.
CPreviewView::~CPreviewView() { delete m_pPreviewState; }

BOOL CPreviewView::SetPrintView(CView* printView)
{
    m_pPrintView = printView;
    m_pPreviewInfo = std::make_unique<CPrintInfo>();
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!printView || !printView->OnPreparePrinting(m_pPreviewInfo.get()))
        return FALSE;
    DEVMODE mode;
    GetDefaultDevMode(&mode);
    if (!m_printerInfo.CreateIC(nullptr, kPdfPrinterName, nullptr, &mode))
        return FALSE;
    const int dpiX = m_printerInfo.GetDeviceCaps(LOGPIXELSX), dpiY = m_printerInfo.GetDeviceCaps(LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        return FALSE;
    m_paper = CSize(MulDiv(m_printerInfo.GetDeviceCaps(HORZRES), kScreenDpi, dpiX),
                    MulDiv(m_printerInfo.GetDeviceCaps(VERTRES), kScreenDpi, dpiY));
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_paper.cx, m_paper.cy);
    m_nCurrentPage = std::max(1u, m_pPreviewInfo->GetMinPage());
    return m_paper.cx > 0 && m_paper.cy > 0;
}

double CPreviewView::Scale() const
{
    if (m_paper.cx <= 0 || m_paper.cy <= 0)
        return 1.0;
    CRect client;
    GetClientRect(&client);
    const int pages = static_cast<int>(m_nPages);
    const double fitX = double(client.Width() - kGap * (pages + 1)) / (pages * m_paper.cx);
    const double fitY = double(client.Height() - 2 * kGap) / m_paper.cy;
    const double fit = std::max(0.05, std::min(fitX, fitY));
    switch (m_nZoomState) {
    case ZOOM_IN: return 1.0;
    case ZOOM_MIDDLE: return (fit + 1.0) / 2;
    default: return fit;
    }
}

CRect CPreviewView::GetPageRect(UINT slot) const
{
    if (!m_pPreviewInfo || slot >= m_nPages || m_nCurrentPage + slot > m_pPreviewInfo->GetMaxPage())
        return CRect(0, 0, 0, 0);
    const double scale = Scale();
    const int width = static_cast<int>(std::floor(m_paper.cx * scale + 0.5));
    const int height = static_cast<int>(std::floor(m_paper.cy * scale + 0.5));
    CRect client;
    GetClientRect(&client);
    const int total = static_cast<int>(m_nPages) * width + (static_cast<int>(m_nPages) - 1) * kGap;
    const int left = std::max(kGap, (client.Width() - total) / 2) + static_cast<int>(slot) * (width + kGap);
    const int top = std::max(kGap, (client.Height() - height) / 2);
    return CRect(left, top, left + width, top + height);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnDraw(CDC* dc)
{
    CRect area;
    GetClientRect(&area);
    area.OffsetRect(GetDeviceScrollPosition());
    area.right = std::max(area.right, static_cast<LONG>(m_totalDev.cx));
    area.bottom = std::max(area.bottom, static_cast<LONG>(m_totalDev.cy));
    dc->FillSolidRect(&area, kBackground);
    for (UINT slot = 0; slot < m_nPages; ++slot) {
        const CRect page = GetPageRect(slot);
        if (page.IsRectEmpty())
            continue;
        CRect shadow = page;
        shadow.OffsetRect(kShadow, kShadow);
        dc->FillSolidRect(&shadow, kShadowColor);
        RenderPage(dc, m_nCurrentPage + slot, page);
    }
}

void CPreviewView::RenderPage(CDC* screen, UINT page, const CRect& target)
{
    CDC memory;
    CBitmap bitmap;
    if (!m_pPrintView || !memory.CreateCompatibleDC(screen) ||
        !bitmap.CreateCompatibleBitmap(screen, m_paper.cx, m_paper.cy))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.PatBlt(0, 0, m_paper.cx, m_paper.cy, WHITENESS);
    memory.m_bPrinting = TRUE;
    const int saved = memory.SaveDC();
    m_pPreviewInfo->m_nCurPage = page;
    m_pPrintView->OnPrepareDC(&memory, m_pPreviewInfo.get());
    m_pPrintView->OnPrint(&memory, m_pPreviewInfo.get());
    memory.RestoreDC(saved);
    screen->SetStretchBltMode(HALFTONE);
    screen->StretchBlt(target.left, target.top, target.Width(), target.Height(), &memory, 0, 0, m_paper.cx,
                       m_paper.cy, SRCCOPY);
    memory.SelectObject(old);
}

void CPreviewView::UpdateScrollSizes()
{
    if (m_nZoomState == ZOOM_OUT) {
        SetScrollSizes(MM_TEXT, CSize(0, 0));
        return;
    }
    const CRect page = GetPageRect(0);
    SetScrollSizes(MM_TEXT, CSize(page.right + kGap + kShadow, page.bottom + kGap + kShadow));
}

void CPreviewView::SetZoomState(int state)
{
    m_nZoomState = std::clamp(state, static_cast<int>(ZOOM_OUT), static_cast<int>(ZOOM_IN));
    m_nPages = m_nZoomState == ZOOM_OUT ? m_nZoomOutPages : 1;
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void CPreviewView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void CPreviewView::OnNumPageChange()
{
    if (m_nZoomState != ZOOM_OUT)
        return;
    m_nZoomOutPages = m_nZoomOutPages == 1 ? 2 : 1;
    SetZoomState(ZOOM_OUT);
}

void CPreviewView::OnNextPage()
{
    if (m_pPreviewInfo && m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMaxPage()) {
        ++m_nCurrentPage;
        Invalidate(TRUE);
    }
}

void CPreviewView::OnPrevPage()
{
    if (m_pPreviewInfo && m_nCurrentPage > m_pPreviewInfo->GetMinPage()) {
        --m_nCurrentPage;
        Invalidate(TRUE);
    }
}

void CPreviewView::OnZoomIn() { SetZoomState(m_nZoomState + 1); }
void CPreviewView::OnZoomOut() { SetZoomState(m_nZoomState - 1); }

// A click zooms in one step; on the closest zoom it goes back to the whole page.
void CPreviewView::OnLButtonDown(UINT, CPoint) { SetZoomState(m_nZoomState == ZOOM_IN ? ZOOM_OUT : m_nZoomState + 1); }

// The button offers the other page count.
void CPreviewView::OnUpdateNumPageChange(CCmdUI* cmdUI)
{
    CString text;
    text.LoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE);
    cmdUI->SetText(text);
    cmdUI->Enable(m_nZoomState == ZOOM_OUT);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pPreviewInfo && m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMaxPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pPreviewInfo && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* cmdUI) { cmdUI->Enable(m_nZoomState != ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* cmdUI) { cmdUI->Enable(m_nZoomState != ZOOM_OUT); }

void CPreviewView::EndPreview()
{
    if (m_pPrintView && m_pPreviewInfo)
        m_pPrintView->OnEndPrinting(&m_printerInfo, m_pPreviewInfo.get());
    if (m_pToolBar && m_pToolBar->m_hWnd)
        m_pToolBar->DestroyWindow();
    m_pToolBar = nullptr;
    // The frame's own pane takes its place back before this window goes.
    ShowWindow(SW_HIDE);
    SetDlgCtrlID(AFX_IDW_PANE_LAST);
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent()); frame && m_pPreviewState)
        frame->OnSetPreviewMode(FALSE, m_pPreviewState);
    if (m_pOrigView && m_pOrigView->m_hWnd)
        m_pOrigView->SetFocus();
}

void CPreviewView::OnPreviewClose()
{
    EndPreview();
    DestroyWindow();
}

// Printing runs from the view once the preview has gone.
void CPreviewView::OnPreviewPrint()
{
    const HWND printView = m_pPrintView ? m_pPrintView->m_hWnd : nullptr;
    OnPreviewClose();
    if (printView)
        ::PostMessage(printView, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::PostNcDestroy() { delete this; }

BOOL CView::DoPrintPreview(UINT barId, CView* printView, CRuntimeClass* previewClass, CPrintPreviewState* state)
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CObject* made = frame && printView && previewClass && state ? previewClass->CreateObject() : nullptr;
    auto* preview = dynamic_cast<CPreviewView*>(made);
    if (!preview || !preview->SetPrintView(printView)) {
        delete made;
        return FALSE;
    }
    auto* bar = new CPreviewBar;
    if (!bar->Create(frame, barId, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
        delete bar;
        delete preview;
        return FALSE;
    }
    bar->m_bAutoDelete = TRUE;
    frame->OnSetPreviewMode(TRUE, state);
    preview->m_pOrigView = this;
    preview->m_pToolBar = bar;
    // A failed creation has deleted the preview; the caller keeps the state.
    if (!preview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST)) {
        bar->DestroyWindow();
        frame->OnSetPreviewMode(FALSE, state);
        return FALSE;
    }
    preview->m_pPreviewState = state;
    bar->m_hWndPreview = preview->m_hWnd;
    printView->OnBeginPrinting(&preview->m_printerInfo, preview->m_pPreviewInfo.get());
    frame->RecalcLayout();
    preview->SetFocus();
    return TRUE;
}
