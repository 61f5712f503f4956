// The child frame of a page: its views, its place among the open frames and its
// read-only state.
#pragma once

#include "View/FrameWindowAdapter.h"
#include "View/MDIChildWndEx.h"
#include "platform/core/Arrays.h"

class CHyperRunView;

class CHyperRunFrame : public CMDIChildWndEx {
    DECLARE_DYNCREATE(CHyperRunFrame)
public:
    // Control bars of the main frame.
    static constexpr UINT MainToolBarId = 59392;

    CHyperRunFrame();
    ~CHyperRunFrame() override;

    // The first view added is the first view; later ones are further views.
    virtual void AddView(CHyperRunView* view);
    CHyperRunView* GetFirstView() const { return m_firstView; }
    const CObArray& GetFurtherViews() const { return m_furtherViews; }
    virtual void GetLayoutRect(CRect* rect);
    // Enters the open-frame list of the view settings once.
    virtual void RegisterFrame();
    virtual void SetReadOnly(BOOL readOnly) { m_readOnly = readOnly; }
    virtual BOOL IsReadOnly() const { return m_readOnly; }
    CFrameWindow* GetFrameWindow() { return &m_frameWindow; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CHyperRunView* m_firstView = nullptr;
    BOOL m_registrationPending = TRUE;
    BOOL m_readOnly = FALSE;
    CObArray m_furtherViews;

protected:
    void OnNcDestroy();
    // Help on a point of the page: the help id of the object under it, else of the page.
    BOOL OnHelpInfo(HELPINFO* info);
    // Leaves the open-frame list of the view settings.
    void UnregisterFrame();

    CFrameWindowAdapter m_frameWindow{this};

    DECLARE_MESSAGE_MAP()
};

// The page frame of a window, or NULL.
CHyperRunFrame* AsHyperRunFrame(CWnd* wnd);
