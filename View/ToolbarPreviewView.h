// Print preview with the toolkit's command bar in place of the framework's preview buttons:
// print, page turning, one or two pages, zoom and close.
#pragma once

#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/PreviewView.h"

class CToolbarPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(CToolbarPreviewView)
public:
    static constexpr UINT ToolBarResource = 400;
    static constexpr UINT PreviewBarResource = 402;
    static constexpr DWORD CommandBarStyle = 0x50402810;

    CXTPToolBar& GetCommandBar() { return m_commandBar; }
    CXTPControl* GetNumPagesControl() const { return m_pNumPages; }

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnUpdateNumPageChange(CCmdUI* cmdUI);
    void OnWindowPosChanged(WINDOWPOS* pos);
    // The number-of-pages button carries the id of the text it shows.
    void OnNumPageCommand(UINT id);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);

protected:
    // The button offers the other page count: 61505 while two pages show, else 61506.
    void UpdateNumPagesControl();
    void PressCommand(UINT id);

    CXTPToolBar m_commandBar;
    CXTPControl* m_pNumPages = nullptr;

    DECLARE_MESSAGE_MAP()
};
