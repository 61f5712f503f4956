// The main frame's status bar: the message pane and, while an editing view asks for them,
// two panes with the position and the size of the selected object.
#pragma once

#include "platform/ui/ControlBar.h"

class CFrameStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CFrameStatusBar)
public:
    // wParam 0: show (lParam TRUE) or hide the two panes; 1: show the RECT* in lParam;
    // 2: show the last rectangle again (lParam nonzero) or blank the size pane (0).
    static constexpr UINT WM_STATUSPOSITION = 0x8100;
    static constexpr UINT kNotAvailableText = 26624;
    static constexpr int kPositionPaneWidth = 80;

    virtual void ShowPositionPanes(BOOL show);
    virtual void SetPositionRect(int left, int top, int right, int bottom);
    BOOL ArePositionPanesShown() const { return m_bPositionPanes; }
    CRect GetLastRect() const { return m_lastRect; }

    LRESULT OnStatusMessage(WPARAM wParam, LPARAM lParam);

private:
    BOOL m_bPositionPanes = FALSE;
    CRect m_lastRect{-1, -1, -1, -1};

    DECLARE_MESSAGE_MAP()
};
