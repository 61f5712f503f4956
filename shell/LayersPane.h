// The Layers docking pane: hosts the Layers dialog for the active page and takes the Layers
// Manager command while a page is in edit mode.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>

class CHyperView;
class CLayersDlg;
class CXTPDockingPane;

class CLayersPane : public CWnd {
public:
    static constexpr UINT CmdLayersManager = 60441;

    CLayersPane();
    ~CLayersPane() override;

    // Makes the dialog for the view's page (the active one when NULL) on the first call with
    // a view; attaches the pane window on every call.
    void AttachToPane(CXTPDockingPane* pane, CHyperView* view);
    CLayersDlg* GetDialog() const { return m_pDialog.get(); }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);

private:
    // Binds the dialog to the active page, or to none.
    void Follow(CHyperView* view);

    std::unique_ptr<CLayersDlg> m_pDialog;

    DECLARE_MESSAGE_MAP()
};
