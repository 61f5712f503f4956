#include "shell/PanelPane.h"

#include "platform/gdi/GdiObject.h"
#include "platform/toolkit/XTPDockingPaneManager.h"

BOOL CPanelPane::AttachToPane(CXTPDockingPane* pane)
{
    if (!m_wndTaskPanel.m_hWnd) {
        if (!m_wndTaskPanel.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), this, kPanelId))
            return FALSE;
        m_wndTaskPanel.SetOwner(this);
        BuildContent();
    }
    if (pane)
        pane->Attach(&m_wndTaskPanel);
    return TRUE;
}

void CPanelPane::SetImages(HBITMAP strip)
{
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    if (strip) {
        CBitmap bitmap;
        bitmap.Attach(strip);
        m_images.Add(&bitmap, kMaskColor);
    }
    m_wndTaskPanel.SetImageList(&m_images, CSize(16, 16));
}
