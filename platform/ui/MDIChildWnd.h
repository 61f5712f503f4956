// MDI child frames: frames inside the MDI client of a CMDIFrameWnd.
#pragma once

#include "platform/ui/FrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    HMENU m_hMenuShared = nullptr;

    virtual BOOL Create(LPCTSTR className, LPCTSTR title, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr,
                        CCreateContext* context = nullptr);
    BOOL LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int cmdShow = -1) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    void OnChildActivate();
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);

    DECLARE_MESSAGE_MAP()
};
