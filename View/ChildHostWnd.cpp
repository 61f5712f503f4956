#include "View/ChildHostWnd.h"

CChildHostWnd::~CChildHostWnd()
{
    delete m_child;
}

void CChildHostWnd::SetChild(CWnd* child)
{
    if (child == m_child)
        return;
    delete m_child;
    m_child = child;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void CChildHostWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_child && m_child->m_hWnd)
        m_child->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

BEGIN_MESSAGE_MAP(CChildHostWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()
