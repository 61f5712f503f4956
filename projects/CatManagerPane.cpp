#include "projects/CatManagerPane.h"

#include "projects/CatManager.h"

BEGIN_MESSAGE_MAP(CCatManagerPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CCatManagerPane::~CCatManagerPane()
{
    if (m_hWnd)
        DestroyWindow();
    delete m_manager;
}

CCatManager* CCatManagerPane::CreateManager() { return m_manager = new CCatManager; }

CCatManager* CCatManagerPane::CreateManager(CRuntimeClass* runtimeClass)
{
    return m_manager = runtimeClass ? dynamic_cast<CCatManager*>(runtimeClass->CreateObject()) : nullptr;
}

int CCatManagerPane::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_manager)
        CreateManager();
    if (!m_manager)
        return -1;
    if (m_toolBar.CreateToolBar(0x50002031, this, AFX_IDW_TOOLBAR))
        m_toolBar.LoadToolBar(ToolBarId);
    return m_manager->Create(WS_CHILD | WS_VISIBLE, CRect(), this, ManagerId) ? 0 : -1;
}

void CCatManagerPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_toolBar.m_hWnd)
        m_toolBar.MoveWindow(0, 0, cx, ToolBarHeight);
    if (m_manager && m_manager->m_hWnd)
        m_manager->MoveWindow(0, ToolBarHeight, cx, std::max(0, cy - ToolBarHeight));
}

BOOL CCatManagerPane::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_manager && m_manager->m_hWnd && m_manager->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}
