// CView: a child window that shows a document; CScrollView adds scrolling in logical units.
#pragma once

#include "platform/ui/PrintInfo.h"
#include "platform/ui/Wnd.h"

class CDocument;
class CFrameWnd;

class COleDataObject;
struct CPrintPreviewState;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    virtual void OnActivateFrame(UINT state, CFrameWnd* frame);
    virtual BOOL IsSelected(const CObject* object) const;

    // Drops on the view's registered drop target (platform/ole); the point is in client
    // coordinates, keys are MK_* flags and the results DROPEFFECT_* values. By default the
    // view takes nothing.
    virtual DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point);
    // (DWORD)-1 lets OnDrop decide.
    virtual DWORD OnDropEx(COleDataObject* dataObject, DWORD dropDefault, DWORD dropList, CPoint point);

    // Printing: the view sets the page range, prepares and releases its resources and draws
    // each page (by default as on the screen).
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    BOOL DoPreparePrinting(CPrintInfo* info);
    // Shows the view's printed pages in a preview of the class given, in place of the main
    // frame's pane, with the dialog bar resource above it. The preview owns the state once
    // this returns TRUE.
    BOOL DoPrintPreview(UINT barId, CView* printView, CRuntimeClass* previewClass, CPrintPreviewState* state);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    CScrollView() = default;

    void SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    void SetScaleToFitSize(SIZE sizeTotal);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& mapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    int GetMapMode() const { return m_nMapMode; }

    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    virtual BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE);

    void OnSize(UINT type, int cx, int cy);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

protected:
    void UpdateBars();
    void ScrollToDevicePosition(POINT pt);
    CSize LogicalToDevice(SIZE size) const;

    int m_nMapMode = 0;
    CSize m_totalLog{0, 0};
    CSize m_totalDev{0, 0};
    CSize m_pageDev{0, 0};
    CSize m_lineDev{0, 0};
    BOOL m_bCenter = FALSE;
    BOOL m_bInsideUpdate = FALSE;

    DECLARE_MESSAGE_MAP()
};

// SetScrollSizes with this mode scales the whole size into the window.
constexpr int MM_SCALETOFIT_MODE = -1;
