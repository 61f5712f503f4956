// The docking pane's window around the catalogue manager: the tool bar with the catalogue
// commands above the manager.
#pragma once

#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Wnd.h"

class CCatManager;

class CCatManagerPane : public CWnd {
public:
    static constexpr UINT ToolBarId = 28584, ManagerId = 28611;
    static constexpr int ToolBarHeight = 27;

    CCatManagerPane() = default;
    ~CCatManagerPane() override;

    CCatManager* CreateManager();
    CCatManager* CreateManager(CRuntimeClass* runtimeClass);
    CCatManager* GetCatManager() const { return m_manager; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);

private:
    CXTPToolBar m_toolBar;
    CCatManager* m_manager = nullptr;

    DECLARE_MESSAGE_MAP()
};
