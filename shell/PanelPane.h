// A docking pane's window that shows a task panel of links; the panel's content is built when
// the pane is first shown, and clicks on its links come back to this window.
#pragma once

#include "platform/gdi/ImageList.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/toolkit/XTPTaskPanel.h"

class CXTPDockingPane;

class CPanelPane : public CWnd {
public:
    static constexpr UINT kPanelId = 1000000;
    static constexpr COLORREF kMaskColor = RGB(0, 255, 0);

    // Builds the content on the first call; attaches the panel to the docking pane on every
    // call. FALSE when the panel cannot be made (a later call tries again).
    BOOL AttachToPane(CXTPDockingPane* pane);
    CXTPTaskPanel& GetTaskPanel() { return m_wndTaskPanel; }
    int GetImageCount() const { return m_images.GetImageCount(); }

protected:
    virtual void BuildContent() = 0;
    // A strip of 16 x 16 images with green transparent; a missing strip leaves no images.
    void SetImages(HBITMAP strip);

    CXTPTaskPanel m_wndTaskPanel;
    CImageList m_images;
};
