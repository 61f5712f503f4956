// The docked "Project Manager" pane: its tool bar on top, the project tree below, and the
// project manager that carries out the commands reaching the pane.
#pragma once

#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Wnd.h"

#include <memory>

class CProjManager;
class CProjTreeCtrl;

class CProjManagerPane : public CWnd {
public:
    static constexpr UINT CmdSetPassword = 34038;
    static constexpr int ToolBarHeight = 27;

    CProjManagerPane();
    ~CProjManagerPane() override;

    BOOL CreatePane(CWnd* parent);
    virtual CProjManager* GetManager();
    virtual CProjTreeCtrl* GetTree();
    virtual void LoadRecent(LPCTSTR name);
    virtual void SaveRecent(LPCTSTR name);

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();
    BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);
    void OnSetPassword();
    void OnUpdateSetPassword(CCmdUI* cmdUI);

private:
    void RemovePassword(class CProjOb& project);
    void AddPassword(class CProjOb& project);

    CXTPToolBar m_toolBar;
    CString m_tipTexts[5];
    std::unique_ptr<CProjManager> m_pManager;
    std::unique_ptr<CProjTreeCtrl> m_pTree;

    DECLARE_MESSAGE_MAP()
};
