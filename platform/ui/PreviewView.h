// Print preview: the printed pages drawn on the screen in place of the frame's main pane,
// with a bar of preview commands above them. CView::DoPrintPreview starts it; the preview
// ends itself on its close or print command.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/ui/View.h"

#include <memory>

class CDialogBar;

// What the frame hid for the preview and gets back when it ends.
struct CPrintPreviewState {
    HWND hWndMainPane = nullptr;
};

// The framework's preview commands and the texts of the number-of-pages button.
constexpr UINT AFX_ID_PREVIEW_CLOSE = 58112, AFX_ID_PREVIEW_NUMPAGE = 58113, AFX_ID_PREVIEW_NEXT = 58114,
               AFX_ID_PREVIEW_PREV = 58115, AFX_ID_PREVIEW_PRINT = 58116, AFX_ID_PREVIEW_ZOOMIN = 58117,
               AFX_ID_PREVIEW_ZOOMOUT = 58118;
constexpr UINT AFX_IDS_ONEPAGE = 61505, AFX_IDS_TWOPAGE = 61506;
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE805;

class CPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    enum ZoomState { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    CPreviewView();
    ~CPreviewView() override;

    // Prepares the print job of the view; FALSE when the view prints nothing.
    BOOL SetPrintView(CView* printView);
    UINT GetPageCount() const { return m_nPages; }
    UINT GetZoomOutPageCount() const { return m_nZoomOutPages; }
    int GetZoomState() const { return m_nZoomState; }
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // Where a page is drawn, in client coordinates (empty when it is not shown).
    CRect GetPageRect(UINT slot) const;

    void OnDraw(CDC* dc) override;
    void PostNcDestroy() override;

    void OnPreviewClose();
    void OnPreviewPrint();
    void OnNumPageChange();
    void OnNextPage();
    void OnPrevPage();
    void OnZoomIn();
    void OnZoomOut();
    void OnUpdateNumPageChange(CCmdUI* cmdUI);
    void OnUpdateNextPage(CCmdUI* cmdUI);
    void OnUpdatePrevPage(CCmdUI* cmdUI);
    void OnUpdateZoomIn(CCmdUI* cmdUI);
    void OnUpdateZoomOut(CCmdUI* cmdUI);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);

    CView* m_pOrigView = nullptr;
    CView* m_pPrintView = nullptr;
    CDialogBar* m_pToolBar = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    std::unique_ptr<CPrintInfo> m_pPreviewInfo;
    // The printer's information context: page size and resolution.
    CDC m_printerInfo;

protected:
    // Screen pixels per printed page pixel at the zoom state.
    double Scale() const;
    void SetZoomState(int state);
    void UpdateScrollSizes();
    // Draws one printed page into a bitmap of the page's size at screen resolution.
    void RenderPage(CDC* screen, UINT page, const CRect& target);
    // Leaves the preview: the print view ends its job and the frame gets its pane back.
    void EndPreview();

    CSize m_paper{0, 0};   // the printed page at screen resolution
    UINT m_nPages = 1;
    UINT m_nZoomOutPages = 1;
    int m_nZoomState = ZOOM_OUT;
    UINT m_nCurrentPage = 1;

    DECLARE_MESSAGE_MAP()
};
