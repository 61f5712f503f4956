#include "View/MDIChildWndEx.h"

#include "platform/ui/CmdUI.h"

IMPLEMENT_DYNCREATE(CMDIChildWndEx, CMDIChildWnd)

namespace {
UINT g_nextNumber = CMDIChildWndEx::FirstNumber;

UINT TakeNumber()
{
    UINT number = g_nextNumber;
    g_nextNumber = number + 1 > CMDIChildWndEx::LastNumber ? CMDIChildWndEx::FirstNumber : number + 1;
    return number;
}
}

CMDIChildWndEx::CMDIChildWndEx() : m_windowNumber(TakeNumber()) { }

void CMDIChildWndEx::ActivateFrame(int)
{
    CMDIChildWnd::ActivateFrame(SW_SHOWMAXIMIZED);
}

LRESULT CMDIChildWndEx::OnGetWindowNumber(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(m_windowNumber);
}

void CMDIChildWndEx::OnSetWindowNumber(UINT id)
{
    m_windowNumber = FirstNumber + (id - FirstNumberCommand);
}

void CMDIChildWndEx::OnUpdateSetWindowNumber(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(cmdUI->m_nID - FirstNumberCommand == m_windowNumber - FirstNumber);
}

void CMDIChildWndEx::OnClearWindowNumber()
{
    m_windowNumber = NoNumber;
}

void CMDIChildWndEx::OnUpdateClearWindowNumber(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_windowNumber == NoNumber);
}

BEGIN_MESSAGE_MAP(CMDIChildWndEx, CMDIChildWnd)
    ON_MESSAGE(CMDIChildWndEx::WM_GETWINDOWNUMBER, OnGetWindowNumber)
    ON_COMMAND_RANGE(CMDIChildWndEx::FirstNumberCommand, CMDIChildWndEx::LastNumberCommand, OnSetWindowNumber)
    ON_UPDATE_COMMAND_UI_RANGE(CMDIChildWndEx::FirstNumberCommand, CMDIChildWndEx::LastNumberCommand,
                               OnUpdateSetWindowNumber)
    ON_COMMAND(CMDIChildWndEx::ClearNumberCommand, OnClearWindowNumber)
    ON_UPDATE_COMMAND_UI(CMDIChildWndEx::ClearNumberCommand, OnUpdateClearWindowNumber)
END_MESSAGE_MAP()
