// MDI frames: a main frame whose client window holds child frames, one of them active.
// Commands go to the active child frame first.
#pragma once

#include "platform/ui/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = nullptr;

    virtual BOOL CreateClient(LPCREATESTRUCT cs, CMenu* windowMenu);
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* activate);
    void MDIMaximize(CWnd* wnd);
    void MDIRestore(CWnd* wnd);
    void MDINext();
    void MDICascade();
    void MDITile(int how = 0);
    CMenu* MDISetMenu(CMenu* frameMenu, CMenu* windowMenu);
    // A document window became active (its type's menu and menu resource) or inactive (null,
    // 0): the frame shows that menu, or its own.
    virtual void OnActiveDocumentMenu(HMENU menu, UINT menuId);

    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnWindowNew();
    BOOL OnMDIWindowCmd(UINT id);
    void OnUpdateMDIWindowCmd(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()
};

// The window class of the MDI client.
extern const char* const MDIClientClass;
