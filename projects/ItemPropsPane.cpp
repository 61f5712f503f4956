#include "projects/ItemPropsPane.h"

#include "projects/ProjManager.h"

BEGIN_MESSAGE_MAP(CItemPropsPane, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CItemPropsPane::AttachToPane(CWnd* host, CProjManager* manager)
{
    if (!m_hWnd && !Create("STATIC", "", WS_CHILD | WS_CLIPCHILDREN, CRect(), host, 0))
        return FALSE;
    m_dialog.SetManager(manager);
    if (manager)
        manager->SetMarkerView(&m_dialog);
    if (!m_dialog.m_hWnd) {
        if (!m_dialog.Create(CMarkerDlg::IDD, this))
            return FALSE;
        m_dialog.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dialog.ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CItemPropsPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (!m_dialog.m_hWnd)
        return;
    m_dialog.MoveWindow(0, 0, cx, cy);
    m_dialog.GetTree().MoveWindow(0, 0, cx, std::max(cy - 25, 0));
    if (CWnd* check = m_dialog.GetDlgItem(CMarkerDlg::IdcUseAsFilter))
        check->MoveWindow(5, cy - 20, std::max(cx - 10, 0), 15);
    m_dialog.Invalidate();
}
