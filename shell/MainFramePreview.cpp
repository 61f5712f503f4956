#include "shell/MainFrame.h"

void CMainFrame::OnSetPreviewMode(BOOL preview, CPrintPreviewState* state)
{
    // Closing panes for the preview is not the user's choice: the remembered pane wishes stay.
    const BOOL showProperties = m_bShowProperties, showLayerPane = m_bShowLayerPane;
    if (preview && m_previewLayout.empty()) {
        m_previewLayout = m_paneManager.GetLayoutRecord();
        for (int i = 0; i < m_paneManager.GetPaneCount(); ++i)
            m_paneManager.ClosePane(m_paneManager.GetPaneAt(i));
    } else if (!preview && !m_previewLayout.empty()) {
        m_paneManager.SetLayoutRecord(m_previewLayout);
        m_previewLayout.clear();
    }
    m_bShowProperties = showProperties;
    m_bShowLayerPane = showLayerPane;
    CXTPMDIFrameWnd::OnSetPreviewMode(preview, state);
}
