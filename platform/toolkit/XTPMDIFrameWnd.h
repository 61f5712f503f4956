// The MDI main frame under command bars: the bars see the frame's messages first, the frame's
// layout gives the edges to the docked bars, then to the docking panes, then to the tabbed
// client, and idle time updates the bars' controls.
#pragma once

#include "platform/ui/MDIFrameWnd.h"

class CXTPCommandBars;
class CXTPDockingPaneManager;
class CXTPTabClientWnd;

class CXTPMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CXTPMDIFrameWnd)
public:
    CXTPMDIFrameWnd() = default;
    ~CXTPMDIFrameWnd() override;

    // Makes the command bars (of the class given, CXTPCommandBars by default) with this frame
    // as their site; the frame owns them.
    CXTPCommandBars* InitCommandBars(CRuntimeClass* barsClass = nullptr);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // The pane manager and the tab client register themselves when they attach.
    void SetDockingPaneManager(CXTPDockingPaneManager* manager) { m_pDockingPaneManager = manager; }
    CXTPDockingPaneManager* GetDockingPaneManager() const { return m_pDockingPaneManager; }
    void SetTabClient(CXTPTabClientWnd* client) { m_pTabClient = client; }
    CXTPTabClientWnd* GetTabClient() const { return m_pTabClient; }

    void RecalcLayout(BOOL notify = TRUE) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) override;
    void OnActiveDocumentMenu(HMENU menu, UINT menuId) override;

    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // The parts of the dock rows that no bar covers take the bars' face.
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();

protected:
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPDockingPaneManager* m_pDockingPaneManager = nullptr;
    CXTPTabClientWnd* m_pTabClient = nullptr;

    DECLARE_MESSAGE_MAP()
};
